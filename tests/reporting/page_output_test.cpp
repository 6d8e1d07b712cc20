// Pages out of the program: a PDF with real text on the report's paper, the
// printer's page range, failures that keep what was there, and the file
// name offered for a report.
#include <gtest/gtest.h>

#include <QPrinter>

#include <filesystem>
#include <fstream>

#include "pdf_reading.h"
#include "qt_application.h"
#include "reporting/page_output.h"
#include "temp_folder.h"

namespace bb::test {
namespace {

class PageOutput : public ::testing::Test {
protected:
    PageOutput() { ensureApplication(); }

    // Pages that each say which they are, on paper of the given size.
    void makePages(int count, Mils width = kLetterWidth, Mils height = kLetterHeight) {
        pages_.setup = {
            "Trade List", width, height, {ReportFont{}, ReportFont{"DejaVu Serif", 14, true}}};
        for (int n = 1; n <= count; ++n) {
            Page p;
            p.ops.push_back(PageText{500, 500, 1, "Trade List"});
            p.ops.push_back(PageRule{500, 800, width - 500, 800, 10});
            p.ops.push_back(PageText{500, 1000, 0, "Sheet number " + std::to_string(n)});
            ASSERT_TRUE(pages_.Add(p)) << pages_.LastError();
        }
    }

    std::string path(const std::string& name) const { return (folder_.path() / name).string(); }

    static std::string contents(const std::string& file) {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TempFolder folder_;
    PageStore pages_;
};

TEST_F(PageOutput, APdfHoldsThePagesAsTextOnTheReportsPaper) {
    struct Case {
        Mils width, height;
        const char* size;
    };
    for (const Case c : {Case{kLetterWidth, kLetterHeight, "612 x 792 pts (letter)"},
                         Case{kLetterHeight, kLetterWidth, "792 x 612 pts (letter)"},
                         Case{4000, 6000, "288 x 432 pts"}}) {
        pages_.Clear();
        makePages(2, c.width, c.height);
        const std::string file = path("out.pdf");
        std::string error;
        ASSERT_TRUE(writePdf(pages_, file, &error)) << error;
        EXPECT_EQ(pdfInfo(file, "Pages"), "2");
        EXPECT_EQ(pdfInfo(file, "Page size"), c.size);
        EXPECT_EQ(pdfInfo(file, "Title"), "Trade List");
        EXPECT_NE(pdfText(file, 2, 2).find("Sheet number 2"), std::string::npos);
    }
}

TEST_F(PageOutput, ThePrinterGetsThePagesOfTheRangeChosen) {
    makePages(4);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string file = path("printed.pdf");
    printer.setOutputFileName(QString::fromStdString(file));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    std::string error;
    ASSERT_TRUE(printPages(pages_, printer, &error)) << error;
    const std::string text = pdfText(file);
    EXPECT_EQ(text.find("Sheet number 1"), std::string::npos);
    EXPECT_NE(text.find("Sheet number 2"), std::string::npos);
    EXPECT_NE(text.find("Sheet number 3"), std::string::npos);
    EXPECT_EQ(text.find("Sheet number 4"), std::string::npos);
    EXPECT_EQ(pdfInfo(file, "Page size"), "612 x 792 pts (letter)");
}

TEST_F(PageOutput, AFailedPdfSaysWhyAndKeepsTheFileThatWasThere) {
    makePages(2);
    std::string error;
    EXPECT_FALSE(writePdf(pages_, path("no such folder/out.pdf"), &error));
    EXPECT_EQ(
        error.rfind("The file " + path("no such folder/out.pdf") + " could not be written", 0), 0u)
        << error;

    const std::string file = path("kept.pdf");
    std::ofstream(file) << "the earlier report";
    std::filesystem::remove_all(pages_.Folder());  // the pages vanished
    EXPECT_FALSE(writePdf(pages_, file, &error));
    EXPECT_NE(error.find("could not be read"), std::string::npos) << error;
    EXPECT_EQ(contents(file), "the earlier report");
}

TEST(PdfFileNames, ComeFromTheTitleAndTheDate) {
    const DayNumber day = *dayNumber(2024, 3, 5);
    struct Case {
        const char* title;
        const char* name;
    };
    for (const Case c : {Case{"Customer Directory", "Customer Directory 2024-03-05.pdf"},
                         Case{"  Name/Address: \"A\"|B?  ", "Name-Address- -A--B- 2024-03-05.pdf"},
                         Case{"", "Report 2024-03-05.pdf"}}) {
        EXPECT_EQ(pdfFileName(c.title, day), c.name) << c.title;
    }
    EXPECT_EQ(pdfFileName("Labels", kNoDate), "Labels.pdf");
}

}  // namespace
}  // namespace bb::test
