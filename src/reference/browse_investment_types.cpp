// "Investment Objectives": the two-letter objective codes that classify
// security products, each with its description.
#include <memory>

#include "dictionary/process_values.h"
#include "reference/headed_list.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kBrowseInvestmentTypes = declareWindow({
    .procedure = "BrowseInvestmentTypes",
    .caption = "Investment Objectives",
    .recordsName = true,
    .locals = {kHeading},
    .fields =
        {
            headingField(),
            {.kind = ControlKind::List,
             .name = "Objectives",
             .message = "Select an investment objective",
             .list = ListDecl{.file = FileId::InvestmentType,
                              .format = "30L(2)|M~Code~@s2@160L(2)|M~Description~@s40@",
                              .columns = {INV::INVESTTYPECODE, INV::INVESTTYPEDESC},
                              .orders = {{.key = INV::key::INVESTTYPECODEKEY,
                                          .locator = LocatorKind::Step}},
                              .update = "UpdateInvestmentTypes",
                              .hideSelect = true}},
        },
    .buttons =
        {
            {.text = "&Insert Record",
             .role = ButtonRole::Insert,
             .message = "Add a new investment objective"},
            {.text = "&Delete Record",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted objective"},
            {.text = "&Edit Record",
             .role = ButtonRole::Change,
             .message = "Make changes to the highlighted objective"},
            {.text = "&Select", .role = ButtonRole::Select},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

}  // namespace

void BrowseInvestmentTypes(std::string_view) {
    startWindow(
        std::make_unique<HeadedList>(kBrowseInvestmentTypes, "Browse Investment Objectives"));
}

}  // namespace bb
