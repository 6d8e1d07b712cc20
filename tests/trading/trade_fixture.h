// A window test over a small book for trading: a customer in Texas with a
// commission account and a fee-based account, a representative registered
// in Texas from 1/1/2020 with a Series 7 licence from 1/1/2019, and the
// products ACME (stock, active) and OLDCO (inactive), written through the
// data layer as the account windows and an earlier session would have left
// them. The clock stands at 3/10/2026; every change reaches the files
// through a storage whose writes a test can make fail.
#pragma once

#include <functional>
#include <string>

#include "catalogue_fixture.h"
#include "faulty_storage.h"
#include "platform/date.h"

namespace bb::test {

// What a user enters for a trade, by the form's own words; an empty entry
// is left as the form shows it.
struct Trade {
    std::string type = "Buy";
    std::string kind = "Stock";
    std::string quantity = "100";
    std::string symbol = "ACME";
    std::string price = "20";
    std::string charges{};
    std::string solicited = "Unsolicited";
    std::string source = "1  New Money";
    std::string date{};
};

class TradeTest : public CatalogueTest {
protected:
    TradeTest();
    ~TradeTest() override;

    // An account of customer `member`, class `accountClass`, served by
    // representative `representative`; its registration number.
    int addAccount(int member, const std::string& accountClass, int representative,
                   const std::string& number);
    // A customer living in `state`; the number.
    int addCustomerIn(const std::string& lastName, const std::string& state);
    // A registration of `representative` in `state` from `from`.
    void addRegistrationFrom(int representative, const std::string& state, DayNumber from);
    // Sets the representative's Series 7 licence ("1" or "0") and its date.
    void licence(int representative, const std::string& series7, DayNumber from);

    // Enters `trade` on the open form, in the order a user would.
    static void fill(DrivenWindow& form, const Trade& trade);

    // Runs the form for a new trade of `account` as its list does (the
    // record primed with the list's range), with `script` in it.
    int insertTrade(int account, const std::function<void(DrivenWindow&)>& script);
    // Enters `trade` and presses OK; the form's response.
    int enter(int account, const Trade& trade);
    // Runs the form to change trade `number`, read as its list reads it.
    int changeTrade(int number, const std::function<void(DrivenWindow&)>& script);
    // Reads trade `number` into the buffer; false when it is not on file.
    bool readTrade(int number);
    // The number of trades on file.
    int tradeCount();

    static DayNumber date(int year, int month, int day) {
        return dayNumber(year, month, day).value();
    }

    FaultyStorage* storage_ = nullptr;
    int customer_ = 0;
    int representative_ = 0;
    int commission_ = 0;  // the customer's accounts
    int feeBased_ = 0;
    int acme_ = 0;  // products
    int oldco_ = 0;
};

}  // namespace bb::test
