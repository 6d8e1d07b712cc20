#include "filter_fuzz_target.h"

#include "platform/filter.h"

namespace bb::fuzz {

namespace {

const FileDef& fuzzFile() {
    static const FileDef def = [] {
        FileDef d{"Fuzz", "FZ", "FUZZ", {}, {}};
        d.fields = {
            {"CODE", "Code", {FieldType::String, 8}},
            {"AMOUNT", "Amount", {FieldType::Decimal, 19, 10}},
            {"DATE", "Date", {FieldType::Long, 0, 0, FieldRole::Date}},
        };
        return d;
    }();
    return def;
}

}  // namespace

void runFilter(std::string_view text) {
    static Record record(fuzzFile());
    static std::int32_t startDate = 80000;
    static std::string choice = "C";
    static NameBindings names = [] {
        NameBindings n;
        n.bindRecord(record);
        n.bindVariable("StartDate", &startDate);
        n.bindVariable("Choice", &choice);
        return n;
    }();
    record.setText(0, "O'Brien");
    (void)record.setDecimal(1, *Decimal::parse("123456789.0123456789"));
    record.setInteger(2, 80001);
    auto compiled = Filter::compile(text, names);
    if (const auto* filter = std::get_if<Filter>(&compiled)) (void)filter->matches();
}

}  // namespace bb::fuzz
