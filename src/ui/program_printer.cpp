#include "ui/program_printer.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace bb {

QPrinter& programPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool showPrintSetup(QWidget* parent) {
    QPrintDialog dialog(&programPrinter(), parent);
    dialog.setWindowTitle(QObject::tr("Print Setup"));
    // Setting up prints nothing: no pages or copies to choose, and the
    // button that accepts says so.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText("OK");
    }
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace bb
