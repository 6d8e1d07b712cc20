#include "customers/note_report.h"

#include <memory>

#include "customers/note_texts.h"
#include "platform/date.h"
#include "reporting/report_manager.h"
#include "reports/report_lines.h"

namespace bb {
namespace {

enum Font : int { kBody = 0, kTitle = 1, kHeavy = 2 };

// Where the parts of a note's block stand (thousandths of an inch).
constexpr Mils kLine = 190;
constexpr Mils kIndent = 300;
constexpr Mils kSubjectWidth = 700;

WindowDecl progressDecl(const NoteReportShape& shape) {
    return WindowDecl{
        .procedure = shape.procedure,
        .caption = "Progress...",
        .files = {FileId::Log},
        .fields = {{.kind = ControlKind::Slot, .name = "Progress"}},
        .buttons = {{.text = "&Cancel", .role = ButtonRole::Cancel}},
    };
}

ValueSource textOf(std::string (*compute)()) {
    return [compute] { return Value::text(compute()); };
}

Band noteBlock(Mils width) {
    Band block;
    block.add(Item::Field(0, 0, width, textOf(customerNameLine)).in(kHeavy))
        .add(Item::Field(0, kLine, width, textOf(noteKindLine)))
        .add(Item::Text(0, 2 * kLine, kSubjectWidth, "Subject:"))
        .add(Item::Field(kSubjectWidth, 2 * kLine, width - kSubjectWidth, LOG::SUBJECT))
        .add(Item::Block(kIndent, 3 * kLine, width - kIndent, fieldSource(LOG::NOTES)));
    // A blank line between two notes.
    block.height = 5 * kLine;
    return block;
}

// The page header: the title, and for a list its heading and column heading.
void addHeader(ReportLayout& r, const std::string& heading) {
    r.pageHeader.add(Item::Text(0, 0, r.bodyWidth(), r.title).center().in(kTitle));
    if (heading.empty()) {
        r.pageHeader.height = 2 * kLine + 100;
        return;
    }
    r.pageHeader.add(Item::Text(0, 2 * kLine, r.bodyWidth(), heading).center())
        .add(Item::Text(0, 4 * kLine, 0, "Name/Date/Subject/Text").in(kHeavy))
        .add(Item::Rule(0, 5 * kLine, r.bodyWidth()));
    r.pageHeader.height = 6 * kLine;
}

}  // namespace

ReportLayout noteReportLayout(std::string_view title, const std::string& heading,
                              const std::string& representative) {
    ReportLayout r;
    r.title = std::string(title);
    r.fonts = {ReportFont{"DejaVu Sans", 10}, ReportFont{"DejaVu Sans", 14, true},
               ReportFont{"DejaVu Sans", 10, true}};
    addHeader(r, heading);
    r.details.push_back(noteBlock(r.bodyWidth()));
    const std::string printed = longDate(Clock::today());
    r.pageFooter.add(Item::Rule(0, 0, r.bodyWidth(), 0, 5))
        .add(Item::PageNumber(0, 60, 1200, "Page "))
        .add(Item::Text(0, 60, r.bodyWidth(), representative).center())
        .add(Item::Text(0, 60, r.bodyWidth(), printed).right());
    return r;
}

namespace {

// The representative line of `number`, read without disturbing the
// representative in the caller's buffer.
std::string representativeOf(std::int32_t number) {
    const Record kept = buffer(FileId::Representatives);
    fetchRepresentative(number);
    std::string line = representativeLine();
    buffer(FileId::Representatives) = kept;
    return line;
}

class NotePrint final : public ProcessManager {
public:
    RecordResult ProcessOneRecord() override {
        return REPORT->Print() == SeverityNone ? RecordResult::GoOn : RecordResult::Fatal;
    }
    BandReport* REPORT = nullptr;
};

class NoteReport final : public ReportManager {
public:
    explicit NoteReport(const NoteReportShape& shape)
        : ReportManager(progressDecl(shape)), shape_(shape) {}

    int Setup() override {
        if (const int refused = ReportManager::Setup(); refused != 0) return refused;
        const std::int32_t owner = shape_.rangeValue();
        report_ = std::make_unique<BandReport>(
            noteReportLayout(shape_.title, shape_.heading ? shape_.heading() : std::string(),
                             representativeOf(shape_.representative())));
        process_.REPORT = report_.get();
        RelationManager& log = *relationManagerFor(FileId::Log);
        process_.Setup({FileId::Log, {{FileId::Members}}}, log, ProgressControl(), 0, &PERCENT);
        process_.DefineSortOrder(shape_.key);
        process_.DefineRange(shape_.rangeField.index(), [owner] { return Value::number(owner); });
        if (!shape_.filter.empty()) process_.DefineFilter(std::string(shape_.filter));
        ReportManager::Setup(process_, report_.get(), &preview_);
        log.SetReadAhead(true, RelationManager::ThisFileOnly);
        return 0;
    }

private:
    const NoteReportShape& shape_;
    NotePrint process_;
    std::unique_ptr<BandReport> report_;
    PrintPreviewer preview_;
};

}  // namespace

void startNoteReport(const NoteReportShape& shape) {
    startWindow(std::make_unique<NoteReport>(shape));
}

}  // namespace bb
