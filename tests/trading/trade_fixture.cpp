#include "trade_fixture.h"

#include "data/data_folder.h"
#include "dictionary/process_values.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "trading/transaction_windows.h"

namespace bb::test {

TradeTest::TradeTest() {
    // The files are opened again on a storage whose writes can fail.
    open_.clear();
    auto storage = std::make_unique<FaultyStorage>(openSqliteStorage(folder_.path()));
    storage_ = storage.get();
    useDataStorage(std::move(storage));
    for (FileId file :
         {FileId::States, FileId::MembershipTypes, FileId::Members, FileId::Representatives,
          FileId::RepStates, FileId::Rooms, FileId::Categories, FileId::Securities,
          FileId::InvestmentType, FileId::Transactions, FileId::AccountRegistration})
        open_.push_back(std::make_unique<RelatedFilesOpen>(*relationManagerFor(file)));
    registerTransactionWindows(procedures());
    Clock::fix(date(2026, 3, 10));
    addState("TX", "Texas");
    addState("CA", "California");
    customer_ = addCustomerIn("Rivera", "TX");
    representative_ = addRepresentative("R1", "Pat Broker");
    licence(representative_, "1", date(2019, 1, 1));
    addRegistration(representative_, "TX");
    commission_ = addAccount(customer_, "C", representative_, "C-100");
    feeBased_ = addAccount(customer_, "F", representative_, "F-200");
    const int stocks = addInvestment(addCategory("Stocks"), "Blue Chips");
    acme_ =
        addProduct(stocks, {.symbol = "ACME", .name = "Acme Manufacturing Company Incorporated"});
    oldco_ = addProduct(stocks, {.symbol = "OLDCO", .name = "Old Company", .active = false});
    processValues().ReceiptsPrompt.set("No");
}

TradeTest::~TradeTest() {
    Clock::release();
}

int TradeTest::addCustomerIn(const std::string& lastName, const std::string& state) {
    FileManager& file = *fileManagerFor(FileId::Members);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    MBR::LASTNAME.set(lastName);
    MBR::STATE.set(state);
    EXPECT_EQ(file.Insert(), SeverityNone);
    return MBR::MEMBERNUMBER.get();
}

int TradeTest::addAccount(int member, const std::string& accountClass, int representative,
                          const std::string& number) {
    FileManager& file = *fileManagerFor(FileId::AccountRegistration);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    ACC::MEMBERNUMBER.set(member);
    ACC::ACCOUNTCLASS.set(accountClass);
    ACC::REPRESENTATIVENUMBER.set(representative);
    ACC::ACCOUNTNUMBER.set(number);
    ACC::ACCOUNTSHORTNAME.set("Rivera " + number);
    ACC::COMPANY.set("Capital Funds");
    ACC::INVESTMENTOBJECTIVES.set("13");
    ACC::RISKTOLERANCE.set("2");
    ACC::BIRTHDATE.set(date(1960, 5, 1));
    ACC::ACTIVEINACTIVE.set("1");
    EXPECT_EQ(file.Insert(), SeverityNone);
    return ACC::REGISTRATIONNUMBER.get();
}

void TradeTest::addRegistrationFrom(int representative, const std::string& state, DayNumber from) {
    buffer(FileId::RepStates).clear();
    RST::REPRESENTATIVENUMBER.set(representative);
    RST::STATE.set(state);
    RST::EFFECTIVEDATE.set(from);
    EXPECT_EQ(fileManagerFor(FileId::RepStates)->Insert(), SeverityNone);
}

void TradeTest::licence(int representative, const std::string& series7, DayNumber from) {
    readRepresentative(representative);
    REP::SERIES7.set(series7);
    REP::SERIES7DATE.set(from);
    EXPECT_EQ(relationManagerFor(FileId::Representatives)->Update(), SeverityNone);
}

void TradeTest::fill(DrivenWindow& form, const Trade& trade) {
    if (!trade.date.empty()) form.type("Transaction Date", trade.date);
    if (!trade.type.empty()) form.choose("Type", trade.type);
    if (!trade.kind.empty()) form.choose("Kind", trade.kind);
    if (!trade.quantity.empty()) form.type("Quantity", trade.quantity);
    if (!trade.symbol.empty()) form.type("Security Symbol", trade.symbol);
    if (!trade.price.empty()) form.type("Price", trade.price);
    if (!trade.charges.empty()) form.type("Additional Charges", trade.charges);
    if (!trade.solicited.empty()) form.choose("Solicited/Unsolicited", trade.solicited);
    if (!trade.source.empty()) form.choose("Source of Funds", trade.source);
}

int TradeTest::insertTrade(int account, const std::function<void(DrivenWindow&)>& script) {
    buffer(FileId::Transactions).clear();
    TRN::REGISTRATIONNUMBER.set(account);
    EXPECT_EQ(fileManagerFor(FileId::Transactions)->PrimeNewRecord(true), SeverityNone);
    ui.when("Update Transactions", script);
    return procedures().call("UpdateTransactions", InsertRequest);
}

int TradeTest::enter(int account, const Trade& trade) {
    return insertTrade(account, [&](DrivenWindow& form) {
        fill(form, trade);
        form.press("OK");
    });
}

int TradeTest::changeTrade(int number, const std::function<void(DrivenWindow&)>& script) {
    EXPECT_TRUE(readTrade(number));
    ui.when("Update Transactions", script);
    return procedures().call("UpdateTransactions", ChangeRequest);
}

bool TradeTest::readTrade(int number) {
    buffer(FileId::Transactions).clear();
    TRN::TRANSACTIONNUMBER.set(number);
    return fileManagerFor(FileId::Transactions)->FetchQuietly(TRN::key::TRANSACTIONNUMBERKEY) ==
           SeverityNone;
}

int TradeTest::tradeCount() {
    return static_cast<int>(
        rows(FileId::Transactions, TRN::key::TRANSACTIONNUMBERKEY, {TRN::TRANSACTIONNUMBER})
            .size());
}

}  // namespace bb::test
