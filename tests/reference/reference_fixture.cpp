#include "reference_fixture.h"

#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/procedures.h"

namespace bb::test {

ReferenceTest::ReferenceTest() {
    registerReferenceWindows(procedures());
    for (FileId file : {FileId::States, FileId::MembershipTypes, FileId::Members,
                        FileId::Representatives, FileId::RepStates})
        open_.push_back(std::make_unique<RelatedFilesOpen>(*relationManagerFor(file)));
}

ReferenceTest::~ReferenceTest() {
    ui.closeAll();
    for (const std::string& name : standIns_) procedures().remove(name);
}

void ReferenceTest::standIn(const std::string& name, Procedure body) {
    procedures().add(name, std::move(body));
    standIns_.push_back(name);
}

int ReferenceTest::callForm(std::string_view procedure, FileId file, int request) {
    if (request == InsertRequest) {
        EXPECT_EQ(fileManagerFor(file)->PrimeNewRecord(), SeverityNone);
    }
    return procedures().call(procedure, request);
}

void ReferenceTest::addState(const std::string& code, const std::string& name,
                             const std::string& fee) {
    buffer(FileId::States).clear();
    ST::STATECODE.set(code);
    ST::STATENAME.set(name);
    EXPECT_TRUE(ST::LICENSEFEE.set(Decimal::parse(fee).value()));
    EXPECT_EQ(fileManagerFor(FileId::States)->Insert(), SeverityNone);
}

void ReferenceTest::addClassification(const std::string& name, const std::string& description) {
    buffer(FileId::MembershipTypes).clear();
    TYP::MEMBERTYPE.set(name);
    TYP::DESCRIPTION.set(description);
    EXPECT_EQ(fileManagerFor(FileId::MembershipTypes)->Insert(), SeverityNone);
}

int ReferenceTest::addRepresentative(const std::string& num, const std::string& name) {
    FileManager& file = *fileManagerFor(FileId::Representatives);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    REP::REP_NUM.set(num);
    REP::REP_NAME.set(name);
    EXPECT_EQ(file.Insert(), SeverityNone);
    return REP::REPRESENTATIVENUMBER.get();
}

void ReferenceTest::addRegistration(int representative, const std::string& state) {
    buffer(FileId::RepStates).clear();
    RST::REPRESENTATIVENUMBER.set(representative);
    RST::STATE.set(state);
    RST::EFFECTIVEDATE.set(dayNumber(2020, 1, 1).value());
    EXPECT_EQ(fileManagerFor(FileId::RepStates)->Insert(), SeverityNone);
}

void ReferenceTest::readRepresentative(int number) {
    buffer(FileId::Representatives).clear();
    REP::REPRESENTATIVENUMBER.set(number);
    fetch(FileId::Representatives, REP::key::REPRESENTATIVENUMBERKEY);
}

int ReferenceTest::addCustomer(const std::string& lastName, const std::string& level) {
    FileManager& file = *fileManagerFor(FileId::Members);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    MBR::LASTNAME.set(lastName);
    MBR::SALESLEVEL.set(level);
    EXPECT_EQ(file.Insert(), SeverityNone);
    return MBR::MEMBERNUMBER.get();
}

void ReferenceTest::fetch(FileId file, int key) {
    ASSERT_EQ(fileManagerFor(file)->Fetch(key), SeverityNone);
}

std::vector<std::string> ReferenceTest::titles() const {
    std::vector<std::string> out;
    for (const MessageRequest& shown : ui.messages.shown) out.push_back(shown.title);
    return out;
}

std::vector<std::string> ReferenceTest::refusedDelete() {
    return {"Confirm Delete", "Referential Integrity Delete Error", "Record Delete Error"};
}

std::vector<std::string> ReferenceTest::customers() {
    std::vector<std::string> out;
    for (const std::string& row :
         rows(FileId::Members, MBR::key::MEMBERKEY, {MBR::LASTNAME, MBR::SALESLEVEL}))
        out.push_back(row.substr(0, row.find('|')) + ": " + row.substr(row.find('|') + 1));
    return out;
}

std::vector<std::string> ReferenceTest::rows(FileId file, int key,
                                             const std::vector<FieldRef>& fields) {
    FileManager& manager = *fileManagerFor(file);
    const int saved = manager.SaveCopy();
    std::vector<std::string> out;
    manager.SetOrder(key);
    while (manager.NextQuietly() == SeverityNone) {
        std::string row;
        for (const FieldRef& field : fields) {
            const std::string value = field.value().toText();
            row += (row.empty() ? "" : "|") + std::string(text::clip(value));
        }
        out.push_back(row);
    }
    manager.RestoreCopy(saved, true);
    return out;
}

}  // namespace bb::test
