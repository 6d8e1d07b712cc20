// "Account Type": the types an account is opened as, each with its
// description.
#include <memory>

#include "dictionary/process_values.h"
#include "reference/headed_list.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kBrowseAccountTypes = declareWindow({
    .procedure = "BrowseAccountTypes",
    .caption = "Account Type",
    .recordsName = true,
    .locals = {kHeading},
    .fields =
        {
            headingField(),
            {.kind = ControlKind::List,
             .name = "Account types",
             .message = "Select an account type",
             .list = ListDecl{.file = FileId::AccountTypes,
                              .format = "120L(2)|M~Name~@s45@160L(2)|M~Description~@s40@",
                              .columns = {ACT::ACCOUNTTYPE, ACT::DESCRIPTION},
                              .orders = {{.key = ACT::key::ACCOUNTTYPEKEY,
                                          .locator = LocatorKind::Step}},
                              .update = "UpdateAccountTypes",
                              .hideSelect = true}},
        },
    .buttons =
        {
            {.text = "&Insert Record",
             .role = ButtonRole::Insert,
             .message = "Add a new account type"},
            {.text = "&Delete Record",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted account type"},
            {.text = "&Edit Record",
             .role = ButtonRole::Change,
             .message = "Make changes to the highlighted account type"},
            {.text = "&Select", .role = ButtonRole::Select},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

}  // namespace

void BrowseAccountTypes(std::string_view) {
    startWindow(std::make_unique<HeadedList>(kBrowseAccountTypes, "Browse Account Types"));
}

}  // namespace bb
