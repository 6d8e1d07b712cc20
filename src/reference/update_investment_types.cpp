// "Update Investment Objectives": an objective's two-letter code and its
// description, which security products are classified by.
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateInvestmentTypes = declareWindow({
    .procedure = "UpdateInvestmentTypes",
    .caption = "Update Investment Objectives",
    .recordsName = true,
    .primary = FileId::InvestmentType,
    .fields =
        {
            {.field = INV::INVESTTYPECODE,
             .prompt = "&Objective Code:",
             .picture = "@s2",
             .message = "Enter the 2-letter abbreviation of this objective",
             .ditto = true},
            {.field = INV::INVESTTYPEDESC,
             .prompt = "&Description:",
             .picture = "@s40",
             .ditto = true},
        },
    .buttons = formButtons(),
});

class UpdateInvestmentTypesWindow : public WindowManager {
public:
    UpdateInvestmentTypesWindow() : WindowManager(kUpdateInvestmentTypes) {}

    bool CheckFields() override {
        if (text::isBlank(INV::INVESTTYPECODE.get()))
            return Refuse(INV::INVESTTYPECODE, "Investment Objective Code Required",
                          "     Enter the 2-letter abbreviation for this objective.");
        if (text::isBlank(INV::INVESTTYPEDESC.get()))
            return Refuse(INV::INVESTTYPEDESC, "Description Required",
                          "     Enter a description for this objective.");
        return true;
    }
};

}  // namespace

void UpdateInvestmentTypes(std::string_view) {
    runCalled<UpdateInvestmentTypesWindow>();
}

}  // namespace bb
