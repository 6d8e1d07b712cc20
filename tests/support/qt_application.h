// The one QApplication that widget tests need, made on first use and kept for
// the rest of the run; the offscreen platform unless the test run says
// otherwise. Also: saving a widget's picture when screenshots are asked for.
#pragma once

#include <string>

class QWidget;

namespace bb::test {

void ensureApplication();

// Saves `widget` as <name>.png in $BROKERBOOK_SCREENSHOTS, when that is set.
void screenshot(QWidget& widget, const std::string& name);

}  // namespace bb::test
