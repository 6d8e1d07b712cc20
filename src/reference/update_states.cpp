// "Update States": one state's code, name and the representatives' licence
// renewal fee for it.
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateStates = declareWindow({
    .procedure = "UpdateStates",
    .caption = "Update States",
    .recordsName = true,
    .primary = FileId::States,
    .fields =
        {
            {.field = ST::STATECODE,
             .prompt = "State &Code:",
             .picture = "@s2",
             .message = "2 - Letter state abbreviation code...",
             .ditto = true},
            {.field = ST::STATENAME, .prompt = "State &Name:", .picture = "@s20", .ditto = true},
            {.field = ST::LICENSEFEE,
             .prompt = "&License Renewal:",
             .picture = "@n6.2",
             .message = "Registered representative renewal fee",
             .ditto = true},
        },
    .buttons = formButtons(),
});

class UpdateStatesWindow : public WindowManager {
public:
    UpdateStatesWindow() : WindowManager(kUpdateStates) {}

    // No state charges sales tax until someone says it does.
    void SeedNewRecord() override { ST::SALESTAX.set("N"); }

    // Codes are capitals; the key ignores case, so none changes its meaning.
    void AfterEvent() override {
        WindowManager::AfterEvent();
        ST::STATECODE.set(text::upper(ST::STATECODE.get()));
    }

    bool CheckFields() override {
        if (text::isBlank(ST::STATECODE.get()))
            return Refuse(ST::STATECODE, "State Code Required",
                          "     Enter the 2-letter postal abbreviation for this state.");
        if (text::isBlank(ST::STATENAME.get()))
            return Refuse(ST::STATENAME, "State Name Required",
                          "     Enter the name of this state.");
        return true;
    }
};

}  // namespace

void UpdateStates(std::string_view) {
    runCalled<UpdateStatesWindow>();
}

}  // namespace bb
