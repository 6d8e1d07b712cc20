#include "qt_application.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace bb::test {

void ensureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "brokerbook-test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

void screenshot(QWidget& widget, const std::string& name) {
    const QString folder = qEnvironmentVariable("BROKERBOOK_SCREENSHOTS");
    if (folder.isEmpty()) return;
    widget.grab().save(folder + "/" + QString::fromStdString(name) + ".png");
}

}  // namespace bb::test
