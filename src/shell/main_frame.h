// The main frame: the program's one top-level window, with the menus, the
// toolbar, the status bar (the message, the weekday and date, the time) and
// the area in which every list, form and report window opens as a child.
//
// The frame has no data of its own. Its menu items start procedures by name
// through the procedure registry (a name not built yet is reported as
// "Procedure not defined"); its toolbar hands buttons 2000 to 2012 to the
// active window and starts the customer list with 2013. While it lives it
// serves the windows as their FrameServices. On its first showing it opens
// the splash, which any command closes. Closing or destroying the frame
// closes its child windows first.
//
// Used from the GUI thread only.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <map>

#include "ui/frame_services.h"

class QMdiArea;

namespace bb {

class HelpWindow;
class ProcedureRegistry;
class SplashWindow;
struct MenuItem;

// The clock's interval in hundredths of a second: a designed timer outside
// 1 to 100 hundredths gives one second.
int clockTimerHundredths(int designed);

class MainFrame final : public QMainWindow, public FrameServices {
    Q_OBJECT
public:
    // `registry` and the help collection are those of the running program
    // unless a test gives others.
    explicit MainFrame(ProcedureRegistry& registry, const QString& helpCollection);
    ~MainFrame() override;

    void showStatusMessage(std::string_view text) override;
    void showHelp(std::string_view topic) override;
    void setToolbarButton(int number, bool enabled, std::string_view tip) override;
    void openMenu(char mnemonic, int downPresses) override;
    void addChildWindow(QWidget& window) override;
    void activateChildWindow(QWidget& window) override;
    QWidget* activeChildWindow() const override;

    QMdiArea& area() const { return *area_; }
    QAction* toolbarButton(int number) const;
    // The menu item whose text, without its mnemonic mark, is `text`.
    QAction* menuItem(const QString& menu, const QString& text) const;
    const QLabel& dateZone() const { return date_; }
    const QLabel& timeZone() const { return time_; }
    SplashWindow* splash() const;
    // The help window, opened on first use; null when the help is missing.
    HelpWindow* helpWindow();

    // Rewrites the date and time zones from the process clock.
    void refreshClock();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void addWindowList(QMenu& menu);
    void perform(const MenuItem& item);
    // Every command the user gives passes here: the splash closes first.
    void accept(const std::function<void()>& command);
    void openSplash();
    void applyDeleteRule();
    void tile();
    void arrangeIcons();

    ProcedureRegistry& registry_;
    QString helpCollection_;
    QMdiArea* area_;
    QLabel date_;
    QLabel time_;
    QTimer clock_;
    std::map<int, QAction*> buttons_;
    std::map<int, bool> requested_;  // what the active window asked for each button
    QPointer<SplashWindow> splash_;
    QPointer<HelpWindow> help_;
    bool opened_ = false;
    FrameServices* previousServices_;
};

}  // namespace bb
