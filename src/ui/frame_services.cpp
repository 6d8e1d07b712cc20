#include "ui/frame_services.h"

#include <QApplication>
#include <QWidget>

namespace bb {

namespace {
FrameServices* installed = nullptr;

StandaloneFrame& standalone() {
    static StandaloneFrame frame;
    return frame;
}
}  // namespace

FrameServices& frameServices() {
    return installed ? *installed : standalone();
}

FrameServices* installFrameServices(FrameServices* services) {
    FrameServices* previous = installed;
    installed = services;
    return previous;
}

void StandaloneFrame::addChildWindow(QWidget& window) {
    window.show();
}

void StandaloneFrame::activateChildWindow(QWidget& window) {
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
}

QWidget* StandaloneFrame::activeChildWindow() const {
    return QApplication::activeWindow();
}

}  // namespace bb
