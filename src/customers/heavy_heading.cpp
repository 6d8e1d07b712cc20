#include "customers/heavy_heading.h"

#include <QFont>
#include <QWidget>

namespace bb {

void makeHeavy(QWidget& heading, double scale) {
    QFont heavy = heading.font();
    heavy.setBold(true);
    heavy.setPointSizeF(heavy.pointSizeF() * scale);
    heading.setFont(heavy);
}

}  // namespace bb
