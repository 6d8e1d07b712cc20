// The frame's toolbar serves the active child window, wherever that
// window's focus is: its buttons are those of the window's list, pressing
// one reaches that list, and with no window left none can be pressed. A
// second list with buttons of its own takes the toolbar while the user is in
// it. A list the user comes back to shows what another station changed
// meanwhile.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QTest>
#include <functional>
#include <map>

#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "processes.h"
#include "program_fixture.h"
#include "ui/frame_services.h"
#include "ui/procedures.h"
#include "ui/toolbar_commands.h"
#include "window_driver.h"

namespace bb::test {
namespace {

constexpr char kCustomerList[] = "Customer List";
constexpr char kStates[] = "States";

class FrameToolbar : public ProgramTest {
protected:
    FrameToolbar() {
        // The windows call their forms through the program's registry.
        registerProcedures(procedures());
        showWithoutSplash();
    }

    DrivenWindow open(const char* menu, const char* item, const char* caption) {
        choose(menu, item);
        return ui.window(caption);
    }
    DrivenWindow openCustomerList() { return open("Customers", "Customer List", kCustomerList); }
    DrivenWindow openStates() { return open("Maintenance", "State Codes", kStates); }
    void activate(DrivenWindow& window) {
        frameServices().activateChildWindow(*window.manager().Widget());
        ui.settle();
    }
    // Buttons 2000 to 2012 as the frame shows them, by number.
    std::map<int, bool> shown() const {
        std::map<int, bool> states;
        for (int number = ToolbarInsert; number <= ToolbarHelp; ++number)
            if (const QAction* button = frame_->toolbarButton(number))
                states[number] = button->isEnabled();
        return states;
    }
    // An active customer; its number.
    static int addCustomer(const std::string& company) {
        const RelatedFilesOpen members(*relationManagerFor(FileId::Members));
        EXPECT_EQ(fileManagerFor(FileId::Members)->PrimeNewRecord(), SeverityNone);
        MBR::COMPANYNAME.set(company);
        MBR::MEMBERNAME.set(company);
        MBR::ACTIVE.set(1);
        EXPECT_EQ(fileManagerFor(FileId::Members)->Insert(), SeverityNone);
        return MBR::MEMBERNUMBER.get();
    }
    static void addState(const std::string& code, const std::string& name) {
        const RelatedFilesOpen states(*relationManagerFor(FileId::States));
        buffer(FileId::States).clear();
        ST::STATECODE.set(code);
        ST::STATENAME.set(name);
        EXPECT_EQ(fileManagerFor(FileId::States)->Insert(), SeverityNone);
    }
    static void addRepresentative(const std::string& num, const std::string& name) {
        const RelatedFilesOpen representatives(*relationManagerFor(FileId::Representatives));
        EXPECT_EQ(fileManagerFor(FileId::Representatives)->PrimeNewRecord(), SeverityNone);
        REP::REP_NUM.set(num);
        REP::REP_NAME.set(name);
        EXPECT_EQ(fileManagerFor(FileId::Representatives)->Insert(), SeverityNone);
    }

    WindowDriver ui{WindowDriver::Frame::Installed};
};

// A list with rows: every move, its Insert, Change and Delete; no Select
// (it is not selecting), no ditto; help.
const std::map<int, bool> kListWithRows = {
    {ToolbarInsert, true}, {ToolbarChange, true},   {ToolbarDelete, true},   {ToolbarSelect, false},
    {ToolbarLast, true},   {ToolbarFirst, true},    {ToolbarPageDown, true}, {ToolbarPageUp, true},
    {ToolbarNext, true},   {ToolbarPrevious, true}, {ToolbarDitto, false},   {ToolbarHelp, true},
};

// A form opened for a change: save-and-move, save-and-add and ditto; no
// change, delete or select; help.
const std::map<int, bool> kChangeForm = {
    {ToolbarInsert, true}, {ToolbarChange, false},  {ToolbarDelete, false},  {ToolbarSelect, false},
    {ToolbarLast, true},   {ToolbarFirst, true},    {ToolbarPageDown, true}, {ToolbarPageUp, true},
    {ToolbarNext, true},   {ToolbarPrevious, true}, {ToolbarDitto, true},    {ToolbarHelp, true},
};

struct FocusCase {
    const char* what;
    std::function<void(DrivenWindow&)> focus;
};

TEST_F(FrameToolbar, TheCustomerListServesTheToolbarWhereverItsFocusIs) {
    addCustomer("Acme Tools");
    const FocusCase cases[] = {
        {"as it opens", [](DrivenWindow&) {}},
        {"on its Show option", [](DrivenWindow& list) { list.focus("Both"); }},
        {"on its phone list", [](DrivenWindow& list) { list.focus("Customer phones"); }},
        {"nowhere",
         [](DrivenWindow&) {
             if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
         }},
        {"a click on its panel",
         [](DrivenWindow& list) { QTest::mouseClick(list.manager().Widget(), Qt::LeftButton); }},
    };
    for (const FocusCase& c : cases) {
        SCOPED_TRACE(c.what);
        DrivenWindow list = openCustomerList();
        c.focus(list);
        ui.settle();
        EXPECT_EQ(shown(), kListWithRows);
        EXPECT_EQ(frame_->toolbarButton(ToolbarPageDown)->toolTip(), "Go to the Next Page");
        // The toolbar's Insert is the list's Insert: over an empty book it
        // names the file a new customer needs first.
        ui.messages.clear();
        frame_->toolbarButton(ToolbarInsert)->trigger();
        ui.settle();
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Insert Record Required");
        list.close();
        ui.settle();
    }
}

// A form's second list with buttons of its own (the representative's
// registrations, the customer's phones): the toolbar acts on it while the
// user is in it or on its buttons, and on the form again once the user is
// elsewhere on the form.
TEST_F(FrameToolbar, AFormsListWithButtonsOfItsOwnTakesTheToolbarWhileItHasTheFocus) {
    addState("TX", "Texas");
    addRepresentative("101", "Ann Lee");
    addCustomer("Acme Tools");
    struct Case {
        const char* form;
        std::function<DrivenWindow()> openList;
        const char* edit;  // the list window's button that opens the form
        const char* tab;
        const char* list;
        const char* beside;  // a control of the form outside the list
        const char* rowForm;
        WindowDriver::Script addRow;
        const char* added;
    };
    const Case cases[] = {
        {"Update Representatives",
         [this] {
             return open("Representatives", "Registered Representatives",
                         "Registered Representatives");
         },
         "Edit Record", "Licensing", "Browse Representative States", "CRD Number",
         "Update Representative States",
         [](DrivenWindow& registration) {
             registration.pick("State", "Texas");
             registration.press("OK");
         },
         "TX"},
        {"Update the Customer File", [this] { return openCustomerList(); }, "Edit", "Phones",
         "Phone numbers", "OK", "Update Phone Number",
         [](DrivenWindow& phone) {
             phone.choose("Fax");
             phone.type("Phone Number", "(512) 555-0142");
             phone.press("OK");
         },
         "Fax"},
    };
    std::map<int, bool> emptyList = kListWithRows;
    emptyList[ToolbarChange] = emptyList[ToolbarDelete] = false;
    struct Step {
        const char* what;
        std::function<void(DrivenWindow&, const Case&)> focus;
        const std::map<int, bool>& shows;
        const char* pageDownTip;
    };
    const auto on = [](const char* Case::*label) {
        return [label](DrivenWindow& form, const Case& c) { form.focus(c.*label); };
    };
    const Step steps[] = {
        {"as it opens", [](DrivenWindow&, const Case&) {}, kChangeForm,
         "Save changes and page down to record"},
        {"on the list",
         [](DrivenWindow& form, const Case& c) {
             form.showTab(c.tab);
             form.focus(c.list);
         },
         emptyList, "Go to the Next Page"},
        {"beside it", on(&Case::beside), kChangeForm, "Save changes and page down to record"},
        {"on its Insert button", [](DrivenWindow& form, const Case&) { form.focus("Insert"); },
         emptyList, "Go to the Next Page"},
        {"beside it again", on(&Case::beside), kChangeForm, "Save changes and page down to record"},
        {"on the list again", on(&Case::list), emptyList, "Go to the Next Page"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        DrivenWindow list = c.openList();
        ui.when(c.form, [&](DrivenWindow& form) {
            for (const Step& step : steps) {
                SCOPED_TRACE(step.what);
                step.focus(form, c);
                EXPECT_EQ(shown(), step.shows);
                EXPECT_EQ(frame_->toolbarButton(ToolbarPageDown)->toolTip().toStdString(),
                          step.pageDownTip);
            }
            // The toolbar's Insert is the list's Insert; the toolbar's
            // Change and Delete follow the row it adds.
            ui.when(c.rowForm, c.addRow);
            form.toolbar(ToolbarInsert);
            EXPECT_EQ(ui.waitingScripts(), 0U);
            EXPECT_EQ(form.rows(c.list), std::vector<std::string>{c.added});
            EXPECT_EQ(shown(), kListWithRows);
            form.focus(c.beside);
            EXPECT_EQ(shown(), kChangeForm);
            form.press("Cancel");
        });
        list.press(c.edit);
        EXPECT_EQ(ui.waitingScripts(), 0U);
        list.close();
        ui.settle();
    }
}

TEST_F(FrameToolbar, EachWindowServesTheToolbarWhileItIsActiveAndNoneOnceAllAreClosed) {
    addCustomer("Acme Tools");
    DrivenWindow customers = openCustomerList();
    DrivenWindow states = openStates();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        activate(customers);
        EXPECT_EQ(shown(), kListWithRows);
        activate(states);
        // No state is on file: nothing to change or delete.
        std::map<int, bool> emptyList = kListWithRows;
        emptyList[ToolbarChange] = emptyList[ToolbarDelete] = false;
        EXPECT_EQ(shown(), emptyList);
        ui.when("Update States", [](DrivenWindow& form) { form.press("Cancel"); });
        frame_->toolbarButton(ToolbarInsert)->trigger();
        ui.settle();
        EXPECT_EQ(ui.waitingScripts(), 0U);
    }
    // Commission transactions are never deleted from the toolbar, whichever
    // window is active.
    processValues().CurrentProcedure.set("BrowseCommissionTransactions");
    activate(customers);
    EXPECT_FALSE(frame_->toolbarButton(ToolbarDelete)->isEnabled());
    EXPECT_TRUE(frame_->toolbarButton(ToolbarChange)->isEnabled());

    frame_->area().closeAllSubWindows();
    ui.settle();
    ASSERT_TRUE(startedWindows().empty());
    std::map<int, bool> noneEnabled = kListWithRows;
    for (auto& entry : noneEnabled) entry.second = false;
    EXPECT_EQ(shown(), noneEnabled);
    EXPECT_TRUE(frame_->toolbarButton(ToolbarCustomerList)->isEnabled());
}

TEST_F(FrameToolbar, TheCustomerListShowsAnotherStationsChangeWhenItIsActiveAgain) {
    const int acme = addCustomer("Acme Tools");
    DrivenWindow customers = openCustomerList();
    openStates();
    ChildProcess station(BB_STORAGE_STATION,
                         {"change", folder_.path().string(), std::to_string(acme), "Zenith Mills"});
    ASSERT_TRUE(station.waitForLine("changed 0"));
    EXPECT_EQ(station.wait(), 0);
    ui.settle();
    EXPECT_EQ(customers.rows("Customers"), std::vector<std::string>{"Acme Tools"});
    activate(customers);
    EXPECT_EQ(customers.rows("Customers"), std::vector<std::string>{"Zenith Mills"});
}

}  // namespace
}  // namespace bb::test
