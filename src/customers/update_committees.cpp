// "Update Customer Groups": names a new customer group or renames one; a
// rename carries over to the group's memberships.
#include "customers/customer_groups.h"
#include "platform/text.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateCommittees = declareWindow({
    .procedure = "UpdateCommittees",
    .caption = "Update Customer Groups",
    .primary = FileId::Committees,
    .addingCaption = "Record will be Added",
    .changingCaption = "Record will be Changed",
    .fields = {{.field = COM::COMMITTEE,
                .prompt = "Customer &Group:",
                .picture = "@s20",
                .message = "Enter the group name"}},
    .buttons = formButtons(),
});

class UpdateCommitteesWindow final : public WindowManager {
public:
    UpdateCommitteesWindow() : WindowManager(kUpdateCommittees) {}

    bool CheckFields() override {
        if (text::isBlank(COM::COMMITTEE.get()))
            return Refuse(COM::COMMITTEE, "Group Name Required",
                          "     Enter a name for this customer group.");
        return WindowManager::CheckFields();
    }
};

}  // namespace

void UpdateCommittees(std::string_view) {
    runCalled<UpdateCommitteesWindow>();
}

}  // namespace bb
