// The band report writer: columns through pictures, pages with their header,
// footer and numbers, group breaks with totals, blocks that wrap and
// continue on the next page, sheets of labels, and a page queue that fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "page_reading.h"
#include "platform/date.h"
#include "qt_application.h"
#include "reporting/band_report.h"

namespace bb::test {
namespace {

struct Trade {
    Trade(std::string r, std::string n, std::int64_t c = 0, DayNumber d = 0, std::string t = {})
        : rep(std::move(r)), name(std::move(n)), cents(c), date(d), note(std::move(t)) {}
    std::string rep;
    std::string name;
    std::int64_t cents;
    DayNumber date;
    std::string note;
};

class BandReports : public ::testing::Test {
protected:
    BandReports() { ensureApplication(); }

    ValueSource rep() {
        return [this] { return Value::text(row_->rep); };
    }
    ValueSource name() {
        return [this] { return Value::text(row_->name); };
    }
    ValueSource amount() {
        return [this] { return Value::number(Decimal::fromUnits(row_->cents, 2)); };
    }
    ValueSource date() {
        return [this] { return Value::number(row_->date); };
    }
    ValueSource note() {
        return [this] { return Value::text(row_->note); };
    }

    // Prints each row with detail band 0.
    void run(ReportLayout layout, const std::vector<Trade>& rows) {
        BandReport report(std::move(layout));
        ASSERT_EQ(report.Open(pages_), SeverityNone);
        for (const Trade& t : rows) {
            row_ = &t;
            ASSERT_EQ(report.Print(), SeverityNone) << report.LastError();
        }
        ASSERT_EQ(report.Close(), SeverityNone) << report.LastError();
    }

    static Mils line(int font = 0) { return FontSet({ReportFont{}}).lineHeight(font); }
    static Mils widthOf(const std::string& s) {
        return FontSet({ReportFont{}}).width(0, QString::fromStdString(s));
    }

    // A page that holds exactly `lines` lines of the body font between
    // margins of half an inch, and half a line more.
    static ReportLayout pageOfLines(int lines) {
        ReportLayout layout;
        layout.pageHeight = 1000 + lines * line() + line() / 2;
        return layout;
    }

    static std::vector<Trade> numbered(int count, const std::string& rep = "A") {
        std::vector<Trade> rows;
        for (int i = 1; i <= count; ++i) rows.push_back({rep, "row " + std::to_string(i), i});
        return rows;
    }

    PageStore pages_;
    const Trade* row_ = nullptr;
};

TEST_F(BandReports, ColumnsShowValuesThroughTheirPicturesUnderTheirHeadings) {
    ReportLayout layout;
    Band detail;
    const ColumnLayout columns{{{"Name", 2000, name(), "", Align::Left},
                                {"Date", 1000, date(), "@d2", Align::Left},
                                {"Amount", 1500, amount(), "@n$-15.2", Align::Right}}};
    layColumns(columns, layout.fonts, layout.pageHeader, 0, detail);
    layout.details.push_back(detail);
    run(layout, {{"A", "Smith", 123456, *dayNumber(1999, 3, 5)}});

    const Page page = loadPage(pages_, 1);
    EXPECT_EQ(wordsOf(page), (std::vector<std::string>{"Name", "Date", "Amount", "Smith",
                                                       "03/05/1999", "$1,234.56"}));
    // Amounts and their heading end at the column's right edge.
    const Mils right = layout.margins.left + 2000 + 120 + 1000 + 120 + 1500;
    for (const PageText& t : textsOf(page)) {
        if (t.text == "Amount" || t.text == "$1,234.56") {
            EXPECT_NEAR(t.x + widthOf(t.text), right, 2) << t.text;
        }
    }
}

TEST_F(BandReports, ValuesTooWideForTheirItemAreShortenedWithinIt) {
    ReportLayout layout;
    layout.details.push_back(Band().add(Item::Field(0, 0, 600, name())));
    run(layout, {{"A", "Bartholomew-Fitzgerald Investments Incorporated"}});
    const std::vector<PageText> texts = textsOf(loadPage(pages_, 1));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(texts[0].text).endsWith(QChar(0x2026))) << texts[0].text;
    EXPECT_LE(widthOf(texts[0].text), 600);
}

TEST_F(BandReports, PagesCarryTheirHeaderFooterAndNumberAndNoLineRunsIntoTheFooter) {
    ReportLayout layout;
    layout.pageHeader.add(Item::Text(0, 0, layout.bodyWidth(), "Trade List").center());
    layout.pageFooter.add(Item::PageNumber(0, 0, layout.bodyWidth()).right());
    layout.details.push_back(Band().add(Item::Field(0, 0, 2000, name())));
    run(layout, numbered(200));

    const Mils body = layout.pageHeight - 1000 - 2 * line();
    const int perPage = body / line();
    const int expected = (200 + perPage - 1) / perPage;
    ASSERT_EQ(pages_.Count(), expected);
    std::vector<std::string> names;
    for (int n = 1; n <= expected; ++n) {
        const std::vector<PageText> texts = textsOf(loadPage(pages_, n));
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts.front().text, "Trade List");
        EXPECT_EQ(texts.back().text, "Page " + std::to_string(n));
        const Mils footerTop = texts.back().y;
        for (std::size_t i = 1; i + 1 < texts.size(); ++i) {
            EXPECT_LE(texts[i].y + line(), footerTop) << texts[i].text << " on page " << n;
            names.push_back(texts[i].text);
        }
    }
    ASSERT_EQ(names.size(), 200u);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(names[i], "row " + std::to_string(i + 1));
}

// A group footer shows its group's last record and totals; an outer break
// closes the inner groups first; the report's footer totals everything.
TEST_F(BandReports, GroupsBreakWithTheirTotals) {
    ReportLayout layout;
    Group byRep{rep(), {}, {}, false};
    byRep.header.add(Item::Text(0, 0, 0, "Rep")).add(Item::Field(600, 0, 500, rep()));
    byRep.footer.add(Item::Text(0, 0, 0, "Total for"))
        .add(Item::Field(1000, 0, 500, rep()))
        .add(Item::Total(2000, 0, 1000, amount(), "@n$-12.2"))
        .add(Item::Count(3200, 0, 400, "@n4"));
    Group byName{name(), {}, {}, false};
    byName.footer.add(Item::Text(300, 0, 0, "Subtotal"))
        .add(Item::Total(2000, 0, 1000, amount(), "@n$-12.2"));
    layout.groups = {byRep, byName};
    layout.details.push_back(Band().add(Item::Field(300, 0, 1000, name())));
    layout.reportFooter.add(Item::Text(0, 0, 0, "Grand total"))
        .add(Item::Total(2000, 0, 1000, amount(), "@n$-12.2"))
        .add(Item::Count(3200, 0, 400, "@n4"));
    run(layout,
        {{"A", "x", 100}, {"A", "x", 200}, {"A", "y", 350}, {"B", "y", 1000}, {"A", "y", 100}});

    EXPECT_EQ(allTexts(pages_),
              (std::vector<std::string>{
                  "Rep",         "A",      "x",         "x",        "Subtotal", "$3.00",     "y",
                  "Subtotal",    "$3.50",  "Total for", "A",        "$6.50",    "3",  //
                  "Rep",         "B",      "y",         "Subtotal", "$10.00",   "Total for", "B",
                  "$10.00",      "1",  //
                  "Rep",         "A",      "y",         "Subtotal", "$1.00",    "Total for", "A",
                  "$1.00",       "1",  //
                  "Grand total", "$17.50", "5"}));
}

TEST_F(BandReports, AGroupHeaderMovesToTheNextPageWithItsFirstRecord) {
    // Ten lines and a half: the first group's header and eight records leave
    // room for the second header but not for its first record as well.
    ReportLayout layout = pageOfLines(10);
    Group byRep{rep(), {}, {}, false};
    byRep.header.add(Item::Text(0, 0, 0, "Group")).add(Item::Field(600, 0, 500, rep()));
    layout.groups = {byRep};
    layout.details.push_back(Band().add(Item::Field(300, 0, 1000, name())));
    std::vector<Trade> rows = numbered(8, "A");
    for (const Trade& t : numbered(2, "B")) rows.push_back(t);
    run(layout, rows);

    ASSERT_EQ(pages_.Count(), 2);
    const std::vector<std::string> first = wordsOf(loadPage(pages_, 1));
    EXPECT_EQ(first.size(), 10u);
    EXPECT_EQ(first.back(), "row 8");
    EXPECT_EQ(wordsOf(loadPage(pages_, 2)),
              (std::vector<std::string>{"Group", "B", "row 1", "row 2"}));
}

TEST_F(BandReports, AGroupThatStartsANewPageBeginsAtTheTopOfOne) {
    ReportLayout layout;
    layout.pageHeader.add(Item::Text(0, 0, 0, "Holding Record"));
    Group byRep{rep(), {}, {}, true};
    byRep.header.add(Item::Field(0, 0, 500, rep()));
    layout.groups = {byRep};
    layout.details.push_back(Band().add(Item::Field(300, 0, 1000, name())));
    std::vector<Trade> rows = numbered(2, "A");
    rows.push_back({"B", "row 3"});
    run(layout, rows);
    ASSERT_EQ(pages_.Count(), 2);
    EXPECT_EQ(wordsOf(loadPage(pages_, 1)),
              (std::vector<std::string>{"Holding Record", "A", "row 1", "row 2"}));
    EXPECT_EQ(wordsOf(loadPage(pages_, 2)),
              (std::vector<std::string>{"Holding Record", "B", "row 3"}));
}

// ------------------------------------------------------------------ letters

class Letters : public BandReports {
protected:
    static constexpr Mils kBodyWidth = 3000;

    ReportLayout letter(ReportLayout layout) {
        Band d;
        d.newPageBefore = true;
        d.add(Item::Field(0, 0, 3000, name()));
        d.add(Item::Block(0, 2 * line(), kBodyWidth, note()));
        layout.details.push_back(d);
        return layout;
    }

    // The words of the letter bodies as printed, without the names.
    std::vector<std::string> bodyWords() {
        std::vector<std::string> words;
        for (int n = 1; n <= pages_.Count(); ++n) {
            for (const PageText& t : textsOf(loadPage(pages_, n))) {
                EXPECT_LE(widthOf(t.text), kBodyWidth) << t.text;
                for (const QString& w :
                     QString::fromStdString(t.text).split(' ', Qt::SkipEmptyParts))
                    if (!w.startsWith("Customer")) words.push_back(w.toStdString());
            }
        }
        return words;
    }
};

TEST_F(Letters, EachLetterStartsAPageAndItsBodyWrapsKeepingItsParagraphs) {
    run(letter(ReportLayout()),
        {{"A", "Customer One", 0, 0, "Thank you for your business this year.\r\n\r\nSincerely"},
         {"A", "Customer Two", 0, 0, "Short."}});
    ASSERT_EQ(pages_.Count(), 2);
    const std::vector<PageText> first = textsOf(loadPage(pages_, 1));
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[1].text, "Thank you for your business this year.");
    EXPECT_EQ(first[2].text, "Sincerely");
    EXPECT_EQ(first[2].y - first[1].y, 2 * line());  // the empty line between them
    EXPECT_EQ(wordsOf(loadPage(pages_, 2)), (std::vector<std::string>{"Customer Two", "Short."}));
}

TEST_F(Letters, ABodyLongerThanAPageContinuesOnTheNextBetweenLines) {
    std::string body;
    std::vector<std::string> expected;
    for (int i = 1; i <= 400; ++i) {
        expected.push_back("word" + std::to_string(i));
        body += expected.back() + (i % 40 == 0 ? "\n" : " ");
    }
    ReportLayout layout = letter(pageOfLines(20));
    layout.pageFooter.add(Item::PageNumber(0, 0, 1000));
    run(layout, {{"A", "Customer One", 0, 0, body}});

    ASSERT_GT(pages_.Count(), 2);
    const std::vector<std::string> words = bodyWords();
    std::vector<std::string> printed;
    for (const std::string& w : words)
        if (w.rfind("word", 0) == 0) printed.push_back(w);
    EXPECT_EQ(printed, expected);
    for (int n = 1; n <= pages_.Count(); ++n) {
        const std::vector<PageText> texts = textsOf(loadPage(pages_, n));
        EXPECT_EQ(texts.back().text, "Page " + std::to_string(n));
        for (std::size_t i = 0; i + 1 < texts.size(); ++i)
            EXPECT_LE(texts[i].y + line(), texts.back().y) << "page " << n;
    }
}

// ------------------------------------------------------------------- labels

TEST(LabelSheets, AStockBecomesASheetOrAClearReason) {
    const auto d = [](const char* s) { return *Decimal::parse(s); };
    std::string error;
    const std::optional<LabelSheet> sheet =
        labelSheetFor({d("8.5"), d("11"), d("2.63"), d("1"), d("0.5"), d("0.19")}, &error);
    ASSERT_TRUE(sheet) << error;
    EXPECT_EQ(sheet->across, 3);
    EXPECT_EQ(sheet->down, 10);
    EXPECT_EQ(sheet->left, 190);
    EXPECT_EQ(sheet->top, 500);
    EXPECT_EQ(sheet->pitchAcross, 2630);
    EXPECT_EQ(sheet->pitchDown, 1000);
    EXPECT_EQ(sheet->labelX(4), 190 + 2630);
    EXPECT_EQ(sheet->labelY(4), 1500);

    struct Case {
        LabelStock stock;
        std::string reason;
    };
    const Case refused[] = {
        {{d("8.5"), d("11"), d("0"), d("1"), d("0.35"), d("0.5")}, "The labels of this label"},
        {{d("0"), d("11"), d("2"), d("1"), d("0.35"), d("0.5")}, "The page of this label"},
        {{d("8.5"), d("11"), d("9"), d("1"), d("0.35"), d("0.5")}, "Not one label"},
        {{d("8.5"), d("11"), d("2"), d("-1"), d("0.35"), d("0.5")}, "cannot be negative"},
    };
    for (const Case& c : refused) {
        error.clear();
        EXPECT_FALSE(labelSheetFor(c.stock, &error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST_F(BandReports, LabelsFillTheSheetAcrossThenDownAndLeaveOffWhatDoesNotFit) {
    ReportLayout layout;
    LabelSheet sheet;
    sheet.left = 200;
    sheet.top = 500;
    sheet.labelWidth = sheet.pitchAcross = 4000;
    sheet.labelHeight = sheet.pitchDown = 2 * line() + line() / 2;
    sheet.across = 2;
    sheet.down = 3;
    layout.labels = sheet;
    layout.details.push_back(Band()
                                 .add(Item::Field(0, 0, 3800, name()))
                                 .add(Item::Field(0, line(), 3800, rep()))
                                 .add(Item::Field(0, 2 * line(), 3800, note())));
    std::vector<Trade> rows;
    for (int i = 1; i <= 8; ++i)
        rows.push_back({"Street " + std::to_string(i), "Name " + std::to_string(i), 0, 0, "City"});
    run(layout, rows);

    ASSERT_EQ(pages_.Count(), 2);
    const std::vector<PageText> first = textsOf(loadPage(pages_, 1));
    ASSERT_EQ(first.size(), 12u);  // six labels of two lines: the third does not fit
    for (int i = 0; i < 6; ++i) {
        const std::string name = "Name " + std::to_string(i + 1);
        const auto at = std::find_if(first.begin(), first.end(),
                                     [&](const PageText& t) { return t.text == name; });
        ASSERT_NE(at, first.end()) << name;
        EXPECT_EQ(at->x, sheet.labelX(i));
        EXPECT_EQ(at->y, sheet.labelY(i));
    }
    EXPECT_EQ(wordsOf(loadPage(pages_, 2)),
              (std::vector<std::string>{"Name 7", "Name 8", "Street 7", "Street 8"}));
}

// ------------------------------------------------------------------ failure

TEST_F(BandReports, APageThatCannotBeWrittenStopsTheReportWithAReason) {
    ReportLayout layout = pageOfLines(5);
    layout.details.push_back(Band().add(Item::Field(0, 0, 1000, name())));
    BandReport report(layout);
    ASSERT_EQ(report.Open(pages_), SeverityNone);
    const std::vector<Trade> rows = numbered(20);
    std::size_t i = 0;
    while (pages_.Count() == 0) {
        row_ = &rows[i++];
        ASSERT_EQ(report.Print(), SeverityNone);
    }
    std::filesystem::remove_all(pages_.Folder());  // the disk went away

    Severity s = SeverityNone;
    while (s == SeverityNone && i < rows.size()) {
        row_ = &rows[i++];
        s = report.Print();
    }
    EXPECT_EQ(s, SeverityFatal);
    EXPECT_NE(report.LastError().find("could not be written"), std::string::npos)
        << report.LastError();
    EXPECT_EQ(report.Print(), SeverityFatal);
    EXPECT_EQ(report.Close(), SeverityFatal);
}

}  // namespace
}  // namespace bb::test
