// "Delete Customer Group Member": shows the membership of a customer in a
// group; OK removes it.
#include "customers/customer_groups.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kDeleteCommitteeMembers = declareWindow({
    .procedure = "DeleteCommitteeMembers",
    .caption = "Delete Customer Group Member",
    .primary = FileId::Commbrs,
    .serves = ServesDelete,
    .deleteAction = DeleteAction::OnForm,
    .fields = {{.kind = ControlKind::Display,
                .field = CMBRS::COMMITTEE,
                .prompt = "Customer Group:"},
               {.kind = ControlKind::Display,
                .field = CMBRS::MEMBERNUMBER,
                .prompt = "Customer Number:",
                .picture = "@n-13"}},
    .buttons = formButtons(),
});

}  // namespace

void DeleteCommitteeMembers(std::string_view) {
    runCalled<WindowManager>(kDeleteCommitteeMembers);
}

}  // namespace bb
