#include "browse_fixture.h"

#include <QApplication>
#include <QTest>
#include <algorithm>

#include "customers_by_company.h"
#include "data/data_folder.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "ui/procedures.h"

namespace bb::test {

RowColours customerColours(int) {
    if (MBR::ACTIVE.get() != 0) return {};
    return {0xC0C0C0, kDefaultColour, 0xFFFFFF, 0xC0C0C0};
}

std::string numbered(int n) {
    const std::string digits = std::to_string(n);
    return "Company " + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

std::vector<std::string> numberedRange(int from, int to) {
    std::vector<std::string> out;
    for (int n = from; n <= to; ++n) out.push_back(numbered(n));
    return out;
}

WindowDecl customerListDecl() {
    ListDecl customers = customersByCompany();
    customers.update = "UpdateTestCustomers";
    customers.colours = customerColours;
    customers.hideSelect = true;
    return WindowDecl{
        .procedure = "BrowseTestCustomers",
        .caption = kListCaption,
        .fields = {{.kind = ControlKind::List,
                    .name = kList,
                    .tip = "The customers by company name",
                    .message = "Select a customer",
                    .list = customers}},
        .buttons = {{.text = "&Insert", .role = ButtonRole::Insert, .message = "Add a customer"},
                    {.text = "&Change", .role = ButtonRole::Change},
                    {.text = "&Delete", .role = ButtonRole::Delete},
                    {.text = "&Select", .role = ButtonRole::Select},
                    {.text = "C&lose", .role = ButtonRole::Cancel},
                    {.text = "&Help", .role = ButtonRole::Help}},
    };
}

WindowDecl customerFormDecl() {
    return WindowDecl{
        .procedure = "UpdateTestCustomers",
        .caption = kFormCaption,
        .primary = FileId::Members,
        .fields = {{.field = MBR::COMPANYNAME, .prompt = "C&ompany:", .picture = "@s34"},
                   {.field = MBR::CITY, .prompt = "Ci&ty:", .picture = "@s25"}},
        .buttons = {{.text = "&OK", .role = ButtonRole::Ok},
                    {.text = "&Cancel", .role = ButtonRole::Cancel}},
    };
}

BrowseTest::BrowseTest() {
    auto storage = std::make_unique<FaultyStorage>(openSqliteStorage(folder_.path()));
    storage_ = storage.get();
    useDataStorage(std::move(storage));
    procedures().add("BrowseTestCustomers", [this](std::string_view) {
        startWindow(std::make_unique<WindowManager>(list));
    });
    procedures().add("SelectTestCustomer", [this](std::string_view) {
        WindowManager window(list);
        processValues().LastResponse = window.Run();
    });
    procedures().add("UpdateTestCustomers", [this](std::string_view) {
        WindowManager window(form);
        processValues().LastResponse = window.Run();
    });
    // The customers file exists (and stays open) before a list reads it.
    EXPECT_EQ(relationManagerFor(FileId::Members)->Open(), SeverityNone);
}

BrowseTest::~BrowseTest() {
    // The windows go before the declarations they were made from.
    ui.closeAll();
    relationManagerFor(FileId::Members)->Close();
}

void BrowseTest::addCustomers(const std::vector<std::string>& names, int first) {
    Storage& storage = fileManagerFor(FileId::Members)->storage();
    auto members = storage.file(fileDef(FileId::Members));
    ASSERT_TRUE(members->open(kSharedReadWrite).ok());
    ASSERT_TRUE(storage.begin(2000).ok());
    Record& r = buffer(FileId::Members);
    for (std::size_t i = 0; i < names.size(); ++i) {
        r.clear();
        MBR::MEMBERNUMBER.set(first + static_cast<int>(i));
        MBR::COMPANYNAME.set(names[i]);
        MBR::CITY.set("City " + std::to_string(first + static_cast<int>(i)));
        MBR::ACTIVE.set(1);
        ASSERT_TRUE(members->add(r).ok());
    }
    ASSERT_TRUE(storage.commit().ok());
    r.clear();
}

void BrowseTest::addNumbered(int count, int first) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(numbered(first + i));
    addCustomers(names, first);
}

DrivenWindow BrowseTest::start() {
    procedures().call("BrowseTestCustomers");
    ui.settle();
    return shown();
}

BrowseManager& BrowseTest::browse() {
    return *shown().manager().Browse(kList);
}

std::string BrowseTest::highlighted() {
    const int row = shown().highlighted(kList);
    const std::vector<std::string> all = rows();
    return row >= 0 && row < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(row)]
                                                          : std::string();
}

void BrowseTest::press(QKeyCombination key) {
    shown().focus(kList);
    shown().key(key);
}

std::vector<std::string> BrowseTest::companies() {
    FileManager& file = *fileManagerFor(FileId::Members);
    const int saved = file.SaveCopy();
    std::vector<std::string> out;
    file.SetOrder(MBR::key::COMPANYKEY);
    while (file.NextQuietly() == SeverityNone) out.push_back(MBR::COMPANYNAME.get());
    file.RestoreCopy(saved, true);
    return out;
}

}  // namespace bb::test
