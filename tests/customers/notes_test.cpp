// A customer's notes and the representative's follow-ups, driven as a user
// would: the note form's defaults, its radios and its checks on OK, the
// summary and month code saved with a note, the customer's notes list, the
// suspense dates of a range (both ends included) and the annual events of a
// month with their empty-list message, and the three printouts read back
// from their PDFs.
#include "customers/notes.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QTest>
#include <regex>

#include "customer_fixture.h"
#include "customers/note_texts.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "pdf_reading.h"
#include "platform/date.h"
#include "reporting/print_previewer.h"
#include "reports/report_requests.h"
#include "ui/procedures.h"
#include "window_driving.h"

namespace bb::test {
namespace {

constexpr char kForm[] = "Update Customer Notes";
constexpr char kNotes[] = "Customer Notes";
constexpr char kSuspense[] = "Customer Suspense Dates";
constexpr char kAnnual[] = "Customer Annual Events";
constexpr char kRange[] = "Range of Dates for Report";

DayNumber day(int month, int d) {
    return *dayNumber(2026, month, d);
}

TEST(NoteTextsTest, TheSummaryIsTheFirstFiftyCharactersOnOneLine) {
    const std::string fifty(50, 'x');
    const struct {
        std::string notes;
        std::string summary;
    } cases[] = {
        {"Call back", "Call back ..."},
        {fifty + "tail", fifty + " ..."},
        {std::string(45, 'y') + "     z", std::string(45, 'y') + " ..."},
        {"Line one\nline two", "Line one line two ..."},
        {"   ", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(noteSummary(c.notes), c.summary) << c.notes;
}

TEST(NoteTextsTest, EachKindHasItsTypeDateAndKindLine) {
    buffer(FileId::Log).clear();
    LOG::DATE.set(day(1, 2));
    LOG::DATE2.set(day(4, 1));
    LOG::MONTHTEXT.set("March");
    const struct {
        const char* kind;
        int day;
        const char* type;
        const char* when;
        const char* line;
    } cases[] = {
        {"R", 5, "Routine", "", "Routine Note - January 2, 2026"},
        {"S", 5, "Suspense", "April 1, 2026", "Suspense Date - April 1, 2026"},
        {"A", 22, "Annual", "March 22nd", "Annual Event - March 22nd"},
        {"A", 11, "Annual", "March 11th", "Annual Event - March 11th"},
        {"A", 31, "Annual", "March 31st", "Annual Event - March 31st"},
    };
    for (const auto& c : cases) {
        LOG::SUSPEND.set(c.kind);
        ASSERT_TRUE(LOG::DAYOFMONTH.set(Decimal(c.day)));
        EXPECT_EQ(noteKindText(), c.type);
        EXPECT_EQ(noteWhenText(), c.when);
        EXPECT_EQ(noteKindLine(), c.line);
    }
}

class NotesTest : public CustomerFixture {
protected:
    NotesTest() {
        registerReportRequests(procedures());
        Clock::fix(day(3, 5));
    }
    ~NotesTest() override { Clock::release(); }

    struct Note {
        int member;
        const char* kind;
        DayNumber date;
        DayNumber suspense = kNoDate;
        int month = 1;
        int day = 1;
        std::string subject = "Review";
        std::string notes = "";
        int representative = 0;  // 0: the customer's
    };

    // Adds `note` straight to the file; its number.
    int addNote(const Note& note) {
        FileManager& log = *fileManagerFor(FileId::Log);
        EXPECT_EQ(log.PrimeNewRecord(), SeverityNone);
        LOG::MEMBERNUMBER.set(note.member);
        LOG::REPRESENTATIVENUMBER.set(note.representative ? note.representative : ann_);
        LOG::SUSPEND.set(note.kind);
        LOG::DATE.set(note.date);
        LOG::DATE2.set(note.suspense);
        LOG::MONTHTEXT.set(monthName(note.month));
        EXPECT_TRUE(LOG::MONTHCODE.set(Decimal(note.month)));
        EXPECT_TRUE(LOG::DAYOFMONTH.set(Decimal(note.day)));
        LOG::SUBJECT.set(note.subject);
        LOG::NOTES.set(note.notes);
        LOG::NOTESTRING.set(noteSummary(note.notes));
        EXPECT_EQ(log.Insert(), SeverityNone);
        return LOG::LOGNUMBER.get();
    }

    static void readNote(int number) {
        buffer(FileId::Log).clear();
        LOG::LOGNUMBER.set(number);
        ASSERT_EQ(fileManagerFor(FileId::Log)->Fetch(LOG::key::LOGNUMBERKEY), SeverityNone);
    }

    // The note form for a new note of customer `member`, as the list calls it.
    int callNewNote(int member) {
        readCustomer(member);
        EXPECT_EQ(fileManagerFor(FileId::Log)->PrimeNewRecord(), SeverityNone);
        LOG::MEMBERNUMBER.set(member);
        return procedures().call("UpdateLOG", InsertRequest);
    }

    static void readRepresentative(int number) {
        buffer(FileId::Representatives).clear();
        REP::REPRESENTATIVENUMBER.set(number);
        ASSERT_EQ(fileManagerFor(FileId::Representatives)->Fetch(REP::key::REPRESENTATIVENUMBERKEY),
                  SeverityNone);
    }

    // Saves the report that `press` starts as a PDF from its preview, and
    // returns the PDF's text once the report has gone.
    std::string printToPdf(const std::string& name, const std::function<void()>& press) {
        const std::string file = (folder_.path() / (name + ".pdf")).string();
        bool previewed = false;
        ui.when("Print Preview", [&](DrivenWindow& preview) {
            PreviewPanel& panel = *static_cast<PrintPreviewer&>(preview.manager()).Panel();
            output_.saveAs = file;
            panel.action(PRTPREV::TBARSAVEPDF)->trigger();
            preview.screenshot(name + " preview");
            panel.action(PRTPREV::TBAREXIT)->trigger();
            previewed = true;
        });
        press();
        for (int waited = 0; !previewed && waited < 20000; waited += 5) QTest::qWait(5);
        EXPECT_TRUE(previewed) << "no preview of " << name;
        ui.settle();
        keep(file);
        return pdfText(file);
    }

    // A copy of the PDF to look at, when pictures are asked for.
    static void keep(const std::string& file) {
        const QString folder = qEnvironmentVariable("BROKERBOOK_SCREENSHOTS");
        if (folder.isEmpty()) return;
        const QString name = QString::fromStdString(file).section('/', -1);
        QFile::remove(folder + "/" + name);
        QFile::copy(QString::fromStdString(file), folder + "/" + name);
    }

    static bool has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    // The representative line of the footer; the reader lays its two blanks
    // out as wide as it measures them.
    static bool hasRepresentative(const std::string& text) {
        return std::regex_search(text, std::regex("101 +Ann Adams"));
    }

    ScriptedOutput output_;
};

TEST_F(NotesTest, ANewNoteIsRoutineAndTheEntryTypeEnablesItsFieldsAtOnce) {
    const int smith = addCustomer();
    ui.when(kForm, [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        EXPECT_EQ(form.shown("Customer"), "John Smith");
        EXPECT_EQ(form.shown("Representative"), "101  Ann Adams");
        EXPECT_EQ(form.shown("Date"), "03/05/2026");
        EXPECT_EQ(form.shown("Entry Type"), "Routine Notes");
        EXPECT_EQ(form.shown("Follow-up Date"), "04/04/2026");
        EXPECT_EQ(form.shown("Event Month"), "March");
        EXPECT_EQ(form.shown("Event Day"), "5");
        form.screenshot("update customer notes");
        const struct {
            const char* radio;
            bool suspense;
            bool event;
        } steps[] = {{"Suspense Date", true, false},
                     {"Annual Event", false, true},
                     {"Routine Notes", false, false}};
        EXPECT_FALSE(form.enabled("Follow-up Date"));
        for (const auto& step : steps) {
            SCOPED_TRACE(step.radio);
            form.choose(step.radio);
            EXPECT_EQ(form.enabled("Follow-up Date"), step.suspense);
            EXPECT_EQ(form.enabled("Event Month"), step.event);
            EXPECT_EQ(form.enabled("Event Day"), step.event);
            if (step.event) form.screenshot("update customer notes annual event");
        }
        form.type("Subject", "Portfolio review");
        form.showTab("Note Pad");
        form.screenshot("update customer notes note pad");
        form.press("OK");
    });
    EXPECT_EQ(callNewNote(smith), ResponseCompleted);
    EXPECT_TRUE(ui.messages.shown.empty());
    readNote(LOG::LOGNUMBER.get());
    EXPECT_EQ(LOG::MEMBERNUMBER.get(), smith);
    EXPECT_EQ(LOG::REPRESENTATIVENUMBER.get(), ann_);
    EXPECT_EQ(LOG::SUSPEND.get(), "R");
    EXPECT_EQ(LOG::DATE.get(), day(3, 5));
    // The month was never touched, and a routine note carries its code too.
    EXPECT_EQ(LOG::MONTHCODE.get(), Decimal(3));
    EXPECT_EQ(LOG::NOTESTRING.get(), "");
}

TEST_F(NotesTest, EachCheckOnOkHasItsMessageAndFocusAndTheNoteStaysOpen) {
    const int smith = addCustomer();
    const struct {
        const char* name;
        std::function<void(DrivenWindow&)> fill;
        const char* title;
        const char* text;
        const char* focus;
    } cases[] = {
        {"no subject", [](DrivenWindow&) {}, "Subject Required",
         "     Enter a subject for this note.", "Subject"},
        {"no date",
         [](DrivenWindow& f) {
             f.type("Subject", "Call");
             f.type("Date", "");
         },
         "Date Required", "     Enter the date of this note.", "Date"},
        {"no suspense date",
         [](DrivenWindow& f) {
             f.type("Subject", "Call");
             f.choose("Suspense Date");
             f.type("Follow-up Date", "");
         },
         "Date Required", "     Enter the suspense date for this note.", "Follow-up Date"},
        {"no month",
         [](DrivenWindow& f) {
             f.type("Subject", "Birthday");
             f.choose("Annual Event");
             f.focus("Event Month");
             static_cast<QComboBox*>(f.find("Event Month"))->setCurrentIndex(-1);
         },
         "Month Required", "     Enter the month for this annual event.", "Event Month"},
        {"day 0",
         [](DrivenWindow& f) {
             f.type("Subject", "Birthday");
             f.choose("Annual Event");
             f.type("Event Day", "0");
         },
         "Date Required", "     Enter the date of this annual event.", "Event Day"},
        {"day 32",
         [](DrivenWindow& f) {
             f.type("Subject", "Birthday");
             f.choose("Annual Event");
             f.type("Event Day", "32");
         },
         "Range Error", "The value of LOG:DayofMonth must be between 1 and 31.", "Event Day"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        ui.when(kForm, [&](DrivenWindow& form) {
            c.fill(form);
            ui.messages.clear();
            form.press("OK");
            ASSERT_FALSE(ui.messages.shown.empty());
            EXPECT_EQ(ui.messages.last().title, c.title);
            EXPECT_EQ(ui.messages.last().text, c.text);
            EXPECT_EQ(form.focused(), c.focus);
            EXPECT_FALSE(form.manager().Closed());
            cancel(form);
        });
        EXPECT_EQ(callNewNote(smith), ResponseCancelled);
    }
    EXPECT_EQ(count(FileId::Log), 0);
}

TEST_F(NotesTest, AnAnnualEventIsSavedWithItsMonthCodeAndSummary) {
    const int smith = addCustomer();
    const std::string text =
        "Anniversary of the account opening; send a card and review the "
        "objectives. Call the week before.";
    ui.when(kForm, [&](DrivenWindow& form) {
        form.type("Subject", "Anniversary");
        form.choose("Annual Event");
        form.pick("Event Month", "December");
        form.type("Event Day", "22");
        form.showTab("Note Pad");
        form.type("Note Text", text);
        form.press("OK");
    });
    EXPECT_EQ(callNewNote(smith), ResponseCompleted);
    readNote(LOG::LOGNUMBER.get());
    EXPECT_EQ(LOG::SUSPEND.get(), "A");
    EXPECT_EQ(LOG::MONTHTEXT.get(), "December");
    EXPECT_EQ(LOG::MONTHCODE.get(), Decimal(12));
    EXPECT_EQ(LOG::DAYOFMONTH.get(), Decimal(22));
    EXPECT_EQ(LOG::NOTESTRING.get(), text.substr(0, 50) + " ...");
    EXPECT_EQ(LOG::NOTES.get(), text);
}

TEST_F(NotesTest, TheCustomersNotesListShowsItsNotesNewestFirstAndAddsToThem) {
    const int smith = addCustomer();
    const int jones = addCustomer("Jones", "Mary");
    addNote({smith, "R", day(1, 2), kNoDate, 1, 2, "First call", "Met at the office"});
    addNote({smith, "S", day(2, 1), day(4, 1), 2, 1, "Follow up", "Send the prospectus"});
    addNote({smith, "A", day(3, 1), kNoDate, 3, 22, "Birthday", "Card"});
    addNote({jones, "R", day(3, 3), kNoDate, 3, 3, "Not Smith's"});
    readCustomer(smith);
    ui.when(kNotes, [&](DrivenWindow& list) {
        EXPECT_EQ(list.shown("Customer"), "John Smith");
        EXPECT_EQ(list.rows("Notes", 0),
                  (std::vector<std::string>{"03/01/2026", "02/01/2026", "01/02/2026"}));
        EXPECT_EQ(list.rows("Notes", 1),
                  (std::vector<std::string>{"Annual", "Suspense", "Routine"}));
        EXPECT_EQ(list.rows("Notes", 2),
                  (std::vector<std::string>{"March 22nd", "April 1, 2026", ""}));
        EXPECT_EQ(list.shown("Summary"), "Card ...");
        EXPECT_EQ(list.shown("Representative"), "101  Ann Adams");
        list.screenshot("customer notes");
        list.clickRow("Notes", 1);
        EXPECT_EQ(list.shown("Summary"), "Send the prospectus ...");
        EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseLOG");
        ui.when(kForm, [](DrivenWindow& form) {
            form.type("Subject", "Newest");
            form.type("Date", "03/04/2026");
            form.press("OK");
        });
        list.press("Insert");
        EXPECT_EQ(list.rows("Notes", 3).front(), "Newest");
        EXPECT_EQ(list.rows("Notes").size(), 4U);
        list.press("Close");
    });
    procedures().call("BrowseLOG", ProcessRequest);
    readNote(5);
    EXPECT_EQ(LOG::MEMBERNUMBER.get(), smith);
}

TEST_F(NotesTest, TheCustomerListsNotesButtonOpensTheHighlightedCustomersNotes) {
    const int smith = addCustomer();
    addNote({smith, "R", day(1, 2), kNoDate, 1, 2, "First call"});
    // Notes are kept for active customers only.
    readCustomer(smith);
    MBR::ACTIVE.set(1);
    ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    DrivenWindow customers = startList();
    ui.when(kNotes, [](DrivenWindow& list) {
        EXPECT_EQ(list.rows("Notes", 3), std::vector<std::string>{"First call"});
        list.press("Close");
    });
    customers.press("Notes");
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(NotesTest, TheSuspenseDatesOfARangeIncludeBothEndsAndPrintAsTheListShows) {
    const int smith = addCustomer();
    const int jones = addCustomer("Jones", "Mary");
    addNote({smith, "S", day(1, 5), day(3, 5), 1, 5, "On the start", "Call about the bond fund."});
    addNote({jones, "S", day(1, 6), day(4, 4), 1, 6, "On the end", "Rebalance."});
    addNote({smith, "S", day(1, 7), day(3, 4), 1, 7, "Day before"});
    addNote({smith, "S", day(1, 8), day(4, 5), 1, 8, "Day after"});
    addNote({smith, "R", day(3, 10), day(3, 20), 3, 10, "Routine in range"});
    addNote({smith, "S", day(1, 9), day(3, 20), 1, 9, "Bob's", "", bob_});
    readRepresentative(ann_);
    ui.when(kRange, [](DrivenWindow& range) {
        EXPECT_EQ(range.shown("Start Date"), "03/05/2026");
        EXPECT_EQ(range.shown("End Date"), "04/04/2026");
        range.press("OK");
    });
    procedures().call("BrowseSuspenseDates");
    ui.settle();
    DrivenWindow list = ui.window(kSuspense);
    EXPECT_EQ(list.rows("Notes", 0), (std::vector<std::string>{"03/05/2026", "04/04/2026"}));
    EXPECT_EQ(list.rows("Notes", 1), (std::vector<std::string>{"John Smith", "Mary Jones"}));
    EXPECT_EQ(list.shown("Representative"), "101  Ann Adams");
    EXPECT_EQ(list.shown("Summary"), "Call about the bond fund. ...");
    list.screenshot("customer suspense dates");
    const std::string text = printToPdf("suspense dates", [&] { list.press("Print"); });
    for (const char* part :
         {"Suspense Dates", "03/05/2026 through 04/04/2026", "Name/Date/Subject/Text", "John Smith",
          "Suspense Date - March 5, 2026", "Subject:", "On the start", "Call about the bond fund.",
          "Mary Jones", "Suspense Date - April 4, 2026", "Page 1", "March 5, 2026"})
        EXPECT_TRUE(has(text, part)) << part << " in\n" << text;
    EXPECT_TRUE(hasRepresentative(text)) << text;
    for (const char* part : {"Day before", "Day after", "Routine in range", "Bob's"})
        EXPECT_FALSE(has(text, part)) << part;
    EXPECT_LT(text.find("Suspense Dates"), text.find("John Smith"));
    EXPECT_LT(text.find("John Smith"), text.find("Suspense Date - March 5, 2026"));
    EXPECT_LT(text.find("On the start"), text.find("Call about the bond fund."));
    EXPECT_LT(text.find("Rebalance."), text.find("Page 1"));
    list.press("Close");
}

TEST_F(NotesTest, AListWithNothingToShowIsToldAndCloses) {
    const int smith = addCustomer();
    addNote({smith, "S", day(1, 5), day(6, 1), 1, 5, "Out of range"});
    addNote({smith, "A", day(1, 5), kNoDate, 7, 4, "Another month"});
    readRepresentative(ann_);
    const struct {
        const char* procedure;
        const char* request;
        const char* caption;
    } cases[] = {{"BrowseSuspenseDates", kRange, kSuspense},
                 {"BrowseAnnualEvents", "Report Month", kAnnual}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.procedure);
        ui.messages.clear();
        ui.when(c.request, [](DrivenWindow& request) { request.press("OK"); });
        procedures().call(c.procedure);
        ui.settle();
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Representative/Date Selection");
        EXPECT_EQ(ui.messages.last().text,
                  "There are no records to display for this Representative");
        EXPECT_TRUE(startedWindows().empty());

        // Cancelled, the request opens no list at all.
        ui.messages.clear();
        ui.when(c.request, [](DrivenWindow& request) { request.press("Cancel"); });
        procedures().call(c.procedure);
        ui.settle();
        EXPECT_TRUE(ui.messages.shown.empty());
        EXPECT_TRUE(startedWindows().empty());
    }
}

TEST_F(NotesTest, TheAnnualEventsOfAMonthListInDayOrderAndPrint) {
    const int smith = addCustomer();
    const int jones = addCustomer("Jones", "Mary");
    addNote({smith, "A", day(1, 5), kNoDate, 3, 22, "Birthday", "Send a card."});
    addNote({jones, "A", day(1, 5), kNoDate, 3, 1, "Anniversary"});
    addNote({smith, "A", day(1, 5), kNoDate, 3, 11, "Account opened"});
    addNote({smith, "A", day(1, 5), kNoDate, 4, 2, "April's"});
    addNote({smith, "S", day(1, 5), day(3, 9), 3, 9, "Suspense in March"});
    addNote({smith, "A", day(1, 5), kNoDate, 3, 12, "Bob's", "", bob_});
    readRepresentative(ann_);
    ui.when("Report Month", [](DrivenWindow& month) {
        EXPECT_EQ(month.shown("Report Month"), "March");
        month.press("OK");
    });
    procedures().call("BrowseAnnualEvents");
    ui.settle();
    DrivenWindow list = ui.window(kAnnual);
    EXPECT_EQ(list.rows("Notes", 0),
              (std::vector<std::string>{"March 1st", "March 11th", "March 22nd"}));
    EXPECT_EQ(list.rows("Notes", 1),
              (std::vector<std::string>{"Mary Jones", "John Smith", "John Smith"}));
    list.screenshot("customer annual events");
    const std::string text = printToPdf("annual events", [&] { list.press("Print"); });
    for (const char* part :
         {"Annual Events", "Month of March", "Name/Date/Subject/Text", "Annual Event - March 1st",
          "Annual Event - March 22nd", "Send a card.", "Page 1"})
        EXPECT_TRUE(has(text, part)) << part << " in\n" << text;
    EXPECT_TRUE(hasRepresentative(text)) << text;
    for (const char* part : {"April's", "Suspense in March", "Bob's"})
        EXPECT_FALSE(has(text, part)) << part;
    EXPECT_LT(text.find("March 1st"), text.find("March 11th"));
    EXPECT_LT(text.find("March 11th"), text.find("March 22nd"));
    list.press("Close");
}

TEST_F(NotesTest, TheHighlightedNotePrintsAlone) {
    const int smith = addCustomer();
    addNote({smith, "R", day(1, 2), kNoDate, 1, 2, "First call", "Met at the office."});
    addNote({smith, "S", day(2, 1), day(4, 1), 2, 1, "Follow up", "Send the prospectus."});
    readCustomer(smith);
    std::string text;
    ui.when(kNotes, [&](DrivenWindow& list) {
        list.clickRow("Notes", 1);
        text = printToPdf("customer notes", [&] { list.press("Print"); });
        list.press("Close");
    });
    procedures().call("BrowseLOG", ProcessRequest);
    for (const char* part :
         {"Customer Notes", "John Smith", "Routine Note - January 2, 2026",
          "Subject:", "First call", "Met at the office.", "Page 1", "March 5, 2026"})
        EXPECT_TRUE(has(text, part)) << part << " in\n" << text;
    EXPECT_TRUE(hasRepresentative(text)) << text;
    EXPECT_FALSE(has(text, "Follow up"));
    EXPECT_FALSE(has(text, "Name/Date/Subject/Text"));
}

}  // namespace
}  // namespace bb::test
