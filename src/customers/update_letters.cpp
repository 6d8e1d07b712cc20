// "Update Form Letters": one form letter's subject and body.
#include "customers/customer_printouts.h"
#include "platform/text.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateLetters = declareWindow({
    .procedure = "UpdateLetters",
    .caption = "Update Form Letters",
    .recordsName = true,
    .primary = FileId::Letters,
    .fields =
        {
            {.field = LTR::LETTERTYPE,
             .prompt = "&Subject:",
             .picture = "@s30",
             .message = "Enter a subject for this letter"},
            {.kind = ControlKind::TextArea,
             .field = LTR::LETTERBODY,
             .prompt = "&Body of Letter:",
             .message = "Type the text portion of the letter",
             .lines = 16},
        },
    .buttons = formButtons(),
});

class UpdateLettersWindow final : public WindowManager {
public:
    UpdateLettersWindow() : WindowManager(kUpdateLetters) {}

    bool CheckFields() override {
        if (text::isBlank(LTR::LETTERTYPE.get()))
            return Refuse(LTR::LETTERTYPE, "Subject Required",
                          "     Enter a name or subject for this letter.");
        if (text::isBlank(LTR::LETTERBODY.get()))
            return Refuse(LTR::LETTERBODY, "Body of Letter Required",
                          "     Enter the text portion for this letter.");
        return true;
    }
};

}  // namespace

void UpdateLetters(std::string_view) {
    runCalled<UpdateLettersWindow>();
}

}  // namespace bb
