// "Update Representatives": a registered representative's particulars,
// licences, examinations and state registrations.
//
// REP:LOCATION holds one of three fixed codes, which stored records rely on:
// "OS" an office of supervisory jurisdiction (the representative holds the
// Series 24), "IB" an in-office branch, "NO" a branch that is not an OSJ.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "platform/text.h"
#include "reference/annual_renewal.h"
#include "reference/reference_windows.h"
#include "ui/browse_manager.h"
#include "ui/window.h"

namespace bb {
namespace {

// What the representative's registrations cost a year, shown under them.
constexpr DecimalVariable kAnnualRenewal{"AnnualRenewal", 9, 2};

constexpr std::string_view kGeneral = "General";
constexpr std::string_view kLicensing = "Licensing";
constexpr std::string_view kExaminations = "Examinations";
constexpr std::string_view kApproved = "Approved Registrations";

// A licence or examination: its check box, and beside it the date it was
// granted or passed, which means something only while the box is checked.
struct Qualification {
    FieldRef flag;
    FieldRef date;
};
const std::array kQualifications{
    Qualification{REP::GPPOS, REP::GPPOSDATE},
    Qualification{REP::GSPOS, REP::GSPOSDATE},
    Qualification{REP::XXPOS, REP::XXPOSDATE},
    Qualification{REP::XYPOS, REP::XYPOSDATE},
    Qualification{REP::SERIES6, REP::SERIES6DATE},
    Qualification{REP::SERIES7, REP::SERIES7DATE},
    Qualification{REP::SERIES22, REP::SERIES22DATE},
    Qualification{REP::SERIES24, REP::SERIES24DATE},
    Qualification{REP::SERIES63, REP::SERIES63DATE},
};

FieldDecl flag(FieldRef field, std::string_view prompt, std::string_view tip, std::string_view tab,
               std::string_view group = {}) {
    return {.kind = ControlKind::Check,
            .field = field,
            .prompt = prompt,
            .tip = tip,
            .message = tip,
            .tab = tab,
            .group = group};
}

FieldDecl dateBeside(FieldRef field, std::string_view prompt, std::string_view message,
                     std::string_view tab, std::string_view group = {}) {
    return {.kind = ControlKind::DateSpin,
            .field = field,
            .prompt = prompt,
            .picture = "@d2",
            .message = message,
            .tab = tab,
            .group = group,
            .beside = true};
}

FieldDecl entry(FieldRef field, std::string_view prompt, std::string_view picture,
                std::string_view message, std::string_view tab) {
    return {.field = field, .prompt = prompt, .picture = picture, .message = message, .tab = tab};
}

std::vector<FieldDecl> generalFields() {
    return {
        entry(REP::REP_NUM, "&Number:", "@s5", "The representative's number", kGeneral),
        entry(REP::REP_NAME, "N&ame:", "@s25", "The representative's name", kGeneral),
        entry(REP::REP_EXT, "E&xtension:", "@s6", "Telephone extension", kGeneral),
        entry(REP::ADDRESS, "A&ddress:", "@s40", "Street address", kGeneral),
        entry(REP::ADDRESS2, "Address &2:", "@s40", "Second line of the address", kGeneral),
        entry(REP::CITY, "Cit&y:", "@s25", "", kGeneral),
        {.kind = ControlKind::DropList,
         .field = REP::STATE,
         .prompt = "S&tate:",
         .message = "Select a state from the drop-down list",
         .tab = kGeneral,
         .drop = DropDecl{.file = FileId::States,
                          .key = ST::key::STATEKEY,
                          .format = "18L(1)|M~Code~@s2@80L(2)|M~Name~@s20@",
                          .columns = {ST::STATECODE, ST::STATENAME},
                          .updates = {{ST::STATECODE, REP::STATE}},
                          .defaultFill = false}},
        entry(REP::ZIPCODE, "&Zip Code:", "@s10", "", kGeneral),
        entry(REP::EMAIL, "&E-Mail:", "@s35", "E-mail address", kGeneral),
        {.kind = ControlKind::DateSpin,
         .field = REP::BIRTHDATE,
         .prompt = "&Birth Date:",
         .picture = "@d2",
         .tab = kGeneral},
        entry(REP::SSAN, "&SSAN:", "@p###-##-####p", "Social security number", kGeneral),
        entry(REP::BRANCHNUMBER, "B&ranch Number:", "@n5", "", kGeneral),
        {.kind = ControlKind::Option,
         .field = REP::LOCATION,
         .prompt = "&Location",
         .message = "Where the representative works",
         .tab = kGeneral,
         .radios = {{"OSJ (Series 24)", "OS"}, {"In Office Branch", "IB"}, {"Non-OSJ", "NO"}}},
        flag(REP::INSURANCE, "&Insurance Licensed", "Holds an insurance licence", kGeneral),
        flag(REP::INVESTMENTADVISOR, "Registered In&vestment Advisor",
             "Registered as an investment advisor", kGeneral),
    };
}

std::vector<FieldDecl> licensingFields() {
    return {
        {.kind = ControlKind::List,
         .name = "Browse Representative States",
         .message = "The states this representative is registered in",
         .tab = kLicensing,
         .list = ListDecl{.file = FileId::RepStates,
                          .joins = {{FileId::States}},
                          .format = "30L(2)|M~State~@s2@60L(2)~Effective Date~@d2@",
                          .columns = {RST::STATE, RST::EFFECTIVEDATE},
                          .orders = {{.key = RST::key::REPRESENTATIVENUMBERKEY,
                                      .range = {.kind = FileRelation,
                                                .parent = FileId::Representatives}}},
                          .update = "UpdateRepStates",
                          .rows = 4}},
        {.kind = ControlKind::Display,
         .field = ST::LICENSEFEE,
         .prompt = "State Registration",
         .picture = "@n10.2",  // as wide as the renewal below, so the two line up
         .tab = kLicensing},
        {.kind = ControlKind::Display,
         .local = kAnnualRenewal,
         .prompt = "Annual Renewal:",
         .picture = "@n10.2",
         .tab = kLicensing},
        entry(REP::CRDNUMBER, "C&RD Number:", "@n9", "Central Registration Depository number",
              kLicensing),
        dateBeside(REP::STATUSREPORTDATE, "CRD Da&te:", "Date of the CRD status report",
                   kLicensing),
        {.kind = ControlKind::DateSpin,
         .field = REP::U4DATE,
         .prompt = "Form &U-4 Date:",
         .picture = "@d2",
         .tab = kLicensing},
        {.kind = ControlKind::Check,
         .field = REP::MEDALLION,
         .prompt = "&Medallion Signature Guarantor",
         .message = "May guarantee signatures under the medallion program",
         .tab = kLicensing,
         .checked = "Y",
         .unchecked = "N"},
        flag(REP::GPPOS, "&GP Approved", "General Principal (Series 24)", kLicensing, kApproved),
        dateBeside(REP::GPPOSDATE, "GP Date:", "GP Date", kLicensing, kApproved),
        flag(REP::GSPOS, "G&S Approved", "General Securities (Series 7)", kLicensing, kApproved),
        dateBeside(REP::GSPOSDATE, "GS Date:", "GS Date", kLicensing, kApproved),
        flag(REP::XXPOS, "IR Appro&ved", "Investment Company Representative (Series 6)", kLicensing,
             kApproved),
        dateBeside(REP::XXPOSDATE, "IR Date:", "IR Date", kLicensing, kApproved),
        flag(REP::XYPOS, "DR A&pproved", "Direct Participation Representative (Series 22)",
             kLicensing, kApproved),
        dateBeside(REP::XYPOSDATE, "DR Date:", "DR Date", kLicensing, kApproved),
    };
}

std::vector<FieldDecl> examinationFields() {
    return {
        flag(REP::SERIES6, "Series &6", "Series 6 examination", kExaminations),
        dateBeside(REP::SERIES6DATE, "Series 6 Date:", "Series 6 examination pass date",
                   kExaminations),
        flag(REP::SERIES7, "Series &7", "Series 7 examination", kExaminations),
        dateBeside(REP::SERIES7DATE, "Series 7 Date:", "Series 7 examination pass date",
                   kExaminations),
        flag(REP::SERIES22, "Series 2&2", "Series 22 examination", kExaminations),
        dateBeside(REP::SERIES22DATE, "Series 22 Date:", "Series 22 examination pass date",
                   kExaminations),
        flag(REP::SERIES24, "Series 2&4", "Series 24 examination", kExaminations),
        dateBeside(REP::SERIES24DATE, "Series 24 Date:", "Series 24 examination pass date",
                   kExaminations),
        flag(REP::SERIES63, "Series 6&3", "Series 63 examination", kExaminations),
        dateBeside(REP::SERIES63DATE, "Series 63 Date:", "Series 63 examination pass date",
                   kExaminations),
    };
}

std::vector<FieldDecl> allFields() {
    std::vector<FieldDecl> fields = generalFields();
    for (auto part : {licensingFields(), examinationFields()})
        fields.insert(fields.end(), part.begin(), part.end());
    return fields;
}

const WindowDecl& kUpdateRepresentatives = declareWindow({
    .procedure = "UpdateRepresentatives",
    .caption = "Update Representatives",
    .recordsName = true,
    .primary = FileId::Representatives,
    .files = {FileId::RepStates, FileId::States},
    .locals = {kAnnualRenewal},
    .fields = allFields(),
    .buttons = formButtons({
        {.text = "&Insert",
         .role = ButtonRole::Insert,
         .message = "Register the representative in another state",
         .tab = kLicensing},
        {.text = "Cha&nge",
         .role = ButtonRole::Change,
         .message = "Change the highlighted registration",
         .tab = kLicensing},
        {.text = "&Delete",
         .role = ButtonRole::Delete,
         .message = "Delete the highlighted registration",
         .tab = kLicensing},
    }),
});

// "Representative # 101   has been changed ...||Original: 101  Ann Lee    New: ..."
std::string changeText(std::string_view oldNum, std::string_view oldName) {
    return "Representative # " + text::pad(oldNum, 5) +
           " has been changed ...||Original: " + std::string(text::clip(oldNum)) + "  " +
           std::string(text::clip(oldName)) +
           "    New: " + std::string(text::clip(REP::REP_NUM.get())) + "  " +
           std::string(text::clip(REP::REP_NAME.get())) +
           "||All Customer and Account Registration records will be updated.";
}

// The registrations list tells its window each time it reads its rows again.
class RegistrationsBrowse : public BrowseManager {
public:
    explicit RegistrationsBrowse(std::function<void()> reloaded) : reloaded_(std::move(reloaded)) {}
    void ReloadRows(int mode) override {
        BrowseManager::ReloadRows(mode);
        reloaded_();
    }

private:
    std::function<void()> reloaded_;
};

class UpdateRepresentativesWindow : public WindowManager {
public:
    UpdateRepresentativesWindow() : WindowManager(kUpdateRepresentatives) {}

    void SeedNewRecord() override { REP::MEDALLION.set("N"); }

    int PrepareRequest() override {
        originalNum_ = REP::REP_NUM.get();
        originalName_ = REP::REP_NAME.get();
        return WindowManager::PrepareRequest();
    }

    bool CheckFields() override {
        if (text::isBlank(REP::REP_NUM.get()))
            return Refuse(REP::REP_NUM, "Representative Number Required",
                          "     Enter a number for this registered representative.");
        if (text::isBlank(REP::REP_NAME.get()))
            return Refuse(REP::REP_NAME, "Representative Name Required",
                          "     Enter the name of this registered representative.");
        if (REQUEST == ChangeRequest &&
            (REP::REP_NUM.get() != originalNum_ || REP::REP_NAME.get() != originalName_))
            Announce("Representative Number/Name Change", changeText(originalNum_, originalName_));
        return true;
    }

    // The renewal follows every registration added, changed or removed.
    std::unique_ptr<BrowseManager> CreateBrowse(const FieldDecl&) override {
        return std::make_unique<RegistrationsBrowse>([this] { showAnnualRenewal(); });
    }

    void AfterEvent() override {
        for (const Qualification& q : kQualifications)
            Enable(q.date, q.flag.value().toText() == "1");
    }

private:
    void showAnnualRenewal() {
        const WaitCursor busy;
        Set(kAnnualRenewal, annualRenewal(REP::REPRESENTATIVENUMBER.get()));
        Display();
    }

    std::string originalNum_;  // as read: the customers' links show the new ones after saving
    std::string originalName_;
};

}  // namespace

void UpdateRepresentatives(std::string_view) {
    runCalled<UpdateRepresentativesWindow>();
}

}  // namespace bb
