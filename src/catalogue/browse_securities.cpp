// The security products of one investment: "Select a Security Product"
// for a caller that asks for a product (after choosing its category and
// investment), "Security Products" when maintained from the investment
// list. Inactive products stay listed, in silver; under the list, the
// highlighted product's objective.
#include "catalogue/catalogue_list.h"
#include "catalogue/catalogue_windows.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/browse_manager.h"
#include "ui/procedures.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kProducts = "Products";
constexpr TextVariable kObjective{"Objective", 40};

// The row colours, as RGB.
constexpr int kSilver = 0xC0C0C0;
constexpr int kWhite = 0xFFFFFF;

RowColours productColours(int) {
    if (SEC::ACTIVE.get() != "1") return {kSilver, kDefaultColour, kWhite, kSilver};
    return {};
}

// One order per tab, each found by the text typed in its tab's entry.
struct ProductTab {
    std::string_view tab;
    TextVariable find;  // the entry's window variable and name
    int key;
};
constexpr ProductTab kTabs[] = {{"Symbol", {"FindSymbol", 8}, SEC::key::CATEGORYNUMBERKEY},
                                {"Name", {"FindName", 40}, SEC::key::SECURITYNAMEKEY},
                                {"Cusip", {"FindCusip", 20}, SEC::key::CUSIPKEY}};

SortDecl productOrder(const ProductTab& tab) {
    SortDecl order{
        .key = tab.key, .locator = LocatorKind::Entry, .locatorEntry = tab.find, .tab = tab.tab};
    // The symbol's key starts with the investment; the others are filtered by it.
    if (tab.key == SEC::key::CATEGORYNUMBERKEY) {
        order.range = {.kind = SingleValue,
                       .field = SEC::CATEGORYNUMBER,
                       .limit = {.local = kOwnerNumber.name()}};
    } else {
        order.filter = "(SEC:CategoryNumber = OwnerNumber)";
    }
    return order;
}

std::vector<LocalDecl> productLocals() {
    std::vector<LocalDecl> locals = ownerLocals();
    locals.push_back(kHeading);
    locals.push_back(kObjective);
    for (const ProductTab& tab : kTabs) locals.push_back(tab.find);
    return locals;
}

std::vector<FieldDecl> productFields() {
    std::vector<FieldDecl> fields{
        headingField(),
        ownerField(),
        {.kind = ControlKind::List,
         .name = kProducts,
         .message = "Select a security product",
         .list = ListDecl{.file = FileId::Securities,
                          .format = "40L(2)|M~Symbol~@s8@120L(2)|M~Name~@s40@20L(2)|M~Obj~@s2@"
                                    "80L(2)|M~Cusip Number~@s20@120L(2)|M~Description~@s40@",
                          .columns = {SEC::SYMBOL, SEC::SECURITYNAME, SEC::INVESTMENTTYPE,
                                      SEC::CUSIPNUMBER, SEC::DESCRIPTION},
                          .orders = {productOrder(kTabs[0]), productOrder(kTabs[1]),
                                     productOrder(kTabs[2])},
                          .update = "UpdateSecurities",
                          .colours = productColours,
                          .rows = 8}},
        {.kind = ControlKind::Display, .local = kObjective, .name = "Objective"},
    };
    for (const ProductTab& tab : kTabs)
        fields.push_back({.local = tab.find, .name = tab.find, .prompt = "&Find:", .tab = tab.tab});
    return fields;
}

std::vector<ButtonDecl> productButtons(bool lookup) {
    std::vector<ButtonDecl> buttons{
        {.text = "&Insert Record", .role = ButtonRole::Insert, .message = "Add a new product"},
        {.text = "&Delete Record",
         .role = ButtonRole::Delete,
         .message = "Delete the highlighted product"},
        {.text = "&Edit Record",
         .role = ButtonRole::Change,
         .message = "Make changes to the highlighted product"},
    };
    if (lookup) {
        buttons.push_back(
            {.text = "&Select", .name = "Select", .message = "Choose the highlighted product"});
    } else {
        buttons.push_back({.text = "&Cross Reference",
                           .message = "Print the cross reference of the highlighted product",
                           .calls = "PrintSecurityCrossReference",
                           .request = ProcessRequest,
                           .needsRecord = true,
                           .refresh = true});
    }
    buttons.push_back(
        {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"});
    buttons.push_back({.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"});
    return buttons;
}

WindowDecl productDecl(bool lookup) {
    return WindowDecl{
        .procedure = "BrowseSecurities",
        .caption = lookup ? "Select a Security Product" : "Security Products",
        .recordsName = true,
        .locals = productLocals(),
        .fields = productFields(),
        .buttons = productButtons(lookup),
    };
}

const WindowDecl& kSelectProduct = declareWindow(productDecl(true));
const WindowDecl& kMaintainProducts = declareWindow(productDecl(false));

const CatalogueLevel kProductLevel{
    .name = SEC::SYMBOL,
    .emptyText = "You must enter a Security Product record first...",
    .ownerNumber = CAT::CATEGORYNUMBER,
    .ownerName = CAT::CATEGORYNAME,
    .ownedBy = SEC::CATEGORYNUMBER,
};

// The description of the highlighted product's objective; blank when it
// has no code or its code names no objective.
std::string objectiveOf(std::string_view code) {
    if (text::isBlank(code)) return {};
    FileManager& objectives = *fileManagerFor(FileId::InvestmentType);
    INV::INVESTTYPECODE.set(code);
    if (objectives.FetchQuietly(INV::key::INVESTTYPECODEKEY) != SeverityNone) return {};
    return INV::INVESTTYPEDESC.get();
}

class BrowseSecuritiesWindow final : public CatalogueList {
public:
    explicit BrowseSecuritiesWindow(bool lookup)
        : CatalogueList(lookup ? kSelectProduct : kMaintainProducts,
                        lookup ? "Select a Security Product" : "Security Product Maintenance",
                        kProductLevel) {}

    void AfterEvent() override {
        CatalogueList::AfterEvent();
        const bool any = Browse(kProducts)->Records() > 0;
        Set(kObjective, any ? objectiveOf(SEC::INVESTMENTTYPE.get()) : "");
    }
};

}  // namespace

void BrowseSecurities(std::string_view) {
    const bool lookup = processValues().PendingRequest == SelectRequest;
    if (lookup && !ownerChosen("BrowseInvestments")) return;
    BrowseSecuritiesWindow window(lookup);
    processValues().LastResponse = window.Run();
}

std::optional<std::int32_t> chooseSecurityProduct() {
    if (procedures().call("BrowseSecurities", SelectRequest) != ResponseCompleted)
        return std::nullopt;
    return SEC::SECURITYNUMBER.get();
}

}  // namespace bb
