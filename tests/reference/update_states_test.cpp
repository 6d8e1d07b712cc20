// The state form: a new state's defaults, and the checks on OK in their
// order, each keeping the form open with the focus on the field to mend.
#include <gtest/gtest.h>

#include "dictionary/process_values.h"
#include "reference_fixture.h"

namespace bb::test {
namespace {

using UpdateStatesTest = ReferenceTest;

const std::vector<FieldRef> kStateFields{ST::STATECODE, ST::STATENAME, ST::LICENSEFEE,
                                         ST::SALESTAX};

TEST_F(UpdateStatesTest, ANewStateIsSavedWithoutSalesTax) {
    ui.when("Update States", [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        form.type("State Code", "TX");
        form.type("State Name", "Texas");
        form.type("License Renewal", "125.50");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateStates", FileId::States, InsertRequest), ResponseCompleted);
    EXPECT_EQ(rows(FileId::States, ST::key::STATEKEY, kStateFields),
              std::vector<std::string>{"TX|Texas|125.50|N"});
    EXPECT_EQ(processValues().CurrentProcedure.get(), "UpdateStates");
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(UpdateStatesTest, ACodeTypedInLowerCaseIsStoredAndShownInCapitals) {
    ui.when("Update States", [](DrivenWindow& form) {
        form.type("State Code", "tx");
        EXPECT_EQ(form.shown("State Code"), "TX");
        form.type("State Name", "Texas");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateStates", FileId::States, InsertRequest), ResponseCompleted);
    EXPECT_EQ(rows(FileId::States, ST::key::STATEKEY, {ST::STATECODE, ST::STATENAME}),
              std::vector<std::string>{"TX|Texas"});
}

TEST_F(UpdateStatesTest, CancelRightAfterTypingAsksToSaveWhatWasTyped) {
    ui.messages.answer(ButtonNo);
    ui.when("Update States", [](DrivenWindow& form) {
        form.typeOnly("State Code", "TX");
        form.press("Cancel");
        EXPECT_TRUE(form.manager().Closed());
    });
    EXPECT_EQ(callForm("UpdateStates", FileId::States, InsertRequest), ResponseCancelled);
    EXPECT_EQ(titles(), std::vector<std::string>{"Save Record"});
    EXPECT_TRUE(rows(FileId::States, ST::key::STATEKEY, {ST::STATECODE}).empty());
}

// A new record the user has not touched equals what it was primed with:
// Cancel, the close button or Escape closes it without a question.
TEST_F(UpdateStatesTest, AnUntouchedNewRecordClosesWithoutAQuestion) {
    addState("TX", "Texas", "10.00");
    struct Case {
        const char* procedure;
        const char* caption;
        FileId file;
    };
    const Case cases[] = {
        {"UpdateStates", "Update States", FileId::States},
        {"UpdateMembershipTypes", "Update Customer Classification", FileId::MembershipTypes},
        {"UpdateRepresentatives", "Update Representatives", FileId::Representatives},
    };
    for (const Case& c : cases) {
        for (int way = 0; way < 3; ++way) {
            SCOPED_TRACE(std::string(c.procedure) + " " + std::to_string(way));
            ui.messages.clear();
            ui.when(c.caption, [way](DrivenWindow& form) {
                if (way == 0) form.press("Cancel");
                if (way == 1) form.close();
                if (way == 2) form.key(QKeyCombination(Qt::Key_Escape));
                EXPECT_TRUE(form.manager().Closed());
            });
            EXPECT_EQ(callForm(c.procedure, c.file, InsertRequest), ResponseCancelled);
            EXPECT_EQ(titles(), std::vector<std::string>{});
        }
    }
}

TEST_F(UpdateStatesTest, OkRefusesAStateWithoutCodeOrName) {
    struct Case {
        const char* code;
        const char* name;
        const char* title;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"", "Texas", "State Code Required",
         "     Enter the 2-letter postal abbreviation for this state.", "State Code"},
        {"TX", "", "State Name Required", "     Enter the name of this state.", "State Name"},
        // Whatever the code, a state without a name is refused; the code is
        // asked for first.
        {"", "", "State Code Required",
         "     Enter the 2-letter postal abbreviation for this state.", "State Code"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ui.messages.clear();
        ui.when("Update States", [&c](DrivenWindow& form) {
            form.type("State Code", c.code);
            form.type("State Name", c.name);
            form.press("OK");
            EXPECT_FALSE(form.manager().Closed());
            EXPECT_EQ(form.focused(), c.focus);
            form.type("State Code", "OK");
            form.type("State Name", "Oklahoma");
            form.press("OK");
        });
        EXPECT_EQ(callForm("UpdateStates", FileId::States, InsertRequest), ResponseCompleted);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, c.title);
        EXPECT_EQ(ui.messages.last().text, c.text);
        EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
        EXPECT_EQ(ui.messages.beeps.size(), 1U);
        EXPECT_EQ(rows(FileId::States, ST::key::STATEKEY, {ST::STATECODE, ST::STATENAME}),
                  std::vector<std::string>{"OK|Oklahoma"});
        fetch(FileId::States, ST::key::STATEKEY);
        ASSERT_EQ(relationManagerFor(FileId::States)->Delete(false), SeverityNone);
    }
}

TEST_F(UpdateStatesTest, ChangingAFeeKeepsTheStatesSalesTax) {
    addState("CA", "California", "40.00");
    ST::SALESTAX.set("Y");
    ASSERT_EQ(fileManagerFor(FileId::States)->Update(), SeverityNone);
    ui.when("Update States", [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Changed");
        EXPECT_EQ(form.shown("License Renewal"), "40.00");
        form.type("License Renewal", "45");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateStates", FileId::States, ChangeRequest), ResponseCompleted);
    EXPECT_EQ(rows(FileId::States, ST::key::STATEKEY, kStateFields),
              std::vector<std::string>{"CA|California|45.00|Y"});
}

}  // namespace
}  // namespace bb::test
