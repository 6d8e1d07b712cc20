#include "reporting/process_manager.h"

#include <algorithm>
#include <limits>

#include "platform/text.h"

namespace bb {

namespace {

// The estimator sees values as texts of at most this many characters.
constexpr std::size_t kBoundWidth = 64;
constexpr int kHundred = 100;

Value boundText(const Value& v) {
    return Value::text(text::cut(v.toText(), kBoundWidth));
}

// The highest character a text can hold, repeated: above every stored value.
Value highestText() {
    std::string s;
    for (std::size_t i = 0; i < kBoundWidth; ++i) text::append(s, U'\U0010FFFF');
    return Value::text(std::move(s));
}

}  // namespace

void ProcessManager::Setup(const ViewSpec& view, RelationManager& primary,
                           ProgressText progressText, FieldRef valueField, StepManager& estimator,
                           std::uint8_t* percentile) {
    ViewManager::Setup(view, primary);
    PTEXT = std::move(progressText);
    VALUEFIELD = valueField;
    STEPMGR = &estimator;
    PERCENTILE = percentile;
}

void ProcessManager::Setup(const ViewSpec& view, RelationManager& primary,
                           ProgressText progressText, std::int32_t expected,
                           std::uint8_t* percentile) {
    ViewManager::Setup(view, primary);
    PTEXT = std::move(progressText);
    RECORDSTOPROCESS = expected;
    PERCENTILE = percentile;
}

void ProcessManager::setBounds() {
    Value first = Value::text("");
    Value last = highestText();
    if (ViewManager::Reset(0) == SeverityNone && ViewManager::Next() == SeverityNone)
        first = boundText(VALUEFIELD->value());
    if (ViewManager::Reset(0) == SeverityNone && ViewManager::Previous() == SeverityNone)
        last = boundText(VALUEFIELD->value());
    STEPMGR->SetBounds(first, last);
}

void ProcessManager::countRecords() {
    FileManager& file = *PRIMARY->Me;
    const bool wasOpen = file.IsOpen();
    if (!wasOpen && file.Open() != SeverityNone) return;
    std::int64_t records = 0;
    if (file.Driver().count(records).ok())
        RECORDSTOPROCESS = static_cast<std::int32_t>(
            std::min<std::int64_t>(records, std::numeric_limits<std::int32_t>::max()));
    if (!wasOpen) file.Close();
}

Severity ProcessManager::Reset(int components) {
    RECORDSPROCESSED = 0;
    if (STEPMGR && VALUEFIELD) {
        setBounds();
    } else if (RECORDSTOPROCESS == 0) {
        countRecords();
    }
    return ViewManager::Reset(components);
}

int ProcessManager::percentDone() {
    int p = 0;
    if (STEPMGR && VALUEFIELD) {
        p = STEPMGR->PercentOf(VALUEFIELD->value());
    } else if (RECORDSTOPROCESS > 0) {
        p = static_cast<int>(std::int64_t{RECORDSPROCESSED} * kHundred / RECORDSTOPROCESS);
    } else {
        p = kHundred;  // more records than the file was said to hold
    }
    // An estimator may answer outside 1 to 100 for a value beyond its bounds
    // (a record added since they were read).
    return std::clamp(p, 0, kHundred);
}

Severity ProcessManager::ApplyFilterText() {
    const Severity s = ViewManager::ApplyFilterText();
    if (s != SeverityNone) FILTERREFUSED = true;
    return s;
}

Severity ProcessManager::Next() {
    if (FILTERREFUSED) return SeverityFatal;
    const Severity s = ViewManager::Next();
    if (s != SeverityNone) return s;
    ++RECORDSPROCESSED;
    if (!PERCENTILE) return s;
    const int p = percentDone();
    if (p != *PERCENTILE) {
        *PERCENTILE = static_cast<std::uint8_t>(p);
        if (PTEXT) PTEXT(std::to_string(p) + "% Complete");
    }
    return s;
}

void ProcessManager::Teardown() {
    if (PRIMARY) PRIMARY->SetReadAhead(false, RelationManager::ThisFileOnly);
    PERCENTILE = nullptr;
    PTEXT = nullptr;
    STEPMGR = nullptr;
    VALUEFIELD.reset();
    ViewManager::Teardown();
}

RecordResult ProcessManager::ProcessOneRecord() {
    return RecordResult::GoOn;
}

}  // namespace bb
