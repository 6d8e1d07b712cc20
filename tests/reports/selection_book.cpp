#include "selection_book.h"

#include <QHeaderView>
#include <QTreeView>
#include <algorithm>

#include "data/data_folder.h"
#include "data/file_manager.h"
#include "data/view_manager.h"
#include "platform/filter.h"
#include "ui/marked_list.h"

namespace bb::test {

namespace {

struct Customer {
    const char* name;
    int active;
    const char* rep;
    const char* salesLevel;
    std::vector<const char*> groups;
};

const Customer kCustomers[] = {
    {"Adams", 1, "101", "Gold", {"Golf"}},
    {"Brown", 1, "205", "Silver", {"Golf Club"}},
    {"Clark", 0, "101", "Gold", {"Golf", "Chess"}},
    {"Davis", 1, "309", "Silver", {"O'Brien Club"}},
    {"Evans", 1, "205", "Gold", {"Golf", "O'Brien Club"}},
    {"Foster", 0, "309", "", {}},
    {"Green", 1, "101", "Silver", {"Chess"}},
    {"Hill", 1, "205", "", {}},
};

void add(FileId file, const std::function<void()>& fill) {
    buffer(file).clear();
    fill();
    ASSERT_TRUE(fileManagerFor(file)->Driver().add(buffer(file)).ok()) << fileDef(file).label;
}

void addBook() {
    const std::pair<const char*, const char*> reps[] = {
        {"101", "Ann Archer"}, {"205", "Bob Baker"}, {"309", "Cy Cole"}};
    int number = 0;
    for (const auto& [code, name] : reps) {
        add(FileId::Representatives, [&] {
            REP::REPRESENTATIVENUMBER.set(++number);
            REP::REP_NUM.set(code);
            REP::REP_NAME.set(name);
        });
    }
    for (const char* group : {"Chess", "Golf", "Golf Club", "O'Brien Club"})
        add(FileId::Committees, [&] { COM::COMMITTEE.set(group); });
    for (const char* type : {"Gold", "Silver"})
        add(FileId::MembershipTypes, [&] { TYP::MEMBERTYPE.set(type); });
    for (const char* state : {"CA", "NY"}) add(FileId::States, [&] { ST::STATECODE.set(state); });
    int member = 0;
    for (const Customer& c : kCustomers) {
        add(FileId::Members, [&] {
            MBR::MEMBERNUMBER.set(++member);
            MBR::LASTNAME.set(c.name);
            MBR::ACTIVE.set(c.active);
            MBR::REP_NUM.set(c.rep);
            MBR::SALESLEVEL.set(c.salesLevel);
        });
        for (const char* group : c.groups) {
            add(FileId::Commbrs, [&] {
                CMBRS::COMMITTEE.set(group);
                CMBRS::MEMBERNUMBER.set(member);
            });
        }
    }
}

}  // namespace

SelectionBookTest::SelectionBookTest() {
    Clock::fix(today());
    for (FileId file : {FileId::Members, FileId::Committees, FileId::MembershipTypes,
                        FileId::Representatives, FileId::States, FileId::Defaults})
        open_.push_back(std::make_unique<RelatedFilesOpen>(*relationManagerFor(file)));
    addBook();
}

SelectionBookTest::~SelectionBookTest() {
    ui.closeAll();
    open_.clear();
    Clock::release();
}

std::vector<std::string> SelectionBookTest::selected(const std::string& filter) {
    const auto compiled = Filter::compile(filter);
    if (const auto* error = std::get_if<FilterError>(&compiled)) {
        ADD_FAILURE() << filter << ": " << error->message;
        return {};
    }
    ViewManager view;
    view.Setup({FileId::Members, {{FileId::Commbrs}}}, *relationManagerFor(FileId::Members));
    view.DefineSortOrder(MBR::key::NAMEKEY);
    view.DefineFilter(filter);
    std::vector<std::string> names;
    EXPECT_EQ(view.Reset(0), SeverityNone);
    while (view.Next() == SeverityNone) {
        // One row per membership: a customer in two groups comes twice.
        if (names.empty() || names.back() != MBR::LASTNAME.get())
            names.push_back(MBR::LASTNAME.get());
    }
    view.Teardown();
    return names;
}

const std::vector<std::string>& SelectionBookTest::everyone() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Customer& c : kCustomers) all.emplace_back(c.name);
        return all;
    }();
    return names;
}

std::vector<Record> SelectionBookTest::storedPreferences() {
    std::vector<Record> records;
    auto file = dataStorage().file(fileDef(FileId::Defaults));
    if (!file->open(kSharedReadWrite).ok()) return records;
    Record record(fileDef(FileId::Defaults));
    if (file->setStart(-1).ok()) {
        while (file->next(record).ok()) records.push_back(record);
    }
    file->close();
    return records;
}

void SelectionBookTest::expectNothingCut(const MarkedList& list) {
    expectNoColumnCut(*list.LISTCONTROL);
}

void SelectionBookTest::storePreferences(const std::function<void(Record&)>& fill) {
    FileManager& defaults = *fileManagerFor(FileId::Defaults);
    Record& record = defaults.Buffer();
    record.clear();
    fill(record);
    ASSERT_EQ(defaults.SetOrder(-1), SeverityNone);
    Record stored(fileDef(FileId::Defaults));
    if (defaults.Driver().next(stored).ok()) {
        ASSERT_TRUE(defaults.Driver().put(record).ok());
    } else {
        ASSERT_TRUE(defaults.Driver().add(record).ok());
    }
    record.clear();
}

}  // namespace bb::test
