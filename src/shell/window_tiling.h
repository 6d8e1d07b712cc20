// Where Window > Tile puts the open windows.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

namespace bb {

// A grid over `room`, as near square as the count of windows allows, filled
// row by row. A window whose least size is larger than its cell keeps that
// size and widens its column (heightens its row), pushing the cells after it
// on: windows never overlap, and the area scrolls to those beyond its edge.
std::vector<QRect> tiledPlaces(QSize room, const std::vector<QSize>& least);

}  // namespace bb
