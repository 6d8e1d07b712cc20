#include "reports/preferences.h"

#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/clock_texts.h"
#include "reports/record_selection_window.h"
#include "ui/window.h"

namespace bb {

namespace {

constexpr std::string_view kDataEntry = "Data Entry";
constexpr std::string_view kReports = "Report Specifications";
constexpr std::string_view kSelect = "Select Customers to Include ...";
constexpr std::string_view kShowWindow = "1";
// A new preferences record's period, and the one a bad period becomes.
constexpr int kDefaultPeriod = 3;
constexpr int kDaysInPeriodYear = 365;

const WindowDecl&
    kPreferences =
        declareWindow(
            {
                .procedure = "Preferences",
                .caption = "Preferences (Default Settings)",
                .statusZones = 2,
                .locals = {kStatusChoice},
                .fields =
                    {
                        {.kind = ControlKind::Option,
                         .field = CTRL::DEFAULTTYPE,
                         .prompt = "Default Customer &Type",
                         .message = "The type of a new customer",
                         .tab = kDataEntry,
                         .radios = {{"Individual", "Individual"}, {"Company", "Company"}}},
                        {.kind = ControlKind::Option,
                         .field = CTRL::DEFAULTFOREIGN,
                         .prompt = "Default &Location",
                         .message = "Where a new customer's address is",
                         .tab = kDataEntry,
                         .radios = {{"Domestic", "D", "U.S. address", "U.S. address"},
                                    {"International", "I", "Other than U.S. address",
                                     "Other than U.S. address"}}},
                        {.field = CTRL::DEFAULTCITY,
                         .prompt = "Default C&ity:",
                         .picture = "@s25",
                         .message = "The city of a new customer",
                         .tab = kDataEntry},
                        {.kind = ControlKind::DropList,
                         .field = CTRL::DEFAULTSTATE,
                         .prompt = "Default &State:",
                         .message = "The state of a new customer or state registration",
                         .tab = kDataEntry,
                         .drop = DropDecl{.file = FileId::States,
                                          .key = ST::key::STATEKEY,
                                          .format = "18L(1)@s2@80L@s20@",
                                          .columns = {ST::STATECODE, ST::STATENAME},
                                          .updates = {{ST::STATECODE, CTRL::DEFAULTSTATE}},
                                          .defaultFill = false}},
                        {.kind = ControlKind::Display,
                         .field = ST::STATENAME,
                         .name = "State name",
                         .tab = kDataEntry,
                         .beside = true},
                        {.field = CTRL::DEFAULTZIP,
                         .prompt = "&Zip:",
                         .picture = "@s10",
                         .message = "The zip code of a new customer",
                         .tab = kDataEntry},
                        {.kind = ControlKind::DropList,
                         .field = CTRL::DEFAULTREP_NUM,
                         .prompt = "Default &Representative:",
                         .message = "The representative of a new customer",
                         .tab = kDataEntry,
                         .drop = DropDecl{.file = FileId::Representatives,
                                          .key = REP::key::REPRESENTATIVENAMEKEY,
                                          .format = "31L(6)M~Number~L(2)@s5@100LM~Name~@s25@",
                                          .columns = {REP::REP_NUM, REP::REP_NAME},
                                          .updates = {{REP::REP_NUM, CTRL::DEFAULTREP_NUM},
                                                      {REP::REPRESENTATIVENUMBER,
                                                       CTRL::DEFAULTREPRESENTATIVENUMBER}},
                                          .defaultFill = false}},
                        {.kind = ControlKind::Display,
                         .field = REP::REP_NAME,
                         .name = "Representative name",
                         .tab = kDataEntry,
                         .beside = true},
                        {.kind = ControlKind::DropList,
                         .field = CTRL::DEFAULTCLASS,
                         .prompt = "Default Cl&assification:",
                         .message = "The classification of a new customer",
                         .tab = kDataEntry,
                         .drop = DropDecl{.file = FileId::MembershipTypes,
                                          .key = TYP::key::MEMBERTYPEKEY,
                                          .format = "60L(3)~Classification~L(2)@s15@",
                                          .columns = {TYP::MEMBERTYPE},
                                          .updates = {{TYP::MEMBERTYPE, CTRL::DEFAULTCLASS}},
                                          .defaultFill = false}},
                        {.field = CTRL::DEFAULTAREACODE,
                         .prompt = "Default Area Co&de:",
                         .picture = "@p(###)p",
                         .message = "The area code of a new phone number",
                         .tab = kDataEntry},
                        {.kind = ControlKind::Option,
                         .field = CTRL::DEFAULTPHONETYPE,
                         .prompt = "Default &Phone Type",
                         .message = "The description of a new phone number",
                         .tab = kDataEntry,
                         .radios = {{"Office", "Office"},
                                    {"Fax", "Fax"},
                                    {"Car", "Car"},
                                    {"Cell", "Cell"},
                                    {"Home", "Home"}}},
                        {.kind = ControlKind::Option,
                         .field = CTRL::DEFAULTOUTDATEPERIOD,
                         .prompt = "Default &Update Notification",
                         .message =
                             "How old customer and account data may be before it is outdated",
                         .tab = kDataEntry,
                         .radios = {{"1 Year", "1"}, {"2 Years", "2"}, {"3 Years", "3"}}},
                        {.kind = ControlKind::Display,
                         .field = CTRL::DEFAULTOUTDATEDATE,
                         .prompt = "Outdated on or before:",
                         .picture = "@d3",
                         .tab = kDataEntry,
                         .beside = true},
                        {.kind = ControlKind::Option,
                         .local = kStatusChoice,
                         .prompt = "&Status",
                         .message = "Which customers reports include",
                         .tab = kReports,
                         .group = kSelect,
                         .radios = {{"Active", "MBR:Active=1"},
                                    {"Inactive", "MBR:Active=0"},
                                    {"Both", "Both"}}},
                        {.kind = ControlKind::MarkedList,
                         .prompt = "Mark &Registered Representatives",
                         .message = "Include customers for the marked representative(s)",
                         .tab = kReports,
                         .group = kSelect,
                         .drop = selectionMarks(RepresentativesList,
                                                "33L(5)|M~Number~L(2)@s5@100L(3)|M~Name~L(2)@s25@"),
                         .lines = 6},
                        {.kind = ControlKind::MarkedList,
                         .prompt = "Mark Customer &Groups",
                         .message = "Include customers in the marked customer group(s)",
                         .tab = kReports,
                         .group = kSelect,
                         .beside = true,
                         .drop = selectionMarks(GroupsList, "80L(2)~Customer Group~@s20@"),
                         .lines = 6},
                        {.kind = ControlKind::MarkedList,
                         .prompt = "Mark Customer Cl&assification",
                         .message = "Include customers of the marked classification(s)",
                         .tab = kReports,
                         .group = kSelect,
                         .beside = true,
                         .drop = selectionMarks(ClassificationsList,
                                                "60L(3)~Customer Classification~L(2)@s15@"),
                         .lines = 6},
                        {.field = CTRL::DEFAULTRECEIPTCOMPANY,
                         .prompt = "Default Receipt Co&mpany:",
                         .picture = "@s64",
                         .message = "Broker-Dealer name to appear on security receipts.",
                         .tab = kReports},
                        {.kind = ControlKind::Option,
                         .field = CTRL::REPORTKEY,
                         .prompt = "Sort b&y ...",
                         .message = "The order of customer lists, letters and labels",
                         .tab = kReports,
                         .radios = {{"Customer Name", "MBR:CompanyName"},
                                    {"ZIP Code", "MBR:ZIPCode"},
                                    {"Customer Class", "MBR:MemberType"}}},
                        {.kind = ControlKind::DateSpin,
                         .field = CTRL::DEFAULTSTARTDATE,
                         .prompt = "Default Star&t Date:",
                         .picture = "@d2",
                         .message = "The first date a report's range offers",
                         .tab = kReports},
                        {.kind = ControlKind::DateSpin,
                         .field = CTRL::DEFAULTENDDATE,
                         .prompt = "Default &End Date:",
                         .picture = "@d2",
                         .message = "The last date a report's range offers",
                         .tab = kReports},
                    },
                .buttons =
                    {
                        {.text = "Clear D&efaults",
                         .name = "ClearDefaults",
                         .message =
                             "Clear all data entry defaults (except default update notification)",
                         .tab = kDataEntry},
                        {.text = "&OK", .role = ButtonRole::Ok, .message = "Save changes and exit"},
                        {.text = "&Cancel",
                         .role = ButtonRole::Cancel,
                         .message = "Do not save changes and exit"},
                        {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
                    },
            });

// The address defaults, which only a domestic customer's address takes.
constexpr FieldRef kAddressDefaults[] = {CTRL::DEFAULTCITY, CTRL::DEFAULTSTATE, ST::STATENAME,
                                         CTRL::DEFAULTZIP, CTRL::DEFAULTAREACODE};

// What Clear Defaults blanks: every data entry default but the period.
constexpr FieldRef kClearedDefaults[] = {CTRL::DEFAULTCITY,
                                         CTRL::DEFAULTSTATE,
                                         CTRL::DEFAULTZIP,
                                         CTRL::DEFAULTREP_NUM,
                                         CTRL::DEFAULTREPRESENTATIVENUMBER,
                                         CTRL::DEFAULTCLASS,
                                         CTRL::DEFAULTTYPE,
                                         CTRL::DEFAULTFOREIGN,
                                         CTRL::DEFAULTAREACODE,
                                         CTRL::DEFAULTPHONETYPE,
                                         CTRL::DEFAULTSTARTDATE,
                                         CTRL::DEFAULTENDDATE};

class PreferencesWindow final : public RecordSelectionWindow {
public:
    PreferencesWindow()
        : RecordSelectionWindow(kPreferences,
                                {"Mark Customer Groups", "Mark Customer Classification",
                                 "Mark Registered Representatives"},
                                CTRL::REPORTFILTER) {}

    void AfterEvent() override {
        RecordSelectionWindow::AfterEvent();
        const bool domestic = CTRL::DEFAULTFOREIGN.get() != "I";
        for (FieldRef field : kAddressDefaults) Enable(field, domestic);
        if (const auto years = outdatePeriod()) CTRL::DEFAULTOUTDATEDATE.set(outdateCutOff(*years));
        Display();
        SetStatusText(2, weekdayAndDate(Clock::today()));
    }

    int OnAccepted() override {
        const int level = RecordSelectionWindow::OnAccepted();
        if (Pressed("ClearDefaults")) clearDefaults();
        return level;
    }

    int OnCompleted() override {
        BuildSelection();
        if (fileManagerFor(FileId::Defaults)->Update() != SeverityNone) {
            // What is on file now (another station's record) is shown.
            Display(true);
            MarkSavedSelection();
            Select(FIRSTFIELD);
            return LevelHandled;
        }
        return RecordSelectionWindow::OnCompleted();
    }

private:
    void clearDefaults() {
        for (FieldRef field : kClearedDefaults) field.clear();
        // The names shown beside the drop lists go with their codes.
        buffer(FileId::States).clear();
        buffer(FileId::Representatives).clear();
        Display(true);
    }
};

}  // namespace

std::optional<int> outdatePeriod() {
    const auto years = Value::text(CTRL::DEFAULTOUTDATEPERIOD.get()).numeric();
    for (int valid = 1; valid <= kDefaultPeriod; ++valid) {
        if (years && *years == Decimal(valid)) return valid;
    }
    return std::nullopt;
}

DayNumber outdateCutOff(int years) {
    return Clock::today() - kDaysInPeriodYear * years;
}

Severity loadPreferences() {
    FileManager& defaults = *fileManagerFor(FileId::Defaults);
    defaults.Buffer().clear();
    CTRL::REPORTFILTER.set("MBR:Active=1");
    CTRL::REPORTKEY.set("MBR:CompanyName");
    CTRL::DEFAULTOUTDATEPERIOD.set(std::to_string(kDefaultPeriod));
    CTRL::DEFAULTOUTDATEDATE.set(outdateCutOff(kDefaultPeriod));
    if (defaults.SetOrder(-1) != SeverityNone) return defaults.HandleError();
    const Severity read = defaults.Next();
    if (read == SeverityNone) {
        if (outdatePeriod()) return SeverityNone;
        CTRL::DEFAULTOUTDATEPERIOD.set(std::to_string(kDefaultPeriod));
        CTRL::DEFAULTOUTDATEDATE.set(outdateCutOff(kDefaultPeriod));
        return defaults.Update();
    }
    // The primed buffer stands when the file holds no record.
    if (!defaults.Info().AtEOF) return read;
    return defaults.Insert();
}

void Preferences(std::string_view argument) {
    processValues().CurrentProcedure.set("Preferences");
    const RelatedFilesOpen defaults(*relationManagerFor(FileId::Defaults));
    if (defaults.result() != SeverityNone) return;
    if (argument != kShowWindow) {
        (void)loadPreferences();
        return;
    }
    // Cancel leaves the record in memory as it was, changes made before
    // (by Select N Sort) included.
    const Record before = buffer(FileId::Defaults);
    if (loadPreferences() != SeverityNone) {
        buffer(FileId::Defaults) = before;
        return;
    }
    PreferencesWindow window;
    const int response = window.Run();
    if (response != ResponseCompleted) buffer(FileId::Defaults) = before;
    processValues().LastResponse = response;
}

}  // namespace bb
