// The heavy font of a window's heading line (the customer's name over the
// customer list, the owner's name over a phone list or form). Used from the
// GUI thread only.
#pragma once

class QWidget;

namespace bb {

// Sets `heading` in bold, `scale` times its size.
void makeHeavy(QWidget& heading, double scale = 1.0);

}  // namespace bb
