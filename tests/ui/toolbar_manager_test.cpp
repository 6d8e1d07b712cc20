// The toolbar manager's tables: which commands a list and a form target
// enable, with which tips, and what a pressed command does.
#include "ui/toolbar_manager.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QWidget>
#include <functional>

#include "dictionary/process_values.h"
#include "qt_application.h"
#include "ui/frame_services.h"

namespace bb {
namespace {

struct Expected {
    int number;
    bool enabled;
    const char* tip;  // null: not checked
};

class ToolbarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }

    ToolbarTest() {
        toolbar.Setup();
        list.show();
    }

    void expect(const std::vector<Expected>& table) const {
        for (const Expected& e : table) {
            SCOPED_TRACE(e.number);
            EXPECT_EQ(toolbar.Button(e.number).enabled, e.enabled);
            if (e.tip) {
                EXPECT_EQ(toolbar.Button(e.number).tip, e.tip);
            }
        }
    }

    ToolbarManager toolbar;
    QWidget list;
    QPushButton insert{"Insert"}, change{"Change"}, remove{"Delete"}, select{"Select"},
        help{"Help"};
};

TEST_F(ToolbarTest, AListEnablesTheMovesAndItsOwnButtons) {
    ListToolbarTarget target;
    target.INSERTBUTTON = &insert;
    target.CHANGEBUTTON = &change;
    target.DELETEBUTTON = &remove;
    target.HELPBUTTON = &help;
    remove.setEnabled(false);
    toolbar.RegisterTarget(target, &list);
    toolbar.MakeCurrent(&list);
    expect({
        {2000, true, "Insert a new Record"},
        {2001, true, nullptr},
        {2002, false, nullptr},  // its button is disabled
        {2003, false, nullptr},  // it has none
        {2004, true, "Go to the Last Page"},
        {2005, true, "Go to the First Page"},
        {2006, true, "Go to the Next Page"},
        {2007, true, "Go to the Prior Page"},
        {2008, true, "Go to the Next Record"},
        {2009, true, "Go to the Prior Record"},
        {2010, true, nullptr},
        {2011, false, nullptr},
        {2012, true, nullptr},
    });
}

struct FormCase {
    int request;
    bool history;
    std::vector<Expected> expected;
};

TEST_F(ToolbarTest, AFormEnablesTheMovesItsRequestAllows) {
    const FormCase cases[] = {
        {ChangeRequest,
         true,
         {{2000, true, "Save this record and add a new one"},
          {2001, false, nullptr},
          {2002, false, nullptr},
          {2003, false, nullptr},
          {2004, true, "Save changes and go to last record"},
          {2005, true, "Save changes and go to first record"},
          {2006, true, "Save changes and page down to record"},
          {2007, true, "Save changes and page up to record"},
          {2008, true, "Save changes and go to next record"},
          {2009, true, "Save changes and go to previous record"},
          {2011, true, nullptr},
          {2012, false, nullptr}}},
        {InsertRequest,
         false,
         {{2000, true, "Save record and add another"},
          {2001, false, nullptr},
          {2004, false, nullptr},
          {2007, false, nullptr},
          {2008, true, "Save record and add another"},
          {2009, false, nullptr},
          {2010, false, nullptr},
          {2011, false, nullptr}}},
        {DeleteRequest,
         true,
         {{2000, false, nullptr},
          {2004, false, nullptr},
          {2008, false, nullptr},
          {2011, false, nullptr}}},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.request);
        FormToolbarTarget target;
        target.REQUEST = c.request;
        target.HISTORY = c.history;
        toolbar.Setup();
        toolbar.RegisterTarget(target, nullptr);
        toolbar.MakeCurrent(nullptr);
        expect(c.expected);
    }
}

TEST_F(ToolbarTest, TheTipOfNextPageFollowsTheTargetThatTakesTheToolbar) {
    ListToolbarTarget browse;
    FormToolbarTarget form;
    form.REQUEST = ChangeRequest;
    toolbar.RegisterTarget(browse, &list);
    toolbar.MakeCurrent();
    EXPECT_EQ(toolbar.Current(), &browse);
    EXPECT_EQ(toolbar.Button(2006).tip, "Go to the Next Page");
    // A form registered later takes it whenever it is asked who can.
    toolbar.RegisterTarget(form, nullptr);
    toolbar.MakeCurrent();
    EXPECT_EQ(toolbar.Current(), &form);
    EXPECT_EQ(toolbar.Button(2006).tip, "Save changes and page down to record");
    // A hidden list cannot take it.
    toolbar.Setup();
    list.hide();
    toolbar.RegisterTarget(browse, &list);
    toolbar.MakeCurrent();
    EXPECT_EQ(toolbar.Current(), nullptr);
}

// Whichever way a target becomes current, the buttons show its tips and no
// tip of the target before it.
TEST_F(ToolbarTest, TheTipsAreThoseOfTheCurrentTargetAlone) {
    ListToolbarTarget browse;
    FormToolbarTarget form;
    form.REQUEST = InsertRequest;
    toolbar.RegisterTarget(browse, &list);
    toolbar.RegisterTarget(form, nullptr);
    const std::function<void()> toTheForm[] = {[this] { toolbar.MakeCurrent(nullptr); },
                                               [this] { toolbar.MakeCurrent(); }};
    for (const auto& makeFormCurrent : toTheForm) {
        toolbar.MakeCurrent(&list);
        EXPECT_EQ(toolbar.Button(2004).tip, "Go to the Last Page");
        makeFormCurrent();
        EXPECT_EQ(toolbar.Current(), &form);
        EXPECT_EQ(toolbar.Button(2004).tip, "");
        EXPECT_EQ(toolbar.Button(2008).tip, "Save record and add another");
    }
}

struct Shown final : ToolbarDisplay {
    void showToolbarButton(int number, const ToolbarButtonState& state) override {
        states[number] = state;
    }
    std::map<int, ToolbarButtonState> states;
};

TEST_F(ToolbarTest, EveryDisplayShowsAllThirteenButtons) {
    Shown strip;
    toolbar.AddDisplay(strip);
    FormToolbarTarget form;
    form.REQUEST = InsertRequest;
    toolbar.RegisterTarget(form, nullptr);
    toolbar.MakeCurrent(nullptr);
    ASSERT_EQ(strip.states.size(), 13U);
    EXPECT_TRUE(strip.states[2008].enabled);
    EXPECT_EQ(strip.states[2008].tip, "Save record and add another");
    EXPECT_FALSE(strip.states[2006].enabled);
}

// Where the focus goes in a window with a main list (its own Insert), a
// second list with buttons of its own (its Change) and a details list
// without any, and what is current after each move.
TEST_F(ToolbarTest, TheFocusAimsTheToolbarAtAListWithButtonsOfItsOwn) {
    QWidget window;
    auto* main = new QWidget(&window);
    auto* second = new QWidget(&window);
    auto* inSecond = new QWidget(second);  // the part of the list that takes the keys
    auto* details = new QWidget(&window);
    auto* field = new QWidget(&window);
    window.show();
    ListToolbarTarget mainList, secondList, detailsList;
    mainList.INSERTBUTTON = &insert;
    secondList.CHANGEBUTTON = &change;
    FormToolbarTarget form;
    form.REQUEST = ChangeRequest;
    struct Step {
        const char* what;
        QWidget* focus;
        const ToolbarTarget* current;
        bool hideMain = false;  // before the focus moves
    };
    struct Case {
        const char* window;
        bool withForm;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"a form",
         true,
         {{"the second list", second, &secondList},
          {"a field", field, &form},
          {"inside the second list", inSecond, &secondList},
          {"the details", details, &secondList},
          {"the second list's button", &change, &secondList},
          {"a field again", field, &form},
          {"the details again", details, &form}}},
        {"a list window",
         false,
         {{"a field", field, &mainList},
          {"the second list", second, &secondList},
          {"the details", details, &secondList},
          {"a field again", field, &mainList},
          {"the details again", details, &mainList},
          {"a field with the main list hidden", field, &secondList, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        main->show();
        toolbar.Setup();
        toolbar.RegisterTarget(mainList, main);
        toolbar.RegisterTarget(detailsList, details);
        toolbar.RegisterTarget(secondList, second);
        if (c.withForm) toolbar.RegisterTarget(form, nullptr);
        toolbar.MakeCurrent(c.withForm ? nullptr : main);
        for (const Step& step : c.steps) {
            SCOPED_TRACE(step.what);
            if (step.hideMain) main->hide();
            toolbar.FollowFocus(step.focus);
            EXPECT_EQ(toolbar.Current(), step.current);
        }
    }
    // The toolbar's buttons are the list's while it is current.
    toolbar.FollowFocus(second);
    EXPECT_TRUE(toolbar.Button(2001).enabled);
    EXPECT_FALSE(toolbar.Button(2000).enabled);
    EXPECT_EQ(toolbar.Button(2006).tip, "Go to the Next Page");
}

}  // namespace
}  // namespace bb
