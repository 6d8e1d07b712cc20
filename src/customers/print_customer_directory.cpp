// "Customer Directory": the selected customers in the chosen order, each
// with its name and address, its status and representative, and a line
// per phone number.
#include <memory>

#include "customers/customer_printout_layouts.h"
#include "customers/customer_printouts.h"
#include "customers/customer_report_parts.h"
#include "customers/selected_customers.h"
#include "data/relation_manager.h"
#include "reporting/owner_process.h"
#include "reporting/report_manager.h"
#include "reports/report_lines.h"
#include "reports/select_n_sort.h"

namespace bb {
namespace {

// Where the right-hand column (status and representative) starts.
constexpr Mils kRightColumn = 4200;
constexpr Mils kPhoneIndent = 300;
constexpr Mils kPhoneTypeWidth = 1200;

}  // namespace

ReportLayout customerDirectoryLayout() {
    ReportLayout r = customerReportLayout("Customer Directory");
    const Mils rightWidth = r.bodyWidth() - kRightColumn;
    r.pageHeader.add(Item::Text(0, 2 * kReportLine, 0, "Name/Address/Phone").in(kHeavyFont))
        .add(Item::Text(kRightColumn, 2 * kReportLine, 0, "Status/Class/Representative")
                 .in(kHeavyFont))
        .add(Item::Rule(0, 3 * kReportLine + 20, r.bodyWidth()));
    r.pageHeader.height = 4 * kReportLine;
    Band customer;
    addCustomerBlock(customer, 0, kReportLine / 2, kRightColumn - 100, kHeavyFont);
    customer
        .add(Item::Field(kRightColumn, kReportLine / 2, rightWidth, lineSource(customerStatusLine)))
        .add(Item::Field(kRightColumn, kReportLine * 3 / 2, rightWidth,
                         lineSource(representativeLine)));
    Band phone;
    phone.add(Item::Field(kPhoneIndent, 0, kPhoneTypeWidth, MPH::DESCRIPTION))
        .add(Item::Field(kPhoneIndent + kPhoneTypeWidth, 0, 2000, MPH::PHONENUMBER,
                         "@p(###) ###-####p"));
    r.details = {customer, phone};
    return r;
}

void setUpCustomerDirectory(OwnerProcess& process, ProgressText progress, std::uint8_t* percent) {
    setUpSelectedCustomers(process, std::move(progress), percent);
    RelationManager& phones = *relationManagerFor(FileId::MPhones);
    process.CHILDREN.Setup({FileId::MPhones, {}}, phones);
    process.CHILDREN.DefineSortOrder(MPH::key::KEYMEMBERNUMBER);
    process.CHILDREN.DefineRange(MPH::key::KEYMEMBERNUMBER, phones,
                                 *relationManagerFor(FileId::Members));
}

namespace {

class PrintCustomerDirectoryReport final : public ReportManager {
public:
    PrintCustomerDirectoryReport()
        : ReportManager(customerReportDecl(
              "PrintCustomerDirectory", "Progress... Customer Directory",
              {FileId::Members, FileId::Commbrs, FileId::MPhones, FileId::Representatives})) {}

    int Setup() override {
        if (const int refused = ReportManager::Setup(); refused != 0) return refused;
        report_ = std::make_unique<BandReport>(customerDirectoryLayout());
        process_.REPORT = report_.get();
        setUpCustomerDirectory(process_, ProgressControl(), &PERCENT);
        ReportManager::Setup(process_, report_.get(), &preview_);
        return 0;
    }

private:
    EachCustomerOnce<OwnerProcess> process_;
    std::unique_ptr<BandReport> report_;
    PrintPreviewer preview_;
};

}  // namespace

void PrintCustomerDirectory(std::string_view) {
    if (SelectNSort(CTRL::REPORTFILTER, CTRL::REPORTKEY) != ResponseCompleted) return;
    startWindow(std::make_unique<PrintCustomerDirectoryReport>());
}

}  // namespace bb
