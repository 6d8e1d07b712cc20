// The list of customers by company name that the browse tests and the
// browse benchmark both open: the Members file in two columns, company and
// city, in one sort order on the company key, with a step locator and a
// string thumb over letters and digits. Each adds to its copy what it needs
// besides (an update procedure, row colours, the rows it shows).
#pragma once

#include "ui/window_decl.h"

namespace bb::test {

inline ListDecl customersByCompany() {
    return ListDecl{
        .file = FileId::Members,
        .format = "140L(2)|M*~Company~@s34@100R(2)|M*~City~L@s25@",
        .columns = {MBR::COMPANYNAME, MBR::CITY},
        .orders = {{.key = MBR::key::COMPANYKEY,
                    .locator = LocatorKind::Step,
                    .thumb = {.kind = ThumbKind::String,
                              .controls = StepManager::kLetters | StepManager::kDigits}}},
    };
}

}  // namespace bb::test
