#include "test_form.h"

#include "data/data_folder.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "ui/procedures.h"

namespace bb::test {

WindowDecl testFormDecl() {
    return WindowDecl{
        .procedure = "UpdateTestRepresentatives",
        .caption = kTestFormCaption,
        .primary = FileId::Representatives,
        .fields =
            {
                {.field = REP::REP_NUM,
                 .prompt = "&Number:",
                 .picture = "@s5",
                 .tip = "The representative's own number",
                 .message = "Enter the number the office knows the representative by",
                 .tab = "General",
                 .ditto = true},
                {.field = REP::REP_NAME,
                 .prompt = "N&ame:",
                 .picture = "@s25",
                 .message = "The representative's name",
                 .tab = "General",
                 .ditto = true},
                {.kind = ControlKind::DropList,
                 .field = REP::STATE,
                 .prompt = "&State:",
                 .message = "Select a state from the drop-down list",
                 .tab = "General",
                 .ditto = true,
                 .drop = DropDecl{.file = FileId::States,
                                  .key = ST::key::STATEKEY,
                                  .format = "18L(1)|M~Code~@s2@80L(2)|M~Name~@s20@",
                                  .columns = {ST::STATECODE, ST::STATENAME},
                                  .updates = {{ST::STATECODE, REP::STATE}}}},
                {.kind = ControlKind::Display,
                 .field = ST::STATENAME,
                 .name = "State name",
                 .tab = "General",
                 .beside = true},
                {.kind = ControlKind::DateSpin,
                 .field = REP::BIRTHDATE,
                 .prompt = "&Birth Date:",
                 .picture = "@d2",
                 .tab = "General",
                 .ditto = true},
                {.field = REP::CRDNUMBER,
                 .prompt = "&CRD Number:",
                 .picture = "@n9",
                 .tab = "General"},
                {.kind = ControlKind::Option,
                 .field = REP::LOCATION,
                 .prompt = "&Location",
                 .message = "Where the representative works",
                 .tab = "General",
                 .radios = {{"OSJ (Series 24)", "1", "Office of supervisory jurisdiction"},
                            {"In Office Branch", "2", "", "Works in an office branch"},
                            {"Non-OSJ", "3"}}},
                {.kind = ControlKind::Check,
                 .field = REP::SERIES7,
                 .prompt = "Series &7",
                 .message = "Passed the Series 7 examination",
                 .tab = "General"},
                {.kind = ControlKind::DateSpin,
                 .field = REP::U4DATE,
                 .prompt = "Form &U4 Date:",
                 .picture = "@d2",
                 .tab = "Licensing"},
                {.field = REP::EMAIL, .prompt = "&E-Mail:", .picture = "@s35", .tab = "Licensing"},
            },
        .buttons =
            {
                {.text = "&OK", .role = ButtonRole::Ok, .message = "Save changes and exit"},
                {.text = "&Cancel",
                 .role = ButtonRole::Cancel,
                 .message = "Cancel changes and exit"},
                {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
            },
    };
}

bool TestForm::CheckFields() {
    if (text::isBlank(REP::REP_NUM.get()))
        return Refuse(REP::REP_NUM, "Representative Number Required",
                      "     Enter a number for this registered representative.");
    if (text::isBlank(REP::REP_NAME.get()))
        return Refuse(REP::REP_NAME, "Representative Name Required",
                      "     Enter the name of this registered representative.");
    return true;
}

void TestForm::SeedNewRecord() {
    REP::MEDALLION.set("N");
    REP::STATE.set("CA");
}

namespace {
RelationManager& relations(FileId file) {
    return *relationManagerFor(file);
}
}  // namespace

TestFormTest::TestFormTest() {
    auto storage = std::make_unique<FaultyStorage>(openSqliteStorage(folder_.path()));
    storage_ = storage.get();
    useDataStorage(std::move(storage));
    procedures().add("UpdateTestRepresentatives", [this](std::string_view) {
        TestForm form(decl);
        processValues().LastResponse = form.Run();
    });
    // The caller keeps its files open while the form runs, as a browse does.
    relations(FileId::Representatives).Open();
    relations(FileId::States).Open();
    const char* states[][2] = {{"AK", "Alaska"}, {"CA", "California"}, {"TX", "Texas"}};
    for (const auto& [code, name] : states) {
        buffer(FileId::States).clear();
        ST::STATECODE.set(code);
        ST::STATENAME.set(name);
        EXPECT_EQ(fileManagerFor(FileId::States)->Insert(), SeverityNone);
    }
}

TestFormTest::~TestFormTest() {
    ui.closeAll();
    relations(FileId::States).Close();
    relations(FileId::Representatives).Close();
}

int TestFormTest::callForm(int request) {
    if (request == InsertRequest) {
        EXPECT_EQ(fileManagerFor(FileId::Representatives)->PrimeNewRecord(), SeverityNone);
    }
    return procedures().call("UpdateTestRepresentatives", request);
}

int TestFormTest::addRepresentative(const std::string& num, const std::string& name,
                                    const std::string& state) {
    FileManager& file = *fileManagerFor(FileId::Representatives);
    EXPECT_EQ(file.PrimeNewRecord(), SeverityNone);
    REP::REP_NUM.set(num);
    REP::REP_NAME.set(name);
    REP::STATE.set(state);
    EXPECT_EQ(file.Insert(), SeverityNone);
    return REP::REPRESENTATIVENUMBER.get();
}

void TestFormTest::readRepresentative(int number) {
    buffer(FileId::Representatives).clear();
    REP::REPRESENTATIVENUMBER.set(number);
    ASSERT_EQ(fileManagerFor(FileId::Representatives)->Fetch(REP::key::REPRESENTATIVENUMBERKEY),
              SeverityNone);
}

std::vector<std::string> TestFormTest::representatives() {
    FileManager& file = *fileManagerFor(FileId::Representatives);
    const int saved = file.SaveCopy();
    std::vector<std::string> out;
    file.SetOrder(REP::key::REPRESENTATIVENUMBERKEY);
    while (file.NextQuietly() == SeverityNone)
        out.push_back(REP::REP_NUM.get() + " " + REP::REP_NAME.get());
    file.RestoreCopy(saved, true);
    return out;
}

}  // namespace bb::test

namespace bb::test {

void TestFormTest::clearRepresentatives() {
    FileManager& file = *fileManagerFor(FileId::Representatives);
    file.SetOrder(REP::key::REPRESENTATIVENUMBERKEY);
    while (file.NextQuietly() == SeverityNone)
        ASSERT_EQ(relationManagerFor(FileId::Representatives)->Delete(false), SeverityNone);
}

}  // namespace bb::test
