#include "ui/field_columns.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QWidget>
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace bb {

namespace {

// A label-and-field column and where it stands on its page.
struct FormPlace {
    QFormLayout* form = nullptr;
    const QWidget* page = nullptr;
    int inset = 0;   // from the page's edge to the column's, in pixels
    int labels = 0;  // the width of its prompts; 0 when it has none
};

int widthOf(const QWidget& widget) {
    return std::max(widget.sizeHint().width(), widget.minimumWidth());
}

// Whether `box` stands in its page's column, at the page's left edge; a
// box beside a list stands apart and lines up its own fields.
bool inPageColumn(const QGroupBox& box) {
    const QWidget* page = box.parentWidget();
    return page && page->layout() && page->layout()->indexOf(&box) >= 0;
}

// A form in a group's box stands in from its page by the box's frame and margin.
FormPlace placeOf(QFormLayout& form) {
    FormPlace place{.form = &form, .page = form.parentWidget()};
    if (auto* box = qobject_cast<QGroupBox*>(form.parentWidget()); box && inPageColumn(*box)) {
        place.page = box->parentWidget();
        const QLayout* boxColumn = box->layout();
        place.inset =
            box->contentsMargins().left() + (boxColumn ? boxColumn->contentsMargins().left() : 0);
    }
    for (int row = 0; row < form.rowCount(); ++row) {
        if (const QLayoutItem* label = form.itemAt(row, QFormLayout::LabelRole);
            label && label->widget())
            place.labels = std::max(place.labels, widthOf(*label->widget()));
    }
    return place;
}

// Every prompt column on a page ends where the widest ends.
void lineUpPrompts(const std::vector<FormPlace>& places) {
    std::map<const QWidget*, int> ends;
    for (const FormPlace& p : places) {
        if (p.labels > 0) ends[p.page] = std::max(ends[p.page], p.inset + p.labels);
    }
    for (const FormPlace& p : places) {
        if (p.labels == 0) continue;
        for (int row = 0; row < p.form->rowCount(); ++row) {
            const QLayoutItem* label = p.form->itemAt(row, QFormLayout::LabelRole);
            if (label && label->widget()) label->widget()->setMinimumWidth(ends[p.page] - p.inset);
        }
    }
}

// The widgets of a row holding more than one.
std::vector<QWidget*> rowWidgets(QFormLayout& form, int row) {
    std::vector<QWidget*> widgets;
    QLayoutItem* field = form.itemAt(row, QFormLayout::FieldRole);
    QLayout* line = field ? field->layout() : nullptr;
    for (int i = 0; line && i < line->count(); ++i) {
        if (QWidget* widget = line->itemAt(i)->widget()) widgets.push_back(widget);
    }
    if (widgets.size() < 2) widgets.clear();
    return widgets;
}

// In rows whose fields start at one place, the n-th widget of each (all
// but the last) is as wide as the widest n-th, so the next ones line up.
void lineUpBeside(const std::vector<std::vector<QWidget*>>& rows) {
    for (std::size_t at = 0;; ++at) {
        int widest = -1;
        for (const auto& row : rows) {
            if (row.size() > at + 1) widest = std::max(widest, widthOf(*row[at]));
        }
        if (widest < 0) return;
        for (const auto& row : rows) {
            if (row.size() > at + 1) row[at]->setMinimumWidth(widest);
        }
    }
}

}  // namespace

void lineUpFields(QWidget& window) {
    std::vector<FormPlace> places;
    for (QFormLayout* form : window.findChildren<QFormLayout*>()) {
        if (form->parentWidget() && form->parentWidget()->window() == &window)
            places.push_back(placeOf(*form));
    }
    lineUpPrompts(places);
    // Rows start together when their columns' prompts were lined up (or
    // neither has prompts) at the same inset on one page.
    std::map<std::tuple<const QWidget*, bool, int>, std::vector<std::vector<QWidget*>>> columns;
    for (const FormPlace& p : places) {
        const auto key = std::make_tuple(p.page, p.labels > 0, p.labels > 0 ? 0 : p.inset);
        for (int row = 0; row < p.form->rowCount(); ++row) {
            if (auto widgets = rowWidgets(*p.form, row); !widgets.empty())
                columns[key].push_back(std::move(widgets));
        }
    }
    for (const auto& [key, rows] : columns) lineUpBeside(rows);
}

}  // namespace bb
