// A window test over an empty book with the catalogue's windows registered
// and its files open, and the categories, investments, products and
// trades its tests start from, written as an earlier session would have
// left them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "ui/procedures.h"
#include "window_test.h"

namespace bb::test {

struct Product {
    std::string symbol;
    std::string name;
    std::string cusip{};
    std::string objective{};
    bool active = true;
};

class CatalogueTest : public WindowTest {
protected:
    CatalogueTest();
    // Started windows go before the files they read are closed.
    ~CatalogueTest() override;

    // Registers `body` under `name` for this test only.
    void standIn(const std::string& name, Procedure body);

    // Each returns the new record's number.
    int addCategory(const std::string& name);
    int addInvestment(int category, const std::string& name, bool focus = false);
    int addProduct(int investment, const Product& product);
    void addObjective(const std::string& code, const std::string& description);
    // A trade in `symbol` of investment `investment`.
    void addTrade(int investment, const std::string& symbol);

    // Reads the record of `file` numbered `number` in key `key` into its buffer.
    void read(FileId file, int key, IntegerField number, int value);

    // Every record of `file` in the order of `key`, each as its `fields`
    // joined by "|".
    std::vector<std::string> rows(FileId file, int key, const std::vector<FieldRef>& fields);
    // Every trade's "investment number|symbol", in number order.
    std::vector<std::string> trades();
    // The titles of the messages shown so far, in order.
    std::vector<std::string> titles() const;

    std::vector<std::unique_ptr<RelatedFilesOpen>> open_;
    std::vector<std::string> standIns_;
};

}  // namespace bb::test
