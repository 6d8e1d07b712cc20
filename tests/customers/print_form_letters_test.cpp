// Form letters from Select N Sort to their PDF: one letter a page to each
// selected customer (once, however many of its groups are marked), greeted
// by first name or as a company; then the matching labels for the same
// customers without asking the selection again, or nothing more on No.
#include <gtest/gtest.h>

#include "pdf_reading.h"
#include "printout_fixture.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr char kBody[] =
    "We have reviewed every account against the objectives you gave us. Please call if your "
    "circumstances have changed, so that your profile stays current.";

class PrintFormLettersTest : public PrintoutFixture {
protected:
    PrintFormLettersTest() {
        addLetter("Annual Review", kBody);
        addLetter("Welcome", "Welcome aboard.");
        const int john = add({.last = "Smith", .first = "John", .middle = "Q"});
        const int acme = add({.last = "Acme Holdings", .company = true});
        const int left = add({.last = "Leftout"});
        addMembership(john, "Golf");
        addMembership(john, "Chess");
        addMembership(left, "Yacht");
        addMembership(acme, "Golf");
        select("(CMBRS:Committee='Chess' OR CMBRS:Committee='Golf')", "MBR:CompanyName",
               "(CMBRS:Committee='Chess' OR CMBRS:Committee='Golf'");
        addStock({"Three across", "8.5", "11", "2.5", "1", "0.5", "0.25", 10});
    }

    std::string printLetters(const std::string& name) {
        printSelection();
        chooseRow("Form Letters", "Letters", "Annual Review");
        return printToPdf(name, [] { procedures().call("PrintFormLetters"); });
    }
};

TEST_F(PrintFormLettersTest, EachSelectedCustomerGetsOneLetterAndNoEndsThePrinting) {
    ui.messages.answer(ButtonNo);
    const std::string file = printLetters("form letters");
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(pdfInfo(file, "Pages"), "2");
    const std::string acme = pdfText(file, 1, 1);
    const std::string john = pdfText(file, 2, 2);
    EXPECT_NE(at(acme, "Acme Holdings"), std::string::npos) << acme;
    EXPECT_NE(at(acme, "Dear Folks:"), std::string::npos) << acme;
    EXPECT_NE(at(john, "John Q. Smith"), std::string::npos) << john;
    EXPECT_NE(at(john, "Dear John:"), std::string::npos) << john;
    for (const std::string& page : {acme, john}) {
        EXPECT_NE(at(page, "March 5, 2026"), std::string::npos);
        EXPECT_NE(at(page, "1 Main Street"), std::string::npos);
        EXPECT_NE(at(page, "Subject: Annual Review"), std::string::npos);
        EXPECT_NE(at(page, "profile stays current."), std::string::npos);
    }
    EXPECT_EQ(at(textOf(file), "Leftout"), std::string::npos);
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.last().title, "Matching Labels");
    EXPECT_EQ(ui.messages.last().text, "    Print a matching set of labels?");
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

TEST_F(PrintFormLettersTest, YesPrintsTheLabelsForTheSameCustomersWithoutAskingAgain) {
    std::string letters;
    std::string labels;
    printSelection();
    chooseRow("Form Letters", "Letters", "Annual Review");
    savePreview("letters before labels", letters);
    ui.messages.answer(ButtonYes);
    // No Select N Sort again: the stock list, then the labels' preview.
    chooseRow("Mailing Labels", "Labels", "Three across");
    savePreview("labels after letters", labels);
    procedures().call("PrintFormLetters");
    waitFor(labels);
    ASSERT_FALSE(letters.empty());
    ASSERT_FALSE(labels.empty());
    const std::string text = textOf(labels);
    EXPECT_EQ(occurrences(text, "Acme Holdings"), 1) << text;
    EXPECT_EQ(occurrences(text, "John Q. Smith"), 1) << text;
    EXPECT_EQ(at(text, "Leftout"), std::string::npos);
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

TEST_F(PrintFormLettersTest, NoLetterChosenPrintsNothing) {
    printSelection();
    ui.when("Form Letters", [](DrivenWindow& list) { list.press("Close"); });
    procedures().call("PrintFormLetters");
    ui.settle();
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

}  // namespace
}  // namespace bb::test
