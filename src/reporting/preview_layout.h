// The print preview's rules, apart from its widgets: the zoom choices and
// the texts that show them, what a typed zoom means, where the tile grid
// starts and how far it may grow, and where each page lies on the screen
// in tiles or at a zoom.
//
// Pure functions of their arguments; sizes are the view's pixels.
#pragma once

#include <QRect>
#include <QSize>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bb {

struct ZoomChoice {
    const char* menuText;
    const char* statusText;
    int value;  // a percentage, or one of the two below
};

inline constexpr int kZoomTiles = -2;      // a grid of pages across and down
inline constexpr int kZoomPageWidth = -1;  // one page as wide as the window

// The seven choices of the zoom menu, list and popup, in their order.
std::span<const ZoomChoice> zoomChoices();
// The choice (counted from 1) whose value is `value`; 0 when none is.
int zoomChoiceOf(int value);

// The zoom list's text: the choice's menu text, or the user's percentage
// followed by "% Zoom" (choice 0).
std::string zoomText(int choice, int userPercent);
// The status bar's zoom zone: the choice's status text, or "Zoom: " with the
// user's percentage and "%".
std::string zoomStatus(int choice, int userPercent);
// The status bar's page zone: "Page 1-4 of 10" for tiles showing two or more
// pages, else "Page 3 of 10".
std::string pageStatus(bool tiles, int first, int shown, int current, int total);

// A typed zoom can be no smaller and no larger than this: a page enlarged
// further would take more memory than a screen is worth.
inline constexpr int kLeastZoom = 10;
inline constexpr int kMostZoom = 800;

// What the user typed into the zoom list: the menu text of a choice picks
// that choice; any other text is read as a percentage (sign and a trailing
// "%" or "% Zoom" ignored). `valid` is false for anything else, or for a
// percentage outside kLeastZoom to kMostZoom.
struct TypedZoom {
    bool valid = false;
    int choice = 0;   // the choice picked, or 0 for a percentage
    int percent = 0;  // the percentage typed
};
TypedZoom readTypedZoom(std::string_view text);

// The first page of a tile grid of `cells` pages that is to show `page`:
// `first` while the page lies in the grid, else the page itself, moved back
// while the grid would reach past the last page (`total`).
int gridStartFor(int page, int first, int cells, int total);

// Most pages a tile grid shows in either direction: more would be too small
// to read on any screen.
inline constexpr int kMostTiles = 10;

// A grid dimension the user just changed to `changed`, reduced one at a time
// (while it stays at 2 or more) until the grid, with the other dimension
// `other`, holds no more than the pages from `first` to the last.
int fittedDimension(int changed, int other, int first, int total);

// Tiles: where each of the first `count` pages of an `across` × `down` grid
// lies in a view of `view`, row by row: each page as large as its cell
// allows keeping its height / width `aspect`, kTileGap apart, the grid in
// the middle of the view.
inline constexpr int kTileGap = 8;
std::vector<QRect> tileRects(QSize view, int across, int down, int count, double aspect);

// One page: its size at `zoom` (kZoomPageWidth or a percentage) in a view
// `viewWidth` wide, when at 100% it is `natural` (its size on paper at the
// screen's resolution).
QSize zoomedPageSize(int viewWidth, int zoom, QSize natural);

}  // namespace bb
