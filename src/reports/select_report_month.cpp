// "Report Month": the month whose events or birthdays a report lists.
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/text.h"
#include "reports/month_choices.h"
#include "reports/report_requests.h"
#include "ui/window_manager.h"

namespace bb {
namespace {

constexpr std::string_view kHeading = "Heading";
constexpr std::string_view kMonth = "ReportMonth";
constexpr std::string_view kMonthControl = "Report Month";

const WindowDecl kSelectReportMonth{
    .procedure = "SelectReportMonth",
    .caption = "Report Month",
    .locals = {{kHeading, T_STRING(30)}, {kMonth, T_STRING(10)}},
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
};

class SelectReportMonthWindow final : public WindowManager {
public:
    SelectReportMonthWindow() : WindowManager(kSelectReportMonth) {}

    void SetupControls() override {
        SetLocal(kHeading, Value::text("Select Month to Report"));
        SetLocal(kMonth, Value::text(monthName(monthOf(Clock::today()))));
        WindowManager::SetupControls();
        Display(true);
    }

    bool CheckFields() override {
        if (monthFromName(Local(kMonth).toText()) == 0)
            return Refuse(Control(kMonthControl), "Month Required",
                          "Enter the calendar month for this report.");
        return true;
    }

    int OnCompleted() override {
        const int month = monthFromName(Local(kMonth).toText());
        processValues().BirthMonthShort = month;
        processValues().BirthdateMonth.set(monthName(month));
        return WindowManager::OnCompleted();
    }
};

}  // namespace

void SelectReportMonth(std::string_view) {
    SelectReportMonthWindow window;
    processValues().LastResponse = window.Run();
}

}  // namespace bb
