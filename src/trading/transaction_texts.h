// The codes a transaction stores and the words the program shows for them:
// the type, the kind of security, the solicitation, the source of funds, the
// representative's registration in the customer's state and the account's
// class, and the one-line description of a transaction that the lists, the
// commission windows and the reports print under their rows. Declared once
// here so that every window and report words a transaction alike.
//
// Pure functions of their arguments, or of the transaction in the
// Transactions buffer; used from the GUI thread only.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/decimal.h"

namespace bb {

// TRN:BUYSELL: the first four letters of the type's meaning.
inline constexpr std::string_view kBuy = "Buy";
inline constexpr std::string_view kSell = "Sell";
inline constexpr std::string_view kBeginBalance = "Begi";
inline constexpr std::string_view kDeposit = "Depo";
inline constexpr std::string_view kWithdraw = "With";
inline constexpr std::string_view kReceive = "Rece";
inline constexpr std::string_view kAdjust = "Adju";
inline constexpr std::string_view kInventory = "Inve";

// TRN:STOCKBONDCHOICE.
inline constexpr std::string_view kStock = "S";
inline constexpr std::string_view kBond = "B";
inline constexpr std::string_view kCash = "C";
inline constexpr std::string_view kOtherKind = "O";

// TRN:ACCOUNTCLASS (as the account holds it).
inline constexpr std::string_view kCommissionClass = "C";
inline constexpr std::string_view kFeeBasedClass = "F";

// A cash movement's symbol and description, in place of a security's.
inline constexpr std::string_view kCashSymbol = "CASH";

// A code with the words the program shows for it.
struct CodeText {
    std::string_view code;
    std::string_view text;
};

// A type: its code, its radio button's text, the button's tip, and the
// text lists and description lines show.
struct TransactionType {
    std::string_view code;
    std::string_view button;
    std::string_view tip;
    std::string_view text;
};

inline constexpr TransactionType kTransactionTypes[] = {
    {kBuy, "Buy", "Purchase", "Buy"},
    {kSell, "Sell", "Sale", "Sell"},
    {kBeginBalance, "Begin Bal", "Beginning Balance", "Beginning Balance"},
    {kDeposit, "Deposit", "Deposit", "Deposit"},
    {kWithdraw, "Withdraw", "Withdraw", "Withdraw"},
    {kReceive, "Receive", "Receive", "Receive"},
    {kAdjust, "Adj", "Adjustment", "Positive Adjust"},
    {kInventory, "Inv", "Inventory", "Inventory"},
};

inline constexpr CodeText kKinds[] = {
    {kStock, "Stock"}, {kBond, "Bond"}, {kCash, "Cash"}, {kOtherKind, "Other"}};
inline constexpr CodeText kSolicitations[] = {{"S", "Solicited"}, {"U", "Unsolicited"}};
inline constexpr CodeText kFundSources[] = {{"1", "New Money"},
                                            {"2", "Rollover"},
                                            {"3", "Redemption/Switch/Exchange"},
                                            {"4", "Sale of Stock/Bond"},
                                            {"5", "Re-Invest Div/Cap Gain"}};
inline constexpr CodeText kRegisteredInState[] = {{"Y", "Yes"}, {"N", "No"}};

// What lists show for type `code`: a negative quantity reads "Reverse" for
// a receipt and "Negative Adjust" for an adjustment; an unknown code is
// shown as it stands.
std::string typeText(std::string_view code, const Decimal& quantity);
// The words for `code` in `table`; empty for a blank or unknown code.
std::string_view codeText(std::span<const CodeText> table, std::string_view code);
// The source of funds' words, "N/A" for a blank or unknown code.
std::string_view fundSourceText(std::string_view code);

// `value` as a plain number: no grouping, no trailing zeros after the
// point ("100", "12.5", "-3").
std::string plainNumber(const Decimal& value);

// The description line of the transaction in the Transactions buffer:
//   Buy:   "Buy 100 ACME FUND @ 10 - 1/4  (Solicited)  New Money"
//   Sell:  "Sell 100 ACME FUND @  10 - 1/4 (Unsolicited)"
//   other: "Deposit 500 CASH"
// with the quantity always positive.
std::string descriptionLine();

}  // namespace bb
