// What a report declares: bands of items. A band is a strip of the page (a
// page header, a group header, one record's detail, a footer with totals);
// its items are placed in thousandths of an inch from the band's top left
// corner, which lies on the page's left margin.
//
// Items are built with the static builders and adjusted with the modifiers:
//     detail.add(Item::Field(0, 0, 900, TRN::DATE, "@d2"));
//     detail.add(Item::Field(4000, 0, 1200, TRN::TOTALAMOUNT, "@n$-15.2").right());
//     footer.add(Item::Total(4000, 0, 1200, TRN::TOTALAMOUNT, "@n$-15.2").right().in(kBold));
// A declaration is plain data; the report that prints it (band_report.h)
// evaluates the value sources as each band is printed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/files.h"
#include "platform/picture.h"
#include "platform/value.h"
#include "reporting/report_font.h"
#include "reporting/report_units.h"

namespace bb {

enum class Align : std::uint8_t { Left, Center, Right };

// Where a field's value comes from when its band is printed.
using ValueSource = std::function<Value()>;

enum class TotalKind : std::uint8_t { Sum, Count };

struct Item {
    enum class Kind : std::uint8_t { Text, Field, Total, PageNumber, Block, Rule, Box };

    // A fixed text. A width of 0 lets it run as long as it is.
    static Item Text(Mils x, Mils y, Mils width, std::string text);
    // A value shown through `picture` (none: as its plain text). A text too
    // wide for the item is shortened with an ellipsis, never run into the
    // next column.
    static Item Field(Mils x, Mils y, Mils width, ValueSource value, std::string_view picture = {});
    static Item Field(Mils x, Mils y, Mils width, FieldRef field, std::string_view picture = {});
    // The sum of `value` over the records printed with detail band `over`
    // since the total's scope began: its group in a group footer, the page
    // in the page footer, the whole report elsewhere.
    static Item Total(Mils x, Mils y, Mils width, ValueSource value, std::string_view picture = {},
                      int over = 0);
    static Item Total(Mils x, Mils y, Mils width, FieldRef field, std::string_view picture = {},
                      int over = 0);
    // The number of such records.
    static Item Count(Mils x, Mils y, Mils width, std::string_view picture = {}, int over = 0);
    // `before` followed by the page's number ("Page 3").
    static Item PageNumber(Mils x, Mils y, Mils width, std::string before = "Page ");
    // A text wrapped into lines `width` wide; the band grows to hold them,
    // and a band taller than a page continues on the next one between lines.
    static Item Block(Mils x, Mils y, Mils width, ValueSource value);
    // A line from (x, y) `width` across, or `height` down when width is 0.
    static Item Rule(Mils x, Mils y, Mils width, Mils height = 0, Mils thickness = 10);
    static Item Box(Mils x, Mils y, Mils width, Mils height, Mils thickness = 10,
                    std::uint8_t shade = 0);

    Item& left() { return aligned(Align::Left); }
    Item& right() { return aligned(Align::Right); }
    Item& center() { return aligned(Align::Center); }
    Item& aligned(Align a);
    // In the report's font number `index`.
    Item& in(int index);

    Kind kind = Kind::Text;
    Mils x = 0;
    Mils y = 0;
    Mils width = 0;
    Mils height = 0;  // a text item is one line of its font high
    int font = 0;
    Align align = Align::Left;
    std::string text;
    ValueSource value;
    std::optional<Picture> picture;
    TotalKind total = TotalKind::Sum;
    int over = 0;  // the detail band a total counts
    Mils thickness = 0;
    std::uint8_t shade = 0;
};

struct Band {
    Band& add(Item item);
    bool empty() const { return items.empty() && height == 0; }

    std::vector<Item> items;
    Mils height = 0;             // at least this tall; it grows to hold its items
    bool newPageBefore = false;  // starts on a page of its own (a letter)
};

// Records that share the value of `breakOn` form a group: its header prints
// before the group's first record, its footer after the last one, showing
// the last record's values and the group's totals.
struct Group {
    ValueSource breakOn;
    Band header;
    Band footer;
    bool newPage = false;  // each group starts on a new page
};

// Columns of a list report: headings over values, laid out left to right.
struct Column {
    std::string heading;
    Mils width = 0;
    ValueSource value;
    std::string picture;
    Align align = Align::Left;
};

struct ColumnLayout {
    std::vector<Column> columns;
    Mils gap = 120;
    int headingFont = 0;
    int font = 0;
};

// Puts the headings on the line at `y` of `headings` with a rule under the
// whole row, and the values on the first line of `detail`; returns where
// `headings` now ends, a little below the rule. `fonts` are the report's.
Mils layColumns(const ColumnLayout& layout, const std::vector<ReportFont>& fonts, Band& headings,
                Mils y, Band& detail);

// The source that reads a field of its file's record buffer.
ValueSource fieldSource(FieldRef field);

}  // namespace bb
