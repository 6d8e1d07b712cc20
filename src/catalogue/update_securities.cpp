// "Update Security Products": a product's symbol, name, CUSIP number,
// description, objective and whether it is still sold. Renaming a symbol
// carries the new one into every transaction of it (the transactions
// relation cascades it); the user is told so first.
#include <string>

#include "catalogue/catalogue_windows.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr TextVariable kInvestment{"Investment", 40};
// A transaction keeps seven characters of a symbol: a longer one could be
// chosen but never traded, and a rename to it would be cut in the trades.
constexpr std::size_t kTradedSymbolWidth = 7;

FieldDecl entry(FieldRef field, std::string_view prompt, std::string_view picture) {
    return {.field = field, .prompt = prompt, .picture = picture, .ditto = true};
}

const WindowDecl& kUpdateSecurities = declareWindow({
    .procedure = "UpdateSecurities",
    .caption = "Update Security Products",
    .recordsName = true,
    .primary = FileId::Securities,
    .locals = {kInvestment},
    .fields =
        {
            {.kind = ControlKind::Display,
             .local = kInvestment,
             .name = kInvestment,
             .heavy = true},
            entry(SEC::SYMBOL, "&Symbol:", "@s8"),
            entry(SEC::SECURITYNAME, "&Name:", "@s40"),
            entry(SEC::CUSIPNUMBER, "C&usip Number:", "@s20"),
            entry(SEC::DESCRIPTION, " &Description:", "@s40"),
            {.kind = ControlKind::DropList,
             .field = SEC::INVESTMENTTYPE,
             .prompt = "&Objective:",
             .message = "Select the objective of this product",
             .drop = DropDecl{.file = FileId::InvestmentType,
                              .key = INV::key::INVESTTYPECODEKEY,
                              .format = "24L(2)|M~Code~@s2@160L(2)|M~Description~@s40@",
                              .columns = {INV::INVESTTYPECODE, INV::INVESTTYPEDESC},
                              .updates = {{INV::INVESTTYPECODE, SEC::INVESTMENTTYPE}},
                              .defaultFill = false}},
            {.kind = ControlKind::Check, .field = SEC::ACTIVE, .prompt = "&Active", .ditto = true},
        },
    .buttons = formButtons(),
});

std::string renameText(std::string_view from, std::string_view to) {
    const std::string old(text::clip(from));
    return "Security Symbol " + old + " has been changed ...||Original: " + old +
           "   New: " + std::string(text::clip(to)) +
           "||All Account Transaction records will be updated.";
}

// The name of investment `number`, read for the heading; blank when it is gone.
std::string investmentName(std::int32_t number) {
    FileManager& investments = *fileManagerFor(FileId::Categories);
    const int saved = investments.SaveCopy();
    CAT::CATEGORYNUMBER.set(number);
    const bool found = investments.FetchQuietly(CAT::key::CATEGORYNUMBERKEY) == SeverityNone;
    std::string name = found ? CAT::CATEGORYNAME.get() : std::string();
    investments.RestoreCopy(saved, true);
    return name;
}

class UpdateSecuritiesWindow : public WindowManager {
public:
    UpdateSecuritiesWindow() : WindowManager(kUpdateSecurities) {}

    int PrepareRequest() override {
        original_ = SEC::SYMBOL.get();
        return WindowManager::PrepareRequest();
    }

    void SetupControls() override {
        Set(kInvestment, investmentName(SEC::CATEGORYNUMBER.get()));
        WindowManager::SetupControls();
    }

    bool CheckFields() override {
        const std::string_view symbol = text::clip(SEC::SYMBOL.get());
        if (symbol.empty())
            return Refuse(SEC::SYMBOL, "Security Symbol Required",
                          "     Enter the symbol for this product or company.");
        if (symbol.size() > kTradedSymbolWidth)
            return Refuse(SEC::SYMBOL, "Security Symbol Too Long",
                          "     A symbol may have at most 7 characters.");
        if (text::isBlank(SEC::SECURITYNAME.get()))
            return Refuse(SEC::SECURITYNAME, "Security Name Required",
                          "     Enter the name of this product or company.");
        if (REQUEST == ChangeRequest && SEC::SYMBOL.get() != original_)
            Announce("Security Symbol Changed", renameText(original_, SEC::SYMBOL.get()));
        return true;
    }

private:
    std::string original_;  // the symbol as read, which the transactions still carry
};

}  // namespace

void UpdateSecurities(std::string_view) {
    runCalled<UpdateSecuritiesWindow>();
}

}  // namespace bb
