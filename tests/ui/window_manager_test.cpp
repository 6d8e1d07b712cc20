// The window manager's lifecycle, driven through the test form as a user
// and a calling browse would: requests served without the form, closing
// with and without changes, the insert actions, saving and moving on with
// the toolbar, another station's change, bad input, ditto.
#include "ui/window_manager.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "data/data_folder.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/runtime.h"
#include "test_form.h"
#include "ui/form_controls.h"
#include "ui/help_topics.h"
#include "ui/procedures.h"
#include "ui/window_ids.h"
#include "ui/window_placement.h"

namespace bb::test {
namespace {

class WindowManagerTest : public TestFormTest {
protected:
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const MessageRequest& m : ui.messages.shown) out.push_back(m.title);
        return out;
    }
    bool wrote(const std::string& entry) const {
        const auto& journal = storage_->journal();
        return std::find(journal.begin(), journal.end(), entry) != journal.end();
    }
    void answer(const std::vector<Button>& answers) {
        for (Button b : answers) ui.messages.answer(b);
    }
};

// -------------------------------------------------- requests without a form

struct DeleteCase {
    const char* what;
    DeleteAction deleteAction;
    std::vector<Button> answers;
    int response;
    std::vector<std::string> titles;
    std::vector<std::string> left;
};

TEST_F(WindowManagerTest, ADeleteRequestWithTheDefaultActionsNeverShowsTheForm) {
    const DeleteCase cases[] = {
        {"confirmed",
         DeleteAction::Confirm,
         {ButtonYes},
         ResponseCompleted,
         {"Confirm Delete"},
         {}},
        {"declined",
         DeleteAction::Confirm,
         {ButtonNo},
         ResponseCancelled,
         {"Confirm Delete"},
         {"101 Ann"}},
        {"without confirmation", DeleteAction::WithoutAsking, {}, ResponseCompleted, {}, {}},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.what);
        storage_->clearJournal();
        ui.messages.clear();
        const int number = addRepresentative("101", "Ann");
        decl.deleteAction = c.deleteAction;
        answer(c.answers);
        readRepresentative(number);
        EXPECT_EQ(callForm(DeleteRequest), c.response);
        EXPECT_TRUE(ui.opened().empty());
        EXPECT_EQ(titles(), c.titles);
        EXPECT_EQ(representatives(), c.left);
        if (!c.left.empty()) {
            readRepresentative(number);
            ASSERT_EQ(relationManagerFor(FileId::Representatives)->Delete(false), SeverityNone);
        }
    }
}

TEST_F(WindowManagerTest, ADeleteActionThatShowsTheFormDeletesOnOk) {
    decl.deleteAction = DeleteAction::OnForm;
    const int number = addRepresentative("101", "Ann");
    readRepresentative(number);
    ui.when(kTestFormCaption, [&](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Name"), "Ann");
        EXPECT_FALSE(form.hasStrip());
        // Declined: the form stays as it was.
        ui.messages.answer(ButtonNo);
        form.press("OK");
        EXPECT_FALSE(form.manager().Closed());
        ui.messages.answer(ButtonYes);
        form.press("OK");
    });
    EXPECT_EQ(callForm(DeleteRequest), ResponseCompleted);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Confirm Delete", "Confirm Delete"}));
    EXPECT_TRUE(representatives().empty());
}

// The user confirms the delete of a record that another station deleted
// meanwhile: told so, the caller gets the request as done and reloads its
// list, which no longer has the record.
TEST_F(WindowManagerTest, AConfirmedDeleteOfARecordGoneMeanwhileSaysSoAndTheCallerReloads) {
    for (const DeleteAction action : {DeleteAction::OnForm, DeleteAction::Confirm}) {
        SCOPED_TRACE(action == DeleteAction::OnForm ? "the form shown" : "without the form");
        ui.messages.clear();
        const int number = addRepresentative("101", "Ann");
        readRepresentative(number);
        auto other = dataStorage().file(fileDef(FileId::Representatives));
        ASSERT_TRUE(other->open(kSharedReadWrite).ok());
        Record scratch(fileDef(FileId::Representatives));
        ASSERT_TRUE(
            other->getAtPosition(fileManagerFor(FileId::Representatives)->Position(), scratch)
                .ok());
        ASSERT_TRUE(other->erase().ok());
        decl.deleteAction = action;
        ui.messages.answer(ButtonYes);
        if (action == DeleteAction::OnForm)
            ui.when(kTestFormCaption, [](DrivenWindow& form) { form.press("OK"); });
        EXPECT_EQ(callForm(DeleteRequest), ResponseCompleted);
        EXPECT_EQ(titles(), (std::vector<std::string>{"Confirm Delete", "Record was not deleted"}));
        EXPECT_TRUE(representatives().empty());
    }
}

struct RefusalCase {
    unsigned serves;
    int request;
    const char* text;
};

TEST_F(WindowManagerTest, ARequestTheFormDoesNotServeIsRefused) {
    const RefusalCase cases[] = {
        {ServesChange | ServesDelete, InsertRequest, "This form cannot be used to insert a record"},
        {ServesInsert | ServesDelete, ChangeRequest, "This form cannot be used to update a record"},
        {ServesInsert | ServesChange, DeleteRequest, "This form cannot be used to delete a record"},
    };
    const int number = addRepresentative("101", "Ann");
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.text);
        ui.messages.clear();
        decl.serves = c.serves;
        if (c.request != InsertRequest) readRepresentative(number);
        EXPECT_EQ(callForm(c.request), ResponseCancelled);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Invalid Request");
        EXPECT_EQ(ui.messages.last().text, c.text);
        EXPECT_TRUE(ui.opened().empty());
        // The number reserved for the refused insert is taken back.
        EXPECT_EQ(representatives(), std::vector<std::string>{"101 Ann"});
    }
}

// ------------------------------------------------------------------ closing

struct CloseCase {
    const char* what;
    CancelAction cancelAction;
    std::vector<Button> answers;
    int response;
    const char* name;  // the representative's name on file afterwards
    std::vector<std::string> titles;
};

TEST_F(WindowManagerTest, CancelOnAChangedFormDoesWhatTheCancelActionSays) {
    const CloseCase cases[] = {
        {"asked, Yes saves",
         CancelAction::AskToSave,
         {ButtonYes},
         ResponseCompleted,
         "Ann Lee",
         {"Save Record"}},
        {"asked, No drops the changes",
         CancelAction::AskToSave,
         {ButtonNo},
         ResponseCancelled,
         "Ann",
         {"Save Record"}},
        {"asked, Cancel stays, then No",
         CancelAction::AskToSave,
         {ButtonCancel, ButtonNo},
         ResponseCancelled,
         "Ann",
         {"Save Record", "Save Record"}},
        {"saved without asking", CancelAction::Save, {}, ResponseCompleted, "Ann Lee", {}},
        {"warned, Yes closes",
         CancelAction::WarnLost,
         {ButtonYes},
         ResponseCancelled,
         "Ann",
         {"Changes will be lost!"}},
        {"warned, No stays, then Yes",
         CancelAction::WarnLost,
         {ButtonNo, ButtonYes},
         ResponseCancelled,
         "Ann",
         {"Changes will be lost!", "Changes will be lost!"}},
        {"no check", CancelAction::Close, {}, ResponseCancelled, "Ann", {}},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        const int number = addRepresentative("101", "Ann");
        decl.cancelAction = c.cancelAction;
        readRepresentative(number);
        answer(c.answers);
        ui.when(kTestFormCaption, [](DrivenWindow& form) {
            form.type("Name", "Ann Lee");
            form.press("Cancel");
            if (!form.manager().Closed()) {
                EXPECT_EQ(form.focused(), "Number");
                form.press("Cancel");
            }
        });
        EXPECT_EQ(callForm(ChangeRequest), c.response);
        EXPECT_EQ(titles(), c.titles);
        EXPECT_EQ(representatives(), std::vector<std::string>{"101 " + std::string(c.name)});
        if (!c.titles.empty() && c.cancelAction == CancelAction::AskToSave) {
            EXPECT_EQ(ui.messages.shown[0].text, "Do you want to save the changes to this record?");
            EXPECT_EQ(ui.messages.shown[0].icon, MessageIcon::Question);
        }
        readRepresentative(number);
        ASSERT_EQ(relationManagerFor(FileId::Representatives)->Delete(false), SeverityNone);
    }
}

TEST_F(WindowManagerTest, AnUnchangedFormClosesAtOnce) {
    const int number = addRepresentative("101", "Ann");
    for (int request : {ChangeRequest, InsertRequest}) {
        for (bool escape : {false, true}) {
            SCOPED_TRACE(std::to_string(request) + (escape ? " by Escape" : " by Cancel"));
            ui.messages.clear();
            if (request == ChangeRequest) readRepresentative(number);
            ui.when(kTestFormCaption, [escape](DrivenWindow& form) {
                form.focus("Name");
                if (escape) {
                    form.key(QKeyCombination(Qt::Key_Escape));
                } else {
                    form.press("Cancel");
                }
            });
            EXPECT_EQ(callForm(request), ResponseCancelled);
            EXPECT_TRUE(ui.messages.shown.empty());
            // A cancelled insert takes back the number reserved for it.
            EXPECT_EQ(representatives(), std::vector<std::string>{"101 Ann"});
        }
    }
}

// Left by Cancel, the close button or Escape straight from typing: what the
// entry shows is part of the record, so the question comes.
TEST_F(WindowManagerTest, TextStillBeingTypedCountsWhenClosingAsks) {
    enum class Leave { Cancel, CloseButton, Escape };
    struct Case {
        const char* what;
        Leave leave;
        int request;
        Button answer;
        int response;
        std::vector<std::string> left;  // the representatives afterwards
    };
    const Case cases[] = {
        {"Cancel, No", Leave::Cancel, ChangeRequest, ButtonNo, ResponseCancelled, {"101 Ann"}},
        {"Cancel, Yes",
         Leave::Cancel,
         ChangeRequest,
         ButtonYes,
         ResponseCompleted,
         {"101 Ann Lee"}},
        {"close button, No",
         Leave::CloseButton,
         ChangeRequest,
         ButtonNo,
         ResponseCancelled,
         {"101 Ann"}},
        {"Escape, Yes",
         Leave::Escape,
         ChangeRequest,
         ButtonYes,
         ResponseCompleted,
         {"101 Ann Lee"}},
        {"new record, Cancel, No",
         Leave::Cancel,
         InsertRequest,
         ButtonNo,
         ResponseCancelled,
         {"101 Ann"}},
        {"new record, Cancel, Yes",
         Leave::Cancel,
         InsertRequest,
         ButtonYes,
         ResponseCompleted,
         {"101 Ann", "102 Ann Lee"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        clearRepresentatives();
        const int number = addRepresentative("101", "Ann");
        if (c.request == ChangeRequest) readRepresentative(number);
        ui.messages.answer(c.answer);
        ui.when(kTestFormCaption, [&c](DrivenWindow& form) {
            if (c.request == InsertRequest) form.type("Number", "102");
            form.typeOnly("Name", "Ann Lee");
            switch (c.leave) {
                case Leave::Cancel:
                    form.press("Cancel");
                    break;
                case Leave::CloseButton:
                    form.close();
                    break;
                case Leave::Escape:
                    form.key(QKeyCombination(Qt::Key_Escape));
                    break;
            }
            EXPECT_TRUE(form.manager().Closed());
        });
        EXPECT_EQ(callForm(c.request), c.response);
        EXPECT_EQ(titles(), std::vector<std::string>{"Save Record"});
        EXPECT_EQ(representatives(), c.left);
    }
}

// A called form opens centred on the window that called it, or where the
// user last put it when that place is wholly on the screen; its title bar
// is never off the screen.
TEST_F(WindowManagerTest, ACalledFormOpensOnItsCallerAndNeverOffTheScreen) {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget caller;
    const auto callFrom = [&](const QRect& place, const std::function<void(QWidget&)>& check) {
        caller.setGeometry(place);
        caller.show();
        caller.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&caller));
        ui.when(kTestFormCaption, [&](DrivenWindow& form) {
            QWidget& shown = *form.manager().Widget();
            EXPECT_TRUE(room.contains(shown.frameGeometry().topLeft()));
            check(shown);
            form.press("Cancel");
        });
        callForm(InsertRequest);
    };
    // Last left mostly off the screen (a screen since taken away).
    const QPoint offScreen = room.topLeft() - QPoint(300, 300);
    rememberCalledPlace("UpdateTestRepresentatives", offScreen);
    // Centred on its caller; then put elsewhere by the user.
    callFrom(QRect(room.center() - QPoint(150, 100), QSize(300, 200)), [&](QWidget& form) {
        EXPECT_NEAR(form.geometry().center().x(), caller.geometry().center().x(), 2);
        EXPECT_NEAR(form.geometry().center().y(), caller.geometry().center().y(), 20);
        form.move(room.topLeft() + QPoint(20, 40));
    });
    // Where the user put it.
    callFrom(QRect(room.topLeft() + QPoint(400, 300), QSize(300, 200)),
             [&](QWidget& form) { EXPECT_EQ(form.pos(), room.topLeft() + QPoint(20, 40)); });
    // Not off the screen again: on its caller, in the corner, kept inside.
    rememberCalledPlace("UpdateTestRepresentatives", offScreen);
    callFrom(QRect(room.bottomRight() - QPoint(100, 80), QSize(100, 80)), [&](QWidget& form) {
        const QRect frame = form.frameGeometry();
        EXPECT_TRUE(room.contains(frame)) << frame.x() << "," << frame.y();
    });
}

// ------------------------------------------------------------------ inserts

TEST_F(WindowManagerTest, TwoInsertsThatStayOpenThenCancelHandTheLastRecordToTheCaller) {
    decl.insertAction = InsertAction::Another;
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        form.type("Number", "201");
        form.type("Name", "Bea");
        form.press("OK");
        // Ready for the next record, as the caller primed it.
        EXPECT_EQ(form.shown("Number"), "");
        EXPECT_EQ(form.shown("State"), "CA");
        EXPECT_EQ(form.focused(), "Number");
        form.type("Number", "202");
        form.type("Name", "Cy");
        form.pick("State", "Texas");
        form.press("OK");
        form.press("Cancel");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
    EXPECT_EQ(REP::REP_NUM.get(), "202");
    EXPECT_EQ(REP::STATE.get(), "TX");
    EXPECT_EQ(representatives(), (std::vector<std::string>{"201 Bea", "202 Cy"}));
    EXPECT_TRUE(ui.messages.shown.empty());
}

struct InsertCase {
    const char* what;
    InsertAction insertAction;
    std::vector<Button> answers;
    bool closesAfterFirst;
    std::vector<std::string> titles;
};

TEST_F(WindowManagerTest, TheInsertActionDecidesWhatFollowsAnInsert) {
    const InsertCase cases[] = {
        {"ends the window", InsertAction::End, {}, true, {}},
        {"asks, No ends", InsertAction::Ask, {ButtonNo}, true, {"Record Added"}},
        {"asks, Yes another",
         InsertAction::Ask,
         {ButtonYes, ButtonNo},
         false,
         {"Record Added", "Record Added"}},
        {"stays with the record shown", InsertAction::KeepShowing, {}, false, {}},
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        decl.insertAction = c.insertAction;
        answer(c.answers);
        ui.when(kTestFormCaption, [&c](DrivenWindow& form) {
            form.type("Number", "301");
            form.type("Name", "Dee");
            form.press("OK");
            EXPECT_EQ(form.manager().Closed(), c.closesAfterFirst);
            if (form.manager().Closed()) return;
            if (c.insertAction == InsertAction::Ask) {
                form.type("Number", "302");
                form.type("Name", "Eve");
                form.press("OK");
            } else {
                EXPECT_EQ(form.shown("Name"), "Dee");
                form.press("Cancel");
            }
        });
        EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
        EXPECT_EQ(titles(), c.titles);
        const std::vector<std::string> expected =
            c.answers.size() == 2 ? std::vector<std::string>{"301 Dee", "302 Eve"}
                                  : std::vector<std::string>{"301 Dee"};
        EXPECT_EQ(representatives(), expected);
        // The caller finds the last record added in the buffer.
        EXPECT_EQ(REP::REP_NAME.get(), c.answers.size() == 2 ? "Eve" : "Dee");
        clearRepresentatives();
    }
}

// ------------------------------------------------------- changes and moves

TEST_F(WindowManagerTest, OkOnAnUnchangedChangeFormCompletesWithoutWriting) {
    const int number = addRepresentative("101", "Ann");
    readRepresentative(number);
    storage_->clearJournal();
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Changed");
        form.press("OK");
    });
    EXPECT_EQ(callForm(ChangeRequest), ResponseCompleted);
    EXPECT_FALSE(wrote("Representatives put"));
    EXPECT_EQ(processValues().VCRRequest, 0);
}

struct MoveCase {
    const char* what;
    bool change;
    bool byKey;
    int response;
};

TEST_F(WindowManagerTest, NextRecordFromTheToolbarSavesOnlyWhatChangedAndAsksTheCallerToMoveOn) {
    const MoveCase cases[] = {
        {"unchanged, from the strip", false, false, ResponseCancelled},
        {"changed, from the strip", true, false, ResponseCompleted},
        {"changed, by its key", true, true, ResponseCompleted},
    };
    const int number = addRepresentative("101", "Ann");
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.what);
        processValues().VCRRequest = 0;
        readRepresentative(number);
        storage_->clearJournal();
        ui.when(kTestFormCaption, [&c](DrivenWindow& form) {
            EXPECT_TRUE(form.stripEnabled(ToolbarNext));
            if (c.change) form.typeOnly("Name", std::string("Ann ") + c.what);
            if (c.byKey) {
                form.key(QKeyCombination(Qt::ControlModifier, Qt::Key_Down));
            } else {
                form.toolbar(ToolbarNext);
            }
        });
        EXPECT_EQ(callForm(ChangeRequest), c.response);
        EXPECT_EQ(processValues().VCRRequest, ToolbarNext);
        EXPECT_EQ(wrote("Representatives put"), c.change);
        const std::string name = c.change ? std::string("Ann ") + c.what : "Ann";
        EXPECT_EQ(representatives(), std::vector<std::string>{"101 " + name.substr(0, 25)});
    }
}

TEST_F(WindowManagerTest, ASaveRefusedBecauseAnotherStationChangedTheRecordKeepsTheFormOpen) {
    const int number = addRepresentative("101", "Ann");
    readRepresentative(number);
    ui.when(kTestFormCaption, [&](DrivenWindow& form) {
        form.type("Name", "Ann Lee");
        // Another station changes the same record meanwhile.
        {
            auto other = dataStorage().file(fileDef(FileId::Representatives));
            Record theirs(fileDef(FileId::Representatives));
            ASSERT_TRUE(other->open(kSharedReadWrite).ok());
            theirs.setInteger(REP::field::REPRESENTATIVENUMBER, number);
            ASSERT_TRUE(other->get(REP::key::REPRESENTATIVENUMBERKEY, theirs).ok());
            theirs.setText(REP::field::REP_NAME, "Ann Other");
            ASSERT_TRUE(other->put(theirs).ok());
            other->close();
        }
        form.press("OK");
        ASSERT_FALSE(form.manager().Closed());
        EXPECT_EQ(ui.messages.last().title, "Record Was Not Updated");
        EXPECT_EQ(ui.messages.last().text,
                  "This record was changed by another station. Those changes will now be "
                  "displayed. Use the Ditto Button or Ctrl+' to recall your changes.");
        EXPECT_EQ(form.shown("Name"), "Ann Other");
        EXPECT_EQ(form.focused(), "Number");
        // Ditto recalls what this user typed; the save then goes through.
        form.focus("Name");
        form.key(kDittoKey);
        EXPECT_EQ(form.shown("Name"), "Ann Lee");
        form.press("OK");
    });
    EXPECT_EQ(callForm(ChangeRequest), ResponseCompleted);
    EXPECT_EQ(representatives(), std::vector<std::string>{"101 Ann Lee"});
}

struct RetryCase {
    const char* what;
    std::vector<Button> answers;
    int response;
    const char* name;
};

TEST_F(WindowManagerTest, AFailedSaveAsksWhetherToTryAgain) {
    const RetryCase cases[] = {
        // The failure's notice takes no answer; the question does.
        {"Yes tries again", {ButtonYes}, ResponseCompleted, "Ann Lee"},
        {"No closes, and the changes are dropped", {ButtonNo, ButtonNo}, ResponseCancelled, "Ann"},
        {"Cancel stays", {ButtonCancel, ButtonNo}, ResponseCancelled, "Ann"},
    };
    for (const RetryCase& c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        clearRepresentatives();
        readRepresentative(addRepresentative("101", "Ann"));
        storage_->failPuts(1);
        answer(c.answers);
        ui.when(kTestFormCaption, [](DrivenWindow& form) {
            form.type("Name", "Ann Lee");
            form.press("OK");
            if (!form.manager().Closed()) form.press("Cancel");
        });
        EXPECT_EQ(callForm(ChangeRequest), c.response);
        ASSERT_GE(ui.messages.shown.size(), 2U);
        EXPECT_EQ(ui.messages.shown[0].title, "Record was not updated");
        EXPECT_EQ(ui.messages.shown[1].title, "Record Update Error");
        EXPECT_EQ(ui.messages.shown[1].text,
                  "An error was experienced changing this record. Do you want to try to save "
                  "again?");
        EXPECT_EQ(representatives(), std::vector<std::string>{"101 " + std::string(c.name)});
    }
}

// -------------------------------------------------------- input and checks

struct BadInputCase {
    const char* label;
    const char* typed;
    const char* message;
};

TEST_F(WindowManagerTest, BadInputGetsThePicturesMessageKeepsTheFocusAndSavesNothing) {
    const BadInputCase cases[] = {
        {"Birth Date", "13/45/2020", "'13/45/2020' is not a valid date; enter it as mm/dd/yyyy."},
        {"Birth Date", "yesterday", "'yesterday' is not a valid date; enter it as mm/dd/yyyy."},
        {"CRD Number", "12x", "'12x' is not a number."},
        {"CRD Number", "1234567890",
         "'1234567890' is too large: at most 9 digits before the decimal point."},
    };
    for (const BadInputCase& c : cases) {
        SCOPED_TRACE(std::string(c.label) + " " + c.typed);
        ui.messages.clear();
        storage_->clearJournal();
        ui.when(kTestFormCaption, [&c, this](DrivenWindow& form) {
            form.type("Number", "401");
            form.type("Name", "Fay");
            form.type(c.label, c.typed);
            ASSERT_EQ(ui.messages.shown.size(), 1U);
            EXPECT_EQ(ui.messages.last().title, c.label);
            EXPECT_EQ(ui.messages.last().text, c.message);
            EXPECT_EQ(ui.messages.last().icon, MessageIcon::Exclamation);
            EXPECT_EQ(form.focused(), c.label);
            EXPECT_EQ(form.shown(c.label), c.typed);
            // Leaving for OK refuses it again, and the click does nothing.
            form.press("OK");
            EXPECT_FALSE(form.manager().Closed());
            EXPECT_EQ(ui.messages.shown.size(), 2U);
            EXPECT_EQ(form.focused(), c.label);
            // Enter presses OK without leaving; OK reads every control
            // again and stops at the same one.
            form.key(QKeyCombination(Qt::Key_Return));
            EXPECT_FALSE(form.manager().Closed());
            EXPECT_EQ(ui.messages.shown.size(), 3U);
            EXPECT_EQ(ui.messages.last().text, c.message);
            EXPECT_EQ(form.focused(), c.label);
            // Cancel is not held back by the bad input; it asks about the rest.
            ui.messages.answer(ButtonNo);
            form.press("Cancel");
            EXPECT_EQ(ui.messages.last().title, "Save Record");
        });
        EXPECT_EQ(callForm(InsertRequest), ResponseCancelled);
        EXPECT_FALSE(wrote("Representatives put"));
        EXPECT_TRUE(representatives().empty());
    }
}

TEST_F(WindowManagerTest, GoodInputIsReadThroughThePicture) {
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        form.type("Number", "501");
        form.type("Name", "Gus");
        form.type("Birth Date", "3/5/1999");
        EXPECT_EQ(form.shown("Birth Date"), "03/05/1999");
        form.type("CRD Number", "1,234");
        EXPECT_EQ(form.shown("CRD Number"), "1,234");
        form.choose("In Office Branch");
        form.check("Series 7", true);
        form.type("E-Mail", "gus@example.com");
        form.press("OK");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
    EXPECT_EQ(REP::BIRTHDATE.get(), *dayNumber(1999, 3, 5));
    EXPECT_EQ(REP::CRDNUMBER.get(), 1234);
    EXPECT_EQ(REP::LOCATION.get(), "2");
    EXPECT_EQ(REP::SERIES7.get(), "1");
    EXPECT_EQ(REP::EMAIL.get(), "gus@example.com");
    EXPECT_EQ(REP::MEDALLION.get(), "N");
}

TEST_F(WindowManagerTest, TheFormsChecksOnOkComeInOrderAndFocusTheField) {
    ui.when(kTestFormCaption, [this](DrivenWindow& form) {
        // Enter presses OK while the name is still being typed.
        form.typeOnly("Name", "Hal");
        form.key(QKeyCombination(Qt::Key_Return));
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Representative Number Required");
        EXPECT_EQ(ui.messages.last().text,
                  "     Enter a number for this registered representative.");
        EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
        EXPECT_EQ(ui.messages.beeps, std::vector<Beep>{Beep::Asterisk});
        EXPECT_EQ(form.focused(), "Number");
        form.type("Number", "601");
        form.press("OK");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
    // The name typed but never left was read by OK.
    EXPECT_EQ(representatives(), std::vector<std::string>{"601 Hal"});
}

// OK accepts every field the user can reach, on whichever tab, so that what
// a form derives on accepting a field has run before the save; a field the
// form itself hid is left alone.
class AcceptRecordingForm final : public TestForm {
public:
    AcceptRecordingForm(const WindowDecl& decl, std::vector<std::string>& accepted)
        : TestForm(decl), accepted_(accepted) {}

    void SetupControls() override {
        TestForm::SetupControls();
        Show(REP::CRDNUMBER, false);
    }
    int OnAccepted() override {
        if (const FormControl* control = BoundControl(CurrentEvent().control))
            accepted_.push_back(control->decl().field.name());
        return TestForm::OnAccepted();
    }

private:
    std::vector<std::string>& accepted_;
};

TEST_F(WindowManagerTest, OkAcceptsTheFieldsOfEveryTabButNotThoseTheFormHid) {
    std::vector<std::string> accepted;
    procedures().add("UpdateTestRepresentatives", [this, &accepted](std::string_view) {
        AcceptRecordingForm form(decl, accepted);
        processValues().LastResponse = form.Run();
    });
    ui.when(kTestFormCaption, [&accepted](DrivenWindow& form) {
        form.type("Number", "701");
        form.showTab("Licensing");
        form.type("E-Mail", "ivy@example.com");
        form.showTab("General");
        form.type("Name", "Ivy");
        accepted.clear();
        form.press("OK");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
    const auto acceptedOnOk = [&accepted](FieldRef field) {
        return std::count(accepted.begin(), accepted.end(), field.name()) > 0;
    };
    const FieldRef reached[] = {REP::REP_NUM, REP::REP_NAME, REP::STATE, REP::U4DATE, REP::EMAIL};
    for (FieldRef field : reached) EXPECT_TRUE(acceptedOnOk(field)) << field.name();
    EXPECT_FALSE(acceptedOnOk(REP::CRDNUMBER));
    EXPECT_EQ(REP::EMAIL.get(), "ivy@example.com");
}

TEST_F(WindowManagerTest, OneRadioOfAnOptionIsEnabledAndDisabledAlone) {
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        WindowManager& window = form.manager();
        window.EnableRadio(REP::LOCATION, "2", false);
        EXPECT_FALSE(form.enabled("In Office Branch"));
        EXPECT_TRUE(form.enabled("OSJ (Series 24)"));
        EXPECT_TRUE(form.enabled("Non-OSJ"));
        // A value no radio stores changes nothing.
        window.EnableRadio(REP::LOCATION, "9", false);
        EXPECT_TRUE(form.enabled("Non-OSJ"));
        window.EnableRadio(REP::LOCATION, "2", true);
        EXPECT_TRUE(form.enabled("In Office Branch"));
        form.press("Cancel");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCancelled);
}

// --------------------------------------------------------------------- ditto

TEST_F(WindowManagerTest, DittoPutsBackTheValueOfTheRecordCompletedLast) {
    decl.insertAction = InsertAction::Another;
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        // Nothing completed yet in this run: nothing to put back.
        form.focus("Name");
        form.key(kDittoKey);
        EXPECT_EQ(form.shown("Name"), "");
        form.type("Number", "701");
        form.type("Name", "Ida");
        form.pick("State", "TX");
        form.press("OK");
        form.focus("Name");
        form.key(kDittoKey);
        EXPECT_EQ(form.shown("Name"), "Ida");
        // The toolbar's ditto button does the same for the focused field.
        form.focus("State");
        form.toolbar(ToolbarDitto);
        EXPECT_EQ(form.shown("State"), "TX");
        form.type("Number", "702");
        form.press("OK");
        form.press("Cancel");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
    EXPECT_EQ(representatives(), (std::vector<std::string>{"701 Ida", "702 Ida"}));
    EXPECT_EQ(REP::STATE.get(), "TX");
}

// The history is the form procedure's, wherever its declaration lies: a
// copy made elsewhere finds it, and another form's declaration made later
// in the very same place does not.
TEST_F(WindowManagerTest, DittoHistoryIsTheFormProceduresWhereverItsDeclarationLies) {
    const WindowDecl* running = nullptr;
    procedures().add("DittoTestForm", [&running](std::string_view) {
        TestForm form(*running);
        processValues().LastResponse = form.Run();
    });
    // The name ditto puts back on a new record of `declared`'s form, which
    // is then completed with `number` and `name`.
    const auto ditto = [&](const WindowDecl& declared, const char* number, const char* name) {
        std::string put;
        ui.when(kTestFormCaption, [&](DrivenWindow& form) {
            form.focus("Name");
            form.key(kDittoKey);
            put = form.shown("Name");
            form.type("Number", number);
            form.type("Name", name);
            form.press("OK");
        });
        running = &declared;
        EXPECT_EQ(fileManagerFor(FileId::Representatives)->PrimeNewRecord(), SeverityNone);
        EXPECT_EQ(procedures().call("DittoTestForm", InsertRequest), ResponseCompleted);
        return put;
    };
    std::optional<WindowDecl> place(decl);
    EXPECT_EQ(ditto(*place, "701", "Ida"), "");
    const auto copy = std::make_unique<WindowDecl>(*place);
    EXPECT_EQ(ditto(*copy, "702", "Jo"), "Ida");
    WindowDecl other = decl;
    other.procedure = "UpdateOtherRepresentatives";
    place.emplace(other);
    EXPECT_EQ(ditto(*place, "703", "Kim"), "");
    procedures().remove("DittoTestForm");
}

// ------------------------------------------------- status bar, help, layout

TEST_F(WindowManagerTest, ControlsShowTheirMessagesAndHelpOpensTheProceduresPage) {
    ui.when(kTestFormCaption, [this](DrivenWindow& form) {
        form.focus("Number");
        EXPECT_EQ(ui.statusMessage(), "Enter the number the office knows the representative by");
        form.focus("In Office Branch");
        EXPECT_EQ(ui.statusMessage(), "Works in an office branch");
        form.focus("OSJ (Series 24)");
        EXPECT_EQ(ui.statusMessage(), "Where the representative works");
        // The mouse over a control shows its message; off it, the focused one's.
        form.hover("OK");
        EXPECT_EQ(ui.statusMessage(), "Save changes and exit");
        form.leave("OK");
        EXPECT_EQ(ui.statusMessage(), "Where the representative works");
        // F1 finds the page by the window the focus is in.
        EXPECT_EQ(helpTopicAt(form.find("Number")), "UpdateTestRepresentatives");
        form.press("Help");
        EXPECT_EQ(ui.helpTopic(), "UpdateTestRepresentatives");
        form.press("Cancel");
    });
    callForm(InsertRequest);
}

}  // namespace
}  // namespace bb::test

namespace bb::test {
namespace {

// A variant of a form shares the page of the form it varies.
TEST_F(WindowManagerTest, ADeclaredHelpTopicReplacesTheProceduresPage) {
    decl.helpTopic = "UpdateRepresentatives";
    ui.when(kTestFormCaption, [this](DrivenWindow& form) {
        EXPECT_EQ(helpTopicAt(form.find("Number")), "UpdateRepresentatives");
        form.press("Help");
        EXPECT_EQ(ui.helpTopic(), "UpdateRepresentatives");
        form.press("Cancel");
    });
    callForm(InsertRequest);
}

}  // namespace
}  // namespace bb::test
