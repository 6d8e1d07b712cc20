// The preview's rules apart from its window: typed zooms, the texts of the
// zoom and the pages shown, where the tile grid starts and how far it may
// grow, and where tiles lie.
#include <gtest/gtest.h>

#include "reporting/preview_layout.h"

namespace bb::test {
namespace {

TEST(PreviewRules, ZoomTexts) {
    EXPECT_EQ(zoomText(4, 0), "75% Zoom");
    EXPECT_EQ(zoomText(0, 150), "150% Zoom");
    EXPECT_EQ(zoomStatus(1, 0), "Zoom: Tile Pages");
    EXPECT_EQ(zoomStatus(2, 0), "Zoom: Page Width");
    EXPECT_EQ(zoomStatus(0, 150), "Zoom: 150%");
    EXPECT_EQ(zoomChoiceOf(75), 4);
    EXPECT_EQ(zoomChoiceOf(kZoomTiles), 1);
    EXPECT_EQ(zoomChoiceOf(150), 0);
}

TEST(PreviewRules, PageTexts) {
    EXPECT_EQ(pageStatus(true, 1, 4, 1, 10), "Page 1-4 of 10");
    EXPECT_EQ(pageStatus(true, 9, 2, 10, 10), "Page 9-10 of 10");
    EXPECT_EQ(pageStatus(true, 10, 1, 10, 10), "Page 10 of 10");  // one tile left
    EXPECT_EQ(pageStatus(false, 1, 1, 3, 10), "Page 3 of 10");
}

TEST(PreviewRules, TypedZooms) {
    struct Case {
        const char* typed;
        bool valid;
        int choice;
        int percent;
    };
    const Case cases[] = {
        {"150", true, 0, 150},       {" 150% ", true, 0, 150}, {"-150", true, 0, 150},
        {"150% Zoom", true, 0, 150}, {"75% Zoom", true, 4, 0}, {"tile PAGES", true, 1, 0},
        {"Page Width", true, 2, 0},  {"10", true, 0, 10},      {"800", true, 0, 800},
        {"9", false, 0, 0},          {"801", false, 0, 0},     {"60000", false, 0, 0},
        {"abc", false, 0, 0},        {"", false, 0, 0},        {"1.5", false, 0, 0},
    };
    for (const Case& c : cases) {
        const TypedZoom z = readTypedZoom(c.typed);
        EXPECT_EQ(z.valid, c.valid) << c.typed;
        EXPECT_EQ(z.choice, c.choice) << c.typed;
        EXPECT_EQ(z.percent, c.percent) << c.typed;
    }
}

TEST(PreviewRules, TheGridStartsWhereItShowsThePageAndNeverPastTheLast) {
    struct Case {
        int page, first, cells, total, start;
    };
    const Case cases[] = {
        {3, 1, 4, 10, 1},   // in the grid: it stays
        {6, 1, 4, 10, 6},   // past it: the grid starts at the page
        {9, 1, 4, 10, 7},   // moved back so that it ends at the last page
        {10, 5, 4, 10, 7},  //
        {2, 5, 4, 10, 2},   // before it
        {1, 3, 9, 4, 1},    // a grid larger than the report starts at 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(gridStartFor(c.page, c.first, c.cells, c.total), c.start)
            << c.page << " from " << c.first;
}

TEST(PreviewRules, AChangedDimensionShrinksToThePagesLeft) {
    EXPECT_EQ(fittedDimension(3, 2, 1, 10), 3);  // 6 of 10 fit
    EXPECT_EQ(fittedDimension(3, 2, 7, 10), 2);  // 4 pages left
    EXPECT_EQ(fittedDimension(5, 3, 9, 10), 1);  // never below 1, even when still too large
    EXPECT_EQ(fittedDimension(1, 5, 9, 10), 1);
}

TEST(PreviewRules, TilesFitTheirCellsKeepingThePagesShape) {
    const QSize view(800, 600);
    const double aspect = 11.0 / 8.5;
    const std::vector<QRect> rects = tileRects(view, 3, 2, 5, aspect);
    ASSERT_EQ(rects.size(), 5u);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_TRUE(QRect(QPoint(0, 0), view).contains(rects[i])) << i;
        EXPECT_NEAR(double(rects[i].height()) / rects[i].width(), aspect, 0.01) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(rects[i].intersects(rects[j]));
    }
    EXPECT_LT(rects[0].x(), rects[1].x());  // row by row
    EXPECT_EQ(rects[0].y(), rects[2].y());
    EXPECT_LT(rects[2].y(), rects[3].y());
    EXPECT_EQ(tileRects(view, 2, 2, 9, aspect).size(), 4u);  // no more than the grid
}

TEST(PreviewRules, AZoomedPageIsItsNaturalSizeTimesTheZoomOrAsWideAsTheView) {
    const QSize natural(816, 1056);
    EXPECT_EQ(zoomedPageSize(900, 100, natural), natural);
    EXPECT_EQ(zoomedPageSize(900, 75, natural), QSize(612, 792));
    EXPECT_EQ(zoomedPageSize(900 + 2 * kTileGap, kZoomPageWidth, natural).width(), 900);
}

}  // namespace
}  // namespace bb::test
