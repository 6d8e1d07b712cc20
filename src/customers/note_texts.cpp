#include "customers/note_texts.h"

#include "dictionary/files.h"
#include "platform/date.h"
#include "platform/text.h"

namespace bb {

namespace {

// The summary shows this many characters of the note, as the list's line
// has room for them.
constexpr std::size_t kSummaryWidth = 50;

bool kindIs(std::string_view kind) {
    return text::equal(LOG::SUSPEND.get(), kind);
}

}  // namespace

std::string noteKindText() {
    if (kindIs(kSuspenseNote)) return "Suspense";
    if (kindIs(kAnnualEvent)) return "Annual";
    if (kindIs(kRoutineNote)) return "Routine";
    return "";
}

std::string annualEventText() {
    const int day = static_cast<int>(LOG::DAYOFMONTH.get().toInt64());
    return std::string(text::clip(LOG::MONTHTEXT.get())) + " " + ordinalDay(day);
}

std::string noteWhenText() {
    if (kindIs(kSuspenseNote)) return longDate(LOG::DATE2.get());
    if (kindIs(kAnnualEvent)) return annualEventText();
    return "";
}

std::string noteKindLine() {
    if (kindIs(kSuspenseNote)) return "Suspense Date - " + longDate(LOG::DATE2.get());
    if (kindIs(kAnnualEvent)) return "Annual Event - " + annualEventText();
    return "Routine Note - " + longDate(LOG::DATE.get());
}

std::string noteSummary(std::string_view notes) {
    if (text::isBlank(notes)) return "";
    std::string oneLine(notes);
    for (char& c : oneLine) {
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    }
    return std::string(text::clip(text::cut(oneLine, kSummaryWidth))) + " ...";
}

}  // namespace bb
