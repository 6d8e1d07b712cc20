#include "shell/window_tiling.h"

#include <algorithm>

namespace bb {

std::vector<QRect> tiledPlaces(QSize room, const std::vector<QSize>& least) {
    const int count = static_cast<int>(least.size());
    if (count == 0) return {};
    int columns = 1;
    while (columns * columns < count) ++columns;
    const int rows = (count + columns - 1) / columns;
    std::vector<int> widths(columns, std::max(1, room.width() / columns));
    std::vector<int> heights(rows, std::max(1, room.height() / rows));
    for (int i = 0; i < count; ++i) {
        widths[i % columns] = std::max(widths[i % columns], least[i].width());
        heights[i / columns] = std::max(heights[i / columns], least[i].height());
    }
    std::vector<QRect> places;
    places.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int row = i / columns;
        int x = 0;
        int y = 0;
        for (int c = 0; c < column; ++c) x += widths[c];
        for (int r = 0; r < row; ++r) y += heights[r];
        places.emplace_back(x, y, widths[column], heights[row]);
    }
    return places;
}

}  // namespace bb
