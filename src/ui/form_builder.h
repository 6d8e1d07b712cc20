// Builds a declared window's widgets: one label-and-field column per tab
// (tabs in the order the fields first name them; fields of no tab above
// them), a titled box with a column of its own for each group of fields
// (lists too), standing under what comes before it or, for the
// declaration's `besideList` group, to the right of the list before it; a
// row of buttons under each list that has buttons of its own (on its tab or
// in its box) and one at the bottom of the window, the status bar when the
// window has one, every prompt the buddy of its field, every control named
// for the accessibility tools, and a tab order that follows the layout: down
// each column (the left before the right), a list's buttons right after the
// list. Qt layouts place everything; the window takes the size they ask for.
//
// The built controls and buttons belong to the caller; their widgets belong
// to the window's widget.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "ui/form_controls.h"
#include "ui/window_decl.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

namespace bb {

struct BuiltWindow {
    QVBoxLayout* root = nullptr;  // the window's layout, top to bottom
    QTabWidget* tabs = nullptr;   // null when the window has no tabs
    std::vector<std::unique_ptr<FormControl>> controls;
    std::vector<std::pair<const ButtonDecl*, QPushButton*>> buttons;
    std::vector<QLabel*> statusZones;  // zone 1 first; empty without a status bar
};

struct BuildContext {
    ControlListener& listener;
    // The value a field declaration is bound to.
    std::function<Binding(const FieldDecl&)> bind;
    // The widget the window puts in a slot (never null).
    std::function<QWidget*(const FieldDecl&, QWidget* parent)> slot;
};

BuiltWindow buildWindow(QWidget& window, const WindowDecl& decl, const BuildContext& context);

}  // namespace bb
