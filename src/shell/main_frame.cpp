#include "shell/main_frame.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "data/error_manager.h"
#include "dictionary/process_values.h"
#include "platform/clock_texts.h"
#include "platform/message_service.h"
#include "shell/first_paint.h"
#include "shell/frame_commands.h"
#include "shell/help_window.h"
#include "shell/splash_window.h"
#include "shell/window_tiling.h"
#include "ui/help_topics.h"
#include "ui/icons.h"
#include "ui/procedures.h"
#include "ui/program_printer.h"
#include "ui/toolbar_commands.h"

namespace bb {

namespace {
// The frame's own timer, in hundredths of a second.
constexpr int kDesignedTimer = 100;
constexpr std::string_view kFrameTopic = "Main";
constexpr std::string_view kHelpOnHelpTopic = "HowToUseHelp";
// Commission transactions are never deleted from the toolbar.
constexpr std::string_view kCommissionBrowse = "BrowseCommissionTransactions";
constexpr QSize kDesignedSize(1024, 720);

QString qt(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString withoutMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}

QChar mnemonicOf(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
}

// The control that Cut, Copy and Paste act on: the focused one, or the line
// edit inside a focused drop list or spin box.
QWidget* editTarget() {
    QWidget* focused = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit())
        return combo->lineEdit();
    if (qobject_cast<QAbstractSpinBox*>(focused)) return focused->findChild<QLineEdit*>();
    return focused;
}

void editFocused(const char* operation) {
    QWidget* target = editTarget();
    if (target && target->metaObject()->indexOfMethod(QByteArray(operation) + "()") >= 0)
        QMetaObject::invokeMethod(target, operation);
}

QMdiSubWindow* holderOf(const QMdiArea& area, const QWidget& window) {
    for (QMdiSubWindow* sub : area.subWindowList())
        if (sub->widget() == &window) return sub;
    return nullptr;
}

// The toolbar's groups: moving, selecting, changing records, the field's
// previous value and help, and the customer list.
bool startsGroup(int number) {
    return number == ToolbarSelect || number == ToolbarInsert || number == ToolbarDitto ||
           number == ToolbarCustomerList;
}

bool keepsFixedSize(const QWidget& window) {
    return window.minimumSize() == window.maximumSize();
}

// Moves `holder` back inside `room` as far as its size allows, so that its
// title bar stays where the user can reach it.
void keepInside(QMdiSubWindow& holder, const QSize& room) {
    const QPoint at = holder.pos();
    holder.move(std::max(0, std::min(at.x(), room.width() - holder.width())),
                std::max(0, std::min(at.y(), room.height() - holder.height())));
}
}  // namespace

int clockTimerHundredths(int designed) {
    return designed >= 1 && designed <= 100 ? designed : 100;
}

MainFrame::MainFrame(ProcedureRegistry& registry, const QString& helpCollection)
    : registry_(registry), helpCollection_(helpCollection), area_(new QMdiArea(this)) {
    setWindowTitle("Brokerbook");
    setWindowIcon(programIcon("Winpyr.ico"));
    setHelpTopic(*this, kFrameTopic);
    area_->setBackground(QBrush(QPixmap(":/pictures/clouds.jpg")));
    // A window larger than the area on a small screen keeps what its layout
    // needs; the area scrolls to reach every part of it.
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    // The toolbar serves the window the user has come to; with the last
    // one closed it serves none. (A frame that goes inactive keeps it.)
    connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* active) {
        if (active || area_->subWindowList().isEmpty()) toolbarWindowChanged();
        applyDeleteRule();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now) showStatusMessage(now->statusTip().toStdString());
    });
    qApp->installEventFilter(this);
    clock_.setInterval(clockTimerHundredths(kDesignedTimer) * 10);
    connect(&clock_, &QTimer::timeout, this, [this] {
        refreshClock();
        applyDeleteRule();
    });
    refreshClock();
    clock_.start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(kDesignedSize.boundedTo(screen.size()));
    move(screen.center() - rect().center());
    previousServices_ = installFrameServices(this);
    // No window is open yet for the record commands to act on.
    toolbarWindowChanged();
}

MainFrame::~MainFrame() {
    // The child windows close first, while the frame they use still stands:
    // a window deleted with the frame would be left running without its
    // widgets.
    area_->closeAllSubWindows();
    // What the frame's members served must not be reached while they go.
    disconnect(area_, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    installFrameServices(previousServices_);
}

void MainFrame::buildMenus() {
    for (const FrameMenu& menu : frameMenus()) {
        QMenu* items = menuBar()->addMenu(qt(menu.title));
        items->menuAction()->setStatusTip(qt(menu.message));
        for (const MenuItem& item : menu.items) {
            if (item.text.empty()) {
                items->addSeparator();
                continue;
            }
            QAction* action = items->addAction(qt(item.text));
            action->setStatusTip(qt(item.message));
            if (item.shortcut != QKeySequence::UnknownKey) action->setShortcuts(item.shortcut);
            connect(action, &QAction::triggered, this,
                    [this, &item] { accept([this, &item] { perform(item); }); });
        }
        if (menu.title == "&Window") addWindowList(*items);
    }
}

// The Window menu ends with the open windows, the active one checked.
void MainFrame::addWindowList(QMenu& menu) {
    QAction* separator = menu.addSeparator();
    connect(&menu, &QMenu::aboutToShow, this, [this, &menu, separator] {
        const QList<QAction*> all = menu.actions();
        for (qsizetype i = all.indexOf(separator) + 1; i < all.size(); ++i) delete all[i];
        const QList<QMdiSubWindow*> windows = area_->subWindowList();
        separator->setVisible(!windows.isEmpty());
        for (qsizetype i = 0; i < windows.size(); ++i) {
            QMdiSubWindow* window = windows[i];
            const QString prefix = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QString();
            QAction* entry = menu.addAction(prefix + window->windowTitle());
            entry->setCheckable(true);
            entry->setChecked(window == area_->currentSubWindow());
            connect(entry, &QAction::triggered, this, [this, window] {
                accept([this, window] {
                    if (window->isMinimized()) window->showNormal();
                    area_->setActiveSubWindow(window);
                });
            });
        }
    });
}

void MainFrame::buildToolbar() {
    QToolBar* toolbar = addToolBar("Main Toolbar");
    toolbar->setObjectName("mainToolbar");
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(22, 22));
    for (const ToolbarButton& button : frameToolbar()) {
        if (startsGroup(button.number)) toolbar->addSeparator();
        QAction* action = toolbar->addAction(programIcon(button.icon), qt(button.text));
        action->setStatusTip(qt(button.message));
        const int number = button.number;
        buttons_[number] = action;
        requested_[number] = true;
        connect(action, &QAction::triggered, this, [this, number] {
            accept([this, number] {
                if (number == ToolbarCustomerList) {
                    registry_.call(kCustomerListProcedure);
                } else {
                    deliverToolbarCommand(number);
                }
            });
        });
    }
}

void MainFrame::buildStatusBar() {
    for (QLabel* zone : {&date_, &time_}) {
        zone->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        zone->setContentsMargins(6, 0, 6, 0);
        statusBar()->addPermanentWidget(zone);
    }
    // Read out as the date and time they show.
    date_.setAccessibleDescription("Date");
    time_.setAccessibleDescription("Time");
    // Room for the longest date and time, so the zones never jump.
    date_.setMinimumWidth(date_.fontMetrics().horizontalAdvance("Wednesday, September 30, 2099") +
                          14);
    time_.setMinimumWidth(time_.fontMetrics().horizontalAdvance("12:00 PM") + 14);
    date_.setAlignment(Qt::AlignCenter);
    time_.setAlignment(Qt::AlignCenter);
}

void MainFrame::perform(const MenuItem& item) {
    switch (item.action) {
        case FrameAction::Start:
            registry_.call(item.procedure, NoRequest, item.argument);
            break;
        case FrameAction::PrintSetup:
            showPrintSetup(this);
            break;
        case FrameAction::Exit:
            close();
            break;
        case FrameAction::Cut:
            editFocused("cut");
            break;
        case FrameAction::Copy:
            editFocused("copy");
            break;
        case FrameAction::Paste:
            editFocused("paste");
            break;
        case FrameAction::Tile:
            tile();
            break;
        case FrameAction::Cascade:
            area_->cascadeSubWindows();
            break;
        case FrameAction::ArrangeIcons:
            arrangeIcons();
            break;
        case FrameAction::HelpContents:
            showHelp({});
            break;
        case FrameAction::HelpSearch:
            if (HelpWindow* help = helpWindow()) help->showIndex();
            break;
        case FrameAction::HelpOnHelp:
            showHelp(kHelpOnHelpTopic);
            break;
    }
}

void MainFrame::accept(const std::function<void()>& command) {
    if (splash_) splash_->close();
    command();
    applyDeleteRule();
}

void MainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (opened_) return;
    opened_ = true;
    // After the frame has drawn itself, so that it appears at once.
    whenFirstPainted(*this, [this] { openSplash(); });
}

void MainFrame::openSplash() {
    splash_ = new SplashWindow(*this, registry_);  // deletes itself when it closes
    splash_->open();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    area_->closeAllSubWindows();
    const QList<QMdiSubWindow*> left = area_->subWindowList();
    if (std::any_of(left.begin(), left.end(), [](QMdiSubWindow* w) { return w->isVisible(); })) {
        event->ignore();  // a window refused to close
        return;
    }
    if (splash_) splash_->close();
    if (help_) help_->close();
    event->accept();
}

// F1 anywhere opens the help page of the window that holds the focus.
bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        QWidget* focused = QApplication::focusWidget();
        showHelp(helpTopicAt(focused ? focused : static_cast<QWidget*>(watched)));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::refreshClock() {
    date_.setText(qt(weekdayAndDate(Clock::today())));
    time_.setText(qt(clockText(Clock::now())));
}

void MainFrame::applyDeleteRule() {
    const bool commission = processValues().CurrentProcedure.get() == kCommissionBrowse;
    buttons_.at(ToolbarDelete)->setEnabled(requested_.at(ToolbarDelete) && !commission);
}

void MainFrame::tile() {
    std::vector<QMdiSubWindow*> shown;
    std::vector<QSize> least;
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (window->isMinimized()) continue;
        if (window->isMaximized()) window->showNormal();
        shown.push_back(window);
        least.push_back(keepsFixedSize(*window) ? window->size() : window->minimumSizeHint());
    }
    const std::vector<QRect> places = tiledPlaces(area_->viewport()->size(), least);
    for (std::size_t i = 0; i < shown.size(); ++i) shown[i]->setGeometry(places[i]);
}

void MainFrame::arrangeIcons() {
    const QSize room = area_->viewport()->size();
    int x = 0;
    int bottom = room.height();
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (!window->isMinimized()) continue;
        const QSize icon = window->size();
        if (x > 0 && x + icon.width() > room.width()) {
            x = 0;
            bottom -= icon.height();
        }
        window->move(x, bottom - icon.height());
        x += icon.width();
    }
}

void MainFrame::showStatusMessage(std::string_view text) {
    if (text.empty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(qt(text));
    }
}

void MainFrame::showHelp(std::string_view topic) {
    if (HelpWindow* help = helpWindow()) help->showTopic(topic);
}

HelpWindow* MainFrame::helpWindow() {
    // A form holds the input while it is open; the help shown over it must
    // belong to it, or the user could not use it.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = this;
    if (help_ && help_->parentWidget() != owner) {
        const QRect place = help_->geometry();
        help_->setParent(owner, Qt::Window);
        help_->setGeometry(place);
    }
    if (!help_) {
        help_ = new HelpWindow(helpCollection_, owner);  // its owner deletes it
        if (!help_->isOpen()) {
            delete help_;
            messages().show({"Help Not Available",
                             "The help file could not be opened.|It is Ledgr.qhc, next to "
                             "the program.",
                             MessageIcon::Exclamation});
            return nullptr;
        }
    }
    return help_;
}

void MainFrame::setToolbarButton(int number, bool enabled, std::string_view tip) {
    const auto found = buttons_.find(number);
    if (found == buttons_.end() || number == ToolbarCustomerList) return;
    requested_[number] = enabled;
    found->second->setEnabled(enabled);
    found->second->setToolTip(tip.empty() ? withoutMnemonic(found->second->text()) : qt(tip));
    applyDeleteRule();
}

void MainFrame::openMenu(char mnemonic, int downPresses) {
    const QChar wanted = QChar(mnemonic).toUpper();
    for (QAction* title : menuBar()->actions()) {
        if (!title->menu() || mnemonicOf(title->text()) != wanted) continue;
        menuBar()->setActiveAction(title);
        QList<QAction*> items = title->menu()->actions();
        items.removeIf([](QAction* a) { return a->isSeparator() || !a->isVisible(); });
        if (downPresses >= 0 && downPresses < items.size())
            title->menu()->setActiveAction(items[downPresses]);
        return;
    }
}

void MainFrame::addChildWindow(QWidget& window) {
    // The size the window was given, else the size its layout asks for.
    const QSize designed = window.testAttribute(Qt::WA_Resized) ? window.size() : window.sizeHint();
    QMdiSubWindow* holder = area_->addSubWindow(&window);  // deleted when it closes
    const bool fixed = keepsFixedSize(window);
    if (fixed) holder->setWindowFlags(holder->windowFlags() & ~Qt::WindowMaximizeButtonHint);
    holder->show();
    QSize wanted = designed + holder->size() - window.size();
    // A window taller or wider than the area (a small screen) is cut down to
    // it, but never below what its layout needs; one that fits keeps its size.
    const QSize room = area_->viewport()->size();
    if (!fixed) wanted = wanted.boundedTo(room).expandedTo(holder->minimumSizeHint());
    holder->resize(wanted);
    if (fixed) holder->setFixedSize(holder->size());
    keepInside(*holder, room);
    area_->setActiveSubWindow(holder);
}

void MainFrame::activateChildWindow(QWidget& window) {
    QMdiSubWindow* holder = holderOf(*area_, window);
    if (!holder) return;
    if (holder->isMinimized()) holder->showNormal();
    area_->setActiveSubWindow(holder);
}

QWidget* MainFrame::activeChildWindow() const {
    QMdiSubWindow* current = area_->currentSubWindow();
    return current ? current->widget() : nullptr;
}

SplashWindow* MainFrame::splash() const {
    return splash_;
}

QAction* MainFrame::toolbarButton(int number) const {
    const auto found = buttons_.find(number);
    return found == buttons_.end() ? nullptr : found->second;
}

QAction* MainFrame::menuItem(const QString& menu, const QString& text) const {
    for (QAction* title : menuBar()->actions()) {
        if (!title->menu() || withoutMnemonic(title->text()) != menu) continue;
        for (QAction* item : title->menu()->actions())
            if (withoutMnemonic(item->text()) == text) return item;
    }
    return nullptr;
}

}  // namespace bb
