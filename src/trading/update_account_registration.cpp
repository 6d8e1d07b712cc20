// "Update Customer Accounts": one account of a customer, its registration,
// its financial objectives and, for review, its transactions. An account is
// tied to its account company by the company's name as the account holds
// it (its first 34 characters); a change of class is announced, and the
// save carries the new class into every transaction of the account.
//
// ACC:ACCOUNTCLASS, ACC:ACTIVEINACTIVE, ACC:EMPLOYEERELATED and
// ACC:RISKTOLERANCE hold one-character codes that stored records and every
// transaction rely on; the radios below store exactly those.
#include <string>

#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/text.h"
#include "trading/account_class.h"
#include "trading/account_procedures.h"
#include "trading/transaction_texts.h"
#include "ui/browse_manager.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kRegistration = "Account Registration";
constexpr std::string_view kObjectives = "Finacial Objectives";
constexpr std::string_view kTransactions = "Transactions";
constexpr std::string_view kTransactionList = "Account transactions";
constexpr std::string_view kCompanyBox = "Account Company";
constexpr std::string_view kObjectiveBox = "Investment Objectives";
constexpr std::string_view kCompanyLookup = "CompanyLookup";
constexpr std::string_view kEnteredElsewhere =
    "Transactions are entered from the account's transaction list";

// The objective numbers the objectives entry lists, in order of priority.
constexpr TextVariable kObjective1{"Objective1", 24, "1. Long Term Growth"};
constexpr TextVariable kObjective2{"Objective2", 24, "2. Capital Appreciation"};
constexpr TextVariable kObjective3{"Objective3", 24, "3. Income"};
constexpr TextVariable kObjective4{"Objective4", 24, "4. Speculation"};
constexpr TextVariable kObjective5{"Objective5", 24, "5. Other"};
// The highlighted transaction in words, as the account's trade list shows it.
constexpr TextVariable kDescriptionLine{"DescriptionLine", 100};

FieldDecl objectiveLine(const TextVariable& line) {
    return {.kind = ControlKind::Display,
            .local = line,
            .name = line,
            .tab = kObjectives,
            .group = kObjectiveBox};
}

std::vector<FieldDecl> registrationFields() {
    return {
        {.kind = ControlKind::DateSpin,
         .field = ACC::ACCOUNTOPENED,
         .prompt = "&Date Opened:",
         .picture = "@d2",
         .message = "The date this account was opened"},
        {.kind = ControlKind::DropList,
         .field = ACC::REPRESENTATIVENUMBER,
         .prompt = "&Representative:",
         .message = "The registered representative of this account",
         .drop = DropDecl{.file = FileId::Representatives,
                          .key = REP::key::REPRESENTATIVENAMEKEY,
                          .format = "29L(4)|M~Number~C(0)@s5@100L(3)|M~Name~L(2)@s25@",
                          .columns = {REP::REP_NUM, REP::REP_NAME},
                          .updates = {{REP::REPRESENTATIVENUMBER, ACC::REPRESENTATIVENUMBER}},
                          .defaultFill = false}},
        {.field = ACC::COMPANY,
         .prompt = "Co&mpany:",
         .picture = "@s34",
         .message = "The account company, as on file",
         .group = kCompanyBox},
        {.field = ACC::ACCOUNTNUMBER,
         .prompt = "&Number:",
         .picture = "@s20",
         .message = "The account number at the company"},
        {.field = ACC::ACCOUNTSHORTNAME,
         .prompt = "&Short Name:",
         .picture = "@s20",
         .message = "A short name for this account"},
        {.kind = ControlKind::DropList,
         .field = ACC::ACCOUNTTYPE,
         .prompt = "Account &Type",
         .message = "Select an account type from the list",
         .drop = DropDecl{.file = FileId::AccountTypes,
                          .key = ACT::key::ACCOUNTTYPEKEY,
                          .format = "160L(2)|M~Account Type~@s45@",
                          .columns = {ACT::ACCOUNTTYPE},
                          .updates = {{ACT::ACCOUNTTYPE, ACC::ACCOUNTTYPE}},
                          .defaultFill = false}},
        {.kind = ControlKind::Option,
         .field = ACC::ACCOUNTCLASS,
         .prompt = "C&lassification",
         .message = "The class decides which reports list this account's trades",
         .radios = {{.text = "Fee-Based", .value = "F"},
                    {.text = "Commission", .value = "C"},
                    {.text = "Margin", .value = "M"}}},
        {.kind = ControlKind::Option,
         .field = ACC::EMPLOYEERELATED,
         .prompt = "Ty&pe:",
         .radios = {{.text = "Employee Related",
                     .value = "Y",
                     .tip = "The customer or an account beneficiary is related to the "
                            "representative"},
                    {.text = "Not Employee Related",
                     .value = "N",
                     .tip = "No one of this account is related to the representative"}}},
        {.kind = ControlKind::TextArea,
         .field = ACC::ACCOUNTREGISTRATION,
         .prompt = "Full Registration Te&xt:",
         .message = "The account's full registration, as the company holds it",
         .lines = 4},
        {.kind = ControlKind::Check,
         .field = ACC::ACTIVEINACTIVE,
         .prompt = " &Active",
         .message = "An inactive account's transactions and receipts are closed"},
    };
}

std::vector<FieldDecl> objectiveFields() {
    return {
        {.field = ACC::TAXIDENTIFICATIONNUMBER,
         .prompt = "Ta&x ID:",
         .picture = "@s20",
         .message = "The tax identification number of this account",
         .tab = kObjectives},
        objectiveLine(kObjective1),
        objectiveLine(kObjective2),
        objectiveLine(kObjective3),
        objectiveLine(kObjective4),
        objectiveLine(kObjective5),
        {.field = ACC::INVESTMENTOBJECTIVES,
         .prompt = "&List in order of priority ...",
         .picture = "@s9",
         .message = "The objective numbers, most important first",
         .tab = kObjectives,
         .group = kObjectiveBox},
        {.kind = ControlKind::DateSpin,
         .field = ACC::BIRTHDATE,
         .prompt = "&Birth Date:",
         .picture = "@d2",
         .tab = kObjectives},
        {.kind = ControlKind::Option,
         .field = ACC::RISKTOLERANCE,
         .prompt = "Risk &Tolerance",
         .tab = kObjectives,
         .radios = {{.text = "1 Conservative for Income", .value = "1"},
                    {.text = "2 Conservative for Growth", .value = "2"},
                    {.text = "3 Moderate Risk", .value = "3"},
                    {.text = "4 Aggressive Risk", .value = "4"}}},
        {.kind = ControlKind::DateSpin,
         .field = ACC::LASTUPDATE,
         .prompt = "Last &Update:",
         .picture = "@d2",
         .message = "The date these objectives were last reviewed",
         .tab = kObjectives},
    };
}

std::vector<FieldDecl> transactionFields() {
    return {
        {.kind = ControlKind::List,
         .name = kTransactionList,
         .message = kEnteredElsewhere,
         .tab = kTransactions,
         .list =
             ListDecl{.file = FileId::Transactions,
                      .format =
                          "46R(2)|M~Date~C(0)@d2@24L(2)|M~Type~@s4@60R(2)|M~Quantity~C(0)@n-14.5@"
                          "34L(2)|M~Symbol~@s7@120L(2)|M~Description~@s34@"
                          "56R(2)|M~Price~C(0)@n-13.4b@50R(2)|M~Additional~C(0)@n-11.2b@"
                          "60R(2)|M~Total Amount~C(0)@n-15.2b@16L(2)|M~S/U~@s1@"
                          "30L(2)|M~Fund Source~@s1@46R(2)|M~Birthdate~C(0)@d2@"
                          "40L(2)|M~Objectives~@s9@30L(2)|M~Risk Toler~@s2@24L(2)|M~RR~@s5@"
                          "24L(2)|M~RR Reg~@s1@",
                      .columns = {TRN::DATE, TRN::BUYSELL, TRN::QUANTITY, TRN::SYMBOL,
                                  TRN::DESCRIPTION, TRN::PRICE, TRN::ADDITIONALCHARGES,
                                  TRN::TOTALAMOUNT, TRN::SOLICITEDUNSOLICITED, TRN::SOURCEFUNDS,
                                  TRN::BIRTHDATE, TRN::INVESTMENTOBJECTIVE, TRN::RISKTOLERANCE,
                                  TRN::REP_NUM, TRN::RRREGISTRATION},
                      // Newest first, the account's own.
                      .orders = {{.key = TRN::key::ACCOUNTREGISTRATIONNUMBERKEY,
                                  .range = {.kind = SingleValue,
                                            .field = TRN::REGISTRATIONNUMBER,
                                            .limit = {.field = ACC::REGISTRATIONNUMBER}}}},
                      .rows = 8,
                      .hideSelect = true}},
        {.kind = ControlKind::Display,
         .local = kDescriptionLine,
         .name = "Description Line",
         .tab = kTransactions},
        {.kind = ControlKind::Display,
         .field = TRN::TOTALAMOUNT,
         .prompt = "Net Amount:",
         .picture = "@n-15.2b",
         .tab = kTransactions},
    };
}

// The transactions tab's buttons add, change and delete nothing: a
// transaction is entered, changed and deleted only on the transaction form,
// from the account's transaction list.
ButtonDecl transactionButton(std::string_view text) {
    return {.text = text, .message = kEnteredElsewhere, .tab = kTransactions};
}

std::vector<ButtonDecl> accountButtons() {
    return formButtons({
        {.text = "...",
         .name = kCompanyLookup,
         .tip = "Select an Account Company",
         .message = "Select the account company from the file",
         .tab = kRegistration,
         .group = kCompanyBox},
        transactionButton("&Insert"),
        transactionButton("&Edit"),
        transactionButton("&Delete"),
    });
}

const WindowDecl& kUpdateAccountRegistration = declareWindow({
    .procedure = "UpdateAccountRegistration",
    .caption = "Update Customer Accounts",
    .recordsName = true,
    .primary = FileId::AccountRegistration,
    .files = {FileId::Members, FileId::Representatives, FileId::Vendors, FileId::AccountTypes,
              FileId::Transactions},
    .locals = {kObjective1, kObjective2, kObjective3, kObjective4, kObjective5, kDescriptionLine},
    .fields = {{.kind = ControlKind::Display,
                .field = MBR::MEMBERNAME,
                .name = "Customer",
                .heavy = true}},
    .tabs = {{.text = kRegistration, .ditto = true, .fields = registrationFields()},
             {.text = kObjectives, .ditto = true, .fields = objectiveFields()},
             {.text = kTransactions, .fields = transactionFields()}},
    .buttons = accountButtons(),
});

// The company in the Vendors buffer is the one the account names: the
// account holds the company's name cut to its own width, in any case.
bool holdsCompany(std::string_view company) {
    const std::size_t width = ACC::COMPANY.def().spec.width;
    return text::equalNoCase(text::fit(VEN::VENDORNAME.get(), width), company);
}

// Reads the account's company into the Vendors buffer: the one the
// selection list chose while it still carries the name, otherwise the first
// whose name, as the account holds it, is the account's. False when none is.
bool readAccountCompany() {
    FileManager& vendors = *fileManagerFor(FileId::Vendors);
    const std::string company = ACC::COMPANY.get();
    if (ACC::VENDORNUMBER.get() != 0) {
        buffer(FileId::Vendors).clear();
        VEN::VENDORNUMBER.set(ACC::VENDORNUMBER.get());
        if (vendors.FetchQuietly(VEN::key::VENDORNUMBERKEY) == SeverityNone &&
            holdsCompany(company))
            return true;
    }
    // A name cut short sorts just before the full names it begins.
    buffer(FileId::Vendors).clear();
    VEN::VENDORNAME.set(company);
    return vendors.SetOrderAt(VEN::key::VENDORNAMEKEY) == SeverityNone &&
           vendors.NextQuietly() == SeverityNone && holdsCompany(company);
}

void takeCompany() {
    ACC::COMPANY.set(text::fit(VEN::VENDORNAME.get(), ACC::COMPANY.def().spec.width));
    ACC::VENDORNUMBER.set(VEN::VENDORNUMBER.get());
}

// "The Account Class has been changed ...||Original: Commission    New: ..."
std::string classChangeText(std::string_view from, std::string_view to) {
    return "The Account Class has been changed ...||Original: " + std::string(classWord(from)) +
           "    New: " + std::string(classWord(to)) + "||All Transaction records will be updated.";
}

class UpdateAccountRegistrationWindow final : public WindowManager {
public:
    UpdateAccountRegistrationWindow() : WindowManager(kUpdateAccountRegistration) {}

    void SeedNewRecord() override {
        ACC::BIRTHDATE.set(MBR::BIRTHDATE.get());
        ACC::ACCOUNTOPENED.set(Clock::today());
        ACC::REPRESENTATIVENUMBER.set(MBR::REPRESENTATIVENUMBER.get());
        ACC::TAXIDENTIFICATIONNUMBER.set(MBR::SALESTAXID.get());
        ACC::ACTIVEINACTIVE.set("1");
        ACC::ACCOUNTCLASS.set("C");
        ACC::EMPLOYEERELATED.set(MBR::EMPLOYEERELATED.get());
    }

    int PrepareRequest() override {
        openingClass_ = ACC::ACCOUNTCLASS.get();
        readCustomer();
        return WindowManager::PrepareRequest();
    }

    int OnAccepted() override {
        const int level = WindowManager::OnAccepted();
        if (Pressed(kCompanyLookup)) lookUpCompany();
        return level;
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const bool any = Browse(kTransactionList)->Records() > 0;
        Set(kDescriptionLine, any ? descriptionLine() : "");
        Show(TRN::TOTALAMOUNT, any && !TRN::TOTALAMOUNT.get().isZero());
    }

    bool CheckFields() override {
        if (!checkRegistration() || !checkObjectives()) return false;
        if (REQUEST == ChangeRequest && !text::equal(ACC::ACCOUNTCLASS.get(), openingClass_))
            Announce("Account Class Change",
                     classChangeText(openingClass_, ACC::ACCOUNTCLASS.get()));
        return true;
    }

private:
    // The account's own customer heads the form and gives a new account its
    // first values, whatever another window left in the buffer.
    static void readCustomer() {
        buffer(FileId::Members).clear();
        MBR::MEMBERNUMBER.set(ACC::MEMBERNUMBER.get());
        (void)fileManagerFor(FileId::Members)->FetchQuietly(MBR::key::MEMBERKEY);
    }

    void lookUpCompany() {
        if (CallProcedure("BrowseVendors", SelectRequest) != ResponseCompleted) {
            Select(Control(ACC::COMPANY));
            return;
        }
        takeCompany();
        Display();
    }

    bool checkRegistration() {
        if (ACC::ACCOUNTOPENED.get() == kNoDate)
            return Refuse(ACC::ACCOUNTOPENED, "Account Date Required",
                          "     You must enter the date this account was opened.");
        if (text::isBlank(ACC::COMPANY.get()) || !readAccountCompany())
            return Refuse(ACC::COMPANY, "Account Company Required",
                          "You must enter a valid company name, or press the  ellipsis (...) "
                          "button to select one from the file.");
        takeCompany();
        if (text::isBlank(ACC::ACCOUNTNUMBER.get()))
            return Refuse(ACC::ACCOUNTNUMBER, "Account Number Required",
                          "     You must enter an account number...");
        if (text::isBlank(ACC::ACCOUNTSHORTNAME.get()))
            return Refuse(ACC::ACCOUNTSHORTNAME, "Account Short Name Required",
                          "     You must enter the \"short name\" to use for this account.");
        if (text::isBlank(ACC::ACCOUNTREGISTRATION.get()))
            return Refuse(ACC::ACCOUNTREGISTRATION, "Full Account Registration Required",
                          "     You must enter the full account registration for this account.");
        return true;
    }

    bool checkObjectives() {
        if (ACC::LASTUPDATE.get() == kNoDate)
            return Refuse(ACC::LASTUPDATE, "\"Last Update\" Date Required",
                          "     You must enter the date this information was last updated.");
        if (text::isBlank(ACC::TAXIDENTIFICATIONNUMBER.get()))
            return Refuse(ACC::TAXIDENTIFICATIONNUMBER, "Tax Identification Number Required",
                          "     You must enter the tax ID number for this account.");
        if (text::isBlank(ACC::INVESTMENTOBJECTIVES.get()))
            return Refuse(ACC::INVESTMENTOBJECTIVES, "Investment Objectives Required",
                          "     You must enter the investment objectives for this account.");
        if (text::isBlank(ACC::RISKTOLERANCE.get()))
            return Refuse(ACC::RISKTOLERANCE, "Risk Tolerance Level Required",
                          "    You must enter the risk tolerance level for this account.");
        return true;
    }

    std::string openingClass_;  // the class as read, which the transactions still carry
};

}  // namespace

void UpdateAccountRegistration(std::string_view) {
    runCalled<UpdateAccountRegistrationWindow>();
}

}  // namespace bb
