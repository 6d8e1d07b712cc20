#include "trading/price_fractions.h"

#include <numeric>

#include "trading/transaction_texts.h"

namespace bb {
namespace {

constexpr int kRows = 63;
// k/64 = k * 15625 millionths, exactly.
constexpr int kMillionthsPer64th = 15625;
constexpr int kPricePlaces = 6;

// Where row k begins, in hundredths: k/64 cut to two decimals. The first
// row begins just above zero.
int rowStart(int k) {
    return k == 1 ? 0 : k * kMillionthsPer64th / 10000;
}

std::string fractionText(int k) {
    const int common = std::gcd(k, 64);
    return std::to_string(k / common) + "/" + std::to_string(64 / common);
}

bool isEighth(std::string_view text) {
    for (std::string_view eighth : {"1/8", "1/4", "3/8", "1/2", "5/8", "3/4", "7/8"}) {
        if (text == eighth) return true;
    }
    return false;
}

// "W - T", "W" or "T", the whole part shown as a whole number.
std::string wholeAndFraction(const Decimal& whole, std::string_view fraction) {
    if (whole.isZero()) return std::string(fraction);
    if (fraction.empty()) return whole.toString();
    return whole.toString() + " - " + std::string(fraction);
}

}  // namespace

std::optional<PriceFraction> fractionFor(const Decimal& f) {
    if (!f.ok() || f.isNegative() || f.isZero() || f >= Decimal(1)) return std::nullopt;
    const auto hundredths = static_cast<int>(f.truncated(2).rescaled(2).units());
    int k = kRows;
    while (rowStart(k) > hundredths) --k;
    return PriceFraction{Decimal::fromUnits(k * kMillionthsPer64th, kPricePlaces), fractionText(k)};
}

Decimal fractionalPart(const Decimal& price) {
    return price - price.wholePart();
}

PriceText priceText(const Decimal& price, std::string_view kind) {
    const Decimal f = fractionalPart(price);
    const Decimal whole = price.wholePart().truncated(0);
    const std::optional<PriceFraction> row = fractionFor(f);
    const bool exact = row && row->value == f;
    const bool inFractions = (kind == kStock && (f.isZero() || exact)) ||
                             (kind == kBond && (f.isZero() || (exact && isEighth(row->text))));
    if (!inFractions) return {plainPrice(price), false};
    return {wholeAndFraction(whole, f.isZero() ? std::string() : row->text), true};
}

std::optional<SuggestedPrice> suggestedPrice(const Decimal& price) {
    const Decimal f = fractionalPart(price);
    const std::optional<PriceFraction> row = fractionFor(f);
    if (!row || row->value == f) return std::nullopt;
    const Decimal whole = price.wholePart().truncated(0);
    return SuggestedPrice{whole + row->value, wholeAndFraction(whole, row->text)};
}

std::string plainPrice(const Decimal& price) {
    std::string shown = plainNumber(price);
    const std::size_t point = shown.find('.');
    if (point == std::string::npos) return shown + ".00";
    while (shown.size() - point - 1 < 2) shown.push_back('0');
    return shown;
}

}  // namespace bb
