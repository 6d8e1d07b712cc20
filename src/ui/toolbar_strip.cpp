#include "ui/toolbar_strip.h"

#include <QAction>

#include "ui/form_controls.h"
#include "ui/frame_services.h"
#include "ui/icons.h"
#include "ui/toolbar_commands.h"

namespace bb {

namespace {
QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

ToolbarStrip::ToolbarStrip(QWidget* parent, std::function<void(int)> press) : QToolBar(parent) {
    setAccessibleName(QStringLiteral("Record toolbar"));
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolbarCommandInfo& command : toolbarCommandTable()) {
        QAction* action = addAction(programIcon(command.icon), toQString(command.name));
        const QString tip = toQString(command.message);
        ownTips_[command.number] = tip;
        action->setToolTip(tip);
        action->setEnabled(false);
        if (command.key != QKeyCombination()) {
            action->setShortcut(QKeySequence(command.key));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        const int number = command.number;
        connect(action, &QAction::triggered, this, [press, number] { press(number); });
        if (QWidget* button = widgetForAction(action)) {
            button->setAccessibleName(toQString(command.name));
            giveStatusMessage(button, command.message);
        }
        actions_[command.number] = action;
        // The moves, what acts on a record, and ditto and help, in groups.
        if (command.number == ToolbarLast || command.number == ToolbarDelete) addSeparator();
    }
}

void ToolbarStrip::showToolbarButton(int number, const ToolbarButtonState& state) {
    QAction* shown = action(number);
    if (!shown) return;
    shown->setEnabled(state.enabled);
    shown->setToolTip(state.tip.empty() ? ownTips_[number] : toQString(state.tip));
}

QAction* ToolbarStrip::action(int number) const {
    const auto found = actions_.find(number);
    return found == actions_.end() ? nullptr : found->second;
}

}  // namespace bb
