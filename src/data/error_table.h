// The program's error table as stored: a packed block of static data, an
// entry count (16 bits) and then each entry: its id (16 bits, little-endian),
// its severity (one byte), its title and its message (each a length byte and
// that many characters).
#pragma once

#include <cstdint>
#include <span>

namespace bb {

std::span<const std::uint8_t> programErrorTable();

}  // namespace bb
