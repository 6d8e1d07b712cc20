// "Outdated Accounts Report": the customers whose financial data, or one
// of whose accounts' objectives, was last brought up to date on or before
// the preferences' cut-off, with those accounts.
#include <memory>

#include "customers/customer_printouts.h"
#include "customers/customer_report_parts.h"
#include "data/relation_manager.h"
#include "platform/text.h"
#include "reporting/report_manager.h"
#include "reports/report_lines.h"

namespace bb {
namespace {

// The engine takes the whole condition, the cut-off as a parameter, so
// that only the outdated rows are read.
constexpr std::string_view kOutdatedFilter =
    "(MBR:LastUpdate =< CTRL:DefaultOutdateDate AND ACC:RegistrationNumber <> 0) OR "
    "(ACC:LastUpdate =< CTRL:DefaultOutdateDate AND ACC:RegistrationNumber <> 0)";

// The right-hand column; captions and the values after them.
constexpr Mils kRightColumn = 4000;
constexpr Mils kCaption = 1300;
// Where the amounts end, close to their captions.
constexpr Mils kAmountEnd = 2400;
constexpr Mils kAccountIndent = 300;
constexpr Mils kAccountRight = 4000;

std::string notificationAge() {
    const std::string_view period = text::trim(CTRL::DEFAULTOUTDATEPERIOD.get());
    if (period == "1") return "Notification Age: 1 Year";
    if (period == "2") return "Notification Age: 2 Years";
    return "Notification Age: 3 Years";
}

std::string accountClass() {
    const std::string_view code = text::trim(ACC::ACCOUNTCLASS.get());
    if (code == "C") return "Commission";
    if (code == "F") return "Fee-Based";
    return std::string(code);
}

// The account's own representative, read without disturbing the
// customer's in the buffer.
std::string accountRepresentative() {
    const Record kept = buffer(FileId::Representatives);
    fetchRepresentative(ACC::REPRESENTATIVENUMBER.get());
    std::string line = representativeLine();
    buffer(FileId::Representatives) = kept;
    return line;
}

// A caption and its value on line `line` at column `x`.
void addPair(Band& band, Mils x, int line, std::string caption, ValueSource value, Mils width,
             std::string_view picture = {}) {
    const Mils y = kReportLine / 2 + line * kReportLine;
    band.add(Item::Text(x, y, kCaption, std::move(caption)))
        .add(Item::Field(x + kCaption, y, width - kCaption, std::move(value), picture));
}

Band customerBand(Mils width) {
    Band band;
    addCustomerBlock(band, 0, kReportLine / 2, kRightColumn - 100, kHeavyFont);
    const Mils right = width - kRightColumn;
    addPair(band, 0, 4, "Net Worth:", fieldSource(MBR::NETWORTH), kAmountEnd, "@n$11");
    addPair(band, 0, 5, "Income:", fieldSource(MBR::INCOME), kAmountEnd, "@n$11");
    band.add(Item::Field(kRightColumn, kReportLine / 2, right, lineSource(representativeLine)))
        .add(Item::Field(kRightColumn, kReportLine * 3 / 2, right, lineSource(customerStatusLine)));
    addPair(band, kRightColumn, 2, "Last Update:", fieldSource(MBR::LASTUPDATE), right, "@d2");
    addPair(band, kRightColumn, 3, "Employer:", fieldSource(MBR::EMPLOYER), right);
    band.height = 7 * kReportLine;
    return band;
}

Band accountBand(Mils width) {
    Band band;
    const Mils left = kAccountIndent;
    const Mils leftWidth = kAccountRight - kAccountIndent - 100;
    const Mils rightWidth = width - kAccountRight;
    addPair(band, left, 0, "Short Name:", fieldSource(ACC::ACCOUNTSHORTNAME), leftWidth);
    addPair(band, left, 1, "Objectives:", fieldSource(ACC::INVESTMENTOBJECTIVES), leftWidth);
    addPair(band, left, 2, "Risk Tolerance:", fieldSource(ACC::RISKTOLERANCE), leftWidth);
    addPair(band, left, 3, "Last Update:", fieldSource(ACC::LASTUPDATE), leftWidth, "@d2");
    addPair(band, kAccountRight, 0, "Account Type:", fieldSource(ACC::ACCOUNTTYPE), rightWidth);
    band.add(Item::Field(kAccountRight + kCaption, kReportLine * 3 / 2, rightWidth - kCaption,
                         lineSource(accountClass)));
    addPair(band, kAccountRight, 2, "Account Number:", fieldSource(ACC::ACCOUNTNUMBER), rightWidth);
    addPair(band, kAccountRight, 3, "Representative:", lineSource(accountRepresentative),
            rightWidth);
    band.height = 5 * kReportLine;
    return band;
}

ReportLayout outdatedLayout() {
    ReportLayout r = customerReportLayout("Outdated Accounts Report", notificationAge());
    r.pageHeader.add(Item::Text(0, 2 * kReportLine, 0, "Name/Address").in(kHeavyFont))
        .add(Item::Text(kRightColumn, 2 * kReportLine, 0, "Representative/Dates").in(kHeavyFont))
        .add(Item::Rule(0, 3 * kReportLine + 20, r.bodyWidth()));
    r.pageHeader.height = 4 * kReportLine;
    Group customer{fieldSource(MBR::MEMBERNUMBER), customerBand(r.bodyWidth()), {}, false};
    r.groups.push_back(customer);
    r.details.push_back(accountBand(r.bodyWidth()));
    return r;
}

class PrintOutdatedObjectivesReport final : public ReportManager {
public:
    PrintOutdatedObjectivesReport()
        : ReportManager(customerReportDecl(
              "PrintOutdatedObjectives", "Progress... Outdated Income/Objective Dates",
              {FileId::Members, FileId::AccountRegistration, FileId::Representatives})) {}

    int Setup() override {
        if (const int refused = ReportManager::Setup(); refused != 0) return refused;
        report_ = std::make_unique<BandReport>(outdatedLayout());
        process_.REPORT = report_.get();
        // Only customers with accounts can be listed: the accounts are
        // joined inner, and the representative beside the customer.
        process_.Setup({FileId::Members,
                        {{FileId::AccountRegistration, 0, true}, {FileId::Representatives, 0}}},
                       *relationManagerFor(FileId::Members), ProgressControl(), 0, &PERCENT);
        process_.DefineSortOrder(MBR::key::COMPANYKEY);
        process_.DefineFilter(std::string(kOutdatedFilter));
        ReportManager::Setup(process_, report_.get(), &preview_);
        return 0;
    }

private:
    PrintEachRecord<ProcessManager> process_;
    std::unique_ptr<BandReport> report_;
    PrintPreviewer preview_;
};

}  // namespace

void PrintOutdatedObjectives(std::string_view) {
    startWindow(std::make_unique<PrintOutdatedObjectivesReport>());
}

}  // namespace bb
