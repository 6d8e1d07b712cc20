// Display pictures: how a value is shown in a control or a report column and
// how what the user typed is read back.
//
//   @s<n>            text of n characters
//   @n[$][-]<w>[.<p>][b]
//                    number in w characters with p places, right-justified,
//                    grouped by commas when they fit; "$" puts a dollar sign
//                    before the digits, "-" reserves a place for the sign, and
//                    "b" shows zero as blanks. A negative value always shows
//                    its minus sign; a value too wide for w shows as "#"s.
//                    The leading "@" may be left out ("n4b").
//   @d1 / @d2 / @d3  date as mm/dd/yy, mm/dd/yyyy or "Mar 5, 1999";
//                    no date (0) shows as blanks.
//   @p<pattern>p     digits laid into the pattern's "#" places, right-aligned
//                    ("@p(###) ###-####p"); other characters are shown as they
//                    stand.
//
// Reading back (`deformat`) never guesses: input that is not a number, a
// date, or digits that fit the picture gives an error text for the user.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/value.h"

namespace bb {

class Picture {
public:
    enum class Kind { String, Numeric, Date, Pattern };

    // nullopt, with a reason in *error, for a picture this program cannot use.
    static std::optional<Picture> compile(std::string_view spec, std::string* error = nullptr);

    Kind kind() const { return kind_; }
    const std::string& spec() const { return spec_; }
    // Number of characters that format() produces (at most, for @d3).
    int width() const { return width_; }
    int places() const { return places_; }
    // A pattern picture's pattern ("(###) ###-####"), "#" for each digit.
    const std::string& pattern() const { return pattern_; }

    std::string format(const Value& value) const;

    struct Result {
        std::optional<Value> value;  // set on success
        std::string error;           // a sentence for the user otherwise
        bool ok() const { return value.has_value(); }
    };
    // Reads typed text back: a text for @s and @p (the digits), a number for
    // @n and @d (a day number, 0 for blank input).
    Result deformat(std::string_view input) const;

private:
    Picture() = default;

    std::string formatNumber(const Decimal& value) const;
    std::string formatDate(std::int64_t day) const;
    std::string formatPattern(const Value& value) const;
    Result deformatNumber(std::string_view input) const;
    Result deformatDate(std::string_view input) const;
    Result deformatPattern(std::string_view input) const;

    Kind kind_ = Kind::String;
    std::string spec_;
    int width_ = 0;
    int places_ = 0;
    bool currency_ = false;
    bool sign_ = false;
    bool blankWhenZero_ = false;
    int dateStyle_ = 0;
    std::string pattern_;
    int slots_ = 0;
};

}  // namespace bb
