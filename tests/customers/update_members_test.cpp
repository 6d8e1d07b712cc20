// The customer form driven as a user would over a small book: a new
// customer's defaults, the derived names and birthday, the checks on OK in
// their order, the representative shown, and deleting a customer with its
// phones and notes.
#include "customers/update_members.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLayout>
#include <QTreeView>

#include <algorithm>
#include <functional>

#include "customer_fixture.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/decimal.h"

namespace bb::test {
namespace {

constexpr char kCaption[] = "Update the Customer File";

class UpdateMembersTest : public CustomerFixture {
protected:
    // Fills every field a new individual needs, on all three tabs.
    void fillIndividual(DrivenWindow& form, const std::string& middle) {
        form.type("Last Name", "Smith");
        form.type("First Name", "John");
        form.type("Middle Initial", middle);
        form.pick("Representative", "Ann Adams");
        form.pick("Classification", "Retail");
        form.showTab("Address");
        form.type("Address", "1 Main Street");
        form.type("City", "Austin");
        form.pick("State", "Texas");
        form.type("Zip", "78701");
        form.type("Employer", "Acme Tools");
        form.showTab("Financial");
        form.type("Birth Date", "07/04/1961");
        form.type("Income", "85000");
        form.type("Net Worth", "250000");
        form.type("Tax ID", "123-45-6789");
        form.type("Last Update", "01/05/2026");
        // "No" is a radio of three options: the one of Married is meant.
        form.choose("Married", "No");
    }
};

// ------------------------------------------------------------- new records

struct NameCase {
    const char* middle;
    const char* companyName;
};

TEST_F(UpdateMembersTest, ANewIndividualIsSavedWithItsDerivedNamesAndBirthday) {
    const NameCase cases[] = {{"", "John Smith"}, {"Q", "Smith, John Q."}};
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.companyName);
        ui.messages.clear();
        ui.when(kCaption, [&](DrivenWindow& form) {
            EXPECT_EQ(form.caption(), "Record Will Be Added");
            fillIndividual(form, c.middle);
            // OK on another tab than the birth date's still derives it.
            form.showTab("General");
            form.press("OK");
        });
        ASSERT_EQ(callForm(InsertRequest), ResponseCompleted);
        EXPECT_TRUE(ui.messages.shown.empty());
        readCustomer(MBR::MEMBERNUMBER.get());
        EXPECT_EQ(MBR::COMPANYNAME.get(), c.companyName);
        EXPECT_EQ(MBR::MEMBERNAME.get(), "John Smith");
        EXPECT_EQ(MBR::BIRTHMONTH.get(), 7);
        EXPECT_EQ(MBR::BIRTHDAY.get(), 4);
        EXPECT_EQ(MBR::REPRESENTATIVENUMBER.get(), ann_);
        EXPECT_EQ(MBR::REP_NUM.get(), "101");
        EXPECT_EQ(MBR::STATE.get(), "TX");
        EXPECT_EQ(MBR::ACTIVE.get(), 1);
        EXPECT_EQ(MBR::EMPLOYEERELATED.get(), "N");
        EXPECT_EQ(MBR::MARRIEDYN.get(), "N");
        ASSERT_EQ(relationManagerFor(FileId::Members)->Delete(false), SeverityNone);
    }
}

struct DefaultsCase {
    const char* what;
    std::function<void()> preferences;
    std::function<void()> expect;
};

TEST_F(UpdateMembersTest, ANewCustomerTakesOnlyThePreferencesThatAreSet) {
    const DefaultsCase cases[] = {
        {"no preferences", [] {},
         [this] {
             EXPECT_EQ(MBR::MEMBERTYPE.get(), "Individual");
             EXPECT_EQ(MBR::FOREIGN.get(), "D");
             EXPECT_EQ(MBR::CITY.get(), "");
             EXPECT_EQ(MBR::STATE.get(), "");
             EXPECT_EQ(MBR::REPRESENTATIVENUMBER.get(), 0);
             EXPECT_EQ(MBR::SALESLEVEL.get(), "");
             EXPECT_EQ(MBR::CONTACTSINCE.get(), Clock::today());
         }},
        {"every preference",
         [this] {
             CTRL::DEFAULTCITY.set("Juneau");
             CTRL::DEFAULTSTATE.set("AK");
             CTRL::DEFAULTZIP.set("99801");
             CTRL::DEFAULTREPRESENTATIVENUMBER.set(bob_);
             CTRL::DEFAULTCLASS.set("Trust");
             CTRL::DEFAULTTYPE.set("Company");
             CTRL::DEFAULTFOREIGN.set("I");
         },
         [this] {
             EXPECT_EQ(MBR::MEMBERTYPE.get(), "Company");
             EXPECT_EQ(MBR::FOREIGN.get(), "I");
             EXPECT_EQ(MBR::CITY.get(), "Juneau");
             EXPECT_EQ(MBR::STATE.get(), "AK");
             EXPECT_EQ(MBR::ZIPCODE.get(), "99801");
             EXPECT_EQ(MBR::REPRESENTATIVENUMBER.get(), bob_);
             EXPECT_EQ(MBR::SALESLEVEL.get(), "Trust");
         }},
        // Renamed or deleted since the preferences named them: the fields
        // start blank, so that OK asks for them.
        {"preferences naming no record",
         [] {
             CTRL::DEFAULTSTATE.set("ZZ");
             CTRL::DEFAULTREPRESENTATIVENUMBER.set(999);
             CTRL::DEFAULTCLASS.set("Retail Plus");
         },
         [] {
             EXPECT_EQ(MBR::STATE.get(), "");
             EXPECT_EQ(MBR::REPRESENTATIVENUMBER.get(), 0);
             EXPECT_EQ(MBR::SALESLEVEL.get(), "");
         }},
    };
    for (const DefaultsCase& c : cases) {
        SCOPED_TRACE(c.what);
        buffer(FileId::Defaults).clear();
        c.preferences();
        ui.when(kCaption, [&, this](DrivenWindow& form) {
            c.expect();
            EXPECT_EQ(MBR::ACTIVE.get(), 1);
            EXPECT_EQ(MBR::EMPLOYEERELATED.get(), "N");
            cancel(form);
        });
        EXPECT_EQ(callForm(InsertRequest), ResponseCancelled);
    }
    EXPECT_EQ(count(FileId::Members), 0);
}

TEST_F(UpdateMembersTest, TheDefaultRepresentativeAndStateShowWithTheirNames) {
    CTRL::DEFAULTREPRESENTATIVENUMBER.set(bob_);
    CTRL::DEFAULTSTATE.set("AK");
    ui.when(kCaption, [this](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Representative name"), "Bob Brown");
        form.showTab("Address");
        EXPECT_EQ(form.shown("State name"), "Alaska");
        cancel(form);
    });
    callForm(InsertRequest);
}

// ------------------------------------------------------ company, individual

TEST_F(UpdateMembersTest, TheCustomerTypeEnablesTheCompanyFieldsAndDerivesTheNames) {
    const int number = addCustomer();
    MBR::MEMBERTYPE.set("Company");
    MBR::COMPANYNAME.set("Smith Holdings");
    MBR::MEMBERNAME.set("Smith Holdings");
    MBR::CONTACT.set("Jane Doe");
    ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    readCustomer(number);
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_TRUE(form.enabled("Company Name"));
        EXPECT_TRUE(form.enabled("Contact"));
        form.type("Company Name", "Smith Group");
        EXPECT_EQ(MBR::MEMBERNAME.get(), "Smith Group");
        form.choose("Individual");
        EXPECT_FALSE(form.enabled("Company Name"));
        EXPECT_FALSE(form.enabled("Contact"));
        EXPECT_EQ(form.shown("Company Name"), "John Smith");
        form.choose("Company");
        EXPECT_TRUE(form.enabled("Company Name"));
        form.choose("Individual");
        form.press("OK");
    });
    ASSERT_EQ(callForm(ChangeRequest), ResponseCompleted);
    readCustomer(number);
    EXPECT_EQ(MBR::MEMBERTYPE.get(), "Individual");
    EXPECT_EQ(MBR::COMPANYNAME.get(), "John Smith");
    EXPECT_EQ(MBR::MEMBERNAME.get(), "John Smith");
}

// ------------------------------------------------------------------ checks

struct CheckCase {
    const char* title;
    const char* text;
    const char* focus;
    std::function<void()> spoil;  // what the stored record lacks
};

TEST_F(UpdateMembersTest, TheFirstFailingCheckWinsTakesTheFocusAndSavesNothing) {
    auto company = [] {
        MBR::MEMBERTYPE.set("Company");
        MBR::CONTACT.set("Jane Doe");
        MBR::COMPANYNAME.set("Smith Holdings");
    };
    const CheckCase cases[] = {
        {"Customer Date Required", "     Enter an appropriate \"as of\" date...", "Contact Since",
         [] {
             MBR::CONTACTSINCE.set(0);
             MBR::LASTNAME.set("");  // a later check fails too
         }},
        {"Company Name Required", "     Enter the company name...", "Company Name",
         [&] {
             company();
             MBR::COMPANYNAME.set("");
         }},
        {"Company Contact Required", "     Enter a contact for this company...", "Contact",
         [&] {
             company();
             MBR::CONTACT.set("");
         }},
        {"Customer Name Required", "     Enter the customer's last name...", "Last Name",
         [] { MBR::LASTNAME.set(""); }},
        {"Customer Name Required", "     Enter the customer's first name...", "First Name",
         [] { MBR::FIRSTNAME.set(""); }},
        {"Complete Address Required", "     Enter the customer's street address...", "Address",
         [] { MBR::ADDRESS.set(""); }},
        {"Complete Address Required", "     Enter the customer's city...", "City",
         [] { MBR::CITY.set(""); }},
        {"Complete Address Required", "     Enter the customer's state...", "State",
         [] { MBR::STATE.set(""); }},
        {"Complete Address Required", "     Enter the customer's zip code...", "Zip",
         [] { MBR::ZIPCODE.set(""); }},
        {"Representative Required", "     Select a representative from the list", "Representative",
         [] { MBR::REPRESENTATIVENUMBER.set(0); }},
        {"Customer Class Required", "     Enter a classification for this customer...",
         "Classification", [] { MBR::SALESLEVEL.set(""); }},
        // A value that names no record (renamed or deleted since) is no choice.
        {"Complete Address Required", "     Enter the customer's state...", "State",
         [] { MBR::STATE.set("ZZ"); }},
        {"Representative Required", "     Select a representative from the list", "Representative",
         [] { MBR::REPRESENTATIVENUMBER.set(999); }},
        {"Customer Class Required", "     Enter a classification for this customer...",
         "Classification", [] { MBR::SALESLEVEL.set("Retail Plus"); }},
        {"Employer Name Required", "     Enter the customer's employer...", "Employer",
         [] { MBR::EMPLOYER.set(""); }},
        {"Birthdate Required", "     Enter the customer's date of birth...", "Birth Date",
         [] { MBR::BIRTHDATE.set(0); }},
        {"Marital Status Required", "     Enter the customer's marital status...", "Married",
         [] { MBR::MARRIEDYN.set(""); }},
        {"Annual Income Required", "     Enter the customer's annual income...", "Income",
         [] { (void)MBR::INCOME.set(Decimal()); }},
        {"Net Worth Required", "     Enter the customer's net worth exclusive of home...",
         "Net Worth", [] { (void)MBR::NETWORTH.set(Decimal()); }},
        {"Tax ID Required", "     Enter the customer's social security number...", "Tax ID",
         [] { MBR::SALESTAXID.set(""); }},
        {"Update Required", "     Enterthe date income and net worth were last updated...",
         "Last Update", [] { MBR::LASTUPDATE.set(0); }},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.text);
        ui.messages.clear();
        const int number = addCustomer();
        c.spoil();
        ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
        readCustomer(number);
        const std::string before = MBR::MEMBERNAME.get() + MBR::COMPANYNAME.get();
        ui.when(kCaption, [&](DrivenWindow& form) {
            form.press("OK");
            EXPECT_FALSE(form.manager().Closed());
            EXPECT_EQ(form.focused(), c.focus);
            cancel(form);
        });
        EXPECT_EQ(callForm(ChangeRequest), ResponseCancelled);
        ASSERT_GE(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.shown[0].title, c.title);
        EXPECT_EQ(ui.messages.shown[0].text, c.text);
        EXPECT_EQ(ui.messages.shown[0].icon, MessageIcon::Information);
        // One refusal only: the later failing check is never reported.
        EXPECT_EQ(std::count_if(
                      ui.messages.shown.begin(), ui.messages.shown.end(),
                      [](const MessageRequest& m) { return m.icon == MessageIcon::Information; }),
                  1);
        readCustomer(number);
        EXPECT_EQ(MBR::MEMBERNAME.get() + MBR::COMPANYNAME.get(), before);
        ASSERT_EQ(relationManagerFor(FileId::Members)->Delete(false), SeverityNone);
    }
}

// ------------------------------------------------------------ the form open

TEST_F(UpdateMembersTest, CustomerFormOpenIsSetOnlyWhileTheFormIsOpen) {
    for (const char* procedure : {"UpdateMembers", "UpdateRepMembers"}) {
        SCOPED_TRACE(procedure);
        ui.when(kCaption, [](DrivenWindow& form) {
            EXPECT_EQ(processValues().CustomerFormOpen, 1);
            form.press("Cancel");
        });
        callForm(InsertRequest, procedure);
        EXPECT_EQ(processValues().CustomerFormOpen, 0);
    }
}

// The drop lists' widths come from formats made for another font: opened,
// no column may cut its heading ("Number") or its rows.
TEST_F(UpdateMembersTest, NoDropListCutsItsHeadingsOrItsRows) {
    ui.when(kCaption, [](DrivenWindow& form) {
        for (const char* drop : {"Representative", "Classification"}) {
            SCOPED_TRACE(drop);
            auto* box = qobject_cast<QComboBox*>(form.find(drop));
            ASSERT_NE(box, nullptr);
            const auto* view = qobject_cast<const QTreeView*>(box->view());
            ASSERT_NE(view, nullptr);
            ASSERT_GT(view->model()->rowCount(), 0);
            expectNoColumnCut(*view);
        }
        form.press("Cancel");
    });
    callForm(InsertRequest);
}

TEST_F(UpdateMembersTest, TheFullListsFormShowsTheRecordsOwnRepresentative) {
    const int number = addCustomer();
    readCustomer(number);
    // The list last read another representative.
    REP::REPRESENTATIVENUMBER.set(bob_);
    ASSERT_EQ(fileManagerFor(FileId::Representatives)->Fetch(REP::key::REPRESENTATIVENUMBERKEY),
              SeverityNone);
    ui.when(kCaption, [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Representative name"), "Ann Adams");
        form.pick("Representative", "Bob Brown");
        EXPECT_EQ(form.shown("Representative name"), "Bob Brown");
        form.press("OK");
    });
    ASSERT_EQ(callForm(ChangeRequest), ResponseCompleted);
    readCustomer(number);
    EXPECT_EQ(MBR::REPRESENTATIVENUMBER.get(), bob_);
    EXPECT_EQ(MBR::REP_NUM.get(), "202");
}

// ------------------------------------------------------------------ phones

TEST_F(UpdateMembersTest, ThePhonesTabKeepsTheNumbersOfASavedCustomerOnly) {
    const int smith = addCustomer();
    const int jones = addCustomer("Jones", "Mary");
    addPhone(smith, "Office", "5125550100", "Sales", "221", "Rita Lopez");
    addPhone(smith, "Home", "5125550199");
    addPhone(jones, "Cell", "5125550111");
    readCustomer(smith);
    ui.when(kCaption, [this](DrivenWindow& form) {
        form.showTab("Phones");
        EXPECT_EQ(form.rows("Phone numbers"), (std::vector<std::string>{"Office", "Home"}));
        EXPECT_EQ(form.shown("Phone contact"), "Rita Lopez");
        EXPECT_EQ(form.shown("Extension"), "Ext: 221");
        // The list leads its tab; the highlighted number's lines are under it.
        const QWidget* list = form.find("Phone numbers");
        EXPECT_LE(list->y(), list->parentWidget()->layout()->contentsMargins().top());
        for (const char* line : {"Phone contact", "Extension"}) {
            const QWidget* shown = form.find(line);
            EXPECT_GT(shown->mapTo(list->parentWidget(), QPoint(0, 0)).y(),
                      list->geometry().bottom())
                << line;
        }
        form.clickRow("Phone numbers", 1);
        EXPECT_EQ(form.shown("Phone contact"), "");
        EXPECT_EQ(form.shown("Extension"), "");
        ui.when("Update Phone Number", [](DrivenWindow& phone) {
            phone.choose("Fax");
            phone.type("Phone Number", "(512) 555-0142");
            phone.press("OK");
        });
        form.press("Insert");
        EXPECT_EQ(form.rows("Phone numbers"), (std::vector<std::string>{"Office", "Home", "Fax"}));
        cancel(form);
    });
    callForm(ChangeRequest);
    EXPECT_EQ(count(FileId::MPhones), 4);

    // A new customer has no numbers yet: one added now would outlive a
    // cancelled customer.
    ui.when(kCaption, [this](DrivenWindow& form) {
        for (const char* control : {"Phone numbers", "Insert", "Change", "Delete"})
            EXPECT_FALSE(form.find(control)->isEnabled()) << control;
        cancel(form);
    });
    callForm(InsertRequest);
}

// ---------------------------------------------------------------- deleting

TEST_F(UpdateMembersTest, DeletingACustomerTakesItsPhonesAndNotesAndLeavesOthers) {
    const int smith = addCustomer();
    const int jones = addCustomer("Jones", "Mary");
    for (int number : {smith, jones}) {
        addPhone(number, "Office", "5125550100");
        buffer(FileId::Log).clear();
        LOG::MEMBERNUMBER.set(number);
        LOG::REPRESENTATIVENUMBER.set(ann_);
        LOG::SUBJECT.set("Called");
        ASSERT_TRUE(LOG::DAYOFMONTH.set(Decimal(1)));
        ASSERT_EQ(fileManagerFor(FileId::Log)->Insert(), SeverityNone);
    }
    readCustomer(smith);
    ui.messages.answer(ButtonYes);
    EXPECT_EQ(callForm(DeleteRequest), ResponseCompleted);
    EXPECT_EQ(ui.messages.last().title, "Confirm Delete");
    EXPECT_EQ(count(FileId::Members), 1);
    EXPECT_EQ(count(FileId::MPhones), 1);
    EXPECT_EQ(count(FileId::Log), 1);
    buffer(FileId::MPhones).clear();
    fileManagerFor(FileId::MPhones)->SetOrder(MPH::key::KEYMEMBERNUMBER);
    ASSERT_EQ(fileManagerFor(FileId::MPhones)->NextQuietly(), SeverityNone);
    EXPECT_EQ(MPH::MEMBERNUMBER.get(), jones);
}

}  // namespace
}  // namespace bb::test
