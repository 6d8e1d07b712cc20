// The main frame's commands as data: its menus with their items and
// status-bar messages, and its toolbar's buttons. The frame builds its menu
// bar and toolbar from these tables; a menu item either runs one of the
// frame's own actions or starts a procedure by name through the procedure
// registry.
#pragma once

#include <QKeySequence>
#include <span>
#include <string_view>

namespace bb {

enum class FrameAction {
    Start,  // start the item's procedure
    PrintSetup,
    Exit,
    Cut,
    Copy,
    Paste,
    Tile,
    Cascade,
    ArrangeIcons,
    HelpContents,
    HelpSearch,
    HelpOnHelp,
};

struct MenuItem {
    std::string_view text;  // with its mnemonic ("&Customer List"); empty for a separator
    std::string_view message;
    FrameAction action = FrameAction::Start;
    std::string_view procedure = {};
    std::string_view argument = {};
    QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey;
};

struct FrameMenu {
    std::string_view title;
    std::string_view message;
    std::span<const MenuItem> items;
};

struct ToolbarButton {
    std::string_view text;
    std::string_view message;
    std::string_view icon;
    int number;
};

std::span<const FrameMenu> frameMenus();
std::span<const ToolbarButton> frameToolbar();

// The procedure that the toolbar's last button (2013) starts.
inline constexpr std::string_view kCustomerListProcedure = "BrowseMembers";

}  // namespace bb
