// Resizing a sample form laid out with the strategies: lists grow, entries
// widen in proportion and keep their height, buttons keep their size and
// their corner, and maximising then restoring puts everything back.
#include "ui/layout_strategies.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <map>

#include "qt_application.h"

namespace bb {
namespace {

// A small customer form: name, a row of city, state and zip, a list of
// phones, a check box, Help at the bottom left and OK and Cancel at the
// bottom right.
struct SampleForm {
    SampleForm() {
        auto* layout = new QVBoxLayout(&window);
        auto* fields = new QFormLayout;
        fields->addRow("&Name:", &name);
        auto* address = new QHBoxLayout;
        cityPrompt.setBuddy(&city);
        zipPrompt.setBuddy(&zip);
        city.setMinimumWidth(200);
        zip.setMinimumWidth(80);
        for (QWidget* w : {static_cast<QWidget*>(&cityPrompt), static_cast<QWidget*>(&city),
                           static_cast<QWidget*>(&zipPrompt), static_cast<QWidget*>(&zip)})
            address->addWidget(w);
        fields->addRow(address);
        layout->addLayout(fields);
        layout->addWidget(&phones);
        layout->addWidget(&active);
        auto* buttons = new QHBoxLayout;
        addButtonRow(*buttons, Qt::LeftEdge, {&help});
        addButtonRow(*buttons, Qt::RightEdge, {&ok, &cancel});
        layout->addLayout(buttons);
        phones.addItems({"Office", "Home", "Fax"});
        applyResizeStrategies(window);
        window.resize(460, 340);
    }

    std::map<QWidget*, QRect> rectangles() {
        std::map<QWidget*, QRect> all;
        for (QWidget* w : window.findChildren<QWidget*>()) all[w] = w->geometry();
        return all;
    }

    QWidget window;
    QLineEdit name;
    QLabel cityPrompt{"&City:"};
    QLineEdit city;
    QLabel zipPrompt{"&Zip:"};
    QLineEdit zip;
    QListWidget phones;
    QCheckBox active{"&Active"};
    QPushButton help{"&Help"};
    QPushButton ok{"OK"};
    QPushButton cancel{"Cancel"};
};

QPoint distanceToBottomRight(const QWidget& control) {
    const QRect inWindow(control.mapTo(control.window(), QPoint(0, 0)), control.size());
    return QPoint(control.window()->width(), control.window()->height()) - inWindow.bottomRight();
}

void resizeAndSettle(QWidget& window, QSize size) {
    window.resize(size);
    QApplication::processEvents();
}

TEST(LayoutStrategies, ControlsFollowTheWindowByTheirKind) {
    test::ensureApplication();
    SampleForm form;
    form.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form.window));
    const QSize list = form.phones.size();
    const QSize okSize = form.ok.size();
    const QPoint okCorner = distanceToBottomRight(form.ok);
    const QPoint helpAtLeft = form.help.mapTo(&form.window, QPoint(0, 0));
    const int city = form.city.width();
    const int zip = form.zip.width();
    const int entryHeight = form.name.height();

    resizeAndSettle(form.window, {760, 560});
    test::screenshot(form.window, "layout-strategies-grown");

    EXPECT_EQ(form.phones.width(), list.width() + 300);
    EXPECT_EQ(form.phones.height(), list.height() + 220);
    EXPECT_EQ(form.name.height(), entryHeight);
    EXPECT_EQ(form.city.height(), entryHeight);
    EXPECT_GT(form.city.width(), city);
    // City and zip share the new width in proportion to their designed widths.
    const double designed = double(city) / zip;
    EXPECT_NEAR(double(form.city.width()) / form.zip.width(), designed, 0.1 * designed);
    EXPECT_EQ(form.ok.size(), okSize);
    EXPECT_EQ(form.cancel.size(), form.ok.size());
    EXPECT_EQ(distanceToBottomRight(form.ok), okCorner);
    EXPECT_EQ(form.help.mapTo(&form.window, QPoint(0, 0)).x(), helpAtLeft.x());
    EXPECT_EQ(form.active.height(), form.active.sizeHint().height());
}

TEST(LayoutStrategies, MaximisingAndRestoringReturnsEveryControlToItsRectangle) {
    test::ensureApplication();
    SampleForm form;
    form.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form.window));
    const auto setUp = form.rectangles();
    const QPoint okCorner = distanceToBottomRight(form.ok);

    form.window.showMaximized();
    QTRY_VERIFY(form.window.isMaximized());
    QTRY_VERIFY(form.phones.geometry() != setUp.at(&form.phones));
    EXPECT_EQ(distanceToBottomRight(form.ok), okCorner);

    form.window.showNormal();
    QTRY_VERIFY(!form.window.isMaximized());
    QTRY_COMPARE(form.window.size(), QSize(460, 340));
    QApplication::processEvents();
    for (const auto& [control, rect] : setUp)
        EXPECT_EQ(control->geometry(), rect) << control->metaObject()->className();
}

TEST(LayoutStrategies, AFixedSizeWindowKeepsItsSize) {
    test::ensureApplication();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QLabel line("Sponsor/Broker-Dealer Name");
    QPushButton close("&Close");
    layout->addWidget(&line);
    addButtonRow(*layout, Qt::RightEdge, {&close});
    keepFixedSize(window);
    const QSize designed = window.size();
    EXPECT_EQ(window.minimumSize(), designed);
    EXPECT_EQ(window.maximumSize(), designed);
    window.show();
    window.resize(designed * 2);
    QApplication::processEvents();
    EXPECT_EQ(window.size(), designed);
}

}  // namespace
}  // namespace bb
