#include "shell/window_tiling.h"

#include <gtest/gtest.h>

namespace bb {
namespace {

struct TileCase {
    const char* what;
    QSize room;
    std::vector<QSize> least;
    std::vector<QRect> places;
};

const TileCase kCases[] = {
    {"no window", {800, 600}, {}, {}},
    {"one window takes the room", {800, 600}, {{100, 100}}, {{0, 0, 800, 600}}},
    {"two side by side",
     {800, 600},
     {{100, 100}, {100, 100}},
     {{0, 0, 400, 600}, {400, 0, 400, 600}}},
    {"three in two rows of two columns",
     {800, 600},
     {{100, 100}, {100, 100}, {100, 100}},
     {{0, 0, 400, 300}, {400, 0, 400, 300}, {0, 300, 400, 300}}},
    {"five make a grid of three columns",
     {900, 600},
     std::vector<QSize>(5, QSize(10, 10)),
     {{0, 0, 300, 300}, {300, 0, 300, 300}, {600, 0, 300, 300}, {0, 300, 300, 300},
      {300, 300, 300, 300}}},
    {"a wide window widens its column and pushes the next beyond the edge",
     {800, 600},
     {{500, 100}, {100, 100}},
     {{0, 0, 500, 600}, {500, 0, 400, 600}}},
    {"a tall window heightens its row for both windows in it",
     {800, 600},
     {{100, 100}, {100, 450}, {100, 100}},
     {{0, 0, 400, 450}, {400, 0, 400, 450}, {0, 450, 400, 300}}},
};

TEST(WindowTiling, WindowsShareTheRoomAndKeepTheirLeastSizeWithoutOverlapping) {
    for (const TileCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const std::vector<QRect> places = tiledPlaces(c.room, c.least);
        EXPECT_EQ(places, c.places);
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_GE(places[i].width(), c.least[i].width());
            EXPECT_GE(places[i].height(), c.least[i].height());
            for (std::size_t j = i + 1; j < places.size(); ++j)
                EXPECT_FALSE(places[i].intersects(places[j]));
        }
    }
}

}  // namespace
}  // namespace bb
