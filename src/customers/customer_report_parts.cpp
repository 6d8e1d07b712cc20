#include "customers/customer_report_parts.h"

#include "platform/date.h"
#include "platform/text.h"
#include "reports/report_lines.h"

namespace bb {

std::string customerStatusLine() {
    return std::string(MBR::ACTIVE.get() == 1 ? "Active / " : "Inactive / ") +
           std::string(text::clip(MBR::SALESLEVEL.get()));
}

ValueSource lineSource(std::string (*line)()) {
    return [line] { return Value::text(line()); };
}

ValueSource addressLineSource(int index) {
    return [index] { return Value::text(addressBlock()[static_cast<std::size_t>(index)]); };
}

void addCustomerBlock(Band& band, Mils x, Mils y, Mils width, int nameFont) {
    band.add(Item::Field(x, y, width, lineSource(customerNameLine)).in(nameFont));
    for (int line = 0; line < 3; ++line)
        band.add(Item::Field(x, y + (line + 1) * kReportLine, width, addressLineSource(line)));
}

ReportLayout customerReportLayout(std::string_view title, const std::string& footerNote) {
    ReportLayout r;
    r.title = std::string(title);
    r.fonts = {ReportFont{"DejaVu Sans", 10}, ReportFont{"DejaVu Sans", 14, true},
               ReportFont{"DejaVu Sans", 10, true}};
    r.pageHeader.add(Item::Text(0, 0, r.bodyWidth(), r.title).center().in(kTitleFont));
    r.pageFooter.add(Item::Rule(0, 0, r.bodyWidth(), 0, 5))
        .add(Item::PageNumber(0, 60, 1200, "Page "))
        .add(Item::Text(0, 60, r.bodyWidth(), longDate(Clock::today())).right());
    if (!footerNote.empty())
        r.pageFooter.add(Item::Text(0, 60, r.bodyWidth(), footerNote).center());
    return r;
}

WindowDecl customerReportDecl(std::string_view procedure, std::string_view caption,
                              std::vector<FileId> files) {
    return WindowDecl{
        .procedure = procedure,
        .caption = caption,
        .recordsName = true,
        .files = std::move(files),
        .fields = {{.kind = ControlKind::Slot, .name = "Progress"}},
        .buttons = {{.text = "&Cancel", .role = ButtonRole::Cancel}},
    };
}

}  // namespace bb
