// Lines that reports and windows show of a customer and a representative,
// written once: the customer's name as a letter or a list prints it, the
// address block, and the representative line. Each reads the record
// buffers as they are (the customer's in MBR, the representative's in REP).
// Used from the GUI thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace bb {

// A company's name; a person's first name, middle initial with its full
// stop and last name, each without its trailing blanks and joined by single
// blanks (a missing middle initial leaves no double blank).
std::string customerNameLine();

// The address in up to three lines: the street, the second street line when
// there is one, and the city, state and ZIP code (the country for a foreign
// address); the lines not used are empty.
std::array<std::string, 3> addressBlock();

// The representative's number, two blanks and name ("101  Ann Lee").
std::string representativeLine();

// Reads representative `number` into the REP buffer; false, with the buffer
// cleared, when there is no such representative.
bool fetchRepresentative(std::int32_t number);

}  // namespace bb
