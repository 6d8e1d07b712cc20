// The reference fixture with the catalogue's windows registered and its
// files open, and the categories, investments, products and trades its
// tests start from, written as an earlier session would have left them.
#pragma once

#include <string>
#include <vector>

#include "reference_fixture.h"

namespace bb::test {

struct Product {
    std::string symbol;
    std::string name;
    std::string cusip{};
    std::string objective{};
    bool active = true;
};

class CatalogueTest : public ReferenceTest {
protected:
    CatalogueTest();

    // Each returns the new record's number.
    int addCategory(const std::string& name);
    int addInvestment(int category, const std::string& name, bool focus = false);
    int addProduct(int investment, const Product& product);
    void addObjective(const std::string& code, const std::string& description);
    // A trade in `symbol` of investment `investment`.
    void addTrade(int investment, const std::string& symbol);

    // Reads the record of `file` numbered `number` in key `key` into its buffer.
    void read(FileId file, int key, IntegerField number, int value);

    // Every trade's "investment number|symbol", in number order.
    std::vector<std::string> trades();
};

}  // namespace bb::test
