#include "customer_fixture.h"

#include "customers/customer_procedures.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/decimal.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr FileId kOpenFiles[] = {FileId::Members,         FileId::Representatives, FileId::States,
                                 FileId::MembershipTypes, FileId::MPhones,         FileId::Log};

void insert(FileId file) {
    EXPECT_EQ(fileManagerFor(file)->Insert(), SeverityNone);
}

int addRepresentative(const char* num, const char* name) {
    EXPECT_EQ(fileManagerFor(FileId::Representatives)->PrimeNewRecord(), SeverityNone);
    REP::REP_NUM.set(num);
    REP::REP_NAME.set(name);
    insert(FileId::Representatives);
    return REP::REPRESENTATIVENUMBER.get();
}

}  // namespace

CustomerFixture::CustomerFixture() {
    registerCustomerProcedures(procedures());
    for (FileId file : kOpenFiles) relationManagerFor(file)->Open();
    const char* states[][2] = {{"AK", "Alaska"}, {"CA", "California"}, {"TX", "Texas"}};
    for (const auto& [code, name] : states) {
        buffer(FileId::States).clear();
        ST::STATECODE.set(code);
        ST::STATENAME.set(name);
        insert(FileId::States);
    }
    const char* types[][2] = {{"Retail", "Retail investor"}, {"Trust", "Trust account"}};
    for (const auto& [type, description] : types) {
        buffer(FileId::MembershipTypes).clear();
        TYP::MEMBERTYPE.set(type);
        TYP::DESCRIPTION.set(description);
        insert(FileId::MembershipTypes);
    }
    ann_ = addRepresentative("101", "Ann Adams");
    bob_ = addRepresentative("202", "Bob Brown");
}

CustomerFixture::~CustomerFixture() {
    ui.closeAll();
    for (FileId file : kOpenFiles) relationManagerFor(file)->Close();
}

int CustomerFixture::addCustomer(const std::string& last, const std::string& first) {
    EXPECT_EQ(fileManagerFor(FileId::Members)->PrimeNewRecord(), SeverityNone);
    MBR::MEMBERTYPE.set("Individual");
    MBR::LASTNAME.set(last);
    MBR::FIRSTNAME.set(first);
    MBR::MEMBERNAME.set(first + " " + last);
    MBR::COMPANYNAME.set(first + " " + last);
    MBR::ADDRESS.set("1 Main Street");
    MBR::CITY.set("Austin");
    MBR::STATE.set("TX");
    MBR::ZIPCODE.set("78701");
    MBR::REPRESENTATIVENUMBER.set(ann_);
    MBR::REP_NUM.set("101");
    MBR::SALESLEVEL.set("Retail");
    MBR::EMPLOYER.set("Acme Tools");
    MBR::BIRTHDATE.set(*dayNumber(1970, 3, 15));
    MBR::BIRTHMONTH.set(3);
    MBR::BIRTHDAY.set(15);
    MBR::MARRIEDYN.set("Y");
    EXPECT_TRUE(MBR::INCOME.set(Decimal(85000)));
    EXPECT_TRUE(MBR::NETWORTH.set(Decimal(250000)));
    MBR::SALESTAXID.set("123-45-" + std::to_string(6789 + count(FileId::Members)));
    MBR::LASTUPDATE.set(*dayNumber(2026, 1, 5));
    insert(FileId::Members);
    return MBR::MEMBERNUMBER.get();
}

void CustomerFixture::readCustomer(int number) {
    buffer(FileId::Members).clear();
    MBR::MEMBERNUMBER.set(number);
    ASSERT_EQ(fileManagerFor(FileId::Members)->Fetch(MBR::key::MEMBERKEY), SeverityNone);
}

void CustomerFixture::addPhone(int number, const std::string& type, const std::string& digits,
                               const std::string& department, const std::string& extension,
                               const std::string& contact) {
    buffer(FileId::MPhones).clear();
    MPH::MEMBERNUMBER.set(number);
    MPH::DESCRIPTION.set(type);
    MPH::PHONENUMBER.set(digits);
    MPH::DEPARTMENT.set(department);
    MPH::EXTENSION.set(extension);
    MPH::CONTACT.set(contact);
    insert(FileId::MPhones);
}

DrivenWindow CustomerFixture::startList() {
    procedures().call("BrowseMembers");
    ui.settle();
    return ui.window("Customer List");
}

int CustomerFixture::callForm(int request, const std::string& procedure) {
    if (request == InsertRequest) {
        EXPECT_EQ(fileManagerFor(FileId::Members)->PrimeNewRecord(), SeverityNone);
    }
    return procedures().call(procedure, request);
}

void CustomerFixture::cancel(DrivenWindow& form) {
    // "Save Record", when the form asks it, is answered No.
    const std::size_t shown = ui.messages.shown.size();
    ui.messages.answer(ButtonNo);
    form.press("Cancel");
    if (ui.messages.shown.size() == shown) ui.messages.dropReplies();
    EXPECT_TRUE(form.manager().Closed());
}

int CustomerFixture::count(FileId file) {
    FileManager& manager = *fileManagerFor(file);
    const int saved = manager.SaveCopy();
    manager.SetOrder(0);
    int n = 0;
    while (manager.NextQuietly() == SeverityNone) ++n;
    manager.RestoreCopy(saved, true);
    return n;
}

}  // namespace bb::test
