#include "ui/tree_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>
#include <functional>
#include <unordered_map>
#include <utility>

#include "platform/text.h"
#include "ui/scoped_value.h"
#include "ui/window_ids.h"
#include "ui/window_manager.h"

namespace bb {
namespace {

constexpr int kPosition = Qt::UserRole;    // the row's record's position
constexpr int kLoaded = Qt::UserRole + 1;  // an owner's children are read
// At its designed size the tree shows this many rows of this many
// characters: a long group name, or a company's name with its contact.
constexpr int kShownRows = 14;
constexpr int kShownCharacters = 44;

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string positionOf(const QTreeWidgetItem& item) {
    return item.data(0, kPosition).toString().toStdString();
}

// How owners are told apart: their text, whatever its case, as the owner
// key's no-case order tells them apart.
std::string ownerKey(std::string_view text) {
    return text::upper(text::clip(text));
}

// Rows are read as the window's own work, under its window id (a reload
// may come from outside its events, a drop), through record buffers that
// are put back when the reading ends: the window may be showing a record
// of the same files.
class RowReading {
public:
    RowReading(const TreeDecl& decl, int window) : thread_(window) {
        keep(decl.file);
        keep(decl.children);
        for (const ViewJoin& join : decl.joins) keep(join.file);
    }
    ~RowReading() {
        for (auto& [file, record] : kept_) buffer(file) = std::move(record);
    }
    RowReading(const RowReading&) = delete;
    RowReading& operator=(const RowReading&) = delete;

private:
    void keep(FileId file) { kept_.emplace_back(file, buffer(file)); }
    ThreadScope thread_;
    std::vector<std::pair<FileId, Record>> kept_;
};

class KeyFilter final : public QObject {
public:
    KeyFilter(QObject* parent, std::function<bool(QEvent*)> filter)
        : QObject(parent), filter_(std::move(filter)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override { return filter_(event); }

private:
    std::function<bool(QEvent*)> filter_;
};

}  // namespace

TreeList::~TreeList() {
    Teardown();
}

void TreeList::Setup(QTreeWidget& tree, WindowManager& window, const TreeDecl& decl) {
    LISTCONTROL = &tree;
    window_ = &window;
    decl_ = &decl;
    owners_.Setup({decl.file, {}}, *relationManagerFor(decl.file));
    owners_.DefineSortOrder(decl.key);
    const ViewSpec children{decl.children, decl.joins};
    RelationManager& childFile = *relationManagerFor(decl.children);
    oneOwner_.Setup(children, childFile);
    oneOwner_.DefineSortOrder(decl.childKey);
    oneOwner_.DefineRange(decl.childLink.index(), [this] { return Value::text(rangeValue_); });
    allOwners_.Setup(children, childFile);
    allOwners_.DefineSortOrder(decl.childKey);
    POPUP.Setup();
    tree.setHeaderHidden(true);
    tree.setColumnCount(1);
    tree.setUniformRowHeights(true);
    tree.setSelectionMode(QAbstractItemView::SingleSelection);
    tree.setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree.setContextMenuPolicy(Qt::CustomContextMenu);
    // A double click changes the row's record; the keys and the arrows expand.
    tree.setExpandsOnDoubleClick(false);
    const QFontMetrics metrics(tree.font());
    tree.setMinimumSize(metrics.averageCharWidth() * kShownCharacters,
                        metrics.lineSpacing() * kShownRows);
    connectSignals();
}

void TreeList::connectSignals() {
    QTreeWidget& tree = *LISTCONTROL;
    QObject::connect(&tree, &QTreeWidget::currentItemChanged, &tree, [this] {
        if (!loading_) post(false);
    });
    QObject::connect(&tree, &QTreeWidget::itemExpanded, &tree, [this](QTreeWidgetItem* item) {
        if (loading_ || item->parent()) return;
        const RowReading reading(*decl_, window_->WindowId());
        loadChildren(*item);
    });
    QObject::connect(&tree, &QWidget::customContextMenuRequested, &tree, [this](QPoint at) {
        if (QTreeWidgetItem* item = LISTCONTROL->itemAt(at)) LISTCONTROL->setCurrentItem(item);
        POPUP.Interact(LISTCONTROL->viewport()->mapToGlobal(at));
    });
    tree.installEventFilter(
        new KeyFilter(&tree, [this](QEvent* event) { return filterEvent(event); }));
    tree.viewport()->installEventFilter(
        new KeyFilter(&tree, [this](QEvent* event) { return doubleClicked(event); }));
}

void TreeList::Teardown() {
    if (!decl_) return;
    POPUP.Teardown();
    owners_.Teardown();
    oneOwner_.Teardown();
    allOwners_.Teardown();
    if (LISTCONTROL) LISTCONTROL->clear();
    loaded_ = false;
    decl_ = nullptr;
}

void TreeList::post(bool doubleClick) {
    if (doubleClick) {
        window_->Post({EventKind::AlertKey, LISTCONTROL, 0, kDoubleClickKey});
    } else {
        window_->Post(EventKind::NewSelection, LISTCONTROL);
    }
}

bool TreeList::filterEvent(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::ControlModifier) return false;
    if (key->key() != Qt::Key_Right && key->key() != Qt::Key_Left) return false;
    if (const std::optional<Row> row = Highlighted()) Expand(*row, key->key() == Qt::Key_Right);
    return true;
}

bool TreeList::doubleClicked(QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QTreeWidgetItem* item = LISTCONTROL->itemAt(mouse->position().toPoint());
    if (mouse->button() != Qt::LeftButton || !item) return false;
    // The row double-clicked is the one acted on.
    LISTCONTROL->setCurrentItem(item);
    post(true);
    return true;
}

// ------------------------------------------------------------------ reading

void TreeList::loadOwners() {
    QList<QTreeWidgetItem*> rows;
    if (owners_.Open() != SeverityNone || owners_.Reset(0) != SeverityNone) return;
    while (owners_.Next() == SeverityNone) {
        auto* item =
            new QTreeWidgetItem(QStringList{toQString(text::clip(decl_->text.value().toText()))});
        item->setData(0, kPosition, QString::fromStdString(owners_.RecordPosition(0)));
        // Whether it has children is known once they are read.
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        rows.append(item);
    }
    LISTCONTROL->addTopLevelItems(rows);
}

QTreeWidgetItem* TreeList::childRow(const ViewManager& view) const {
    const std::string shown =
        decl_->childText ? decl_->childText() : decl_->childLink.value().toText();
    auto* row = new QTreeWidgetItem(QStringList{toQString(shown)});
    row->setData(0, kPosition, QString::fromStdString(view.RecordPosition(0)));
    return row;
}

void TreeList::markLoaded(QTreeWidgetItem& owner) const {
    owner.setData(0, kLoaded, true);
    owner.setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TreeList::loadChildren(QTreeWidgetItem& owner) {
    if (owner.data(0, kLoaded).toBool()) return;
    rangeValue_ = owner.text(0).toStdString();
    QList<QTreeWidgetItem*> rows;
    if (oneOwner_.Open() == SeverityNone) {
        oneOwner_.ApplyRangeLimit();
        if (oneOwner_.Reset(0) == SeverityNone) {
            while (oneOwner_.Next() == SeverityNone) {
                rows.append(childRow(oneOwner_));
            }
        }
    }
    owner.addChildren(rows);
    markLoaded(owner);
}

void TreeList::loadAllChildren(const std::vector<QTreeWidgetItem*>& owners) {
    std::unordered_map<std::string, QTreeWidgetItem*> wanted;
    for (QTreeWidgetItem* owner : owners) {
        if (!owner->data(0, kLoaded).toBool())
            wanted.emplace(ownerKey(owner->text(0).toStdString()), owner);
    }
    if (wanted.empty() || allOwners_.Open() != SeverityNone || allOwners_.Reset(0) != SeverityNone)
        return;
    // The children come in the owners' order: each owner's in one run.
    std::string runKey;
    QTreeWidgetItem* runOwner = nullptr;
    QList<QTreeWidgetItem*> run;
    const auto endRun = [&] {
        if (runOwner) runOwner->addChildren(run);
        run.clear();
    };
    while (allOwners_.Next() == SeverityNone) {
        std::string key = ownerKey(decl_->childLink.value().toText());
        if (key != runKey) {
            endRun();
            const auto found = wanted.find(key);
            runOwner = found == wanted.end() ? nullptr : found->second;
            runKey = std::move(key);
        }
        if (!runOwner) continue;
        run.append(childRow(allOwners_));
    }
    endRun();
    for (const auto& entry : wanted) markLoaded(*entry.second);
}

// ------------------------------------------------------------------ loading

void TreeList::ReloadRows(bool force) {
    if (loaded_ && !force) return;
    reload(expandedOwners(), Highlighted());
}

void TreeList::ExpandAll() {
    reload(std::nullopt, Highlighted());
}

void TreeList::ContractAll() {
    std::optional<Row> keep = Highlighted();
    // A child's row is hidden: its owner's stays highlighted.
    if (keep && keep->level == 2)
        keep = Row{1, keep->owner, keep->ownerPosition, keep->ownerPosition};
    reload(std::vector<std::string>{}, keep);
}

void TreeList::reload(const std::optional<std::vector<std::string>>& expanded,
                      const std::optional<Row>& keep) {
    const RowReading reading(*decl_, window_->WindowId());
    const ScopedFlag busy(loading_);
    LISTCONTROL->setUpdatesEnabled(false);
    LISTCONTROL->clear();
    loadOwners();
    loaded_ = true;
    std::vector<QTreeWidgetItem*> open;
    if (expanded) {
        const auto owners = ownerIndex();
        for (const std::string& owner : *expanded) {
            if (const auto found = owners.find(ownerKey(owner)); found != owners.end())
                open.push_back(found->second);
        }
    } else {
        for (int i = 0; i < LISTCONTROL->topLevelItemCount(); ++i)
            open.push_back(LISTCONTROL->topLevelItem(i));
    }
    // Many owners: one read of all the children beats a seek per owner.
    if (open.size() * 2 > static_cast<std::size_t>(LISTCONTROL->topLevelItemCount())) {
        loadAllChildren(open);
    } else {
        for (QTreeWidgetItem* owner : open) loadChildren(*owner);
    }
    for (QTreeWidgetItem* owner : open) owner->setExpanded(true);
    QTreeWidgetItem* current = keep ? itemOf(keep->level, keep->position) : nullptr;
    if (!current && keep) current = ownerItem(keep->owner);
    if (current) LISTCONTROL->setCurrentItem(current);
    LISTCONTROL->setUpdatesEnabled(true);
}

void TreeList::Expand(const Row& row, bool expanded) {
    QTreeWidgetItem* owner = ownerItem(row.owner);
    if (!owner) return;
    if (expanded) {
        const RowReading reading(*decl_, window_->WindowId());
        loadChildren(*owner);
    } else if (row.level == 2) {
        LISTCONTROL->setCurrentItem(owner);
    }
    owner->setExpanded(expanded);
}

bool TreeList::ExpandOwner(std::string_view owner) {
    if (!ownerItem(owner)) return false;
    Expand(Row{1, std::string(text::clip(owner)), {}, {}}, true);
    return true;
}

// ------------------------------------------------------------------ rows

namespace {

std::optional<TreeList::Row> rowOf(const QTreeWidgetItem* item) {
    if (!item) return std::nullopt;
    const QTreeWidgetItem* owner = item->parent() ? item->parent() : item;
    return TreeList::Row{item->parent() ? 2 : 1, owner->text(0).toStdString(), positionOf(*item),
                         positionOf(*owner)};
}

}  // namespace

std::optional<TreeList::Row> TreeList::Highlighted() const {
    return LISTCONTROL ? rowOf(LISTCONTROL->currentItem()) : std::nullopt;
}

std::optional<TreeList::Row> TreeList::RowAt(QPoint at) const {
    return LISTCONTROL ? rowOf(LISTCONTROL->itemAt(at)) : std::nullopt;
}

std::unordered_map<std::string, QTreeWidgetItem*> TreeList::ownerIndex() const {
    std::unordered_map<std::string, QTreeWidgetItem*> owners;
    for (int i = 0; i < LISTCONTROL->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = LISTCONTROL->topLevelItem(i);
        owners.emplace(ownerKey(item->text(0).toStdString()), item);
    }
    return owners;
}

QTreeWidgetItem* TreeList::ownerItem(std::string_view owner) const {
    const std::string key = ownerKey(owner);
    for (int i = 0; i < LISTCONTROL->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = LISTCONTROL->topLevelItem(i);
        if (ownerKey(item->text(0).toStdString()) == key) return item;
    }
    return nullptr;
}

QTreeWidgetItem* TreeList::itemOf(int level, std::string_view position) const {
    const QString wanted = toQString(position);
    for (int i = 0; i < LISTCONTROL->topLevelItemCount(); ++i) {
        QTreeWidgetItem* owner = LISTCONTROL->topLevelItem(i);
        if (level == 1) {
            if (owner->data(0, kPosition).toString() == wanted) return owner;
            continue;
        }
        for (int c = 0; c < owner->childCount(); ++c) {
            if (owner->child(c)->data(0, kPosition).toString() == wanted) return owner->child(c);
        }
    }
    return nullptr;
}

bool TreeList::Highlight(int level, std::string_view position) {
    QTreeWidgetItem* item = position.empty() ? nullptr : itemOf(level, position);
    if (!item) return false;
    LISTCONTROL->setCurrentItem(item);
    LISTCONTROL->scrollToItem(item);
    return true;
}

std::vector<std::string> TreeList::expandedOwners() const {
    std::vector<std::string> expanded;
    for (int i = 0; i < LISTCONTROL->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* owner = LISTCONTROL->topLevelItem(i);
        if (owner->isExpanded()) expanded.push_back(owner->text(0).toStdString());
    }
    return expanded;
}

std::vector<std::string> TreeList::Owners() const {
    std::vector<std::string> owners;
    for (int i = 0; i < LISTCONTROL->topLevelItemCount(); ++i)
        owners.push_back(LISTCONTROL->topLevelItem(i)->text(0).toStdString());
    return owners;
}

std::vector<std::string> TreeList::Children(std::string_view owner) const {
    std::vector<std::string> children;
    const QTreeWidgetItem* item = ownerItem(owner);
    if (!item || !item->isExpanded()) return children;
    for (int c = 0; c < item->childCount(); ++c)
        children.push_back(item->child(c)->text(0).toStdString());
    return children;
}

bool TreeList::Expanded(std::string_view owner) const {
    const QTreeWidgetItem* item = ownerItem(owner);
    return item && item->isExpanded();
}

}  // namespace bb
