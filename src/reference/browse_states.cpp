// "States": the state codes and names that addresses use, with the
// representatives' licence renewal fee for each.
#include <memory>

#include "dictionary/process_values.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kBrowseStates = declareWindow({
    .procedure = "BrowseStates",
    .caption = "States",
    .recordsName = true,
    .fields =
        {
            {.kind = ControlKind::Display, .field = ST::STATENAME, .name = "State", .heavy = true},
            {.kind = ControlKind::List,
             .name = "States",
             .message = "Select a state",
             .tab = "States",
             .list = ListDecl{.file = FileId::States,
                              .format = "44L(15)|M~State Code~L(2)@s2@80L(2)|M~State Name~@s20@",
                              .columns = {ST::STATECODE, ST::STATENAME},
                              .orders = {{.key = ST::key::STATEKEY, .locator = LocatorKind::Step}},
                              .update = "UpdateStates",
                              .hideSelect = true}},
        },
    .buttons =
        {
            {.text = "&Insert",
             .role = ButtonRole::Insert,
             .message = "Add a new state to the file"},
            {.text = "&Delete",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted state"},
            {.text = "&Edit",
             .role = ButtonRole::Change,
             .message = "Make changes to the highlighted state"},
            {.text = "&Select", .role = ButtonRole::Select},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

}  // namespace

void BrowseStates(std::string_view) {
    startWindow(std::make_unique<WindowManager>(kBrowseStates));
}

}  // namespace bb
