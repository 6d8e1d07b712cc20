// Reading a PDF back with the poppler tools, as a user's PDF reader would:
// its text (pdftotext) and its page count, paper and title (pdfinfo).
#pragma once

#include <string>

namespace bb::test {

// The text of pages `first` to `last` (0: from the start, to the end),
// laid out as on the page.
std::string pdfText(const std::string& path, int first = 0, int last = 0);

// One entry of pdfinfo's report ("Pages", "Page size", "Title"...).
std::string pdfInfo(const std::string& path, const std::string& entry);

}  // namespace bb::test
