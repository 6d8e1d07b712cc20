#include "catalogue_fixture.h"

#include "catalogue/catalogue_windows.h"
#include "data/file_manager.h"

namespace bb::test {

CatalogueTest::CatalogueTest() {
    registerCatalogueWindows(procedures());
    for (FileId file : {FileId::Rooms, FileId::Categories, FileId::Securities,
                        FileId::InvestmentType, FileId::Transactions})
        open_.push_back(std::make_unique<RelatedFilesOpen>(*relationManagerFor(file)));
}

int CatalogueTest::addCategory(const std::string& name) {
    FileManager& file = *fileManagerFor(FileId::Rooms);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    ROO::ROOMNAME.set(name);
    EXPECT_EQ(file.Insert(), SeverityNone);
    return ROO::ROOMNUMBER.get();
}

int CatalogueTest::addInvestment(int category, const std::string& name, bool focus) {
    FileManager& file = *fileManagerFor(FileId::Categories);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    CAT::ROOMNUMBER.set(category);
    CAT::CATEGORYNAME.set(name);
    CAT::FOCUSCHECK.set(focus ? "1" : "0");
    EXPECT_EQ(file.Insert(), SeverityNone);
    return CAT::CATEGORYNUMBER.get();
}

int CatalogueTest::addProduct(int investment, const Product& product) {
    FileManager& file = *fileManagerFor(FileId::Securities);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    SEC::CATEGORYNUMBER.set(investment);
    SEC::SYMBOL.set(product.symbol);
    SEC::SECURITYNAME.set(product.name);
    SEC::CUSIPNUMBER.set(product.cusip);
    SEC::INVESTMENTTYPE.set(product.objective);
    SEC::ACTIVE.set(product.active ? "1" : "0");
    EXPECT_EQ(file.Insert(), SeverityNone);
    return SEC::SECURITYNUMBER.get();
}

void CatalogueTest::addObjective(const std::string& code, const std::string& description) {
    FileManager& file = *fileManagerFor(FileId::InvestmentType);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    INV::INVESTTYPECODE.set(code);
    INV::INVESTTYPEDESC.set(description);
    EXPECT_EQ(file.Insert(), SeverityNone);
}

void CatalogueTest::addTrade(int investment, const std::string& symbol) {
    FileManager& file = *fileManagerFor(FileId::Transactions);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    TRN::CATEGORYNUMBER.set(investment);
    TRN::SYMBOL.set(symbol);
    TRN::BUYSELL.set("Buy");
    EXPECT_EQ(file.Insert(), SeverityNone);
}

void CatalogueTest::read(FileId file, int key, IntegerField number, int value) {
    buffer(file).clear();
    number.set(value);
    ASSERT_EQ(fileManagerFor(file)->Fetch(key), SeverityNone);
}

std::vector<std::string> CatalogueTest::trades() {
    return rows(FileId::Transactions, TRN::key::TRANSACTIONNUMBERKEY,
                {TRN::CATEGORYNUMBER, TRN::SYMBOL});
}

}  // namespace bb::test
