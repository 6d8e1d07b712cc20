// List format strings: the column layout of a list control, as each list
// declares it in one text.
//
//   format  := item*
//   item    := column | group
//   column  := width just [ "(" indent ")" ] flag* [ header ] flag*
//              "@" picture "@" flag*
//   group   := "[" column+ "]" [ "(" width ")" ] flag* [ header ]
//   header  := "~" text "~" [ just [ "(" indent ")" ] ]
//   just    := "L" | "R" | "C" | "D"      (left, right, centre, decimal)
//   flag    := "|" right border   "M" resizable   "*" colours of its own
//              "T" tree            "/" next column on a new line
//              "_" underline       "F" fixed       "Y" cell style
//              "I" icon            "J" transparent icon
//              "#" number "#"     field number of the column's value
//
// Example: "142L(3)|M*~Customer/Company~L(2)@s34@" is one column 142 units
// wide, left-justified with an indent of 3, with a right border, resizable,
// with its own colours, headed "Customer/Company" (left, indent 2), showing
// text of 34 characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/picture.h"

namespace bb {

enum class Justify : char { Left = 'L', Right = 'R', Centre = 'C', Decimal = 'D' };

struct ListHeader {
    std::string text;
    bool present = false;
    Justify justify = Justify::Left;
    int indent = 0;
    bool justifyGiven = false;  // a justification followed the header
};

struct ListColumn {
    int width = 0;
    Justify justify = Justify::Left;
    int indent = 0;
    ListHeader header;
    std::optional<Picture> picture;
    bool rightBorder = false;
    bool resizable = false;
    bool colored = false;
    bool tree = false;
    bool newLine = false;
    bool underline = false;
    bool fixed = false;
    bool styled = false;
    bool icon = false;
    bool transparentIcon = false;
    int fieldNumber = 0;  // 0: the column's position
    int group = -1;       // index into ListFormat::groups, -1 for none
};

struct ListGroup {
    int width = 0;  // 0: as wide as its columns
    bool rightBorder = false;
    ListHeader header;
    int firstColumn = 0;
    int columnCount = 0;
};

struct ListFormat {
    std::vector<ListColumn> columns;
    std::vector<ListGroup> groups;

    // nullopt, with the reason and the offending position in *error, for a
    // text that is not a valid list format.
    static std::optional<ListFormat> parse(std::string_view text, std::string* error = nullptr);
};

}  // namespace bb
