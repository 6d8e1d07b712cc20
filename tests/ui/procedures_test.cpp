// The procedure registry and the way the frame's toolbar commands reach the
// active window.
#include "ui/procedures.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <map>
#include <vector>

#include "data/error_manager.h"
#include "dictionary/process_values.h"
#include "qt_application.h"
#include "scripted_messages.h"
#include "ui/frame_services.h"
#include "ui/toolbar_commands.h"

namespace bb {
namespace {

class Procedures : public ::testing::Test {
protected:
    Procedures() { programErrors().Setup(); }
    ~Procedures() override { programErrors().Teardown(); }

    test::ScriptedMessages messages_;
    ProcedureRegistry registry_;
};

TEST_F(Procedures, ACallHandsTheRequestAndArgumentOverAndReturnsTheResponse) {
    int seenRequest = -1;
    std::string seenArgument;
    registry_.add("UpdateMembers", [&](std::string_view argument) {
        seenRequest = processValues().PendingRequest;
        seenArgument = argument;
        processValues().LastResponse = ResponseCompleted;
    });
    EXPECT_EQ(registry_.call("UpdateMembers", ChangeRequest, "1"), ResponseCompleted);
    EXPECT_EQ(seenRequest, ChangeRequest);
    EXPECT_EQ(seenArgument, "1");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Procedures, AProcedureThatLeavesNoResponseCountsAsCancelled) {
    registry_.add("BrowseStates", [](std::string_view) {});
    processValues().LastResponse = ResponseCompleted;  // left over from an earlier call
    EXPECT_EQ(registry_.call("BrowseStates"), ResponseCancelled);
}

TEST_F(Procedures, AnUnknownProcedureIsReportedByNameAndCancelled) {
    EXPECT_FALSE(registry_.has("SponsorDirectory"));
    EXPECT_EQ(registry_.call("SponsorDirectory", InsertRequest), ResponseCancelled);
    ASSERT_EQ(messages_.shown.size(), 1U);
    EXPECT_EQ(messages_.last().title, "Procedure not defined");
    EXPECT_EQ(messages_.last().text, "The Procedure SponsorDirectory has not been defined.");
    EXPECT_EQ(messages_.last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(processValues().LastResponse, ResponseCancelled);
}

struct Recorder final : ToolbarCommandTarget {
    void toolbarCommand(int number) override { commands.push_back(number); }
    void toolbarWindowActivated() override { ++activations; }
    std::vector<int> commands;
    int activations = 0;
};

// A frame whose active child window the test chooses.
struct ChosenChild final : FrameServices {
    void showStatusMessage(std::string_view) override {}
    void showHelp(std::string_view) override {}
    void setToolbarButton(int number, bool enabled, std::string_view) override {
        buttons[number] = enabled;
    }
    void openMenu(char, int) override {}
    void addChildWindow(QWidget&) override {}
    void activateChildWindow(QWidget&) override {}
    QWidget* activeChildWindow() const override { return active; }
    QWidget* active = nullptr;
    std::map<int, bool> buttons;
};

TEST(ToolbarCommands, GoToTheModalWindowFirstThenTheActiveChildAndElseNowhere) {
    test::ensureApplication();
    ChosenChild frame;
    FrameServices* previous = installFrameServices(&frame);
    QWidget list;
    QDialog form;
    Recorder listTarget, formTarget;
    registerToolbarTarget(list, listTarget);
    registerToolbarTarget(form, formTarget);

    deliverToolbarCommand(ToolbarNext);  // no active window at all
    frame.active = &list;
    deliverToolbarCommand(ToolbarNext);
    QTimer::singleShot(0, [&] {
        deliverToolbarCommand(ToolbarPageDown);
        form.reject();
    });
    form.exec();
    unregisterToolbarTarget(list);
    deliverToolbarCommand(ToolbarLast);  // the list no longer takes commands

    EXPECT_EQ(listTarget.commands, std::vector<int>{ToolbarNext});
    EXPECT_EQ(formTarget.commands, std::vector<int>{ToolbarPageDown});
    unregisterToolbarTarget(form);
    installFrameServices(previous);
}

// The window the user comes to sets the buttons itself; where no window
// takes commands, none of them can be pressed.
TEST(ToolbarCommands, TheWindowThatBecomesActiveShowsItsButtonsAndWithNoneAllAreDisabled) {
    test::ensureApplication();
    ChosenChild frame;
    FrameServices* previous = installFrameServices(&frame);
    QWidget list, other;
    Recorder listTarget;
    registerToolbarTarget(list, listTarget);
    const std::map<int, bool> noneEnabled = [] {
        std::map<int, bool> all;
        for (int number = ToolbarInsert; number <= ToolbarHelp; ++number) all[number] = false;
        return all;
    }();
    struct Case {
        const char* what;
        QWidget* active;
        int activations;
        std::map<int, bool> buttons;
    };
    const Case cases[] = {
        {"no window", nullptr, 0, noneEnabled},
        {"a window that takes commands", &list, 1, {}},
        {"a window that takes none", &other, 1, noneEnabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        frame.active = c.active;
        frame.buttons.clear();
        toolbarWindowChanged();
        EXPECT_EQ(listTarget.activations, c.activations);
        EXPECT_EQ(frame.buttons, c.buttons);
    }
    unregisterToolbarTarget(list);
    installFrameServices(previous);
}

}  // namespace
}  // namespace bb
