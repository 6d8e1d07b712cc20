// A small book for the account windows' tests, on a fixed day (December
// 10, 2026): representative 101 Ann Adams, two account companies (one
// with a name longer than an account keeps), two account types, two
// customers (John Smith and Mary Jones), the account and customer
// procedures registered, and the files the customer list keeps open. The
// storage can be made to fail on purpose.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "faulty_storage.h"
#include "window_test.h"

namespace bb::test {

// Forty characters: six more than an account keeps.
inline const std::string kLongCompany = "Northwestern Mutual Investment Services";

class AccountTest : public WindowTest {
protected:
    AccountTest();
    ~AccountTest() override;

    // A complete active commission account of customer `member` at
    // `company`; its registration number. The buffer holds it afterwards.
    int addAccount(int member, const std::string& shortName,
                   const std::string& company = "Alpha Funds");
    // Changes account `registration` as `how` says, and saves it.
    void changeAccount(int registration, const std::function<void()>& how);
    // `count` transactions of account `registration`, carrying its class.
    void addTransactions(int registration, int count);
    // Reads account `registration` into the buffer, as its list does.
    void readAccount(int registration);
    void readCustomer(int number);

    // Opens the account list of customer `member` and runs `script` in it;
    // the list's response.
    int inList(int member, const WindowDriver::Script& script);

    // Every account's "short name|company|class|member", in number order.
    std::vector<std::string> accounts();
    // The class of every transaction of account `registration`, in number order.
    std::vector<std::string> transactionClasses(int registration);
    // How many records of `file` there are.
    static int count(FileId file);
    // The titles of the messages shown so far.
    std::vector<std::string> titles() const;

    FaultyStorage* storage_ = nullptr;
    int ann_ = 0;    // representative 101, Ann Adams
    int alpha_ = 0;  // account company "Alpha Funds"
    int smith_ = 0;  // customer John Smith
    int jones_ = 0;  // customer Mary Jones
};

}  // namespace bb::test
