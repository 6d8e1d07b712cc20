// "Report Month": the month whose events or birthdays a report lists.
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/text.h"
#include "reports/month_choices.h"
#include "reports/report_requests.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr TextVariable kHeading{"Heading", 30, "Select Month to Report"};
constexpr TextVariable kMonth{"ReportMonth", 10};
constexpr std::string_view kMonthControl = "Report Month";

const WindowDecl& kSelectReportMonth = declareWindow({
    .procedure = "SelectReportMonth",
    .caption = "Report Month",
    .locals = {kHeading, kMonth},
    .fields =
        {
            {.kind = ControlKind::Display, .local = kHeading, .name = "Select Month to Report"},
            {.kind = ControlKind::DropList,
             .local = kMonth,
             .prompt = "&Report Month:",
             .tip = "Select the month to use for report",
             .message = "Select the month to use for report",
             .radios = monthChoices()},
        },
    .buttons =
        {{.text = "&OK", .role = ButtonRole::Ok, .message = "Print report for the month shown"},
         {.text = "&Cancel", .role = ButtonRole::Cancel, .message = "Cancel printing and exit"},
         {.text = "&Help", .role = ButtonRole::Help}},
});

class SelectReportMonthWindow final : public WindowManager {
public:
    SelectReportMonthWindow() : WindowManager(kSelectReportMonth) {}

    void SetupControls() override {
        Set(kMonth, monthName(monthOf(Clock::today())));
        WindowManager::SetupControls();
        Display(true);
    }

    bool CheckFields() override {
        if (monthFromName(Get(kMonth)) == 0)
            return Refuse(Control(kMonthControl), "Month Required",
                          "Enter the calendar month for this report.");
        return true;
    }

    int OnCompleted() override {
        const int month = monthFromName(Get(kMonth));
        processValues().BirthMonthShort = month;
        processValues().BirthdateMonth.set(monthName(month));
        return WindowManager::OnCompleted();
    }
};

}  // namespace

void SelectReportMonth(std::string_view) {
    runCalled<SelectReportMonthWindow>();
}

}  // namespace bb
