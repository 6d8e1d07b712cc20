#include "account_fixture.h"

#include "customers/customer_procedures.h"
#include "data/data_folder.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/decimal.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "trading/account_procedures.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr FileId kOpenFiles[] = {FileId::Members,
                                 FileId::Representatives,
                                 FileId::States,
                                 FileId::MembershipTypes,
                                 FileId::MPhones,
                                 FileId::Log,
                                 FileId::Vendors,
                                 FileId::AccountTypes,
                                 FileId::AccountRegistration,
                                 FileId::Transactions,
                                 FileId::CheckSecurityReceipt};

void insert(FileId file) {
    EXPECT_EQ(fileManagerFor(file)->Insert(), SeverityNone);
}

int addCompany(const std::string& name) {
    EXPECT_EQ(fileManagerFor(FileId::Vendors)->PrimeNewRecord(), SeverityNone);
    VEN::VENDORNAME.set(name);
    insert(FileId::Vendors);
    return VEN::VENDORNUMBER.get();
}

int addCustomer(const std::string& last, const std::string& first, int representative) {
    EXPECT_EQ(fileManagerFor(FileId::Members)->PrimeNewRecord(), SeverityNone);
    MBR::MEMBERTYPE.set("Individual");
    MBR::LASTNAME.set(last);
    MBR::FIRSTNAME.set(first);
    MBR::MEMBERNAME.set(first + " " + last);
    MBR::COMPANYNAME.set(first + " " + last);
    MBR::REPRESENTATIVENUMBER.set(representative);
    MBR::BIRTHDATE.set(*dayNumber(1970, 3, 15));
    MBR::SALESTAXID.set("123-45-" + std::to_string(6789 + MBR::MEMBERNUMBER.get()));
    MBR::EMPLOYEERELATED.set("N");
    MBR::ACTIVE.set(1);
    insert(FileId::Members);
    return MBR::MEMBERNUMBER.get();
}

}  // namespace

AccountTest::AccountTest() {
    auto storage = std::make_unique<FaultyStorage>(openSqliteStorage(folder_.path()));
    storage_ = storage.get();
    useDataStorage(std::move(storage));
    Clock::fix(*dayNumber(2026, 12, 10));
    registerCustomerProcedures(procedures());
    registerReferenceWindows(procedures());
    registerAccountProcedures(procedures());
    for (FileId file : kOpenFiles) EXPECT_EQ(relationManagerFor(file)->Open(), SeverityNone);
    EXPECT_EQ(fileManagerFor(FileId::Representatives)->PrimeNewRecord(), SeverityNone);
    REP::REP_NUM.set("101");
    REP::REP_NAME.set("Ann Adams");
    insert(FileId::Representatives);
    ann_ = REP::REPRESENTATIVENUMBER.get();
    alpha_ = addCompany("Alpha Funds");
    addCompany(kLongCompany);
    for (const char* type : {"IRA", "Joint"}) {
        buffer(FileId::AccountTypes).clear();
        ACT::ACCOUNTTYPE.set(type);
        insert(FileId::AccountTypes);
    }
    jones_ = addCustomer("Jones", "Mary", ann_);
    smith_ = addCustomer("Smith", "John", ann_);
}

AccountTest::~AccountTest() {
    ui.closeAll();
    for (FileId file : kOpenFiles) relationManagerFor(file)->Close();
    Clock::release();
}

int AccountTest::addAccount(int member, const std::string& shortName, const std::string& company) {
    EXPECT_EQ(fileManagerFor(FileId::AccountRegistration)->PrimeNewRecord(), SeverityNone);
    ACC::MEMBERNUMBER.set(member);
    ACC::REPRESENTATIVENUMBER.set(ann_);
    ACC::COMPANY.set(company);
    ACC::ACCOUNTNUMBER.set(shortName + "-1");
    ACC::ACCOUNTSHORTNAME.set(shortName);
    ACC::ACCOUNTTYPE.set("IRA");
    ACC::ACCOUNTCLASS.set("C");
    ACC::ACTIVEINACTIVE.set("1");
    ACC::EMPLOYEERELATED.set("N");
    ACC::ACCOUNTOPENED.set(*dayNumber(2020, 1, 2));
    ACC::LASTUPDATE.set(*dayNumber(2026, 6, 1));
    ACC::TAXIDENTIFICATIONNUMBER.set("123-45-6789");
    ACC::INVESTMENTOBJECTIVES.set("13");
    ACC::RISKTOLERANCE.set("3");
    ACC::ACCOUNTREGISTRATION.set(shortName + " Trust, John Smith TTEE");
    insert(FileId::AccountRegistration);
    return ACC::REGISTRATIONNUMBER.get();
}

void AccountTest::changeAccount(int registration, const std::function<void()>& how) {
    readAccount(registration);
    how();
    ASSERT_EQ(fileManagerFor(FileId::AccountRegistration)->Update(), SeverityNone);
}

void AccountTest::addTransactions(int registration, int count) {
    readAccount(registration);
    for (int i = 1; i <= count; ++i) {
        EXPECT_EQ(fileManagerFor(FileId::Transactions)->PrimeNewRecord(), SeverityNone);
        TRN::REGISTRATIONNUMBER.set(registration);
        TRN::MEMBERNUMBER.set(ACC::MEMBERNUMBER.get());
        TRN::REPRESENTATIVENUMBER.set(ann_);
        TRN::ACCOUNTCLASS.set(ACC::ACCOUNTCLASS.get());
        TRN::DATE.set(*dayNumber(2026, 1, i));
        TRN::BUYSELL.set("Buy");
        TRN::SYMBOL.set("ABC");
        EXPECT_TRUE(TRN::QUANTITY.set(Decimal(10 * i)));
        EXPECT_TRUE(TRN::TOTALAMOUNT.set(Decimal(100 * i)));
        insert(FileId::Transactions);
    }
}

void AccountTest::readAccount(int registration) {
    buffer(FileId::AccountRegistration).clear();
    ACC::REGISTRATIONNUMBER.set(registration);
    ASSERT_EQ(fileManagerFor(FileId::AccountRegistration)->Fetch(ACC::key::REGISTRATIONNUMBERKEY),
              SeverityNone);
}

void AccountTest::readCustomer(int number) {
    buffer(FileId::Members).clear();
    MBR::MEMBERNUMBER.set(number);
    ASSERT_EQ(fileManagerFor(FileId::Members)->Fetch(MBR::key::MEMBERKEY), SeverityNone);
}

int AccountTest::inList(int member, const WindowDriver::Script& script) {
    readCustomer(member);
    ui.when("Customer Accounts", script);
    return procedures().call("BrowseAccountRegistration", ProcessRequest);
}

namespace {

std::vector<std::string> rowsOf(FileId file, int key, const std::vector<FieldRef>& fields) {
    FileManager& manager = *fileManagerFor(file);
    const int saved = manager.SaveCopy();
    std::vector<std::string> out;
    manager.SetOrder(key);
    while (manager.NextQuietly() == SeverityNone) {
        std::string row;
        for (const FieldRef& field : fields)
            row += (row.empty() ? "" : "|") + std::string(text::clip(field.value().toText()));
        out.push_back(row);
    }
    manager.RestoreCopy(saved, true);
    return out;
}

}  // namespace

std::vector<std::string> AccountTest::accounts() {
    return rowsOf(FileId::AccountRegistration, ACC::key::REGISTRATIONNUMBERKEY,
                  {ACC::ACCOUNTSHORTNAME, ACC::COMPANY, ACC::ACCOUNTCLASS, ACC::MEMBERNUMBER});
}

std::vector<std::string> AccountTest::transactionClasses(int registration) {
    std::vector<std::string> out;
    for (const std::string& row : rowsOf(FileId::Transactions, TRN::key::TRANSACTIONNUMBERKEY,
                                         {TRN::REGISTRATIONNUMBER, TRN::ACCOUNTCLASS})) {
        if (row.substr(0, row.find('|')) == std::to_string(registration))
            out.push_back(row.substr(row.find('|') + 1));
    }
    return out;
}

int AccountTest::count(FileId file) {
    return static_cast<int>(rowsOf(file, 0, {}).size());
}

std::vector<std::string> AccountTest::titles() const {
    std::vector<std::string> out;
    for (const MessageRequest& shown : ui.messages.shown) out.push_back(shown.title);
    return out;
}

}  // namespace bb::test
