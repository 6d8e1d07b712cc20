// "Update Account Companies": an account company's name, contact and
// address. Renaming a company carries the new name into every account held
// at it (the accounts relation cascades it); the user is told so first.
#include <string>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

FieldDecl entry(FieldRef field, std::string_view prompt, std::string_view picture) {
    return {.field = field, .prompt = prompt, .picture = picture, .ditto = true};
}

const WindowDecl& kUpdateVendors = declareWindow({
    .procedure = "UpdateVendors",
    .caption = "Update Account Companies",
    .recordsName = true,
    .primary = FileId::Vendors,
    .fields =
        {
            entry(VEN::VENDORNAME, "&Name:", "@s40"),
            entry(VEN::CONTACT1, "C&ontact:", "@s35"),
            entry(VEN::ADDRESS, "&Address:", "@s40"),
            {.field = VEN::ADDRESS2, .name = "Address line 2", .picture = "@s40", .ditto = true},
            entry(VEN::CITY, "C&ity:", "@s25"),
            {.kind = ControlKind::DropList,
             .field = VEN::STATE,
             .prompt = "S&tate:",
             .message = "Select a state from the drop-down list",
             .drop = DropDecl{.file = FileId::States,
                              .key = ST::key::STATEKEY,
                              .format = "18L(1)|M~Code~@s2@80L(2)|M~Name~@s20@",
                              .columns = {ST::STATECODE, ST::STATENAME},
                              .updates = {{ST::STATECODE, VEN::STATE}},
                              .defaultFill = false}},
            entry(VEN::ZIPCODE, "&Zip:", "@s10"),
            entry(VEN::EMAIL, "&E-Mail/Web Site:", "@s35"),
        },
    .buttons = formButtons(),
});

std::string renameText(std::string_view from, std::string_view to) {
    return "The Company Name has been changed ...||  Original: " + std::string(text::clip(from)) +
           "    ||  New: " + std::string(text::clip(to)) +
           "||All Account Registration records will be updated.";
}

class UpdateVendorsWindow : public WindowManager {
public:
    UpdateVendorsWindow() : WindowManager(kUpdateVendors) {}

    int PrepareRequest() override {
        original_ = VEN::VENDORNAME.get();
        return WindowManager::PrepareRequest();
    }

    bool CheckFields() override {
        if (text::isBlank(VEN::VENDORNAME.get()))
            return Refuse(VEN::VENDORNAME, "Account Company Name Required",
                          "     Enter a name for this account company.");
        if (REQUEST == ChangeRequest && VEN::VENDORNAME.get() != original_)
            Announce("Company Name Change", renameText(original_, VEN::VENDORNAME.get()));
        return true;
    }

private:
    std::string original_;  // the name as read, which the accounts still carry
};

}  // namespace

void UpdateVendors(std::string_view) {
    runCalled<UpdateVendorsWindow>();
}

}  // namespace bb
