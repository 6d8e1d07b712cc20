// A browse set up from its window's declaration: the view and columns, the
// sort orders with their ranges, filters, locators, thumbs and reset
// fields, the list's buttons and procedures, and the toolbar.
#include <QLineEdit>
#include <algorithm>
#include <cassert>

#include "ui/browse_manager.h"
#include "ui/window_manager.h"

namespace bb {

namespace {

std::unique_ptr<StepManager> makeStep(const ThumbDecl& thumb) {
    std::unique_ptr<StepManager> step;
    switch (thumb.kind) {
        case ThumbKind::None:
            return nullptr;
        case ThumbKind::Plain:
            step = std::make_unique<StepManager>();
            break;
        case ThumbKind::Long:
            step = std::make_unique<LongStep>();
            break;
        case ThumbKind::Real:
            step = std::make_unique<RealStep>();
            break;
        case ThumbKind::String: {
            auto text = std::make_unique<StringStep>();
            text->Setup(thumb.controls, thumb.mode);
            return text;
        }
    }
    step->Setup(thumb.controls);
    return step;
}

FieldPairList::Getter getterOf(const ValueRef& value, const WindowManager& window) {
    if (!value.local.empty()) return [&window, name = value.local] { return window.Local(name); };
    return [field = value.field] { return field.value(); };
}

FieldPairList::Setter setterOf(const ValueRef& value, WindowManager& window) {
    if (!value.local.empty())
        return [&window, name = value.local](const Value& v) { window.SetLocal(name, v); };
    return
        [field = value.field](const Value& v) { (void)buffer(field.file()).set(field.index(), v); };
}

}  // namespace

void BrowseManager::Declare(BrowseList& list, WindowManager& window, const ListDecl& decl,
                            std::string_view name) {
    decl_ = &decl;
    name_ = name;
    RelationManager& primary = *relationManagerFor(decl.file);
    Setup(list, window, primary, {decl.file, decl.joins}, decl.format);
    colours_ = decl.colours;
    list.Table()->SetDesignedRows(decl.rows);
    for (const SortDecl& order : decl.orders) declareOrder(order);
    if (decl.orders.empty()) DefineSortOrder(nullptr, -1);
    ViewManager::ChooseSortOrder(1);
    for (const FieldRef& column : decl.columns) DefineColumn(column);
    declareButtons();
    ASKPROCEDURE = decl.update;
    PRINTPROCEDURE = decl.print;
    for (int column : decl.editColumns) EDITLIST.push_back({column});
    HIDESELECT = decl.hideSelect;
    ACTIVEINVISIBLE = decl.activeInvisible;
    ALLOWUNFILLED = decl.allowUnfilled;
    STARTATCURRENT = decl.startAtCurrent;
    QUICKSCAN = decl.quickScan;
    AttachToolbar(window.Toolbar());
}

void BrowseManager::declareOrder(const SortDecl& order) {
    auto step = makeStep(order.thumb);
    DefineSortOrder(step.get(), order.key);
    if (step) ownSteps_.push_back(std::move(step));
    const RangeDecl& range = order.range;
    switch (range.kind) {
        case CurrentValue:
            DefineRange(range.field.index());
            break;
        case SingleValue:
            DefineRange(range.field.index(), getterOf(range.limit, *WINDOW));
            break;
        case FileRelation:
            DefineRange(order.key, *PRIMARY, *relationManagerFor(range.parent));
            break;
        default:
            break;
    }
    if (!order.filter.empty()) DefineFilter(std::string(order.filter));
    declareLocator(order);
    for (const ValueRef& reset : order.resets)
        DefineResetField(getterOf(reset, *WINDOW), setterOf(reset, *WINDOW));
}

void BrowseManager::declareLocator(const SortDecl& order) {
    const SortOrder& sort = Current();
    if (order.locator == LocatorKind::None || sort.MAINKEY < 0 || sort.FREEELEMENT == 0) return;
    const FileManager& file = *PRIMARY->Me;
    const RecordField free{&file.Buffer(), file.KeyComponentField(sort.MAINKEY, sort.FREEELEMENT)};
    const bool noCase = file.Def().keys[static_cast<std::size_t>(sort.MAINKEY)].noCase;
    std::unique_ptr<Locator> locator;
    if (order.locator == LocatorKind::Step) {
        locator = std::make_unique<KeystrokeLocator>();
        locator->Setup(nullptr, free, noCase, this);
    } else {
        auto typed = std::make_unique<TypedLocator>();
        auto* entry = qobject_cast<QLineEdit*>(WINDOW->Control(order.locatorEntry));
        assert(entry && "an entry locator names an entry field of its window");
        typed->Setup(entry, free, noCase, this);
        locator = std::move(typed);
    }
    DefineLocator(locator.get());
    ownLocators_.push_back(std::move(locator));
}

// The window's buttons of the list's roles: those declared for this list
// by its name, or, for the window's first list, those declared for none.
void BrowseManager::declareButtons() {
    const bool first = WINDOW->Browse() == nullptr;
    auto button = [this, first](ButtonRole role) {
        QAbstractButton* found = WINDOW->ButtonOf(role, name_);
        return found || !first ? found : WINDOW->ButtonOf(role, "");
    };
    INSERTCONTROL = button(ButtonRole::Insert);
    CHANGECONTROL = button(ButtonRole::Change);
    DELETECONTROL = button(ButtonRole::Delete);
    SELECTCONTROL = button(ButtonRole::Select);
    PRINTCONTROL = button(ButtonRole::Print);
}

// A declaration's orders chosen by a tab or a window variable: the one
// whose tab shows, or whose variable holds its value; else the current one.
int BrowseManager::chosenOrder() {
    const int current = static_cast<int>(&Current() - SORT.data()) + 1;
    if (!decl_) return current;
    for (std::size_t i = 0; i < decl_->orders.size(); ++i) {
        const SortDecl& order = decl_->orders[i];
        const bool byTab = !order.tab.empty() && WINDOW->ShownTab() == order.tab;
        const bool byLocal =
            !order.local.empty() &&
            sameValue(WINDOW->Local(order.local), Value::text(std::string(order.value)));
        if (byTab || byLocal) return static_cast<int>(i) + 1;
    }
    return current;
}

}  // namespace bb
