#include "ui/form_builder.h"

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
#include "ui/popup_manager.h"

namespace bb {

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// One page of fields: the label-and-field column, then its buttons.
struct Page {
    QWidget* widget = nullptr;
    QVBoxLayout* column = nullptr;
    QFormLayout* form = nullptr;
    QHBoxLayout* lastRow = nullptr;  // where a field `beside` the one before goes
    QHBoxLayout* buttons = nullptr;
    bool grows = false;   // holds a slot that takes the height it is given
    bool listed = false;  // holds a list, which takes the room the window gains
    int underList = -1;   // the column's place just under the page's last list
};

bool isList(const FieldDecl& field) {
    return field.kind == ControlKind::List;
}

QFormLayout* newForm() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return form;
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
        made.widget = new QWidget(&window_);
        made.column = new QVBoxLayout(made.widget);
        made.form = newForm();
        made.column->addLayout(made.form);
        return made;
    }

    // Where a field goes: its tab's page, or the box of its group there,
    // which is made where its first field goes.
    Page& section(const FieldDecl& field) {
        if (field.group.empty()) return page(field.tab);
        const std::pair key{field.tab, field.group};
        const auto found = groups_.find(key);
        if (found != groups_.end()) return found->second;
        Page& outer = page(field.tab);
        auto* box = new QGroupBox(toQString(field.group), outer.widget);
        box->setAccessibleName(toQString(field.group));
        outer.form->addRow(box);
        outer.lastRow = nullptr;
        Page& made = groups_[key];
        made.widget = box;
        made.form = new QFormLayout(box);
        made.form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        return made;
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
        if (label) p.column->addWidget(label);
        p.column->addWidget(list, 1);
        p.underList = p.column->count();
        p.form = newForm();
        p.column->addLayout(p.form);
        p.lastRow = nullptr;
        p.listed = true;
    }

    void addField(const FieldDecl& field) {
        // A list stands in its page's column, never in a group's box.
        Page& p = isList(field) ? page(field.tab) : section(field);
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
        QWidget* parent = button.tab.empty() ? &window_ : page(button.tab).widget;
        auto* pushed = new QPushButton(toQString(button.text), parent);
        pushed->setAutoDefault(false);
        if (!button.icon.empty()) pushed->setIcon(programIcon(button.icon));
        if (!button.tip.empty()) pushed->setToolTip(toQString(button.tip));
        giveStatusMessage(pushed, button.message);
        const std::string name =
            button.name.empty() ? PopupManager::NameFrom(button.text) : std::string(button.name);
        pushed->setObjectName(toQString(name));
        pushed->setAccessibleName(toQString(button.text).remove('&'));
        if (button.role == ButtonRole::Ok) pushed->setDefault(true);
        QHBoxLayout*& row = button.tab.empty() ? windowButtons_ : page(button.tab).buttons;
        if (!row) {
            row = new QHBoxLayout;
            row->addStretch();
        }
        row->addWidget(pushed);
        built_.buttons.emplace_back(&button, pushed);
    }

    void finishPages() {
        // Fields of no tab sit above the tabs.
        bool tabsGrow = false;
        for (std::string_view tab : order_) {
            Page& p = pages_[tab];
            // A slot that grows (the pages of a preview) takes the height
            // the window is given, not the space below the fields; a list
            // takes it in the page's column.
            if (p.grows) p.column->setStretchFactor(p.form, 1);
            if (!p.grows && !p.listed) p.column->addStretch();
            // A tab's buttons act on its list: they sit right under it.
            if (p.buttons) p.column->insertLayout(p.listed ? p.underList : -1, p.buttons);
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

    void chainTabOrder() {
        QWidget* previous = nullptr;
        auto chain = [&previous](QWidget* next) {
            if (!next || next->focusPolicy() == Qt::NoFocus) return;
            if (previous) QWidget::setTabOrder(previous, next);
            previous = next;
        };
        for (const auto& control : built_.controls) {
            if (control->editable() || control->decl().kind == ControlKind::Slot ||
                isList(control->decl()))
                chain(control->focusTarget());
        }
        for (const auto& [decl, button] : built_.buttons) chain(button);
    }

    QWidget& window_;
    const WindowDecl& decl_;
    const BuildContext& context_;
    BuiltWindow built_;
    std::map<std::string_view, Page> pages_;
    std::map<std::pair<std::string_view, std::string_view>, Page> groups_;
    std::vector<std::string_view> order_;
    QHBoxLayout* windowButtons_ = nullptr;
};

}  // namespace

BuiltWindow buildWindow(QWidget& window, const WindowDecl& decl, const BuildContext& context) {
    return Builder(window, decl, context).build();
}

}  // namespace bb
