// "Mailing Labels": a label for each selected customer on the chosen
// stock, filling each sheet across and then down.
#include <memory>
#include <optional>

#include "customers/customer_printout_layouts.h"
#include "customers/customer_printouts.h"
#include "customers/customer_report_parts.h"
#include "customers/selected_customers.h"
#include "platform/message_service.h"
#include "reporting/label_sheet.h"
#include "reporting/report_manager.h"
#include "reports/report_lines.h"
#include "reports/select_n_sort.h"
#include "ui/procedures.h"

namespace bb {
namespace {

// The print stands this far inside the label's edges, so that nothing
// touches the next label.
constexpr Mils kInset = 60;
// A label holds the name and the three address lines.
constexpr int kLines = 4;
// A line of print is a quarter again as high as its font's size.
constexpr Mils lineHeight(int points) {
    return (points * kInch * 5 / 4 + 71) / 72;
}

LabelStock stockInBuffer() {
    return {LAB::PAGEWIDTH.get(),   LAB::PAGEHEIGHT.get(), LAB::LABELWIDTH.get(),
            LAB::LABELHEIGHT.get(), LAB::TOPMARGIN.get(),  LAB::LEFTMARGIN.get()};
}

}  // namespace

std::optional<LabelSheet> labelSheetInBuffer(std::string* error) {
    std::optional<LabelSheet> sheet = labelSheetFor(stockInBuffer(), error);
    if (!sheet) return sheet;
    const int points = LAB::FONTSIZE.get();
    if (points == 0) {
        *error = "This label stock has no font size.";
        return std::nullopt;
    }
    if (sheet->labelWidth <= 2 * kInset ||
        sheet->labelHeight < 2 * kInset + kLines * lineHeight(points)) {
        *error = "An address in " + std::to_string(points) +
                 " point print does not fit on the labels of this label stock.";
        return std::nullopt;
    }
    return sheet;
}

ReportLayout mailingLabelsLayout(const LabelSheet& sheet, int points) {
    ReportLayout r;
    r.title = "Mailing Labels";
    r.pageWidth = sheet.pageWidth;
    r.pageHeight = sheet.pageHeight;
    r.fonts = {ReportFont{"DejaVu Sans", static_cast<double>(points)}};
    r.labels = sheet;
    const Mils width = sheet.labelWidth - 2 * kInset;
    const Mils line = lineHeight(points);
    Band label;
    label.add(Item::Field(kInset, kInset, width, lineSource(customerNameLine)));
    for (int index = 0; index < 3; ++index)
        label.add(
            Item::Field(kInset, kInset + (index + 1) * line, width, addressLineSource(index)));
    r.details.push_back(label);
    return r;
}

namespace {

class PrintMailingLabelsReport final : public ReportManager {
public:
    PrintMailingLabelsReport(const LabelSheet& sheet, int points)
        : ReportManager(
              customerReportDecl("PrintMailingLabels", "Progress... Mailing Labels",
                                 {FileId::Members, FileId::Commbrs, FileId::Representatives})),
          sheet_(sheet),
          points_(points) {}

    int Setup() override {
        if (const int refused = ReportManager::Setup(); refused != 0) return refused;
        report_ = std::make_unique<BandReport>(mailingLabelsLayout(sheet_, points_));
        process_.REPORT = report_.get();
        setUpSelectedCustomers(process_, ProgressControl(), &PERCENT);
        ReportManager::Setup(process_, report_.get(), &preview_);
        return 0;
    }

private:
    LabelSheet sheet_;
    int points_;
    EachCustomerOnce<PrintEachRecord<ProcessManager>> process_;
    std::unique_ptr<BandReport> report_;
    PrintPreviewer preview_;
};

}  // namespace

void PrintMailingLabels(std::string_view argument) {
    // After the letters (no argument) the letters' selection stands.
    if (!argument.empty() && SelectNSort(CTRL::REPORTFILTER, CTRL::REPORTKEY) != ResponseCompleted)
        return;
    if (procedures().call("BrowseLabels", SelectRequest) != ResponseCompleted) return;
    std::string error;
    const std::optional<LabelSheet> sheet = labelSheetInBuffer(&error);
    if (!sheet) {
        messages().show(
            {"Labels Not Printed", error, MessageIcon::Exclamation, ButtonOk, ButtonOk});
        return;
    }
    startWindow(std::make_unique<PrintMailingLabelsReport>(*sheet, LAB::FONTSIZE.get()));
}

}  // namespace bb
