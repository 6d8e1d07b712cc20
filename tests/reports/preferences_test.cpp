// The preferences: loading (creating and repairing) the record at start-up,
// and the "Preferences (Default Settings)" window driven as a user would:
// its data entry defaults, the location rule, the cut-off date, Clear
// Defaults, Cancel, and the selection filter that OK builds and writes,
// run over the small book.
#include "reports/preferences.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>

#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "reports/select_n_sort.h"
#include "selection_book.h"
#include "ui/marked_list.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr char kCaption[] = "Preferences (Default Settings)";
constexpr char kReps[] = "Mark Registered Representatives";
constexpr char kGroups[] = "Mark Customer Groups";
constexpr char kClasses[] = "Mark Customer Classification";

class PreferencesTest : public SelectionBookTest {
protected:
    PreferencesTest() { procedures().add("Preferences", Preferences); }

    static int openPreferences() { return procedures().call("Preferences", NoRequest, "1"); }
    static void loadAtStartUp() { procedures().call("Preferences", NoRequest, "0"); }

    // The record as a first start makes it, on file.
    static void storeFirstRecord() {
        storePreferences([](Record&) {
            CTRL::REPORTFILTER.set("MBR:Active=1");
            CTRL::REPORTKEY.set("MBR:CompanyName");
            CTRL::DEFAULTOUTDATEPERIOD.set("3");
        });
    }

    static const Record& stored() {
        static Record only(fileDef(FileId::Defaults));
        const std::vector<Record> records = storedPreferences();
        EXPECT_EQ(records.size(), 1u);
        if (!records.empty()) only = records.front();
        return only;
    }
    static std::string stored(TextField field) { return stored().get(field.index()).toText(); }
    static std::int32_t storedNumber(IntegerField field) {
        return static_cast<std::int32_t>(stored().integer(field.index()));
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const MessageRequest& m : ui.messages.shown) out.push_back(m.title);
        return out;
    }
};

// ------------------------------------------------------------ at start-up

TEST_F(PreferencesTest, AFirstStartCreatesTheRecordWithItsPrimedValues) {
    EXPECT_TRUE(storedPreferences().empty());
    loadAtStartUp();
    loadAtStartUp();  // the second start finds the record
    EXPECT_EQ(processValues().CurrentProcedure.get(), "Preferences");
    EXPECT_EQ(stored(CTRL::REPORTFILTER), "MBR:Active=1");
    EXPECT_EQ(stored(CTRL::REPORTKEY), "MBR:CompanyName");
    EXPECT_EQ(stored(CTRL::DEFAULTOUTDATEPERIOD), "3");
    EXPECT_EQ(storedNumber(CTRL::DEFAULTOUTDATEDATE), today() - 1095);
    EXPECT_EQ(CTRL::REPORTFILTER.get(), "MBR:Active=1");
    EXPECT_EQ(CTRL::DEFAULTOUTDATEDATE.get(), today() - 1095);
    EXPECT_TRUE(ui.messages.shown.empty());
}

struct PeriodCase {
    const char* stored;
    const char* loaded;
    bool repaired;  // the cut-off date is then today's for 3 years, and the record is rewritten
};

TEST_F(PreferencesTest, AtStartUpABadPeriodIsRepairedAndAGoodOneKeepsItsCutOff) {
    const DayNumber oldCutOff = *dayNumber(1990, 6, 1);
    const PeriodCase cases[] = {
        {"5", "3", true},  {"", "3", true},   {"3 Years", "3", true}, {"0", "3", true},
        {"1", "1", false}, {"2", "2", false}, {"3", "3", false},
    };
    for (const PeriodCase& c : cases) {
        SCOPED_TRACE(c.stored);
        storePreferences([&](Record&) {
            CTRL::DEFAULTOUTDATEPERIOD.set(c.stored);
            CTRL::DEFAULTOUTDATEDATE.set(oldCutOff);
            CTRL::REPORTFILTER.set("MBR:Active=0");
            CTRL::DEFAULTCITY.set("Boston");
        });
        loadAtStartUp();
        const DayNumber cutOff = c.repaired ? today() - 1095 : oldCutOff;
        EXPECT_EQ(CTRL::DEFAULTOUTDATEPERIOD.get(), c.loaded);
        EXPECT_EQ(CTRL::DEFAULTOUTDATEDATE.get(), cutOff);
        EXPECT_EQ(stored(CTRL::DEFAULTOUTDATEPERIOD), c.loaded);
        EXPECT_EQ(storedNumber(CTRL::DEFAULTOUTDATEDATE), cutOff);
        // The rest of the record is read, not primed.
        EXPECT_EQ(CTRL::REPORTFILTER.get(), "MBR:Active=0");
        EXPECT_EQ(stored(CTRL::DEFAULTCITY), "Boston");
    }
}

// ------------------------------------------------------------- data entry

TEST_F(PreferencesTest, TheDataEntryDefaultsAreSavedAsChosen) {
    storeFirstRecord();
    ui.when(kCaption, [](DrivenWindow& form) {
        form.choose("Company");
        form.choose("Domestic");
        form.type("Default City", "Boston");
        form.pick("Default State", "NY");
        form.type("Zip", "02108");
        form.pick("Default Representative", "Cy Cole");
        EXPECT_EQ(form.shown("Representative name"), "Cy Cole");
        form.pick("Default Classification", "Silver");
        form.type("Default Area Code", "617");
        EXPECT_EQ(form.shown("Default Area Code"), "(617)");
        form.choose("Cell");
        form.showTab("Report Specifications");
        form.type("Default Receipt Company", "Acme Securities");
        form.choose("ZIP Code");
        form.type("Default Start Date", "01/04/1999");
        form.type("Default End Date", "03/31/1999");
        form.press("OK");
    });
    EXPECT_EQ(openPreferences(), ResponseCompleted);
    EXPECT_EQ(stored(CTRL::DEFAULTTYPE), "Company");
    EXPECT_EQ(stored(CTRL::DEFAULTFOREIGN), "D");
    EXPECT_EQ(stored(CTRL::DEFAULTCITY), "Boston");
    EXPECT_EQ(stored(CTRL::DEFAULTSTATE), "NY");
    EXPECT_EQ(stored(CTRL::DEFAULTZIP), "02108");
    EXPECT_EQ(stored(CTRL::DEFAULTREP_NUM), "309");
    EXPECT_EQ(storedNumber(CTRL::DEFAULTREPRESENTATIVENUMBER), 3);
    EXPECT_EQ(stored(CTRL::DEFAULTCLASS), "Silver");
    EXPECT_EQ(storedNumber(CTRL::DEFAULTAREACODE), 617);
    EXPECT_EQ(stored(CTRL::DEFAULTPHONETYPE), "Cell");
    EXPECT_EQ(stored(CTRL::DEFAULTRECEIPTCOMPANY), "Acme Securities");
    EXPECT_EQ(stored(CTRL::REPORTKEY), "MBR:ZIPCode");
    EXPECT_EQ(storedNumber(CTRL::DEFAULTSTARTDATE), *dayNumber(1999, 1, 4));
    EXPECT_EQ(storedNumber(CTRL::DEFAULTENDDATE), *dayNumber(1999, 3, 31));
    EXPECT_EQ(CTRL::DEFAULTCITY.get(), "Boston");
}

TEST_F(PreferencesTest, AnInternationalLocationDisablesTheAddressDefaults) {
    storePreferences([](Record&) {
        CTRL::DEFAULTOUTDATEPERIOD.set("3");
        CTRL::DEFAULTFOREIGN.set("I");
    });
    ui.when(kCaption, [](DrivenWindow& form) {
        const char* address[] = {"Default City", "Default State", "State name", "Zip",
                                 "Default Area Code"};
        for (const char* field : address) EXPECT_FALSE(form.enabled(field)) << field;
        EXPECT_TRUE(form.enabled("Default Representative"));
        form.choose("Domestic");
        for (const char* field : address) EXPECT_TRUE(form.enabled(field)) << field;
        form.choose("International");
        for (const char* field : address) EXPECT_FALSE(form.enabled(field)) << field;
        form.press("OK");
    });
    EXPECT_EQ(openPreferences(), ResponseCompleted);
    EXPECT_EQ(stored(CTRL::DEFAULTFOREIGN), "I");
}

TEST_F(PreferencesTest, ThePeriodSetsTheCutOffDateAfterEveryEventAndTheStatusBarShowsTheDay) {
    storePreferences([](Record&) {
        CTRL::DEFAULTOUTDATEPERIOD.set("3");
        CTRL::DEFAULTOUTDATEDATE.set(*dayNumber(1990, 6, 1));
    });
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.manager().StatusText(2), "Friday, March 5, 1999");
        // Recomputed from today as soon as the window opens.
        EXPECT_EQ(form.shown("Outdated on or before"), "Mar 5, 1996");
        EXPECT_EQ(form.shown("Default Update Notification"), "3 Years");
        form.choose("1 Year");
        EXPECT_EQ(form.shown("Outdated on or before"), "Mar 5, 1998");
        form.choose("2 Years");
        EXPECT_EQ(form.shown("Outdated on or before"), "Mar 5, 1997");
        // A screen reader reads the date it shows.
        QAccessibleInterface* cutOff =
            QAccessible::queryAccessibleInterface(form.find("Outdated on or before"));
        ASSERT_NE(cutOff, nullptr);
        EXPECT_EQ(cutOff->text(QAccessible::Name).toStdString(), "Mar 5, 1997");
        form.press("OK");
    });
    EXPECT_EQ(openPreferences(), ResponseCompleted);
    EXPECT_EQ(stored(CTRL::DEFAULTOUTDATEPERIOD), "2");
    EXPECT_EQ(storedNumber(CTRL::DEFAULTOUTDATEDATE), *dayNumber(1997, 3, 5));
}

TEST_F(PreferencesTest, ClearDefaultsKeepsThePeriodAndTheReportSettings) {
    storePreferences([](Record&) {
        CTRL::DEFAULTTYPE.set("Company");
        CTRL::DEFAULTFOREIGN.set("D");
        CTRL::DEFAULTCITY.set("Boston");
        CTRL::DEFAULTSTATE.set("NY");
        CTRL::DEFAULTZIP.set("02108");
        CTRL::DEFAULTREP_NUM.set("205");
        CTRL::DEFAULTREPRESENTATIVENUMBER.set(2);
        CTRL::DEFAULTCLASS.set("Gold");
        CTRL::DEFAULTAREACODE.set(617);
        CTRL::DEFAULTPHONETYPE.set("Cell");
        CTRL::DEFAULTSTARTDATE.set(*dayNumber(1999, 1, 4));
        CTRL::DEFAULTENDDATE.set(*dayNumber(1999, 3, 31));
        CTRL::DEFAULTOUTDATEPERIOD.set("2");
        CTRL::DEFAULTRECEIPTCOMPANY.set("Acme Securities");
        CTRL::REPORTKEY.set("MBR:ZIPCode");
        CTRL::REPORTFILTER.set("MBR:Active=0 AND (CMBRS:Committee='Chess')");
        CTRL::COMMFILTER.set("(CMBRS:Committee='Chess'");
    });
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Default City"), "Boston");
        EXPECT_EQ(form.shown("Default State"), "NY");
        EXPECT_EQ(form.shown("Default Representative"), "205");
        EXPECT_EQ(form.shown("Representative name"), "Bob Baker");
        EXPECT_EQ(form.shown("Default Classification"), "Gold");
        EXPECT_EQ(form.shown("Default Area Code"), "(617)");
        form.hover("Clear Defaults");
        EXPECT_EQ(form.manager().StatusText(1),
                  "Clear all data entry defaults (except default update notification)");
        form.press("Clear Defaults");
        for (const char* field :
             {"Default City", "Default State", "Zip", "Default Representative",
              "Representative name", "Default Classification", "Default Customer Type",
              "Default Location", "Default Phone Type"})
            EXPECT_EQ(form.shown(field), "") << field;
        EXPECT_EQ(form.shown("Default Update Notification"), "2 Years");
        form.press("OK");
    });
    EXPECT_EQ(openPreferences(), ResponseCompleted);
    for (TextField field :
         {CTRL::DEFAULTTYPE, CTRL::DEFAULTFOREIGN, CTRL::DEFAULTCITY, CTRL::DEFAULTSTATE,
          CTRL::DEFAULTZIP, CTRL::DEFAULTREP_NUM, CTRL::DEFAULTCLASS, CTRL::DEFAULTPHONETYPE})
        EXPECT_EQ(stored(field), "") << field.name();
    for (IntegerField field : {CTRL::DEFAULTREPRESENTATIVENUMBER, CTRL::DEFAULTAREACODE,
                               CTRL::DEFAULTSTARTDATE, CTRL::DEFAULTENDDATE})
        EXPECT_EQ(storedNumber(field), 0) << field.name();
    EXPECT_EQ(stored(CTRL::DEFAULTOUTDATEPERIOD), "2");
    EXPECT_EQ(stored(CTRL::DEFAULTRECEIPTCOMPANY), "Acme Securities");
    EXPECT_EQ(stored(CTRL::REPORTKEY), "MBR:ZIPCode");
    EXPECT_EQ(stored(CTRL::REPORTFILTER), "MBR:Active=0 AND (CMBRS:Committee='Chess')");
}

TEST_F(PreferencesTest, ADefaultNamingNoRecordShowsAsMissing) {
    // Renamed or deleted since they were chosen.
    storePreferences([](Record&) {
        CTRL::DEFAULTOUTDATEPERIOD.set("3");
        CTRL::DEFAULTSTATE.set("TX");
        CTRL::DEFAULTREP_NUM.set("404");
        CTRL::DEFAULTREPRESENTATIVENUMBER.set(44);
        CTRL::DEFAULTCLASS.set("Retail");
    });
    ui.when(kCaption, [](DrivenWindow& form) {
        const std::pair<const char*, const char*> lists[] = {
            {"Default State", "TX (missing)"},
            {"Default Representative", "404 (missing)"},
            {"Default Classification", "Retail (missing)"}};
        for (const auto& [list, missing] : lists) {
            auto* combo = qobject_cast<QComboBox*>(form.find(list));
            ASSERT_NE(combo, nullptr);
            EXPECT_EQ(combo->currentIndex(), -1) << list;
            EXPECT_EQ(combo->placeholderText().toStdString(), missing);
        }
        form.screenshot("preferences-missing-defaults");
        // Chosen again, it shows as any choice does.
        form.pick("Default Classification", "Gold");
        auto* classes = qobject_cast<QComboBox*>(form.find("Default Classification"));
        EXPECT_EQ(classes->currentText().toStdString(), "Gold");
        form.press("Cancel");
    });
    openPreferences();
}

TEST_F(PreferencesTest, TheNamesBesideTheDropListsAreThoseOfTheDefaults) {
    storeFirstRecord();
    // What the representatives' and states' windows read last.
    buffer(FileId::Representatives).clear();
    REP::REP_NAME.set("Jane Broker");
    buffer(FileId::States).clear();
    ST::STATECODE.set("CA");
    ST::STATENAME.set("California");
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Default Representative"), "");
        EXPECT_EQ(form.shown("Representative name"), "");
        EXPECT_EQ(form.shown("Default State"), "");
        EXPECT_EQ(form.shown("State name"), "");
        form.pick("Default Representative", "Cy Cole");
        EXPECT_EQ(form.shown("Representative name"), "Cy Cole");
        form.press("Cancel");
    });
    openPreferences();
}

TEST_F(PreferencesTest, AnEmptyListIsNeverSaidToBeAllMarked) {
    storeFirstRecord();
    FileManager& groups = *fileManagerFor(FileId::Committees);
    groups.SetOrder(COM::key::COMMITTEEKEY);
    while (groups.NextQuietly() == SeverityNone)
        ASSERT_EQ(relationManagerFor(FileId::Committees)->Delete(false), SeverityNone);
    ui.when(kCaption, [](DrivenWindow& form) {
        form.showTab("Report Specifications");
        EXPECT_TRUE(form.marked(kGroups).empty());
        form.press("OK");
    });
    EXPECT_EQ(openPreferences(), ResponseCompleted);
    EXPECT_EQ(titles(), std::vector<std::string>{});
    // A list with rows, all marked, is still told.
    ui.messages.clear();
    ui.when(kCaption, [](DrivenWindow& form) {
        form.showTab("Report Specifications");
        form.mark(kClasses, "Gold");
        form.mark(kClasses, "Silver");
        form.press("OK");
    });
    EXPECT_EQ(openPreferences(), ResponseCompleted);
    EXPECT_EQ(titles(), std::vector<std::string>{"All Customer Classifications Are Marked"});
}

TEST_F(PreferencesTest, CancelLeavesTheRecordInMemoryAndOnFileAsItWas) {
    storeFirstRecord();
    loadAtStartUp();
    // A selection made for one report, in memory only.
    CTRL::REPORTFILTER.set("MBR:Active=0");
    const Record before = buffer(FileId::Defaults);
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Status"), "Active");  // as on file
        form.type("Default City", "Boston");
        form.choose("Both");
        form.mark(kGroups, "Golf");
        form.press("Cancel");
    });
    EXPECT_EQ(openPreferences(), ResponseCancelled);
    EXPECT_TRUE(buffer(FileId::Defaults) == before);
    EXPECT_EQ(stored(CTRL::DEFAULTCITY), "");
    EXPECT_EQ(stored(CTRL::REPORTFILTER), "MBR:Active=1");
}

// -------------------------------------------------------------- selection

TEST_F(PreferencesTest, TheWorkedExampleGivesExactlyItsFilterAndItsCustomers) {
    storeFirstRecord();
    ui.when(kCaption, [](DrivenWindow& form) {
        form.showTab("Report Specifications");
        form.choose("Active");
        form.mark(kReps, "101");
        form.mark(kReps, "Bob Baker");
        form.mark(kGroups, "Golf");
        form.press("OK");
    });
    EXPECT_EQ(openPreferences(), ResponseCompleted);
    const std::string filter = stored(CTRL::REPORTFILTER);
    EXPECT_EQ(filter,
              "MBR:Active=1 AND (MBR:Rep_Num='101' OR MBR:Rep_Num='205') AND "
              "(CMBRS:Committee='Golf')");
    EXPECT_EQ(stored(CTRL::REPFILTER), "(MBR:Rep_Num='101' OR MBR:Rep_Num='205'");
    EXPECT_EQ(stored(CTRL::CLASSFILTER), "");
    EXPECT_EQ(stored(CTRL::COMMFILTER), "(CMBRS:Committee='Golf'");
    EXPECT_EQ(selected(filter), (std::vector<std::string>{"Adams", "Evans"}));
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(PreferencesTest, NoListCutsItsHeadersOrItsRows) {
    storeFirstRecord();
    ui.when(kCaption, [](DrivenWindow& form) {
        form.showTab("Report Specifications");
        for (const char* list : {kReps, kGroups, kClasses}) {
            SCOPED_TRACE(list);
            expectNothingCut(*form.manager().Marks(list));
        }
        form.press("Cancel");
    });
    openPreferences();
}

struct SelectionCase {
    const char* what;
    const char* status;
    std::vector<const char*> reps, groups, classes;  // rows clicked
    const char* filter;
    std::vector<std::string> customers;
    std::vector<std::string> messages;
};

TEST_F(PreferencesTest, EveryFilterTheWindowBuildsSelectsExactlyItsCustomers) {
    const std::vector<std::string> all = everyone();
    const SelectionCase cases[] = {
        {"both, nothing marked: everyone", "Both", {}, {}, {}, "", all, {}},
        {"inactive only", "Inactive", {}, {}, {}, "MBR:Active=0", {"Clark", "Foster"}, {}},
        {"active of one classification",
         "Active",
         {},
         {},
         {"Gold"},
         "MBR:Active=1 AND (MBR:SalesLevel='Gold')",
         {"Adams", "Evans"},
         {}},
        {"two groups, joined through the memberships",
         "Both",
         {},
         {"Chess", "O'Brien Club"},
         {},
         "(CMBRS:Committee='Chess' OR CMBRS:Committee='O''Brien Club')",
         {"Clark", "Davis", "Evans", "Green"},
         {}},
        {"every representative marked adds nothing",
         "Active",
         {"101", "205", "309"},
         {"Golf Club"},
         {},
         "MBR:Active=1 AND (CMBRS:Committee='Golf Club')",
         {"Brown"},
         {"All Representatives Are Marked"}},
        {"every group and classification marked: everyone",
         "Both",
         {},
         {"Chess", "Golf", "Golf Club", "O'Brien Club"},
         {"Gold", "Silver"},
         "",
         all,
         {"All Customer Groups Are Marked", "All Customer Classifications Are Marked"}},
        {"representatives and classification",
         "Both",
         {"309"},
         {},
         {"Silver"},
         "(MBR:Rep_Num='309') AND (MBR:SalesLevel='Silver')",
         {"Davis"},
         {}},
    };
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.what);
        storeFirstRecord();
        ui.messages.clear();
        ui.when(kCaption, [&c](DrivenWindow& form) {
            form.choose(c.status);
            for (const char* row : c.reps) form.mark(kReps, row);
            for (const char* row : c.groups) form.mark(kGroups, row);
            for (const char* row : c.classes) form.mark(kClasses, row);
            form.press("OK");
        });
        EXPECT_EQ(openPreferences(), ResponseCompleted);
        EXPECT_EQ(stored(CTRL::REPORTFILTER), c.filter);
        EXPECT_EQ(selected(stored(CTRL::REPORTFILTER)), c.customers);
        EXPECT_EQ(titles(), c.messages);
        for (const MessageRequest& m : ui.messages.shown) {
            EXPECT_EQ(m.text,
                      "The entire list is included by default.||You do not need to select each "
                      "one individually.");
            EXPECT_EQ(m.icon, MessageIcon::Information);
        }
    }
}

// A name with a quote once gave a filter that did not compile.
TEST_F(PreferencesTest, AGroupNamedWithAQuoteSelectsExactlyThatGroup) {
    storeFirstRecord();
    ui.when(kCaption, [](DrivenWindow& form) {
        form.choose("Both");
        form.mark(kGroups, "O'Brien Club");
        form.press("OK");
    });
    EXPECT_EQ(openPreferences(), ResponseCompleted);
    EXPECT_EQ(stored(CTRL::REPORTFILTER), "(CMBRS:Committee='O''Brien Club')");
    EXPECT_EQ(selected(stored(CTRL::REPORTFILTER)), (std::vector<std::string>{"Davis", "Evans"}));
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.marked(kGroups), (std::vector<std::string>{"O'Brien Club"}));
        form.press("Cancel");
    });
    openPreferences();
}

struct RemarkCase {
    const char* what;
    const char* saved;
    std::vector<std::string> marked;
    const char* filter;  // after OK
};

// Marking again by "contains" once marked Golf because Golf Club was
// chosen, and the next OK widened the selection.
TEST_F(PreferencesTest, OpeningMarksOnlyTheExactNamesThatWereChosen) {
    const RemarkCase cases[] = {
        {"Golf Club is not Golf",
         "(CMBRS:Committee='Golf Club'",
         {"Golf Club"},
         "MBR:Active=1 AND (CMBRS:Committee='Golf Club')"},
        {"Golf is not Golf Club",
         "(CMBRS:Committee='Golf'",
         {"Golf"},
         "MBR:Active=1 AND (CMBRS:Committee='Golf')"},
        {"a quote saved once, by an older version",
         "(CMBRS:Committee='O'Brien Club'",
         {"O'Brien Club"},
         "MBR:Active=1 AND (CMBRS:Committee='O''Brien Club')"},
    };
    for (const RemarkCase& c : cases) {
        SCOPED_TRACE(c.what);
        storePreferences([&c](Record&) {
            CTRL::DEFAULTOUTDATEPERIOD.set("3");
            CTRL::REPORTFILTER.set("MBR:Active=1");
            CTRL::COMMFILTER.set(c.saved);
        });
        ui.when(kCaption, [&c](DrivenWindow& form) {
            EXPECT_EQ(form.marked(kGroups), c.marked);
            form.press("OK");
        });
        EXPECT_EQ(openPreferences(), ResponseCompleted);
        EXPECT_EQ(stored(CTRL::REPORTFILTER), c.filter);
    }
    EXPECT_EQ(selected(stored(CTRL::REPORTFILTER)), (std::vector<std::string>{"Davis", "Evans"}));
}

TEST_F(PreferencesTest, MoreMarkedThanTheSavedSelectionHoldsIsRefusedAndNothingIsWritten) {
    // Thirty long group names: thirty of them overflow the saved part.
    for (int i = 0; i < 30; ++i) {
        buffer(FileId::Committees).clear();
        COM::COMMITTEE.set("Investment Club " + std::to_string(100 + i));
        ASSERT_EQ(fileManagerFor(FileId::Committees)->Insert(), SeverityNone);
    }
    storeFirstRecord();
    ui.when(kCaption, [this](DrivenWindow& form) {
        MarkedList& groups = *form.manager().Marks(kGroups);
        for (int row = 0; row < 30; ++row) groups.Mark(row, true);
        form.press("OK");
        EXPECT_EQ(titles(), (std::vector<std::string>{"Too Many Customer Groups Marked"}));
        EXPECT_EQ(form.focused(), kGroups);
        form.press("Cancel");
    });
    EXPECT_EQ(openPreferences(), ResponseCancelled);
    EXPECT_EQ(stored(CTRL::REPORTFILTER), "MBR:Active=1");
    EXPECT_EQ(stored(CTRL::COMMFILTER), "");
}

}  // namespace
}  // namespace bb::test
