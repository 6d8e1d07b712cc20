// File drops: a drop list of the States file on the test form opens on the
// row of the form's value, fills in the first row when none matches, and
// copies the chosen row into the form.
#include "ui/file_drop.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "test_form.h"

namespace bb::test {
namespace {

using FileDropTest = TestFormTest;

struct OpeningCase {
    const char* what;
    const char* state;  // on the record when the form opens
    bool defaultFill;
    const char* shown;         // the drop list's row
    const char* name;          // the state name shown beside it
    const char* kept;          // the record's state when the form is saved
    const char* missing = "";  // what the list shows while no row is chosen
};

TEST_F(FileDropTest, ADropListOpensOnTheRowOfTheFormsValue) {
    const OpeningCase cases[] = {
        {"a state on file", "TX", true, "TX", "Texas", "TX"},
        {"no such state: the first row", "NY", true, "AK", "Alaska", "AK"},
        // Shown as missing rather than as a blank list.
        {"no such state, no default", "NY", false, "", "", "NY", "NY (missing)"},
        {"no state, no default", "", false, "", "", ""},
    };
    for (const OpeningCase& c : cases) {
        SCOPED_TRACE(c.what);
        decl.fields[2].drop->defaultFill = c.defaultFill;
        const int number = addRepresentative("101", "Ann", c.state);
        readRepresentative(number);
        ui.when(kTestFormCaption, [&c](DrivenWindow& form) {
            EXPECT_EQ(form.shown("State"), c.shown);
            EXPECT_EQ(form.shown("State name"), c.name);
            auto* list = qobject_cast<QComboBox*>(form.find("State"));
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->placeholderText().toStdString(), c.missing);
            form.press("OK");
        });
        EXPECT_EQ(callForm(ChangeRequest), ResponseCompleted);
        EXPECT_EQ(REP::STATE.get(), c.kept);
        readRepresentative(number);
        ASSERT_EQ(relationManagerFor(FileId::Representatives)->Delete(false), SeverityNone);
    }
}

TEST_F(FileDropTest, ChoosingARowCopiesItIntoTheFormAndShowsItsRecord) {
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("State"), "CA");
        form.pick("State", "Texas");
        EXPECT_EQ(form.shown("State"), "TX");
        EXPECT_EQ(form.shown("State name"), "Texas");
        form.type("Number", "101");
        form.type("Name", "Ann");
        form.press("OK");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
    EXPECT_EQ(REP::STATE.get(), "TX");
}

TEST_F(FileDropTest, ADropListOfAnEmptyFileStaysEmptyAndLeavesTheFormAlone) {
    FileManager& states = *fileManagerFor(FileId::States);
    states.SetOrder(ST::key::STATEKEY);
    while (states.NextQuietly() == SeverityNone)
        ASSERT_EQ(relationManagerFor(FileId::States)->Delete(false), SeverityNone);
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("State"), "");
        form.type("Number", "101");
        form.type("Name", "Ann");
        form.press("OK");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
    // The initial value the form gave stands.
    EXPECT_EQ(REP::STATE.get(), "CA");
}

}  // namespace
}  // namespace bb::test
