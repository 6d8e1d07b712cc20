// "Select an Investment": the investments (fund families, sponsors,
// issuers) of one product category. In maintenance "&Select" opens the
// products of the highlighted investment; a caller asking for an
// investment first chooses its category, then gets the investment chosen.
#include "catalogue/catalogue_list.h"
#include "catalogue/catalogue_windows.h"
#include "dictionary/process_values.h"
#include "reference/order_choice.h"
#include "ui/browse_manager.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr TextVariable kFocusLine{"FocusLine", 13};

std::vector<LocalDecl> investmentLocals() {
    std::vector<LocalDecl> locals = ownerLocals();
    locals.push_back(kHeading);
    locals.push_back(kOrder);
    locals.push_back(kFocusLine);
    return locals;
}

std::vector<SortDecl> investmentOrders() {
    return {
        chosenBy("Investment", {.key = CAT::key::ROOMNUMBERKEY,
                                .range = {.kind = SingleValue,
                                          .field = CAT::ROOMNUMBER,
                                          .limit = {.local = kOwnerNumber.name()}},
                                .locator = LocatorKind::Step}),
        // The number's key holds no category: the filter keeps the list the category's.
        chosenBy("Number",
                 {.key = CAT::key::CATEGORYNUMBERKEY, .filter = "(CAT:RoomNumber = OwnerNumber)"}),
    };
}

const WindowDecl& kBrowseInvestments = declareWindow({
    .procedure = "BrowseInvestments",
    .caption = "Select an Investment",
    .recordsName = true,
    .locals = investmentLocals(),
    .fields =
        {
            headingField(),
            ownerField(),
            {.kind = ControlKind::List,
             .name = "Investments",
             .message = "Select an investment",
             .list = ListDecl{.file = FileId::Categories,
                              .format = "160L(2)|M~Name~@s40@",
                              .columns = {CAT::CATEGORYNAME},
                              .orders = investmentOrders(),
                              .update = "UpdateInvestments",
                              .rows = 8}},
            orderOption({{.text = "Investment", .value = "Investment"},
                         {.text = "by Number", .value = "Number"}}),
            {.kind = ControlKind::Display, .local = kFocusLine, .name = "Focus Sponsor"},
        },
    .buttons =
        {
            {.text = "&Insert Record",
             .role = ButtonRole::Insert,
             .message = "Add a new investment"},
            {.text = "&Delete Record",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted investment"},
            {.text = "&Edit Record",
             .role = ButtonRole::Change,
             .message = "Make changes to the highlighted investment"},
            {.text = "&Select", .name = "Select", .message = "Choose the highlighted investment"},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

const CatalogueLevel kInvestments{
    .name = CAT::CATEGORYNAME,
    .emptyText = "You must enter an Investment record first...",
    .below = "BrowseSecurities",
    .ownerNumber = ROO::ROOMNUMBER,
    .ownerName = ROO::ROOMNAME,
    .ownedBy = CAT::ROOMNUMBER,
};

class BrowseInvestmentsWindow final : public CatalogueList {
public:
    BrowseInvestmentsWindow()
        : CatalogueList(kBrowseInvestments, "Select a Security Product Category", kInvestments) {}

    void SetupControls() override {
        Set(kOrder, "Investment");
        CatalogueList::SetupControls();
    }

    void AfterEvent() override {
        CatalogueList::AfterEvent();
        const bool focus = Browse()->Records() > 0 && CAT::FOCUSCHECK.get() == "1";
        Set(kFocusLine, focus ? "Focus Sponsor" : "");
    }
};

}  // namespace

void BrowseInvestments(std::string_view) {
    if (processValues().PendingRequest == SelectRequest && !ownerChosen("BrowseCategories")) return;
    BrowseInvestmentsWindow window;
    processValues().LastResponse = window.Run();
}

}  // namespace bb
