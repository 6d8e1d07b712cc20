// Mailing labels on several stocks read back word by word: every line of
// every label lies inside its label, labels fill a sheet across and then
// down and go on to the next sheet; a stock that cannot be laid out, or a
// selection the view refuses, prints nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "pdf_reading.h"
#include "printout_fixture.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

// Points in an inch, as the PDF measures.
constexpr double kPoints = 72.0;
// What a reader's word boxes may stray past the print (a glyph's side
// bearing), in points.
constexpr double kSlack = 0.5;

struct Box {
    double left;
    double top;
    double right;
    double bottom;
    bool holds(const PdfWord& w) const {
        return w.xMin >= left - kSlack && w.xMax <= right + kSlack && w.yMin >= top - kSlack &&
               w.yMax <= bottom + kSlack;
    }
};

class PrintMailingLabelsTest : public PrintoutFixture {
protected:
    void printLabels(const std::string& stock) {
        printSelection();
        chooseRow("Mailing Labels", "Labels", stock);
        procedures().call("PrintMailingLabels", NoRequest, "1");
    }
};

TEST_F(PrintMailingLabelsTest, EveryLineLiesInsideItsLabelAcrossThenDownOnEachStock) {
    constexpr int kCustomers = 32;
    for (int i = 1; i <= kCustomers; ++i) {
        char last[16];
        std::snprintf(last, sizeof last, "Label%02d", i);
        add({.last = last});
    }
    const struct {
        Stock stock;
        double left, top, width, height;  // inches
        int across, perSheet;
    } cases[] = {
        // A new stock's sheet and margins, with three labels across.
        {{"Letter 3x10", "8.5", "11", "2.5", "1", "0.35", "0.5", 10}, 0.5, 0.35, 2.5, 1, 3, 30},
        {{"A4 2x7", "8.27", "11.69", "3.5", "1.5", "0.4", "0.6", 12}, 0.6, 0.4, 3.5, 1.5, 2, 14},
        {{"Postcard", "4", "6", "3.5", "1.2", "0.25", "0.25", 9}, 0.25, 0.25, 3.5, 1.2, 1, 4},
    };
    for (const auto& c : cases) {
        addStock(c.stock);
        std::string file;
        savePreview(c.stock.name, file);
        printLabels(c.stock.name);
        waitFor(file);
        ASSERT_FALSE(file.empty()) << c.stock.name;
        const auto box = [&](int index) {
            const int onSheet = index % c.perSheet;
            const double x = c.left + (onSheet % c.across) * c.width;
            const double y = c.top + (onSheet / c.across) * c.height;
            return Box{x * kPoints, y * kPoints, (x + c.width) * kPoints, (y + c.height) * kPoints};
        };
        const std::vector<PdfWord> words = pdfWords(file);
        ASSERT_FALSE(words.empty());
        int found = 0;
        for (const PdfWord& w : words) {
            // Each label's own name word lies in its place on its sheet...
            if (w.text.rfind("Label", 0) == 0) {
                const int index = std::stoi(w.text.substr(5)) - 1;
                EXPECT_EQ(w.page, index / c.perSheet + 1) << c.stock.name << " " << w.text;
                EXPECT_TRUE(box(index).holds(w)) << c.stock.name << " " << w.text;
                ++found;
            }
            // ...and no word of any label crosses a label's edge.
            bool inside = false;
            for (int i = 0; i < c.perSheet && !inside; ++i) inside = box(i).holds(w);
            EXPECT_TRUE(inside) << c.stock.name << ": " << w.text << " at " << w.xMin << ","
                                << w.yMin;
        }
        EXPECT_EQ(found, kCustomers) << c.stock.name;
        EXPECT_EQ(pdfInfo(file, "Pages"),
                  std::to_string((kCustomers + c.perSheet - 1) / c.perSheet));
    }
}

TEST_F(PrintMailingLabelsTest, AStockThatCannotBeLaidOutIsRefusedWithItsReason) {
    add({.last = "Adams"});
    const struct {
        Stock stock;
        const char* reason;
    } cases[] = {
        {{"No width", "8.5", "11", "0", "1", "0.5", "0.5", 10}, "no size"},
        {{"Negative", "8.5", "11", "2.5", "1", "-0.5", "0.5", 10}, "negative"},
        {{"Too wide", "8.5", "11", "9", "1", "0.5", "0.5", 10}, "fits on its page"},
        {{"Too tall", "4", "2", "3", "2", "0.5", "0.5", 10}, "fits on its page"},
        {{"Large print", "8.5", "11", "2.5", "0.5", "0.5", "0.5", 72}, "does not fit"},
    };
    for (const auto& c : cases) {
        addStock(c.stock);
        ui.messages.clear();
        printLabels(c.stock.name);
        ui.settle();
        ASSERT_FALSE(ui.messages.shown.empty()) << c.stock.name;
        EXPECT_EQ(ui.messages.last().title, "Labels Not Printed") << c.stock.name;
        EXPECT_NE(ui.messages.last().text.find(c.reason), std::string::npos)
            << c.stock.name << ": " << ui.messages.last().text;
        EXPECT_EQ(ui.waitingScripts(), 0U);
    }
}

TEST_F(PrintMailingLabelsTest, ASelectionTheViewRefusesPrintsNoLabel) {
    add({.last = "Adams"});
    addStock({"Letter 3x10", "8.5", "11", "2.5", "1", "0.35", "0.5", 10});
    // After letters the selection is taken as it stands: here a damaged one.
    select("MBR:Active=(");
    chooseRow("Mailing Labels", "Labels", "Letter 3x10");
    procedures().call("PrintMailingLabels", NoRequest, "");
    ui.settle();
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.last().title, "View Open Error");
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

}  // namespace
}  // namespace bb::test
