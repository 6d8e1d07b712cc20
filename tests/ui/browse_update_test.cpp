// The browse manager with its form: a change keeps the record on its screen
// row, a delete leaves the highlight on a neighbour, the form's toolbar
// saves and moves on or adds another, a list called to select opens on the
// caller's record and hands back the one chosen, the right button's menu
// presses the list's buttons, and a list without a form is edited in place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "browse_fixture.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "ui/procedures.h"
#include "ui/toolbar_commands.h"

namespace bb::test {
namespace {

class BrowseUpdateTest : public BrowseTest {
protected:
    // The city on file of the customer `company`.
    std::string cityOf(const std::string& company) {
        FileManager& file = *fileManagerFor(FileId::Members);
        const int saved = file.SaveCopy();
        std::string city;
        file.SetOrder(MBR::key::COMPANYKEY);
        while (file.NextQuietly() == SeverityNone) {
            if (MBR::COMPANYNAME.get() == company) city = MBR::CITY.get();
        }
        file.RestoreCopy(saved, true);
        return city;
    }
};

struct MovedChange {
    const char* what;
    int clicked;          // the row changed, from 0
    std::string renamed;  // its new company name
    int firstShown;       // the record shown on the first row afterwards
    int rowAfter;         // the row it stands on afterwards, from 0
};

// 25 customers, 10 rows, page down once first: rows 11 to 20 show.
const MovedChange kMovedChanges[] = {
    {"unmoved", 4, numbered(15), 11, 4},
    {"moved down the order", 4, numbered(20) + "a", 17, 4},
    {"moved up the order", 4, numbered(12) + "a", 9, 4},
    {"moved near the top: as many rows above as there are", 4, numbered(2) + "a", 1, 2},
    {"moved past the end: the page ends with it", 4, "Zeta Works", 17, 9},
};

TEST_F(BrowseUpdateTest, AChangedRecordStaysOnItsScreenRowWhereverTheSortTakesIt) {
    addNumbered(25);
    for (const MovedChange& c : kMovedChanges) {
        SCOPED_TRACE(c.what);
        DrivenWindow window = start();
        press(QKeyCombination(Qt::Key_PageDown));
        window.clickRow(kList, c.clicked);
        const std::string before = highlighted();
        ui.when(kFormCaption, [&](DrivenWindow& edit) {
            EXPECT_EQ(edit.caption(), "Record Will Be Changed");
            EXPECT_EQ(edit.shown("Company"), before);
            edit.type("Company", c.renamed);
            edit.press("OK");
        });
        window.press("Change");
        EXPECT_EQ(highlighted(), c.renamed);
        EXPECT_EQ(window.highlighted(kList), c.rowAfter);
        EXPECT_EQ(rows().front(), numbered(c.firstShown));
        EXPECT_EQ(rows().size(), 10u);
        EXPECT_EQ(MBR::COMPANYNAME.get(), c.renamed);
        // Put it back for the next case.
        ui.when(kFormCaption, [&](DrivenWindow& edit) {
            edit.type("Company", before);
            edit.press("OK");
        });
        window.press("Change");
        EXPECT_EQ(highlighted(), before);
        ui.closeAll();
    }
}

TEST_F(BrowseUpdateTest, ACancelledChangeLeavesThePageAsItWas) {
    addNumbered(25);
    DrivenWindow window = start();
    press(QKeyCombination(Qt::Key_PageDown));
    window.clickRow(kList, 6);
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        edit.type("City", "Elsewhere");
        edit.press("Cancel");
    });
    ui.messages.answer(ButtonNo);  // do not save the changes
    window.press("Change");
    EXPECT_EQ(rows(), numberedRange(11, 20));
    EXPECT_EQ(highlighted(), numbered(17));
    EXPECT_EQ(cityOf(numbered(17)), "City 17");
}

struct Deletion {
    const char* what;
    std::vector<Qt::Key> keysBefore;
    int clicked;
    std::vector<std::string> rowsAfter;
    std::string highlightedAfter;
};

void PrintTo(const Deletion& c, std::ostream* out) {
    *out << c.what;
}

// 12 customers, 10 rows.
const Deletion kDeletions[] = {
    {"in the middle: the next record takes its row",
     {},
     4,
     {numbered(1), numbered(2), numbered(3), numbered(4), numbered(6), numbered(7), numbered(8),
      numbered(9), numbered(10), numbered(11)},
     numbered(6)},
    {"the first", {}, 0, numberedRange(2, 11), numbered(2)},
    {"the last on file: the one before it", {Qt::Key_End}, 9, numberedRange(2, 11), numbered(11)},
};

class BrowseDeleteTest : public BrowseTest, public ::testing::WithParamInterface<Deletion> {};

TEST_P(BrowseDeleteTest, ADeletedHighlightedRecordLeavesTheHighlightOnItsNeighbour) {
    const Deletion& c = GetParam();
    addNumbered(12);
    DrivenWindow window = start();
    for (Qt::Key key : c.keysBefore) press(QKeyCombination(key));
    window.clickRow(kList, c.clicked);
    ui.messages.answer(ButtonYes);
    press(QKeyCombination(Qt::Key_Delete));
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.last().title, "Confirm Delete");
    EXPECT_EQ(rows(), c.rowsAfter);
    EXPECT_EQ(highlighted(), c.highlightedAfter);
    EXPECT_EQ(MBR::COMPANYNAME.get(), c.highlightedAfter);
}

INSTANTIATE_TEST_SUITE_P(Rows, BrowseDeleteTest, ::testing::ValuesIn(kDeletions));

TEST_F(BrowseUpdateTest, ADeleteAnsweredNoKeepsTheRow) {
    addNumbered(12);
    DrivenWindow window = start();
    window.clickRow(kList, 3);
    ui.messages.answer(ButtonNo);
    window.press("Delete");
    EXPECT_EQ(rows(), numberedRange(1, 10));
    EXPECT_EQ(highlighted(), numbered(4));
    EXPECT_EQ(companies().size(), 12u);
}

// The form's toolbar: save and go to the next record, whose form opens.
TEST_F(BrowseUpdateTest, SaveAndNextSavesMovesOneRowDownAndOpensTheNextRecord) {
    addNumbered(25);
    DrivenWindow window = start();
    window.clickRow(kList, 9);  // the bottom row: the page moves under it
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        EXPECT_EQ(edit.toolbarButton(ToolbarNext).tip, "Save changes and go to next record");
        edit.type("City", "Moved On");
        edit.toolbar(ToolbarNext);
    });
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        EXPECT_EQ(edit.caption(), "Record Will Be Changed");
        EXPECT_EQ(edit.shown("Company"), numbered(11));
        edit.toolbar(ToolbarPrevious);  // unchanged: moves back without a write
    });
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        EXPECT_EQ(edit.shown("Company"), numbered(10));
        EXPECT_EQ(edit.shown("City"), "Moved On");
        edit.press("Cancel");
    });
    window.press("Change");
    EXPECT_EQ(ui.waitingScripts(), 0u);
    EXPECT_EQ(cityOf(numbered(10)), "Moved On");
    EXPECT_EQ(cityOf(numbered(11)), "City 11");
    EXPECT_EQ(highlighted(), numbered(10));
    EXPECT_EQ(rows().front(), numbered(2));
}

TEST_F(BrowseUpdateTest, SaveAndAddNewSavesThenOpensTheFormForANewRecord) {
    addNumbered(5);
    DrivenWindow window = start();
    window.clickRow(kList, 1);
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        edit.type("City", "Saved First");
        edit.toolbar(ToolbarInsert);
    });
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        EXPECT_EQ(edit.caption(), "Record Will Be Added");
        EXPECT_EQ(edit.shown("Company"), "");
        edit.type("Company", "Company 002b");
        // Save this one and add another.
        edit.toolbar(ToolbarNext);
    });
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        EXPECT_EQ(edit.caption(), "Record Will Be Added");
        edit.type("Company", "Company 004b");
        edit.press("OK");
    });
    window.press("Change");
    EXPECT_EQ(ui.waitingScripts(), 0u);
    EXPECT_EQ(cityOf(numbered(2)), "Saved First");
    EXPECT_EQ(rows(),
              (std::vector<std::string>{numbered(1), numbered(2), "Company 002b", numbered(3),
                                        numbered(4), "Company 004b", numbered(5)}));
    EXPECT_EQ(highlighted(), "Company 004b");
}

// ---------------------------------------------------------------- select

enum class Pick { SelectButton, DoubleClick, EnterKey };

TEST_F(BrowseUpdateTest, AListCalledToSelectOpensOnTheCallersRecordAndHandsBackTheChosenOne) {
    addNumbered(40);
    for (Pick pick : {Pick::SelectButton, Pick::DoubleClick, Pick::EnterKey}) {
        SCOPED_TRACE(static_cast<int>(pick));
        // The caller's buffer holds customer 30.
        FileManager& file = *fileManagerFor(FileId::Members);
        MBR::MEMBERNUMBER.set(30);
        ASSERT_EQ(file.Fetch(MBR::key::MEMBERKEY), SeverityNone);
        ui.when(kListCaption, [pick](DrivenWindow& select) {
            EXPECT_EQ(select.highlighted(kList), 0);
            EXPECT_EQ(select.rows(kList).front(), numbered(30));
            EXPECT_TRUE(select.enabled("Select"));
            select.key(QKeyCombination(Qt::Key_Down));
            switch (pick) {
                case Pick::SelectButton:
                    select.press("Select");
                    break;
                case Pick::DoubleClick:
                    select.doubleClickRow(kList, 1);
                    break;
                case Pick::EnterKey:
                    select.key(QKeyCombination(Qt::Key_Return));
                    break;
            }
        });
        EXPECT_EQ(procedures().call("SelectTestCustomer", SelectRequest), ResponseCompleted);
        EXPECT_EQ(MBR::COMPANYNAME.get(), numbered(31));
        EXPECT_EQ(MBR::MEMBERNUMBER.get(), 31);
    }
}

TEST_F(BrowseUpdateTest, AListNotSelectingHidesItsSelectButtonAndDoubleClickChanges) {
    addNumbered(5);
    DrivenWindow window = start();
    EXPECT_FALSE(window.find("Select")->isVisible());
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        EXPECT_EQ(edit.shown("Company"), numbered(3));
        edit.press("Cancel");
    });
    window.doubleClickRow(kList, 2);
    EXPECT_EQ(ui.waitingScripts(), 0u);
}

TEST_F(BrowseUpdateTest, ASelectionClosedWithoutChoosingAnswersCancelled) {
    addNumbered(10);
    FileManager& file = *fileManagerFor(FileId::Members);
    MBR::MEMBERNUMBER.set(4);
    ASSERT_EQ(file.Fetch(MBR::key::MEMBERKEY), SeverityNone);
    ui.when(kListCaption, [](DrivenWindow& select) {
        select.key(QKeyCombination(Qt::Key_Down));
        select.press("Close");
    });
    EXPECT_EQ(procedures().call("SelectTestCustomer", SelectRequest), ResponseCancelled);
}

// ----------------------------------------------------------------- popup

// The texts of the open popup menu's items, "(disabled)" after those that
// are; then triggers the item `choose`.
void answerPopup(std::vector<std::string>& items, const QString& choose) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &items, choose] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        poll->stop();
        poll->deleteLater();
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            QString text = action->text().remove('&');
            if (text == choose) chosen = action;
            items.push_back(text.toStdString() + (action->isEnabled() ? "" : " (disabled)"));
        }
        // Chosen as the keyboard chooses, so that the menu reports it.
        if (chosen) menu->setActiveAction(chosen);
        QTest::keyClick(menu, chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
    poll->start(10);
}

TEST_F(BrowseUpdateTest, TheRightButtonHighlightsTheRowAndItsMenuPressesTheListsButtons) {
    addNumbered(5);
    DrivenWindow window = start();
    std::vector<std::string> items;
    answerPopup(items, "Change");
    ui.when(kFormCaption, [](DrivenWindow& edit) {
        EXPECT_EQ(edit.shown("Company"), numbered(3));
        edit.press("Cancel");
    });
    BrowseTable& table = *window.list(kList)->Table();
    const QPoint at = table.visualRect(table.model()->index(2, 0)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, table.viewport()->mapToGlobal(at));
    QApplication::sendEvent(table.viewport(), &click);
    ui.settle();
    EXPECT_EQ(items, (std::vector<std::string>{"Insert", "Change", "Delete"}));
    EXPECT_EQ(ui.waitingScripts(), 0u);
    EXPECT_EQ(highlighted(), numbered(3));
}

// ---------------------------------------------------------- edit in place

class BrowseEditInPlaceTest : public BrowseTest {
protected:
    BrowseEditInPlaceTest() {
        ListDecl& decl = *list.fields.front().list;
        decl.update = {};
        decl.editColumns = {1, 2};
    }

    // Types `texts` into the row's cells as their entries open, one after
    // another (Tab between them), and ends the row with `end`.
    void editCells(std::vector<std::string> texts, Qt::Key end) {
        auto* poll = new QTimer;
        QObject::connect(
            poll, &QTimer::timeout,
            [this, poll, texts, end, done = std::size_t{0}, last = QPointer<QWidget>()]() mutable {
                // Each cell gets a new entry, which may lie where
                // the last one did: a guarded pointer tells them apart.
                auto* entry = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                if (!entry || entry == last.data() || !browse().List()->isAncestorOf(entry)) return;
                last = entry;
                entry->setText(QString::fromStdString(texts[done]));
                const bool lastCell = ++done == texts.size();
                if (lastCell) {
                    poll->stop();
                    poll->deleteLater();
                }
                QTest::keyClick(entry, lastCell ? end : Qt::Key_Tab);
            });
        poll->start(10);
    }
};

TEST_F(BrowseEditInPlaceTest, AChangedRowIsSavedWhenTheUserSaysSo) {
    addNumbered(5);
    start();
    shown().clickRow(kList, 1);
    editCells({"Company 002", "Paris"}, Qt::Key_Return);
    ui.messages.answer(ButtonYes);  // "Do you want to save the changes to this record?"
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_Return));
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.last().title, "Save Record");
    EXPECT_EQ(shown().rows(kList, 1)[1], "Paris");
    EXPECT_EQ(highlighted(), numbered(2));
    FileManager& file = *fileManagerFor(FileId::Members);
    MBR::MEMBERNUMBER.set(2);
    ASSERT_EQ(file.Fetch(MBR::key::MEMBERKEY), SeverityNone);
    EXPECT_EQ(MBR::CITY.get(), "Paris");
}

TEST_F(BrowseEditInPlaceTest, AnInsertedRowIsAddedBelowTheHighlightAndEscapeTakesItBack) {
    addNumbered(3);
    start();
    shown().clickRow(kList, 0);
    editCells({"Company 001b", "Lyon"}, Qt::Key_Escape);
    press(QKeyCombination(Qt::Key_Insert));
    EXPECT_EQ(rows(), numberedRange(1, 3));
    EXPECT_EQ(companies().size(), 3u);

    editCells({"Company 001b", "Lyon"}, Qt::Key_Return);
    ui.messages.answer(ButtonYes);
    press(QKeyCombination(Qt::Key_Insert));
    EXPECT_EQ(rows(),
              (std::vector<std::string>{numbered(1), "Company 001b", numbered(2), numbered(3)}));
    EXPECT_EQ(highlighted(), "Company 001b");
    EXPECT_EQ(companies().size(), 4u);
}

}  // namespace
}  // namespace bb::test
