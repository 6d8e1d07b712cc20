// Select N Sort, driven as a user would before printing: it opens on the
// selection and order it is given, builds into them on Print without
// writing the Defaults file, and leaves everything as it was on Cancel.
#include "reports/select_n_sort.h"

#include <gtest/gtest.h>

#include "dictionary/process_values.h"
#include "reports/preferences.h"
#include "selection_book.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr char kCaption[] = "Select N Sort Records to Print";
constexpr char kReps[] = "Mark Represntatives";
constexpr char kGroups[] = "Mark Customer Groups";
constexpr char kClasses[] = "Mark Customer Classification";

class SelectNSortTest : public SelectionBookTest {
protected:
    SelectNSortTest() {
        procedures().add("Preferences", Preferences);
        procedures().add("SelectNSort", runSelectNSort);
        // The preferences as the program has them after start-up.
        storePreferences([](Record&) {
            CTRL::DEFAULTOUTDATEPERIOD.set("3");
            CTRL::REPORTFILTER.set(
                "MBR:Active=1 AND (MBR:Rep_Num='101') AND (CMBRS:Committee='Golf Club')");
            CTRL::REPFILTER.set("(MBR:Rep_Num='101'");
            CTRL::COMMFILTER.set("(CMBRS:Committee='Golf Club'");
            CTRL::REPORTKEY.set("MBR:CompanyName");
        });
        procedures().call("Preferences", NoRequest, "0");
        onFile_ = storedPreferences();
    }

    static int selectNSort() { return procedures().call("SelectNSort"); }

    std::vector<Record> onFile_;
};

TEST_F(SelectNSortTest, PrintBuildsIntoTheSelectionAndOrderInMemoryOnly) {
    ui.when(kCaption, [this](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Status"), "Active");
        EXPECT_EQ(form.marked(kReps), (std::vector<std::string>{"101"}));
        EXPECT_EQ(form.marked(kGroups), (std::vector<std::string>{"Golf Club"}));
        EXPECT_TRUE(form.marked(kClasses).empty());
        EXPECT_EQ(form.shown("Sort by ..."), "Customer Name");
        form.choose("Both");
        form.mark(kReps, "101");
        form.mark(kReps, "205");
        form.mark(kGroups, "Golf");
        form.mark(kClasses, "Gold");
        form.hover("ZIP Code");
        EXPECT_EQ(ui.statusMessage(), "Sort the report by customer zip code");
        form.choose("ZIP Code");
        form.press("Print");
    });
    EXPECT_EQ(selectNSort(), ResponseCompleted);
    EXPECT_EQ(CTRL::REPORTFILTER.get(),
              "(MBR:Rep_Num='205') AND (MBR:SalesLevel='Gold') AND (CMBRS:Committee='Golf' OR "
              "CMBRS:Committee='Golf Club')");
    EXPECT_EQ(CTRL::REPORTKEY.get(), "MBR:ZIPCode");
    EXPECT_EQ(CTRL::REPFILTER.get(), "(MBR:Rep_Num='205'");
    EXPECT_EQ(CTRL::CLASSFILTER.get(), "(MBR:SalesLevel='Gold'");
    EXPECT_EQ(CTRL::COMMFILTER.get(), "(CMBRS:Committee='Golf' OR CMBRS:Committee='Golf Club'");
    EXPECT_EQ(selected(CTRL::REPORTFILTER.get()), (std::vector<std::string>{"Evans"}));
    EXPECT_TRUE(storedPreferences() == onFile_);
    // Opened again, it shows the choice just made.
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Status"), "Both");
        EXPECT_EQ(form.marked(kGroups), (std::vector<std::string>{"Golf", "Golf Club"}));
        EXPECT_EQ(form.shown("Sort by ..."), "ZIP Code");
        form.press("Cancel");
    });
    selectNSort();
}

TEST_F(SelectNSortTest, CancelChangesNothing) {
    const Record before = buffer(FileId::Defaults);
    ui.when(kCaption, [](DrivenWindow& form) {
        form.choose("Inactive");
        form.mark(kReps, "309");
        form.mark(kGroups, "Chess");
        form.choose("ZIP Code");
        form.press("Cancel");
    });
    EXPECT_EQ(selectNSort(), ResponseCancelled);
    EXPECT_TRUE(buffer(FileId::Defaults) == before);
    EXPECT_TRUE(storedPreferences() == onFile_);
}

TEST_F(SelectNSortTest, ItBuildsIntoTheFilterAndSortItIsGiven) {
    std::string shown;
    buffer(FileId::Defaults).clear();
    CTRL::SPAREFILTER.set("MBR:Active=0");
    CTRL::DEFAULTSALESLEVEL.set("MBR:ZIPCode");
    ui.when(kCaption, [&shown](DrivenWindow& form) {
        shown = form.shown("Status") + ", " + form.shown("Sort by ...");
        form.choose("Active");
        form.mark(kClasses, "Silver");
        form.choose("Customer Name");
        form.press("Print");
    });
    EXPECT_EQ(SelectNSort(CTRL::SPAREFILTER, CTRL::DEFAULTSALESLEVEL), ResponseCompleted);
    EXPECT_EQ(shown, "Inactive, ZIP Code");
    EXPECT_EQ(CTRL::SPAREFILTER.get(), "MBR:Active=1 AND (MBR:SalesLevel='Silver')");
    EXPECT_EQ(CTRL::DEFAULTSALESLEVEL.get(), "MBR:CompanyName");
    EXPECT_EQ(CTRL::REPORTFILTER.get(), "");
    EXPECT_EQ(selected(CTRL::SPAREFILTER.get()),
              (std::vector<std::string>{"Brown", "Davis", "Green"}));
}

TEST_F(SelectNSortTest, AnOrderItDoesNotOfferIsKept) {
    CTRL::REPORTKEY.set("MBR:MemberType");
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Sort by ..."), "");
        form.press("Print");
    });
    EXPECT_EQ(selectNSort(), ResponseCompleted);
    EXPECT_EQ(CTRL::REPORTKEY.get(), "MBR:MemberType");
}

// The number column of the representatives once showed "1..." beside its
// check, under a header cut to "Numbe".
TEST_F(SelectNSortTest, NoListCutsItsHeadersOrItsRows) {
    ui.when(kCaption, [](DrivenWindow& form) {
        for (const char* list : {kReps, kGroups, kClasses}) {
            SCOPED_TRACE(list);
            expectNothingCut(*form.manager().Marks(list));
        }
        form.press("Cancel");
    });
    selectNSort();
}

TEST_F(SelectNSortTest, TheStatusIsTakenFromTheFilterWhenItOpens) {
    const std::pair<const char*, const char*> cases[] = {
        {"MBR:Active=1", "Active"},
        {"MBR:Active=0 AND (MBR:Rep_Num='101')", "Inactive"},
        {"(MBR:Rep_Num='101')", "Both"},
        {"", "Both"},
    };
    for (const auto& [filter, status] : cases) {
        CTRL::REPORTFILTER.set(filter);
        ui.when(kCaption, [status = status](DrivenWindow& form) {
            EXPECT_EQ(form.shown("Status"), status);
            form.press("Cancel");
        });
        selectNSort();
    }
}

}  // namespace
}  // namespace bb::test
