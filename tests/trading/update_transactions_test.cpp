// The transaction form driven as a user would: the compliance checks and
// the other checks on OK in their order, the trades it files (signs,
// totals, price texts, the 64ths question), the cash movements, the
// questions about a representative or security renamed since the trade,
// and what a failed write leaves on the form.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "catalogue/catalogue_windows.h"
#include "dictionary/process_values.h"
#include "trade_fixture.h"

namespace bb::test {
namespace {

Decimal number(const std::string& text) {
    return Decimal::parse(text).value();
}

// ---------------------------------------------------------------- refusals

struct Refused {
    const char* name;
    Trade trade;
    const char* title;
    const char* text;
    const char* focus;
    bool feeBased = false;
};

class RefusalTest : public TradeTest {
protected:
    // Runs each case on a fresh form: OK refuses with the case's message,
    // the form stays open with the focus where the case says, nothing is filed.
    // The customer moves to California after the account was opened.
    void moveCustomerToCalifornia() {
        buffer(FileId::Members).clear();
        MBR::MEMBERNUMBER.set(customer_);
        fetch(FileId::Members, MBR::key::MEMBERKEY);
        MBR::STATE.set("CA");
        EXPECT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    }

    void expectRefused(const Refused& c, const std::function<void()>& prepare = {}) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        if (prepare) prepare();
        insertTrade(c.feeBased ? feeBased_ : commission_, [&](DrivenWindow& form) {
            fill(form, c.trade);
            form.press("OK");
            ASSERT_FALSE(ui.messages.shown.empty());
            EXPECT_EQ(ui.messages.last().title, c.title);
            EXPECT_EQ(ui.messages.last().text, c.text);
            EXPECT_EQ(form.focused(), c.focus);
            EXPECT_FALSE(form.manager().Closed());
            ui.messages.answer(ButtonNo);  // "Save Record"
            form.press("Cancel");
        });
        EXPECT_EQ(tradeCount(), 0);
    }
};

Trade with(std::function<void(Trade&)> change) {
    Trade trade;
    change(trade);
    return trade;
}

// A deposit or withdrawal of 500 in cash: no security, price or solicitation.
Trade cash(const char* type) {
    return with([type](Trade& t) {
        t.type = type;
        t.kind = "Cash";
        t.quantity = "500";
        t.symbol.clear();
        t.price.clear();
        t.solicited.clear();
        t.source.clear();
    });
}

TEST_F(RefusalTest, EachCheckOnOkRefusesWithItsOwnWordsAndFocus) {
    const Refused cases[] = {
        {"registered only after the trade date", with([](Trade& t) { t.date = "12/31/2019"; }),
         "State Registration Required", "     Registration date is later than transaction date.",
         "Registered Representative"},
        {"the registration comes before the missing date", with([](Trade& t) { t.date = " "; }),
         "State Registration Required", "     Registration date is later than transaction date.",
         "Registered Representative"},
        {"type not chosen", with([](Trade& t) {
             t.type.clear();
             t.price.clear();
             t.solicited.clear();
             t.source.clear();
         }),
         "Transaction Type Required", "     You must select the appropriate transaction type.",
         "Type"},
        {"kind not chosen", with([](Trade& t) { t.kind.clear(); }), "Transaction Type Required",
         "     You must select the appropriate transaction type.", "Kind"},
        {"no quantity", with([](Trade& t) { t.quantity = "0"; }), "Quantity Required",
         "     You must enter the quantity for this transaction.", "Quantity"},
        {"a symbol not on file", with([](Trade& t) { t.symbol = "NOPE"; }),
         "Security Symbol Required",
         "Enter a valid symbol, or press the ellipsis (...) button to select one from the file.",
         "Security Symbol"},
        {"an inactive symbol on a new trade", with([](Trade& t) { t.symbol = "OLDCO"; }),
         "Active Security Symbol Required",
         "The symbol you entered is \"Inactive\".  Enter a valid symbol, or press the ellipsis "
         "(...) button to select one from the file.",
         "Security Symbol"},
        {"no price on a buy", with([](Trade& t) { t.price = "0"; }), "Price Required",
         "     You must enter the price for this transaction.", "Price"},
        {"solicitation not chosen on a sale", with([](Trade& t) {
             t.type = "Sell";
             t.solicited.clear();
             t.source.clear();
         }),
         "Solicited/Unsolicited Choice Required",
         "     You must indicate if the order was solicited.", "Solicited/Unsolicited"},
        {"no source of funds on a buy", with([](Trade& t) { t.source.clear(); }),
         "Source of Funds Required",
         "     You must indicate the source of funds for this purchase.", "Source of Funds"},
        {"a total the file cannot hold", with([](Trade& t) {
             t.quantity = "99999999999";
             t.price = "99999";
         }),
         "Total Amount Too Large", "     The total amount does not fit the file's field.",
         "Quantity"},
    };
    for (const Refused& c : cases) expectRefused(c);
}

TEST_F(RefusalTest, TheStateIsTheCustomersOwnOnFile) {
    expectRefused(
        {"moved", Trade{}, "State Registration Required",
         "     Representative is not licensed in customer's state.", "Registered Representative"},
        [this] { moveCustomerToCalifornia(); });
}

TEST_F(RefusalTest, ALaterRegistrationBlocksEvenACashDeposit) {
    addRegistrationFrom(representative_, "CA", date(2026, 6, 1));
    expectRefused({"cash deposit", cash("Deposit"), "State Registration Required",
                   "     Registration date is later than transaction date.",
                   "Registered Representative", true},
                  [this] { moveCustomerToCalifornia(); });
}

TEST_F(RefusalTest, StockAndBondTradesNeedASeries7LicenceOnTheTradeDate) {
    const struct {
        const char* series7;
        DayNumber from;
        const char* text;
    } licences[] = {
        {"0", kNoDate, "     Series 7 license not found in representative file."},
        {"1", date(2026, 3, 11), "     Series 7 effective date is later than transaction date."},
    };
    for (const auto& held : licences) {
        licence(representative_, held.series7, held.from);
        for (const char* type : {"Buy", "Sell"}) {
            for (const char* kind : {"Stock", "Bond"}) {
                expectRefused({type, with([&](Trade& t) {
                                   t.type = type;
                                   t.kind = kind;
                                   if (t.type == "Sell") t.source.clear();
                               }),
                               "Series 7 Registration Required", held.text,
                               "Registered Representative"});
            }
        }
    }
    // Licensed on the trade date itself will do.
    licence(representative_, "1", date(2026, 3, 10));
    EXPECT_EQ(enter(commission_, Trade{}), ResponseCompleted);
}

TEST_F(RefusalTest, ARepresentativeWithNoNumberIsNoChoice) {
    const int unnumbered = addRepresentative("", "Nobody Numbered");
    licence(unnumbered, "1", date(2019, 1, 1));
    addRegistration(unnumbered, "TX");
    const int account = addAccount(customer_, "C", unnumbered, "C-300");
    ui.messages.clear();
    insertTrade(account, [&](DrivenWindow& form) {
        fill(form, Trade{});
        form.press("OK");
        EXPECT_EQ(ui.messages.last().title, "Registered Representative Required");
        EXPECT_EQ(ui.messages.last().text,
                  "     You must select a representative from the drop-down list.");
        ui.messages.answer(ButtonNo);
        form.press("Cancel");
    });
    EXPECT_EQ(tradeCount(), 0);
}

// ------------------------------------------------------------ filed trades

struct Filed {
    const char* name;
    Trade trade;
    const char* quantity;
    const char* total;
    const char* price;
    const char* priceText;
    bool feeBased = false;
};

using FiledTradeTest = TradeTest;

TEST_F(FiledTradeTest, TradesAreFiledWithTheirSignTotalAndPriceText) {
    const Filed cases[] = {
        {"a sale with charges", with([](Trade& t) {
             t.type = "Sell";
             t.charges = "15";
             t.source.clear();
         }),
         "-100", "1985.00", "20", "20"},
        {"a buy with charges", with([](Trade& t) { t.charges = "15"; }), "100", "2015.00", "20",
         "20"},
        {"a stock at a quarter", with([](Trade& t) { t.price = "10.25"; }), "100", "1025.00",
         "10.25", "10 - 1/4"},
        {"a stock under one", with([](Trade& t) { t.price = "0.5"; }), "100", "50.00", "0.5",
         "1/2"},
        {"a bond in 64ths shows its decimals", with([](Trade& t) {
             t.kind = "Bond";
             t.price = "99.515625";
         }),
         "100", "9951.56", "99.515625", "99.515625"},
        {"a bond in eighths", with([](Trade& t) {
             t.kind = "Bond";
             t.price = "99.5";
         }),
         "100", "9950.00", "99.5", "99 - 1/2"},
        {"a negative stock price matches no 64th", with([](Trade& t) { t.price = "-5.5"; }), "100",
         "-550.00", "-5.5", "-5.50"},
        {"a withdrawal of cash", cash("Withdraw"), "-500", "500.00", "1", "1.00", true},
        {"an adjustment down keeps its sign", with([](Trade& t) {
             t.type = "Adj";
             t.kind = "Other";
             t.quantity = "-10";
             t.price.clear();
             t.solicited.clear();
             t.source.clear();
         }),
         "-10", "0.00", "0", "0.00"},
        {"a receipt reversed keeps its sign", with([](Trade& t) {
             t.type = "Receive";
             t.quantity = "-10";
             t.price.clear();
             t.solicited.clear();
             t.source.clear();
         }),
         "-10", "0.00", "0", ""},
        {"registered on the trade date", with([](Trade& t) { t.date = "01/01/2020"; }), "100",
         "2000.00", "20", "20"},
    };
    for (const Filed& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = tradeCount();
        ASSERT_EQ(enter(c.feeBased ? feeBased_ : commission_, c.trade), ResponseCompleted);
        ASSERT_EQ(tradeCount(), before + 1);
        ASSERT_TRUE(readTrade(TRN::TRANSACTIONNUMBER.get()));
        EXPECT_EQ(TRN::QUANTITY.get(), number(c.quantity));
        EXPECT_EQ(TRN::TOTALAMOUNT.get(), number(c.total));
        EXPECT_EQ(TRN::PRICE.get(), number(c.price));
        EXPECT_EQ(TRN::DISPLAYPRICE.get(), c.priceText);
    }
}

TEST_F(FiledTradeTest, ANewTradeCopiesTheAccountItsListIsLimitedTo) {
    // Another customer is in the customer buffer, as another list may leave it.
    addCustomerIn("Stranger", "CA");
    ASSERT_EQ(enter(commission_, Trade{}), ResponseCompleted);
    ASSERT_TRUE(readTrade(TRN::TRANSACTIONNUMBER.get()));
    EXPECT_EQ(TRN::MEMBERNUMBER.get(), customer_);
    EXPECT_EQ(TRN::ACCOUNTCLASS.get(), "C");
    EXPECT_EQ(TRN::ACCOUNTNUMBER.get(), "C-100");
    EXPECT_EQ(TRN::ACCOUNTSHORTNAME.get(), "Rivera C-100");
    EXPECT_EQ(TRN::INVESTMENTOBJECTIVE.get(), "13");
    EXPECT_EQ(TRN::RISKTOLERANCE.get(), "2");
    EXPECT_EQ(TRN::BIRTHDATE.get(), date(1960, 5, 1));
    EXPECT_EQ(TRN::REPRESENTATIVENUMBER.get(), representative_);
    EXPECT_EQ(TRN::REP_NUM.get(), "R1");
    EXPECT_EQ(TRN::REP_NAME.get(), "Pat Broker");
    EXPECT_EQ(TRN::RRREGISTRATION.get(), "Y");
    EXPECT_EQ(TRN::DATE.get(), date(2026, 3, 10));
    EXPECT_EQ(TRN::SYMBOL.get(), "ACME");
    EXPECT_EQ(TRN::CATEGORYNUMBER.get(), SEC::CATEGORYNUMBER.get());
    // The product's 40-character name, cut to the trade's 34.
    EXPECT_EQ(TRN::DESCRIPTION.get(), "Acme Manufacturing Company Incorpo");
}

TEST_F(FiledTradeTest, AnyRegistrationInTheStateOnTheTradeDateWillDo) {
    // An older book may hold the state twice; the later row comes first in the key.
    addRegistrationFrom(representative_, "TX", date(2027, 1, 1));
    EXPECT_EQ(enter(commission_, Trade{}), ResponseCompleted);
    EXPECT_EQ(tradeCount(), 1);
}

TEST_F(FiledTradeTest, WithoutSeries7ARepresentativeStillFilesCashAndOther) {
    licence(representative_, "0", kNoDate);
    const Trade deposit = cash("Deposit");
    EXPECT_EQ(enter(feeBased_, deposit), ResponseCompleted);
    EXPECT_EQ(enter(commission_, with([](Trade& t) { t.kind = "Other"; })), ResponseCompleted);
    EXPECT_EQ(tradeCount(), 2);
}

TEST_F(FiledTradeTest, ANegativeQuantityOnABuyIsMadePositive) {
    insertTrade(commission_, [&](DrivenWindow& form) {
        fill(form, with([](Trade& t) { t.quantity = "-100"; }));
        EXPECT_EQ(ui.messages.last().title, "Invalid Entry");
        EXPECT_EQ(ui.messages.last().text, "     Quantity must be entered as a positive number...");
        EXPECT_EQ(form.shown("Quantity"), "100.00000");
        form.press("OK");
    });
    ASSERT_TRUE(readTrade(TRN::TRANSACTIONNUMBER.get()));
    EXPECT_EQ(TRN::QUANTITY.get(), number("100"));
}

TEST_F(FiledTradeTest, ReceiptsArePromptedAfterBuysSellsAndDepositsOnly) {
    const struct {
        Trade trade;
        bool feeBased;
        const char* prompt;
    } cases[] = {
        {Trade{}, false, "Yes"},
        {with([](Trade& t) {
             t.type = "Sell";
             t.source.clear();
         }),
         false, "Yes"},
        {cash("Withdraw"), true, "No"},
        {cash("Deposit"), true, "Yes"},
    };
    for (const auto& c : cases) {
        processValues().ReceiptsPrompt.set("No");
        EXPECT_EQ(enter(c.feeBased ? feeBased_ : commission_, c.trade), ResponseCompleted);
        EXPECT_EQ(processValues().ReceiptsPrompt.get(), c.prompt) << c.trade.type;
    }
}

TEST_F(FiledTradeTest, ARefusedBuySetsNoReceiptsPromptButAFailedWriteDoes) {
    insertTrade(commission_, [&](DrivenWindow& form) {
        fill(form, with([](Trade& t) { t.source.clear(); }));
        form.press("OK");
        ui.messages.answer(ButtonNo);
        form.press("Cancel");
    });
    EXPECT_EQ(processValues().ReceiptsPrompt.get(), "No");
    ui.messages.declineUnanswered = true;
    storage_->failPuts(1);
    insertTrade(commission_, [&](DrivenWindow& form) {
        fill(form, Trade{});
        form.press("OK");
        EXPECT_FALSE(form.manager().Closed());
        form.press("OK");
    });
    EXPECT_EQ(processValues().ReceiptsPrompt.get(), "Yes");
}

// ------------------------------------------------------- the 64ths question

TEST_F(FiledTradeTest, AStockPriceJustOffA64thAsksWhetherItIsThat64th) {
    const struct {
        Button answer;
        const char* price;
        const char* priceText;
        const char* total;
    } cases[] = {{ButtonYes, "10.265625", "10 - 17/64", "1026.56"},
                 {ButtonNo, "10.26", "10.26", "1026.00"}};
    for (const auto& c : cases) {
        ui.messages.clear();
        ui.messages.answer(c.answer);
        ASSERT_EQ(enter(commission_, with([](Trade& t) { t.price = "10.26"; })), ResponseCompleted);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Stock Price Fraction");
        EXPECT_EQ(ui.messages.last().text, "     Should the price be  10 - 17/64 ?");
        ASSERT_TRUE(readTrade(TRN::TRANSACTIONNUMBER.get()));
        EXPECT_EQ(TRN::PRICE.get(), number(c.price));
        EXPECT_EQ(TRN::DISPLAYPRICE.get(), c.priceText);
        // Never a total of 10.26 beside a price of 10.265625.
        EXPECT_EQ(TRN::TOTALAMOUNT.get(), number(c.total));
    }
}

TEST_F(FiledTradeTest, ThePriceTextFollowsThePriceNotAnEarlierOne) {
    insertTrade(commission_, [&](DrivenWindow& form) {
        fill(form, with([](Trade& t) { t.price = "10.25"; }));
        EXPECT_EQ(form.shown("Fraction"), "10 - 1/4");
        form.type("Price", "12");
        EXPECT_EQ(form.shown("Fraction"), "12");
        form.type("Price", "0.26");
        EXPECT_EQ(form.shown("Fraction"), "");
        form.type("Price", "12");
        form.press("OK");
    });
    // No question: 12 is whole.
    EXPECT_TRUE(ui.messages.shown.empty());
    ASSERT_TRUE(readTrade(TRN::TRANSACTIONNUMBER.get()));
    EXPECT_EQ(TRN::PRICE.get(), number("12"));
}

TEST_F(FiledTradeTest, OnAChangeOnlyAChangedPriceIsAsked) {
    ui.messages.answer(ButtonNo);
    ASSERT_EQ(enter(commission_, with([](Trade& t) { t.price = "10.26"; })), ResponseCompleted);
    const int number = TRN::TRANSACTIONNUMBER.get();
    ui.messages.clear();
    changeTrade(number, [&](DrivenWindow& form) {
        form.type("Quantity", "200");
        form.press("OK");
    });
    EXPECT_TRUE(ui.messages.shown.empty());
    ui.messages.answer(ButtonYes);
    changeTrade(number, [&](DrivenWindow& form) {
        form.type("Price", "10.51");
        form.press("OK");
    });
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().text, "     Should the price be  10 - 33/64 ?");
    ASSERT_TRUE(readTrade(number));
    EXPECT_EQ(TRN::PRICE.get(), Decimal::parse("10.515625").value());
}

// ------------------------------------------------------------- the form

TEST_F(FiledTradeTest, CashIsForFeeBasedAccountsAndOnlyForDepositsAndWithdrawals) {
    insertTrade(commission_, [&](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Class"), "Commission Account");
        EXPECT_FALSE(form.enabled("Cash"));
        form.screenshot("update transactions commission");
        form.press("Cancel");
    });
    insertTrade(feeBased_, [&](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Class"), "Fee-Based Account");
        form.choose("Type", "Deposit");
        form.choose("Kind", "Cash");
        EXPECT_EQ(form.shown("Security Symbol"), "CASH");
        EXPECT_EQ(form.shown("Description"), "CASH");
        EXPECT_EQ(form.shown("Price"), "1.000000");
        EXPECT_FALSE(form.enabled("Price"));
        EXPECT_FALSE(form.enabled("Security Symbol"));
        EXPECT_FALSE(form.enabled("..."));
        for (const char* type : {"Buy", "Sell", "Begin Bal", "Receive"})
            EXPECT_FALSE(form.enabled(type)) << type;
        EXPECT_TRUE(form.enabled("Deposit"));
        EXPECT_TRUE(form.enabled("Withdraw"));
        EXPECT_FALSE(form.enabled("Additional Charges"));
        form.screenshot("update transactions cash deposit");
        ui.messages.answer(ButtonNo);
        form.press("Cancel");
    });
}

TEST_F(FiledTradeTest, LeavingABuyClearsWhatOnlyABuyOrSaleHolds) {
    insertTrade(commission_, [&](DrivenWindow& form) {
        fill(form, with([](Trade& t) { t.charges = "15"; }));
        form.type("Dealer Concession", "40");
        form.type("Commission", "25");
        EXPECT_EQ(form.shown("Source of Funds"), "1  New Money");
        form.choose("Type", "Deposit");
        EXPECT_EQ(form.shown("Additional Charges"), "0.00");
        EXPECT_EQ(form.shown("Dealer Concession"), "0.00");
        EXPECT_EQ(form.shown("Commission"), "0.00");
        EXPECT_EQ(form.shown("Solicited/Unsolicited"), "");
        EXPECT_EQ(form.shown("Source of Funds"), "");
        EXPECT_FALSE(form.enabled("Source of Funds"));
        EXPECT_FALSE(form.enabled("Solicited/Unsolicited"));
        EXPECT_FALSE(form.enabled("Price"));
        ui.messages.answer(ButtonNo);
        form.press("Cancel");
    });
}

TEST_F(FiledTradeTest, TheEllipsisChoosesTheProductThroughTheCatalogue) {
    insertTrade(commission_, [&](DrivenWindow& form) {
        form.choose("Type", "Buy");
        ui.when("Select a Category", [](DrivenWindow& list) {
            list.clickRow("Categories", 0);
            list.press("Select");
        });
        ui.when("Select an Investment", [](DrivenWindow& list) {
            list.clickRow("Investments", 0);
            list.press("Select");
        });
        ui.when("Select a Security Product", [](DrivenWindow& list) {
            list.clickRow("Products", 0);
            list.press("Select");
        });
        form.press("...");
        EXPECT_EQ(form.shown("Security Symbol"), "ACME");
        EXPECT_EQ(form.shown("Description"), "Acme Manufacturing Company Incorpo");
        EXPECT_EQ(form.manager().Widget()->focusWidget(), form.find("Price"));
        ui.when("Select a Category", [](DrivenWindow& list) { list.press("Close"); });
        form.press("...");
        EXPECT_EQ(form.manager().Widget()->focusWidget(), form.find("Security Symbol"));
        ui.messages.answer(ButtonNo);
        form.press("Cancel");
    });
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

// -------------------------------------------------------------- changes

TEST_F(FiledTradeTest, ASaleIsShownPositiveAndStaysNegativeOnFile) {
    ASSERT_EQ(enter(commission_, with([](Trade& t) {
                        t.type = "Sell";
                        t.source.clear();
                    })),
              ResponseCompleted);
    const int number = TRN::TRANSACTIONNUMBER.get();
    changeTrade(number, [&](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Quantity"), "100.00000");
        form.press("OK");
    });
    ASSERT_TRUE(readTrade(number));
    EXPECT_EQ(TRN::QUANTITY.get(), Decimal(-100));
    // Closing it unchanged asks nothing.
    changeTrade(number, [&](DrivenWindow& form) { form.press("Cancel"); });
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(FiledTradeTest, AFailedWriteLeavesTheSaleShownAsTyped) {
    ui.messages.declineUnanswered = true;
    insertTrade(commission_, [&](DrivenWindow& form) {
        fill(form, with([](Trade& t) {
                 t.type = "Sell";
                 t.source.clear();
             }));
        storage_->failPuts(1);
        form.press("OK");
        EXPECT_FALSE(form.manager().Closed());
        EXPECT_EQ(form.shown("Quantity"), "100.00000");
        form.press("OK");
    });
    ASSERT_TRUE(readTrade(TRN::TRANSACTIONNUMBER.get()));
    EXPECT_EQ(TRN::QUANTITY.get(), Decimal(-100));
    EXPECT_EQ(tradeCount(), 1);
}

TEST_F(FiledTradeTest, AnInactiveSymbolIsKeptOnAChange) {
    ASSERT_EQ(enter(commission_, Trade{}), ResponseCompleted);
    const int number = TRN::TRANSACTIONNUMBER.get();
    buffer(FileId::Securities).clear();
    SEC::SECURITYNUMBER.set(acme_);
    fetch(FileId::Securities, SEC::key::SECURITYNUMBERKEY);
    SEC::ACTIVE.set("0");
    ASSERT_EQ(fileManagerFor(FileId::Securities)->Update(), SeverityNone);
    EXPECT_EQ(changeTrade(number,
                          [&](DrivenWindow& form) {
                              form.type("Quantity", "150");
                              form.press("OK");
                          }),
              ResponseCompleted);
    ASSERT_TRUE(readTrade(number));
    EXPECT_EQ(TRN::QUANTITY.get(), Decimal(150));
}

class RenamedTest : public TradeTest {
protected:
    RenamedTest() {
        EXPECT_EQ(enter(commission_, Trade{}), ResponseCompleted);
        trade_ = TRN::TRANSACTIONNUMBER.get();
        readRepresentative(representative_);
        REP::REP_NAME.set("Pat Broker-Smith");
        EXPECT_EQ(fileManagerFor(FileId::Representatives)->Update(), SeverityNone);
        buffer(FileId::Securities).clear();
        SEC::SECURITYNUMBER.set(acme_);
        fetch(FileId::Securities, SEC::key::SECURITYNUMBERKEY);
        SEC::SECURITYNAME.set("Acme Holdings");
        EXPECT_EQ(fileManagerFor(FileId::Securities)->Update(), SeverityNone);
        ui.messages.clear();
    }
    int trade_ = 0;
};

TEST_F(RenamedTest, OpeningAsksWhetherToKeepTheTradesOwnNames) {
    const struct {
        Button keep;
        const char* repName;
        const char* description;
        const char* shownRepresentative;
    } cases[] = {
        {ButtonYes, "Pat Broker", "Acme Manufacturing Company Incorpo", "R1  Pat Broker"},
        {ButtonNo, "Pat Broker-Smith", "Acme Holdings", "Pat Broker-Smith"},
    };
    for (const auto& c : cases) {
        // Put the trade back as it was entered.
        ASSERT_TRUE(readTrade(trade_));
        TRN::REP_NAME.set("Pat Broker");
        TRN::DESCRIPTION.set("Acme Manufacturing Company Incorpo");
        ASSERT_EQ(fileManagerFor(FileId::Transactions)->Update(), SeverityNone);
        ui.messages.clear();
        ui.messages.answer(c.keep);
        ui.messages.answer(c.keep);
        changeTrade(trade_, [&](DrivenWindow& form) {
            EXPECT_EQ(form.shown("Representative"), c.shownRepresentative);
            EXPECT_EQ(form.enabled("Registered Representative"), c.keep == ButtonNo);
            EXPECT_EQ(form.enabled("Security Symbol"), c.keep == ButtonNo);
            form.type("Quantity", "120");
            form.press("OK");
        });
        ASSERT_EQ(ui.messages.shown.size(), 2U);
        EXPECT_EQ(ui.messages.shown[0].title, "Representative Number/Name Change");
        EXPECT_EQ(ui.messages.shown[0].text,
                  "Representative Number or Name has been changed ...||Original: R1  Pat "
                  "Broker||New: R1  Pat Broker-Smith||Press \"Yes\" to keep the original, "
                  "\"No\" to change it.");
        EXPECT_EQ(ui.messages.shown[1].title, "Company Name Change");
        EXPECT_EQ(ui.messages.shown[1].text,
                  "The Company Name has been changed ...||Original: Acme Manufacturing Company "
                  "Incorpo||New: Acme Holdings||Press \"Yes\" to keep the original, \"No\" to "
                  "change it.");
        ASSERT_TRUE(readTrade(trade_));
        EXPECT_EQ(TRN::REP_NAME.get(), c.repName);
        EXPECT_EQ(TRN::DESCRIPTION.get(), c.description);
    }
}

TEST_F(RenamedTest, WithTheSecurityGoneOnlyTheRepresentativeIsAsked) {
    // Renamed on file alone, so that the trade's symbol finds nothing.
    buffer(FileId::Securities).clear();
    SEC::SECURITYNUMBER.set(acme_);
    fetch(FileId::Securities, SEC::key::SECURITYNUMBERKEY);
    SEC::SYMBOL.set("ACMX");
    ASSERT_EQ(fileManagerFor(FileId::Securities)->Update(), SeverityNone);
    ui.messages.answer(ButtonYes);
    ui.messages.answer(ButtonNo);  // "Save Record": the description found nothing to show
    changeTrade(trade_, [&](DrivenWindow& form) { form.press("Cancel"); });
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.shown[0].title, "Representative Number/Name Change");
    for (const MessageRequest& shown : ui.messages.shown)
        EXPECT_NE(shown.title, "Company Name Change");
}

}  // namespace
}  // namespace bb::test
