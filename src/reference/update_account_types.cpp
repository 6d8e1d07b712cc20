// "Update Account Types": an account type's name and description.
// Renaming a type carries the new name into every account of it (the
// accounts relation cascades it); the user is told so first.
#include <string>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateAccountTypes = declareWindow({
    .procedure = "UpdateAccountTypes",
    .caption = "Update Account Types",
    .recordsName = true,
    .primary = FileId::AccountTypes,
    .fields =
        {
            {.field = ACT::ACCOUNTTYPE,
             .prompt = "&Account Type:",
             .picture = "@s45",
             .ditto = true},
            // The list shows each type's description, so the form edits it.
            {.field = ACT::DESCRIPTION,
             .prompt = "&Description:",
             .picture = "@s40",
             .ditto = true},
        },
    .buttons = formButtons(),
});

std::string renameText(std::string_view from, std::string_view to) {
    return "The Account Type \"" + std::string(text::clip(from)) +
           "\" has been changed to:||    \"" + std::string(text::clip(to)) +
           "\" ...||All account records will be updated.";
}

class UpdateAccountTypesWindow : public WindowManager {
public:
    UpdateAccountTypesWindow() : WindowManager(kUpdateAccountTypes) {}

    int PrepareRequest() override {
        original_ = ACT::ACCOUNTTYPE.get();
        return WindowManager::PrepareRequest();
    }

    bool CheckFields() override {
        if (text::isBlank(ACT::ACCOUNTTYPE.get()))
            return Refuse(ACT::ACCOUNTTYPE, "Account Type Required",
                          "     Enter the name of this account type.");
        if (REQUEST == ChangeRequest && ACT::ACCOUNTTYPE.get() != original_)
            Announce("Account Type Change", renameText(original_, ACT::ACCOUNTTYPE.get()));
        return true;
    }

private:
    std::string original_;  // the type as read, which the accounts still carry
};

}  // namespace

void UpdateAccountTypes(std::string_view) {
    runCalled<UpdateAccountTypesWindow>();
}

}  // namespace bb
