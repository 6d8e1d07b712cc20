// A tree list: the records of an owner file (customer groups) as the rows of
// the first level, each with its records of a child file (the group's
// members) under it, built in memory from the files. An owner's children
// are read when it is first expanded, by one seek on the child key;
// expanding every owner reads all the children by one joined read instead
// of one read per owner. Each row keeps its level and the position of its
// record, so that the window can read the record again and find its row
// after a reload.
//
// The tree tells its window as a list does: a new highlighted row is a
// NewSelection event, a double click the double-click key (an AlertKey
// event); Ctrl+Right expands and Ctrl+Left collapses the highlighted row's
// owner, and a right click opens POPUP.
//
// Reading the rows leaves every record buffer as it was. A tree list
// belongs to its window, which declares it (a Tree field) and opens its
// files; the tree widget belongs to the window's widget. Used from the GUI
// thread only.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QTreeWidget>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/view_manager.h"
#include "ui/popup_manager.h"
#include "ui/window_decl.h"

namespace bb {

class WindowManager;

class TreeList {
public:
    // A row as the window acts on it.
    struct Row {
        int level = 1;         // 1 an owner, 2 a child
        std::string owner;     // the owner's text, without trailing blanks
        std::string position;  // of the row's own record
        std::string ownerPosition;
        bool operator==(const Row&) const = default;
    };

    TreeList() = default;
    TreeList(const TreeList&) = delete;
    TreeList& operator=(const TreeList&) = delete;
    ~TreeList();

    void Setup(QTreeWidget& tree, WindowManager& window, const TreeDecl& decl);
    void Teardown();

    // Loads the rows when they were never loaded, or again with `force`:
    // the owners expanded before stay expanded, and the highlighted row
    // stays highlighted while its record is there.
    void ReloadRows(bool force);
    // Loads the rows again with every owner expanded, or every one collapsed.
    void ExpandAll();
    void ContractAll();
    // Expands or collapses the owner of `row`.
    void Expand(const Row& row, bool expanded);
    // Expands the owner shown as `owner` (no case); false when none is.
    bool ExpandOwner(std::string_view owner);

    std::optional<Row> Highlighted() const;
    // The row under `at`, a point of the tree's viewport; none off the rows.
    std::optional<Row> RowAt(QPoint at) const;
    // Highlights the row of level `level` whose record is at `position`
    // (positions are a file's own: an owner and a child may share one);
    // false when no loaded row shows it.
    bool Highlight(int level, std::string_view position);

    // What the rows show: the owners, and an expanded owner's children.
    std::vector<std::string> Owners() const;
    std::vector<std::string> Children(std::string_view owner) const;
    bool Expanded(std::string_view owner) const;

    QPointer<QTreeWidget> LISTCONTROL;
    PopupManager POPUP;

private:
    void connectSignals();
    void loadOwners();
    void loadChildren(QTreeWidgetItem& owner);
    void loadAllChildren(const std::vector<QTreeWidgetItem*>& owners);
    // The row of the child read last by `view`.
    QTreeWidgetItem* childRow(const ViewManager& view) const;
    // The owners' rows by their text, whatever its case.
    std::unordered_map<std::string, QTreeWidgetItem*> ownerIndex() const;
    QTreeWidgetItem* ownerItem(std::string_view owner) const;
    QTreeWidgetItem* itemOf(int level, std::string_view position) const;
    void markLoaded(QTreeWidgetItem& owner) const;
    // Loads the owners, expands those shown as `expanded` (none given:
    // every one) and highlights the row of `keep` again (or its owner's).
    void reload(const std::optional<std::vector<std::string>>& expanded,
                const std::optional<Row>& keep);
    std::vector<std::string> expandedOwners() const;
    bool filterEvent(QEvent* event);
    bool doubleClicked(QEvent* event);
    void post(bool doubleClick);

    WindowManager* window_ = nullptr;
    const TreeDecl* decl_ = nullptr;
    ViewManager owners_;
    ViewManager oneOwner_;   // one owner's children, by a seek on the child key
    ViewManager allOwners_;  // everyone's children, in one read
    std::string rangeValue_;
    bool loaded_ = false;
    bool loading_ = false;  // rows are being built: no events for them
};

}  // namespace bb
