// Reading a PDF back with the poppler tools, as a user's PDF reader would:
// its text (pdftotext) and its page count, paper and title (pdfinfo).
#pragma once

#include <string>
#include <vector>

namespace bb::test {

// The text of pages `first` to `last` (0: from the start, to the end),
// laid out as on the page.
std::string pdfText(const std::string& path, int first = 0, int last = 0);

// One entry of pdfinfo's report ("Pages", "Page size", "Title"...).
std::string pdfInfo(const std::string& path, const std::string& entry);

// A word of a PDF where pdftotext -bbox finds it: its page (from 1) and
// its box in points from the page's top left corner.
struct PdfWord {
    int page = 0;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    std::string text;
};

std::vector<PdfWord> pdfWords(const std::string& path);

}  // namespace bb::test
