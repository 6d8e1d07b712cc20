// The States list: its rows in code order under the highlighted state's
// name, and its insert through the state form.
#include <gtest/gtest.h>

#include "dictionary/process_values.h"
#include "reference_fixture.h"

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
