// The phone number forms: priming a new number from the preferences or
// with the toll-free prefix, the checks on OK, and the contact that only
// customers and account companies keep.
#include "customers/phone_form.h"

#include <gtest/gtest.h>

#include "customer_fixture.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr char kCustomerCaption[] = "Update Phone Number";

class PhoneFormTest : public CustomerFixture {
protected:
    PhoneFormTest() { smith_ = addCustomer(); }
    // A new phone of Smith's, as the customer's phone list asks for it.
    int callNew(const std::string& procedure = "UpdateMPH") {
        EXPECT_EQ(fileManagerFor(FileId::MPhones)->PrimeNewRecord(), SeverityNone);
        MPH::MEMBERNUMBER.set(smith_);
        return procedures().call(procedure, InsertRequest);
    }

    int smith_ = 0;
};

struct PrimingCase {
    const char* what;
    int areaCode;
    const char* phoneType;
    const char* number;  // as shown
    const char* type;
};

TEST_F(PhoneFormTest, ANewCustomerPhoneIsPrimedFromThePreferences) {
    const PrimingCase cases[] = {
        {"no preferences", 0, "", "(___) ___-____", "Office"},
        {"area code and type", 512, "Cell", "(512) 000-0000", "Cell"},
    };
    for (const PrimingCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTRL::DEFAULTAREACODE.set(c.areaCode);
        CTRL::DEFAULTPHONETYPE.set(c.phoneType);
        ui.when(kCustomerCaption, [&](DrivenWindow& form) {
            EXPECT_EQ(form.caption(), "Record Will Be Added");
            EXPECT_EQ(form.shown("Owner"), "John Smith");
            EXPECT_EQ(form.shown("Phone Number"), c.number);
            EXPECT_EQ(form.shown("Phone Type"), c.type);
            form.press("Cancel");
        });
        EXPECT_EQ(callNew(), ResponseCancelled);
    }
}

TEST_F(PhoneFormTest, DigitsTypedAfterHomeFillTheNumberFromItsFirstPlace) {
    ui.when(kCustomerCaption, [&](DrivenWindow& form) {
        form.focus("Phone Number");
        form.key(QKeyCombination(Qt::Key_Home));
        for (char digit : std::string("5125550142"))
            form.key(QKeyCombination(static_cast<Qt::Key>(Qt::Key_0 + (digit - '0'))));
        // While the user is still in the field.
        EXPECT_EQ(form.shown("Phone Number"), "(512) 555-0142");
        form.key(QKeyCombination(Qt::Key_Tab));
        EXPECT_EQ(form.shown("Phone Number"), "(512) 555-0142");
        form.screenshot("phone-number-typed-after-home");
        form.press("OK");
    });
    ASSERT_EQ(callNew(), ResponseCompleted);
    EXPECT_EQ(MPH::PHONENUMBER.get(), "5125550142");
}

TEST_F(PhoneFormTest, WithoutADefaultAreaCodeOkAsksForACompleteNumber) {
    ui.when(kCustomerCaption, [&](DrivenWindow& form) {
        form.press("OK");
        EXPECT_EQ(ui.messages.last().title, "Incomplete Phone Number");
        EXPECT_EQ(ui.messages.last().text, "     Enter a complete phone number...");
        EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
        EXPECT_EQ(form.focused(), "Phone Number");
        // A local number of seven digits is complete.
        form.type("Phone Number", "555-0100");
        form.type("Department", "Sales");
        form.type("Contact", "Jane Doe");
        form.type("Extension", "221");
        form.press("OK");
    });
    ASSERT_EQ(callNew(), ResponseCompleted);
    EXPECT_EQ(count(FileId::MPhones), 1);
    EXPECT_EQ(MPH::PHONENUMBER.get(), "5550100");
    EXPECT_EQ(MPH::MEMBERNUMBER.get(), smith_);
    EXPECT_EQ(MPH::CONTACT.get(), "Jane Doe");
}

struct NumberCase {
    const char* typed;
    bool complete;
};

TEST_F(PhoneFormTest, ANumberNeedsSevenDigitsAndAType) {
    const NumberCase cases[] = {
        {"555-010", false}, {"5550100", true}, {"(512) 555-0100", true}, {"", false}};
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.typed);
        ui.messages.clear();
        ui.when(kCustomerCaption, [&](DrivenWindow& form) {
            form.type("Phone Number", c.typed);
            form.press("OK");
            if (!form.manager().Closed()) cancel(form);
        });
        EXPECT_EQ(callNew(), c.complete ? ResponseCompleted : ResponseCancelled);
        EXPECT_EQ(
            !ui.messages.shown.empty() && ui.messages.shown[0].title == "Incomplete Phone Number",
            !c.complete);
    }
    EXPECT_EQ(count(FileId::MPhones), 2);
}

TEST_F(PhoneFormTest, APhoneOfNoTypeIsRefusedFirst) {
    addPhone(smith_, "", "12");
    ui.when(kCustomerCaption, [&](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Changed");
        form.press("OK");
        EXPECT_EQ(ui.messages.last().title, "Select Phone Type");
        EXPECT_EQ(ui.messages.last().text, "     Select the type of phone to record.");
        EXPECT_EQ(form.focused(), "Phone Type");
        form.choose("Fax");
        form.type("Phone Number", "5125550199");
        form.press("OK");
    });
    ASSERT_EQ(procedures().call("UpdateMPH", ChangeRequest), ResponseCompleted);
    EXPECT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(MPH::DESCRIPTION.get(), "Fax");
    EXPECT_EQ(MPH::PHONENUMBER.get(), "5125550199");
}

TEST_F(PhoneFormTest, AnAccountCompanyPhoneStartsTollFreeAndARepresentativesHasNoContact) {
    CTRL::DEFAULTAREACODE.set(512);
    CTRL::DEFAULTPHONETYPE.set("Home");
    ui.when("Update Phone Numbers", [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Phone Number"), "(800) 000-0000");
        EXPECT_EQ(form.shown("Phone Type"), "Office");
        EXPECT_NE(form.find("Contact"), nullptr);
        form.press("Cancel");
    });
    callNew("UpdateVPH");
    REP::REPRESENTATIVENUMBER.set(ann_);
    ASSERT_EQ(fileManagerFor(FileId::Representatives)->Fetch(REP::key::REPRESENTATIVENUMBERKEY),
              SeverityNone);
    ui.when("Update Representative Phone Numbers", [](DrivenWindow& form) {
        EXPECT_EQ(form.shown("Owner"), "Ann Adams");
        EXPECT_EQ(form.shown("Phone Number"), "(512) 000-0000");
        EXPECT_EQ(form.shown("Phone Type"), "Home");
        EXPECT_EQ(form.manager().Control(RPH::CONTACT), nullptr);
        form.press("Cancel");
    });
    callNew("UpdateRPH");
}

}  // namespace
}  // namespace bb::test
