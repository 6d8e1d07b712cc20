// The toolbar manager: ties the frame toolbar's fixed commands (2000 to 2012:
// insert, change, delete, select, the six moves, locate, ditto, help) to
// whichever list or form of its window can take them now.
//
// Each window has one toolbar manager. A list (its browse) registers a list
// target under its list control, an update form a form target under no
// control; one target is current. The current target decides which commands
// can be pressed and with which tips (ShowButtons, SetTooltips) and what a
// pressed command does (HandleToolbar). The manager keeps the thirteen
// buttons' states and shows them on its displays: the frame's toolbar, and a
// called form's own strip of the same buttons.
//
// Targets belong to whoever registered them and must outlive their
// registration (Teardown forgets them). Used from the GUI thread only.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QAbstractButton;
class QWidget;

namespace bb {

class ToolbarManager;
class WindowBrowse;
class WindowManager;

inline constexpr int kFirstToolbarCommand = 2000;
inline constexpr int kLastToolbarCommand = 2012;

struct ToolbarButtonState {
    bool enabled = false;
    std::string tip;  // empty: the button's own
};

// Where a toolbar manager shows its buttons.
class ToolbarDisplay {
public:
    virtual ~ToolbarDisplay() = default;
    virtual void showToolbarButton(int number, const ToolbarButtonState& state) = 0;
};

// The frame's toolbar, shown to only while `window` is the window that the
// frame's command presses reach.
class FrameToolbarDisplay final : public ToolbarDisplay {
public:
    explicit FrameToolbarDisplay(const QWidget* window) : window_(window) {}
    void showToolbarButton(int number, const ToolbarButtonState& state) override;

private:
    const QWidget* window_;
};

// A command's tooltip in a target's table.
struct ToolbarTip {
    int number;
    std::string_view text;
};

class ToolbarTarget {
public:
    virtual ~ToolbarTarget() = default;

    // The overridable operations, in dispatch order.
    virtual void ShowButtons(ToolbarManager& toolbar) = 0;
    // Sets the target's tips, then ShowButtons.
    virtual void SetTooltips(ToolbarManager& toolbar) = 0;
    // Whether this target can be current now; a target that can sets its tips.
    virtual bool CanTakeToolbar(ToolbarManager& toolbar) = 0;
    virtual void HandleToolbar(int number, int& vcrRequest, WindowManager& window) = 0;

    // Whether the target has an insert, change, delete or select button of
    // its own.
    bool HasOwnButtons() const;
    // Whether `widget` is the target's list, inside it, or one of its own
    // buttons.
    bool Holds(const QWidget* widget) const;

    QWidget* CONTROL = nullptr;  // the list control; null for a form
    QAbstractButton* HELPBUTTON = nullptr;
    QAbstractButton* INSERTBUTTON = nullptr;
    QAbstractButton* CHANGEBUTTON = nullptr;
    QAbstractButton* DELETEBUTTON = nullptr;
    QAbstractButton* SELECTBUTTON = nullptr;

protected:
    // 2000 to 2003 and 2012 follow the target's buttons.
    void showCommonButtons(ToolbarManager& toolbar) const;
    // Help presses F1; 2000 to 2002 press the target's insert, change or
    // delete button.
    void handleCommon(int number, WindowManager& window) const;
};

// The target of an update form: the moves save the record first.
class FormToolbarTarget : public ToolbarTarget {
public:
    void ShowButtons(ToolbarManager& toolbar) override;
    void SetTooltips(ToolbarManager& toolbar) override;
    bool CanTakeToolbar(ToolbarManager& toolbar) override;
    // 2000 and 2004 to 2009 record the command in vcrRequest and act as OK.
    void HandleToolbar(int number, int& vcrRequest, WindowManager& window) override;

    int REQUEST = 0;       // the request the form was opened with
    bool HISTORY = false;  // the form offers ditto
};

// The target of a browse's list: the moves scroll the list.
class ListToolbarTarget : public ToolbarTarget {
public:
    void ShowButtons(ToolbarManager& toolbar) override;
    void SetTooltips(ToolbarManager& toolbar) override;
    // While the list is visible.
    bool CanTakeToolbar(ToolbarManager& toolbar) override;
    // 2003 selects and closes; 2004 to 2010 scroll the list.
    void HandleToolbar(int number, int& vcrRequest, WindowManager& window) override;

    WindowBrowse* BROWSE = nullptr;
};

class ToolbarManager {
public:
    virtual ~ToolbarManager() = default;

    void Setup();
    // Registers `target` under `control` (its list; null for a form).
    void RegisterTarget(ToolbarTarget& target, QWidget* control);
    // Makes the target registered under `control` current; the buttons
    // show its tips alone.
    void MakeCurrent(QWidget* control);
    // Makes current the last target, in registration order, that can take
    // the toolbar now, as MakeCurrent(control) does.
    void MakeCurrent();
    // Aims the toolbar again when its window becomes the active one: the
    // current target keeps it while it can take it (and sets its tips),
    // else MakeCurrent(); then every button is shown.
    void Aim();
    // The focus went to `focused`, a control of the manager's window: a
    // list with a button of its own (or one of those buttons) takes the
    // toolbar, a list without one leaves it where it is, and any other
    // control gives it back to the form, or in a window without a form to
    // its first list with buttons of its own that can take it.
    void FollowFocus(const QWidget* focused);

    // The overridable operations, in dispatch order.
    // Lets the current target set the buttons, then shows them.
    virtual void ShowButtons();
    virtual void Teardown();
    // A command was pressed: the current target performs it.
    virtual void OnEvent(int number, int& vcrRequest, WindowManager& window);

    void AddDisplay(ToolbarDisplay& display);

    // Button states, for targets and tests.
    const ToolbarButtonState& Button(int number) const;
    void SetEnabled(int number, bool enabled);
    void SetEnabled(int first, int last, bool enabled);
    void SetTip(int number, std::string_view tip);
    ToolbarTarget* Current() const { return current_; }

private:
    // Makes `target` current, gives the buttons its tips alone and shows
    // every button.
    void makeCurrent(ToolbarTarget& target);
    // The target that serves the window outside its lists; null for none
    // (the toolbar stays where it is).
    ToolbarTarget* home();
    // Shows every button on every display.
    void redisplay();

    std::vector<std::pair<QWidget*, ToolbarTarget*>> list_;  // (control, target), as registered
    ToolbarTarget* current_ = nullptr;
    std::array<ToolbarButtonState, kLastToolbarCommand - kFirstToolbarCommand + 1> buttons_;
    std::vector<ToolbarDisplay*> displays_;
};

}  // namespace bb
