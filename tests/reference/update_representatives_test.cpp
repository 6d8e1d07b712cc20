// The representative form: licences whose dates follow their check boxes,
// a new representative's defaults, the checks on OK, the change message,
// the annual renewal, and a delete the customers' links refuse.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QPoint>
#include <QWidget>
#include <set>
#include <vector>

#include "dictionary/process_values.h"
#include "reference_fixture.h"

namespace bb::test {
namespace {

class UpdateRepresentativesTest : public ReferenceTest {
protected:
    // Changes representative `number` with `script`; the form's response.
    int change(int number, WindowDriver::Script script) {
        readRepresentative(number);
        ui.when("Update Representatives", std::move(script));
        return procedures().call("UpdateRepresentatives", ChangeRequest);
    }
};

TEST_F(UpdateRepresentativesTest, ALicenceDateCanBeEnteredOnlyWhileItsBoxIsChecked) {
    struct Case {
        const char* tab;
        const char* flag;
        const char* date;
    };
    const Case cases[] = {
        {"Licensing", "GP Approved", "GP Date"},
        {"Licensing", "GS Approved", "GS Date"},
        {"Licensing", "IR Approved", "IR Date"},
        {"Licensing", "DR Approved", "DR Date"},
        {"Examinations", "Series 6", "Series 6 Date"},
        {"Examinations", "Series 7", "Series 7 Date"},
        {"Examinations", "Series 22", "Series 22 Date"},
        {"Examinations", "Series 24", "Series 24 Date"},
        {"Examinations", "Series 63", "Series 63 Date"},
    };
    const int number = addRepresentative("101", "Ann Lee");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        EXPECT_EQ(change(number,
                         [&c](DrivenWindow& form) {
                             form.showTab(c.tab);
                             EXPECT_FALSE(form.enabled(c.date));
                             form.check(c.flag, true);
                             EXPECT_TRUE(form.enabled(c.date));
                             form.type(c.date, "3/15/2020");
                             form.check(c.flag, false);
                             EXPECT_FALSE(form.enabled(c.date));
                             form.check(c.flag, true);
                             form.press("OK");
                         }),
                  ResponseCompleted);
    }
    readRepresentative(number);
    EXPECT_EQ(REP::SERIES7.get(), "1");
    EXPECT_NE(REP::SERIES7DATE.get(), 0);
    EXPECT_EQ(REP::GPPOS.get(), "1");
}

TEST_F(UpdateRepresentativesTest, ANewRepresentativeIsNoSignatureGuarantor) {
    addState("TX", "Texas");
    ui.when("Update Representatives", [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        form.type("Number", "205");
        form.type("Name", "Bob Hale");
        form.pick("State", "Texas");
        form.choose("In Office Branch");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateRepresentatives", FileId::Representatives, InsertRequest),
              ResponseCompleted);
    EXPECT_EQ(rows(FileId::Representatives, REP::key::REPRESENTATIVENAMEKEY,
                   {REP::REP_NUM, REP::REP_NAME, REP::STATE, REP::LOCATION, REP::MEDALLION}),
              std::vector<std::string>{"205|Bob Hale|TX|IB|N"});
    EXPECT_EQ(processValues().CurrentProcedure.get(), "UpdateRepresentatives");
}

TEST_F(UpdateRepresentativesTest, OkRefusesARepresentativeWithoutNumberOrName) {
    struct Case {
        const char* num;
        const char* name;
        const char* title;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"", "Bob Hale", "Representative Number Required",
         "     Enter a number for this registered representative.", "Number"},
        {"205", "", "Representative Name Required",
         "     Enter the name of this registered representative.", "Name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ui.messages.clear();
        ui.when("Update Representatives", [this, &c](DrivenWindow& form) {
            form.type("Number", c.num);
            form.type("Name", c.name);
            form.press("OK");
            EXPECT_EQ(form.focused(), c.focus);
            // Queued only now, or the refusal would take it.
            ui.messages.answer(ButtonNo);  // do not save on the way out
            form.press("Cancel");
        });
        EXPECT_EQ(callForm("UpdateRepresentatives", FileId::Representatives, InsertRequest),
                  ResponseCancelled);
        ASSERT_FALSE(ui.messages.shown.empty());
        EXPECT_EQ(ui.messages.shown[0].title, c.title);
        EXPECT_EQ(ui.messages.shown[0].text, c.text);
        EXPECT_TRUE(
            rows(FileId::Representatives, REP::key::REPRESENTATIVENAMEKEY, {REP::REP_NUM}).empty());
    }
}

TEST_F(UpdateRepresentativesTest, ANumberOrNameChangeIsAnnounced) {
    struct Case {
        const char* what;
        const char* num;
        const char* name;
        const char* extension;  // changed in every case, so that there is a change to save
        const char* text;       // null: nothing announced
    };
    const Case cases[] = {
        {"name only", "101", "Ann Lee-Hart", "1",
         "Representative # 101   has been changed ...||Original: 101  Ann Lee    New: 101  "
         "Ann Lee-Hart||All Customer and Account Registration records will be updated."},
        {"number only", "7", "Ann Lee-Hart", "2",
         "Representative # 101   has been changed ...||Original: 101  Ann Lee-Hart    New: 7  "
         "Ann Lee-Hart||All Customer and Account Registration records will be updated."},
        {"neither", "7", "Ann Lee-Hart", "3", nullptr},
    };
    const int number = addRepresentative("101", "Ann Lee");
    const int customer = addCustomer("Adams", "");
    MBR::REPRESENTATIVENUMBER.set(number);
    ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        EXPECT_EQ(change(number,
                         [&c](DrivenWindow& form) {
                             form.type("Number", c.num);
                             form.type("Name", c.name);
                             form.type("Extension", c.extension);
                             form.press("OK");
                         }),
                  ResponseCompleted);
        if (c.text) {
            ASSERT_EQ(ui.messages.shown.size(), 1U);
            EXPECT_EQ(ui.messages.last().title, "Representative Number/Name Change");
            EXPECT_EQ(ui.messages.last().text, c.text);
            EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
        } else {
            EXPECT_TRUE(ui.messages.shown.empty());
        }
    }
    // The customer still points at the same representative, who now shows
    // the new number and name.
    buffer(FileId::Members).clear();
    MBR::MEMBERNUMBER.set(customer);
    fetch(FileId::Members, MBR::key::MEMBERKEY);
    readRepresentative(MBR::REPRESENTATIVENUMBER.get());
    EXPECT_EQ(REP::REP_NUM.get() + " " + REP::REP_NAME.get(), "7 Ann Lee-Hart");
}

TEST_F(UpdateRepresentativesTest, TheAnnualRenewalAddsTheFeesOfTheRepresentativesStates) {
    addState("AK", "Alaska", "10.00");
    addState("CA", "California", "25.00");
    addState("TX", "Texas", "0");
    addState("NY", "New York", "99.00");  // another representative's
    const int number = addRepresentative("101", "Ann Lee");
    const int other = addRepresentative("102", "Bob Hale");
    for (const char* state : {"AK", "CA", "TX"}) addRegistration(number, state);
    addRegistration(other, "NY");
    EXPECT_EQ(change(number,
                     [](DrivenWindow& form) {
                         form.showTab("Licensing");
                         EXPECT_EQ(form.shown("Annual Renewal"), "35.00");
                         // A screen reader reads the total it shows.
                         QAccessibleInterface* total =
                             QAccessible::queryAccessibleInterface(form.find("Annual Renewal"));
                         ASSERT_NE(total, nullptr);
                         EXPECT_EQ(total->text(QAccessible::Name).toStdString(), "35.00");
                         form.press("Cancel");
                     }),
              ResponseCancelled);
}

TEST_F(UpdateRepresentativesTest, ARepresentativeWithoutRegistrationsShowsNoStatesFee) {
    addState("TX", "Texas", "125.50");
    // The state another window read last stays in the buffer.
    fetch(FileId::States, ST::key::STATEKEY);
    ASSERT_EQ(ST::LICENSEFEE.get(), *Decimal::parse("125.50"));
    ui.when("Update Representatives", [](DrivenWindow& form) {
        form.showTab("Licensing");
        EXPECT_EQ(form.shown("State Registration"), "0.00");
        EXPECT_EQ(form.shown("Annual Renewal"), "0.00");
        form.press("Cancel");
    });
    callForm("UpdateRepresentatives", FileId::Representatives, InsertRequest);
}

TEST_F(UpdateRepresentativesTest, TheRegistrationsButtonsSitUnderTheirList) {
    const int number = addRepresentative("101", "Ann Lee");
    EXPECT_EQ(change(number,
                     [](DrivenWindow& form) {
                         form.showTab("Licensing");
                         QWidget& window = *form.manager().Widget();
                         const auto top = [&window](const QWidget* w) {
                             return w->mapTo(&window, QPoint(0, 0)).y();
                         };
                         const QWidget* list = form.find("Browse Representative States");
                         const QWidget* insert = form.find("Insert");
                         const QWidget* fee = form.find("State Registration");
                         ASSERT_TRUE(list && insert && fee);
                         EXPECT_GE(top(insert), top(list) + list->height());
                         EXPECT_LE(top(insert) + insert->height(), top(fee));
                         form.press("Cancel");
                     }),
              ResponseCancelled);
}

// Tab reaches the registrations' buttons right after their list, then the
// fields below it in the order they stand.
TEST_F(UpdateRepresentativesTest, TabOnTheLicensingTabFollowsItsLayout) {
    addState("CA", "California", "25.00");
    const int number = addRepresentative("101", "Ann Lee");
    addRegistration(number, "CA");
    EXPECT_EQ(change(number,
                     [this](DrivenWindow& form) {
                         form.showTab("Licensing");
                         form.check("GP Approved", true);
                         form.focus("Browse Representative States");
                         std::vector<std::string> visited{form.focused()};
                         for (int i = 0; i < 10; ++i) {
                             form.key(QKeyCombination(Qt::Key_Tab));
                             visited.push_back(form.focused());
                         }
                         EXPECT_EQ(visited, (std::vector<std::string>{
                                                "Browse Representative States", "Insert", "Change",
                                                "Delete", "CRD Number", "CRD Date", "Form U-4 Date",
                                                "Medallion Signature Guarantor", "GP Approved",
                                                "GP Date", "GS Approved"}));
                         ui.messages.answer(ButtonNo);  // the ticked box is not saved
                         form.press("Cancel");
                     }),
              ResponseCancelled);
}

// The dates beside the check boxes start in one column on each tab, however
// wide the prompts before them.
TEST_F(UpdateRepresentativesTest, TheDatesBesideTheBoxesStartInOneColumn) {
    struct Case {
        const char* tab;
        std::vector<const char*> dates;
    };
    const Case cases[] = {
        {"Licensing", {"GP Date", "GS Date", "IR Date", "DR Date"}},
        {"Examinations",
         {"Series 6 Date", "Series 7 Date", "Series 22 Date", "Series 24 Date", "Series 63 Date"}},
    };
    const int number = addRepresentative("101", "Ann Lee");
    EXPECT_EQ(change(number,
                     [&cases](DrivenWindow& form) {
                         QWidget& window = *form.manager().Widget();
                         for (const Case& c : cases) {
                             SCOPED_TRACE(c.tab);
                             form.showTab(c.tab);
                             std::set<int> starts;
                             for (const char* date : c.dates) {
                                 const QWidget* field = form.find(date);
                                 ASSERT_NE(field, nullptr);
                                 starts.insert(field->mapTo(&window, QPoint(0, 0)).x());
                             }
                             EXPECT_EQ(starts.size(), 1U);
                         }
                         form.press("Cancel");
                     }),
              ResponseCancelled);
}

TEST_F(UpdateRepresentativesTest, ARepresentativeOfACustomerIsNotDeleted) {
    const int number = addRepresentative("101", "Ann Lee");
    addRegistration(number, "CA");
    addCustomer("Adams", "");
    MBR::REPRESENTATIVENUMBER.set(number);
    ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    readRepresentative(number);
    ui.messages.answer(ButtonYes);  // yes, delete
    ui.messages.answer(ButtonNo);   // no, do not try again
    procedures().call("UpdateRepresentatives", DeleteRequest);
    EXPECT_EQ(titles(), refusedDelete());
    EXPECT_EQ(rows(FileId::Representatives, REP::key::REPRESENTATIVENAMEKEY,
                   {REP::REP_NUM, REP::REP_NAME}),
              std::vector<std::string>{"101|Ann Lee"});
    EXPECT_EQ(rows(FileId::RepStates, RST::key::REPRESENTATIVENUMBERKEY, {RST::STATE}),
              std::vector<std::string>{"CA"});
}

}  // namespace
}  // namespace bb::test
