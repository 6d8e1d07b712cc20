#include "reporting/output_dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>

namespace bb {

namespace {

class PlatformDialogs final : public OutputDialogs {
public:
    bool choosePrinter(QWidget* parent, QPrinter& printer, int pages) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, pages);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        return dialog.exec() == QDialog::Accepted;
    }

    std::string choosePdfFile(QWidget* parent, const std::string& offered) override {
        return QFileDialog::getSaveFileName(parent, "Save as PDF", QString::fromStdString(offered),
                                            "PDF files (*.pdf)")
            .toStdString();
    }
};

PlatformDialogs& platform() {
    static PlatformDialogs dialogs;
    return dialogs;
}

OutputDialogs* installed = nullptr;

}  // namespace

OutputDialogs& outputDialogs() {
    return installed ? *installed : platform();
}

OutputDialogs* installOutputDialogs(OutputDialogs* dialogs) {
    OutputDialogs* previous = installed;
    installed = dialogs;
    return previous;
}

}  // namespace bb
