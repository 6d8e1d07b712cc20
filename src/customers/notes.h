// A customer's notes and the representative's follow-ups: the note form
// (UpdateLOG), the customer's notes (BrowseLOG, called from the customer
// list), the representative's suspense dates and annual events
// (BrowseSuspenseDates, BrowseAnnualEvents, started from the representative
// reports), and the three printouts of notes (PrintLOG, PrintSuspenseDates,
// PrintAnnualEvents), each started from its list for what the list shows.
//
// Each procedure reads its request from PendingRequest and leaves its
// response in LastResponse. Used from the GUI thread only.
#pragma once

#include <string_view>

namespace bb {

void UpdateLOG(std::string_view argument);
void BrowseLOG(std::string_view argument);
void BrowseSuspenseDates(std::string_view argument);
void BrowseAnnualEvents(std::string_view argument);
void PrintLOG(std::string_view argument);
void PrintSuspenseDates(std::string_view argument);
void PrintAnnualEvents(std::string_view argument);

}  // namespace bb
