#include "reporting/preview_layout.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace bb {

namespace {

constexpr std::array<ZoomChoice, 7> kChoices = {{
    {"Tile pages", "Zoom: Tile Pages", kZoomTiles},
    {"Page Width", "Zoom: Page Width", kZoomPageWidth},
    {"50% Zoom", "Zoom: 50%", 50},
    {"75% Zoom", "Zoom: 75%", 75},
    {"100% Zoom", "Zoom: 100%", 100},
    {"200% Zoom", "Zoom: 200%", 200},
    {"300% Zoom", "Zoom: 300%", 300},
}};

const ZoomChoice* choiceAt(int choice) {
    if (choice < 1 || choice > static_cast<int>(kChoices.size())) return nullptr;
    return &kChoices[static_cast<std::size_t>(choice - 1)];
}

}  // namespace

std::span<const ZoomChoice> zoomChoices() {
    return kChoices;
}

int zoomChoiceOf(int value) {
    for (std::size_t i = 0; i < kChoices.size(); ++i) {
        if (kChoices[i].value == value) return static_cast<int>(i) + 1;
    }
    return 0;
}

std::string zoomText(int choice, int userPercent) {
    if (const ZoomChoice* c = choiceAt(choice)) return c->menuText;
    return std::to_string(userPercent) + "% Zoom";
}

std::string zoomStatus(int choice, int userPercent) {
    if (const ZoomChoice* c = choiceAt(choice)) return c->statusText;
    return "Zoom: " + std::to_string(userPercent) + "%";
}

std::string pageStatus(bool tiles, int first, int shown, int current, int total) {
    const std::string of = " of " + std::to_string(total);
    if (tiles && shown >= 2)
        return "Page " + std::to_string(first) + "-" + std::to_string(first + shown - 1) + of;
    return "Page " + std::to_string(current) + of;
}

TypedZoom readTypedZoom(std::string_view typed) {
    QString text = QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size())).trimmed();
    for (std::size_t i = 0; i < kChoices.size(); ++i) {
        if (text.compare(kChoices[i].menuText, Qt::CaseInsensitive) == 0)
            return {true, static_cast<int>(i) + 1, 0};
    }
    for (const char* tail : {"zoom", "%"}) {
        if (text.endsWith(tail, Qt::CaseInsensitive))
            text = text.chopped(static_cast<qsizetype>(std::strlen(tail))).trimmed();
    }
    bool number = false;
    const int percent = std::abs(text.toInt(&number));
    if (!number || percent < kLeastZoom || percent > kMostZoom) return {};
    return {true, 0, percent};
}

int gridStartFor(int page, int first, int cells, int total) {
    if (page >= first && page < first + cells) return first;
    int start = page;
    while (start > 1 && start + cells - 1 > total) --start;
    return start;
}

int fittedDimension(int changed, int other, int first, int total) {
    const int left = total - first + 1;
    while (changed >= 2 && changed * other > left) --changed;
    return changed;
}

std::vector<QRect> tileRects(QSize view, int across, int down, int count, double aspect) {
    std::vector<QRect> rects;
    if (across < 1 || down < 1 || aspect <= 0) return rects;
    const int cellW = std::max(1, (view.width() - (across + 1) * kTileGap) / across);
    const int cellH = std::max(1, (view.height() - (down + 1) * kTileGap) / down);
    // Every page fills its cell's width or its height, whichever binds.
    int w = cellW;
    int h = static_cast<int>(std::lround(w * aspect));
    if (h > cellH) {
        h = cellH;
        w = std::max(1, static_cast<int>(std::lround(h / aspect)));
    }
    // The grid as a whole sits in the middle of the view.
    const int left = (view.width() - across * w - (across - 1) * kTileGap) / 2;
    const int top = (view.height() - down * h - (down - 1) * kTileGap) / 2;
    for (int i = 0; i < std::min(count, across * down); ++i) {
        rects.emplace_back(left + (i % across) * (w + kTileGap),
                           top + (i / across) * (h + kTileGap), w, h);
    }
    return rects;
}

QSize zoomedPageSize(int viewWidth, int zoom, QSize natural) {
    if (natural.isEmpty()) return natural;
    const double scale = zoom == kZoomPageWidth
                             ? double(std::max(1, viewWidth - 2 * kTileGap)) / natural.width()
                             : zoom / 100.0;
    return QSize(static_cast<int>(std::lround(natural.width() * scale)),
                 static_cast<int>(std::lround(natural.height() * scale)));
}

}  // namespace bb
