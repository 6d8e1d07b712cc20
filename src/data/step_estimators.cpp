#include "data/step_estimators.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/decimal.h"
#include "platform/text.h"

namespace bb {

namespace {

constexpr int kHundred = 100;
// Longest value SetBounds and PercentOf look at.
constexpr std::size_t kValueWidth = 80;
constexpr std::size_t kComputedWidth = 4;

// Results far outside 1 to 100 come from values outside the limits; they are
// kept, only brought into an int.
int toPercent(std::int64_t p) {
    return static_cast<int>(std::clamp<std::int64_t>(p, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

int finishPercent(std::int64_t p, bool descending) {
    if (descending) p = kHundred - p;
    return p == 0 ? 1 : toPercent(p);
}

// --- whole and real numbers ---

std::int32_t toLong(const Value& v) {
    const std::int64_t whole = v.toNumber().toInt64();
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        whole, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

double toReal(const Value& v) {
    const std::string s = v.toNumber().toString();
    double d = 0;
    std::from_chars(s.data(), s.data() + s.size(), d);
    return d;
}

std::optional<Value> decimalValue(const char* begin, const char* end) {
    if (auto d = Decimal::parse(std::string_view(begin, static_cast<std::size_t>(end - begin)))) {
        return Value::number(*d);
    }
    return std::nullopt;
}

// The shortest decimal that reads back as x; failing that (more digits than a
// decimal holds), x to ten places; failing that too, x as a text, which no
// number field takes.
Value realValue(double x) {
    std::array<char, 512> buffer{};
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    auto r = std::to_chars(first, last, x, std::chars_format::fixed);
    if (r.ec == std::errc()) {
        if (auto v = decimalValue(first, r.ptr)) return *v;
    }
    r = std::to_chars(first, last, x, std::chars_format::fixed, Decimal::kQuotientPlaces);
    if (r.ec == std::errc()) {
        if (auto v = decimalValue(first, r.ptr)) return *v;
    }
    r = std::to_chars(first, last, x);
    return Value::text(std::string(first, r.ec == std::errc() ? r.ptr : first));
}

// --- characters ---

// Codes 128 to 159 of the Windows Latin-1 code page; the undefined codes
// stand for the control characters of the same number.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t fromCodePage(int code) {
    return code >= 0x80 && code < 0xA0 ? kCp1252High[code - 0x80] : static_cast<char32_t>(code);
}

bool isPunctuationCode(int code) {
    return std::find(std::begin(StringStep::kPunctuationCodes),
                     std::end(StringStep::kPunctuationCodes),
                     code) != std::end(StringStep::kPunctuationCodes);
}

std::u32string toChars(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) out.push_back(text::decode(s, i));
    return out;
}

std::string toText(std::u32string_view chars) {
    std::string out;
    for (char32_t c : chars) text::append(out, c);
    return out;
}

// --- the fixed tables ---

// Mode 1: 100 entries of three characters, the first three spaces.
constexpr std::string_view kSurnames =
    "   "
    "ALBAMEARNBAKBATBENBIABOBBRABROBUACACCARCENCHRCOECONCORCRUDASDELDIADONDURELDEVEFELFISFLOFREFUTG"
    "ARGIB"
    "GOLGOSGREGUTHAMHEMHOBHOTINGJASJONKAGKEAKIRKORKYOLATLEOLIGLOUMACMAQMARMAUMCKMERMILMONMORNATNOLO"
    "KEPAG"
    "PAUPETPINPORPULRAUREYROBROSRUBSALSCASCHSCRSHASIGSKISNASOUSTESTISUNTAYTIRTUCVANWACWASWEIWIEWIMW"
    "OLYOR";
static_assert(kSurnames.size() == 300);

const std::vector<std::string>& surnameTable() {
    static const std::vector<std::string> table = [] {
        std::vector<std::string> t;
        for (std::size_t i = 0; i < kSurnames.size(); i += 3)
            t.emplace_back(kSurnames.substr(i, 3));
        return t;
    }();
    return table;
}

// Mode 2: two spaces, AF, AN, AT; then letter-space, letter-F, letter-N and
// letter-T for B to Y, except that Q has only Q-space and QN; Z-space and ZN.
const std::vector<std::string>& twoLetterTable() {
    static const std::vector<std::string> table = [] {
        std::vector<std::string> t = {"  ", "AF", "AN", "AT"};
        for (char letter = 'B'; letter <= 'Z'; ++letter) {
            const bool onlyTwo = letter == 'Q' || letter == 'Z';
            for (char second : std::string_view(onlyTwo ? " N" : " FNT"))
                t.push_back({letter, second});
        }
        return t;
    }();
    return table;
}

}  // namespace

// ---------------------------------------------------------------- StepManager

void StepManager::Setup(std::uint8_t controls) {
    CONTROLS = controls;
}

int StepManager::PercentOf(const Value&) {
    return 50;
}

Value StepManager::ValueAt(int) {
    return Value::text("");
}

void StepManager::Teardown() {}

void StepManager::SetBounds(const Value&, const Value&) {}

bool StepManager::NeedsBounds() {
    return true;
}

// ------------------------------------------------------------------- LongStep

void LongStep::SetBounds(const Value& first, const Value& last) {
    LOW = toLong(first);
    HIGH = toLong(last);
    if (descending()) std::swap(LOW, HIGH);
}

int LongStep::PercentOf(const Value& value) {
    if (HIGH == LOW) return 50;
    // The factor is a ten-place decimal before it multiplies, so that 300 in
    // 0..300 reads 99 (300 × 0.3333333333), not 100.
    const Decimal factor = Decimal(kHundred) / Decimal(std::int64_t{HIGH} - LOW);
    const Decimal p = (value.toNumber() - Decimal(LOW)) * factor;
    return finishPercent(p.toInt64(), descending());
}

Value LongStep::ValueAt(int percentile) {
    const std::int64_t p = descending() ? kHundred - percentile : percentile;
    return Value::number(Decimal(LOW) +
                         Decimal(std::int64_t{HIGH} - LOW) * Decimal(p) / Decimal(kHundred));
}

bool LongStep::NeedsBounds() {
    return true;
}

// ------------------------------------------------------------------- RealStep

void RealStep::SetBounds(const Value& first, const Value& last) {
    LOW = toReal(first);
    HIGH = toReal(last);
    if (descending()) std::swap(LOW, HIGH);
}

int RealStep::PercentOf(const Value& value) {
    if (HIGH == LOW) return 50;
    const double p = std::trunc((toReal(value) - LOW) * kHundred / (HIGH - LOW));
    // Only values far outside the limits reach past a 64-bit whole number.
    constexpr double kBound = 1e18;
    return finishPercent(static_cast<std::int64_t>(std::clamp(p, -kBound, kBound)), descending());
}

Value RealStep::ValueAt(int percentile) {
    const double p = descending() ? kHundred - percentile : percentile;
    return realValue(LOW + (HIGH - LOW) * p / kHundred);
}

bool RealStep::NeedsBounds() {
    return true;
}

// ----------------------------------------------------------------- StringStep

std::u32string StringStep::SortCharsFor(std::uint8_t controls) {
    const bool caseMatters = (controls & kCaseMatters) != 0;
    std::u32string chars;
    for (int code = 1; code <= 255; ++code) {
        const char32_t c = fromCodePage(code);
        const bool wanted =
            ((controls & kPunctuation) && isPunctuationCode(code)) ||
            ((controls & kDigits) && c >= U'0' && c <= U'9') ||
            ((controls & kLetters) && QChar::isLetter(c) && (caseMatters || text::upperOf(c) == c));
        if (wanted) chars.push_back(c);
    }
    // The code page's extra letters sit at 128 to 159 but after ÿ in Unicode;
    // the table must ascend in the order keys are compared.
    std::sort(chars.begin(), chars.end());
    return chars;
}

void StringStep::Setup(std::uint8_t controls, LookupMode mode) {
    StepManager::Setup(controls);
    LOOKUPMODE = mode;
    ROOT.clear();
    SORTCHARS.clear();
    computed_.clear();
    switch (mode) {
        case LookupMode::Surnames:
            TESTLEN = 3;
            REF = surnameTable();
            break;
        case LookupMode::TwoLetters:
            TESTLEN = 2;
            REF = twoLetterTable();
            break;
        case LookupMode::Computed:
            TESTLEN = static_cast<std::uint8_t>(kComputedWidth);
            SORTCHARS = SortCharsFor(controls);
            // Blank until the limits are set.
            computed_.assign(kEntries, std::string(kComputedWidth, ' '));
            REF = computed_;
            break;
    }
}

bool StringStep::NeedsBounds() {
    return LOOKUPMODE == LookupMode::Computed;
}

void StringStep::SetBounds(const Value& firstValue, const Value& lastValue) {
    if (LOOKUPMODE != LookupMode::Computed) return;
    const std::u32string first = toChars(text::clip(text::cut(firstValue.toText(), kValueWidth)));
    const std::u32string last = toChars(text::clip(text::cut(lastValue.toText(), kValueWidth)));

    std::size_t common = 0;
    const std::size_t shorter = std::min(first.size(), last.size());
    while (common < shorter && first[common] == last[common]) ++common;
    // The tails follow the root as it is kept, so that PercentOf, which cuts
    // values after the root, reads the same characters.
    common = std::min(common, kRootWidth);
    ROOT = toText(std::u32string_view(first).substr(0, common));

    const std::int64_t n = static_cast<std::int64_t>(SORTCHARS.size());
    if (n == 0) {
        // No character to build entries from: every entry stays blank.
        computed_.assign(kEntries, std::string(kComputedWidth, ' '));
        REF = computed_;
        return;
    }
    const auto tail = [&](const std::u32string& v, char32_t fill) {
        std::u32string t = v.substr(std::min(common, v.size()), kComputedWidth);
        t.resize(kComputedWidth, fill);
        if (!(CONTROLS & kCaseMatters)) {
            for (char32_t& c : t) c = text::upperOf(c);
        }
        return t;
    };
    // Reading a tail counts positions from 1 (0 for a character not in the
    // set); writing an entry indexes the set from 0.
    const auto number = [&](const std::u32string& t) {
        std::int64_t value = 0;
        for (char32_t c : t) {
            const auto at = SORTCHARS.find(c);
            value =
                value * n + (at == std::u32string::npos ? 0 : static_cast<std::int64_t>(at) + 1);
        }
        return value;
    };
    // Four characters hold numbers below n^4; a tail read from positions can
    // exceed that (the set's last character in front), and its entry would
    // wrap round to the start. Such numbers take the highest entry instead.
    const std::int64_t highest = n * n * n * n - 1;
    const auto encode = [&](std::int64_t value) {
        value = std::min(value, highest);
        std::u32string entry(kComputedWidth, U' ');
        for (std::size_t k = kComputedWidth; k-- > 0;) {
            entry[k] = SORTCHARS[static_cast<std::size_t>(value % n)];
            value /= n;
        }
        return toText(entry);
    };

    const std::int64_t low = number(tail(first, SORTCHARS.front()));
    const std::int64_t high = number(tail(last, SORTCHARS.back()));
    const std::int64_t step = (high - low) / kEntries;
    computed_.assign(kEntries, std::string());
    for (int k = 1; k <= kEntries; ++k) {
        const int entry = descending() ? kEntries - k + 1 : k;
        computed_[static_cast<std::size_t>(entry - 1)] = encode(low + (k - 1) * step);
    }
    REF = computed_;
}

int StringStep::PercentOf(const Value& value) {
    const std::string v = value.toText();
    std::string test;
    if (!ROOT.empty()) {
        const std::u32string chars = toChars(v);
        const std::size_t from = std::min(text::length(ROOT), chars.size());
        test = toText(std::u32string_view(chars).substr(from, std::size_t{TESTLEN} + 1));
    } else {
        test = text::cut(v, kValueWidth);
    }
    if (!(CONTROLS & kCaseMatters)) test = text::upper(test);

    std::int64_t p = 0;
    for (const std::string& entry : REF) {
        if (text::compare(entry, test) > 0) break;
        ++p;
    }
    return finishPercent(p, descending());
}

Value StringStep::ValueAt(int percentile) {
    if (REF.empty()) return Value::text(ROOT);
    int p = descending() ? kHundred - percentile : percentile;
    // 0 is the first entry; the browse passes nothing outside 0 to 100.
    p = std::clamp(p, 1, static_cast<int>(REF.size()));
    return Value::text(ROOT + REF[static_cast<std::size_t>(p - 1)]);
}

void StringStep::Teardown() {
    computed_.clear();
    computed_.shrink_to_fit();
    SORTCHARS.clear();
    SORTCHARS.shrink_to_fit();
    if (LOOKUPMODE == LookupMode::Computed) REF = {};
}

}  // namespace bb
