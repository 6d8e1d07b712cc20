// A list of customers for the browse manager's tests: a started window
// "Test Customers" whose declared list shows the Members file by company
// name, ten rows high, with a step locator, a string thumb, row colours and
// a small customer form as its update procedure; the same window called to
// select a customer; and customers put on file in one transaction.
#pragma once

#include <string>
#include <vector>

#include "faulty_storage.h"
#include "ui/browse_manager.h"
#include "ui/window_decl.h"
#include "window_test.h"

namespace bb::test {

inline constexpr char kListCaption[] = "Test Customers";
inline constexpr char kFormCaption[] = "Update Test Customers";
inline constexpr char kList[] = "Customers";

// Inactive customers are silver, white on silver when highlighted.
RowColours customerColours(int column);

// "Company 007": the names addNumbered gives, in key order by number.
std::string numbered(int n);
std::vector<std::string> numberedRange(int from, int to);

WindowDecl customerListDecl();
WindowDecl customerFormDecl();

class BrowseTest : public WindowTest {
protected:
    BrowseTest();
    ~BrowseTest() override;

    // Customers with these company names (cities "City <n>"), numbered
    // from `first`, added in one transaction.
    void addCustomers(const std::vector<std::string>& companies, int first = 1);
    // "Company 001" to "Company <count>".
    void addNumbered(int count, int first = 1);
    // Starts the list and returns it.
    DrivenWindow start();
    DrivenWindow shown() { return ui.window(kListCaption); }
    BrowseManager& browse();
    std::vector<std::string> rows() { return shown().rows(kList); }
    // The company of the highlighted row, "" for none.
    std::string highlighted();
    void press(QKeyCombination key);
    // Every company on file, in key order.
    std::vector<std::string> companies();

    WindowDecl list = customerListDecl();
    WindowDecl form = customerFormDecl();
    FaultyStorage* storage_ = nullptr;
};

}  // namespace bb::test
