// Windows started on their own (lists): window ids, the frame's toolbar
// following the active window, calling a form, popup items that press
// buttons, the browses a window carries, timers, and the order of hooks.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <set>

#include "dictionary/process_values.h"
#include "platform/runtime.h"
#include "test_form.h"
#include "ui/popup_manager.h"
#include "ui/procedures.h"
#include "ui/window_browse.h"
#include "ui/window_ids.h"

namespace bb::test {
namespace {

// What a browse is asked by the window it is attached to.
struct FakeBrowse final : WindowBrowse {
    void SetSelecting(bool on) override { selecting = on; }
    void ArmKeys() override { ++armed; }
    void OnEvent(const WindowEvent& event) override { events.push_back(event.kind); }
    bool ResetNeeded() override { return std::exchange(needsReset, false); }
    void NoteOutsideChanges() override { ++looks; }
    void ApplySortOrder(bool force) override { sorts.push_back(force); }
    void RefreshControls() override { ++refreshed; }
    void RereadSelected() override { ++reread; }
    void Teardown() override { ++tornDown; }

    bool selecting = false;
    int armed = 0;
    std::vector<EventKind> events;
    bool needsReset = false;
    int looks = 0;  // for changes made elsewhere
    std::vector<bool> sorts;
    int refreshed = 0;
    int reread = 0;
    int tornDown = 0;
};

const WindowDecl kTestList{
    .procedure = "BrowseTestRepresentatives",
    .caption = "Test Representatives",
    .recordsName = true,
    .files = {FileId::Representatives},
    .fields = {{.kind = ControlKind::Slot, .name = "List"}},
    .buttons = {{.text = "&Insert", .role = ButtonRole::Insert, .message = "Add a new record"},
                {.text = "&Change", .role = ButtonRole::Change},
                {.text = "&Close", .role = ButtonRole::Cancel},
                {.text = "&Help", .role = ButtonRole::Help}},
};

// A list as a browse makes it: its list target on the toolbar, its buttons
// calling the form, and a popup of the buttons.
class TestList : public WindowManager {
public:
    explicit TestList(FakeBrowse& browse) : WindowManager(kTestList), browse_(browse) {}

    int Setup() override {
        const int result = WindowManager::Setup();
        setupThread = currentThread();
        return result;
    }
    QWidget* CreateSlot(const FieldDecl&, QWidget* parent) override {
        list_ = new QListWidget(parent);
        list_->setAccessibleName("List");
        return list_;
    }
    void SetupControls() override {
        Attach(browse_);
        target_.INSERTBUTTON = ButtonOf(ButtonRole::Insert);
        target_.CHANGEBUTTON = ButtonOf(ButtonRole::Change);
        target_.HELPBUTTON = ButtonOf(ButtonRole::Help);
        Toolbar().RegisterTarget(target_, list_);
        Toolbar().MakeCurrent(list_);
        popup.Setup();
        popup.AddMimicItem("", ButtonOf(ButtonRole::Insert), "!&Insert");
    }
    int OnAccepted() override {
        if (CurrentEvent().control == ButtonOf(ButtonRole::Insert)) {
            EXPECT_EQ(fileManagerFor(FileId::Representatives)->PrimeNewRecord(), SeverityNone);
            responses.push_back(CallProcedure("UpdateTestRepresentatives", InsertRequest));
            Toolbar().ShowButtons();
        }
        return WindowManager::OnAccepted();
    }
    void AfterEvent() override { eventThreads.insert(currentThread()); }

    PopupManager popup;
    std::vector<int> responses;
    int setupThread = 0;
    std::set<int> eventThreads;

private:
    FakeBrowse& browse_;
    QListWidget* list_ = nullptr;
    ListToolbarTarget target_;
};

class StartedWindowTest : public TestFormTest {
protected:
    StartedWindowTest() {
        procedures().add("UpdateTestRepresentatives", [this](std::string_view) {
            formThreads.push_back(currentThread());
            TestForm form(decl);
            processValues().LastResponse = form.Run();
        });
    }

    // The windows close while the browse they carry still exists.
    ~StartedWindowTest() override { ui.closeAll(); }

    TestList& start() {
        auto window = std::make_unique<TestList>(browse);
        TestList& list = *window;
        startWindow(std::move(window));
        ui.settle();
        return list;
    }

    FakeBrowse browse;
    std::vector<int> formThreads;
};

TEST_F(StartedWindowTest, AStartedWindowHasAnIdOfItsOwnAndTheFormsItCallsRunUnderIt) {
    TestList& list = start();
    EXPECT_EQ(currentThread(), 1);
    EXPECT_GT(list.setupThread, 1);
    EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseTestRepresentatives");
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        form.type("Number", "101");
        form.type("Name", "Ann");
        form.press("OK");
    });
    ui.window("Test Representatives").press("Insert");
    EXPECT_EQ(list.responses, std::vector<int>{ResponseCompleted});
    EXPECT_EQ(formThreads, std::vector<int>{list.setupThread});
    EXPECT_EQ(list.eventThreads, std::set<int>{list.setupThread});
    EXPECT_EQ(currentThread(), 1);
    EXPECT_EQ(representatives(), std::vector<std::string>{"101 Ann"});
}

TEST_F(StartedWindowTest, TheFramesToolbarShowsTheListThenTheFormOnTopOfIt) {
    start();
    DrivenWindow list = ui.window("Test Representatives");
    EXPECT_EQ(ui.frameButton(ToolbarPageDown).tip, "Go to the Next Page");
    EXPECT_TRUE(ui.frameButton(ToolbarPageDown).enabled);
    EXPECT_FALSE(ui.frameButton(ToolbarDelete).enabled);
    ui.when(kTestFormCaption, [this](DrivenWindow& form) {
        // An insert form leaves the other tips as the buttons' own.
        EXPECT_EQ(ui.frameButton(ToolbarPageDown).tip, "");
        EXPECT_FALSE(ui.frameButton(ToolbarPageDown).enabled);
        EXPECT_EQ(ui.frameButton(ToolbarNext).tip, "Save record and add another");
        form.press("Cancel");
    });
    // The frame's Insert Record button presses the list's Insert button.
    deliverToolbarCommand(ToolbarInsert);
    ui.settle();
    EXPECT_EQ(ui.waitingScripts(), 0U);
    EXPECT_EQ(ui.frameButton(ToolbarPageDown).tip, "Go to the Next Page");
    // The moves go to the list as its scroll events.
    list.toolbar(ToolbarPageDown);
    list.toolbar(ToolbarLast);
    EXPECT_NE(std::find(browse.events.begin(), browse.events.end(), EventKind::PageDown),
              browse.events.end());
    EXPECT_NE(std::find(browse.events.begin(), browse.events.end(), EventKind::ScrollBottom),
              browse.events.end());
}

TEST_F(StartedWindowTest, APopupItemThatMimicsAButtonPressesIt) {
    TestList& list = start();
    ui.when(kTestFormCaption, [](DrivenWindow& form) { form.press("Cancel"); });
    EXPECT_EQ(list.popup.Choose(0), "Insert");
    ui.settle();
    EXPECT_EQ(list.responses, std::vector<int>{ResponseCancelled});
}

TEST_F(StartedWindowTest, CallingAProcedureThatIsNotBuiltReportsItByName) {
    TestList& list = start();
    {
        const ThreadScope scope(list.WindowId());
        procedures().addUnbuilt("NotBuiltYet");
        EXPECT_EQ(list.CallProcedure("NotBuiltYet", ChangeRequest), ResponseCancelled);
        EXPECT_EQ(list.CallProcedure("NeverNamed", ChangeRequest), ResponseCancelled);
        procedures().remove("NotBuiltYet");
    }
    ASSERT_EQ(ui.messages.shown.size(), 2U);
    EXPECT_EQ(ui.messages.shown[0].title, "Procedure not defined");
    EXPECT_EQ(ui.messages.shown[0].text, "The Procedure NotBuiltYet has not been defined.");
    EXPECT_EQ(ui.messages.shown[1].text, "The Procedure NeverNamed has not been defined.");
}

TEST_F(StartedWindowTest, TheWindowKeepsItsBrowsesInStep) {
    TestList& list = start();
    EXPECT_FALSE(browse.selecting);
    EXPECT_EQ(browse.armed, 1);
    // Opening reset it once.
    EXPECT_FALSE(browse.sorts.empty());
    const std::size_t sorts = browse.sorts.size();
    const int refreshed = browse.refreshed;
    // A browse that needs a reload gets one after the next event.
    browse.needsReset = true;
    ui.window("Test Representatives").focus("Help");
    EXPECT_EQ(browse.sorts.size(), sorts + 1);
    EXPECT_EQ(browse.refreshed, refreshed + 1);
    list.Update();
    EXPECT_EQ(browse.reread, 1);
    ui.window("Test Representatives").press("Close");
    EXPECT_TRUE(startedWindows().empty());
    EXPECT_EQ(browse.tornDown, 1);
}

TEST_F(StartedWindowTest, HelpOpensTheProceduresPage) {
    start();
    ui.window("Test Representatives").press("Help");
    EXPECT_EQ(ui.helpTopic(), "BrowseTestRepresentatives");
}

// A dialog for a note, whose OK refuses a blank one.
const WindowDecl kNoteDialog{
    .procedure = "TestNote",
    .caption = "Test Note",
    .locals = {{"Note", T_STRING(40)}},
    .fields = {{.kind = ControlKind::Entry, .local = "Note", .prompt = "&Note:"}},
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok},
                {.text = "&Cancel", .role = ButtonRole::Cancel}},
};

class NoteDialog : public WindowManager {
public:
    NoteDialog() : WindowManager(kNoteDialog) {}
    bool CheckFields() override {
        if (Local("Note").toText().empty())
            return Refuse(Control("Note"), "Note Required", "     Enter a note.");
        return true;
    }
};

// The test form with a button that calls the note dialog.
class FormWithNote : public TestForm {
public:
    using TestForm::TestForm;
    int OnAccepted() override {
        if (Pressed("Note")) notes.push_back(CallProcedure("TestNote", NoRequest));
        return TestForm::OnAccepted();
    }
    static inline std::vector<int> notes;
};

TEST_F(StartedWindowTest, ScriptsReachEveryLevelOfNestedWindows) {
    decl.buttons.push_back({.text = "N&ote...", .name = "Note"});
    procedures().add("UpdateTestRepresentatives", [this](std::string_view) {
        FormWithNote form(decl);
        processValues().LastResponse = form.Run();
    });
    procedures().add("TestNote", [](std::string_view) {
        NoteDialog dialog;
        processValues().LastResponse = dialog.Run();
    });
    FormWithNote::notes.clear();
    TestList& list = start();
    ui.when(kTestFormCaption, [this](DrivenWindow& form) {
        form.type("Number", "101");
        form.type("Name", "Ann");
        ui.when("Test Note", [this](DrivenWindow& note) {
            note.press("OK");
            ASSERT_EQ(ui.messages.shown.size(), 1U);
            EXPECT_EQ(ui.messages.last().title, "Note Required");
            EXPECT_EQ(note.focused(), "Note");
            note.type("Note", "Met at the fair");
            note.press("OK");
        });
        form.press("Note...");
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        form.press("OK");
    });
    ui.window("Test Representatives").press("Insert");
    EXPECT_EQ(FormWithNote::notes, std::vector<int>{ResponseCompleted});
    EXPECT_EQ(list.responses, std::vector<int>{ResponseCompleted});
    EXPECT_EQ(representatives(), std::vector<std::string>{"101 Ann"});
}

// A report-like window: hidden while its timer works, then shown.
class TimedWindow : public WindowManager {
public:
    TimedWindow() : WindowManager(kTestList) {}
    int Setup() override {
        DeferShow();
        return WindowManager::Setup();
    }
    void SetupControls() override { SetTimer(1); }
    int OnWindowEvent() override {
        if (CurrentEvent().kind == EventKind::Timer && ++ticks == 3) {
            SetTimer(0);
            ShowWindow();
        }
        return WindowManager::OnWindowEvent();
    }
    int ticks = 0;
};

TEST_F(StartedWindowTest, AWindowCanWorkOnTimerEventsWhileHiddenAndShowItselfLater) {
    auto window = std::make_unique<TimedWindow>();
    TimedWindow& timed = *window;
    startWindow(std::move(window));
    ui.settle();
    EXPECT_FALSE(timed.Widget()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(timed.ticks >= 3, 5000);
    ui.settle();
    EXPECT_TRUE(timed.Widget()->isVisible());
    EXPECT_EQ(timed.ticks, 3);
}

// The hooks of an update form, in the order they run.
class TracedForm : public TestForm {
public:
    using TestForm::TestForm;
    int Setup() override {
        note("Setup", 0);
        return TestForm::Setup();
    }
    int PrepareRequest() override { return note("PrepareRequest", TestForm::PrepareRequest()); }
    void SeedNewRecord() override {
        note("SeedNewRecord", 0);
        TestForm::SeedNewRecord();
    }
    void SetupControls() override { note("SetupControls", 0); }
    void ArmKeys() override {
        note("ArmKeys", 0);
        TestForm::ArmKeys();
    }
    void Open() override {
        note("Open", 0);
        TestForm::Open();
    }
    bool CheckFields() override {
        note("CheckFields", 0);
        return TestForm::CheckFields();
    }
    int OnCompleted() override { return note("OnCompleted", TestForm::OnCompleted()); }
    int OnCloseRequest() override { return note("OnCloseRequest", TestForm::OnCloseRequest()); }
    int Teardown() override { return note("Teardown", TestForm::Teardown()); }

    std::vector<std::string> trace;

private:
    int note(const char* hook, int result) {
        trace.emplace_back(hook);
        return result;
    }
};

TEST_F(StartedWindowTest, AnInsertRunsTheHooksInTheirOrder) {
    std::vector<std::string> trace;
    procedures().add("UpdateTestRepresentatives", [&](std::string_view) {
        TracedForm form(decl);
        processValues().LastResponse = form.Run();
        trace = form.trace;
    });
    ui.when(kTestFormCaption, [](DrivenWindow& form) {
        form.type("Number", "101");
        form.type("Name", "Ann");
        form.press("OK");
    });
    EXPECT_EQ(callForm(InsertRequest), ResponseCompleted);
    EXPECT_EQ(trace, (std::vector<std::string>{"Setup", "SeedNewRecord", "PrepareRequest",
                                               "SetupControls", "ArmKeys", "Open", "CheckFields",
                                               "OnCompleted", "OnCloseRequest", "Teardown"}));
}

}  // namespace
}  // namespace bb::test
