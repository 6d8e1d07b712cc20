// The texts of a customer's note that the notes lists and printouts show,
// from the note in the Log buffer: its kind, the date or event that goes
// with it, the kind line of a printout, and the one-line summary of its
// text. Used from the GUI thread only.
#pragma once

#include <string>
#include <string_view>

namespace bb {

// The kinds of note, as LOG:SUSPEND holds them.
inline constexpr std::string_view kRoutineNote = "R";
inline constexpr std::string_view kSuspenseNote = "S";
inline constexpr std::string_view kAnnualEvent = "A";

// "Routine", "Suspense" or "Annual".
std::string noteKindText();
// Nothing for a routine note; the suspense date in the long form
// ("March 5, 2026"); the event's month and day ("March 5th").
std::string noteWhenText();
// "March 5th": the annual event's month name and day with its suffix.
std::string annualEventText();
// "Routine Note - March 5, 2026", "Suspense Date - ...", "Annual Event - March 5th".
std::string noteKindLine();
// What the note's one-line summary holds for `notes`: its first 50
// characters, line breaks as blanks and trailing blanks removed, followed
// by " ..."; empty for a blank note.
std::string noteSummary(std::string_view notes);

}  // namespace bb
