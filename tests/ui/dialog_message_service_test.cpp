// The program's message boxes: what the user sees and what pressing a
// button (or Escape) answers.
#include "ui/dialog_message_service.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>

#include "qt_application.h"

namespace bb {
namespace {

struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows `request` and, once the box is up, records it and lets `act` answer.
Button showAndAnswer(const MessageRequest& request, Seen& seen,
                     const std::function<void(QMessageBox&)>& act, const std::string& picture) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) seen.buttons.push_back(box->standardButton(b));
        seen.defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton())
                                                  : QMessageBox::NoButton;
        test::screenshot(*box, picture);
        act(*box);
    });
    DialogMessageService service;
    return service.show(request);
}

TEST(DialogMessages, ShowTitleTextIconAndButtonsAndAnswerThePressedOne) {
    test::ensureApplication();
    Seen seen;
    const Button answer = showAndAnswer(
        {"Confirm Delete",
         "Are you sure you want to delete the highlighted record?|It cannot be undone.",
         MessageIcon::Question, ButtonYes | ButtonNo, ButtonYes},
        seen, [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }, "confirm-delete");
    EXPECT_EQ(answer, ButtonNo);
    EXPECT_EQ(seen.title, "Confirm Delete");
    EXPECT_EQ(seen.text,
              "Are you sure you want to delete the highlighted record?\nIt cannot be undone.");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons.size(), 2);
    EXPECT_TRUE(seen.buttons.contains(QMessageBox::Yes));
    EXPECT_TRUE(seen.buttons.contains(QMessageBox::No));
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
}

TEST(DialogMessages, ABoxIsNeverNarrowerThanItsTitle) {
    test::ensureApplication();
    const QString title = "All Customer Classifications Are Marked";
    int wide = 0;
    int bar = 0;  // a title bar's height: its icon and buttons are as wide
    Seen seen;
    showAndAnswer(
        {title.toStdString(), "Included.", MessageIcon::Information, ButtonOk, ButtonOk}, seen,
        [&](QMessageBox& box) {
            wide = box.width();
            bar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
            box.button(QMessageBox::Ok)->click();
        },
        "all-marked");
    // The title, its icon and three buttons beside it.
    const QFontMetrics font(QApplication::font("QMdiSubWindowTitleBar"));
    EXPECT_GE(wide, font.horizontalAdvance(title) + 4 * bar);
}

TEST(DialogMessages, EscapeAnswersLikeTheBoxsWayOut) {
    test::ensureApplication();
    const auto escape = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); };
    struct Case {
        unsigned buttons;
        Button defaultButton;
        Button answer;
    };
    const Case cases[] = {
        {ButtonYes | ButtonNo | ButtonCancel, ButtonCancel, ButtonCancel},
        {ButtonYes | ButtonNo, ButtonYes, ButtonNo},
        {ButtonOk, ButtonOk, ButtonOk},
    };
    for (const Case& c : cases) {
        Seen seen;
        EXPECT_EQ(showAndAnswer({"Save Record", "Do you want to save the changes to this record?",
                                 MessageIcon::Question, c.buttons, c.defaultButton},
                                seen, escape, "save-record"),
                  c.answer)
            << c.buttons;
    }
    Seen notice;
    showAndAnswer({"Record Was Not Updated", "This record was changed by another station.",
                   MessageIcon::Exclamation, ButtonOk, ButtonOk},
                  notice, escape, "changed-by-another-station");
    EXPECT_EQ(notice.icon, QMessageBox::Warning);
}

}  // namespace
}  // namespace bb
