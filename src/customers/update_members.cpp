#include "customers/update_members.h"

#include <QWidget>
#include <string>

#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/text.h"
#include "ui/browse_manager.h"
#include "ui/scoped_value.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kGeneral = "General";
constexpr std::string_view kAddress = "Address";
constexpr std::string_view kFinancial = "Financial";
constexpr std::string_view kPhones = "Phones";
constexpr std::string_view kPhoneList = "Phone numbers";
constexpr TextVariable kExtensionText{"ExtensionText", 20};

constexpr std::string_view kCompany = "Company";
constexpr std::string_view kIndividual = "Individual";

std::vector<FieldDecl> generalFields() {
    return {
        {.kind = ControlKind::DateSpin,
         .field = MBR::CONTACTSINCE,
         .prompt = "Contact &Since:",
         .picture = "@d2",
         .tip = "Date of First Contact"},
        {.kind = ControlKind::Option,
         .field = MBR::MEMBERTYPE,
         .prompt = "Customer &Type",
         .radios = {{.text = "C&ompany",
                     .value = kCompany,
                     .message = "Customer with a company name"},
                    {.text = "In&dividual",
                     .value = kIndividual,
                     .message = "Customer as an individual"}}},
        {.field = MBR::COMPANYNAME, .prompt = "Company &Name:", .picture = "@s34"},
        {.field = MBR::CONTACT, .prompt = "Conta&ct:", .picture = "@s35", .tip = "Contact Person"},
        {.field = MBR::LASTNAME, .prompt = "&Last Name:", .picture = "@s25"},
        {.field = MBR::FIRSTNAME, .prompt = "&First Name:", .picture = "@s20"},
        {.field = MBR::MIDDLENAME, .prompt = "&Middle Initial:", .picture = "@s1"},
        {.kind = ControlKind::DropList,
         .field = MBR::REPRESENTATIVENUMBER,
         .prompt = "&Representative:",
         .tip = "Registered representative",
         .drop = DropDecl{.file = FileId::Representatives,
                          .key = REP::key::REPRESENTATIVENAMEKEY,
                          .format = "29L(4)|M~Number~C(0)@s5@100L(3)|M~Name~L(2)@s25@",
                          .columns = {REP::REP_NUM, REP::REP_NAME},
                          .updates = {{REP::REPRESENTATIVENUMBER, MBR::REPRESENTATIVENUMBER},
                                      {REP::REP_NUM, MBR::REP_NUM}},
                          .defaultFill = false}},
        {.kind = ControlKind::Display,
         .field = REP::REP_NAME,
         .name = "Representative name",
         .beside = true},
        {.kind = ControlKind::DropList,
         .field = MBR::SALESLEVEL,
         .prompt = "Cl&assification:",
         .drop = DropDecl{.file = FileId::MembershipTypes,
                          .key = TYP::key::MEMBERTYPEKEY,
                          .format = "60L(3)~Member Classification~L(2)@s15@",
                          .columns = {TYP::MEMBERTYPE},
                          .updates = {{TYP::MEMBERTYPE, MBR::SALESLEVEL}},
                          .defaultFill = false}},
        {.kind = ControlKind::Display,
         .field = TYP::DESCRIPTION,
         .name = "Classification description",
         .picture = "@s40",
         .beside = true},
        {.kind = ControlKind::Check,
         .field = MBR::ACTIVE,
         .prompt = "Acti&ve",
         .message = "Active/Inactive"},
        {.kind = ControlKind::Option,
         .field = MBR::EMPLOYEERELATED,
         .prompt = "&Employee Related",
         .radios = {{.text = "No", .value = "N"}, {.text = "Yes", .value = "Y"}}},
    };
}

std::vector<FieldDecl> addressFields() {
    return {
        {.field = MBR::ADDRESS,
         .prompt = "&Address:",
         .picture = "@s40",
         .message = "Street address"},
        {.field = MBR::ADDRESS2,
         .name = "Address line 2",
         .picture = "@s40",
         .message = "Additional address information"},
        {.field = MBR::CITY, .prompt = "&City:", .picture = "@s25"},
        {.kind = ControlKind::DropList,
         .field = MBR::STATE,
         .prompt = "&State:",
         .message = "Select a state from the drop-down list",
         .drop = DropDecl{.file = FileId::States,
                          .key = ST::key::STATEKEY,
                          .format = "18L(1)@s2@80L@s20@",
                          .columns = {ST::STATECODE, ST::STATENAME},
                          .updates = {{ST::STATECODE, MBR::STATE}},
                          .defaultFill = false}},
        {.kind = ControlKind::Display,
         .field = ST::STATENAME,
         .name = "State name",
         .picture = "@s20",
         .beside = true},
        {.field = MBR::ZIPCODE,
         .prompt = "&Zip:",
         .picture = "@s10",
         .message = "Postal zip code, or zip + 4"},
        {.field = MBR::EMAIL,
         .prompt = "E-&Mail:",
         .picture = "@s35",
         .message = "E-mail address or web site"},
        {.field = MBR::EMPLOYER,
         .prompt = "&Employer:",
         .picture = "@s40",
         .message = "Customer's employer"},
    };
}

std::vector<FieldDecl> financialFields() {
    return {
        {.kind = ControlKind::DateSpin,
         .field = MBR::BIRTHDATE,
         .prompt = "&Birth Date:",
         .picture = "@d2"},
        {.field = MBR::INCOME,
         .prompt = "&Income:",
         .picture = "@n$-15.2",
         .message = "Annual income from all sources"},
        {.field = MBR::NETWORTH,
         .prompt = "&Net Worth:",
         .picture = "@n$-15.2",
         .message = "Net worth exclusive of home"},
        {.field = MBR::SALESTAXID,
         .prompt = "&Tax ID:",
         .picture = "@s20",
         .message = "Customer's SSAN or tax ID number"},
        {.kind = ControlKind::DateSpin,
         .field = MBR::LASTUPDATE,
         .prompt = "&Last Update:",
         .picture = "@d2",
         .message = "Date that income and net worth was last updated"},
        {.kind = ControlKind::Option,
         .field = MBR::MARRIEDYN,
         .prompt = "&Married",
         .radios = {{.text = "Yes", .value = "Y"}, {.text = "No", .value = "N"}}},
        {.kind = ControlKind::Option,
         .field = MBR::SALESTAX,
         .prompt = "&Withholding",
         .message = "Subject to back-up withholding",
         .radios = {{.text = "No", .value = "N", .tip = "Mandatory Withholding"},
                    {.text = "Yes", .value = "Y", .tip = "Mandatory Withholding"}}},
    };
}

// The customer's phone numbers, kept through the phone number form.
std::vector<FieldDecl> phoneFields() {
    return {
        {.kind = ControlKind::List,
         .name = kPhoneList,
         .list =
             ListDecl{.file = FileId::MPhones,
                      // The number's column holds the whole of its picture, as the phone lists do.
                      .format = "46L(3)|M~Location~L(2)@s10@80L(3)|M~Number~L(2)@p(###) ###-####p@"
                                "80L(3)|M~Department~L(2)@s20@",
                      .columns = {MPH::DESCRIPTION, MPH::PHONENUMBER, MPH::DEPARTMENT},
                      .orders = {{.key = MPH::key::KEYMEMBERNUMBER,
                                  .range = {.kind = SingleValue,
                                            .field = MPH::MEMBERNUMBER,
                                            .limit = {.field = MBR::MEMBERNUMBER}}}},
                      .update = "UpdateMPH",
                      .rows = 6,
                      .hideSelect = true}},
        // The highlighted number's contact and extension, under the list:
        // above it an empty contact read as a gap.
        {.kind = ControlKind::Display,
         .field = MPH::CONTACT,
         .name = "Phone contact",
         .picture = "@s30"},
        {.kind = ControlKind::Display,
         .local = kExtensionText,
         .name = "Extension",
         .beside = true},
    };
}

std::vector<ButtonDecl> phoneButtons() {
    return {
        {.text = "&Insert", .role = ButtonRole::Insert, .tab = kPhones, .list = kPhoneList},
        {.text = "Chan&ge",
         .role = ButtonRole::Change,
         .message = "Review or make changes for the highlighted phone number",
         .tab = kPhones,
         .list = kPhoneList},
        {.text = "De&lete", .role = ButtonRole::Delete, .tab = kPhones, .list = kPhoneList},
    };
}

std::vector<ButtonDecl> memberButtons() {
    std::vector<ButtonDecl> buttons = formButtons({}, "Cancel changes and exit");
    for (ButtonDecl& button : phoneButtons()) buttons.push_back(button);
    return buttons;
}

WindowDecl formDecl(std::string_view procedure) {
    return WindowDecl{
        .procedure = procedure,
        .helpTopic = "UpdateMembers",
        .caption = "Update the Customer File",
        .primary = FileId::Members,
        .files = {FileId::Representatives, FileId::MembershipTypes, FileId::States,
                  FileId::MPhones},
        .locals = {kExtensionText},
        // What the user types is what ditto puts back; what a form shows
        // from other files is not.
        .tabs = {{.text = kGeneral, .ditto = true, .fields = generalFields()},
                 {.text = kAddress, .ditto = true, .fields = addressFields()},
                 {.text = kFinancial, .ditto = true, .fields = financialFields()},
                 {.text = kPhones, .fields = phoneFields()}},
        .buttons = memberButtons(),
    };
}

const WindowDecl& kUpdateMembers = declareWindow(formDecl("UpdateMembers"));
const WindowDecl& kUpdateRepMembers = declareWindow(formDecl("UpdateRepMembers"));

// A preference that is set replaces the value a new record has.
void takeDefault(const TextField& to, const std::string& preference) {
    if (!text::isBlank(preference)) to.set(preference);
}

// A preference that names a record (a state, a classification) replaces the
// value only while that record exists: one renamed or deleted since leaves
// the field blank, for the form's check to ask for.
void takeDefault(const TextField& to, const std::string& preference, FieldRef named, int key) {
    if (recordNamed(named, key, Value::text(preference))) takeDefault(to, preference);
}

// "Smith, John Q." with a middle initial, "John Smith" without.
std::string sortName(const std::string& last, const std::string& first, const std::string& middle) {
    if (text::isBlank(middle)) return first + " " + last;
    return last + ", " + first + " " + middle + ".";
}

class UpdateMembersWindow final : public WindowManager {
public:
    UpdateMembersWindow(const WindowDecl& decl, bool readsRepresentative)
        : WindowManager(decl), readsRepresentative_(readsRepresentative) {}

    void SeedNewRecord() override {
        MBR::ACTIVE.set(1);
        MBR::EMPLOYEERELATED.set("N");
        takeDefault(MBR::CITY, CTRL::DEFAULTCITY.get());
        takeDefault(MBR::STATE, CTRL::DEFAULTSTATE.get(), ST::STATECODE, ST::key::STATEKEY);
        takeDefault(MBR::ZIPCODE, CTRL::DEFAULTZIP.get());
        const std::int32_t representative = CTRL::DEFAULTREPRESENTATIVENUMBER.get();
        if (representative != 0 &&
            recordNamed(REP::REPRESENTATIVENUMBER, REP::key::REPRESENTATIVENUMBERKEY,
                        Value::number(representative)))
            MBR::REPRESENTATIVENUMBER.set(representative);
        takeDefault(MBR::SALESLEVEL, CTRL::DEFAULTCLASS.get(), TYP::MEMBERTYPE,
                    TYP::key::MEMBERTYPEKEY);
        MBR::MEMBERTYPE.set(kIndividual);
        takeDefault(MBR::MEMBERTYPE, CTRL::DEFAULTTYPE.get());
        MBR::FOREIGN.set("D");
        takeDefault(MBR::FOREIGN, CTRL::DEFAULTFOREIGN.get());
    }

    void SetupControls() override {
        WindowManager::SetupControls();
        formOpen_.emplace(processValues().CustomerFormOpen, 1);
        // A customer not yet saved has no numbers: one added now would stay
        // behind, without its customer, if the new customer were cancelled.
        const bool saved = REQUEST == ChangeRequest;
        Control(kPhoneList)->setEnabled(saved);
        for (ButtonRole role : {ButtonRole::Insert, ButtonRole::Change, ButtonRole::Delete})
            ButtonOf(role, kPhoneList)->setEnabled(saved);
    }

    int Teardown() override {
        formOpen_.reset();
        return WindowManager::Teardown();
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        derive();
        // Emptied for a number without an extension, so that the line never
        // shows the extension of the number highlighted before.
        const bool anyPhone = Browse(kPhoneList)->Records() > 0;
        // The phone buffer may hold another customer's number.
        if (!anyPhone) MPH::CONTACT.clear();
        const std::string_view extension = text::clip(MPH::EXTENSION.get());
        Set(kExtensionText, anyPhone && !extension.empty() ? "Ext: " + std::string(extension) : "");
        if (readsRepresentative_) readRepresentative();
    }

    bool CheckFields() override {
        return checkNames() && checkAddressAndOwner() && checkFinancial();
    }

private:
    void derive() {
        deriveNames();
        const DayNumber born = MBR::BIRTHDATE.get();
        MBR::BIRTHMONTH.set(born == kNoDate ? 0 : monthOf(born));
        MBR::BIRTHDAY.set(born == kNoDate ? 0 : dayOf(born));
    }

    void deriveNames() {
        const bool company = text::equal(MBR::MEMBERTYPE.get(), kCompany);
        Enable(MBR::COMPANYNAME, company);
        Enable(MBR::CONTACT, company);
        if (company) {
            MBR::MEMBERNAME.set(MBR::COMPANYNAME.get());
            return;
        }
        if (!text::equal(MBR::MEMBERTYPE.get(), kIndividual)) return;
        const std::string& last = MBR::LASTNAME.get();
        const std::string& first = MBR::FIRSTNAME.get();
        MBR::MEMBERNAME.set(first + " " + last);
        if (!text::isBlank(last) && !text::isBlank(first))
            MBR::COMPANYNAME.set(sortName(last, first, MBR::MIDDLENAME.get()));
    }

    // So that the number and name shown are those of the record's own
    // representative, whatever the drop list last read.
    static void readRepresentative() {
        buffer(FileId::Representatives).clear();
        REP::REPRESENTATIVENUMBER.set(MBR::REPRESENTATIVENUMBER.get());
        if (MBR::REPRESENTATIVENUMBER.get() == 0) return;
        if (fileManagerFor(FileId::Representatives)
                ->FetchQuietly(REP::key::REPRESENTATIVENUMBERKEY) != SeverityNone)
            buffer(FileId::Representatives).clear();
    }

    bool checkNames() {
        const bool company = text::equal(MBR::MEMBERTYPE.get(), kCompany);
        if (MBR::CONTACTSINCE.get() == kNoDate)
            return Refuse(MBR::CONTACTSINCE, "Customer Date Required",
                          "     Enter an appropriate \"as of\" date...");
        if (company && text::isBlank(MBR::COMPANYNAME.get()))
            return Refuse(MBR::COMPANYNAME, "Company Name Required",
                          "     Enter the company name...");
        if (company && text::isBlank(MBR::CONTACT.get()))
            return Refuse(MBR::CONTACT, "Company Contact Required",
                          "     Enter a contact for this company...");
        if (text::isBlank(MBR::LASTNAME.get()))
            return Refuse(MBR::LASTNAME, "Customer Name Required",
                          "     Enter the customer's last name...");
        if (text::isBlank(MBR::FIRSTNAME.get()))
            return Refuse(MBR::FIRSTNAME, "Customer Name Required",
                          "     Enter the customer's first name...");
        return true;
    }

    bool checkAddressAndOwner() {
        static constexpr std::string_view kTitle = "Complete Address Required";
        if (text::isBlank(MBR::ADDRESS.get()))
            return Refuse(MBR::ADDRESS, kTitle, "     Enter the customer's street address...");
        if (text::isBlank(MBR::CITY.get()))
            return Refuse(MBR::CITY, kTitle, "     Enter the customer's city...");
        if (Unchosen(MBR::STATE))
            return Refuse(MBR::STATE, kTitle, "     Enter the customer's state...");
        if (text::isBlank(MBR::ZIPCODE.get()))
            return Refuse(MBR::ZIPCODE, kTitle, "     Enter the customer's zip code...");
        if (Unchosen(MBR::REPRESENTATIVENUMBER))
            return Refuse(MBR::REPRESENTATIVENUMBER, "Representative Required",
                          "     Select a representative from the list");
        if (Unchosen(MBR::SALESLEVEL))
            return Refuse(MBR::SALESLEVEL, "Customer Class Required",
                          "     Enter a classification for this customer...");
        if (text::isBlank(MBR::EMPLOYER.get()))
            return Refuse(MBR::EMPLOYER, "Employer Name Required",
                          "     Enter the customer's employer...");
        return true;
    }

    bool checkFinancial() {
        if (MBR::BIRTHDATE.get() == kNoDate)
            return Refuse(MBR::BIRTHDATE, "Birthdate Required",
                          "     Enter the customer's date of birth...");
        if (text::isBlank(MBR::MARRIEDYN.get()))
            return Refuse(MBR::MARRIEDYN, "Marital Status Required",
                          "     Enter the customer's marital status...");
        if (MBR::INCOME.get().isZero())
            return Refuse(MBR::INCOME, "Annual Income Required",
                          "     Enter the customer's annual income...");
        if (MBR::NETWORTH.get().isZero())
            return Refuse(MBR::NETWORTH, "Net Worth Required",
                          "     Enter the customer's net worth exclusive of home...");
        if (text::isBlank(MBR::SALESTAXID.get()))
            return Refuse(MBR::SALESTAXID, "Tax ID Required",
                          "     Enter the customer's social security number...");
        if (MBR::LASTUPDATE.get() == kNoDate)
            return Refuse(MBR::LASTUPDATE, "Update Required",
                          "     Enterthe date income and net worth were last updated...");
        return true;
    }

    const bool readsRepresentative_;
    std::optional<ScopedValue<int>> formOpen_;  // CustomerFormOpen while the form is open
};

}  // namespace

void UpdateMembers(std::string_view) {
    runCalled<UpdateMembersWindow>(kUpdateMembers, true);
}

void UpdateRepMembers(std::string_view) {
    runCalled<UpdateMembersWindow>(kUpdateRepMembers, false);
}

}  // namespace bb
