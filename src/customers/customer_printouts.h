// What a representative prints and mails to customers: the directory, the
// birthday list and the outdated accounts report; form letters and mailing
// labels with the lists of letters and label stocks they are chosen from.
// Each is a procedure registered under its name. Used from the GUI thread
// only.
#pragma once

#include <string_view>

namespace bb {

void PrintCustomerDirectory(std::string_view argument);
void PrintBirthdays(std::string_view argument);
void PrintOutdatedObjectives(std::string_view argument);

void BrowseLetters(std::string_view argument);
void UpdateLetters(std::string_view argument);
void BrowseLabels(std::string_view argument);
void UpdateLabels(std::string_view argument);
// The letters go to the selected customers; a label run called with an
// empty argument keeps the selection the letters used.
void PrintFormLetters(std::string_view argument);
void PrintMailingLabels(std::string_view argument);

}  // namespace bb
