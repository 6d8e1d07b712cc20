// "Form Letters": the library of form letters, kept up from the
// maintenance menu and chosen from when letters are printed.
#include <memory>

#include "customers/customer_printouts.h"
#include "dictionary/process_values.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kBrowseLetters = declareWindow({
    .procedure = "BrowseLetters",
    .caption = "Form Letters",
    .recordsName = true,
    .fields =
        {
            {.kind = ControlKind::List,
             .name = "Letters",
             .message = "Select a letter",
             .list = ListDecl{.file = FileId::Letters,
                              .format = "80L(2)|M~Subject of Letter~@s30@",
                              .columns = {LTR::LETTERTYPE},
                              .orders = {{.key = LTR::key::LETTERTYPEKEY,
                                          .locator = LocatorKind::Step}},
                              .update = "UpdateLetters",
                              .hideSelect = true}},
        },
    .buttons =
        {
            {.text = "&Insert",
             .role = ButtonRole::Insert,
             .message = "Add a new letter to the file"},
            {.text = "&Delete",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted letter"},
            {.text = "&Edit",
             .role = ButtonRole::Change,
             .message = "Review or make changes to the highlighted letter"},
            {.text = "&Select",
             .role = ButtonRole::Select,
             .message = "Select the highlighted letter"},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

}  // namespace

void BrowseLetters(std::string_view) {
    // The letter report waits for the letter chosen; from the menu the list
    // opens beside the other windows.
    if (processValues().PendingRequest == SelectRequest) {
        runCalled<WindowManager>(kBrowseLetters);
        return;
    }
    startWindow(std::make_unique<WindowManager>(kBrowseLetters));
}

}  // namespace bb
