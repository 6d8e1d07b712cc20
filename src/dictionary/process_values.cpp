#include "dictionary/process_values.h"

#include "dictionary/files.h"
#include "platform/name_bindings.h"

namespace bb {

namespace {

// Dates and the month are whole numbers and the class a text whatever a
// filter compares them with, so the storage can seek on the key that holds
// the field they are compared with, as it would on a constant.
void bindReportParameters() {
    using Kind = BoundName::Kind;
    NameBindings& names = bindings();
    names.bindVariable("StartDate", &processValues().StartDate);
    names.bindVariable("EndDate", &processValues().EndDate);
    names.bindVariable("BirthMonthShort", &processValues().BirthMonthShort);
    names.bindVariable(
        "FeeCommChoice", [] { return Value::text(processValues().FeeCommChoice.get()); },
        Kind::Text);
    names.bindVariable(
        "BirthdateMonth", [] { return Value::text(processValues().BirthdateMonth.get()); },
        Kind::Text);
    names.bindVariable(
        "ReceiptsPrompt", [] { return Value::text(processValues().ReceiptsPrompt.get()); },
        Kind::Text);
}

}  // namespace

ProcessValues& processValues() {
    static ProcessValues values;
    return values;
}

void loadProgram() {
    processValues() = ProcessValues{};
    for (FileId id : dictionaryOrder()) buffer(id).clear();
    static const bool bound = (bindReportParameters(), true);
    (void)bound;
}

}  // namespace bb
