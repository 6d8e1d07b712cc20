// A called window's own strip of the frame toolbar's buttons (a form is
// modal, so the frame's toolbar cannot be reached while it is up): the same
// commands, icons and messages, shown as its toolbar manager says, with keys
// for the moves. Pressing a button hands its command to `press`.
#pragma once

#include <QToolBar>
#include <functional>
#include <map>

#include "ui/toolbar_manager.h"

class QAction;

namespace bb {

class ToolbarStrip final : public QToolBar, public ToolbarDisplay {
public:
    ToolbarStrip(QWidget* parent, std::function<void(int)> press);

    void showToolbarButton(int number, const ToolbarButtonState& state) override;
    QAction* action(int number) const;

private:
    std::map<int, QAction*> actions_;
    std::map<int, QString> ownTips_;
};

}  // namespace bb
