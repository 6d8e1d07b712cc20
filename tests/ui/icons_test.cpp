// Every icon name the windows use draws a picture; unknown names draw none.
#include "ui/icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "qt_application.h"

namespace bb {
namespace {

bool drawsSomething(const QIcon& icon) {
    const QImage image = icon.pixmap(24, 24).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return true;
    return false;
}

TEST(Icons, EveryNamedIconDrawsAndNamesIgnoreCase) {
    test::ensureApplication();
    for (const char* name :
         {"VCRFIRST.ICO", "VCRPRIOR.ICO", "VCRUP.ICO", "VCRDOWN.ICO", "VCRNEXT.ICO", "VCRLAST.ICO",
          "MARK.ICO", "INSERT.ICO", "Openfold.ico", "DELETE.ICO", "DITTO.ICO", "Help.ico",
          "Customer.ico", "Winpyr.ico", "Phone2.ico", "customer.ICO"}) {
        EXPECT_TRUE(drawsSomething(programIcon(name))) << name;
    }
    EXPECT_TRUE(programIcon("Clouds.bmp").isNull());
}

}  // namespace
}  // namespace bb
