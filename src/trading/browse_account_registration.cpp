// "Customer Accounts": the accounts of one customer, coloured by their
// state, with the highlighted account's representative, class and full
// registration, and the ways to its transactions, its receipts and the
// printed list of the customer's accounts.
#include <QPlainTextEdit>
#include <memory>
#include <string>

#include "data/file_presence.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/message_service.h"
#include "platform/text.h"
#include "trading/account_class.h"
#include "trading/account_procedures.h"
#include "ui/browse_manager.h"
#include "ui/frame_services.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kAccounts = "Customer accounts";
constexpr TextVariable kHeading{"Heading", 40, "Browse Customer Accounts"};
// The customer the list opened for: it keeps to it whatever the buffer
// holds later.
constexpr NumberVariable kCustomer{"CustomerNumber"};
constexpr TextVariable kCustomerName{"CustomerName", 35};
constexpr TextVariable kRepresentative{"Representative", 25};
// "Commission Account", the longest class line.
constexpr TextVariable kClassLine{"ClassLine", 18};

// The row colours, as RGB.
constexpr int kGrey = 0x808080;
constexpr int kSilver = 0xC0C0C0;
constexpr int kWhite = 0xFFFFFF;
constexpr int kBlue = 0x0000FF;
constexpr int kRed = 0xFF0000;
constexpr int kGreen = 0x008000;

// What the buttons that open the highlighted account's records say for an
// inactive account: they are closed to it.
struct InactiveRefusal {
    std::string_view procedure;
    std::string_view text;
};
constexpr std::string_view kInactiveTitle = "Inactive/Incomplete Account";
constexpr InactiveRefusal kInactiveRefusals[] = {
    {"BrowseTransactions", "Transactions cannot be accessed for inactive or incomplete accounts."},
    {"BrowseCheckSecurityReceipt",
     "Receipts cannot be accessed for inactive or incomplete accounts."},
};

FieldDecl accountList() {
    return {.kind = ControlKind::List,
            .name = kAccounts,
            .message = "Select an account",
            .list = ListDecl{
                .file = FileId::AccountRegistration,
                .joins = {{FileId::Members}, {FileId::Representatives}},
                .format = "90L(2)|M~Short Name~@s20@180L(2)|M~Company/Type~@s34@"
                          "90L(2)|M~Account Number~@s20@",
                .columns = {ACC::ACCOUNTSHORTNAME, ACC::COMPANY, ACC::ACCOUNTNUMBER},
                .orders = {{.key = ACC::key::MEMBERNUMBERKEY,
                            .range = {.kind = SingleValue,
                                      .field = ACC::MEMBERNUMBER,
                                      .limit = {.local = kCustomer.name()}},
                            .locator = LocatorKind::Step,
                            .thumb = {.kind = ThumbKind::String,
                                      .controls = StepManager::kLetters | StepManager::kDigits}}},
                .update = "UpdateAccountRegistration",
                .colours = accountRowColours,
                .rows = 8,
                .hideSelect = true}};
}

std::vector<FieldDecl> listFields() {
    return {
        {.kind = ControlKind::Display, .local = kHeading, .name = kHeading, .heavy = true},
        {.kind = ControlKind::Display, .local = kCustomerName, .name = "Customer"},
        accountList(),
        {.kind = ControlKind::Display, .local = kRepresentative, .prompt = "Representative:"},
        {.kind = ControlKind::Display, .local = kClassLine, .name = "Class"},
        {.kind = ControlKind::TextArea,
         .field = ACC::ACCOUNTREGISTRATION,
         .prompt = "Registration",
         .message = "The full registration of the highlighted account",
         .lines = 4},
    };
}

ButtonDecl callsFor(std::string_view text, std::string_view procedure, std::string_view message) {
    return {.text = text,
            .message = message,
            .list = kAccounts,
            .calls = procedure,
            .request = ProcessRequest,
            .needsRecord = true,
            .refresh = true};
}

std::vector<ButtonDecl> listButtons() {
    return {
        {.text = "&Insert Record", .role = ButtonRole::Insert, .message = "Add a new account"},
        {.text = "&Edit Record",
         .role = ButtonRole::Change,
         .message = "Review or make changes to the highlighted account"},
        {.text = "&Delete Record",
         .role = ButtonRole::Delete,
         .message = "Delete the highlighted account"},
        {.text = "&Select", .role = ButtonRole::Select},
        callsFor("&Transactions", "BrowseTransactions", "Transactions of the highlighted account"),
        callsFor("&Receipts", "BrowseCheckSecurityReceipt",
                 "Checks and securities received for the highlighted account"),
        {.text = "&Accounts",
         .message = "Print the accounts of this customer",
         .calls = "PrintCustomerAccounts",
         .request = ProcessRequest},
        {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
        {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
    };
}

const WindowDecl& kBrowseAccountRegistration = declareWindow({
    .procedure = "BrowseAccountRegistration",
    .caption = "Customer Accounts",
    .recordsName = true,
    .files = {FileId::AccountTypes, FileId::Vendors, FileId::Transactions},
    .locals = {kHeading, kCustomer, kCustomerName, kRepresentative, kClassLine},
    .fields = listFields(),
    .buttons = listButtons(),
});

bool birthdayToday(DayNumber born) {
    const DayNumber today = Clock::today();
    return born != kNoDate && monthOf(born) == monthOf(today) && dayOf(born) == dayOf(today);
}

// A new account needs an account type to choose: the list refuses an
// insert until there is one, and opens the menu that leads to them.
class AccountBrowse final : public BrowseManager {
public:
    int Interact(int request) override {
        if (request == InsertRequest && holdsNoRecord(FileId::AccountTypes)) {
            WINDOW->Refuse(LISTCONTROL, "Insert Record Required",
                           "Insert at least one Account Type in the Account Types file first.");
            frameServices().openMenu('M', 1);
            return ResponseCancelled;
        }
        return BrowseManager::Interact(request);
    }
};

class BrowseAccountRegistrationWindow final : public WindowManager {
public:
    // The customer is taken when the list opens and kept.
    BrowseAccountRegistrationWindow()
        : WindowManager(kBrowseAccountRegistration),
          customer_(MBR::MEMBERNUMBER.get()),
          customerName_(MBR::MEMBERNAME.get()) {}

    void SetupControls() override {
        Set(kCustomer, customer_);
        Set(kCustomerName, customerName_);
        WindowManager::SetupControls();
        // The registration is shown here and changed on the account form.
        if (auto* registration = qobject_cast<QPlainTextEdit*>(Control(ACC::ACCOUNTREGISTRATION)))
            registration->setReadOnly(true);
    }

    std::unique_ptr<BrowseManager> CreateBrowse(const FieldDecl&) override {
        return std::make_unique<AccountBrowse>();
    }

    bool MayCall(const ButtonDecl& button) override {
        if (!text::equal(ACC::ACTIVEINACTIVE.get(), "0")) return true;
        for (const InactiveRefusal& inactive : kInactiveRefusals) {
            if (inactive.procedure == button.calls)
                return Refuse(Control(kAccounts), kInactiveTitle, inactive.text);
        }
        return true;
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const bool any = Browse(kAccounts)->Records() > 0;
        if (!any) buffer(FileId::AccountRegistration).clear();
        Set(kRepresentative, any ? std::string(text::clip(REP::REP_NAME.get())) : "");
        Set(kClassLine, any ? classLine(ACC::ACCOUNTCLASS.get()) : "");
    }

private:
    const std::int64_t customer_;
    const std::string customerName_;
};

}  // namespace

RowColours accountRowColours(int) {
    const std::string& active = ACC::ACTIVEINACTIVE.get();
    if (text::equal(active, "0")) return {kGrey, kDefaultColour, kWhite, kSilver};
    if (!text::equal(active, "1")) return {};
    if (birthdayToday(ACC::BIRTHDATE.get())) return {kBlue, kDefaultColour, kWhite, kBlue};
    if (ACC::LASTUPDATE.get() <= CTRL::DEFAULTOUTDATEDATE.get())
        return {kRed, kDefaultColour, kWhite, kRed};
    if (text::equal(ACC::EMPLOYEERELATED.get(), "Y") ||
        text::equal(MBR::EMPLOYEERELATED.get(), "Y"))
        return {kGreen, kDefaultColour, kWhite, kGreen};
    return {};
}

void BrowseAccountRegistration(std::string_view) {
    if (MBR::MEMBERNUMBER.get() == 0) {
        messages().show({"Customer Required", "Enter customer first", MessageIcon::Exclamation,
                         ButtonOk, ButtonOk});
        processValues().LastResponse = ResponseCancelled;
        return;
    }
    runCalled<BrowseAccountRegistrationWindow>();
}

}  // namespace bb
