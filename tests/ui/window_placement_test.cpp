// A real window saved to and restored from the settings file, maximised
// included.
#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "qt_application.h"
#include "temp_folder.h"

namespace bb {
namespace {

class WindowPlacementTest : public ::testing::Test {
protected:
    WindowPlacementTest() {
        test::ensureApplication();
        ini_.Setup((folder_.path() / "tallo2.INI").string());
    }

    // Opens a window as designed, lets the settings put it in place, shows it.
    void reopen(QWidget& window) {
        window.setGeometry(designed_);
        WidgetPlacement placement(window);
        ini_.LoadWindowPlacement("_PreviewWindow_", placement);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    test::TempFolder folder_;
    IniManager ini_;
    const QRect designed_{40, 50, 320, 240};
};

TEST_F(WindowPlacementTest, AWindowReopensWhereItWasClosed) {
    {
        QWidget window;
        reopen(window);
        window.setGeometry(120, 90, 500, 380);
        QApplication::processEvents();
        ini_.SaveWindowPlacement("_PreviewWindow_", WidgetPlacement(window));
    }
    QWidget window;
    reopen(window);
    EXPECT_EQ(window.geometry(), QRect(120, 90, 500, 380));
    EXPECT_FALSE(window.isMaximized());
}

TEST_F(WindowPlacementTest, AWindowClosedMaximisedReopensMaximisedAndRestoresToItsPlace) {
    {
        QWidget window;
        reopen(window);
        window.setGeometry(120, 90, 500, 380);
        ini_.SaveWindowPlacement("_PreviewWindow_", WidgetPlacement(window));
        window.showMaximized();
        QTRY_VERIFY(window.isMaximized());
        ini_.SaveWindowPlacement("_PreviewWindow_", WidgetPlacement(window));
    }
    QWidget window;
    reopen(window);
    QTRY_VERIFY(window.isMaximized());
    window.showNormal();
    QTRY_COMPARE(window.geometry(), QRect(120, 90, 500, 380));
}

TEST_F(WindowPlacementTest, APlaceOffEveryScreenIsNotUsed) {
    ini_.Update("_PreviewWindow_", "Maximize", "No");
    ini_.Update("_PreviewWindow_", "XPos", "30000");
    ini_.Update("_PreviewWindow_", "YPos", "30000");
    ini_.Update("_PreviewWindow_", "Width", "500");
    ini_.Update("_PreviewWindow_", "Height", "380");
    QWidget window;
    reopen(window);
    EXPECT_EQ(window.geometry(), designed_);
}

struct KeptCase {
    const char* what;
    QPoint place;
    QSize frame;
    QPoint kept;
};

TEST(KeptInside, AFrameIsMovedIntoTheRoomTopLeftFirst) {
    const QRect room(0, 30, 800, 570);  // a panel above
    const KeptCase cases[] = {
        {"inside stays", {100, 100}, {200, 150}, {100, 100}},
        {"above the room: the title bar comes down", {100, 0}, {200, 150}, {100, 30}},
        {"past the right and bottom", {700, 500}, {200, 150}, {600, 450}},
        {"left of the screen", {-50, 200}, {200, 150}, {0, 200}},
        {"taller than the room: runs off the bottom only", {100, -40}, {200, 900}, {100, 30}},
        {"wider than the room: runs off the right only", {-10, 100}, {1000, 150}, {0, 100}},
    };
    for (const KeptCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(keptInside(c.place, c.frame, room), c.kept);
    }
}

}  // namespace
}  // namespace bb
