// The reference fixture with the code tables' files open: account
// companies with their phones, account types, investment objectives, and
// the accounts that refer to companies and types.
#pragma once

#include <string>
#include <vector>

#include "reference_fixture.h"

namespace bb::test {

class CodeTablesTest : public ReferenceTest {
protected:
    CodeTablesTest();

    // A company; its number.
    int addCompany(const std::string& name);
    void addAccountType(const std::string& type, const std::string& description);
    void addObjective(const std::string& code, const std::string& description);
    // An account held at `company`, of `type`.
    void addAccount(const std::string& company, const std::string& type,
                    const std::string& shortName);
    void addCompanyPhone(int company, const std::string& number);
    // Reads company `name` into the buffer, as its list does.
    void readCompany(const std::string& name);

    // Every account's "short name: company: type", in registration order.
    std::vector<std::string> accounts();
    std::vector<std::string> companies();
};

}  // namespace bb::test
