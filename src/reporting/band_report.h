// A report in the making: it takes a ReportLayout and, record by record,
// lays its bands out onto pages that go into a PageStore (the report's page
// queue). The report procedure calls Print for each record it reads, with
// the record in its buffers; the report notices group breaks, prints the
// footers of the groups that ended (with their totals) and the headers of
// the groups that begin, then the detail band. Close ends the open groups,
// prints the report's footer and ends the last page.
//
// Pages start when something is printed on them: the page header at the
// top, the page footer at the foot once the page is full. A group header is
// never left alone at the foot of a page: it moves to the next page with
// the record that follows it. In label mode every detail fills the next
// label of the sheet.
//
// Expected failures (the page queue cannot be written) come back as
// SeverityFatal with a sentence for the user in LastError(); once failed,
// the report prints nothing more. Needs the QGuiApplication (fonts); used
// from the GUI thread only.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/severity.h"
#include "platform/decimal.h"
#include "reporting/band_layout.h"
#include "reporting/page_store.h"
#include "reporting/report_layout.h"

namespace bb {

class BandReport {
public:
    explicit BandReport(ReportLayout layout);

    // Directs the pages into `pages` (which must outlive the report) and
    // gives it the paper, fonts and title.
    Severity Open(PageStore& pages);
    // Prints the records's detail band number `detail`.
    Severity Print(int detail = 0);
    // Ends the report; its last page is in the queue afterwards.
    Severity Close();

    bool IsOpen() const { return pages_ != nullptr; }
    int PageNumber() const { return pageNumber_; }
    const std::string& LastError() const { return error_; }
    const ReportLayout& Layout() const { return layout_; }

private:
    // A running sum or count of one total item.
    struct Accumulator {
        const Item* item;
        int group;  // the group that resets it; kPageScope or kReportScope
        Decimal sum;
        std::int64_t count = 0;
    };
    static constexpr int kPageScope = -1;
    static constexpr int kReportScope = -2;

    void registerTotals(const Band& band, int scope);
    void accumulate(int detail);
    void resetTotals(int scope);
    Value totalOf(const Item& item) const;

    // The footers of groups `from` and inside show the last record printed.
    void captureFooterValues();
    void capture(const Band& band);

    BandContext context(Mils left, bool captured) const;
    LaidOutBand layOut(const Band& band, bool captured = false) const;

    int firstBreak();
    Severity endGroups(int from);
    Severity beginGroups(int from, int detail);
    Severity printLabel(int detail);

    Severity ensurePage();
    Severity newPage();
    Severity startPage();
    Severity endPage();
    // Places the band at the cursor: on a new page when it does not fit,
    // across pages when it is taller than a page.
    Severity place(LaidOutBand band, bool newPageBefore = false);
    void append(LaidOutBand band, Mils y);
    Severity fail(std::string text);

    ReportLayout layout_;
    FontSet fonts_;
    PageStore* pages_ = nullptr;
    std::string error_;
    bool failed_ = false;
    bool started_ = false;  // the first record was printed

    Page page_;
    bool pageOpen_ = false;
    bool pageHasBody_ = false;  // something below the page header
    int pageNumber_ = 0;
    Mils cursor_ = 0;      // where the next band goes
    Mils bodyBottom_ = 0;  // where the page footer begins
    int label_ = 0;        // the next label of the sheet

    std::vector<std::optional<Value>> groupValues_;
    std::vector<Accumulator> totals_;
    std::map<const Item*, std::size_t> totalIndex_;
    std::map<const Item*, Value> captured_;
};

}  // namespace bb
