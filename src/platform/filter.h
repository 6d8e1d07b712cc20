// Filter expressions: a text over bound names, compiled once and evaluated
// per record.
//
//   expression := or
//   or         := and { "OR" and }
//   and        := unary { "AND" unary }
//   unary      := "~" unary | comparison
//   comparison := operand [ op operand ]
//   op         := "=" | "<>" | "=>" | ">=" | "=<" | "<=" | "<" | ">"
//   operand    := number | string | name | "UPPER(" expression ")"
//              | "(" expression ")"
//
// Keywords and names compare without regard to case. A number is digits with
// an optional point and fraction, optionally preceded by "-". A string is
// written between single quotes; a quote inside it is written twice
// ('O''Brien Club').
//
// Meaning:
// - Texts compare character by character ignoring trailing spaces, and with
//   regard to case (UPPER makes a comparison case-blind).
// - A number compared with a text: when the text is a valid number (a blank
//   text counts as 0) the two compare as numbers; otherwise both compare as
//   texts, the number written in plain decimal form. So a one-character flag
//   "0" equals 0, and a blank flag does too.
// - An operand used as a condition (a bare name, or a side of AND, OR, ~) is
//   true when it is a non-zero number, or a text that is neither blank nor a
//   number equal to 0: "~TRN:CommissionReceived" holds for "0" and for blank.
// - A comparison yields 1 (true) or 0 (false).
//
// The compiled form is a list of nodes that the storage can inspect, to run
// what it can translate itself. A malformed text never compiles: the error
// says what is wrong and where.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/name_bindings.h"
#include "platform/value.h"

namespace bb {

enum class CompareOp : std::uint8_t { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

struct FilterNode {
    enum class Kind : std::uint8_t { Constant, Name, Upper, Not, And, Or, Compare };
    Kind kind = Kind::Constant;
    CompareOp op = CompareOp::Equal;  // Compare
    int left = -1;                    // Upper, Not: the operand; Compare: the left side
    int right = -1;                   // Compare: the right side
    std::vector<int> terms;           // And, Or: every operand, in order
    Value constant;                   // Constant
    BoundName name;                   // Name
};

struct FilterError {
    std::string message;
    std::size_t position = 0;  // 0-based offset in the text
};

class Filter {
public:
    // An empty (or all-blank) text compiles to a filter that takes every record.
    static std::variant<Filter, FilterError> compile(std::string_view text,
                                                     const NameBindings& names = bindings());

    const std::string& text() const { return text_; }
    bool empty() const { return root_ < 0; }
    // Evaluates the expression on the bound names' current values.
    bool matches() const;
    // The value of node n (for a storage that evaluates parts itself).
    Value valueOf(int n) const;

    const std::vector<FilterNode>& nodes() const { return nodes_; }
    int root() const { return root_; }

private:
    friend class FilterParser;

    std::string text_;
    std::vector<FilterNode> nodes_;
    int root_ = -1;
};

// A text as a filter literal: between single quotes, each quote doubled.
std::string filterLiteral(std::string_view text);

// The comparison and truth rules above, for anyone who must apply them
// exactly as the filter does.
int compareValues(const Value& a, const Value& b);
// Whether two values are equal as the filter compares them; with `noCase`,
// two texts compare without regard to case (as through UPPER).
bool sameValue(const Value& a, const Value& b, bool noCase = false);
bool holds(CompareOp op, int comparison);
bool truthOf(const Value& v);
Value upperOf(const Value& v);

}  // namespace bb
