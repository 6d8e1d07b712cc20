// "Account Companies": the product companies and custodians at which
// customer accounts are held, with the highlighted company's contact and
// address, and the ways to its phones and its accounts. Also the selection
// list the account form calls to choose a company.
#include <array>
#include <memory>
#include <string>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/headed_list.h"
#include "reference/order_choice.h"
#include "reference/reference_windows.h"
#include "ui/browse_manager.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kCompanies = "Companies";
constexpr TextVariable kAddressLine1{"AddressLine1", 40};
// A full city, ", ", the state, two blanks and the zip.
constexpr TextVariable kAddressLine2{"AddressLine2", 41};

FieldDecl detail(const TextVariable& local, std::string_view name) {
    return {.kind = ControlKind::Display, .local = local, .name = name};
}

std::vector<FieldDecl> companyFields() {
    return {
        headingField(),
        {.kind = ControlKind::List,
         .name = kCompanies,
         .message = "Select an account company",
         .list = ListDecl{.file = FileId::Vendors,
                          .format = "160L(2)|M~Name~@s40@",
                          .columns = {VEN::VENDORNAME},
                          .orders = {chosenBy("Name", {.key = VEN::key::VENDORNAMEKEY,
                                                       .locator = LocatorKind::Step}),
                                     chosenBy("Number", {.key = VEN::key::VENDORNUMBERKEY})},
                          .update = "UpdateVendors",
                          .rows = 8,
                          .hideSelect = true}},
        orderOption(
            {{.text = "by Name", .value = "Name"}, {.text = "by Number", .value = "Number"}}),
        {.kind = ControlKind::Display, .field = VEN::CONTACT1, .prompt = "Contact:"},
        {.kind = ControlKind::Display, .field = VEN::EMAIL, .prompt = "E-Mail:"},
        detail(kAddressLine1, "Address line 1"),
        detail(kAddressLine2, "Address line 2"),
    };
}

std::vector<ButtonDecl> companyButtons(bool maintenance) {
    std::vector<ButtonDecl> buttons{
        {.text = "Browse/Update Company &Phones",
         .message = "Phone numbers of the highlighted company",
         .calls = "BrowseVPH",
         .request = ProcessRequest,
         .needsRecord = true,
         .refresh = true},
        {.text = "&Insert Record", .role = ButtonRole::Insert, .message = "Add a new company"},
        {.text = "&Delete Record",
         .role = ButtonRole::Delete,
         .message = "Delete the highlighted company"},
        {.text = "&Edit Record",
         .role = ButtonRole::Change,
         .message = "Make changes to the highlighted company"},
        {.text = "&Select", .role = ButtonRole::Select},
    };
    if (maintenance)
        buttons.push_back({.text = "&Accounts",
                           .message = "Display accounts for the highlighted company",
                           .calls = "BrowseCompanyAccounts",
                           .request = ProcessRequest,
                           .needsRecord = true,
                           .refresh = true});
    buttons.push_back(
        {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"});
    buttons.push_back({.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"});
    return buttons;
}

WindowDecl companyDecl(bool maintenance) {
    return WindowDecl{
        .procedure = "BrowseVendors",
        .caption = "Account Companies",
        .recordsName = true,
        .locals = {kHeading, kOrder, kAddressLine1, kAddressLine2},
        .fields = companyFields(),
        .buttons = companyButtons(maintenance),
    };
}

const WindowDecl& kBrowseVendors = declareWindow(companyDecl(true));
const WindowDecl& kSelectVendor = declareWindow(companyDecl(false));

// The two lines under the list: the street, then the city line; with no
// street, the city line alone.
std::array<std::string, 2> companyAddressLines() {
    const std::string city = std::string(text::clip(VEN::CITY.get()));
    const std::string place =
        city.empty() ? std::string() : city + ", " + VEN::STATE.get() + "  " + VEN::ZIPCODE.get();
    if (text::isBlank(VEN::ADDRESS.get())) return {place, ""};
    return {VEN::ADDRESS.get(), place};
}

class BrowseVendorsWindow final : public HeadedList {
public:
    explicit BrowseVendorsWindow(bool maintenance)
        : HeadedList(maintenance ? kBrowseVendors : kSelectVendor,
                     maintenance ? "Browse Customer Account Companies"
                                 : "Select a Customer Account Company") {}

    void SetupControls() override {
        Set(kOrder, "Name");
        HeadedList::SetupControls();
    }

    bool MayCall(const ButtonDecl& button) override {
        // The company's name travels as the value the accounts are selected
        // by, never as filter text, so no character in it needs escaping.
        if (button.calls == "BrowseCompanyAccounts")
            processValues().SelectedCompanyName.set(VEN::VENDORNAME.get());
        return true;
    }

    int OnAccepted() override {
        // A new choice of order leaves the user in the list.
        if (CurrentEvent().control && CurrentEvent().control == Control("Order"))
            Select(Control(kCompanies));
        return WindowManager::OnAccepted();
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const auto lines = Browse(kCompanies)->Records() > 0 ? companyAddressLines()
                                                             : std::array<std::string, 2>{};
        Set(kAddressLine1, lines[0]);
        Set(kAddressLine2, lines[1]);
    }
};

}  // namespace

void BrowseVendors(std::string_view) {
    // The account form waits for the company chosen; from the menu the list
    // opens beside the other windows.
    if (processValues().PendingRequest == SelectRequest) {
        BrowseVendorsWindow window(false);
        processValues().LastResponse = window.Run();
        return;
    }
    startWindow(std::make_unique<BrowseVendorsWindow>(true));
}

}  // namespace bb
