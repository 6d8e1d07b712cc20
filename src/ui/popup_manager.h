// The popup manager: a context menu built from a list of items. An item
// either posts an event to a control when it is chosen, or mimics a button:
// it takes the button's text, enabled state and icon each time the menu is
// shown, and choosing it presses the button.
//
// Item texts may begin with marks that set flags and are then removed: "~"
// disabled, "+" checked, "-" unchecked; the text "-" alone is a separator.
// An item's name, when none is given, is its text with everything but the
// letters A to Z, a to z and the digits removed ("&Insert" is "Insert").
// Items nest by depth: items deeper than the one before them form its
// submenu.
//
// Belongs to one window; the controls it names must outlive it. Used from
// the GUI thread only.
#pragma once

#include <QIcon>
#include <QPoint>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_events.h"

class QMenu;
class QWidget;

namespace bb {

class PopupManager {
public:
    struct Item {
        QWidget* CONTROLID = nullptr;  // the control the item posts to or mimics
        int DEPTH = 1;                 // nesting level; 1 is the top
        std::optional<EventKind> EVENT;
        bool MIMICMODE = false;
        std::uint8_t DISABLED = 0;  // 1 disabled, 2 enabled, 0 not yet known
        std::uint8_t CHECK = 0;     // 1 checked, 2 unchecked, 0 none
        QIcon ICON;
        std::string NAME;
        std::string TEXT;
        std::string mimicText;  // the text given to AddMimicItem
    };

    void Setup();
    // Adds an item (at the end unless `position` is given, at the depth of
    // the last item unless `depth` is given); returns its name.
    std::string Attach(std::string_view text, std::string_view name = {},
                       std::optional<std::size_t> position = {}, int depth = 0);
    // The item named `name` posts `event` to `control` when chosen.
    void AddEventItem(std::string_view name, EventKind event, QWidget* control);
    // Adds an item that mimics `control`. An empty text, or one beginning
    // with "!", shows the control's own text when it has one (the "!" is
    // dropped otherwise).
    void AddMimicItem(std::string_view name, QWidget* control, std::string_view text);
    void CheckItem(std::string_view name, bool checked);
    // Shows the menu at `at` (the mouse when a coordinate is 0) and returns
    // the chosen item's name, empty when nothing was chosen. The chosen item
    // posts its event (a mimic item presses its control).
    std::string Interact(QPoint at = {});
    void Teardown();

    // Copies text, enabled state and icon into every mimic item from its control.
    void RefreshMimics();
    // Fills `menu` with the items as they stand (RefreshMimics first).
    void BuildMenu(QMenu& menu);
    // The item behind one of BuildMenu's actions: posts its event and
    // remembers its name in LASTSELECTION; returns the name.
    std::string Choose(std::size_t item);
    const std::vector<Item>& Items() const { return items_; }

    // The name an item of `text` gets when none is given.
    static std::string NameFrom(std::string_view text);

    std::string LASTSELECTION;

private:
    Item* find(std::string_view name);
    Item& add(std::string_view text, std::string_view name, std::optional<std::size_t> position,
              int depth);

    std::vector<Item> items_;
};

}  // namespace bb
