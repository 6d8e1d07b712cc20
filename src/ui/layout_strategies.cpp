#include "ui/layout_strategies.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <algorithm>
#include <memory>

namespace bb {

namespace {
// Size policy stretch factors run from 1 to 255; a designed width in units
// of this many pixels gives the factor, so wide entries take a larger share.
constexpr int kPixelsPerStretchUnit = 8;

int stretchForWidth(int width) {
    return std::clamp(width / kPixelsPerStretchUnit, 1, 255);
}

void setPolicy(QWidget& control, QSizePolicy::Policy across, QSizePolicy::Policy down) {
    QSizePolicy policy = control.sizePolicy();
    policy.setHorizontalPolicy(across);
    policy.setVerticalPolicy(down);
    control.setSizePolicy(policy);
}

// The line edit of a spin box, the header of a list and the like are parts
// of their control, which looks after them.
bool insideAnotherControl(const QWidget& widget, const QWidget& window) {
    for (const QWidget* p = widget.parentWidget(); p && p != &window; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractItemView*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QComboBox*>(p) || qobject_cast<const QTextEdit*>(p) ||
            qobject_cast<const QPlainTextEdit*>(p))
            return true;
    }
    return false;
}

bool isPicture(const QWidget& widget) {
    const auto* label = qobject_cast<const QLabel*>(&widget);
    return label && !label->pixmap().isNull();
}

void applyStrategyOfKind(QWidget& control) {
    if (qobject_cast<QAbstractScrollArea*>(&control) || qobject_cast<QTabWidget*>(&control) ||
        isPicture(control)) {
        growWithWindow(control);
    } else if (qobject_cast<QLineEdit*>(&control) || qobject_cast<QComboBox*>(&control) ||
               qobject_cast<QAbstractSpinBox*>(&control)) {
        widenInProportion(control);
    } else if (qobject_cast<QAbstractButton*>(&control)) {
        keepSize(control);
    } else if (qobject_cast<QLabel*>(&control)) {
        keepHeight(control);
    }
}

void addButtons(QBoxLayout& into, std::unique_ptr<QBoxLayout> line, bool stretchFirst,
                std::initializer_list<QWidget*> buttons) {
    line->setContentsMargins(0, 0, 0, 0);
    if (stretchFirst) line->addStretch(1);
    for (QWidget* button : buttons) {
        keepSize(*button);
        line->addWidget(button);
    }
    if (!stretchFirst) line->addStretch(1);
    into.addLayout(line.release());  // the layout takes the line over
}
}  // namespace

void growWithWindow(QWidget& control) {
    setPolicy(control, QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void widenInProportion(QWidget& control) {
    setPolicy(control, QSizePolicy::Expanding, QSizePolicy::Fixed);
    QSizePolicy policy = control.sizePolicy();
    const int designed = std::max(control.sizeHint().width(), control.minimumWidth());
    policy.setHorizontalStretch(stretchForWidth(designed));
    control.setSizePolicy(policy);
}

void keepSize(QWidget& control) {
    setPolicy(control, QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void keepHeight(QWidget& control) {
    setPolicy(control, QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void keepFixedSize(QWidget& window) {
    if (QLayout* layout = window.layout()) {
        layout->setSizeConstraint(QLayout::SetFixedSize);
        layout->activate();
    } else {
        window.setFixedSize(window.sizeHint());
    }
}

void applyResizeStrategies(QWidget& window) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->window() == &window && !insideAnotherControl(*control, window))
            applyStrategyOfKind(*control);
    }
}

void addButtonRow(QBoxLayout& into, Qt::Edge keptEdge, std::initializer_list<QWidget*> buttons) {
    addButtons(into, std::make_unique<QHBoxLayout>(), keptEdge == Qt::RightEdge, buttons);
}

void addButtonColumn(QBoxLayout& into, Qt::Edge keptEdge, std::initializer_list<QWidget*> buttons) {
    addButtons(into, std::make_unique<QVBoxLayout>(), keptEdge == Qt::BottomEdge, buttons);
}

}  // namespace bb
