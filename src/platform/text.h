// Fixed-length text values.
//
// A STRING(n) field holds at most n characters and behaves as if padded with
// spaces to n: comparisons ignore trailing spaces. Values are kept in UTF-8
// without their trailing spaces (the padding is implied, and `pad` produces it
// where a fixed-width form is wanted); widths count characters (code points),
// not bytes. Upper-casing and case-insensitive comparison fold each code point
// on its own, so folding never changes a text's length.
//
// All functions are pure and thread-safe.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bb::text {

// Number of characters in a UTF-8 text (invalid bytes count one each).
std::size_t length(std::string_view s);

// The first `width` characters of s.
std::string cut(std::string_view s, std::size_t width);

// s without trailing spaces.
std::string_view clip(std::string_view s);

// s cut to `width` characters and padded with spaces to exactly `width`.
std::string pad(std::string_view s, std::size_t width);

// The stored form of s in a field of `width` characters: cut, then clipped.
std::string fit(std::string_view s, std::size_t width);

// s with leading and trailing spaces removed.
std::string_view trim(std::string_view s);

// Upper case of a single code point (simple mapping, one code point to one).
char32_t upperOf(char32_t c);

std::string upper(std::string_view s);
std::string lower(std::string_view s);

// Three-way comparisons that ignore trailing spaces; the plain one orders by
// code point, the no-case one by the upper-cased code points.
int compare(std::string_view a, std::string_view b);
int compareNoCase(std::string_view a, std::string_view b);

inline bool equal(std::string_view a, std::string_view b) {
    return compare(a, b) == 0;
}
inline bool equalNoCase(std::string_view a, std::string_view b) {
    return compareNoCase(a, b) == 0;
}

// True when s holds nothing but spaces.
bool isBlank(std::string_view s);

// Decodes the code point at s[i] and advances i past it; an invalid byte
// decodes as U+FFFD and advances by one.
char32_t decode(std::string_view s, std::size_t& i);

// Appends the UTF-8 form of c to out.
void append(std::string& out, char32_t c);

}  // namespace bb::text
