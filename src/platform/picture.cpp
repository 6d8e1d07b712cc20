#include "platform/picture.h"

#include <cctype>
#include <cstdio>

#include "platform/date.h"
#include "platform/text.h"

namespace bb {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of digits at s[i] into n; false when there is none.
bool readNumber(std::string_view s, std::size_t& i, int& n) {
    const std::size_t start = i;
    n = 0;
    while (i < s.size() && isDigit(s[i]) && i - start < 4) n = n * 10 + (s[i++] - '0');
    return i > start;
}

std::string groupThousands(const std::string& digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

std::string quoted(std::string_view s) {
    return "'" + std::string(s) + "'";
}

Picture::Result failure(std::string message) {
    return {std::nullopt, std::move(message)};
}

}  // namespace

std::optional<Picture> Picture::compile(std::string_view spec, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<Picture> {
        if (error) *error = "picture " + quoted(spec) + ": " + why;
        return std::nullopt;
    };
    Picture p;
    p.spec_ = std::string(spec);
    std::string_view s = spec;
    if (!s.empty() && s.front() == '@') s.remove_prefix(1);
    if (s.empty()) return fail("empty");
    const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(s.front())));
    std::size_t i = 1;
    switch (kind) {
        case 's':
            p.kind_ = Kind::String;
            if (!readNumber(s, i, p.width_) || p.width_ == 0) return fail("no width");
            break;
        case 'n': {
            p.kind_ = Kind::Numeric;
            if (i < s.size() && s[i] == '$') p.currency_ = true, ++i;
            if (i < s.size() && s[i] == '-') p.sign_ = true, ++i;
            if (!readNumber(s, i, p.width_) || p.width_ == 0) return fail("no width");
            if (i < s.size() && s[i] == '.') {
                ++i;
                if (!readNumber(s, i, p.places_)) return fail("no places after '.'");
            }
            if (i < s.size() && (s[i] == 'b' || s[i] == 'B')) p.blankWhenZero_ = true, ++i;
            if (p.places_ > 10 || p.places_ + (p.places_ ? 1 : 0) >= p.width_) {
                return fail("places do not fit the width");
            }
            break;
        }
        case 'd':
            p.kind_ = Kind::Date;
            if (!readNumber(s, i, p.dateStyle_) || p.dateStyle_ < 1 || p.dateStyle_ > 3) {
                return fail("unknown date style");
            }
            p.width_ = p.dateStyle_ == 1 ? 8 : (p.dateStyle_ == 2 ? 10 : 12);
            break;
        case 'p': {
            p.kind_ = Kind::Pattern;
            if (s.size() < 2 || (s.back() != 'p' && s.back() != 'P')) return fail("no closing 'p'");
            p.pattern_ = std::string(s.substr(1, s.size() - 2));
            for (char c : p.pattern_) p.slots_ += c == '#';
            if (p.slots_ == 0) return fail("no '#' in the pattern");
            p.width_ = static_cast<int>(text::length(p.pattern_));
            i = s.size();
            break;
        }
        default:
            return fail("unknown kind");
    }
    if (i != s.size()) return fail("unexpected " + quoted(s.substr(i)));
    return p;
}

std::string Picture::format(const Value& value) const {
    switch (kind_) {
        case Kind::String:
            return text::cut(value.toText(), static_cast<std::size_t>(width_));
        case Kind::Numeric:
            return formatNumber(value.toNumber());
        case Kind::Date:
            return formatDate(value.toNumber().toInt64());
        case Kind::Pattern:
            return formatPattern(value);
    }
    return {};
}

std::string Picture::formatNumber(const Decimal& value) const {
    const Decimal r = value.rescaled(places_);
    const std::string overflow(static_cast<std::size_t>(width_), '#');
    if (!r.ok()) return overflow;
    if (blankWhenZero_ && r.isZero()) return std::string(static_cast<std::size_t>(width_), ' ');
    const std::string plain = r.abs().toString();
    const std::size_t point = plain.find('.');
    const std::string whole = plain.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : plain.substr(point);
    const std::string lead = std::string(r.isNegative() ? "-" : "") + (currency_ ? "$" : "");
    std::string shown = lead + groupThousands(whole) + fraction;
    if (static_cast<int>(shown.size()) > width_) shown = lead + whole + fraction;
    if (static_cast<int>(shown.size()) > width_) return overflow;
    return std::string(static_cast<std::size_t>(width_) - shown.size(), ' ') + shown;
}

std::string Picture::formatDate(std::int64_t day) const {
    if (day == 0) return "";
    const CalendarDate c = calendarDate(static_cast<DayNumber>(day));
    if (c.year == 0 || day != static_cast<DayNumber>(day)) {
        return std::string(static_cast<std::size_t>(width_), '#');
    }
    char buffer[32];
    switch (dateStyle_) {
        case 1:
            std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", c.month, c.day, c.year % 100);
            break;
        case 2:
            std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", c.month, c.day, c.year);
            break;
        default:
            std::snprintf(buffer, sizeof buffer, "%s %d, %04d", shortMonthName(c.month).c_str(),
                          c.day, c.year);
    }
    return buffer;
}

std::string Picture::formatPattern(const Value& value) const {
    std::string digits;
    if (value.isNumber()) {
        const Decimal whole = value.asNumber().wholePart().abs();
        if (!whole.isZero()) digits = whole.toString();
    } else {
        for (char c : value.asText()) {
            if (isDigit(c)) digits.push_back(c);
        }
    }
    if (static_cast<int>(digits.size()) > slots_)
        return std::string(static_cast<std::size_t>(width_), '#');
    // Right-align: the unfilled leading places show as blanks.
    std::string fill(static_cast<std::size_t>(slots_) - digits.size(), ' ');
    fill += digits;
    std::string out;
    std::size_t next = 0;
    for (char c : pattern_) out.push_back(c == '#' ? fill[next++] : c);
    return out;
}

Picture::Result Picture::deformat(std::string_view input) const {
    switch (kind_) {
        case Kind::String:
            return {Value::text(text::fit(input, static_cast<std::size_t>(width_))), {}};
        case Kind::Numeric:
            return deformatNumber(input);
        case Kind::Date:
            return deformatDate(input);
        case Kind::Pattern:
            return deformatPattern(input);
    }
    return failure("unknown picture");
}

Picture::Result Picture::deformatNumber(std::string_view input) const {
    const std::string_view s = text::trim(input);
    if (s.empty()) return {Value::number(Decimal()), {}};
    const std::string notNumber = quoted(s) + " is not a number.";
    bool negative = false;
    std::string plain;
    std::size_t groupDigits = 0;  // digits since the last comma
    bool sawComma = false;
    bool sawPoint = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool atEnd = i + 1 == s.size();
        if ((c == '-' || c == '+') && (plain.empty() || atEnd) && !negative) {
            negative = c == '-';
        } else if (c == '$' && plain.empty()) {
            continue;
        } else if (c == ',' && !sawPoint && !plain.empty() && (!sawComma || groupDigits == 3)) {
            sawComma = true;
            groupDigits = 0;
        } else if (c == '.' && !sawPoint) {
            if (sawComma && groupDigits != 3) return failure(notNumber);
            sawPoint = true;
            plain.push_back(c);
        } else if (isDigit(c)) {
            plain.push_back(c);
            if (!sawPoint) ++groupDigits;
        } else {
            return failure(notNumber);
        }
    }
    if (sawComma && !sawPoint && groupDigits != 3) return failure(notNumber);
    const auto parsed = Decimal::parse(plain);
    if (!parsed) return failure(notNumber);
    if (negative && !sign_ && !parsed->isZero())
        return failure("Enter a number that is not negative.");
    const Decimal value = (negative ? -*parsed : *parsed).rescaled(places_);
    const int room = width_ - (places_ ? places_ + 1 : 0) - (sign_ ? 1 : 0) - (currency_ ? 1 : 0);
    const int wholeDigits = value.wholePart().isZero() ? 1 : value.wholePart().digits();
    if (!value.ok() || wholeDigits > room) {
        return failure(quoted(s) + " is too large: at most " + std::to_string(room) +
                       " digits before the decimal point.");
    }
    return {Value::number(value), {}};
}

namespace {

// Year of a two-digit year: the century that puts it no more than twenty
// years after today.
int expandYear(int year, std::size_t digitCount) {
    if (digitCount > 2) return year;
    const int thisYear = yearOf(Clock::today());
    int full = thisYear - thisYear % 100 + year;
    if (full > thisYear + 20) full -= 100;
    return full;
}

// Splits "3/5/1999", "3-5-99", "03051999" into month, day and year.
bool numericDate(std::string_view s, int& month, int& day, int& year) {
    int parts[3] = {0, 0, 0};
    std::size_t lengths[3] = {0, 0, 0};
    const bool allDigits = s.find_first_not_of("0123456789") == std::string_view::npos;
    if (allDigits && (s.size() == 6 || s.size() == 8)) {
        month = std::stoi(std::string(s.substr(0, 2)));
        day = std::stoi(std::string(s.substr(2, 2)));
        year = expandYear(std::stoi(std::string(s.substr(4))), s.size() - 4);
        return true;
    }
    int part = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            if (lengths[part] == 4) return false;
            parts[part] = parts[part] * 10 + (c - '0');
            ++lengths[part];
        } else if ((c == '/' || c == '-' || c == '.') && part < 2 && lengths[part] > 0) {
            ++part;
        } else {
            return false;
        }
    }
    if (part != 2 || lengths[2] == 0 || lengths[0] > 2 || lengths[1] > 2) return false;
    month = parts[0];
    day = parts[1];
    year = expandYear(parts[2], lengths[2]);
    return true;
}

// Reads "Mar 5, 1999" or "March 5 1999".
bool namedDate(std::string_view s, int& month, int& day, int& year) {
    std::string words[3];
    int count = 0;
    for (char c : s) {
        if (c == ' ' || c == ',') {
            if (count < 3 && !words[count].empty()) ++count;
            continue;
        }
        if (count == 3) return false;
        words[count].push_back(c);
    }
    if (count < 3 && !words[count].empty()) ++count;
    if (count != 3) return false;
    month = monthFromName(words[0]);
    for (int k = 1; k < 3; ++k) {
        if (words[k].empty() || words[k].size() > 4 ||
            words[k].find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
    }
    day = std::stoi(words[1]);
    year = expandYear(std::stoi(words[2]), words[2].size());
    return month != 0;
}

}  // namespace

Picture::Result Picture::deformatDate(std::string_view input) const {
    const std::string_view s = text::trim(input);
    if (s.empty()) return {Value::number(kNoDate), {}};
    int month = 0, day = 0, year = 0;
    if (numericDate(s, month, day, year) || namedDate(s, month, day, year)) {
        if (const auto n = dayNumber(year, month, day)) return {Value::number(*n), {}};
    }
    return failure(quoted(s) + " is not a valid date; enter it as mm/dd/yyyy.");
}

Picture::Result Picture::deformatPattern(std::string_view input) const {
    std::string digits;
    for (char c : input) {
        if (isDigit(c)) {
            digits.push_back(c);
        } else if (std::string_view(" ()-./+").find(c) == std::string_view::npos) {
            return failure(quoted(text::trim(input)) + " is not a number of the form " + pattern_ +
                           ".");
        }
    }
    if (static_cast<int>(digits.size()) > slots_) {
        return failure("Enter at most " + std::to_string(slots_) + " digits (" + pattern_ + ").");
    }
    return {Value::text(digits), {}};
}

}  // namespace bb
