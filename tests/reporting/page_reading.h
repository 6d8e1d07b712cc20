// Reading a report's pages back in tests: the texts of a page in reading
// order (top to bottom, then left to right) with where they lie.
#pragma once

#include <string>
#include <vector>

#include "reporting/page_store.h"

namespace bb::test {

// The page, failing the test when it cannot be read.
Page loadPage(const PageStore& pages, int number);

// The page's texts in reading order.
std::vector<PageText> textsOf(const Page& page);
std::vector<std::string> wordsOf(const Page& page);

// Every text of every page, in order.
std::vector<std::string> allTexts(const PageStore& pages);

// Whether the page holds exactly this text.
bool pageShows(const Page& page, const std::string& text);

}  // namespace bb::test
