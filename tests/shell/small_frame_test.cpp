// The customer list in the frame of a small screen and of a large one: the
// whole window, its buttons included, stands in the frame's area without
// scrolling, and no line of the customer's box is cut, even with the
// longest texts its fields hold.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <string>

#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "program_fixture.h"
#include "qt_application.h"
#include "window_driver.h"

namespace bb::test {
namespace {

class SmallFrame : public ProgramTest {
protected:
    SmallFrame() {
        registerProcedures(procedures());
        showWithoutSplash();
        addCustomerWithLongTexts();
    }

    // A customer whose lines are as long as their fields allow, with a phone.
    static void addCustomerWithLongTexts() {
        const RelatedFilesOpen members(*relationManagerFor(FileId::Members));
        EXPECT_EQ(fileManagerFor(FileId::Representatives)->PrimeNewRecord(), SeverityNone);
        REP::REP_NUM.set("101");
        REP::REP_NAME.set("Maximilian Worthington Jr");
        EXPECT_EQ(fileManagerFor(FileId::Representatives)->Insert(), SeverityNone);
        EXPECT_EQ(fileManagerFor(FileId::Members)->PrimeNewRecord(), SeverityNone);
        MBR::MEMBERTYPE.set("Individual");
        MBR::FIRSTNAME.set("Alexandria");
        MBR::LASTNAME.set("Worthington-Montgomery");
        MBR::MEMBERNAME.set("Alexandria Worthington-Montgomery");
        MBR::COMPANYNAME.set("Worthington-Montgomery, Alexandria Q.");
        MBR::ADDRESS.set("12345 Northwest Industrial Parkway Ste 9");
        MBR::ADDRESS2.set("Care of Worthington Montgomery Holdings");
        MBR::FOREIGN.set("D");
        MBR::CITY.set("Rancho Santa Margarita");
        MBR::STATE.set("CA");
        MBR::ZIPCODE.set("92688-1234");
        MBR::EMAIL.set("alexandria.worthington@example.com");
        MBR::SALESTAXID.set("123-45-6789");
        MBR::REPRESENTATIVENUMBER.set(REP::REPRESENTATIVENUMBER.get());
        MBR::ACTIVE.set(1);
        EXPECT_EQ(fileManagerFor(FileId::Members)->Insert(), SeverityNone);
        buffer(FileId::MPhones).clear();
        MPH::MEMBERNUMBER.set(MBR::MEMBERNUMBER.get());
        MPH::DESCRIPTION.set("Office");
        MPH::PHONENUMBER.set("7145550100");
        MPH::EXTENSION.set("12345");
        MPH::CONTACT.set("Margaret Worthington-Montgomery");
        MPH::DEPARTMENT.set("Accounts Payable");
        EXPECT_EQ(fileManagerFor(FileId::MPhones)->Insert(), SeverityNone);
    }

    WindowDriver ui{WindowDriver::Frame::Installed};
};

// Where `widget` stands in the area's viewport.
QRect inViewport(const QMdiArea& area, const QWidget& widget) {
    return {widget.mapTo(area.viewport(), QPoint(0, 0)), widget.size()};
}

TEST_F(SmallFrame, TheCustomerListStandsWholeInTheFrameWithNoLineOfItsBoxCut) {
    for (const QSize screen : {QSize(900, 520), QSize(1280, 800)}) {
        SCOPED_TRACE(screen.width());
        frame_->resize(screen);
        ui.settle();
        choose("Customers", "Customer List");
        DrivenWindow list = ui.window("Customer List");
        const QMdiArea& area = frame_->area();
        const QWidget& holder = *list.manager().Widget()->parentWidget();
        EXPECT_GE(holder.height(), holder.minimumSizeHint().height());
        EXPECT_TRUE(area.viewport()->rect().contains(inViewport(area, holder)));
        EXPECT_FALSE(area.verticalScrollBar()->isVisible());
        for (const char* button : {"Accounts", "Help", "Both"}) {
            SCOPED_TRACE(button);
            EXPECT_TRUE(area.viewport()->rect().contains(inViewport(area, *list.find(button))));
        }
        const QWidget& box = *list.find("Selected Member Information");
        EXPECT_EQ(list.shown("AddressLine1"), "12345 Northwest Industrial Parkway Ste 9");
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            if (!label->isVisible()) continue;
            SCOPED_TRACE(label->text().toStdString());
            EXPECT_GE(label->width(), label->sizeHint().width());
            EXPECT_TRUE(box.contentsRect().contains(
                QRect(label->mapTo(&box, QPoint(0, 0)), label->size())));
        }
        list.screenshot("frame " + std::to_string(screen.width()));
        screenshot(*frame_, "Frame " + std::to_string(screen.width()) + " - customer list");
        list.close();
        ui.settle();
    }
}

}  // namespace
}  // namespace bb::test
