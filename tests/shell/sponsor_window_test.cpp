// The sponsor window: four lines, a directory that is not defined, Close,
// and a size that stays fixed inside the frame.
#include "shell/sponsor_window.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "frame_fixture.h"

namespace bb {
namespace {

using Sponsor = test::FrameTest;

QPushButton* buttonNamed(QWidget& window, const QString& text) {
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

TEST_F(Sponsor, ShowsFourLinesAndReportsTheMissingDirectory) {
    registerSponsorWindow(registry_);
    showWithoutSplash();
    choose("Help", "Sponsor/Broker-Dealer");
    QWidget* sponsor = frameServices().activeChildWindow();
    ASSERT_NE(qobject_cast<SponsorWindow*>(sponsor), nullptr);
    QStringList lines;
    for (QLabel* line : sponsor->findChildren<QLabel*>()) lines << line->text();
    EXPECT_EQ(lines, QStringList({"Sponsor/Broker-Dealer Name", "Street Address", "City, ST 00000",
                                  "1-800-000-0000"}));
    test::screenshot(*sponsor->parentWidget(), "sponsor-window");

    buttonNamed(*sponsor, "&Directory")->click();
    ASSERT_EQ(messages_.shown.size(), 1U);
    EXPECT_EQ(messages_.last().text, "The Procedure SponsorDirectory has not been defined.");
    EXPECT_EQ(frameServices().activeChildWindow(), sponsor);

    QPointer<QWidget> closed = sponsor;
    buttonNamed(*sponsor, "&Close")->click();
    QTRY_VERIFY(closed.isNull());
    QTRY_VERIFY(frame_->area().subWindowList().isEmpty());
}

TEST_F(Sponsor, KeepsItsSizeInsideTheFrame) {
    registerSponsorWindow(registry_);
    showWithoutSplash();
    choose("Help", "Sponsor/Broker-Dealer");
    QWidget* holder = frameServices().activeChildWindow()->parentWidget();
    const QSize designed = holder->size();
    EXPECT_EQ(holder->minimumSize(), designed);
    EXPECT_EQ(holder->maximumSize(), designed);
    EXPECT_FALSE(holder->windowFlags() & Qt::WindowMaximizeButtonHint);
    holder->resize(designed * 2);
    EXPECT_EQ(holder->size(), designed);
    QTest::keyClick(buttonNamed(*frameServices().activeChildWindow(), "&Close"), Qt::Key_Escape);
    QTRY_VERIFY(frame_->area().subWindowList().isEmpty());
}

}  // namespace
}  // namespace bb
