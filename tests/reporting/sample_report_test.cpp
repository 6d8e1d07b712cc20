// A report procedure in miniature, the whole way: a few hundred customers
// read by the process manager in time slices, printed by the band writer
// with a group break and totals, and written to a PDF that a PDF reader
// finds its title, totals, page numbers and last record in.
#include <QDir>

#include "pdf_reading.h"
#include "platform/date.h"
#include "report_data.h"
#include "reporting/band_report.h"
#include "reporting/owner_process.h"
#include "reporting/page_output.h"
#include "reporting/process_manager.h"
#include "reporting/record_cycle.h"

namespace bb::test {
namespace {

enum Font { kBody = 0, kTitle = 1, kHeading = 2 };

ReportLayout netWorthLayout() {
    ReportLayout r;
    r.title = "Customer Net Worth by Representative";
    r.fonts = {ReportFont{}, ReportFont{"DejaVu Serif", 14, true},
               ReportFont{"DejaVu Sans", 9, true}};
    r.pageHeader.add(Item::Text(0, 0, r.bodyWidth(), r.title).center().in(kTitle));
    Band detail;
    const ColumnLayout columns{
        {{"Number", 800, fieldSource(MBR::MEMBERNUMBER), "@n6", Align::Right},
         {"Company", 3200, fieldSource(MBR::COMPANYNAME), "@s34"},
         {"Last Update", 1100, fieldSource(MBR::LASTUPDATE), "@d2"},
         {"Net Worth", 1700, fieldSource(MBR::NETWORTH), "@n$-15.2", Align::Right}},
        150,
        kHeading,
        kBody};
    layColumns(columns, r.fonts, r.pageHeader, 350, detail);
    r.details.push_back(detail);
    r.pageFooter.add(Item::Rule(0, 0, r.bodyWidth(), 0, 5))
        .add(Item::Field(0, 60, 3000, [] { return Value::text(longDate(Clock::today())); }))
        .add(Item::PageNumber(0, 60, r.bodyWidth()).right());

    Group byRep{fieldSource(MBR::REPRESENTATIVENUMBER), {}, {}, false};
    byRep.header.height = 250;
    byRep.header.add(Item::Text(0, 80, 0, "Representative").in(kHeading))
        .add(Item::Field(1200, 80, 600, fieldSource(MBR::REPRESENTATIVENUMBER), "@n3")
                 .left()
                 .in(kHeading));
    byRep.footer.height = 300;
    byRep.footer.add(Item::Rule(5550, 20, 1700, 0, 5))
        .add(Item::Text(950, 60, 0, "Total for representative"))
        .add(Item::Field(2900, 60, 400, fieldSource(MBR::REPRESENTATIVENUMBER), "@n3").left())
        .add(Item::Count(4400, 60, 500, "@n5").right())
        .add(Item::Total(5550, 60, 1700, MBR::NETWORTH, "@n$-15.2").in(kHeading));
    r.groups.push_back(byRep);
    r.reportFooter.add(Item::Rule(0, 40, r.bodyWidth(), 0, 10))
        .add(Item::Text(950, 100, 0, "Grand total").in(kHeading))
        .add(Item::Count(4400, 100, 500, "@n5").right().in(kHeading))
        .add(Item::Total(5550, 100, 1700, MBR::NETWORTH, "@n$-15.2").in(kHeading));
    return r;
}

class NetWorthReport : public ProcessManager {
public:
    NetWorthReport() : report(netWorthLayout()) {}
    RecordResult ProcessOneRecord() override {
        return report.Print() == SeverityNone ? RecordResult::GoOn : RecordResult::Fatal;
    }
    BandReport report;
};

class SampleReport : public ReportData {
protected:
    // A copy of the PDF to look at, when pictures are asked for.
    static void keep(const std::string& file) {
        const QString folder = qEnvironmentVariable("BROKERBOOK_SCREENSHOTS");
        if (folder.isEmpty()) return;
        const QString name = QString::fromStdString(file).section('/', -1);
        QFile::remove(folder + "/" + name);
        QFile::copy(QString::fromStdString(file), folder + "/" + name);
    }
};

TEST_F(SampleReport, AFewHundredRecordsWithAGroupBreakEndAsASearchablePdf) {
    Clock::fix(*dayNumber(2024, 3, 5));
    // Three representatives; customer i is worth i × 1,000.50.
    addMembers(300, [](int i) {
        MBR::MEMBERNUMBER.set(i + 1);
        MBR::REPRESENTATIVENUMBER.set(i / 100 + 1);
        MBR::COMPANYNAME.set("Company " + std::to_string(1000 + i + 1));
        MBR::LASTUPDATE.set(*dayNumber(2023, 1 + i % 12, 1 + i % 28));
        ASSERT_TRUE(
            MBR::NETWORTH.set(*Decimal::parse(std::to_string((i + 1) * 100050)) / Decimal(100)));
    });
    NetWorthReport process;
    std::uint8_t percent = 0;
    process.Setup({FileId::Members, {}}, relations(FileId::Members), {}, 0, &percent);
    process.DefineSortOrder(MBR::key::REPRESENTATIVENUMBERKEY);
    PageStore pages;
    ASSERT_EQ(process.report.Open(pages), SeverityNone);
    ASSERT_EQ(process.Reset(0), SeverityNone);
    ASSERT_EQ(process.Next(), SeverityNone);
    RecordCycle cycle;
    const auto next = [&] { return process.Next() == SeverityNone ? 0 : 3; };
    while (cycle.Run([&] { return process.ProcessOneRecord(); }, next) == CycleEnd::SliceUsed) {
    }
    ASSERT_EQ(process.report.Close(), SeverityNone) << process.report.LastError();
    process.Teardown();
    EXPECT_EQ(process.RECORDSPROCESSED, 300);
    EXPECT_EQ(percent, 100);

    const std::string file =
        (folder_.path() / pdfFileName(pages.setup.title, Clock::today())).string();
    std::string error;
    ASSERT_TRUE(writePdf(pages, file, &error)) << error;
    const std::string text = pdfText(file);
    EXPECT_NE(text.find("Customer Net Worth by Representative"), std::string::npos);
    // Representative 2 holds customers 101 to 200: 15,050 × 1,000.50.
    EXPECT_NE(text.find("$15,057,525.00"), std::string::npos);
    EXPECT_NE(text.find("$45,172,575.00"), std::string::npos) << "the grand total";
    EXPECT_NE(text.find("Company 1300"), std::string::npos) << "the last record";
    EXPECT_NE(text.find("$300,150.00"), std::string::npos) << "the last record";
    const int count = pages.Count();
    ASSERT_GT(count, 3);
    for (int n = 1; n <= count; ++n) {
        const std::string page = pdfText(file, n, n);
        EXPECT_NE(page.find("Page " + std::to_string(n)), std::string::npos) << page;
        EXPECT_NE(page.find("March 5, 2024"), std::string::npos);
    }
    keep(file);
    Clock::release();
}

// Letters: a page each, the body wrapped and searchable. Labels: a sheet of
// them, three across, read back side by side.
TEST_F(SampleReport, LettersAndLabelsEndAsSearchablePdfs) {
    addMembers(7, [](int i) {
        MBR::MEMBERNUMBER.set(i + 1);
        MBR::FIRSTNAME.set("Pat" + std::to_string(i + 1));
        MBR::ADDRESS.set(std::to_string(100 + i) + " Main Street");
        MBR::CITY.set("Springfield");
    });
    const std::string body =
        "Thank you for the confidence you have placed in us this year. Markets moved a great "
        "deal, and we reviewed every account against the objectives you gave us.\n\nPlease call "
        "if your circumstances have changed, so that your profile stays current.";
    ReportLayout letter;
    letter.title = "Form Letters";
    letter.fonts = {ReportFont{"DejaVu Serif", 11}};
    letter.margins = {1000, 1000, 1000, 1000};
    Band page;
    page.newPageBefore = true;
    page.add(Item::Field(0, 0, 3000,
                         [] { return Value::text("Dear " + MBR::FIRSTNAME.get() + ":"); }))
        .add(Item::Block(0, 400, letter.bodyWidth(), [&] { return Value::text(body); }));
    letter.details.push_back(page);

    std::string error;
    const auto d = [](const char* v) { return *Decimal::parse(v); };
    const std::optional<LabelSheet> sheet =
        labelSheetFor({d("8.5"), d("11"), d("2.625"), d("1"), d("0.5"), d("0.19")}, &error);
    ASSERT_TRUE(sheet) << error;
    ReportLayout labels;
    labels.title = "Mailing Labels";
    labels.fonts = {ReportFont{"DejaVu Sans", 10}};
    labels.labels = sheet;
    labels.details.push_back(Band()
                                 .add(Item::Field(150, 150, 2400, MBR::FIRSTNAME))
                                 .add(Item::Field(150, 330, 2400, MBR::ADDRESS))
                                 .add(Item::Field(150, 510, 2400, MBR::CITY)));

    for (ReportLayout* layout : {&letter, &labels}) {
        PageStore pages;
        BandReport report(*layout);
        ASSERT_EQ(report.Open(pages), SeverityNone);
        ProcessManager process;
        process.Setup({FileId::Members, {}}, relations(FileId::Members), {}, 0, nullptr);
        process.DefineSortOrder(MBR::key::MEMBERKEY);
        ASSERT_EQ(process.Reset(0), SeverityNone);
        while (process.Next() == SeverityNone) ASSERT_EQ(report.Print(), SeverityNone);
        ASSERT_EQ(report.Close(), SeverityNone);
        process.Teardown();
        const std::string file = (folder_.path() / (layout->title + ".pdf")).string();
        ASSERT_TRUE(writePdf(pages, file, &error)) << error;
        keep(file);
        const std::string text = pdfText(file);
        if (layout == &letter) {
            EXPECT_EQ(pages.Count(), 7);
            EXPECT_NE(pdfText(file, 7, 7).find("Dear Pat7:"), std::string::npos);
            EXPECT_NE(text.find("profile stays current."), std::string::npos);
        } else {
            EXPECT_EQ(pages.Count(), 1);
            EXPECT_NE(text.find(R"(Pat1)"), std::string::npos);
            // Across, then down: the first three names share a line.
            const std::size_t line = text.find("Pat1");
            const std::size_t end = text.find('\n', line);
            const std::string first = text.substr(line, end - line);
            EXPECT_NE(first.find("Pat2"), std::string::npos) << first;
            EXPECT_NE(first.find("Pat3"), std::string::npos) << first;
            EXPECT_EQ(first.find("Pat4"), std::string::npos) << first;
        }
    }
}

// Groups and their members, printed from the groups: a group without
// members still prints its heading, and each member follows its group.
TEST_F(SampleReport, AnOwnerWithoutChildrenStillPrintsItsBand) {
    for (FileId file : {FileId::Committees, FileId::Commbrs})
        ASSERT_EQ(files(file).Open(), SeverityNone);
    for (const char* group : {"Golf", "Chess", "Yacht"}) {
        buffer(FileId::Committees).clear();
        COM::COMMITTEE.set(group);
        ASSERT_EQ(files(FileId::Committees).Insert(), SeverityNone);
    }
    const std::pair<const char*, const char*> memberships[] = {
        {"Golf", "Ann Member"}, {"Golf", "Bob Member"}, {"Yacht", "Cy Member"}};
    int number = 0;
    for (const auto& [group, name] : memberships) {
        buffer(FileId::Commbrs).clear();
        CMBRS::COMMITTEE.set(group);
        CMBRS::MEMBERNUMBER.set(++number);
        CMBRS::MEMBERNAME.set(name);
        ASSERT_EQ(files(FileId::Commbrs).Insert(), SeverityNone);
    }
    ReportLayout layout;
    layout.title = "Customer Groups";
    layout.details.push_back(Band().add(
        Item::Field(0, 100, 4000, [] { return Value::text("Group: " + COM::COMMITTEE.get()); })));
    layout.details.push_back(Band().add(Item::Field(500, 0, 4000, CMBRS::MEMBERNAME)));
    BandReport report(layout);
    PageStore pages;
    ASSERT_EQ(report.Open(pages), SeverityNone);
    OwnerProcess process;
    process.REPORT = &report;
    process.Setup({FileId::Committees, {}}, relations(FileId::Committees), {}, 0, nullptr);
    process.DefineSortOrder(COM::key::COMMITTEEKEY);
    process.CHILDREN.Setup({FileId::Commbrs, {}}, relations(FileId::Commbrs));
    process.CHILDREN.DefineSortOrder(CMBRS::key::COMMITTEEKEY);
    process.CHILDREN.DefineRange(CMBRS::key::COMMITTEEKEY, relations(FileId::Commbrs),
                                 relations(FileId::Committees));
    ASSERT_EQ(process.Reset(0), SeverityNone);
    while (process.Next() == SeverityNone)
        ASSERT_EQ(process.ProcessOneRecord(), RecordResult::GoOn);
    ASSERT_EQ(report.Close(), SeverityNone);
    process.Teardown();
    EXPECT_EQ(process.RECORDSPROCESSED, 3);
    const std::string file = (folder_.path() / "groups.pdf").string();
    std::string error;
    ASSERT_TRUE(writePdf(pages, file, &error)) << error;
    std::string text = pdfText(file);
    // One line each, in this order.
    std::size_t at = 0;
    for (const char* line :
         {"Group: Chess", "Group: Golf", "Ann Member", "Bob Member", "Group: Yacht", "Cy Member"}) {
        const std::size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " after " << at << " in\n" << text;
        at = found;
    }
    for (FileId id : {FileId::Committees, FileId::Commbrs}) files(id).Close();
}

}  // namespace
}  // namespace bb::test
