#include "ui/toolbar_commands.h"

#include <QApplication>
#include <QWidget>
#include <map>

#include "ui/frame_services.h"

namespace bb {

namespace {
std::map<QWidget*, ToolbarCommandTarget*>& targets() {
    static std::map<QWidget*, ToolbarCommandTarget*> registered;
    return registered;
}

QWidget* activeWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return frameServices().activeChildWindow();
}
}  // namespace

void registerToolbarTarget(QWidget& window, ToolbarCommandTarget& target) {
    targets()[&window] = &target;
}

void unregisterToolbarTarget(QWidget& window) {
    targets().erase(&window);
}

void deliverToolbarCommand(int number) {
    QWidget* window = activeWindow();
    if (!window) return;
    const auto found = targets().find(window);
    if (found != targets().end()) found->second->toolbarCommand(number);
}

}  // namespace bb
