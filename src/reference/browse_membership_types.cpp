// "Customer Classification": the classifications the customer form offers
// and reports group by, each with its description on a second line.
#include <memory>

#include "dictionary/process_values.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kBrowseMembershipTypes = declareWindow({
    .procedure = "BrowseMembershipTypes",
    .caption = "Customer Classification",
    .recordsName = true,
    .fields =
        {
            {.kind = ControlKind::List,
             .name = "Classifications",
             .message = "Select a customer classification",
             .list = ListDecl{.file = FileId::MembershipTypes,
                              .format = "65L(2)|M~Classification~@s15@/160L(2)~Description~@s40@/",
                              .columns = {TYP::MEMBERTYPE, TYP::DESCRIPTION},
                              .orders = {{.key = TYP::key::MEMBERTYPEKEY,
                                          .locator = LocatorKind::Step}},
                              .update = "UpdateMembershipTypes",
                              .hideSelect = true}},
        },
    .buttons =
        {
            {.text = "&Insert",
             .role = ButtonRole::Insert,
             .message = "Add a new customer classification"},
            {.text = "&Delete",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted classification"},
            {.text = "&Edit",
             .role = ButtonRole::Change,
             .message = "Make changes to the highlighted classification"},
            {.text = "&Select", .role = ButtonRole::Select},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

}  // namespace

void BrowseMembershipTypes(std::string_view) {
    startWindow(std::make_unique<WindowManager>(kBrowseMembershipTypes));
}

}  // namespace bb
