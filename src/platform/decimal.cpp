#include "platform/decimal.h"

#include <algorithm>
#include <array>

namespace bb {

namespace {

using Units = Decimal::Units;
using Unsigned = unsigned __int128;

constexpr std::array<Units, 39> makePowers() {
    std::array<Units, 39> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}
constexpr std::array<Units, 39> kPow10 = makePowers();
constexpr Units kLimit = kPow10[38];  // magnitudes stay strictly below

Units magnitude(Units u) {
    return u < 0 ? -u : u;
}

// u * 10^n, or nullopt when the result would reach the limit.
std::optional<Units> scaleUp(Units u, int n) {
    if (n > 38) return u == 0 ? std::optional<Units>(0) : std::nullopt;
    if (u != 0 && magnitude(u) >= kLimit / kPow10[n]) return std::nullopt;
    return u * kPow10[n];
}

// u / 10^n rounded half away from zero (round) or toward zero.
Units scaleDown(Units u, int n, bool round) {
    if (n > 38) return 0;
    const Units div = kPow10[n];
    Units q = u / div;
    const Units r = u % div;
    if (round && magnitude(r) * 2 >= div) q += (u < 0 ? -1 : 1);
    return q;
}

}  // namespace

Decimal Decimal::failed(State state) {
    Decimal d;
    d.state_ = state;
    return d;
}

Decimal Decimal::fromUnits(Units units, int places) {
    if (magnitude(units) >= kLimit || places < 0 || places > kMaxDigits) {
        return failed(State::Overflow);
    }
    Decimal d;
    d.units_ = units;
    d.places_ = static_cast<std::uint8_t>(places);
    return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    Units units = 0;
    int digitCount = 0;
    int places = -1;
    for (char c : text) {
        if (c == '.') {
            if (places >= 0) return std::nullopt;
            places = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        if (units != 0 || c != '0') ++digitCount;
        if (digitCount > kMaxDigits) return std::nullopt;
        units = units * 10 + (c - '0');
        if (places >= 0) ++places;
    }
    const bool anyDigit = text.find_first_of("0123456789") != std::string_view::npos;
    if (!anyDigit || places > kMaxDigits) return std::nullopt;
    return fromUnits(negative ? -units : units, std::max(places, 0));
}

int Decimal::digits() const {
    int n = 1;
    while (n < 39 && magnitude(units_) >= kPow10[n]) ++n;
    return n;
}

std::string Decimal::toString() const {
    if (state_ == State::Overflow) return "overflow";
    if (state_ == State::DivideByZero) return "division by zero";
    Unsigned m = static_cast<Unsigned>(magnitude(units_));
    std::string digitsText;
    do {
        digitsText.push_back(static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    while (digitsText.size() <= places_) digitsText.push_back('0');
    std::reverse(digitsText.begin(), digitsText.end());
    if (places_ > 0) digitsText.insert(digitsText.size() - places_, 1, '.');
    return units_ < 0 ? "-" + digitsText : digitsText;
}

Decimal Decimal::rescaled(int places) const {
    if (!ok() || places == places_) return *this;
    if (places > places_) {
        const auto up = scaleUp(units_, places - places_);
        return up ? fromUnits(*up, places) : failed(State::Overflow);
    }
    return fromUnits(scaleDown(units_, places_ - places, true), places);
}

Decimal Decimal::truncated(int places) const {
    if (!ok() || places >= places_) return *this;
    return fromUnits(scaleDown(units_, places_ - places, false), places);
}

std::int64_t Decimal::toInt64() const {
    const Units whole = scaleDown(units_, places_, false);
    constexpr Units kMax = INT64_MAX;
    return static_cast<std::int64_t>(std::clamp<Units>(whole, -kMax - 1, kMax));
}

Decimal Decimal::abs() const {
    return isNegative() ? -*this : *this;
}

Decimal Decimal::operator-() const {
    Decimal d = *this;
    d.units_ = -units_;
    return d;
}

bool Decimal::fits(int digitCount, int placeCount) const {
    const Decimal r = rescaled(placeCount);
    return r.ok() && unitsFit(r.units(), digitCount);
}

bool Decimal::unitsFit(Units units, int digitCount) {
    if (digitCount >= kMaxDigits) return magnitude(units) < kLimit;
    return magnitude(units) < kPow10[static_cast<std::size_t>(std::max(digitCount, 0))];
}

namespace {

// Brings two values to the same places; false when that would overflow.
bool align(const Decimal& a, const Decimal& b, Units& ua, Units& ub, int& places) {
    places = std::max(a.places(), b.places());
    const auto sa = scaleUp(a.units(), places - a.places());
    const auto sb = scaleUp(b.units(), places - b.places());
    if (!sa || !sb) return false;
    ua = *sa;
    ub = *sb;
    return true;
}

Decimal firstFailure(const Decimal& a, const Decimal& b) {
    return a.ok() ? b : a;
}

}  // namespace

Decimal operator+(const Decimal& a, const Decimal& b) {
    if (!a.ok() || !b.ok()) return firstFailure(a, b);
    Units ua, ub;
    int places;
    Units sum;
    if (!align(a, b, ua, ub, places) || __builtin_add_overflow(ua, ub, &sum)) {
        return Decimal::failed(Decimal::State::Overflow);
    }
    return Decimal::fromUnits(sum, places);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
    return a + (-b);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    if (!a.ok() || !b.ok()) return firstFailure(a, b);
    const Units ma = magnitude(a.units_);
    const Units mb = magnitude(b.units_);
    if (ma != 0 && mb > (kLimit - 1) / ma) return Decimal::failed(Decimal::State::Overflow);
    const int places = a.places_ + b.places_;
    Decimal product =
        Decimal::fromUnits(a.units_ * b.units_, std::min(places, Decimal::kMaxDigits));
    return places > Decimal::kMaxDigits ? Decimal::failed(Decimal::State::Overflow) : product;
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (!a.ok() || !b.ok()) return firstFailure(a, b);
    if (b.isZero()) return Decimal::failed(Decimal::State::DivideByZero);
    // Long division of |a| by |b|, one decimal digit at a time, so that no
    // intermediate needs more than 128 bits: the remainder stays below the
    // divisor, and the divisor is kept below 10^37.
    const int places = std::max<int>(Decimal::kQuotientPlaces, a.places_);
    const Unsigned divisor = static_cast<Unsigned>(magnitude(b.units_));
    if (divisor >= static_cast<Unsigned>(kPow10[37]))
        return Decimal::failed(Decimal::State::Overflow);
    // |a| / |b| = (A / 10^pa) / (B / 10^pb) = A * 10^pb / B / 10^pa; the result
    // has `places` places, so it takes places - pa + pb extra digits.
    const int extra = places - a.places_ + b.places_;
    const Unsigned dividend = static_cast<Unsigned>(magnitude(a.units_));
    Unsigned quotient = dividend / divisor;
    Unsigned remainder = dividend % divisor;
    for (int i = 0; i < extra; ++i) {
        remainder *= 10;
        quotient = quotient * 10 + remainder / divisor;
        remainder %= divisor;
        if (quotient >= static_cast<Unsigned>(kLimit))
            return Decimal::failed(Decimal::State::Overflow);
    }
    if (remainder * 2 >= divisor) ++quotient;
    if (quotient >= static_cast<Unsigned>(kLimit)) return Decimal::failed(Decimal::State::Overflow);
    const Units signedQuotient = static_cast<Units>(quotient);
    return Decimal::fromUnits(a.isNegative() != b.isNegative() ? -signedQuotient : signedQuotient,
                              places);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    Units ua, ub;
    int places;
    if (align(a, b, ua, ub, places)) return ua <=> ub;
    // Only the value with more places can fail to scale up, and only when the
    // other one's magnitude is the larger: the sign of that one decides.
    const Decimal& larger = a.places() < b.places() ? a : b;
    const bool largerIsA = &larger == &a;
    const bool positive = !larger.isNegative();
    return (largerIsA == positive) ? std::strong_ordering::greater : std::strong_ordering::less;
}

}  // namespace bb
