#include "window_driving.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <memory>

namespace bb::test {

namespace {

QWidget* findShown(const std::string& name) {
    if (name == "popup") return QApplication::activePopupWidget();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName().toStdString() == name) return w;
    }
    return nullptr;
}

// How long a step waits for its window before giving up.
constexpr int kPatienceMs = 20000;

}  // namespace

void whenShown(const std::string& name, std::function<void(QWidget&)> step) {
    auto* poll = new QTimer(qApp);  // deletes itself once its step ran
    poll->setInterval(5);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, name, step, waited] {
        QWidget* w = findShown(name);
        if (!w && (*waited += 5) < kPatienceMs) return;
        if (!w) {
            ADD_FAILURE() << name << " never showed";
            poll->stop();
            poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        step(*w);
        if (w->isVisible()) w->close();
    });
    poll->start();
}

void enter(QSpinBox& box, int value) {
    box.setFocus();
    box.selectAll();
    typeAndEnter(box, QString::number(value));
}

void typeAndEnter(QWidget& widget, const QString& text) {
    QTest::keyClicks(&widget, text);
    QTest::keyClick(&widget, Qt::Key_Return);
}

ScriptedOutput::ScriptedOutput() : previous_(installOutputDialogs(this)) {}

ScriptedOutput::~ScriptedOutput() {
    installOutputDialogs(previous_);
}

bool ScriptedOutput::choosePrinter(QWidget*, QPrinter& printer, int) {
    ++printersAsked;
    if (printTo.empty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(printTo));
    printer.setPrintRange(QPrinter::AllPages);
    return true;
}

std::string ScriptedOutput::choosePdfFile(QWidget*, const std::string& offeredName) {
    offered = offeredName;
    return saveAs;
}

}  // namespace bb::test
