// Driving real windows in tests, as a user would.
//
//   WindowTest (window_test.h) gives a test a data folder of its own, the
//   dictionary set up and a driver, `ui`:
//
//   TEST_F(MyFormTest, SavesANewState) {
//       ui.when("Update the States File", [](DrivenWindow& form) {
//           form.type("Code", "TX");           // types, then Tab, as a user leaves it
//           form.pick("Region", "South");      // a drop list's row, by any column's text
//           form.choose("Yes");                // a radio button
//           form.check("Sales tax", true);
//           form.mark("Customer Groups", "Golf");   // a marked list's row, by any column
//           form.press("OK");                  // a button by its text ("&OK" or "OK")
//       });
//       ui.messages.answer(ButtonYes);         // the next question's answer
//       EXPECT_EQ(procedures().call("UpdateStates", InsertRequest), ResponseCompleted);
//   }
//
// A called (modal) window runs its script when it opens: the first waiting
// script whose caption matches the window's declared caption or the one it
// shows. Scripts nest: a script may itself say `ui.when(...)` for the
// window its next press opens (list -> form -> selection list -> message).
// A modal window that opens with no script waiting, or that is still open
// when its script ends, fails the test and is closed without saving, so a
// test never hangs.
//
// Started windows (lists) do not block: `ui.window("Customer List")` finds
// one that is open. Controls are found by their prompt ("Last Name", with or
// without "&" and ":"), a button's or radio's text, a group's title or an
// accessible name (or, for a label showing a value, its description). After
// every action the posted events are handled.
//
// Messages, questions and beeps go to `ui.messages` (scripted_messages.h):
// queue answers, read back title, text and icon. The frame is a stand-in
// whose status message, help topic and toolbar buttons a test reads, unless
// the driver is made to keep the frame installed already (a test of the
// program's own frame).
//
// With BROKERBOOK_SCREENSHOTS=<folder> every window driven is saved there
// as a picture when it opens and before each press.
#pragma once

#include <QKeyCombination>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scripted_messages.h"
#include "ui/frame_services.h"
#include "ui/toolbar_manager.h"
#include "ui/window_manager.h"

class QRadioButton;
class QWidget;

namespace bb {
class BrowseList;
}

namespace bb::test {

class WindowDriver;

// One open window, as the driver reaches it.
class DrivenWindow {
public:
    DrivenWindow(WindowDriver& driver, WindowManager& window) : driver_(driver), window_(window) {}

    // Typing into an entry, a date or a text area, then leaving it (Tab).
    void type(std::string_view label, std::string_view text);
    // Typing without leaving: the text stays unfinished in the control.
    void typeOnly(std::string_view label, std::string_view text);
    // Chooses the row of a drop list that shows `row` in any column.
    void pick(std::string_view label, std::string_view row);
    // Clicks the radio button `radio` (its text).
    void choose(std::string_view radio);
    // Clicks the radio `radio` of the option `group` (its prompt), where
    // other options have a radio of the same text.
    void choose(std::string_view group, std::string_view radio);
    // Clicks the row of a marked list that shows `row` in any column, which
    // turns its mark on or off (and makes it the current row).
    void mark(std::string_view label, std::string_view row);
    // Shows the tab `tab` (its text), as a click on it does.
    void showTab(std::string_view tab);
    void check(std::string_view label, bool checked);
    // Clicks a button as a user does: it takes the focus, then is pressed;
    // a message that leaving the control before shows takes the click.
    void press(std::string_view button);
    // A toolbar command: the window's own strip when it has one, else the
    // frame's toolbar.
    void toolbar(int command);
    // A key on the control that has the focus (Ctrl+' is the ditto key).
    void key(QKeyCombination key);
    void focus(std::string_view label);
    // Moves the mouse onto a control (its status message shows) and off it.
    void hover(std::string_view label);
    void leave(std::string_view label);
    // Asks the window to close, as its close button does.
    void close();
    // Resizes the window, as dragging its border does.
    void resize(int width, int height);

    // A list, by its name: the texts its rows show in `column`, the row
    // highlighted (from 0; -1 for none), and the thumb of its scroll bar (0
    // to 100; -1 while the bar is hidden). A marked list's rows read as
    // "name" or "name: other columns".
    std::vector<std::string> rows(std::string_view list, int column = 0) const;
    int highlighted(std::string_view list) const;
    int thumb(std::string_view list) const;
    // Clicks row `row` (from 0) of a list.
    void clickRow(std::string_view list, int row);
    void doubleClickRow(std::string_view list, int row);
    // Drags the list's thumb to `percent` and lets it go.
    void dragThumb(std::string_view list, int percent);

    // What a control shows: an entry's text, a check box's "checked" or
    // "unchecked", a radio group's chosen text, a drop list's shown row.
    std::string shown(std::string_view label) const;
    bool enabled(std::string_view label) const;
    // The window has a button showing `text` ("&Accounts" or "Accounts").
    bool hasButton(std::string_view text) const;
    // The names (first columns) of a marked list's marked rows, in order.
    std::vector<std::string> marked(std::string_view label) const;
    std::string caption() const;
    // The prompt of the control that has the focus.
    std::string focused() const;
    const ToolbarButtonState& toolbarButton(int command) const;
    // The window's own strip of toolbar buttons shows `command` enabled.
    bool stripEnabled(int command) const;
    bool hasStrip() const;
    void screenshot(std::string_view name) const;

    WindowManager& manager() const { return window_; }
    // The control by its prompt, text or accessible name; fails the test
    // and returns null when there is none.
    QWidget* find(std::string_view label) const;
    // The list by its name; fails the test and returns null when there is none.
    BrowseList* list(std::string_view name) const;

private:
    void clickRadio(QRadioButton& button);

    WindowDriver& driver_;
    WindowManager& window_;
};

class WindowDriver : private WindowObserver {
public:
    using Script = std::function<void(DrivenWindow&)>;
    // Whose frame the windows open in.
    enum class Frame { StandIn, Installed };

    explicit WindowDriver(Frame frame = Frame::StandIn);
    ~WindowDriver() override;
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    // Runs `script` in the next called window captioned `caption`.
    void when(std::string_view caption, Script script);
    // An open started window captioned `caption`; fails the test when none is.
    DrivenWindow window(std::string_view caption);
    // Handles every posted event.
    void settle();
    // Scripts still waiting for their window.
    std::size_t waitingScripts() const { return scripts_.size(); }
    // Captions of the windows opened so far, in order.
    const std::vector<std::string>& opened() const { return opened_; }
    // Closes every started window without saving.
    void closeAll();

    std::string statusMessage() const { return frame_.statusMessage; }
    std::string helpTopic() const { return frame_.lastHelpTopic; }
    // The mnemonic of the frame menu a window opened last (0 for none).
    char frameMenu() const { return frame_.openedMenu; }
    // The stand-in frame toolbar's button as the windows last set it.
    StandaloneFrame::ButtonState frameButton(int command) const;

    ScriptedMessages messages;

    // Saves `widget` as <name>.png when screenshots are asked for.
    void screenshot(QWidget& widget, std::string_view name);

private:
    struct Waiting {
        std::string caption;
        Script script;
    };

    void windowOpened(WindowManager& window) override;
    void windowClosing(WindowManager&) override {}
    void run(WindowManager& window, Script script);

    StandaloneFrame frame_;
    FrameServices* previousFrame_;
    WindowObserver* previousObserver_;
    std::deque<Waiting> scripts_;
    std::vector<std::string> opened_;
    int pictures_ = 0;
};

// The window's caption without the request's suffix, as declared.
std::string declaredCaption(const WindowManager& window);

}  // namespace bb::test
