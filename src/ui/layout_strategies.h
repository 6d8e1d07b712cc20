// How a window's controls follow the window when the user resizes or
// maximises it. Qt layouts place and move the controls; these helpers give
// each control the size policy under which its layout moves it the way the
// program's windows behave:
//
//   growWithWindow     lists, sheets, images and text areas take the room the
//                      window gains, in both directions;
//   widenInProportion  entries, drop lists and spin boxes widen in proportion
//                      to their designed width and keep their height;
//   keepSize           buttons, check boxes and radio buttons keep their size;
//   buttonRow,         a row or column of buttons keeps its distance from the
//   buttonColumn       window's nearest corner, the free room opening on the
//                      far side;
//   keepFixedSize      a window that must not be resized keeps its size.
//
// Because a layout computes every rectangle from the window's size alone,
// maximising and restoring a window returns every control to its set-up
// rectangle. `applyResizeStrategies` gives every control of a window the
// strategy of its kind; a window calls it once, after building its controls,
// and may then give single controls another one.
//
// Used from the GUI thread only. Nothing here takes ownership of a control.
#pragma once

#include <initializer_list>

#include <Qt>

class QBoxLayout;
class QWidget;

namespace bb {

void growWithWindow(QWidget& control);
void widenInProportion(QWidget& control);
void keepSize(QWidget& control);
// Prompts and one-line displays keep their height and take their text's width.
void keepHeight(QWidget& control);
// The window's size becomes both its minimum and its maximum.
void keepFixedSize(QWidget& window);

// Gives every control of `window` (its popups excluded) the strategy of its
// kind: the lines above, from lists down to check boxes.
void applyResizeStrategies(QWidget& window);

// Adds to `into` a row of `buttons` that keeps to the window's left or right
// edge (Qt::LeftEdge, Qt::RightEdge); the buttons keep their size.
void addButtonRow(QBoxLayout& into, Qt::Edge keptEdge, std::initializer_list<QWidget*> buttons);
// Adds to `into` a column of `buttons` that keeps to the window's top or
// bottom edge (Qt::TopEdge, Qt::BottomEdge).
void addButtonColumn(QBoxLayout& into, Qt::Edge keptEdge, std::initializer_list<QWidget*> buttons);

}  // namespace bb
