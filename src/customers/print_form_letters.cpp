// "Form Letters": the chosen letter, once to each selected customer, each
// on a page of its own; then, if the user wants them, the matching labels.
#include <memory>

#include "customers/customer_printout_layouts.h"
#include "customers/customer_printouts.h"
#include "customers/customer_report_parts.h"
#include "customers/selected_customers.h"
#include "platform/date.h"
#include "platform/message_service.h"
#include "platform/text.h"
#include "reporting/report_manager.h"
#include "reports/report_lines.h"
#include "reports/select_n_sort.h"
#include "ui/procedures.h"

namespace bb {
namespace {

// A letter's margins: an inch all round.
constexpr Mils kLetterMargin = 1000;
// Where the salutation, the subject and the body start, in lines.
constexpr int kSalutationLine = 6;
constexpr int kSubjectLine = 8;
constexpr int kBodyLine = 10;
constexpr Mils kLetterLine = 200;

std::string salutation() {
    if (text::equal(MBR::MEMBERTYPE.get(), "Company")) return "Dear Folks:";
    return "Dear " + std::string(text::clip(MBR::FIRSTNAME.get())) + ":";
}

}  // namespace

ReportLayout formLettersLayout(const std::string& subject, const std::string& body) {
    ReportLayout r;
    r.title = "Form Letters";
    r.fonts = {ReportFont{"DejaVu Serif", 11}};
    r.margins = {kLetterMargin, kLetterMargin, kLetterMargin, kLetterMargin};
    const Mils width = r.bodyWidth();
    Band letter;
    letter.newPageBefore = true;
    letter.add(Item::Field(0, 0, width / 2, lineSource(customerNameLine)))
        .add(Item::Text(width / 2, 0, width / 2, longDate(Clock::today())).right());
    for (int line = 0; line < 3; ++line)
        letter.add(Item::Field(0, (line + 1) * kLetterLine, width / 2, addressLineSource(line)));
    letter.add(Item::Field(0, kSalutationLine * kLetterLine, width, lineSource(salutation)))
        .add(Item::Text(0, kSubjectLine * kLetterLine, width,
                        "Subject: " + std::string(text::clip(subject))))
        .add(Item::Block(0, kBodyLine * kLetterLine, width, [body] { return Value::text(body); }));
    r.details.push_back(letter);
    return r;
}

namespace {

class PrintFormLettersReport final : public ReportManager {
public:
    PrintFormLettersReport(std::string subject, std::string body)
        : ReportManager(
              customerReportDecl("PrintFormLetters", "Progress... Form Letters",
                                 {FileId::Members, FileId::Commbrs, FileId::Representatives})),
          subject_(std::move(subject)),
          body_(std::move(body)) {}

    int Setup() override {
        if (const int refused = ReportManager::Setup(); refused != 0) return refused;
        report_ = std::make_unique<BandReport>(formLettersLayout(subject_, body_));
        process_.REPORT = report_.get();
        setUpSelectedCustomers(process_, ProgressControl(), &PERCENT);
        ReportManager::Setup(process_, report_.get(), &preview_);
        return 0;
    }

    // Once the letters are out, the labels for the same customers.
    void RunPreview() override {
        ReportManager::RunPreview();
        if (RESPONSE != ResponseCompleted) return;
        const Button answer =
            messages().show({"Matching Labels", "    Print a matching set of labels?",
                             MessageIcon::Question, ButtonYes | ButtonNo, ButtonYes});
        if (answer == ButtonYes) procedures().call("PrintMailingLabels", NoRequest, "");
    }

private:
    std::string subject_;
    std::string body_;
    EachCustomerOnce<PrintEachRecord<ProcessManager>> process_;
    std::unique_ptr<BandReport> report_;
    PrintPreviewer preview_;
};

}  // namespace

void PrintFormLetters(std::string_view) {
    if (SelectNSort(CTRL::REPORTFILTER, CTRL::REPORTKEY) != ResponseCompleted) return;
    if (procedures().call("BrowseLetters", SelectRequest) != ResponseCompleted) return;
    startWindow(
        std::make_unique<PrintFormLettersReport>(LTR::LETTERTYPE.get(), LTR::LETTERBODY.get()));
}

}  // namespace bb
