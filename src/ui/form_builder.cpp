#include "ui/form_builder.h"

#include <QAbstractButton>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <map>
#include <string_view>
#include <utility>

#include "ui/icons.h"

namespace bb {

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// One page of fields, or the box of a group on it: the label-and-field
// column, lists standing between its parts, then its buttons.
struct Page {
    QWidget* widget = nullptr;
    QVBoxLayout* column = nullptr;
    QFormLayout* form = nullptr;
    QHBoxLayout* lastRow = nullptr;  // where a field `beside` the one before goes
    QHBoxLayout* buttons = nullptr;
    Page* outer = nullptr;             // a group's page; null for a page
    bool grows = false;                // holds a slot that takes the height it is given
    bool listed = false;               // holds a list, which takes the room the window gains
    QBoxLayout* listColumn = nullptr;  // where the last list stands, its buttons under it
    int listFrom = -1;   // the last list's place in `column` (its prompt's, when it has one)
    int underList = -1;  // the place in `listColumn` just under the last list
};

bool isList(const FieldDecl& field) {
    return field.kind == ControlKind::List || field.kind == ControlKind::Tree;
}

QFormLayout* newForm() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return form;
}

// Moves the items of `from`, from place `at` on, to the end of `to`, each
// with its stretch.
void moveItems(QBoxLayout& from, int at, QBoxLayout& to) {
    while (from.count() > at) {
        const int stretch = from.stretch(at);
        QLayoutItem* item = from.takeAt(at);
        if (QLayout* inner = item->layout()) {
            to.addLayout(inner, stretch);  // taken out, it has no parent to leave
        } else {
            to.addItem(item);
            to.setStretch(to.count() - 1, stretch);
        }
    }
}

class Builder {
public:
    Builder(QWidget& window, const WindowDecl& decl, const BuildContext& context)
        : window_(window), decl_(decl), context_(context) {}

    BuiltWindow build() {
        built_.root = new QVBoxLayout(&window_);
        window_.setWindowTitle(toQString(decl_.caption));
        if (!decl_.icon.empty()) window_.setWindowIcon(programIcon(decl_.icon));
        for (const FieldDecl& field : decl_.fields) addField(field);
        for (const ButtonDecl& button : decl_.buttons) addButton(button);
        finishPages();
        addStatusBar();
        chainTabOrder();
        return std::move(built_);
    }

private:
    Page& page(std::string_view tab) {
        const auto found = pages_.find(tab);
        if (found != pages_.end()) return found->second;
        Page& made = pages_[tab];
        order_.push_back(tab);
        startColumn(made, new QWidget(&window_));
        return made;
    }

    static void startColumn(Page& p, QWidget* widget) {
        p.widget = widget;
        p.column = new QVBoxLayout(widget);
        p.form = newForm();
        p.column->addLayout(p.form);
    }

    // Where a field or button goes: its tab's page, or the box of its group
    // there, which stands where its first field goes.
    Page& section(std::string_view tab, std::string_view group) {
        if (group.empty()) return page(tab);
        const std::pair key{tab, group};
        const auto found = groups_.find(key);
        if (found != groups_.end()) return found->second;
        Page& outer = page(tab);
        auto* box = new QGroupBox(toQString(group), outer.widget);
        box->setAccessibleName(toQString(group));
        if (group == decl_.besideList && outer.listColumn == outer.column) {
            standBeside(outer, *box);
        } else {
            outer.column->addWidget(box);
        }
        outer.form = newForm();
        outer.column->addLayout(outer.form);
        outer.lastRow = nullptr;
        Page& made = groups_[key];
        startColumn(made, box);
        made.outer = &outer;
        return made;
    }

    // The page's last list (with its prompt and what follows it) becomes a
    // column of its own, `box` a column to its right that takes the spare
    // width; the page's column goes on under both.
    static void standBeside(Page& p, QGroupBox& box) {
        auto* left = new QVBoxLayout;
        left->setContentsMargins(0, 0, 0, 0);
        moveItems(*p.column, p.listFrom, *left);
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        row->addLayout(left);
        row->addWidget(&box, 1);
        p.column->addLayout(row, 1);
        p.underList -= p.listFrom;
        p.listColumn = left;
    }

    // A row of the field column, holding the field and any beside it.
    QHBoxLayout* newRow(Page& p, QLabel* label) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        row->addStretch();
        if (label) {
            p.form->addRow(label, row);
        } else {
            p.form->addRow(QString(), row);
        }
        p.lastRow = row;
        return row;
    }

    static void put(QHBoxLayout* row, QWidget* widget) {
        // Before the stretch that closes the row.
        row->insertWidget(row->count() - 1, widget);
    }

    QLabel* promptFor(const FormControl& control, Page& p) {
        const FieldDecl& field = control.decl();
        // These show their prompt themselves (beside the box, as the box's title).
        const bool ownText = field.kind == ControlKind::Check ||
                             field.kind == ControlKind::Option ||
                             field.kind == ControlKind::MarkedList;
        if (field.prompt.empty() || ownText) return nullptr;
        auto* label = new QLabel(toQString(field.prompt), p.widget);
        label->setBuddy(control.focusTarget());
        return label;
    }

    // A list stands in the page's column between the fields above and
    // below it, and grows with the window.
    void addList(Page& p, QLabel* label, QWidget* list) {
        p.listFrom = p.column->count();
        if (label) p.column->addWidget(label);
        p.column->addWidget(list, 1);
        p.listColumn = p.column;
        p.underList = p.column->count();
        p.form = newForm();
        p.column->addLayout(p.form);
        p.lastRow = nullptr;
        p.listed = true;
    }

    void addField(const FieldDecl& field) {
        Page& p = section(field.tab, field.group);
        const bool slotted = field.kind == ControlKind::Slot || isList(field);
        QWidget* slot = slotted ? context_.slot(field, p.widget) : nullptr;
        auto control = makeControl(field, context_.bind(field), context_.listener, p.widget, slot);
        QLabel* label = promptFor(*control, p);
        if (isList(field)) {
            addList(p, label, control->widget());
        } else if (field.beside && p.lastRow) {
            if (label) put(p.lastRow, label);
            put(p.lastRow, control->widget());
        } else if (field.kind == ControlKind::Slot || field.kind == ControlKind::TextArea) {
            if (slot && (slot->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag))
                p.grows = true;
            // Lists and text areas take the width of the page.
            if (label) {
                p.form->addRow(label, control->widget());
            } else {
                p.form->addRow(control->widget());
            }
            p.lastRow = nullptr;
        } else {
            put(newRow(p, label), control->widget());
        }
        built_.controls.push_back(std::move(control));
    }

    void addButton(const ButtonDecl& button) {
        const bool ofWindow = button.tab.empty() && button.group.empty();
        QWidget* parent = ofWindow ? &window_ : section(button.tab, button.group).widget;
        auto* pushed = new QPushButton(toQString(button.text), parent);
        pushed->setAutoDefault(false);
        if (!button.icon.empty()) pushed->setIcon(programIcon(button.icon));
        if (!button.tip.empty()) pushed->setToolTip(toQString(button.tip));
        giveStatusMessage(pushed, button.message);
        if (!button.name.empty()) pushed->setObjectName(toQString(button.name));
        pushed->setAccessibleName(toQString(button.text).remove('&'));
        if (button.role == ButtonRole::Ok) pushed->setDefault(true);
        QHBoxLayout*& row = ofWindow ? windowButtons_ : section(button.tab, button.group).buttons;
        if (!row) {
            row = new QHBoxLayout;
            row->addStretch();
        }
        row->addWidget(pushed);
        built_.buttons.emplace_back(&button, pushed);
    }

    // A section's buttons act on its list: they sit right under it. A box
    // holding a list grows with the window as the list does.
    static void finishSection(Page& p) {
        if (p.buttons && p.listColumn) {
            p.listColumn->insertLayout(p.underList, p.buttons);
        } else if (p.buttons) {
            p.column->addLayout(p.buttons);
        }
        if (!p.outer || !p.listed) return;
        p.outer->column->setStretchFactor(p.widget, 1);
        p.outer->listed = true;
    }

    void finishPages() {
        for (auto& [key, box] : groups_) finishSection(box);
        // Fields of no tab sit above the tabs.
        bool tabsGrow = false;
        for (std::string_view tab : order_) {
            Page& p = pages_[tab];
            // A slot that grows (the pages of a preview) takes the height
            // the window is given, not the space below the fields; a list
            // takes it in the page's column.
            if (p.grows) p.column->setStretchFactor(p.form, 1);
            if (!p.grows && !p.listed) p.column->addStretch();
            finishSection(p);
            if (tab.empty()) {
                built_.root->addWidget(p.widget, p.listed ? 1 : 0);
                continue;
            }
            if (!built_.tabs) {
                built_.tabs = new QTabWidget(&window_);
                built_.root->addWidget(built_.tabs);
            }
            built_.tabs->addTab(p.widget, toQString(tab));
            tabsGrow = tabsGrow || p.listed;
        }
        if (built_.tabs && tabsGrow) built_.root->setStretchFactor(built_.tabs, 1);
        if (windowButtons_) built_.root->addLayout(windowButtons_);
    }

    void addStatusBar() {
        if (decl_.statusZones <= 0) return;
        auto* bar = new QStatusBar(&window_);
        bar->setSizeGripEnabled(false);
        for (int zone = 1; zone <= decl_.statusZones; ++zone) {
            auto* shown = new QLabel(bar);
            shown->setObjectName(zone == 1 ? QString(kMessageZoneName)
                                           : QStringLiteral("statusZone%1").arg(zone));
            if (zone == 1) {
                bar->addWidget(shown, 1);
            } else {
                shown->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                shown->setContentsMargins(6, 0, 6, 0);
                bar->addPermanentWidget(shown);
            }
            built_.statusZones.push_back(shown);
        }
        built_.root->addWidget(bar);
    }

    // Tab goes through the controls in the order the layouts show them:
    // down each column, along each row, a list's buttons right after it,
    // the tabs' pages in turn, the window's buttons last.
    void chainTabOrder() {
        for (const auto& control : built_.controls) {
            const FieldDecl& field = control->decl();
            if (field.kind == ControlKind::Option) {
                // Every radio: the one chosen takes Tab, whichever it is.
                for (QAbstractButton* radio : control->widget()->findChildren<QAbstractButton*>())
                    stops_[control->widget()].push_back(radio);
            } else if (control->editable() || field.kind == ControlKind::Slot || isList(field)) {
                stops_[control->widget()] = {control->focusTarget()};
            }
        }
        for (const auto& [decl, button] : built_.buttons) stops_[button] = {button};
        chainLayout(*built_.root);
    }

    void chainLayout(const QLayout& layout) {
        for (int i = 0; i < layout.count(); ++i) {
            QLayoutItem* item = layout.itemAt(i);
            if (const QLayout* inner = item->layout()) {
                chainLayout(*inner);
            } else if (QWidget* widget = item->widget()) {
                chainWidget(*widget);
            }
        }
    }

    void chainWidget(QWidget& widget) {
        if (const auto stop = stops_.find(&widget); stop != stops_.end()) {
            for (QWidget* next : stop->second) {
                if (!next || next->focusPolicy() == Qt::NoFocus) continue;
                if (lastStop_) QWidget::setTabOrder(lastStop_, next);
                lastStop_ = next;
            }
        } else if (const auto* tabs = qobject_cast<const QTabWidget*>(&widget)) {
            for (int page = 0; page < tabs->count(); ++page) chainWidget(*tabs->widget(page));
        } else if (const QLayout* inner = widget.layout()) {
            chainLayout(*inner);
        }
    }

    QWidget& window_;
    const WindowDecl& decl_;
    const BuildContext& context_;
    BuiltWindow built_;
    std::map<std::string_view, Page> pages_;
    std::map<std::pair<std::string_view, std::string_view>, Page> groups_;
    std::vector<std::string_view> order_;
    QHBoxLayout* windowButtons_ = nullptr;
    // A control's widget: where Tab stops in it.
    std::map<const QWidget*, std::vector<QWidget*>> stops_;
    QWidget* lastStop_ = nullptr;
};

}  // namespace

BuiltWindow buildWindow(QWidget& window, const WindowDecl& decl, const BuildContext& context) {
    return Builder(window, decl, context).build();
}

}  // namespace bb
