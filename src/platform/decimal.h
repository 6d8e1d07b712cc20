// Exact decimal numbers for DECIMAL(d,p) fields and the arithmetic on them.
//
// A Decimal is an integer count of units of 10^-places, held in 128 bits and
// kept below 10^38 in magnitude. Addition, subtraction and multiplication are
// exact; division yields `kQuotientPlaces` places (or the dividend's, when it
// has more), rounded half away from zero. Storing a value into a field goes
// through `rescaled(p)`, which rounds the same way, and `fits(d, p)`, which
// tells whether the field can hold it.
//
// An operation that cannot give an exact answer (magnitude past 10^38,
// division by zero) yields a Decimal whose state says so; such a value
// propagates through further arithmetic and is never silently wrapped.
// Values never pass through binary floating point.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bb {

class Decimal {
public:
    using Units = __int128;

    enum class State : std::uint8_t { Ok, Overflow, DivideByZero };

    static constexpr int kMaxDigits = 38;
    static constexpr int kQuotientPlaces = 10;

    Decimal() = default;
    // A whole number.
    explicit Decimal(std::int64_t whole) : units_(whole) {}

    static Decimal fromUnits(Units units, int places);
    // Parses "[+|-]digits[.digits]" (spaces around are ignored); nullopt for
    // anything else or more than 38 digits.
    static std::optional<Decimal> parse(std::string_view text);

    Units units() const { return units_; }
    int places() const { return places_; }
    State state() const { return state_; }
    bool ok() const { return state_ == State::Ok; }
    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }

    // Number of digits of the units (0 has one digit).
    int digits() const;

    // Plain decimal form with exactly places() digits after the point:
    // "-1234.50", "0", "0.0001". A failed value writes as "overflow" or
    // "division by zero".
    std::string toString() const;

    // The value with `places` places, rounded half away from zero.
    Decimal rescaled(int places) const;
    // The value cut (toward zero) to `places` places.
    Decimal truncated(int places) const;
    // The whole part, toward zero.
    Decimal wholePart() const { return truncated(0); }
    std::int64_t toInt64() const;
    Decimal abs() const;
    Decimal operator-() const;

    // Whether a DECIMAL(digits, places) field can hold this value once rounded
    // to its places.
    bool fits(int digitCount, int placeCount) const;
    // Whether `units` has at most `digitCount` digits (zero always has).
    static bool unitsFit(Units units, int digitCount);

    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    friend Decimal operator/(const Decimal& a, const Decimal& b);

    // Numeric comparison regardless of places (1.5 == 1.50).
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) {
        return (a <=> b) == std::strong_ordering::equal;
    }

private:
    static Decimal failed(State state);

    Units units_ = 0;
    std::uint8_t places_ = 0;
    State state_ = State::Ok;
};

}  // namespace bb
