// "Update Customer Classification": a classification's name and
// description. Renaming one carries the new name into every customer of the
// old one (the Members relation cascades it); the user is told so first.
#include <string>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateMembershipTypes = declareWindow({
    .procedure = "UpdateMembershipTypes",
    .caption = "Update Customer Classification",
    .recordsName = true,
    .primary = FileId::MembershipTypes,
    .fields =
        {
            {.field = TYP::MEMBERTYPE,
             .prompt = "&Classification:",
             .picture = "@s15",
             .message = "Enter the name for this customer classification",
             .ditto = true},
            {.field = TYP::DESCRIPTION,
             .prompt = "&Description:",
             .picture = "@s40",
             .ditto = true},
        },
    .buttons = formButtons(),
});

std::string renameText(std::string_view from, std::string_view to) {
    return "The Customer Classification \"" + std::string(text::clip(from)) +
           "\" has been changed to||   \"" + std::string(text::clip(to)) +
           "\" ...  All Customer records will be updated.";
}

class UpdateMembershipTypesWindow : public WindowManager {
public:
    UpdateMembershipTypesWindow() : WindowManager(kUpdateMembershipTypes) {}

    int PrepareRequest() override {
        original_ = TYP::MEMBERTYPE.get();
        return WindowManager::PrepareRequest();
    }

    bool CheckFields() override {
        if (text::isBlank(TYP::MEMBERTYPE.get()))
            return Refuse(TYP::MEMBERTYPE, "Classification Name Required",
                          "     Enter the name of this customer classification.");
        if (text::isBlank(TYP::DESCRIPTION.get()))
            return Refuse(TYP::DESCRIPTION, "Classification Description Required",
                          "Enter a short description for this customer classification.");
        if (REQUEST == ChangeRequest && TYP::MEMBERTYPE.get() != original_)
            Announce("Customer Classification Change",
                     renameText(original_, TYP::MEMBERTYPE.get()));
        return true;
    }

private:
    std::string original_;  // the name as read, which the customers still carry
};

}  // namespace

void UpdateMembershipTypes(std::string_view) {
    runCalled<UpdateMembershipTypesWindow>();
}

}  // namespace bb
