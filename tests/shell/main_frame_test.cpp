// The main frame: its commands, the toolbar's way to the active window, the
// Delete Record rule, the status zones, the splash, the child windows and
// the Edit and Window menus.
#include "shell/main_frame.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <map>

#include "frame_fixture.h"
#include "shell/frame_commands.h"
#include "shell/splash_window.h"
#include "ui/frame_services.h"
#include "ui/toolbar_commands.h"
#include "ui/window_manager.h"

namespace bb {
namespace {

using Frame = test::FrameTest;

struct Recorder final : ToolbarCommandTarget {
    void toolbarCommand(int number) override { commands.push_back(number); }
    // A window that becomes active asks for the buttons it can serve.
    void toolbarWindowActivated() override {
        for (const auto& [number, enabled] : asks)
            frameServices().setToolbarButton(number, enabled, {});
    }
    std::vector<int> commands;
    std::map<int, bool> asks;
};

TEST_F(Frame, OpensWithItsCaptionMenusToolbarAndClock) {
    EXPECT_EQ(frame_->windowTitle(), "Brokerbook");
    QStringList menus;
    for (QAction* title : frame_->menuBar()->actions()) menus << title->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Customers", "&Representatives",
                                  "&Print Reports", "&Maintenance", "&Window", "&Help"}));
    EXPECT_EQ(frame_->dateZone().text(), "Friday, March 5, 1999");
    EXPECT_EQ(frame_->timeZone().text(), "5:07 PM");
    EXPECT_EQ(&frameServices(), frame_.get());
    for (const ToolbarButton& button : frameToolbar())
        EXPECT_FALSE(frame_->toolbarButton(button.number)->icon().isNull()) << button.number;
}

TEST_F(Frame, TheClockIsReadOutAsTheDateAndTimeItShows) {
    std::map<std::string, std::string> readOut;  // description: name
    for (QLabel* zone : frame_->statusBar()->findChildren<QLabel*>()) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(zone);
        ASSERT_NE(read, nullptr);
        readOut[read->text(QAccessible::Description).toStdString()] =
            read->text(QAccessible::Name).toStdString();
    }
    EXPECT_EQ(readOut["Date"], "Friday, March 5, 1999");
    EXPECT_EQ(readOut["Time"], "5:07 PM");
}

TEST_F(Frame, TheClockAdvancesOnItsOneSecondTimer) {
    frame_->show();
    Clock::fix(*dayNumber(1999, 3, 6), timeOfDay(0, 0, 5));
    QTRY_COMPARE(frame_->timeZone().text(), QString("12:00 AM"));
    EXPECT_EQ(frame_->dateZone().text(), "Saturday, March 6, 1999");
    const std::pair<int, int> timers[] = {{0, 100},   {1, 1},    {50, 50},    {100, 100},
                                          {101, 100}, {-5, 100}, {18000, 100}};
    for (const auto& [designed, used] : timers) EXPECT_EQ(clockTimerHundredths(designed), used);
}

TEST_F(Frame, AMenuCommandWhileTheSplashShowsStartsTheCommandAndClosesTheSplash) {
    countCalls("BrowseStates");
    frame_->show();
    QTRY_VERIFY(frame_->splash() != nullptr);
    QPointer<SplashWindow> splash = frame_->splash();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(processValues().CurrentProcedure.get(), "Splash");
    test::screenshot(*splash, "splash");

    choose("Maintenance", "State Codes");
    EXPECT_EQ(calls_, std::vector<std::string>{"BrowseStates"});
    QTRY_VERIFY(splash.isNull());
    EXPECT_EQ(frame_->splash(), nullptr);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Frame, TheSplashLoadsThePreferencesOnlyOnceTheyExist) {
    QPointer<SplashWindow> quiet = new SplashWindow(*frame_, registry_);
    quiet->open();
    EXPECT_TRUE(messages_.shown.empty());  // no "Procedure not defined" at start-up
    quiet->close();

    std::vector<std::string> arguments;
    registry_.add("Preferences",
                  [&](std::string_view argument) { arguments.emplace_back(argument); });
    QPointer<SplashWindow> splash = new SplashWindow(*frame_, registry_);
    splash->open();
    EXPECT_EQ(arguments, std::vector<std::string>{"0"});
    splash->close();
}

TEST_F(Frame, TheSplashClosesOnAClickOrItsTimerButNotOnTheMiddleButton) {
    showWithoutSplash();
    const std::pair<Qt::MouseButton, bool> clicks[] = {
        {Qt::LeftButton, true}, {Qt::RightButton, true}, {Qt::MiddleButton, false}};
    for (const auto& [button, closes] : clicks) {
        QPointer<SplashWindow> splash = new SplashWindow(*frame_, registry_);
        splash->open();
        QTest::mouseClick(splash, button);
        QApplication::processEvents();
        EXPECT_EQ(splash.isNull(), closes) << button;
        delete splash;
    }
    QPointer<SplashWindow> doubleClicked = new SplashWindow(*frame_, registry_);
    doubleClicked->open();
    QTest::mouseDClick(doubleClicked, Qt::LeftButton);
    QTRY_VERIFY(doubleClicked.isNull());
    QPointer<SplashWindow> timed =
        new SplashWindow(*frame_, registry_, std::chrono::milliseconds(20));
    timed->open();
    QTRY_VERIFY(timed.isNull());
}

TEST_F(Frame, AnItemNotBuiltYetReportsError24WithItsName) {
    showWithoutSplash();
    for (const FrameMenu& menu : frameMenus()) {
        for (const MenuItem& item : menu.items) {
            if (item.text.empty() || item.action != FrameAction::Start) continue;
            messages_.clear();
            frame_
                ->menuItem(QString::fromUtf8(menu.title).remove('&'),
                           QString::fromUtf8(item.text).remove('&'))
                ->trigger();
            ASSERT_EQ(messages_.shown.size(), 1U) << item.procedure;
            EXPECT_EQ(messages_.last().title, "Procedure not defined");
            EXPECT_EQ(messages_.last().text,
                      "The Procedure " + std::string(item.procedure) + " has not been defined.");
        }
    }
    messages_.clear();
    frame_->toolbarButton(ToolbarCustomerList)->trigger();
    ASSERT_EQ(messages_.shown.size(), 1U);
    EXPECT_EQ(messages_.last().text, "The Procedure BrowseMembers has not been defined.");
}

TEST_F(Frame, ItemsStartTheirProceduresWithTheirArgumentsEveryTimeTheyAreChosen) {
    showWithoutSplash();
    std::vector<std::string> seen;
    for (const char* name : {"BrowseMembers", "PrintMailingLabels", "Preferences"}) {
        registry_.add(name, [&seen, name](std::string_view argument) {
            seen.push_back(std::string(name) + "(" + std::string(argument) + ")");
        });
    }
    choose("Customers", "Customer List");
    choose("Customers", "Customer List");  // the list itself refuses a second copy
    frame_->toolbarButton(ToolbarCustomerList)->trigger();
    choose("Print Reports", "Mailing Labels");
    choose("Maintenance", "Preferences");
    EXPECT_EQ(seen,
              (std::vector<std::string>{"BrowseMembers()", "BrowseMembers()", "BrowseMembers()",
                                        "PrintMailingLabels(1)", "Preferences(1)"}));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Frame, NavigationButtonsGoToTheActiveChildAndWithNoChildDoNothing) {
    showWithoutSplash();
    QWidget outside;
    Recorder outsideTarget;
    registerToolbarTarget(outside, outsideTarget);
    for (int number = ToolbarInsert; number <= ToolbarHelp; ++number)
        if (QAction* button = frame_->toolbarButton(number)) button->trigger();
    EXPECT_TRUE(outsideTarget.commands.empty());
    EXPECT_TRUE(messages_.shown.empty());

    QWidget& list = addChild("Customers");
    Recorder listTarget;
    listTarget.asks = {{ToolbarNext, true}, {ToolbarLast, true}};
    registerToolbarTarget(list, listTarget);
    addChild("Sponsor/Broker-Dealer");  // takes no commands
    frameServices().activateChildWindow(list);
    frame_->toolbarButton(ToolbarNext)->trigger();
    frame_->toolbarButton(ToolbarLast)->trigger();
    EXPECT_EQ(listTarget.commands, (std::vector<int>{ToolbarNext, ToolbarLast}));
    EXPECT_TRUE(outsideTarget.commands.empty());
    unregisterToolbarTarget(list);
    unregisterToolbarTarget(outside);
}

TEST_F(Frame, DeleteRecordStaysDisabledWhileCommissionTransactionsAreCurrent) {
    showWithoutSplash();
    QAction& deleteButton = *frame_->toolbarButton(ToolbarDelete);
    QWidget& commissions = addChild("Commission Transactions");
    QWidget& customers = addChild("Customers");
    Recorder commissionsTarget, customersTarget;
    commissionsTarget.asks = customersTarget.asks = {{ToolbarDelete, true}};
    registerToolbarTarget(commissions, commissionsTarget);
    registerToolbarTarget(customers, customersTarget);
    frameServices().activateChildWindow(commissions);
    EXPECT_TRUE(deleteButton.isEnabled());

    processValues().CurrentProcedure.set("BrowseCommissionTransactions");
    frameServices().activateChildWindow(customers);
    EXPECT_FALSE(deleteButton.isEnabled());
    // Another child gets the focus and asks for the button: it stays disabled.
    frameServices().activateChildWindow(commissions);
    frameServices().setToolbarButton(ToolbarDelete, true, {});
    EXPECT_FALSE(deleteButton.isEnabled());
    // Until another procedure stores its name.
    processValues().CurrentProcedure.set("BrowseMembers");
    frameServices().activateChildWindow(customers);
    EXPECT_TRUE(deleteButton.isEnabled());
    frameServices().setToolbarButton(ToolbarDelete, false, {});
    EXPECT_FALSE(deleteButton.isEnabled());
    unregisterToolbarTarget(customers);
    unregisterToolbarTarget(commissions);
}

TEST_F(Frame, AWindowsButtonStatesAndTipsShowOnTheToolbarUntilTheLastWindowCloses) {
    showWithoutSplash();
    // With no window to act on, no record command can be pressed.
    for (int number : {ToolbarInsert, ToolbarNext, ToolbarHelp})
        EXPECT_FALSE(frame_->toolbarButton(number)->isEnabled()) << number;
    EXPECT_TRUE(frame_->toolbarButton(ToolbarCustomerList)->isEnabled());
    QWidget& list = addChild("Customers");
    frameServices().setToolbarButton(ToolbarPageDown, true, "Go to the Next Page");
    frameServices().setToolbarButton(ToolbarDitto, false, {});
    EXPECT_EQ(frame_->toolbarButton(ToolbarPageDown)->toolTip(), "Go to the Next Page");
    EXPECT_TRUE(frame_->toolbarButton(ToolbarPageDown)->isEnabled());
    EXPECT_FALSE(frame_->toolbarButton(ToolbarDitto)->isEnabled());
    EXPECT_EQ(frameServices().activeChildWindow(), &list);
    frame_->area().closeAllSubWindows();
    QTRY_VERIFY(frame_->area().subWindowList().isEmpty());
    QTRY_VERIFY(!frame_->toolbarButton(ToolbarPageDown)->isEnabled());
    EXPECT_EQ(frame_->toolbarButton(ToolbarPageDown)->toolTip(), "Next Page");
    EXPECT_TRUE(frame_->toolbarButton(ToolbarCustomerList)->isEnabled());
    EXPECT_EQ(frameServices().activeChildWindow(), nullptr);
}

TEST_F(Frame, TheMessageOfTheFocusedControlShowsInZoneOne) {
    showWithoutSplash();
    QWidget& form = addChild("Customer");
    auto* name = new QLineEdit(&form);
    name->setStatusTip("Enter the customer's last name");
    auto* city = new QLineEdit(&form);
    // The child may have its layout already: a second one would be left unowned.
    QLayout* column = form.layout() ? form.layout() : new QVBoxLayout(&form);
    column->addWidget(name);
    column->addWidget(city);
    name->setFocus();
    QTRY_COMPARE(frame_->statusBar()->currentMessage(), QString("Enter the customer's last name"));
    city->setFocus();
    QTRY_COMPARE(frame_->statusBar()->currentMessage(), QString());
    frameServices().showStatusMessage("Go to the next record");
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Go to the next record");
}

TEST_F(Frame, EditCommandsActOnTheFocusedControl) {
    showWithoutSplash();
    auto form = std::make_unique<QWidget>();
    auto* from = new QLineEdit("Smith, Barney", form.get());
    auto* to = new QLineEdit(form.get());
    new QVBoxLayout(form.get());
    form->layout()->addWidget(from);
    form->layout()->addWidget(to);
    frameServices().addChildWindow(*form.release());
    from->setFocus();
    QTRY_VERIFY(from->hasFocus());
    from->setSelection(0, 5);
    choose("Edit", "Copy");
    EXPECT_EQ(QApplication::clipboard()->text(), "Smith");
    choose("Edit", "Cut");
    EXPECT_EQ(from->text(), ", Barney");
    to->setFocus();
    QTRY_VERIFY(to->hasFocus());
    choose("Edit", "Paste");
    EXPECT_EQ(to->text(), "Smith");
}

TEST_F(Frame, AChildWindowOpensAtItsDesignedSize) {
    showWithoutSplash();
    QWidget& list = addChild("Customers");
    EXPECT_EQ(list.size(), QSize(320, 220));
    EXPECT_EQ(frameServices().activeChildWindow(), &list);
}

// On a small screen a tall or wide window is cut down to the frame's area,
// placed wholly inside it; one that fits keeps its size.
TEST_F(Frame, AChildWindowIsLimitedToTheAreaItOpensIn) {
    showWithoutSplash();
    const QSize room = frame_->area().viewport()->size();
    const std::pair<const char*, QSize> cases[] = {
        {"fits", QSize(320, 220)},
        {"too tall", QSize(320, room.height() * 2)},
        {"too wide", QSize(room.width() + 150, 200)},
        {"too wide and too tall", QSize(room.width() + 200, room.height() + 300)},
    };
    for (const auto& [what, given] : cases) {
        SCOPED_TRACE(what);
        QWidget& child = addChild(what, given);
        const QWidget& holder = *child.parentWidget();
        const QSize edges = holder.size() - child.size();
        EXPECT_EQ(holder.size(), (given + edges).boundedTo(room));
        EXPECT_TRUE(QRect(QPoint(0, 0), room).contains(holder.geometry()));
    }
}

// A window whose layout cannot shrink to the area keeps what it needs, and
// the area scrolls to its foot, where its buttons are.
TEST_F(Frame, AChildWindowIsNeverCutBelowWhatItsLayoutNeeds) {
    showWithoutSplash();
    QMdiArea& area = frame_->area();
    const int needed = area.viewport()->height() + 100;
    auto child = std::make_unique<QWidget>();
    auto* list = new QListWidget(child.get());
    list->setMinimumHeight(needed);
    auto* button = new QPushButton("OK", child.get());
    auto* column = new QVBoxLayout(child.get());
    column->addWidget(list);
    column->addWidget(button);
    child->resize(300, needed * 2);
    QWidget& added = *child;
    frame_->addChildWindow(*child.release());
    const QWidget& holder = *added.parentWidget();
    EXPECT_GE(holder.height(), holder.minimumSizeHint().height());
    EXPECT_GE(added.height(), added.minimumSizeHint().height());
    EXPECT_EQ(holder.pos(), QPoint(0, 0));
    QScrollBar& down = *area.verticalScrollBar();
    ASSERT_TRUE(QTest::qWaitFor([&down] { return down.isVisible(); }, 1000));
    down.setValue(down.maximum());
    QApplication::processEvents();
    const QRect shown(button->mapTo(area.viewport(), QPoint(0, 0)), button->size());
    EXPECT_TRUE(area.viewport()->rect().contains(shown))
        << shown.y() << " + " << shown.height() << " in " << area.viewport()->height();
}

TEST_F(Frame, WindowCommandsArrangeTheChildWindowsAndListThem) {
    showWithoutSplash();
    QWidget& first = addChild("Customers");
    QWidget& second = addChild("Account Types");
    choose("Window", "Tile");
    const QRect a = first.parentWidget()->geometry();
    const QRect b = second.parentWidget()->geometry();
    EXPECT_FALSE(a.intersects(b));
    // Windows that can shrink to their share of the area lie wholly inside it.
    const QRect area = frame_->area().viewport()->rect();
    EXPECT_TRUE(area.contains(a)) << a.x() << "," << a.y() << " " << a.width() << "x" << a.height();
    EXPECT_TRUE(area.contains(b)) << b.x() << "," << b.y() << " " << b.width() << "x" << b.height();
    choose("Window", "Cascade");
    EXPECT_NE(first.parentWidget()->pos(), second.parentWidget()->pos());
    frame_->showStatusMessage("Browse/Update Customers");
    test::screenshot(*frame_, "frame-with-children");

    first.parentWidget()->showMinimized();
    second.parentWidget()->showMinimized();
    choose("Window", "Arrange Icons");
    const int bottom = frame_->area().viewport()->height();
    EXPECT_EQ(first.parentWidget()->geometry().bottom() + 1, bottom);
    EXPECT_EQ(second.parentWidget()->geometry().bottom() + 1, bottom);
    EXPECT_FALSE(first.parentWidget()->geometry().intersects(second.parentWidget()->geometry()));

    QMenu* windowMenu = menu("Window");
    ASSERT_NE(windowMenu, nullptr);
    emit windowMenu->aboutToShow();
    QAction* entry = frame_->menuItem("Window", "1 Customers");
    ASSERT_NE(entry, nullptr);
    EXPECT_NE(frame_->menuItem("Window", "2 Account Types"), nullptr);
    entry->trigger();
    EXPECT_EQ(frameServices().activeChildWindow(), &first);
    EXPECT_FALSE(first.parentWidget()->isMinimized());
}

TEST_F(Frame, CtrlTabBringsTheNextWindowToTheFront) {
    showWithoutSplash();
    QWidget& first = addChild("Customers");
    QWidget& second = addChild("Account Types");
    ASSERT_EQ(frameServices().activeChildWindow(), &second);
    QTest::keyClick(frame_->area().currentSubWindow(), Qt::Key_Tab, Qt::ControlModifier);
    QTRY_COMPARE(frameServices().activeChildWindow(), &first);
}

TEST_F(Frame, OpenMenuHighlightsTheItemTheKeysWouldReach) {
    showWithoutSplash();
    const std::tuple<char, int, const char*> cases[] = {
        {'M', 2, "Customer &Classifications"},
        {'m', 8, "S&tate Codes"},
        {'M', 1, "&Account Types"},
        {'R', 0, "&Registered Representatives"},
    };
    for (const auto& [mnemonic, downs, expected] : cases) {
        frameServices().openMenu(mnemonic, downs);
        QMenu* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(open, nullptr) << mnemonic;
        ASSERT_NE(open->activeAction(), nullptr);
        EXPECT_EQ(open->activeAction()->text(), expected);
        open->close();
        QApplication::processEvents();
    }
}

// A list as the window framework starts it: its list takes the toolbar.
const WindowDecl kFramedList{
    .procedure = "BrowseFramed",
    .caption = "Framed List",
    .fields = {{.kind = ControlKind::Slot, .name = "List"}},
    .buttons = {{.text = "&Insert", .role = ButtonRole::Insert},
                {.text = "&Close", .role = ButtonRole::Cancel}},
};

class FramedList : public WindowManager {
public:
    FramedList() : WindowManager(kFramedList) {}
    QWidget* CreateSlot(const FieldDecl&, QWidget* parent) override {
        list_ = new QListWidget(parent);
        return list_;
    }
    void SetupControls() override {
        target_.INSERTBUTTON = ButtonOf(ButtonRole::Insert);
        Toolbar().RegisterTarget(target_, list_);
        Toolbar().MakeCurrent(list_);
    }
    int OnAccepted() override {
        if (CurrentEvent().control == ButtonOf(ButtonRole::Insert)) ++inserts;
        return WindowManager::OnAccepted();
    }
    int inserts = 0;

private:
    QListWidget* list_ = nullptr;
    ListToolbarTarget target_;
};

TEST_F(Frame, AStartedWindowLivesInASubWindowWithTheToolbarUntilItCloses) {
    showWithoutSplash();
    auto window = std::make_unique<FramedList>();
    FramedList& list = *window;
    startWindow(std::move(window));
    QTRY_COMPARE(frame_->area().subWindowList().size(), 1);
    EXPECT_EQ(frameServices().activeChildWindow(), list.Widget());
    QTRY_COMPARE(frame_->toolbarButton(ToolbarPageDown)->toolTip(), QString("Go to the Next Page"));
    frame_->toolbarButton(ToolbarInsert)->trigger();
    QTRY_COMPARE(list.inserts, 1);
    QPointer<QWidget> widget = list.Widget();
    list.ButtonOf(ButtonRole::Cancel)->click();
    QTRY_VERIFY(widget.isNull());
    QTRY_VERIFY(frame_->area().subWindowList().isEmpty());
    EXPECT_TRUE(startedWindows().empty());
}

TEST_F(Frame, ClosingTheFrameClosesItsChildWindows) {
    showWithoutSplash();
    QPointer<QWidget> child = &addChild("Customers");
    EXPECT_TRUE(frame_->close());
    QTRY_VERIFY(child.isNull());
}

}  // namespace
}  // namespace bb
