// The customer list over a small book: the Show option the preferences
// choose, the row colours on a fixed day, the highlighted customer's lines,
// one list at a time, the checks before its buttons act, the files an
// insert needs first, and a deleted customer leaving this list and another
// station's.
#include "customers/browse_members.h"

#include <gtest/gtest.h>

#include <QAccessible>

#include <QPoint>
#include <QWidget>
#include <functional>

#include "customer_fixture.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "processes.h"
#include "ui/browse_manager.h"
#include "ui/browse_model.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr char kCaption[] = "Customer List";
constexpr char kList[] = "Customers";

class BrowseMembersTest : public CustomerFixture {
protected:
    BrowseMembersTest() { Clock::fix(*dayNumber(2026, 12, 10)); }
    ~BrowseMembersTest() override { Clock::release(); }

    // Smith and Jones, each with an office phone and a note.
    void addTwoWithPhonesAndNotes() {
        for (int number : {addCustomer(), addCustomer("Jones", "Mary")}) {
            addPhone(number, "Office", "5125550100");
            buffer(FileId::Log).clear();
            LOG::MEMBERNUMBER.set(number);
            LOG::REPRESENTATIVENUMBER.set(ann_);
            LOG::SUBJECT.set("Called");
            ASSERT_TRUE(LOG::DAYOFMONTH.set(Decimal(1)));
            ASSERT_EQ(fileManagerFor(FileId::Log)->Insert(), SeverityNone);
        }
    }
    void change(int number, const std::function<void()>& how) {
        readCustomer(number);
        how();
        ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    }
};

struct ShowCase {
    const char* filter;
    const char* shown;
};

TEST_F(BrowseMembersTest, TheShowOptionComesFromThePreferencesFilter) {
    const ShowCase cases[] = {{"MBR:Active=1", "Active"},
                              {"MBR:Active=0 AND MBR:SalesLevel='Retail'", "Inactive"},
                              {"MBR:SalesLevel='Retail'", "Both"},
                              {"", "Both"}};
    const int smith = addCustomer();
    addCustomer("Jones", "Mary");
    change(smith, [] { MBR::ACTIVE.set(0); });
    for (const ShowCase& c : cases) {
        SCOPED_TRACE(c.filter);
        CTRL::REPORTFILTER.set(c.filter);
        DrivenWindow list = startList();
        EXPECT_EQ(list.shown("Show Customers"), c.shown);
        const std::vector<std::string> rows = list.rows(kList);
        EXPECT_EQ(rows.size(), std::string(c.shown) == "Both" ? 2U : 1U);
        list.close();
        ui.settle();
    }
}

struct ColourCase {
    const char* what;
    std::function<void()> make;
    int foreground;  // -1: the list's own
};

TEST_F(BrowseMembersTest, RowColoursFollowActivityBirthdayOutdatedDataAndEmployees) {
    CTRL::DEFAULTOUTDATEDATE.set(*dayNumber(2025, 12, 10));
    const DayNumber outdated = *dayNumber(2024, 1, 1);
    const ColourCase cases[] = {
        {"plain", [] {}, kDefaultColour},
        {"inactive on his birthday",
         [] {
             MBR::ACTIVE.set(0);
             MBR::BIRTHDATE.set(*dayNumber(1970, 12, 10));
         },
         0xC0C0C0},
        {"birthday and outdated",
         [&] {
             MBR::BIRTHDATE.set(*dayNumber(1970, 12, 10));
             MBR::LASTUPDATE.set(outdated);
         },
         0x0000FF},
        {"outdated and employee-related",
         [&] {
             MBR::LASTUPDATE.set(outdated);
             MBR::EMPLOYEERELATED.set("Y");
         },
         0xFF0000},
        {"employee-related", [] { MBR::EMPLOYEERELATED.set("Y"); }, 0x008000},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.what);
        buffer(FileId::Members).clear();
        MBR::ACTIVE.set(1);
        MBR::LASTUPDATE.set(*dayNumber(2026, 6, 1));
        MBR::EMPLOYEERELATED.set("N");
        c.make();
        EXPECT_EQ(customerRowColours(0).foreground, c.foreground);
    }
    // The list shows them: the birthday customer blue, white on blue when highlighted.
    const int smith = addCustomer();
    change(smith, [&] {
        MBR::BIRTHDATE.set(*dayNumber(1970, 12, 10));
        MBR::LASTUPDATE.set(outdated);
    });
    CTRL::REPORTFILTER.set("MBR:Active=1");
    DrivenWindow list = startList();
    const BrowseModel& model = list.manager().Browse(kList)->Rows();
    EXPECT_EQ(model.index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0x0000FF));
    EXPECT_EQ(model.index(0, 0).data(BrowseModel::kSelectedBackgroundRole).value<QColor>(),
              QColor(0x0000FF));
    EXPECT_EQ(list.shown("DisplayName"), "Happy Birthday John!");
}

TEST_F(BrowseMembersTest, TheHighlightedCustomersLinesAndPhonesFollowTheHighlight) {
    const int smith = addCustomer();
    const int jones = addCustomer("Jones", "Mary");
    change(jones, [this] {
        MBR::ADDRESS2.set("Suite 4");
        MBR::REPRESENTATIVENUMBER.set(bob_);
    });
    addPhone(smith, "Office", "5125550100", "Sales", "221");
    CTRL::REPORTFILTER.set("MBR:Active=1");
    DrivenWindow list = startList();
    ASSERT_EQ(list.rows(kList), (std::vector<std::string>{"John Smith", "Mary Jones"}));
    EXPECT_EQ(list.shown("Title"), "John Smith");
    EXPECT_EQ(list.shown("RepresentativeLine"), "Representative: Ann Adams");
    EXPECT_EQ(list.shown("AddressLine1"), "1 Main Street");
    EXPECT_EQ(list.shown("AddressLine2"), "Austin, TX 78701");
    EXPECT_EQ(list.shown("AddressLine3"), "");
    EXPECT_EQ(list.rows("Customer phones"), std::vector<std::string>{"Office"});
    list.screenshot("customer list");
    list.clickRow(kList, 1);
    EXPECT_EQ(list.shown("Title"), "Mary Jones");
    EXPECT_EQ(list.shown("RepresentativeLine"), "Representative: Bob Brown");
    EXPECT_EQ(list.shown("AddressLine2"), "Suite 4");
    EXPECT_EQ(list.shown("AddressLine3"), "Austin, TX 78701");
    EXPECT_TRUE(list.rows("Customer phones").empty());
}

// A screen reader reads a detail line out as the text it shows, and says
// which line it is through the description.
TEST_F(BrowseMembersTest, TheDetailLinesAreReadOutAsWhatTheyShow) {
    addCustomer();
    DrivenWindow list = startList();
    for (const char* line : {"Title", "AddressLine1", "AddressLine2"}) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(list.find(line));
        ASSERT_NE(read, nullptr) << line;
        EXPECT_EQ(read->text(QAccessible::Name).toStdString(), list.shown(line));
        EXPECT_EQ(read->text(QAccessible::Description).toStdString(), line);
    }
    QAccessibleInterface* address =
        QAccessible::queryAccessibleInterface(list.find("AddressLine1"));
    EXPECT_EQ(address->text(QAccessible::Name).toStdString(), "1 Main Street");
}

// The phones belong to the highlighted customer: their list and its button
// sit in the customer's box, beside the customers' list, and Tab goes down
// the customers' column (the list, the Show option) and then down the box.
TEST_F(BrowseMembersTest, ThePhoneListAndItsButtonSitInTheCustomersBox) {
    addPhone(addCustomer(), "Office", "5125550100");
    DrivenWindow list = startList();
    const QWidget* box = list.find("Selected Member Information");
    const QWidget* phones = list.find("Customer phones");
    const QWidget* button = list.find("Phones");
    ASSERT_TRUE(box && phones && button);
    EXPECT_TRUE(box->isAncestorOf(phones));
    EXPECT_TRUE(box->isAncestorOf(button));
    EXPECT_GE(button->mapTo(box, QPoint(0, 0)).y(),
              phones->mapTo(box, QPoint(0, phones->height())).y());
    const QWidget* customers = list.find(kList);
    EXPECT_GT(box->mapTo(list.manager().Widget(), QPoint(0, 0)).x(),
              customers->mapTo(list.manager().Widget(), QPoint(customers->width(), 0)).x());
    list.focus(kList);
    std::vector<std::string> visited{list.focused()};
    for (int i = 0; i < 3; ++i) {
        list.key(QKeyCombination(Qt::Key_Tab));
        visited.push_back(list.focused());
    }
    EXPECT_EQ(visited,
              (std::vector<std::string>{kList, "Show Customers", "Customer phones", "Phones"}));
}

TEST_F(BrowseMembersTest, ASecondCustomerListBringsTheFirstForward) {
    startList();
    EXPECT_EQ(startedWindows().size(), 1U);
    const int open = processValues().CustomerListThread;
    EXPECT_NE(open, 0);
    procedures().call("BrowseMembers");
    EXPECT_EQ(startedWindows().size(), 1U);
    EXPECT_TRUE(ui.messages.shown.empty());
    procedures().call("BrowseRepMembers");
    EXPECT_EQ(startedWindows().size(), 1U);
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Window Already Open");
    EXPECT_EQ(ui.messages.last().text, "   Close the active Customer List first...");
    ui.window(kCaption).close();
    ui.settle();
    EXPECT_EQ(processValues().CustomerListThread, 0);
}

TEST_F(BrowseMembersTest, InsertNamesOnlyTheFirstEmptyFileANewCustomerNeeds) {
    FileManager& states = *fileManagerFor(FileId::States);
    states.SetOrder(ST::key::STATEKEY);
    while (states.NextQuietly() == SeverityNone)
        ASSERT_EQ(relationManagerFor(FileId::States)->Delete(false), SeverityNone);
    DrivenWindow list = startList();
    list.press("Insert");
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Insert Record Required");
    EXPECT_EQ(ui.messages.last().text,
              "Insert at least one State record in the States file first.");
    EXPECT_EQ(ui.frameMenu(), 'M');
    EXPECT_EQ(count(FileId::Members), 0);
}

TEST_F(BrowseMembersTest, AnInactiveCustomersPhonesAreNotOpened) {
    const int smith = addCustomer();
    change(smith, [] { MBR::ACTIVE.set(0); });
    CTRL::REPORTFILTER.set("MBR:Active=0");
    DrivenWindow list = startList();
    list.press("Phones");
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Insert Record Required");
    EXPECT_EQ(ui.messages.last().text, "Phone records cannot be accessed for incomplete accounts.");
}

TEST_F(BrowseMembersTest, DeletingTheHighlightedCustomerTakesItsPhonesAndNotes) {
    addTwoWithPhonesAndNotes();
    DrivenWindow list = startList();
    ASSERT_EQ(list.rows(kList), (std::vector<std::string>{"John Smith", "Mary Jones"}));
    list.clickRow(kList, 0);
    ui.messages.answer(ButtonYes);
    list.press("Delete");
    EXPECT_EQ(ui.messages.last().title, "Confirm Delete");
    EXPECT_EQ(list.rows(kList), std::vector<std::string>{"Mary Jones"});
    EXPECT_EQ(list.shown("Title"), "Mary Jones");
    EXPECT_EQ(list.rows("Customer phones"), std::vector<std::string>{"Office"});
    EXPECT_EQ(count(FileId::Members), 1);
    EXPECT_EQ(count(FileId::MPhones), 1);
    EXPECT_EQ(count(FileId::Log), 1);
}

TEST_F(BrowseMembersTest, DeclinedDeleteKeepsTheCustomerAndTheList) {
    addTwoWithPhonesAndNotes();
    DrivenWindow list = startList();
    list.clickRow(kList, 1);
    ui.messages.answer(ButtonNo);
    list.press("Delete");
    EXPECT_EQ(ui.messages.last().title, "Confirm Delete");
    EXPECT_EQ(list.rows(kList), (std::vector<std::string>{"John Smith", "Mary Jones"}));
    EXPECT_EQ(list.shown("Title"), "Mary Jones");
    EXPECT_EQ(count(FileId::Members), 2);
    EXPECT_EQ(count(FileId::MPhones), 2);
    EXPECT_EQ(count(FileId::Log), 2);
}

TEST_F(BrowseMembersTest, AnotherStationsDeleteLeavesTheListAtItsNextReset) {
    addTwoWithPhonesAndNotes();
    DrivenWindow list = startList();
    ASSERT_EQ(list.shown("Title"), "John Smith");
    ChildProcess station(BB_STORAGE_STATION, {"delete", folder_.path().string(),
                                              std::to_string(MBR::MEMBERNUMBER.get())});
    ASSERT_TRUE(station.waitForLine("deleted 0"));
    EXPECT_EQ(station.wait(), 0);
    // The page holds its rows until the window resets.
    ui.settle();
    EXPECT_EQ(list.rows(kList).size(), 2U);
    list.manager().Reset(true);
    ui.settle();
    EXPECT_EQ(list.rows(kList), std::vector<std::string>{"Mary Jones"});
    EXPECT_EQ(list.shown("Title"), "Mary Jones");
    EXPECT_EQ(list.shown("RepresentativeLine"), "Representative: Ann Adams");
    EXPECT_EQ(list.rows("Customer phones"), std::vector<std::string>{"Office"});
}

}  // namespace
}  // namespace bb::test
