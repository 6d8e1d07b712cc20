// What the framework builds from a declaration: prompts that are their
// fields' buddies, accessible names, the declaration's tab order, widths
// that fit each picture, window variables, and the toolbar strip.
#include "ui/form_builder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "dictionary/process_values.h"
#include "platform/date.h"
#include "test_form.h"
#include "ui/toolbar_commands.h"

namespace bb::test {
namespace {

using FormBuilderTest = TestFormTest;

TEST_F(FormBuilderTest, EveryPromptIsItsFieldsBuddyAndEveryControlHasAName) {
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        QWidget& window = *form.manager().Widget();
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            if (label->text().contains(':')) {
                EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
            }
        }
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&window)) continue;
            if (qobject_cast<const QTabWidget*>(widget) || widget->inherits("QTabBar") ||
                widget->inherits("QToolButton") ||
                qobject_cast<const QLineEdit*>(widget->parentWidget()))
                continue;
            if (widget->parentWidget() && widget->parentWidget()->inherits("QAbstractSpinBox"))
                continue;
            // As a screen reader finds it: a label showing a value by that value.
            const QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget);
            ASSERT_NE(read, nullptr);
            EXPECT_FALSE(read->text(QAccessible::Name).isEmpty())
                << widget->metaObject()->className();
        }
        form.press("Cancel");
    });
    callForm(InsertRequest);
}

TEST_F(FormBuilderTest, TabGoesThroughTheFieldsInTheirDeclaredOrder) {
    ui.when(kTestFormCaption, [this](DrivenWindow& form) {
        form.focus("Number");
        std::vector<std::string> visited{form.focused()};
        for (int i = 0; i < 7; ++i) {
            form.key(QKeyCombination(Qt::Key_Tab));
            visited.push_back(form.focused());
        }
        EXPECT_EQ(visited, (std::vector<std::string>{"Number", "Name", "State", "Birth Date",
                                                     "CRD Number", "Location", "Series 7", "OK"}));
        // A mnemonic reaches its field.
        form.key(QKeyCombination(Qt::AltModifier, Qt::Key_A));
        EXPECT_EQ(form.focused(), "Name");
        // The chosen radio takes Tab, whichever it is.
        form.choose("Non-OSJ");
        form.focus("CRD Number");
        for (const char* next : {"Location", "Series 7"}) {
            form.key(QKeyCombination(Qt::Key_Tab));
            EXPECT_EQ(form.focused(), next);
        }
        ui.messages.answer(ButtonNo);  // not saved
        form.press("Cancel");
    });
    callForm(InsertRequest);
}

TEST_F(FormBuilderTest, EntriesAreAsWideAsTheirPictures) {
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        const QFontMetrics metrics(form.find("Number")->font());
        struct Width {
            const char* label;
            int atLeast;  // pixels: what must fit
            int atMost;   // characters it need not exceed
        };
        const int average = metrics.averageCharWidth();
        const Width widths[] = {
            {"Number", metrics.horizontalAdvance("WWWWW"), 8},
            {"Name", average * 25, 32},
            {"E-Mail", average * 35, 42},
            {"Birth Date", metrics.horizontalAdvance("00/00/0000"), 16},
            {"CRD Number", metrics.horizontalAdvance("999,999,999"), 14},
        };
        for (const Width& w : widths) {
            SCOPED_TRACE(w.label);
            const QWidget* control = form.find(w.label);
            EXPECT_GE(control->width(), w.atLeast);
            EXPECT_LE(control->width(), average * w.atMost + 40);
        }
        form.press("Cancel");
    });
    callForm(InsertRequest);
}

TEST_F(FormBuilderTest, ACalledFormShowsTheToolbarCommandsInAStripOfItsOwn) {
    const int number = addRepresentative("101", "Ann");
    readRepresentative(number);
    ui.when(kTestFormCaption, [this](DrivenWindow& form) {
        ASSERT_TRUE(form.hasStrip());
        EXPECT_TRUE(form.stripEnabled(ToolbarPageDown));
        EXPECT_FALSE(form.stripEnabled(ToolbarChange));
        EXPECT_EQ(form.toolbarButton(ToolbarPageDown).tip, "Save changes and page down to record");
        // The frame's toolbar shows the same for the window on top.
        EXPECT_EQ(ui.frameButton(ToolbarPageDown).tip, "Save changes and page down to record");
        EXPECT_TRUE(ui.frameButton(ToolbarPageDown).enabled);
        form.screenshot("change form");
        form.press("Cancel");
    });
    callForm(ChangeRequest);
}

// A dialog over window variables: a text area and a date, no record.
const WindowDecl kNoteDialog{
    .procedure = "TestNote",
    .caption = "Test Note",
    .locals = {{"Note", T_STRING(40)}, {"Due", T_DATE}},
    .fields = {{.kind = ControlKind::TextArea, .local = "Note", .prompt = "&Note:", .lines = 3},
               {.kind = ControlKind::DateSpin, .local = "Due", .prompt = "&Due:"}},
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok},
                {.text = "&Cancel", .role = ButtonRole::Cancel}},
};

class NoteDialog : public WindowManager {
public:
    NoteDialog() : WindowManager(kNoteDialog) {}
    void SetupControls() override { SetLocal("Due", Value::number(*dayNumber(2024, 2, 28))); }
    int Teardown() override {
        note = Local("Note").toText();
        due = static_cast<int>(Local("Due").toNumber().toInt64());
        return WindowManager::Teardown();
    }
    std::string note;
    int due = 0;
};

TEST_F(FormBuilderTest, ADialogEditsItsOwnVariables) {
    ui.when("Test Note", [this](DrivenWindow& dialog) {
        EXPECT_FALSE(dialog.hasStrip());
        EXPECT_EQ(dialog.shown("Due"), "02/28/2024");
        dialog.focus("Due");
        dialog.key(QKeyCombination(Qt::Key_Up));
        EXPECT_EQ(dialog.shown("Due"), "02/29/2024");
        dialog.type("Note", std::string(41, 'n'));
        EXPECT_EQ(ui.messages.last().title, "Note");
        EXPECT_EQ(ui.messages.last().text, "Enter at most 40 characters.");
        dialog.type("Note", "Call back after lunch");
        dialog.press("OK");
    });
    NoteDialog dialog;
    EXPECT_EQ(dialog.Run(), ResponseCompleted);
    EXPECT_EQ(dialog.note, "Call back after lunch");
    EXPECT_EQ(dialog.due, *dayNumber(2024, 2, 29));
}

const WindowDecl kTestPicture{
    .procedure = "TestPicture",
    .caption = "Test Picture",
    .fields = {{.kind = ControlKind::Slot, .name = "Picture"}},
    .buttons = {{.text = "&Close", .role = ButtonRole::Cancel}},
};

// A window whose slot (a list, a preview's pages) takes what room it gets.
class PictureWindow : public WindowManager {
public:
    PictureWindow() : WindowManager(kTestPicture) {}
    QWidget* CreateSlot(const FieldDecl&, QWidget* parent) override {
        picture = new QWidget(parent);
        picture->setAccessibleName("Picture");
        picture->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        return picture;
    }
    QWidget* picture = nullptr;
};

TEST_F(FormBuilderTest, ASlotThatGrowsTakesTheWindowsHeight) {
    PictureWindow window;
    ui.when("Test Picture", [&](DrivenWindow& w) {
        w.manager().Widget()->resize(400, 600);
        ui.settle();
        const int below = w.manager().Widget()->height() - window.picture->geometry().bottom();
        EXPECT_LT(below, 100) << "only the button row is below the slot";
        w.press("Close");
    });
    window.Run();
}

// A list with a button of its own in a box between two fields.
const WindowDecl kStatesBox{
    .procedure = "TestStatesBox",
    .caption = "Test States Box",
    .files = {FileId::States},
    .locals = {{"Region", T_STRING(20)}, {"Note", T_STRING(20)}, {"Code", T_STRING(2)}},
    .fields = {{.local = "Region", .prompt = "&Region:"},
               {.kind = ControlKind::List,
                .name = "States",
                .group = "States Offered",
                .list = ListDecl{.file = FileId::States,
                                 .format = "18L(1)|M~Code~@s2@80L(2)|M~Name~@s20@",
                                 .columns = {ST::STATECODE, ST::STATENAME},
                                 .orders = {{.key = ST::key::STATEKEY}},
                                 .rows = 3}},
               {.local = "Note", .prompt = "&Note:", .group = "States Offered"},
               {.local = "Code", .prompt = "C&ode:"}},
    .buttons = {{.text = "&Offer", .group = "States Offered"},
                {.text = "&Withdraw", .group = "States Offered"},
                {.text = "&OK", .role = ButtonRole::Ok},
                {.text = "&Cancel", .role = ButtonRole::Cancel}},
};

TEST_F(FormBuilderTest, AListAndItsButtonsSitInTheirGroupsBoxAndTabFollowsTheLayout) {
    ui.when("Test States Box", [](DrivenWindow& dialog) {
        const QWidget* box = dialog.find("States Offered");
        const QWidget* list = dialog.find("States");
        ASSERT_TRUE(box && list);
        EXPECT_TRUE(box->isAncestorOf(list));
        EXPECT_EQ(dialog.rows("States"), (std::vector<std::string>{"AK", "CA", "TX"}));
        for (const char* name : {"Offer", "Withdraw", "Note"}) {
            SCOPED_TRACE(name);
            const QWidget* control = dialog.find(name);
            ASSERT_NE(control, nullptr);
            EXPECT_TRUE(box->isAncestorOf(control));
            EXPECT_GT(control->mapTo(box, QPoint(0, 0)).y(),
                      list->mapTo(box, list->rect().bottomLeft()).y());
        }
        EXPECT_FALSE(box->isAncestorOf(dialog.find("Code")));
        dialog.focus("Region");
        std::vector<std::string> visited{dialog.focused()};
        for (int i = 0; i < 6; ++i) {
            dialog.key(QKeyCombination(Qt::Key_Tab));
            visited.push_back(dialog.focused());
        }
        EXPECT_EQ(visited, (std::vector<std::string>{"Region", "States", "Offer", "Withdraw",
                                                     "Note", "Code", "OK"}));
        dialog.screenshot("states box");
        dialog.press("Cancel");
    });
    WindowManager dialog(kStatesBox);
    EXPECT_EQ(dialog.Run(), ResponseCancelled);
}

// A list with the box of the highlighted row's details beside it, and a
// field under both.
const WindowDecl kStatesBeside{
    .procedure = "TestStatesBeside",
    .caption = "Test States Beside",
    .files = {FileId::States},
    .locals = {{"Region", T_STRING(10)}, {"Note", T_STRING(10)}, {"Code", T_STRING(2)}},
    .fields = {{.kind = ControlKind::List,
                .name = "States",
                .list = ListDecl{.file = FileId::States,
                                 .format = "18L(1)|M~Code~@s2@80L(2)|M~Name~@s20@",
                                 .columns = {ST::STATECODE, ST::STATENAME},
                                 .orders = {{.key = ST::key::STATEKEY}},
                                 .rows = 3}},
               {.local = "Region", .prompt = "&Region:", .group = "Selected State"},
               {.local = "Note", .prompt = "&Note:", .group = "Selected State"},
               // A prompt far wider than the box's, which they need not match.
               {.local = "Code", .prompt = "Representative's state c&ode:"}},
    .besideList = "Selected State",
    .buttons = {{.text = "&Offer", .group = "Selected State"},
                {.text = "&OK", .role = ButtonRole::Ok},
                {.text = "&Cancel", .role = ButtonRole::Cancel}},
};

// Where `widget` stands in `window`.
QRect placeIn(const QWidget& window, const QWidget& widget) {
    return {widget.mapTo(&window, QPoint(0, 0)), widget.size()};
}

TEST_F(FormBuilderTest, AGroupBesideTheListStandsToItsRightAndTakesTheSpareWidth) {
    ui.when("Test States Beside", [](DrivenWindow& dialog) {
        const QWidget& window = *dialog.manager().Widget();
        const QWidget* box = dialog.find("Selected State");
        const QWidget* list = dialog.find("States");
        ASSERT_TRUE(box && list);
        const QRect boxAt = placeIn(window, *box);
        const QRect listAt = placeIn(window, *list);
        EXPECT_GT(boxAt.left(), listAt.right());
        EXPECT_LT(boxAt.top(), listAt.bottom());
        EXPECT_LE(list->width(), list->sizeHint().width());
        const QRect codeAt = placeIn(window, *dialog.find("Representative's state code"));
        EXPECT_GT(codeAt.top(), std::max(boxAt.bottom(), listAt.bottom()));
        // The box's fields start just after its own prompts.
        for (const char* field : {"Region", "Note"}) {
            SCOPED_TRACE(field);
            const int at = dialog.find(field)->mapTo(box, QPoint(0, 0)).x();
            EXPECT_LT(at,
                      box->contentsMargins().left() + 30 + QLabel("Region:").sizeHint().width());
        }
        dialog.focus("States");
        std::vector<std::string> visited{dialog.focused()};
        for (int i = 0; i < 5; ++i) {
            dialog.key(QKeyCombination(Qt::Key_Tab));
            visited.push_back(dialog.focused());
        }
        EXPECT_EQ(visited, (std::vector<std::string>{"States", "Region", "Note", "Offer",
                                                     "Representative's state code", "OK"}));
        // The room the window gains goes to the box.
        const int listWidth = list->width();
        const int boxWidth = box->width();
        dialog.resize(window.width() + 200, window.height());
        EXPECT_EQ(list->width(), listWidth);
        EXPECT_EQ(box->width(), boxWidth + 200);
        dialog.screenshot("states beside");
        dialog.press("Cancel");
    });
    WindowManager dialog(kStatesBeside);
    EXPECT_EQ(dialog.Run(), ResponseCancelled);
}

}  // namespace
}  // namespace bb::test
