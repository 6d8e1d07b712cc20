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

}  // namespace
}  // namespace bb::test
