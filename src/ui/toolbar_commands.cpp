#include "ui/toolbar_commands.h"

#include <QApplication>
#include <QWidget>
#include <map>

#include "ui/frame_services.h"

namespace bb {

namespace {
// clang-format off
constexpr ToolbarCommandInfo kCommands[] = {
    {2005, "First Record", "Go to the first record", "VCRFIRST.ICO", Qt::AltModifier | Qt::Key_Home},
    {2007, "Prior Page", "Go to the prior page", "VCRPRIOR.ICO", Qt::ControlModifier | Qt::Key_PageUp},
    {2009, "Prior Record", "Go to the prior record", "VCRUP.ICO", Qt::ControlModifier | Qt::Key_Up},
    {2008, "Next Record", "Go to the next record", "VCRDOWN.ICO", Qt::ControlModifier | Qt::Key_Down},
    {2006, "Next Page", "Go to the next page", "VCRNEXT.ICO", Qt::ControlModifier | Qt::Key_PageDown},
    {2004, "Last Record", "Go to the last record", "VCRLAST.ICO", Qt::AltModifier | Qt::Key_End},
    {2003, "Select Record", "Select the highlighted record", "MARK.ICO", {}},
    {2000, "Insert Record", "Add a new record to the file", "INSERT.ICO", {}},
    {2001, "Edit Record", "Review or make changes to the highlighted record", "Openfold.ico", {}},
    {2002, "Delete Record", "Delete the highlighted record", "DELETE.ICO", {}},
    {2011, "Previous Value", "Use the previous value", "DITTO.ICO", {}},
    {2012, "Windows Help", "Access detailed help information", "Help.ico", {}},
};
// clang-format on

std::map<QWidget*, ToolbarCommandTarget*>& targets() {
    static std::map<QWidget*, ToolbarCommandTarget*> registered;
    return registered;
}

}  // namespace

std::span<const ToolbarCommandInfo> toolbarCommandTable() {
    return kCommands;
}

QWidget* toolbarCommandWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return frameServices().activeChildWindow();
}

void registerToolbarTarget(QWidget& window, ToolbarCommandTarget& target) {
    targets()[&window] = &target;
}

void unregisterToolbarTarget(QWidget& window) {
    targets().erase(&window);
}

namespace {
ToolbarCommandTarget* activeTarget() {
    const auto found = targets().find(toolbarCommandWindow());
    return found == targets().end() ? nullptr : found->second;
}
}  // namespace

void deliverToolbarCommand(int number) {
    if (ToolbarCommandTarget* target = activeTarget()) target->toolbarCommand(number);
}

void toolbarWindowChanged() {
    if (ToolbarCommandTarget* target = activeTarget()) {
        target->toolbarWindowActivated();
        return;
    }
    // Nothing is there for a command to act on.
    for (int number = ToolbarInsert; number <= ToolbarHelp; ++number)
        frameServices().setToolbarButton(number, false, {});
}

}  // namespace bb
