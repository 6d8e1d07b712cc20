// "Select a Category": the product categories at the top of the security
// catalogue. From the menu "&Select" opens the investments of the
// highlighted category; a caller asking for a category gets the one chosen.
#include <memory>

#include "catalogue/catalogue_list.h"
#include "catalogue/catalogue_windows.h"
#include "dictionary/process_values.h"
#include "reference/order_choice.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl&
    kBrowseCategories =
        declareWindow(
            {
                .procedure = "BrowseCategories",
                .caption = "Select a Category",
                .recordsName = true,
                .locals = {kHeading, kOrder},
                .fields =
                    {
                        headingField(),
                        {.kind = ControlKind::List,
                         .name = "Categories",
                         .message = "Select a product category",
                         .list =
                             ListDecl{
                                 .file = FileId::Rooms,
                                 .format = "120L(2)|M~Name~@s20@",
                                 .columns = {ROO::ROOMNAME},
                                 .orders = {chosenBy("Name", {.key = ROO::key::ROOMNAMEKEY,
                                                              .locator = LocatorKind::Step}),
                                            chosenBy("Number", {.key = ROO::key::ROOMNUMBERKEY})},
                                 .update = "UpdateCategories",
                                 .rows = 8}},
                        orderOption({{.text = "by Name", .value = "Name"},
                                     {.text = "by Number", .value = "Number"}}),
                    },
                .buttons =
                    {
                        {.text = "&Insert Record",
                         .role = ButtonRole::Insert,
                         .message = "Add a new category"},
                        {.text = "&Delete Record",
                         .role = ButtonRole::Delete,
                         .message = "Delete the highlighted category"},
                        {.text = "&Edit Record",
                         .role = ButtonRole::Change,
                         .message = "Make changes to the highlighted category"},
                        {.text = "&Select",
                         .name = "Select",
                         .message = "Choose the highlighted category"},
                        {.text = "&Close",
                         .role = ButtonRole::Cancel,
                         .message = "Close this window"},
                        {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
                    },
            });

const CatalogueLevel kCategories{
    .name = ROO::ROOMNAME,
    .emptyText = "You must enter a Category record first...",
    .below = "BrowseInvestments",
};

class BrowseCategoriesWindow final : public CatalogueList {
public:
    BrowseCategoriesWindow()
        : CatalogueList(kBrowseCategories, "Select a Securitry Product Category", kCategories) {}

    void SetupControls() override {
        Set(kOrder, "Name");
        CatalogueList::SetupControls();
    }
};

}  // namespace

void BrowseCategories(std::string_view) {
    // A caller asking for a category waits for the choice; from the menu
    // the list opens beside the other windows.
    if (processValues().PendingRequest == SelectRequest) {
        BrowseCategoriesWindow window;
        processValues().LastResponse = window.Run();
        return;
    }
    startWindow(std::make_unique<BrowseCategoriesWindow>());
}

}  // namespace bb
