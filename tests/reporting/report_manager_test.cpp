// The report manager with its window, run as a report procedure runs it:
// the preview at the report's zoom and Print, an empty range, Cancel, a
// failing record or page queue, the deferred window with its wait cursor,
// printing without a preview, the help pages of the progress window and
// the preview, and the window inside the frame.
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QTest>

#include <filesystem>

#include "dictionary/process_values.h"
#include "pdf_reading.h"
#include "qt_application.h"
#include "report_data.h"
#include "reporting/report_manager.h"
#include "ui/frame_services.h"
#include "ui/help_topics.h"
#include "window_driving.h"
#include "window_test.h"

namespace bb::test {
namespace {

const WindowDecl kPrintTestCustomers{
    .procedure = "PrintTestCustomers",
    .caption = "Progress... Customer List",
    .files = {FileId::Members},
    .fields = {{.kind = ControlKind::Slot, .name = "Progress"}},
    .buttons = {{.text = "&Cancel", .role = ButtonRole::Cancel}},
};

ReportLayout customerList() {
    ReportLayout r;
    r.title = "Customer List";
    r.pageHeader.add(Item::Text(0, 0, r.bodyWidth(), r.title).center());
    Band detail;
    layColumns({{{"Number", 900, fieldSource(MBR::MEMBERNUMBER), "@n6", Align::Right},
                 {"Company", 3500, fieldSource(MBR::COMPANYNAME), "@s34"}}},
               r.fonts, r.pageHeader, 300, detail);
    r.details.push_back(detail);
    r.pageFooter.add(Item::PageNumber(0, 0, r.bodyWidth()).right());
    return r;
}

// A report procedure's process: each customer printed on the list, after
// what the test wants done at that record.
class CustomerList : public ProcessManager {
public:
    CustomerList() : report(customerList()) {}
    RecordResult ProcessOneRecord() override {
        if (onRecord) {
            if (const RecordResult r = onRecord(); r != RecordResult::GoOn) return r;
        }
        return report.Print() == SeverityNone ? RecordResult::GoOn : RecordResult::Fatal;
    }
    BandReport report;
    std::function<RecordResult()> onRecord;
};

// What a test reads back of a run once the window has gone.
struct Outcome {
    bool done = false;
    int response = 0;
    int processed = 0;
    std::string progress;
    int bar = 0;
};

// The report procedure, set up as the Part says; `configure` sets the
// fields a test varies.
class TestReport : public ReportManager {
public:
    struct Options {
        bool preview = true;
        std::function<void(ReportManager&)> configure{};
        std::function<RecordResult(ReportManager&)> onRecord{};
    };

    TestReport(Outcome& outcome, RecordCycle::Clock clock, IniManager& settings, Options options)
        : ReportManager(kPrintTestCustomers, std::move(clock)),
          outcome_(outcome),
          settings_(settings),
          options_(std::move(options)) {}

    int Setup() override {
        if (const int refused = ReportManager::Setup(); refused != 0) return refused;
        RelationManager& members = *relationManagerFor(FileId::Members);
        process.Setup({FileId::Members, {}}, members, ProgressControl(), 0, &PERCENT);
        process.DefineSortOrder(MBR::key::MEMBERKEY);
        if (options_.onRecord) process.onRecord = [this] { return options_.onRecord(*this); };
        preview.INIMGR = &settings_;
        preview.ALLOWUSERZOOM = true;
        ReportManager::Setup(process, &process.report, options_.preview ? &preview : nullptr);
        members.SetReadAhead(true, RelationManager::ThisFileOnly);
        if (options_.configure) options_.configure(*this);
        return 0;
    }
    int Teardown() override {
        outcome_ = {true, RESPONSE != 0 ? RESPONSE : ResponseCancelled, process.RECORDSPROCESSED,
                    Progress() ? Progress()->progressText->text().toStdString() : "",
                    Progress() ? Progress()->bar->value() : -1};
        return ReportManager::Teardown();
    }

    CustomerList process;
    PrintPreviewer preview;

private:
    Outcome& outcome_;
    IniManager& settings_;
    Options options_;
};

class Reports : public WindowTest {
protected:
    Reports() { settings_.Setup((folder_.path() / "tallo2.INI").string()); }

    void addCustomers(int count) {
        addMembers(count, [](int i) {
            MBR::MEMBERNUMBER.set(i + 1);
            MBR::COMPANYNAME.set("Company " + std::to_string(i + 1));
        });
    }

    // Starts the report as the frame's menu does and waits for its end.
    Outcome start(TestReport::Options options) {
        Outcome outcome;
        startWindow(std::make_unique<TestReport>(
            outcome, [this] { return now; }, settings_, std::move(options)));
        for (int waited = 0; !outcome.done && waited < 30000; waited += 5) QTest::qWait(5);
        EXPECT_TRUE(outcome.done) << "the report never ended";
        ui.settle();
        return outcome;
    }

    std::string printed() const { return (folder_.path() / "printed.pdf").string(); }
    bool opened(const std::string& caption) const {
        const auto& all = ui.opened();
        return std::find(all.begin(), all.end(), caption) != all.end();
    }

    std::int64_t now = 0;  // hundredths of a second
    IniManager settings_;
    ScriptedOutput output_;
};

TEST_F(Reports, ACompletedReportIsPreviewedAtItsZoomAndPrintedWhenChosen) {
    addCustomers(150);
    for (const bool keepVisible : {false, true}) {
        ui.messages.clear();
        int pages = 0;
        std::string pagesFolder;
        TestReport::Options options;
        options.configure = [keepVisible](ReportManager& r) {
            r.ZOOM = 75;
            r.KEEPVISIBLE = keepVisible;
            r.DEFEROPENREPORT = keepVisible;  // opened on the first timer event instead
        };
        options.onRecord = [&](ReportManager& r) {
            pagesFolder = r.PREVIEWQUEUE->Folder();
            return RecordResult::GoOn;
        };
        ui.when("Print Preview", [&](DrivenWindow& w) {
            auto& preview = static_cast<PrintPreviewer&>(w.manager());
            PreviewPanel& p = *preview.Panel();
            pages = preview.IMAGEQUEUE->Count();
            EXPECT_EQ(p.zoomZone->text().toStdString(), "Zoom: 75%");
            EXPECT_EQ(p.pageZone->text().toStdString(), "Page 1 of " + std::to_string(pages));
            const std::vector<WindowManager*> running = startedWindows();
            const bool progressShown = std::any_of(
                running.begin(), running.end(),
                [](WindowManager* m) { return m->Widget() && m->Widget()->isVisible(); });
            EXPECT_EQ(progressShown, keepVisible);
            if (!keepVisible) {
                preview.Widget()->resize(1000, 800);
                screenshot(*preview.Widget(), "report-preview-75");
                p.action(kZoomMenuBase + 5)->trigger();
                ui.settle();
                screenshot(*preview.Widget(), "report-preview-100");
                p.action(kZoomMenuBase + 1)->trigger();
                ui.settle();
                screenshot(*preview.Widget(), "report-preview-tiles");
            }
            output_.printTo = printed();
            p.action(PRTPREV::TBARPRINT)->trigger();
        });
        const Outcome run = start(options);
        EXPECT_EQ(run.response, ResponseCompleted);
        EXPECT_EQ(run.progress, "100% Complete");
        EXPECT_EQ(run.bar, 100);
        EXPECT_EQ(run.processed, 150);
        EXPECT_FALSE(pagesFolder.empty());
        EXPECT_FALSE(std::filesystem::exists(pagesFolder)) << "the pages are gone";
        const std::string text = pdfText(printed());
        EXPECT_GT(pages, 2);
        EXPECT_NE(text.find("Company 150"), std::string::npos);
        EXPECT_NE(text.find("Page " + std::to_string(pages)), std::string::npos);
        EXPECT_TRUE(ui.messages.shown.empty());
    }
}

TEST_F(Reports, AnEmptyRangeIsToldAndNothingIsPreviewed) {
    const Outcome run = start({});
    EXPECT_EQ(run.response, ResponseCancelled);
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.last().title, "No Records");
    EXPECT_EQ(ui.messages.last().text, "There are no records available to process.");
    EXPECT_FALSE(opened("Print Preview"));
    EXPECT_EQ(output_.printersAsked, 0);
}

TEST_F(Reports, CancelStopsTheReportWithoutAPreview) {
    addCustomers(100);
    Outcome outcome;
    TestReport report(outcome, [this] { return now; }, settings_,
                      {.onRecord = [this](ReportManager&) {
                          now += 60;  // a slow printer driver: a record or two an event
                          return RecordResult::GoOn;
                      }});
    ui.when("Progress... Customer List", [&](DrivenWindow& w) {
        for (int i = 0; i < 20 && report.process.RECORDSPROCESSED < 3; ++i) QTest::qWait(5);
        screenshot(*w.manager().Widget(), "progress-window");
        w.press("Cancel");
    });
    EXPECT_EQ(report.Run(), ResponseCancelled);
    EXPECT_GE(outcome.processed, 1);
    EXPECT_LT(outcome.processed, 20);
    EXPECT_FALSE(opened("Print Preview"));
    EXPECT_EQ(output_.printersAsked, 0);
}

// F1 in the progress window: the report's own page when the help has one,
// else the page on reports as they run; the preview has its own.
TEST_F(Reports, HelpInTheProgressWindowIsTheReportsPageElseThePageOnReports) {
    addCustomers(20);
    const std::vector<std::string> progressPages = {"PrintTestCustomers", "ReportProgress"};
    std::vector<std::string> onF1;
    std::vector<std::string> onHelp;
    ui.when("Print Preview", [&](DrivenWindow& w) {
        EXPECT_EQ(helpTopicAt(QApplication::focusWidget()), "PrintPreview");
        w.close();
    });
    start({.onRecord = [&](ReportManager& r) {
        if (r.PROCESS->RECORDSPROCESSED == 1) {
            onF1 = helpTopicChoices(helpTopicAt(QApplication::focusWidget()));
            r.ShowHelp();
            onHelp = helpTopicChoices(ui.helpTopic());
        }
        return RecordResult::GoOn;
    }});
    EXPECT_EQ(onF1, progressPages);
    EXPECT_EQ(onHelp, progressPages);
}

TEST_F(Reports, AFailureStopsTheReportWithoutAPreview) {
    addCustomers(400);
    struct Case {
        const char* what;
        bool pagesVanish;
        std::size_t messages;
    };
    for (const Case c : {Case{"the record handler fails", false, 0},
                         Case{"the page queue cannot be written", true, 1}}) {
        ui.messages.clear();
        const Outcome run = start({.onRecord = [&](ReportManager& r) {
            if (r.PROCESS->RECORDSPROCESSED != 200) return RecordResult::GoOn;
            if (!c.pagesVanish) return RecordResult::Fatal;
            std::filesystem::remove_all(r.PREVIEWQUEUE->Folder());
            return RecordResult::GoOn;
        }});
        EXPECT_EQ(run.response, ResponseCancelled) << c.what;
        ASSERT_EQ(ui.messages.shown.size(), c.messages) << c.what;
        if (c.messages) {
            EXPECT_EQ(ui.messages.last().title, "Report Error");
            EXPECT_NE(ui.messages.last().text.find("could not be written"), std::string::npos);
        }
    }
    EXPECT_FALSE(opened("Print Preview"));
}

TEST_F(Reports, ADeferredWindowStaysHiddenUnderTheWaitCursorForItsSeconds) {
    addCustomers(20);
    struct Seen {
        std::int64_t when;
        bool shown;
        bool busy;  // the wait cursor is up
    };
    std::vector<Seen> seen;
    ui.when("Print Preview", [](DrivenWindow& w) { w.close(); });
    const Outcome run = start({.configure =
                                   [](ReportManager& r) {
                                       r.DEFERWINDOW = 2;
                                       r.WAITCURSOR = true;
                                   },
                               .onRecord =
                                   [&](ReportManager& r) {
                                       const auto& calls = ui.messages.busyCalls;
                                       const auto up = std::count(calls.begin(), calls.end(), true);
                                       seen.push_back({now, r.Widget()->isVisible(),
                                                       2 * up > static_cast<long>(calls.size())});
                                       now += 60;
                                       return RecordResult::GoOn;
                                   }});
    EXPECT_EQ(run.response, ResponseCompleted);
    ASSERT_GT(seen.size(), 5u);
    bool shownYet = false;
    for (const Seen& s : seen) {
        if (s.shown) shownYet = true;
        EXPECT_EQ(s.shown, shownYet) << "once shown it stays";
        EXPECT_EQ(s.busy, !s.shown) << "at " << s.when;
        if (s.when <= 200) {
            EXPECT_FALSE(s.shown) << "at " << s.when;
        }
    }
    EXPECT_TRUE(shownYet);
}

TEST_F(Reports, WithoutAPreviewThePagesGoToThePrinterChosen) {
    addCustomers(30);
    for (const bool withPreview : {true, false}) {
        output_.printTo = printed();
        output_.printersAsked = 0;
        const Outcome run =
            start({.preview = withPreview,
                   .configure = [withPreview](ReportManager& r) { r.SKIPPREVIEW = withPreview; }});
        EXPECT_EQ(run.response, ResponseCompleted);
        EXPECT_EQ(output_.printersAsked, 1);
        EXPECT_NE(pdfText(printed()).find("Company 30"), std::string::npos);
        std::filesystem::remove(printed());
    }
    EXPECT_FALSE(opened("Print Preview"));
}

// A frame that holds its child windows in sub-windows, as the main frame does.
// A form open on one customer while a report reads every customer in its
// time slices: the form's record stays its own, and OK saves only what the
// user typed, over that customer only.
const WindowDecl kUpdateTestCustomer{
    .procedure = "UpdateTestCustomer",
    .caption = "Update Test Customer",
    .primary = FileId::Members,
    .fields = {{.field = MBR::COMPANYNAME, .prompt = "&Company:", .picture = "@s34"}},
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok},
                {.text = "&Cancel", .role = ButtonRole::Cancel}},
};

std::vector<Record> allCustomers() {
    std::vector<Record> all;
    FileManager& members = *fileManagerFor(FileId::Members);
    const int saved = members.SaveCopy();
    members.SetOrder(MBR::key::MEMBERKEY);
    while (members.NextQuietly() == SeverityNone) all.push_back(buffer(FileId::Members));
    members.RestoreCopy(saved, true);
    return all;
}

TEST_F(Reports, AReportLeavesTheRecordOfAnOpenFormAsItWas) {
    addMembers(120, [](int i) {
        MBR::MEMBERNUMBER.set(i + 1);
        MBR::COMPANYNAME.set("Company " + std::to_string(i + 1));
        MBR::CITY.set("City " + std::to_string(i + 1));
    });
    ASSERT_EQ(fileManagerFor(FileId::Members)->Open(), SeverityNone);
    const std::vector<Record> before = allCustomers();
    buffer(FileId::Members).clear();
    MBR::MEMBERNUMBER.set(7);
    ASSERT_EQ(fileManagerFor(FileId::Members)->Fetch(MBR::key::MEMBERKEY), SeverityNone);
    Outcome run;
    ui.when("Update Test Customer", [&](DrivenWindow& form) {
        ui.when("Print Preview", [](DrivenWindow& preview) { preview.close(); });
        run = start({});
        EXPECT_TRUE(ui.messages.shown.empty());
        form.type("Company", "Company 7 Renamed");
        form.press("OK");
    });
    processValues().PendingRequest = ChangeRequest;
    WindowManager form(kUpdateTestCustomer);
    EXPECT_EQ(form.Run(), ResponseCompleted);
    EXPECT_EQ(run.response, ResponseCompleted);
    EXPECT_EQ(run.processed, 120);
    const std::vector<Record> after = allCustomers();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        Record expected = before[i];
        if (i == 6) expected.setText(MBR::field::COMPANYNAME, "Company 7 Renamed");
        EXPECT_TRUE(after[i] == expected) << "customer " << i + 1;
    }
    fileManagerFor(FileId::Members)->Close();
}

// A selection the view cannot take is told (error 40) and ends the report:
// it never goes on to print every record.
TEST_F(Reports, ASelectionTheViewRefusesEndsTheReportUnprinted) {
    addCustomers(30);
    const Outcome run = start(
        {.configure = [](ReportManager& r) { r.PROCESS->DefineFilter("MBR:NoSuchField = 1"); }});
    EXPECT_EQ(run.response, ResponseCancelled);
    EXPECT_EQ(run.processed, 0);
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.last().title, "View Open Error");
    EXPECT_FALSE(opened("Print Preview"));
    EXPECT_EQ(output_.printersAsked, 0);
}

class MdiFrame final : public FrameServices {
public:
    MdiFrame() : previous_(installFrameServices(this)) {
        area.resize(800, 600);
        area.show();
    }
    ~MdiFrame() override { installFrameServices(previous_); }
    void addChildWindow(QWidget& window) override { area.addSubWindow(&window)->show(); }
    void showStatusMessage(std::string_view) override {}
    void showHelp(std::string_view) override {}
    void setToolbarButton(int, bool, std::string_view) override {}
    void openMenu(char, int) override {}
    void activateChildWindow(QWidget&) override {}
    QWidget* activeChildWindow() const override { return nullptr; }
    QMdiArea area;

private:
    FrameServices* previous_;
};

TEST_F(Reports, InsideTheFrameTheReportsSubWindowHidesForThePreviewAndGoesAfter) {
    addCustomers(20);
    MdiFrame frame;
    bool heldWhileRunning = false;
    ui.when("Print Preview", [&](DrivenWindow& w) {
        const QList<QMdiSubWindow*> held = frame.area.subWindowList();
        ASSERT_EQ(held.size(), 1);
        EXPECT_FALSE(held[0]->isVisible()) << "no empty sub-window behind the preview";
        w.close();
    });
    start({.onRecord = [&](ReportManager& r) {
        const QList<QMdiSubWindow*> held = frame.area.subWindowList();
        heldWhileRunning =
            held.size() == 1 && held[0]->isVisible() && held[0]->widget() == r.Widget();
        return RecordResult::GoOn;
    }});
    EXPECT_TRUE(heldWhileRunning);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.area.subWindowList().isEmpty());
}

}  // namespace
}  // namespace bb::test
