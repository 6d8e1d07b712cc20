// Stock and bond prices in 64ths. A price's fractional part is matched to
// the 64th it stands for, by its first two decimals: 10.26 is 10 - 17/64
// (10.265625), whose two decimals begin at .26 and end before 17/64's
// neighbour 9/32 (.28125) begins. The texts are the program's price texts:
// "10 - 17/64", "1/2", "12", or the plain decimal price where no 64th
// applies.
//
// Exact decimal arithmetic throughout: in binary floating point 10.26 - 10
// comes out just under .26 and would match 1/4. Pure functions; any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/decimal.h"

namespace bb {

// A 64th: its exact value and its text in lowest terms ("17/64", "1/2").
struct PriceFraction {
    Decimal value;
    std::string text;
};

// The 64th that the fractional part `f` (0 <= f < 1) stands for; none for
// zero or a negative part. Row k (1 to 63) holds from k/64 cut to two
// decimals up to (k+1)/64 cut so; the first row starts just above zero, the
// last ends at 1.
std::optional<PriceFraction> fractionFor(const Decimal& f);

// The fractional part of `price` (price - INT(price)); negative for a
// negative price.
Decimal fractionalPart(const Decimal& price);

// How a price of kind `kind` ("S" stock, "B" bond, other) is shown and
// kept as text. `fractional` tells whether it is in 64ths: a stock whose
// part is exactly its 64th (or none), a bond whose part is exactly an
// eighth (or none); then the text is "W - T", W alone for a whole price,
// T alone under 1. Otherwise the plain decimal price.
struct PriceText {
    std::string text;
    bool fractional = false;
};
PriceText priceText(const Decimal& price, std::string_view kind);

// The price `price` would be if it were exactly its 64th, with the text
// that names it ("10 - 17/64", "17/64" under 1); none when it already is,
// or its part matches no 64th.
struct SuggestedPrice {
    Decimal price;
    std::string text;
};
std::optional<SuggestedPrice> suggestedPrice(const Decimal& price);

// `price` as a plain decimal: at least two places, no trailing zeros past them.
std::string plainPrice(const Decimal& price);

}  // namespace bb
