// The account form: a new account's first values, the checks on OK in
// their order with their messages and focus, the company chosen from the
// company list or typed (in any case, and cut to what an account keeps), a
// change of class carried into every transaction of the account in one
// transaction (and nowhere when the change does not stand), a transactions
// tab that adds nothing, and the deletes the transactions refuse.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>

#include "account_fixture.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/text.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr char kForm[] = "Update Customer Accounts";

class UpdateAccountRegistrationTest : public AccountTest {
protected:
    // Opens the form on a new account of Smith's, as his list does.
    int insert(const WindowDriver::Script& script) {
        readCustomer(smith_);
        EXPECT_EQ(fileManagerFor(FileId::AccountRegistration)->PrimeNewRecord(), SeverityNone);
        ACC::MEMBERNUMBER.set(smith_);
        ui.when(kForm, script);
        return procedures().call("UpdateAccountRegistration", InsertRequest);
    }
    int change(int registration, const WindowDriver::Script& script) {
        readCustomer(smith_);
        readAccount(registration);
        ui.when(kForm, script);
        return procedures().call("UpdateAccountRegistration", ChangeRequest);
    }
    // Fills what a new account needs besides its company.
    static void completeBesidesCompany(DrivenWindow& form) {
        form.type("Number", "A-100");
        form.type("Short Name", "Smith IRA");
        form.type("Full Registration Text", "John Smith IRA");
        form.showTab("Finacial Objectives");
        form.type("Last Update", "11/01/2026");
        form.type("List in order of priority ...", "132");
        form.choose("3 Moderate Risk");
        form.showTab("Account Registration");
    }
    std::string savedCompany() {
        readAccount(ACC::REGISTRATIONNUMBER.get());
        return ACC::COMPANY.get() + "|" + std::to_string(ACC::VENDORNUMBER.get());
    }
    // Cancels `form`, declining to save what it changed.
    void cancel(DrivenWindow& form) {
        const std::size_t shown = ui.messages.shown.size();
        ui.messages.answer(ButtonNo);
        form.press("Cancel");
        if (ui.messages.shown.size() == shown) ui.messages.dropReplies();
    }
};

TEST_F(UpdateAccountRegistrationTest, ANewAccountStartsFromItsCustomer) {
    readCustomer(smith_);
    MBR::EMPLOYEERELATED.set("Y");
    ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    EXPECT_EQ(insert([](DrivenWindow& form) {
                  EXPECT_EQ(form.caption(), "Record Will Be Added");
                  EXPECT_EQ(form.shown("Customer"), "John Smith");
                  EXPECT_EQ(form.shown("Date Opened"), "12/10/2026");
                  EXPECT_EQ(form.shown("Classification"), "Commission");
                  EXPECT_EQ(form.shown("Type"), "Employee Related");
                  EXPECT_EQ(form.shown("Active"), "checked");
                  form.pick("Account Type", "Joint");
                  form.type("Company", "Alpha Funds");
                  completeBesidesCompany(form);
                  form.screenshot("update customer accounts");
                  form.showTab("Finacial Objectives");
                  EXPECT_EQ(form.shown("Birth Date"), "03/15/1970");
                  form.screenshot("update customer accounts objectives");
                  form.press("OK");
              }),
              ResponseCompleted);
    readAccount(ACC::REGISTRATIONNUMBER.get());
    EXPECT_EQ(ACC::MEMBERNUMBER.get(), smith_);
    EXPECT_EQ(ACC::BIRTHDATE.get(), *dayNumber(1970, 3, 15));
    EXPECT_EQ(ACC::ACCOUNTOPENED.get(), *dayNumber(2026, 12, 10));
    EXPECT_EQ(ACC::REPRESENTATIVENUMBER.get(), ann_);
    EXPECT_EQ(ACC::TAXIDENTIFICATIONNUMBER.get(), MBR::SALESTAXID.get());
    EXPECT_EQ(ACC::ACTIVEINACTIVE.get(), "1");
    EXPECT_EQ(ACC::ACCOUNTCLASS.get(), "C");
    EXPECT_EQ(ACC::EMPLOYEERELATED.get(), "Y");
    EXPECT_EQ(ACC::ACCOUNTTYPE.get(), "Joint");
    EXPECT_EQ(ACC::INVESTMENTOBJECTIVES.get(), "132");
    EXPECT_EQ(ACC::RISKTOLERANCE.get(), "3");
    EXPECT_EQ(processValues().CurrentProcedure.get(), "UpdateAccountRegistration");
    EXPECT_TRUE(ui.messages.shown.empty());
}

struct CheckStep {
    const char* title;
    const char* text;
    const char* focus;
    std::function<void(DrivenWindow&)> mend;
};

TEST_F(UpdateAccountRegistrationTest, OkChecksEachFieldInOrderAndFocusesIt) {
    const CheckStep steps[] = {
        {"Account Date Required", "     You must enter the date this account was opened.",
         "Date Opened", [](DrivenWindow& f) { f.type("Date Opened", "01/05/2026"); }},
        {"Account Company Required",
         "You must enter a valid company name, or press the  ellipsis (...) button to select "
         "one from the file.",
         "Company", [](DrivenWindow& f) { f.type("Company", "Alpha Funds"); }},
        {"Account Number Required", "     You must enter an account number...", "Number",
         [](DrivenWindow& f) { f.type("Number", "A-100"); }},
        {"Account Short Name Required",
         "     You must enter the \"short name\" to use for this account.", "Short Name",
         [](DrivenWindow& f) { f.type("Short Name", "Smith IRA"); }},
        {"Full Account Registration Required",
         "     You must enter the full account registration for this account.",
         "Full Registration Text",
         [](DrivenWindow& f) { f.type("Full Registration Text", "John Smith IRA"); }},
        {"\"Last Update\" Date Required",
         "     You must enter the date this information was last updated.", "Last Update",
         [](DrivenWindow& f) { f.type("Last Update", "11/01/2026"); }},
        {"Tax Identification Number Required",
         "     You must enter the tax ID number for this account.", "Tax ID",
         [](DrivenWindow& f) { f.type("Tax ID", "555-12-3456"); }},
        {"Investment Objectives Required",
         "     You must enter the investment objectives for this account.",
         "List in order of priority ...",
         [](DrivenWindow& f) { f.type("List in order of priority ...", "13"); }},
        {"Risk Tolerance Level Required",
         "    You must enter the risk tolerance level for this account.", "Risk Tolerance",
         [](DrivenWindow& f) { f.choose("4 Aggressive Risk"); }},
    };
    EXPECT_EQ(insert([&](DrivenWindow& form) {
                  form.type("Date Opened", "");
                  form.showTab("Finacial Objectives");
                  form.type("Tax ID", "");
                  form.showTab("Account Registration");
                  for (const CheckStep& step : steps) {
                      SCOPED_TRACE(step.title);
                      const std::size_t before = ui.messages.shown.size();
                      form.press("OK");
                      ASSERT_EQ(ui.messages.shown.size(), before + 1);
                      EXPECT_EQ(ui.messages.last().title, step.title);
                      EXPECT_EQ(ui.messages.last().text, step.text);
                      EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
                      EXPECT_FALSE(form.manager().Closed());
                      EXPECT_EQ(form.focused(), step.focus);
                      step.mend(form);
                  }
                  form.press("OK");
              }),
              ResponseCompleted);
    EXPECT_EQ(ui.messages.beeps.size(), std::size(steps));
    EXPECT_EQ(accounts(),
              std::vector<std::string>{"Smith IRA|Alpha Funds|C|" + std::to_string(smith_)});
}

struct CompanyCase {
    const char* what;
    std::string typed;
    bool passes;
    std::string stored;  // the company as the account keeps it
};

TEST_F(UpdateAccountRegistrationTest, ATypedCompanyPassesWhenTheFileHoldsItInAnyCase) {
    const std::string cut = kLongCompany.substr(0, 34);
    const CompanyCase cases[] = {
        {"another case", "ALPHA funds", true, "Alpha Funds"},
        {"a long name as an account keeps it", "northwestern mutual investment ser", true, cut},
        {"a long name in full", kLongCompany, true, cut},
        {"the start of a name", "Alpha", false, ""},
        {"no such company", "Gamma Capital", false, ""},
    };
    for (const CompanyCase& c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        const int response = insert([&](DrivenWindow& form) {
            form.type("Company", c.typed);
            completeBesidesCompany(form);
            form.press("OK");
            if (c.passes) return;
            EXPECT_EQ(form.focused(), "Company");
            cancel(form);
        });
        EXPECT_EQ(response, c.passes ? ResponseCompleted : ResponseCancelled);
        if (c.passes) {
            EXPECT_TRUE(ui.messages.shown.empty());
            EXPECT_EQ(text::clip(ACC::COMPANY.get()), c.stored);
        } else {
            EXPECT_EQ(titles().front(), "Account Company Required");
        }
    }
    const std::string smith = "|C|" + std::to_string(smith_);
    EXPECT_EQ(accounts(),
              (std::vector<std::string>{"Smith IRA|Alpha Funds" + smith, "Smith IRA|" + cut + smith,
                                        "Smith IRA|" + cut + smith}));
}

TEST_F(UpdateAccountRegistrationTest, TheEllipsisTakesTheCompanyChosenFromTheCompanyList) {
    const std::string cut = kLongCompany.substr(0, 34);
    int longCompany = 0;
    EXPECT_EQ(insert([&](DrivenWindow& form) {
                  ui.when("Account Companies", [&](DrivenWindow& companies) {
                      EXPECT_EQ(companies.shown("Heading"), "Select a Customer Account Company");
                      companies.clickRow("Companies", 1);
                      longCompany = VEN::VENDORNUMBER.get();
                      companies.press("Select");
                  });
                  form.press("...");
                  EXPECT_EQ(form.shown("Company"), cut);
                  completeBesidesCompany(form);
                  form.press("OK");
              }),
              ResponseCompleted);
    EXPECT_EQ(savedCompany(), cut + "|" + std::to_string(longCompany));
    // Closing the company list leaves the user in the company entry.
    EXPECT_EQ(change(ACC::REGISTRATIONNUMBER.get(),
                     [&](DrivenWindow& form) {
                         ui.when("Account Companies",
                                 [](DrivenWindow& companies) { companies.press("Close"); });
                         form.press("...");
                         EXPECT_EQ(form.focused(), "Company");
                         EXPECT_EQ(form.shown("Company"), cut);
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_EQ(savedCompany(), cut + "|" + std::to_string(longCompany));
}

TEST_F(UpdateAccountRegistrationTest, AnAccountOfALongNamedCompanyStaysEditable) {
    const int account = addAccount(smith_, "Smith Trust", kLongCompany);
    EXPECT_EQ(change(account,
                     [](DrivenWindow& form) {
                         EXPECT_EQ(form.caption(), "Record Will Be Changed");
                         form.type("Short Name", "Smith Family Trust");
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(accounts(),
              std::vector<std::string>{"Smith Family Trust|" + kLongCompany.substr(0, 34) + "|C|" +
                                       std::to_string(smith_)});
}

struct ClassCase {
    const char* from;
    const char* radio;
    const char* to;
    const char* text;
};

TEST_F(UpdateAccountRegistrationTest, AChangeOfClassIsAnnouncedAndReachesEveryTransaction) {
    const ClassCase cases[] = {
        {"C", "Fee-Based", "F",
         "The Account Class has been changed ...||Original: Commission    New: Fee-Based||All "
         "Transaction records will be updated."},
        {"F", "Margin", "M",
         "The Account Class has been changed ...||Original: Fee-Based    New: Margin||All "
         "Transaction records will be updated."},
        {"M", "Commission", "C",
         "The Account Class has been changed ...||Original: Margin    New: Commission||All "
         "Transaction records will be updated."},
    };
    const int account = addAccount(smith_, "Smith IRA");
    const int other = addAccount(smith_, "Smith Joint");
    addTransactions(account, 3);
    addTransactions(other, 2);
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.to);
        ui.messages.clear();
        ASSERT_EQ(transactionClasses(account), std::vector<std::string>(3, c.from));
        EXPECT_EQ(change(account,
                         [&](DrivenWindow& form) {
                             form.choose(c.radio);
                             form.press("OK");
                         }),
                  ResponseCompleted);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Account Class Change");
        EXPECT_EQ(ui.messages.last().text, c.text);
        EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
        EXPECT_EQ(ui.messages.beeps.size(), 1U);
        EXPECT_EQ(transactionClasses(account), std::vector<std::string>(3, c.to));
        EXPECT_EQ(transactionClasses(other), std::vector<std::string>(2, "C"));
    }
}

TEST_F(UpdateAccountRegistrationTest, AChangeThatDoesNotStandReachesNoTransaction) {
    const int account = addAccount(smith_, "Smith IRA");
    addTransactions(account, 3);
    // Refused by a check, then abandoned.
    EXPECT_EQ(change(account,
                     [this](DrivenWindow& form) {
                         form.choose("Fee-Based");
                         form.showTab("Finacial Objectives");
                         form.type("Last Update", "");
                         form.press("OK");
                         EXPECT_EQ(ui.messages.last().title, "\"Last Update\" Date Required");
                         cancel(form);
                     }),
              ResponseCancelled);
    EXPECT_EQ(accounts().front(), "Smith IRA|Alpha Funds|C|" + std::to_string(smith_));
    EXPECT_EQ(transactionClasses(account), std::vector<std::string>(3, "C"));
    // The last transaction cannot be written: the account and the two
    // written before it stay as they were.
    ui.messages.clear();
    storage_->failPut("Transactions", 3);
    EXPECT_EQ(change(account,
                     [this](DrivenWindow& form) {
                         form.choose("Fee-Based");
                         form.press("OK");
                         EXPECT_FALSE(form.manager().Closed());
                         cancel(form);
                     }),
              ResponseCancelled);
    EXPECT_EQ(titles().front(), "Account Class Change");
    EXPECT_EQ(accounts().front(), "Smith IRA|Alpha Funds|C|" + std::to_string(smith_));
    EXPECT_EQ(transactionClasses(account), std::vector<std::string>(3, "C"));
}

TEST_F(UpdateAccountRegistrationTest, TheTransactionsTabListsTheAccountsTradesAndAddsNothing) {
    const int account = addAccount(smith_, "Smith IRA");
    addTransactions(account, 3);
    addTransactions(addAccount(smith_, "Smith Joint"), 1);
    const int before = count(FileId::Transactions);
    EXPECT_EQ(change(account,
                     [](DrivenWindow& form) {
                         form.showTab("Transactions");
                         EXPECT_EQ(
                             form.rows("Account transactions"),
                             (std::vector<std::string>{"01/03/2026", "01/02/2026", "01/01/2026"}));
                         EXPECT_EQ(form.shown("Net Amount"), "300.00");
                         // the highlighted (newest) trade in words
                         EXPECT_EQ(form.shown("Description Line").rfind("Buy 30 ", 0), 0U)
                             << form.shown("Description Line");
                         form.screenshot("update customer accounts transactions");
                         for (const char* button : {"Insert", "Edit", "Delete"}) {
                             form.press(button);
                             EXPECT_FALSE(form.manager().Closed()) << button;
                         }
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_EQ(ui.opened(), std::vector<std::string>{kForm});
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(count(FileId::Transactions), before);
}

TEST_F(UpdateAccountRegistrationTest, AnAccountWithTransactionsIsNotDeleted) {
    const int traded = addAccount(smith_, "Traded");
    addTransactions(traded, 1);
    addAccount(smith_, "Unused");
    inList(smith_, [this](DrivenWindow& list) {
        ui.messages.answer(ButtonYes);  // yes, delete
        ui.messages.answer(ButtonNo);   // no, do not try again
        list.press("Delete Record");
        list.clickRow("Customer accounts", 1);
        ui.messages.answer(ButtonYes);
        list.press("Delete Record");
        EXPECT_EQ(list.rows("Customer accounts"), std::vector<std::string>{"Traded"});
        list.press("Close");
    });
    ASSERT_GE(ui.messages.shown.size(), 2U);
    EXPECT_EQ(ui.messages.shown[1].title, "Referential Integrity Delete Error");
    EXPECT_EQ(ui.messages.shown[1].text,
              "This record is referenced from the file Transactions. This record cannot be "
              "deleted while these references exist.");
    EXPECT_EQ(accounts(),
              std::vector<std::string>{"Traded|Alpha Funds|C|" + std::to_string(smith_)});
    EXPECT_EQ(transactionClasses(traded), std::vector<std::string>{"C"});
}

}  // namespace
}  // namespace bb::test
