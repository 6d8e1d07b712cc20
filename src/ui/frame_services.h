// What the main frame offers the windows inside it: the status bar's message
// zone, the help, the toolbar's buttons, the menus, and a place for the
// independent child windows. Windows reach the frame only through this
// seam, so that they can run, and be tested, without one.
//
// The frame installs its services while it runs. Until then (and in tests
// that install nothing) a standalone stand-in serves: child windows open as
// top-level windows, and the messages, toolbar states and menu requests are
// kept for reading back. Used from the GUI thread only.
#pragma once

#include <map>
#include <string>
#include <string_view>

class QWidget;

namespace bb {

// The frame toolbar's command numbers.
enum ToolbarCommand : int {
    ToolbarInsert = 2000,
    ToolbarChange = 2001,
    ToolbarDelete = 2002,
    ToolbarSelect = 2003,
    ToolbarLast = 2004,
    ToolbarFirst = 2005,
    ToolbarPageDown = 2006,
    ToolbarPageUp = 2007,
    ToolbarNext = 2008,
    ToolbarPrevious = 2009,
    ToolbarLocate = 2010,
    ToolbarDitto = 2011,
    ToolbarHelp = 2012,
    ToolbarCustomerList = 2013,
};

class FrameServices {
public:
    virtual ~FrameServices() = default;

    // Zone 1 of the status bar: the message of the highlighted control or
    // menu item (empty clears it).
    virtual void showStatusMessage(std::string_view text) = 0;
    // Opens the program's help on `topic` (empty: the contents).
    virtual void showHelp(std::string_view topic) = 0;
    // One of the frame toolbar's buttons 2000 to 2012: whether it can be
    // pressed and its tooltip (empty: the button's own).
    virtual void setToolbarButton(int number, bool enabled, std::string_view tip) = 0;
    // Opens the frame's menu whose mnemonic is `mnemonic` and moves the
    // highlight down `downPresses` items, as typing Alt+letter and Down does.
    virtual void openMenu(char mnemonic, int downPresses) = 0;

    // Makes `window` an independent child window of the frame and shows it,
    // at the size it was given (else its layout's), cut down to the frame's
    // area where it would not fit. The frame puts it in a
    // sub-window that deletes it when it closes; a window that closes itself
    // closes that sub-window (its parent widget). A window whose minimum and
    // maximum sizes are equal keeps that size and cannot be maximised.
    virtual void addChildWindow(QWidget& window) = 0;
    // Brings a child window to the front, restoring it when minimised.
    virtual void activateChildWindow(QWidget& window) = 0;
    // The active child window, or null.
    virtual QWidget* activeChildWindow() const = 0;
};

FrameServices& frameServices();
// Installs `services` (not owned; null restores the standalone stand-in)
// and returns the one it replaces.
FrameServices* installFrameServices(FrameServices* services);

// The stand-in used without a frame.
class StandaloneFrame final : public FrameServices {
public:
    struct ButtonState {
        bool enabled = false;
        std::string tip;
    };

    void showStatusMessage(std::string_view text) override { statusMessage = text; }
    void showHelp(std::string_view topic) override { lastHelpTopic = topic; }
    void setToolbarButton(int number, bool enabled, std::string_view tip) override {
        buttons[number] = {enabled, std::string(tip)};
    }
    void openMenu(char mnemonic, int downPresses) override {
        openedMenu = mnemonic;
        menuDownPresses = downPresses;
    }
    void addChildWindow(QWidget& window) override;
    void activateChildWindow(QWidget& window) override;
    QWidget* activeChildWindow() const override;

    std::string statusMessage;
    std::string lastHelpTopic;
    std::map<int, ButtonState> buttons;
    char openedMenu = 0;
    int menuDownPresses = 0;
};

}  // namespace bb
