#include "platform/text.h"

#include <QChar>

namespace bb::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Number of continuation bytes that follow a lead byte, or -1 for a byte that
// cannot start a sequence.
int continuationCount(unsigned char lead) {
    if (lead < 0x80) return 0;
    if ((lead & 0xE0) == 0xC0) return 1;
    if ((lead & 0xF0) == 0xE0) return 2;
    if ((lead & 0xF8) == 0xF0) return 3;
    return -1;
}

}  // namespace

char32_t decode(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const int more = continuationCount(lead);
    if (more == 0) {
        ++i;
        return lead;
    }
    if (more < 0 || i + more >= s.size()) {
        ++i;
        return kReplacement;
    }
    char32_t c = lead & (0x3F >> more);
    for (int k = 1; k <= more; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (next & 0x3F);
    }
    i += more + 1;
    return c;
}

void append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::size_t length(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++n) decode(s, i);
    return n;
}

std::string cut(std::string_view s, std::size_t width) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < width && i < s.size(); ++n) decode(s, i);
    return std::string(s.substr(0, i));
}

std::string_view clip(std::string_view s) {
    const auto end = s.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1);
}

std::string_view trim(std::string_view s) {
    const auto begin = s.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    return clip(s.substr(begin));
}

std::string pad(std::string_view s, std::size_t width) {
    std::string out = cut(s, width);
    out.append(width - length(out), ' ');
    return out;
}

std::string fit(std::string_view s, std::size_t width) {
    // No more bytes than the width means no more characters either.
    if (s.size() <= width && (s.empty() || s.back() != ' ')) return std::string(s);
    return std::string(clip(cut(s, width)));
}

char32_t upperOf(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
    return QChar::toUpper(c);
}

namespace {

template <typename Map>
std::string mapEach(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) append(out, map(decode(s, i)));
    return out;
}

}  // namespace

std::string upper(std::string_view s) {
    return mapEach(s, upperOf);
}

std::string lower(std::string_view s) {
    return mapEach(s, [](char32_t c) -> char32_t {
        if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
        return QChar::toLower(c);
    });
}

int compare(std::string_view a, std::string_view b) {
    // UTF-8 byte order is code point order, so a byte comparison will do.
    const int r = clip(a).compare(clip(b));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int compareNoCase(std::string_view a, std::string_view b) {
    a = clip(a);
    b = clip(b);
    std::size_t i = 0;
    std::size_t j = 0;
    // ASCII runs need no decoding; keys compare this way millions of times.
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if ((ca | cb) >= 0x80) break;
        const char32_t ua = upperOf(ca);
        const char32_t ub = upperOf(cb);
        if (ua != ub) return ua < ub ? -1 : 1;
        ++i;
        ++j;
    }
    while (i < a.size() && j < b.size()) {
        const char32_t ca = upperOf(decode(a, i));
        const char32_t cb = upperOf(decode(b, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool isBlank(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace bb::text
