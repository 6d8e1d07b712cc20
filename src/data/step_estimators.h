// Step estimators: the mapping between a record's free-element value and a
// thumb position from 1 to 100, so that the scroll-bar thumb shows roughly
// where the selected record lies in its whole order and dragging the thumb
// jumps to a roughly matching record, without counting records.
//
// `StepManager` is the family's base and the estimator of an order that needs
// an estimator object but no estimate: 50 for every value, an empty value for
// every percentile. `LongStep` and `RealStep` interpolate linearly between the
// order's first and last values; `StringStep` looks the value up in a table of
// 100 ascending entries, one per percentile.
//
// Values come and go as `Value`s, as the free element of a record buffer
// gives and takes them. `LongStep` computes in exact decimals, `RealStep` in
// binary floating point, `StringStep` on texts.
//
// Characters in `StringStep`. Its character set is drawn from the codes 1 to
// 255 of the Windows Latin-1 code page (cp1252), each taken as the Unicode
// character that code stands for: 163 is the pound sign U+00A3, 138 is Š
// U+0160, and so on; the five codes the code page leaves undefined stand for
// the control characters of the same number. Which of them are letters, and
// which letters are upper case, is decided by Qt's Unicode tables (`QChar`).
// "Upper case only" means the letters that upper-casing leaves unchanged, so
// that every letter an upper-cased value can hold is in the set (ß and ª are,
// é is not). The set is kept in code-point order, which is the order in which
// the storage sorts keys: it is the code page's order except for the code
// page's extra letters at 128 to 159 (Š Œ Ž Ÿ, š œ ž, ƒ and the modifier
// letter ˆ), which come after ÿ. Texts are compared by code point with trailing spaces
// ignored, as keys are. A character outside the set (any other Unicode
// character included) counts as absent.
//
// Not thread-safe; an estimator belongs to the window that set it up.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/value.h"

namespace bb {

class StepManager {
public:
    // CONTROLS bits.
    static constexpr std::uint8_t kLetters = 1;      // upper case only, unless kCaseMatters
    static constexpr std::uint8_t kPunctuation = 2;  // the punctuation set below
    static constexpr std::uint8_t kDigits = 4;       // 0 to 9
    static constexpr std::uint8_t kCaseMatters =
        8;  // lower case in the set; values kept as they are
    // The order descends: the highest value, which the order shows first,
    // takes the thumb's top, and the lowest, shown last, its bottom.
    static constexpr std::uint8_t kDescending = 16;

    virtual ~StepManager() = default;

    void Setup(std::uint8_t controls);

    // The overridable operations, in dispatch order.
    // The thumb position (1 to 100) of a free-element value.
    virtual int PercentOf(const Value& value);
    // A free-element value near the thumb position `percentile`.
    virtual Value ValueAt(int percentile);
    virtual void Teardown();
    // The free-element values of the order's first and last records.
    virtual void SetBounds(const Value& first, const Value& last);
    // Whether the browse must read the order's first and last records and
    // hand their values to SetBounds.
    virtual bool NeedsBounds();

    std::uint8_t CONTROLS = 0;

protected:
    bool descending() const { return (CONTROLS & kDescending) != 0; }
};

// Whole-number keys. The percentile is worked out in exact decimals.
class LongStep : public StepManager {
public:
    int PercentOf(const Value& value) override;
    // LOW + (HIGH - LOW) × p / 100, exactly: it may have places, which a LONG
    // free element drops when it is assigned.
    Value ValueAt(int percentile) override;
    void SetBounds(const Value& first, const Value& last) override;
    bool NeedsBounds() override;

    std::int32_t LOW = 0;
    std::int32_t HIGH = 0;
};

// Real-number keys, worked out in floating point.
class RealStep : public StepManager {
public:
    int PercentOf(const Value& value) override;
    Value ValueAt(int percentile) override;
    void SetBounds(const Value& first, const Value& last) override;
    bool NeedsBounds() override;

    double LOW = 0;
    double HIGH = 0;
};

// Text keys, through a table of 100 ascending entries of TESTLEN characters;
// entry i stands for percentile i.
class StringStep : public StepManager {
public:
    enum class LookupMode : std::uint8_t {
        Surnames = 1,    // the fixed table of common surname starts, 3 characters
        TwoLetters = 2,  // the fixed two-letter table
        Computed = 3,    // computed by SetBounds from the order's first and last values
    };

    static constexpr int kEntries = 100;
    static constexpr std::size_t kRootWidth = 40;

    // The punctuation set of kPunctuation, by code in the code page, in the
    // order it has always been written down (the percent sign twice; 32 is
    // the space). Only membership counts: the set is used in code order.
    static constexpr std::uint8_t kPunctuationCodes[31] = {
        96, 33, 34, 163, 36, 37,  37, 94, 38, 42, 40, 41, 39, 45,  61, 95,
        43, 93, 91, 35,  59, 126, 64, 58, 47, 46, 44, 63, 92, 124, 32};

    // The character set of `controls`: see the header comment.
    static std::u32string SortCharsFor(std::uint8_t controls);

    StringStep() = default;
    // REF may point into the estimator's own table.
    StringStep(const StringStep&) = delete;
    StringStep& operator=(const StringStep&) = delete;

    void Setup(std::uint8_t controls, LookupMode mode);

    // Counts the entries, from the first, that are not above the part of
    // `value` that follows the root.
    int PercentOf(const Value& value) override;
    // ROOT followed by the entry of the percentile, as a text.
    Value ValueAt(int percentile) override;
    void Teardown() override;
    // Computed mode only: the root and the table between the two values.
    void SetBounds(const Value& first, const Value& last) override;
    bool NeedsBounds() override;

    LookupMode LOOKUPMODE = LookupMode::Computed;
    std::span<const std::string> REF;  // the table in use
    std::string ROOT;                  // prefix common to the whole order
    std::u32string SORTCHARS;          // computed mode: the ordered character set
    std::uint8_t TESTLEN = 0;          // characters per entry

private:
    std::vector<std::string> computed_;
};

}  // namespace bb
