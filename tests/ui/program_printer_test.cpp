// Print Setup: the platform's printer dialog over the program's printer,
// titled for setting up and accepted with OK.
#include "ui/program_printer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>

#include "qt_application.h"

namespace bb {
namespace {

TEST(PrintSetup, ShowsThePrinterDialogTitledForSettingUpWithAnOkButton) {
    test::ensureApplication();
    QString title;
    QString accept;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        EXPECT_EQ(dialog->printer(), &programPrinter());
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        accept = buttons->button(QDialogButtonBox::Ok)->text();
        test::screenshot(*dialog, "print-setup");
        dialog->reject();
    });
    EXPECT_FALSE(showPrintSetup(nullptr));
    EXPECT_EQ(title, "Print Setup");
    EXPECT_EQ(accept, "OK");
}

}  // namespace
}  // namespace bb
