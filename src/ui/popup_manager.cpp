#include "ui/popup_manager.h"

#include <QAbstractButton>
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QWidget>

#include "ui/window_manager.h"

namespace bb {

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string fromQString(const QString& s) {
    return s.toStdString();
}

bool isAlnum(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Removes the leading marks of `text` into the item's flags.
void takeMarks(PopupManager::Item& item, std::string_view text) {
    std::size_t i = 0;
    for (; text != "-" && i < text.size(); ++i) {
        if (text[i] == '~') {
            item.DISABLED = 1;
        } else if (text[i] == '+') {
            item.CHECK = 1;
        } else if (text[i] == '-') {
            item.CHECK = 2;
        } else {
            break;
        }
    }
    item.TEXT = text.substr(i);
}

}  // namespace

std::string PopupManager::NameFrom(std::string_view text) {
    if (text == "-") return "Separator";
    std::string name;
    for (char c : text) {
        if (isAlnum(c)) name.push_back(c);
    }
    return name;
}

void PopupManager::Setup() {
    items_.clear();
    LASTSELECTION.clear();
}

void PopupManager::Teardown() {
    items_.clear();
}

PopupManager::Item& PopupManager::add(std::string_view text, std::string_view name,
                                      std::optional<std::size_t> position, int depth) {
    Item item;
    takeMarks(item, text);
    item.NAME = name.empty() ? NameFrom(item.TEXT) : std::string(name);
    item.DEPTH = depth > 0 ? depth : (items_.empty() ? 1 : items_.back().DEPTH);
    const std::size_t at = std::min(position.value_or(items_.size()), items_.size());
    return *items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), item);
}

std::string PopupManager::Attach(std::string_view text, std::string_view name,
                                 std::optional<std::size_t> position, int depth) {
    return add(text, name, position, depth).NAME;
}

void PopupManager::AddEventItem(std::string_view name, EventKind event, QWidget* control) {
    if (Item* item = find(name)) {
        item->EVENT = event;
        item->CONTROLID = control;
    }
}

void PopupManager::AddMimicItem(std::string_view name, QWidget* control, std::string_view text) {
    const std::string_view shown = text.starts_with('!') ? text.substr(1) : text;
    Item& item = add(shown, name, {}, 0);
    item.MIMICMODE = true;
    item.CONTROLID = control;
    item.mimicText = text;
}

void PopupManager::CheckItem(std::string_view name, bool checked) {
    if (Item* item = find(name)) item->CHECK = checked ? 1 : 2;
}

PopupManager::Item* PopupManager::find(std::string_view name) {
    for (Item& item : items_) {
        if (item.NAME == name) return &item;
    }
    return nullptr;
}

void PopupManager::RefreshMimics() {
    for (Item& item : items_) {
        if (!item.MIMICMODE || !item.CONTROLID) continue;
        item.DISABLED = item.CONTROLID->isEnabled() ? 2 : 1;
        const auto* button = qobject_cast<const QAbstractButton*>(item.CONTROLID);
        if (!button) continue;
        item.ICON = button->icon();
        const bool ownText = item.mimicText.empty() || item.mimicText.starts_with('!');
        if (ownText && !button->text().isEmpty()) item.TEXT = fromQString(button->text());
    }
}

void PopupManager::BuildMenu(QMenu& menu) {
    RefreshMimics();
    // The menu each depth adds to: an item deeper than the one before it
    // opens that item's submenu.
    std::vector<QMenu*> menus{&menu};
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Item& item = items_[i];
        const auto depth = static_cast<std::size_t>(std::max(item.DEPTH, 1));
        while (menus.size() > depth) menus.pop_back();
        QMenu* into = menus.back();
        const bool opensSubmenu = i + 1 < items_.size() && items_[i + 1].DEPTH > item.DEPTH;
        if (item.TEXT == "-") {
            into->addSeparator();
            continue;
        }
        if (opensSubmenu) {
            menus.push_back(into->addMenu(item.ICON, toQString(item.TEXT)));
            continue;
        }
        QAction* action = into->addAction(item.ICON, toQString(item.TEXT));
        action->setEnabled(item.DISABLED != 1);
        action->setCheckable(item.CHECK != 0);
        action->setChecked(item.CHECK == 1);
        action->setData(static_cast<qulonglong>(i));
    }
}

std::string PopupManager::Choose(std::size_t index) {
    if (index >= items_.size()) return {};
    const Item& item = items_[index];
    LASTSELECTION = item.NAME;
    if (item.CONTROLID && (item.MIMICMODE || item.EVENT)) {
        if (WindowManager* window = WindowManager::Owning(item.CONTROLID)) {
            window->Post({item.MIMICMODE ? EventKind::Accepted : *item.EVENT, item.CONTROLID});
        }
    }
    return LASTSELECTION;
}

std::string PopupManager::Interact(QPoint at) {
    QMenu menu;
    BuildMenu(menu);
    const QPoint where = (at.x() == 0 || at.y() == 0) ? QCursor::pos() : at;
    const QAction* chosen = menu.exec(where);
    if (!chosen || !chosen->data().isValid()) return {};
    return Choose(static_cast<std::size_t>(chosen->data().toULongLong()));
}

}  // namespace bb
