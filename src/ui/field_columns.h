// Lines up the fields of a built window in columns, so that the eye runs
// down them: on each page (a tab, or the window's own page) the fields of
// every label-and-field column start at one place, whether they stand in a
// group's box or not (a box beside a list is a page of its own); and the fields a row holds beside its first start in
// one column with those of the rows around them (the dates beside their
// check boxes, say), whatever the width of the prompts before them.
//
// It works on the window's layouts as the form builder made them, by
// widening prompts and fields to the widest of their column; nothing is
// moved by hand and nothing gets narrower. A window calls it once its
// controls are complete (drop lists sized to their rows), before it shows.
//
// Used from the GUI thread only; takes no ownership.
#pragma once

class QWidget;

namespace bb {

void lineUpFields(QWidget& window);

}  // namespace bb
