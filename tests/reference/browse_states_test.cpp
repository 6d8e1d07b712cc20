// The States list: its rows in code order under the highlighted state's
// name, and its insert through the state form.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>

#include "dictionary/process_values.h"
#include "reference_fixture.h"
#include "ui/browse_list.h"

namespace bb::test {
namespace {

using BrowseStatesTest = ReferenceTest;

TEST_F(BrowseStatesTest, ListsStatesByCodeUnderTheHighlightedName) {
    addState("TX", "Texas");
    addState("AK", "Alaska");
    procedures().call("BrowseStates");
    ui.settle();
    DrivenWindow list = ui.window("States");
    EXPECT_EQ(list.rows("States"), (std::vector<std::string>{"AK", "TX"}));
    EXPECT_EQ(list.rows("States", 1), (std::vector<std::string>{"Alaska", "Texas"}));
    EXPECT_EQ(list.shown("State"), "Alaska");
    list.clickRow("States", 1);
    EXPECT_EQ(list.shown("State"), "Texas");
    EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseStates");
    // The format's widths are narrower than "State Code" in this font: the
    // column is widened, so that its heading is not cut.
    const BrowseTable& table = *list.list("States")->Table();
    const QFontMetrics metrics(table.horizontalHeader()->font());
    for (int column = 0; column < 2; ++column) {
        const QString heading = table.model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_GT(table.columnWidth(column), metrics.horizontalAdvance(heading))
            << heading.toStdString();
    }
}

TEST_F(BrowseStatesTest, InsertAddsTheStateToTheList) {
    procedures().call("BrowseStates");
    ui.settle();
    DrivenWindow list = ui.window("States");
    EXPECT_TRUE(list.rows("States").empty());
    ui.when("Update States", [](DrivenWindow& form) {
        form.type("State Code", "NM");
        form.type("State Name", "New Mexico");
        form.press("OK");
    });
    list.press("Insert");
    EXPECT_EQ(list.rows("States"), std::vector<std::string>{"NM"});
    EXPECT_EQ(list.shown("State"), "New Mexico");
}

// The steps after which the program once died (a second state saved from
// the list), run many times over: each run opens the list, adds two states
// through the form, and closes the list again.
TEST_F(BrowseStatesTest, AddingTwoStatesFromTheListManyTimesOver) {
    constexpr int kRuns = 40;
    for (int run = 0; run < kRuns; ++run) {
        SCOPED_TRACE(run);
        procedures().call("BrowseStates");
        ui.settle();
        DrivenWindow list = ui.window("States");
        for (const auto& [code, name] : {std::pair{"TX", "Texas"}, std::pair{"CA", "California"}}) {
            ui.when("Update States", [code = code, name = name](DrivenWindow& form) {
                form.type("State Code", code);
                form.type("State Name", name);
                form.press("OK");
            });
            list.press("Insert");
        }
        EXPECT_EQ(list.rows("States"), (std::vector<std::string>{"CA", "TX"}));
        EXPECT_EQ(list.shown("State"), "California");
        ui.closeAll();
        ui.settle();
        for (const char* code : {"CA", "TX"}) {
            buffer(FileId::States).clear();
            ST::STATECODE.set(code);
            fetch(FileId::States, ST::key::STATEKEY);
            ASSERT_EQ(relationManagerFor(FileId::States)->Delete(false), SeverityNone);
        }
    }
}

}  // namespace
}  // namespace bb::test
