// "Update Security Product Investments": an investment's name, and whether
// it is a focus sponsor.
#include "catalogue/catalogue_windows.h"
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateInvestments = declareWindow({
    .procedure = "UpdateInvestments",
    .caption = "Update Security Product Investments",
    .recordsName = true,
    .primary = FileId::Categories,
    .fields =
        {
            {.field = CAT::CATEGORYNAME,
             .prompt = "&Investment:",
             .picture = "@s40",
             .ditto = true},
            {.kind = ControlKind::Check,
             .field = CAT::FOCUSCHECK,
             .prompt = "&Focus Sponsor",
             .ditto = true},
        },
    .buttons = formButtons(),
});

class UpdateInvestmentsWindow : public WindowManager {
public:
    UpdateInvestmentsWindow() : WindowManager(kUpdateInvestments) {}

    bool CheckFields() override {
        if (text::isBlank(CAT::CATEGORYNAME.get()))
            return Refuse(CAT::CATEGORYNAME, "Category Name Required",
                          "     Enter a name for this product category.");
        return true;
    }
};

}  // namespace

void UpdateInvestments(std::string_view) {
    runCalled<UpdateInvestmentsWindow>();
}

}  // namespace bb
