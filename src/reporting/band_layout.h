// Laying one band out as page operations: every value fetched and shown
// through its picture, every text placed by its alignment and shortened to
// its width, every block wrapped. The result lies from the band's top; it
// is moved down the page when the report places it, and a band too tall
// for what is left of a page can be split between two lines of text.
//
// Used by BandReport; the fonts must be the report's.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/value.h"
#include "reporting/band.h"
#include "reporting/page.h"
#include "reporting/report_font.h"

namespace bb {

struct LaidOutBand {
    Mils height = 0;
    std::vector<PageOp> ops;  // y from the band's top, x on the page
};

struct BandContext {
    const FontSet& fonts;
    Mils left = 0;  // where x 0 of the band lies on the page
    int page = 0;
    // The value of a field or block item, and of a total item.
    std::function<Value(const Item&)> valueOf;
    std::function<Value(const Item&)> totalOf;
};

LaidOutBand layOutBand(const Band& band, const BandContext& context);

// Moves the band's operations down by `y`.
void moveDown(LaidOutBand& band, Mils y);

// Takes off the band's top, as much of it as fits in `room`, cut where no
// line of text is cut; nullopt when no such cut exists. The rest stays in
// `band`, moved up to start at 0.
std::optional<LaidOutBand> takeTop(LaidOutBand& band, Mils room, const FontSet& fonts);

// The text a value shows through an item's picture, without the spaces
// the picture pads it with.
std::string shownText(const Item& item, const Value& value);

}  // namespace bb
