// A small book for the tests of the windows that choose customers: three
// representatives, four customer groups (one with a quote in its name, and
// "Golf" inside "Golf Club"), two classifications and eight customers, some
// inactive, some in no group, some in two. The clock stands at Friday,
// March 5, 1999.
//
//   customer  active  rep  class   groups
//   Adams     yes     101  Gold    Golf
//   Brown     yes     205  Silver  Golf Club
//   Clark     no      101  Gold    Golf, Chess
//   Davis     yes     309  Silver  O'Brien Club
//   Evans     yes     205  Gold    Golf, O'Brien Club
//   Foster    no      309  -       -
//   Green     yes     101  Silver  Chess
//   Hill      yes     205  -       -
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/relation_manager.h"
#include "platform/date.h"
#include "window_test.h"

namespace bb {
class MarkedList;
}

namespace bb::test {

class SelectionBookTest : public WindowTest {
protected:
    SelectionBookTest();
    ~SelectionBookTest() override;

    // The last names of the customers that `filter` selects from the
    // customers joined to their group memberships, each once, in name
    // order. A filter that does not compile fails the test.
    std::vector<std::string> selected(const std::string& filter);
    // Every customer, as selected("") gives them.
    static const std::vector<std::string>& everyone();

    // The records of the Defaults file as stored, read on a handle of
    // their own (the buffer is left alone).
    static std::vector<Record> storedPreferences();
    // Makes `fill` the stored preferences record (the file's only one).
    static void storePreferences(const std::function<void(Record&)>& fill);

    // Fails the test when a column of the marked list is narrower than its
    // header, or than a row's value (with the row's check, in the first).
    static void expectNothingCut(const MarkedList& list);

    static DayNumber today() { return *dayNumber(1999, 3, 5); }

private:
    std::vector<std::unique_ptr<RelatedFilesOpen>> open_;
};

}  // namespace bb::test
