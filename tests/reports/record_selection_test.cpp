// Building the selection filter from a status choice and marked lists, and
// reading saved parts back: the form of each part and of the filter, the
// lists that add nothing, quotes in names, and exact names when a list is
// marked again.
#include "reports/record_selection.h"

#include <gtest/gtest.h>

#include "dictionary/files.h"
#include "platform/filter.h"
#include "platform/name_bindings.h"

namespace bb {
namespace {

// Whether the filter language takes `text` over the customers' records
// joined to their group memberships.
bool compiles(const std::string& text) {
    NameBindings names;
    names.bindRecord(buffer(FileId::Members));
    names.bindRecord(buffer(FileId::Commbrs));
    return std::holds_alternative<Filter>(Filter::compile(text, names));
}

struct PartCase {
    const char* what;
    std::vector<SelectionRow> rows;
    const char* part;
};

TEST(RecordSelection, APartIsTheMarkedNamesInListOrderOrNothing) {
    const PartCase cases[] = {
        {"one marked",
         {{"Chess", false}, {"Golf", true}, {"Golf Club", false}},
         "(CMBRS:Committee='Golf'"},
        {"two marked, trailing blanks dropped",
         {{"Chess", true}, {"Golf   ", true}, {"Golf Club", false}},
         "(CMBRS:Committee='Chess' OR CMBRS:Committee='Golf'"},
        {"a quote in a name is written twice",
         {{"Chess", false}, {"O'Brien Club", true}},
         "(CMBRS:Committee='O''Brien Club'"},
        {"nothing marked", {{"Chess", false}, {"Golf", false}}, ""},
        {"everything marked", {{"Chess", true}, {"Golf", true}}, ""},
        {"an empty list", {}, ""},
    };
    for (const PartCase& c : cases) {
        EXPECT_EQ(selectionPart("CMBRS:Committee", c.rows), c.part) << c.what;
    }
}

struct CombineCase {
    const char* status;
    const char* reps;
    const char* classes;
    const char* groups;
    const char* filter;
};

TEST(RecordSelection, TheFilterIsTheStatusThenRepresentativesClassificationsAndGroups) {
    const CombineCase cases[] = {
        {"MBR:Active=1", "(MBR:Rep_Num='101' OR MBR:Rep_Num='205'", "", "(CMBRS:Committee='Golf'",
         "MBR:Active=1 AND (MBR:Rep_Num='101' OR MBR:Rep_Num='205') AND "
         "(CMBRS:Committee='Golf')"},
        {"Both", "", "", "", ""},
        {"Both", "", "(MBR:SalesLevel='Gold'", "(CMBRS:Committee='Golf'",
         "(MBR:SalesLevel='Gold') AND (CMBRS:Committee='Golf')"},
        {"MBR:Active=0", "", "", "", "MBR:Active=0"},
        {"MBR:Active=1        ", "  ", "(MBR:SalesLevel='Gold'", "",
         "MBR:Active=1 AND (MBR:SalesLevel='Gold')"},
    };
    for (const CombineCase& c : cases) {
        const std::string filter = combineSelection(c.status, c.reps, c.classes, c.groups);
        EXPECT_EQ(filter, c.filter);
        EXPECT_TRUE(compiles(filter)) << filter;
    }
}

TEST(RecordSelection, TheStatusChoiceIsTheTwelveCharactersFromTheStatusField) {
    const std::pair<const char*, const char*> cases[] = {
        {"MBR:Active=1", "MBR:Active=1"},
        {"MBR:Active=0 AND (MBR:Rep_Num='101')", "MBR:Active=0"},
        {"(MBR:SalesLevel='Gold')", "Both"},
        {"", "Both"},
    };
    for (const auto& [filter, choice] : cases) EXPECT_EQ(statusChoiceOf(filter), choice) << filter;
}

struct NamesCase {
    const char* what;
    const char* part;
    std::vector<std::string> names;
};

TEST(RecordSelection, ASavedPartGivesBackExactlyTheNamesThatWereMarked) {
    const NamesCase cases[] = {
        {"one", "(CMBRS:Committee='Golf Club'", {"Golf Club"}},
        {"two", "(CMBRS:Committee='Chess' OR CMBRS:Committee='Golf'", {"Chess", "Golf"}},
        {"a doubled quote",
         "(CMBRS:Committee='O''Brien Club' OR CMBRS:Committee='Golf'",
         {"O'Brien Club", "Golf"}},
        {"a quote saved once, by an older version",
         "(CMBRS:Committee='O'Brien Club' OR CMBRS:Committee='Golf'",
         {"O'Brien Club", "Golf"}},
        {"a name ending in a quote", "(CMBRS:Committee='Smiths'''", {"Smiths'"}},
        {"nothing saved", "", {}},
        {"another list's part", "(MBR:SalesLevel='Golf'", {}},
    };
    for (const NamesCase& c : cases) {
        EXPECT_EQ(selectedNames(c.part, "CMBRS:Committee"), c.names) << c.what;
    }
}

TEST(RecordSelection, EveryNameSurvivesBuildingAndReadingBack) {
    const std::vector<SelectionRow> rows = {
        {"O'Brien Club", true}, {"Golf", true}, {"'Quoted'", true}, {"Chess", false}};
    const std::string part = selectionPart("MBR:SalesLevel", rows);
    EXPECT_EQ(selectedNames(part, "MBR:SalesLevel"),
              (std::vector<std::string>{"O'Brien Club", "Golf", "'Quoted'"}));
    EXPECT_TRUE(compiles(part + ")")) << part;
}

}  // namespace
}  // namespace bb
