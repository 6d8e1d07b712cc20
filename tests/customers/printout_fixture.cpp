#include "printout_fixture.h"

#include <QFile>
#include <QTest>
#include <algorithm>

#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "pdf_reading.h"
#include "platform/date.h"
#include "reporting/print_previewer.h"
#include "reports/report_requests.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr FileId kBookFiles[] = {
    FileId::Committees,          FileId::Commbrs, FileId::Letters, FileId::Labels,
    FileId::AccountRegistration, FileId::Defaults};

// How long a report may take to reach its preview.
constexpr int kPreviewWaitMs = 20000;

// A copy of the PDF to look at, when pictures are asked for.
void keep(const std::string& file) {
    const QString folder = qEnvironmentVariable("BROKERBOOK_SCREENSHOTS");
    if (folder.isEmpty() || file.empty()) return;
    const QString name = QString::fromStdString(file).section('/', -1);
    QFile::remove(folder + "/" + name);
    QFile::copy(QString::fromStdString(file), folder + "/" + name);
}

}  // namespace

PrintoutFixture::PrintoutFixture() {
    registerReportRequests(procedures());
    Clock::fix(*dayNumber(2026, 3, 5));
    for (FileId file : kBookFiles) relationManagerFor(file)->Open();
    buffer(FileId::Defaults).clear();
    CTRL::DEFAULTOUTDATEPERIOD.set("3");
    CTRL::DEFAULTOUTDATEDATE.set(*dayNumber(2023, 3, 6));
    select("");
}

PrintoutFixture::~PrintoutFixture() {
    ui.closeAll();
    for (FileId file : kBookFiles) relationManagerFor(file)->Close();
    Clock::release();
}

int PrintoutFixture::add(const Customer& c) {
    const int number = addCustomer(c.last, c.first);
    MBR::MIDDLENAME.set(c.middle);
    MBR::ZIPCODE.set(c.zip);
    MBR::ACTIVE.set(c.active ? 1 : 0);
    MBR::BIRTHMONTH.set(c.birthMonth);
    MBR::BIRTHDAY.set(c.birthDay);
    MBR::BIRTHDATE.set(*dayNumber(1972, c.birthMonth, c.birthDay));
    if (c.lastUpdate != 0) MBR::LASTUPDATE.set(c.lastUpdate);
    if (c.company) {
        MBR::MEMBERTYPE.set("Company");
        MBR::COMPANYNAME.set(c.last);
        MBR::FIRSTNAME.set("");
        MBR::LASTNAME.set("");
    }
    EXPECT_EQ(fileManagerFor(FileId::Members)->UpdateQuietly(), SeverityNone);
    return number;
}

void PrintoutFixture::addMembership(int member, const std::string& group) {
    buffer(FileId::Committees).clear();
    COM::COMMITTEE.set(group);
    // The group may be on file already.
    (void)fileManagerFor(FileId::Committees)->InsertQuietly();
    buffer(FileId::Commbrs).clear();
    CMBRS::COMMITTEE.set(group);
    CMBRS::MEMBERNUMBER.set(member);
    EXPECT_EQ(fileManagerFor(FileId::Commbrs)->Insert(), SeverityNone);
}

void PrintoutFixture::addLetter(const std::string& subject, const std::string& body) {
    buffer(FileId::Letters).clear();
    LTR::LETTERTYPE.set(subject);
    LTR::LETTERBODY.set(body);
    EXPECT_EQ(fileManagerFor(FileId::Letters)->Insert(), SeverityNone);
}

void PrintoutFixture::addStock(const Stock& stock) {
    buffer(FileId::Labels).clear();
    LAB::LABELTYPE.set(stock.name);
    const auto inches = [](DecimalField field, const char* text) {
        EXPECT_TRUE(field.set(*Decimal::parse(text))) << text;
    };
    inches(LAB::PAGEWIDTH, stock.pageWidth);
    inches(LAB::PAGEHEIGHT, stock.pageHeight);
    inches(LAB::LABELWIDTH, stock.labelWidth);
    inches(LAB::LABELHEIGHT, stock.labelHeight);
    inches(LAB::TOPMARGIN, stock.top);
    inches(LAB::LEFTMARGIN, stock.left);
    LAB::FONTSIZE.set(stock.points);
    // A stock the form would refuse is written as a damaged file would hold it.
    EXPECT_EQ(fileManagerFor(FileId::Labels)->Insert(), SeverityNone);
}

void PrintoutFixture::chooseRow(const std::string& caption, const std::string& list,
                                const std::string& row) {
    ui.when(caption, [list, row](DrivenWindow& window) {
        const std::vector<std::string> rows = window.rows(list);
        const auto found = std::find(rows.begin(), rows.end(), row);
        ASSERT_NE(found, rows.end()) << row;
        window.clickRow(list, static_cast<int>(found - rows.begin()));
        window.press("Select");
    });
}

void PrintoutFixture::select(const std::string& filter, const std::string& order,
                             const std::string& groups) {
    CTRL::REPORTFILTER.set(filter);
    CTRL::REPORTKEY.set(order);
    CTRL::REPFILTER.set("");
    CTRL::CLASSFILTER.set("");
    CTRL::COMMFILTER.set(groups);
}

void PrintoutFixture::printSelection() {
    ui.when("Select N Sort Records to Print", [](DrivenWindow& form) { form.press("Print"); });
}

void PrintoutFixture::savePreview(const std::string& name, std::string& file) {
    ui.when("Print Preview", [this, name, &file](DrivenWindow& preview) {
        PreviewPanel& panel = *static_cast<PrintPreviewer&>(preview.manager()).Panel();
        const std::string path = (folder_.path() / (name + ".pdf")).string();
        output_.saveAs = path;
        panel.action(PRTPREV::TBARSAVEPDF)->trigger();
        preview.screenshot(name + " preview");
        panel.action(PRTPREV::TBAREXIT)->trigger();
        keep(path);
        file = path;
    });
}

void PrintoutFixture::waitFor(const std::string& file) {
    for (int waited = 0; file.empty() && waited < kPreviewWaitMs; waited += 5) QTest::qWait(5);
    ui.settle();
}

std::string PrintoutFixture::printToPdf(const std::string& name,
                                        const std::function<void()>& start) {
    std::string file;
    savePreview(name, file);
    start();
    waitFor(file);
    return file;
}

std::string PrintoutFixture::textOf(const std::string& file) {
    return file.empty() ? std::string() : pdfText(file);
}

int PrintoutFixture::occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
}

}  // namespace bb::test
