// Lengths on a printed page. Every size and position a report declares is a
// whole number of thousandths of an inch (Mils), measured from the top left
// corner of the paper: fine enough for any printer, exact in integers, and
// the unit in which label stocks are written down. Fonts keep their sizes
// in points.
#pragma once

#include <cstdint>

namespace bb {

using Mils = std::int32_t;

inline constexpr Mils kInch = 1000;
inline constexpr double kPointsPerInch = 72.0;

// The paper of a US letter page, the default of every report.
inline constexpr Mils kLetterWidth = 8500;
inline constexpr Mils kLetterHeight = 11000;

}  // namespace bb
