#include "code_tables_fixture.h"

#include "data/file_manager.h"

namespace bb::test {

CodeTablesTest::CodeTablesTest() {
    for (FileId file : {FileId::Vendors, FileId::VPhones, FileId::AccountTypes,
                        FileId::InvestmentType, FileId::AccountRegistration})
        open_.push_back(std::make_unique<RelatedFilesOpen>(*relationManagerFor(file)));
}

int CodeTablesTest::addCompany(const std::string& name) {
    FileManager& file = *fileManagerFor(FileId::Vendors);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    VEN::VENDORNAME.set(name);
    EXPECT_EQ(file.Insert(), SeverityNone);
    return VEN::VENDORNUMBER.get();
}

void CodeTablesTest::addAccountType(const std::string& type, const std::string& description) {
    buffer(FileId::AccountTypes).clear();
    ACT::ACCOUNTTYPE.set(type);
    ACT::DESCRIPTION.set(description);
    EXPECT_EQ(fileManagerFor(FileId::AccountTypes)->Insert(), SeverityNone);
}

void CodeTablesTest::addObjective(const std::string& code, const std::string& description) {
    FileManager& file = *fileManagerFor(FileId::InvestmentType);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    INV::INVESTTYPECODE.set(code);
    INV::INVESTTYPEDESC.set(description);
    EXPECT_EQ(file.Insert(), SeverityNone);
}

void CodeTablesTest::addAccount(const std::string& company, const std::string& type,
                                const std::string& shortName) {
    FileManager& file = *fileManagerFor(FileId::AccountRegistration);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    ACC::COMPANY.set(company);
    ACC::ACCOUNTTYPE.set(type);
    ACC::ACCOUNTSHORTNAME.set(shortName);
    ACC::ACCOUNTNUMBER.set(shortName + "-1");
    EXPECT_EQ(file.Insert(), SeverityNone);
}

void CodeTablesTest::addCompanyPhone(int company, const std::string& number) {
    buffer(FileId::VPhones).clear();
    VPH::VENDORNUMBER.set(company);
    VPH::DESCRIPTION.set("Office");
    VPH::PHONENUMBER.set(number);
    EXPECT_EQ(fileManagerFor(FileId::VPhones)->Insert(), SeverityNone);
}

void CodeTablesTest::readCompany(const std::string& name) {
    buffer(FileId::Vendors).clear();
    VEN::VENDORNAME.set(name);
    fetch(FileId::Vendors, VEN::key::VENDORNAMEKEY);
}

std::vector<std::string> CodeTablesTest::accounts() {
    std::vector<std::string> out;
    for (std::string row : rows(FileId::AccountRegistration, ACC::key::REGISTRATIONNUMBERKEY,
                                {ACC::ACCOUNTSHORTNAME, ACC::COMPANY, ACC::ACCOUNTTYPE})) {
        for (std::size_t at = row.find('|'); at != std::string::npos; at = row.find('|'))
            row.replace(at, 1, ": ");
        out.push_back(row);
    }
    return out;
}

std::vector<std::string> CodeTablesTest::companies() {
    return rows(FileId::Vendors, VEN::key::VENDORNAMEKEY, {VEN::VENDORNAME});
}

}  // namespace bb::test
