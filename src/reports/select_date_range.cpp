// "Range of Dates for Report": the dates (and, in one variant, the account
// class) that a dated report or list reads.
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "reports/report_requests.h"
#include "ui/procedures.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr TextVariable kHeading{"Heading", 40, "Enter Start and End Dates to Report"};
constexpr NumberVariable kStart{"RangeStart", T_DATE};
constexpr NumberVariable kEnd{"RangeEnd", T_DATE};
constexpr TextVariable kClass{"RangeClass", 1};
constexpr std::string_view kStartControl = "Start Date";
constexpr std::string_view kEndControl = "End Date";
// The default range looks back a month; the suspense dates look ahead one.
constexpr int kDefaultDays = 30;

std::vector<FieldDecl> rangeFields(bool withClass) {
    std::vector<FieldDecl> fields{
        {.kind = ControlKind::Display,
         .local = kHeading,
         .name = "Enter Start and End Dates to Report",
         .heavy = true},
        {.kind = ControlKind::DateSpin,
         .local = kStart,
         .prompt = "&Start Date:",
         .picture = "@d2"},
        {.kind = ControlKind::DateSpin, .local = kEnd, .prompt = "&End Date:", .picture = "@d2"},
    };
    if (withClass)
        fields.push_back({.kind = ControlKind::Option,
                          .local = kClass,
                          .prompt = "Account Class",
                          .radios = {{.text = "&Commission", .value = "C"},
                                     {.text = "&Fee-Based", .value = "F"}}});
    return fields;
}

WindowDecl rangeDecl(bool withClass) {
    return WindowDecl{
        .procedure = withClass ? "SelectDateRangeClass" : "SelectDateRange",
        .helpTopic = "SelectDateRange",
        .caption = "Range of Dates for Report",
        .locals = {kHeading, kStart, kEnd, kClass},
        .fields = rangeFields(withClass),
        .buttons = {{.text = "&OK", .role = ButtonRole::Ok},
                    {.text = "&Cancel", .role = ButtonRole::Cancel},
                    {.text = "&Help", .role = ButtonRole::Help}},
    };
}

const WindowDecl& kSelectDateRange = declareWindow(rangeDecl(false));
const WindowDecl& kSelectDateRangeClass = declareWindow(rangeDecl(true));

// Callers whose report lists accounts whatever their dates: only the class matters.
bool classOnly(std::string_view caller) {
    return caller == "PrintRepAccounts" || caller == "PrintCompanyAccounts";
}

class SelectDateRangeWindow final : public WindowManager {
public:
    SelectDateRangeWindow(bool withClass, std::string_view caller)
        : WindowManager(withClass ? kSelectDateRangeClass : kSelectDateRange),
          withClass_(withClass),
          caller_(caller) {}

    void SetupControls() override {
        setDefaults();
        Set(kStart, std::int64_t{processValues().StartDate});
        Set(kEnd, std::int64_t{processValues().EndDate});
        Set(kClass, processValues().FeeCommChoice.get());
        WindowManager::SetupControls();
        if (withClass_ && classOnly(caller_)) {
            Enable(kStartControl, false);
            Enable(kEndControl, false);
        }
        Display(true);
    }

    bool CheckFields() override {
        if (Get(kStart) == 0)
            return Refuse(Control(kStartControl), "Starting Date Required",
                          "     Enter the starting date for this report.");
        if (Get(kEnd) == 0)
            return Refuse(Control(kEndControl), "Ending Date Required",
                          "     Enter the ending date for this report.");
        return true;
    }

    int OnCompleted() override {
        ProcessValues& values = processValues();
        values.StartDate = static_cast<std::int32_t>(Get(kStart));
        values.EndDate = static_cast<std::int32_t>(Get(kEnd));
        if (withClass_) values.FeeCommChoice.set(Get(kClass));
        return WindowManager::OnCompleted();
    }

private:
    void setDefaults() const {
        ProcessValues& values = processValues();
        const DayNumber today = Clock::today();
        const bool ahead = caller_ == "BrowseSuspenseDates";
        values.StartDate = CTRL::DEFAULTSTARTDATE.get() != kNoDate ? CTRL::DEFAULTSTARTDATE.get()
                           : ahead                                 ? today
                                                                   : today - kDefaultDays;
        values.EndDate = CTRL::DEFAULTENDDATE.get() != kNoDate ? CTRL::DEFAULTENDDATE.get()
                         : ahead                               ? today + kDefaultDays
                                                               : today;
        if (withClass_) values.FeeCommChoice.set("C");
    }

    const bool withClass_;
    const std::string caller_;
};

void runRange(bool withClass, std::string_view caller) {
    SelectDateRangeWindow window(withClass, caller);
    processValues().LastResponse = window.Run();
}

}  // namespace

void SelectDateRange(std::string_view caller) {
    runRange(false, caller);
}

void SelectDateRangeClass(std::string_view caller) {
    runRange(true, caller);
}

void registerReportRequests(ProcedureRegistry& registry) {
    registry.add("SelectDateRange", SelectDateRange);
    registry.add("SelectDateRangeClass", SelectDateRangeClass);
    registry.add("SelectReportMonth", SelectReportMonth);
}

}  // namespace bb
