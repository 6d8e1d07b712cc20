#include "customers/browse_members.h"
#include "customers/group_drag.h"

#include <QFont>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "data/file_manager.h"
#include "data/file_presence.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/message_service.h"
#include "platform/text.h"
#include "reports/report_lines.h"
#include "ui/browse_manager.h"
#include "ui/drag_link.h"
#include "ui/frame_services.h"
#include "ui/scoped_value.h"
#include "ui/window.h"
#include "ui/window_ids.h"
#include "ui/window_post.h"

namespace bb {
namespace {

constexpr std::string_view kCustomers = "Customers";
constexpr std::string_view kPhones = "Customer phones";
constexpr std::string_view kTitle = "Title";
constexpr std::string_view kDetails = "Selected Member Information";

constexpr TextVariable kShowOption{"ShowOption", 10};
constexpr NumberVariable kRepresentative{"RepresentativeRange"};
constexpr TextVariable kDisplayName{"DisplayName", 34};
// "Representative: " and the longest name, 25 characters, uncut.
constexpr TextVariable kRepresentativeLine{"RepresentativeLine", 41};
constexpr TextVariable kAddressLine1{"AddressLine1", 40};
constexpr TextVariable kAddressLine2{"AddressLine2", 40};
constexpr TextVariable kAddressLine3{"AddressLine3", 40};

constexpr std::string_view kCustomerList = "Customer List";
constexpr std::string_view kMemberDragTip = "Drag from customer list to a customer group";
// The customer's name over the list stands out as the window's heading.
constexpr double kTitleScale = 1.4;

// The row colours, as RGB.
constexpr int kSilver = 0xC0C0C0;
constexpr int kWhite = 0xFFFFFF;
constexpr int kBlue = 0x0000FF;
constexpr int kRed = 0xFF0000;
constexpr int kGreen = 0x008000;

bool birthdayToday() {
    const DayNumber born = MBR::BIRTHDATE.get();
    const DayNumber today = Clock::today();
    return born != kNoDate && monthOf(born) == monthOf(today) && dayOf(born) == dayOf(today);
}

// "Active", "Inactive" or "All", as the preferences' report filter selects.
std::string showOptionFrom(std::string_view filter) {
    const std::size_t at = filter.find("MBR:Active");
    if (at == std::string_view::npos) return "All";
    const std::string_view test = filter.substr(at, 12);
    if (test == "MBR:Active=1") return "Active";
    if (test == "MBR:Active=0") return "Inactive";
    return "All";
}

SortDecl customerOrder(bool rep, std::string_view filter, std::string_view show) {
    SortDecl order{
        .key = rep ? MBR::key::REPRESENTATIVENUMBERKEY : MBR::key::COMPANYKEY,
        .filter = filter,
        .locator = LocatorKind::Step,
        .resets = {{.local = kShowOption.name()}},
        .local = kShowOption,
        .value = show,
    };
    if (rep)
        order.range = {.kind = SingleValue,
                       .field = MBR::REPRESENTATIVENUMBER,
                       .limit = {.local = kRepresentative}};
    return order;
}

FieldDecl customerList(bool rep) {
    std::vector<SortDecl> orders{customerOrder(rep, "(MBR:Active=1)", "Active"),
                                 customerOrder(rep, "(MBR:Active=0)", "Inactive"),
                                 customerOrder(rep, "", "All")};
    // The thumb of the active customers' order finds its place by the name.
    orders[0].thumb = {.kind = ThumbKind::String,
                       .controls = StepManager::kLetters | StepManager::kDigits};
    return {.kind = ControlKind::List,
            .name = kCustomers,
            .list = ListDecl{.file = FileId::Members,
                             .format = "142L(3)|M*~Customer/Company~L(2)@s34@",
                             .columns = {MBR::COMPANYNAME},
                             .orders = std::move(orders),
                             .update = rep ? "UpdateRepMembers" : "UpdateMembers",
                             .colours = customerRowColours,
                             .rows = 8,
                             .hideSelect = true}};
}

FieldDecl phoneList() {
    return {.kind = ControlKind::List,
            .name = kPhones,
            .tip = "Customer phone numbers",
            .group = kDetails,
            .list = ListDecl{
                .file = FileId::MPhones,
                .format = "44L(2)|M~Location~@s10@80L(2)|M~Number~@p(###) ###-####p@24L(2)@s6@"
                          "120L(2)@s30@80L(2)@s20@",
                .columns = {MPH::DESCRIPTION, MPH::PHONENUMBER, MPH::EXTENSION, MPH::CONTACT,
                            MPH::DEPARTMENT},
                .orders = {{.key = MPH::key::KEYMEMBERNUMBER,
                            .range = {.kind = SingleValue,
                                      .field = MPH::MEMBERNUMBER,
                                      .limit = {.field = MBR::MEMBERNUMBER}}}},
                .rows = 3,
                .hideSelect = true}};
}

FieldDecl detailLine(const TextVariable& line) {
    return {.kind = ControlKind::Display, .local = line, .name = line, .group = kDetails};
}

std::vector<FieldDecl> listFields(bool rep) {
    return {
        {.kind = ControlKind::Display,
         .field = MBR::MEMBERNAME,
         .name = kTitle,
         .heavy = true,
         .scale = kTitleScale},
        customerList(rep),
        // Under the list it filters, beside the customer's box.
        {.kind = ControlKind::Option,
         .local = kShowOption,
         .prompt = "&Show Customers",
         .message = "Select customers to show in the list",
         .radios = {{.text = "Active",
                     .value = "Active",
                     .tip = "Display Active Customers",
                     .message = "Display only records marked active"},
                    {.text = "Inactive",
                     .value = "Inactive",
                     .tip = "Display Inactive Customers",
                     .message = "Display only records marked inactive"},
                    {.text = "Both",
                     .value = "All",
                     .tip = "Display Both Active & Inactive Customers",
                     .message = "Display both active and inactive customer records"}}},
        phoneList(),
        detailLine(kRepresentativeLine),
        detailLine(kDisplayName),
        detailLine(kAddressLine1),
        detailLine(kAddressLine2),
        detailLine(kAddressLine3),
        {.kind = ControlKind::Display, .field = MBR::EMAIL, .name = "E-mail", .group = kDetails},
        {.kind = ControlKind::Display,
         .field = MBR::SALESTAXID,
         .prompt = "Tax ID:",
         .group = kDetails},
    };
}

std::vector<ButtonDecl> listButtons() {
    return {
        {.text = "&Phones",
         .tip = "Browse/Update Customer Phones",
         .message = "Add, review, or change phone records for the highlighted customer",
         .icon = "Phone2.ico",
         .group = kDetails,
         .list = kCustomers,
         .calls = "BrowseMPH",
         .request = ProcessRequest,
         .needsRecord = true,
         .refresh = true},
        {.text = "&Accounts",
         .tip = "Browse/Update Customer Accounts",
         .message = "Display accounts for the highlighted customer",
         .list = kCustomers,
         .calls = "BrowseAccountRegistration",
         .request = ProcessRequest,
         .needsRecord = true,
         .refresh = true},
        {.text = "&Notes",
         .tip = "Browse/Update Customer Notes",
         .message = "Display notes for the highlighted customer",
         .list = kCustomers,
         .calls = "BrowseLOG",
         .request = ProcessRequest,
         .needsRecord = true,
         .refresh = true},
        {.text = "&Insert",
         .role = ButtonRole::Insert,
         .message = "Add a new record to the customer file",
         .list = kCustomers},
        {.text = "&Delete",
         .role = ButtonRole::Delete,
         .message = "Delete the highlighted record",
         .list = kCustomers},
        {.text = "&Edit",
         .role = ButtonRole::Change,
         .message = "Review or make changes to the highlighted record",
         .list = kCustomers},
        {.text = "&Close",
         .role = ButtonRole::Cancel,
         .tip = "Close Window",
         .message = "Exit and return..."},
        {.text = "&Help",
         .role = ButtonRole::Help,
         .tip = "Windows Help",
         .message = "Access detailed help information"},
    };
}

// What the buttons that open the highlighted customer's records say when
// the customer is inactive: its records are closed to new entries.
struct InactiveRefusal {
    std::string_view procedure;
    Refusal refusal;
};
constexpr InactiveRefusal kInactiveRefusals[] = {
    {"BrowseMPH",
     {"Insert Record Required", "Phone records cannot be accessed for incomplete accounts."}},
    {"BrowseAccountRegistration",
     {"Edit/Insert Record Required",
      "Account records cannot be accessed for inactive or incomplete accounts."}},
    {"BrowseLOG",
     {"Insert Record Required", "The log file cannot be accessed for incomplete accounts."}},
};

WindowDecl listDecl(bool rep) {
    return WindowDecl{
        .procedure = rep ? "BrowseRepMembers" : "BrowseMembers",
        .helpTopic = "BrowseMembers",
        .caption = kCustomerList,
        .icon = "Customer.ico",
        .recordsName = true,
        .locals = {kShowOption, kRepresentative, kDisplayName, kRepresentativeLine, kAddressLine1,
                   kAddressLine2, kAddressLine3},
        .fields = listFields(rep),
        // The highlighted customer's details stand beside the list, so the
        // whole window fits a small screen.
        .besideList = kDetails,
        .buttons = listButtons(),
    };
}

const WindowDecl& kBrowseMembers = declareWindow(listDecl(false));
const WindowDecl& kBrowseRepMembers = declareWindow(listDecl(true));

// A file a new customer needs a record of, and where the frame's menu
// offers it.
struct Prerequisite {
    FileId file;
    std::string_view fullText;
    std::string_view repText;
    char menu;
    int downPresses;  // in the full list only
};

constexpr Prerequisite kPrerequisites[] = {
    {FileId::Representatives,
     "Insert at least one Representative in the Representative File first.",
     "Insert at least one representative record in the Representative file.", 'R', 0},
    {FileId::MembershipTypes,
     "Insert at least one Customer Class record in the Customer Classification File first.",
     "Insert at least one customer class record in the Customer Classification file.", 'M', 2},
    {FileId::States, "Insert at least one State record in the States file first.",
     "Insert at least one state record in the States file.", 'M', 8},
};

// The customers' list refuses an insert until the files a customer form
// chooses from hold a record each, and opens the menu that leads to the
// first that does not.
class CustomerBrowse final : public BrowseManager {
public:
    explicit CustomerBrowse(bool rep) : rep_(rep) {}

    int Interact(int request) override {
        if (request == InsertRequest && !prerequisitesMet()) return ResponseCancelled;
        return BrowseManager::Interact(request);
    }

private:
    bool prerequisitesMet() {
        for (const Prerequisite& p : kPrerequisites) {
            if (!holdsNoRecord(p.file)) continue;
            WINDOW->Refuse(LISTCONTROL, "Insert Record Required", rep_ ? p.repText : p.fullText);
            frameServices().openMenu(p.menu, rep_ ? 0 : p.downPresses);
            return false;
        }
        return true;
    }

    const bool rep_;
};

class BrowseMembersWindow final : public WindowManager {
public:
    explicit BrowseMembersWindow(bool rep)
        : WindowManager(rep ? kBrowseRepMembers : kBrowseMembers), rep_(rep) {}

    void SetupControls() override {
        listOpen_.emplace(processValues().CustomerListThread, WindowId());
        Set(kShowOption, showOptionFrom(CTRL::REPORTFILTER.get()));
        if (rep_) Set(kRepresentative, std::int64_t{REP::REPRESENTATIVENUMBER.get()});
        WindowManager::SetupControls();
        DragLink::of(customerTable()).setTarget(kGroupMemberDrag, [](const std::string&, QPoint) {
            postCommand(processValues().GroupsWindowThread, kDeleteGroupMember);
        });
    }

    int Teardown() override {
        listOpen_.reset();
        // The groups window lets members be dragged out only while a list
        // is open to take them.
        postToWindow(processValues().GroupsWindowThread, {EventKind::GainFocus});
        return WindowManager::Teardown();
    }

    std::unique_ptr<BrowseManager> CreateBrowse(const FieldDecl& list) override {
        if (list.name == kCustomers) return std::make_unique<CustomerBrowse>(rep_);
        return WindowManager::CreateBrowse(list);
    }

    int OnAccepted() override {
        // A new choice of customers to show leaves the user in the list.
        if (CurrentEvent().control && CurrentEvent().control == Control("Show Customers"))
            Select(Control(kCustomers));
        return WindowManager::OnAccepted();
    }

    // An inactive customer's records are closed.
    bool MayCall(const ButtonDecl& button) override {
        if (MBR::ACTIVE.get() != 0) return true;
        for (const InactiveRefusal& inactive : kInactiveRefusals) {
            if (inactive.procedure == button.calls)
                Refuse(Control(kCustomers), inactive.refusal.title, inactive.refusal.text);
        }
        return false;
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const bool any = Browse(kCustomers)->Records() > 0;
        Set(kDisplayName, any ? displayName() : "");
        Set(kRepresentativeLine, any ? representativeLine() : "");
        const auto lines = any ? addressBlock() : std::array<std::string, 3>{};
        Set(kAddressLine1, lines[0]);
        Set(kAddressLine2, lines[1]);
        Set(kAddressLine3, lines[2]);
        applyDragState();
    }

private:
    QWidget& customerTable() const { return *Browse(kCustomers)->List()->Table(); }

    // Customers can be dragged from the list while the groups window is
    // open to take them.
    void applyDragState() {
        const int groups = processValues().GroupsWindowThread;
        if (appliedGroups_ == groups) return;
        appliedGroups_ = groups;
        DragLink& link = DragLink::of(customerTable());
        if (groups == 0) {
            link.setSource({}, {}, {});
        } else {
            link.setSource(kMemberDrag, kMemberDragTip, [this] { return highlightedNumber(); });
        }
    }

    // The number of the customer highlighted in the list, as a drag
    // carries it; empty when the list is empty.
    std::string highlightedNumber() {
        // A drag starts outside the window's events: its reads run as the
        // window's own, from the row the user sees highlighted, whatever
        // another window left in the buffer since.
        const ThreadScope thread(WindowId());
        BrowseManager& customers = *Browse(kCustomers);
        if (customers.Records() == 0) return {};
        customers.RereadSelected();
        return std::to_string(MBR::MEMBERNUMBER.get());
    }

    static std::string displayName() {
        if (birthdayToday())
            return "Happy Birthday " + std::string(text::clip(MBR::FIRSTNAME.get())) + "!";
        if (text::equal(MBR::MEMBERTYPE.get(), "Company")) return MBR::CONTACT.get();
        return std::string(text::clip(MBR::FIRSTNAME.get())) + " " + MBR::LASTNAME.get();
    }

    static std::string representativeLine() {
        REP::REPRESENTATIVENUMBER.set(MBR::REPRESENTATIVENUMBER.get());
        // A representative that is gone leaves the name the buffer holds.
        (void)fileManagerFor(FileId::Representatives)
            ->FetchQuietly(REP::key::REPRESENTATIVENUMBERKEY);
        return "Representative: " + std::string(text::clip(REP::REP_NAME.get()));
    }

    const bool rep_;
    std::optional<ScopedValue<int>> listOpen_;  // CustomerListThread while the list is open
    std::optional<int> appliedGroups_;          // GroupsWindowThread as the drag state last saw it
};

// Brings the open customer list to the front; false when none is open.
bool bringOpenListForward() {
    const int open = processValues().CustomerListThread;
    if (open == 0) return false;
    const WindowManager* window = startedWindow(open);
    if (window && window->Widget()) frameServices().activateChildWindow(*window->Widget());
    return true;
}

}  // namespace

RowColours customerRowColours(int) {
    if (MBR::ACTIVE.get() == 0) return {kSilver, kDefaultColour, kWhite, kSilver};
    if (MBR::ACTIVE.get() != 1) return {};
    if (birthdayToday()) return {kBlue, kWhite, kWhite, kBlue};
    if (MBR::LASTUPDATE.get() <= CTRL::DEFAULTOUTDATEDATE.get())
        return {kRed, kWhite, kWhite, kRed};
    if (text::equal(MBR::EMPLOYEERELATED.get(), "Y"))
        return {kGreen, kDefaultColour, kDefaultColour, kGreen};
    return {};
}

void BrowseMembers(std::string_view) {
    if (bringOpenListForward()) return;
    startWindow(std::make_unique<BrowseMembersWindow>(false));
}

void BrowseRepMembers(std::string_view) {
    if (processValues().CustomerListThread != 0) {
        messages().beep(Beep::Asterisk);
        messages().show({"Window Already Open", "   Close the active Customer List first...",
                         MessageIcon::Information, ButtonOk, ButtonOk});
    }
    if (bringOpenListForward()) return;
    startWindow(std::make_unique<BrowseMembersWindow>(true));
}

}  // namespace bb
