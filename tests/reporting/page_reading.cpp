#include "page_reading.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace bb::test {

Page loadPage(const PageStore& pages, int number) {
    std::optional<Page> page = pages.Load(number);
    EXPECT_TRUE(page) << pages.LastError();
    return page.value_or(Page{});
}

std::vector<PageText> textsOf(const Page& page) {
    std::vector<PageText> texts;
    for (const PageOp& op : page.ops) {
        if (const auto* t = std::get_if<PageText>(&op)) texts.push_back(*t);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const PageText& a, const PageText& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    return texts;
}

std::vector<std::string> wordsOf(const Page& page) {
    std::vector<std::string> words;
    for (const PageText& t : textsOf(page)) words.push_back(t.text);
    return words;
}

std::vector<std::string> allTexts(const PageStore& pages) {
    std::vector<std::string> all;
    for (int n = 1; n <= pages.Count(); ++n) {
        for (std::string& w : wordsOf(loadPage(pages, n))) all.push_back(std::move(w));
    }
    return all;
}

bool pageShows(const Page& page, const std::string& text) {
    const std::vector<std::string> words = wordsOf(page);
    return std::find(words.begin(), words.end(), text) != words.end();
}

}  // namespace bb::test
