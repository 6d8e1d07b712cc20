#include "dictionary/record_rules.h"

#include <variant>

#include "platform/date.h"

namespace bb {

namespace {

struct Today {};
struct Now {};
using Seed = std::variant<const char*, int, Today, Now>;

struct InitialValue {
    FieldRef field;
    Seed seed;
};

const InitialValue kInitialValues[] = {
    {MBR::FOREIGN, "D"},
    {MBR::DATEJOIN, Today{}},
    {MBR::CONTACTSINCE, Today{}},
    {MBR::ACTIVE, 1},
    {MBR::SALESTAX, "N"},
    {LOG::DATE, Today{}},
    {LOG::DATE2, Today{}},
    {LOG::DATE3, Today{}},
    {MPH::DESCRIPTION, "Office"},
    {LAB::FONTSIZE, 11},
    {CTRL::REPORTKEY, "MBR:NameKey"},
    {CTRL::REPORTFILTER, "MBR:Active=1"},
    {CSR::DATE, Today{}},
    {ACC::ACCOUNTOPENED, Today{}},
    {TRN::DATE, Today{}},
    {TRN::TIME, Now{}},
    {VPH::DESCRIPTION, "Office"},
    {RPH::DESCRIPTION, "Office"},
    {ST::TAXDATE, Today{}},
    {CPH::DESCRIPTION, "Office"},
};

Value seedValue(const Seed& seed) {
    if (const auto* text = std::get_if<const char*>(&seed)) return Value::text(*text);
    if (const auto* number = std::get_if<int>(&seed)) return Value::number(*number);
    if (std::holds_alternative<Today>(seed)) return Value::number(Clock::today());
    return Value::number(Clock::now());
}

// Error 16: "The value of %Field must be between %Message."
constexpr int kBetweenError = 16;

struct RangeRule {
    FieldRef field;
    int low;
    int high;
    const char* fieldText;
    const char* message;
};

const RangeRule kRangeRules[] = {
    {LOG::DAYOFMONTH, 1, 31, "LOG:DayofMonth", "1 and 31"},
    {LAB::FONTSIZE, 5, 240, "Font Size", "5 and 240"},
};

}  // namespace

void seedNewRecord(FileId file) {
    for (const InitialValue& v : kInitialValues) {
        if (v.field.file() == file) (void)buffer(file).set(v.field.index(), seedValue(v.seed));
    }
}

std::optional<RuleBreach> checkField(FileId file, int field) {
    for (const RangeRule& r : kRangeRules) {
        if (r.field.file() != file || r.field.index() != field) continue;
        const Decimal value = r.field.value().toNumber();
        if (value < Decimal(r.low) || value > Decimal(r.high)) {
            return RuleBreach{kBetweenError, r.fieldText, r.message};
        }
    }
    return std::nullopt;
}

}  // namespace bb
