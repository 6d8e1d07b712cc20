// A printed page kept as drawing operations (text runs, rules and boxes) in
// thousandths of an inch, never as a picture of pixels: the same page is
// drawn sharp on the screen at any zoom, on a printer and into a PDF, where
// its text stays text.
//
// Text is placed exactly where the report put it: alignment, wrapping and
// shortening were done when the report was written, so drawing is only
// placing. A page encodes to bytes and back, so that a report's pages can
// wait on disk instead of in memory (see page_store.h).
#pragma once

#include <QPainter>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "reporting/report_font.h"
#include "reporting/report_units.h"

namespace bb {

// One line of text; (x, y) is the top left corner of the line.
struct PageText {
    Mils x = 0;
    Mils y = 0;
    std::uint8_t font = 0;  // index into the report's fonts
    std::string text;       // UTF-8
    friend bool operator==(const PageText&, const PageText&) = default;
};

struct PageRule {
    Mils x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Mils thickness = 0;
    friend bool operator==(const PageRule&, const PageRule&) = default;
};

struct PageBox {
    Mils x = 0, y = 0, width = 0, height = 0;
    Mils thickness = 0;      // 0: no outline
    std::uint8_t shade = 0;  // percent of black filling it; 0: not filled
    friend bool operator==(const PageBox&, const PageBox&) = default;
};

using PageOp = std::variant<PageText, PageRule, PageBox>;

struct Page {
    std::vector<PageOp> ops;
    friend bool operator==(const Page&, const Page&) = default;
};

std::string encodePage(const Page& page);
// nullopt when the bytes are not a whole encoded page.
std::optional<Page> decodePage(std::string_view bytes);

// Draws `page` with `painter`, whose user units must be thousandths of an
// inch from the paper's top left corner.
void paintPage(QPainter& painter, const Page& page, const FontSet& fonts);

}  // namespace bb
