// "Mailing Labels": the label stocks, kept up from the maintenance menu and
// chosen from when labels are printed.
#include <memory>

#include "customers/customer_printouts.h"
#include "dictionary/process_values.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kOk = "OK";

const WindowDecl& kBrowseLabels = declareWindow({
    .procedure = "BrowseLabels",
    .caption = "Mailing Labels",
    .recordsName = true,
    .fields =
        {
            {.kind = ControlKind::List,
             .name = "Labels",
             .message = "Select a label",
             .list =
                 ListDecl{
                     .file = FileId::Labels,
                     .format = "74L(2)|~Label Type~@s15@[32R(6)|~Width~C(0)@n5.2@48R(6)|~Height~"
                               "C(0)@n5.2@](61)|~Page~[31R(6)|~Width~C(0)@n5.2@52R(6)|~Height~C("
                               "0)@n5.2@](63)|~Label~[33R(6)|~Top~C(0)@n5.2@48R(6)|~Left~C(0)@n5."
                               "2@](62)|~Margin~[40C(2)|~Size~C(0)@n3@]|~Font~",
                     .columns = {LAB::LABELTYPE, LAB::PAGEWIDTH, LAB::PAGEHEIGHT, LAB::LABELWIDTH,
                                 LAB::LABELHEIGHT, LAB::TOPMARGIN, LAB::LEFTMARGIN, LAB::FONTSIZE},
                     .orders = {{.key = LAB::key::TYPE, .locator = LocatorKind::Step}},
                     .update = "UpdateLabels",
                     .hideSelect = true}},
        },
    .buttons =
        {
            {.text = "&Insert", .role = ButtonRole::Insert, .message = "Add a new label"},
            {.text = "&Delete",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted label"},
            {.text = "&Edit",
             .role = ButtonRole::Change,
             .message = "Make changes to the highlighted label"},
            {.text = "&Select",
             .role = ButtonRole::Select,
             .message = "Select the highlighted label for this printing"},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
            {.text = "&OK", .name = kOk, .message = "Close this window"},
        },
});

// OK closes the list as Close does.
class BrowseLabelsWindow final : public WindowManager {
public:
    BrowseLabelsWindow() : WindowManager(kBrowseLabels) {}

    void SetupControls() override {
        WindowManager::SetupControls();
        AddButton(Control(kOk), ResponseCancelled);
    }
};

}  // namespace

void BrowseLabels(std::string_view) {
    // The label report waits for the stock chosen; from the menu the list
    // opens beside the other windows.
    if (processValues().PendingRequest == SelectRequest) {
        runCalled<BrowseLabelsWindow>();
        return;
    }
    startWindow(std::make_unique<BrowseLabelsWindow>());
}

}  // namespace bb
