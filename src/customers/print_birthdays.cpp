// "Customer Birthdays": the customers born in the month the user chose, in
// day and name order, inactive ones included.
#include <memory>

#include "customers/customer_printouts.h"
#include "customers/customer_report_parts.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "reporting/report_manager.h"
#include "reports/report_lines.h"
#include "ui/procedures.h"

namespace bb {
namespace {

// The columns: name and address, birthday, status, representative.
constexpr Mils kBirthColumn = 2600;
constexpr Mils kStatusColumn = 4200;
constexpr Mils kRepresentativeColumn = 6200;
constexpr Mils kGap = 100;

std::string birthdayLabel() {
    return monthName(MBR::BIRTHMONTH.get()) + " " + ordinalDay(MBR::BIRTHDAY.get());
}

ReportLayout birthdaysLayout(const std::string& month) {
    ReportLayout r = customerReportLayout("Customer Birthdays");
    const Mils y = 2 * kReportLine;
    r.pageHeader.add(Item::Text(0, y, r.bodyWidth(), month).center().in(kHeavyFont))
        .add(Item::Text(kBirthColumn, 2 * y, 0, "Birthdate").in(kHeavyFont))
        .add(Item::Text(kStatusColumn, 2 * y, 0, "Status/Classification").in(kHeavyFont))
        .add(Item::Text(kRepresentativeColumn, 2 * y, 0, "Representative").in(kHeavyFont))
        .add(Item::Rule(0, 2 * y + kReportLine + 20, r.bodyWidth()));
    r.pageHeader.height = 2 * y + 2 * kReportLine;
    Band customer;
    addCustomerBlock(customer, 0, kReportLine / 2, kBirthColumn - kGap, kHeavyFont);
    const Mils top = kReportLine / 2;
    customer
        .add(Item::Field(kBirthColumn, top, kStatusColumn - kBirthColumn - kGap,
                         lineSource(birthdayLabel))
                 .in(kHeavyFont))
        .add(Item::Field(kBirthColumn, top + kReportLine, kStatusColumn - kBirthColumn - kGap,
                         MBR::BIRTHDATE, "@d2"))
        .add(Item::Field(kStatusColumn, top, kRepresentativeColumn - kStatusColumn - kGap,
                         lineSource(customerStatusLine)))
        .add(Item::Field(kRepresentativeColumn, top, r.bodyWidth() - kRepresentativeColumn,
                         lineSource(representativeLine)));
    customer.height = 5 * kReportLine;
    r.details.push_back(customer);
    return r;
}

class PrintBirthdaysReport final : public ReportManager {
public:
    PrintBirthdaysReport()
        : ReportManager(customerReportDecl("PrintBirthdays", "Progress... Customer Birthdays",
                                           {FileId::Members, FileId::Representatives})) {}

    int Setup() override {
        if (const int refused = ReportManager::Setup(); refused != 0) return refused;
        const std::int32_t month = processValues().BirthMonthShort;
        report_ = std::make_unique<BandReport>(birthdaysLayout(monthName(month)));
        process_.REPORT = report_.get();
        process_.Setup({FileId::Members, {{FileId::Representatives}}},
                       *relationManagerFor(FileId::Members), ProgressControl(), 0, &PERCENT);
        process_.DefineSortOrder(MBR::key::BIRTHDAYKEY);
        process_.DefineRange(MBR::BIRTHMONTH.index(), [month] { return Value::number(month); });
        ReportManager::Setup(process_, report_.get(), &preview_);
        return 0;
    }

private:
    PrintEachRecord<ProcessManager> process_;
    std::unique_ptr<BandReport> report_;
    PrintPreviewer preview_;
};

}  // namespace

void PrintBirthdays(std::string_view) {
    if (procedures().call("SelectReportMonth") != ResponseCompleted) return;
    startWindow(std::make_unique<PrintBirthdaysReport>());
}

}  // namespace bb
