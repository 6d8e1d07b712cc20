// The report manager with its progress window, run as a report procedure
// runs it: the preview at the report's zoom and Print, an empty range,
// Cancel, a failing record or page queue, the deferred window with its wait
// cursor, and printing without a preview.
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

#include "dictionary/process_values.h"
#include "pdf_reading.h"
#include "qt_application.h"
#include "report_data.h"
#include "reporting/report_manager.h"
#include "ui/frame_services.h"
#include "window_driving.h"

namespace bb::test {
namespace {

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

class Reports : public ReportData {
protected:
    // One report run, set up as a report procedure sets it up, on a clock
    // the test moves.
    struct Run {
        explicit Run(Reports& t, bool withPreview = true)
            : manager("Progress... Customer List", [&t] { return t.now; }) {
            process.Setup({FileId::Members, {}}, t.relations(FileId::Members),
                          manager.ProgressControl(), 0, &manager.PERCENT);
            process.DefineSortOrder(MBR::key::MEMBERKEY);
            manager.ERRORS = &t.errors_;
            preview.INIMGR = &t.settings_;
            preview.ALLOWUSERZOOM = true;
            manager.Setup(process, &process.report, withPreview ? &preview : nullptr);
            t.relations(FileId::Members).SetReadAhead(true, RelationManager::ThisFileOnly);
        }
        ReportManager manager;
        CustomerList process;
        PrintPreviewer preview;
    };

    Reports() { settings_.Setup((folder_.path() / "tallo2.INI").string()); }

    void addCustomers(int count) {
        addMembers(count, [](int i) {
            MBR::MEMBERNUMBER.set(i + 1);
            MBR::COMPANYNAME.set("Company " + std::to_string(i + 1));
        });
    }

    std::string printed() const { return (folder_.path() / "printed.pdf").string(); }

    std::int64_t now = 0;  // hundredths of a second
    ScriptedOutput output_;
    IniManager settings_;
};

TEST_F(Reports, ACompletedReportIsPreviewedAtItsZoomAndPrintedWhenChosen) {
    addCustomers(150);
    for (const bool keepVisible : {false, true}) {
        Run run(*this);
        run.manager.ZOOM = 75;
        run.manager.KEEPVISIBLE = keepVisible;
        run.manager.DEFEROPENREPORT = keepVisible;  // opened on the first timer event instead
        std::string pagesFolder;
        int pages = 0;
        whenShown("PreviewWindow", [&](QWidget& window) {
            auto& w = static_cast<PreviewWindow&>(window);
            pages = run.manager.PREVIEWQUEUE->Count();
            EXPECT_EQ(w.zoomZone->text().toStdString(), "Zoom: 75%");
            EXPECT_EQ(w.pageZone->text().toStdString(), "Page 1 of " + std::to_string(pages));
            EXPECT_EQ(run.manager.Window().isVisible(), keepVisible);
            pagesFolder = run.manager.PREVIEWQUEUE->Folder();
            if (!keepVisible) {
                w.resize(1000, 800);
                screenshot(w, "report-preview-75");
                w.action(kZoomMenuBase + 5)->trigger();
                screenshot(w, "report-preview-100");
                w.action(kZoomMenuBase + 1)->trigger();
                screenshot(w, "report-preview-tiles");
            }
            output_.printTo = printed();
            w.action(PRTPREV::TBARPRINT)->trigger();
        });
        EXPECT_EQ(run.manager.Run(), ResponseCompleted);
        EXPECT_EQ(run.manager.Window().progressText->text().toStdString(), "100% Complete");
        EXPECT_EQ(run.manager.Window().bar->value(), 100);
        EXPECT_EQ(run.process.RECORDSPROCESSED, 150);
        EXPECT_FALSE(pagesFolder.empty());
        EXPECT_FALSE(std::filesystem::exists(pagesFolder)) << "the pages are gone";
        const std::string text = pdfText(printed());
        EXPECT_NE(text.find("Company 150"), std::string::npos);
        EXPECT_GT(pages, 2);
        EXPECT_NE(text.find("Page " + std::to_string(pages)), std::string::npos);
        EXPECT_TRUE(messages_.shown.empty());
    }
}

TEST_F(Reports, AnEmptyRangeIsToldAndNothingIsPreviewed) {
    Run run(*this);
    const ShownWatch preview("PreviewWindow");
    EXPECT_EQ(run.manager.Run(), ResponseCancelled);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.last().title, "No Records");
    EXPECT_EQ(messages_.last().text, "There are no records available to process.");
    EXPECT_FALSE(preview.seen());
    EXPECT_EQ(output_.printersAsked, 0);
}

TEST_F(Reports, CancelStopsTheReportWithoutAPreview) {
    addCustomers(100);
    Run run(*this);
    run.process.onRecord = [&] {
        now += 60;  // a slow printer driver: one record or two an event
        if (run.process.RECORDSPROCESSED == 3) {
            screenshot(run.manager.Window(), "progress-window");
            QTimer::singleShot(0, run.manager.Window().cancel, &QPushButton::click);
        }
        return RecordResult::GoOn;
    };
    const ShownWatch preview("PreviewWindow");
    EXPECT_EQ(run.manager.Run(), ResponseCancelled);
    EXPECT_LT(run.process.RECORDSPROCESSED, 10);
    EXPECT_FALSE(preview.seen());
    EXPECT_EQ(output_.printersAsked, 0);
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
        messages_.clear();
        Run run(*this);
        run.process.onRecord = [&] {
            if (run.process.RECORDSPROCESSED != 200) return RecordResult::GoOn;
            if (!c.pagesVanish) return RecordResult::Fatal;
            std::filesystem::remove_all(run.manager.PREVIEWQUEUE->Folder());
            return RecordResult::GoOn;
        };
        const ShownWatch preview("PreviewWindow");
        EXPECT_EQ(run.manager.Run(), ResponseCancelled) << c.what;
        EXPECT_FALSE(preview.seen()) << c.what;
        ASSERT_EQ(messages_.shown.size(), c.messages) << c.what;
        if (c.messages) {
            EXPECT_EQ(messages_.last().title, "Report Error");
            EXPECT_NE(messages_.last().text.find("could not be written"), std::string::npos);
        }
    }
}

TEST_F(Reports, ADeferredWindowStaysHiddenUnderTheWaitCursorForItsSeconds) {
    addCustomers(20);
    Run run(*this);
    run.manager.DEFERWINDOW = 2;
    run.manager.WAITCURSOR = true;
    std::vector<std::pair<std::int64_t, bool>> seen;  // when, and whether shown
    run.process.onRecord = [&] {
        seen.emplace_back(now, run.manager.Window().isVisible());
        now += 60;
        return RecordResult::GoOn;
    };
    whenShown("PreviewWindow", [](QWidget& w) { w.close(); });
    EXPECT_EQ(run.manager.Run(), ResponseCompleted);
    ASSERT_GT(seen.size(), 5u);
    bool shownYet = false;
    for (const auto& [when, shown] : seen) {
        if (shown) shownYet = true;
        EXPECT_EQ(shown, shownYet) << "once shown it stays";
        if (when <= 200) {
            EXPECT_FALSE(shown) << "at " << when;
        }
    }
    EXPECT_TRUE(shownYet);
    ASSERT_GE(messages_.busyCalls.size(), 2u);
    EXPECT_TRUE(messages_.busyCalls[0]);
    EXPECT_FALSE(messages_.busyCalls[1]) << "the wait cursor goes with the window's hiding";
}

// A frame that holds its child windows in sub-windows, as the main frame does.
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

TEST_F(Reports, InsideTheFrameTheProgressWindowsSubWindowHidesAndClosesWithIt) {
    addCustomers(20);
    MdiFrame frame;
    {
        Run run(*this, false);
        output_.printTo = printed();
        bool heldVisible = false;
        run.process.onRecord = [&] {
            const QList<QMdiSubWindow*> held = frame.area.subWindowList();
            heldVisible = held.size() == 1 && held[0]->isVisible() &&
                          held[0]->widget() == &run.manager.Window();
            return RecordResult::GoOn;
        };
        EXPECT_EQ(run.manager.Run(), ResponseCompleted);
        EXPECT_TRUE(heldVisible);
        ASSERT_EQ(frame.area.subWindowList().size(), 1);
        EXPECT_FALSE(frame.area.subWindowList()[0]->isVisible()) << "no empty sub-window is left";
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.area.subWindowList().isEmpty());
}

TEST_F(Reports, WithoutAPreviewThePagesGoToThePrinterChosen) {
    addCustomers(30);
    for (const bool withPreview : {true, false}) {
        Run run(*this, withPreview);
        run.manager.SKIPPREVIEW = withPreview;
        output_.printTo = printed();
        output_.printersAsked = 0;
        const ShownWatch preview("PreviewWindow");
        EXPECT_EQ(run.manager.Run(), ResponseCompleted);
        EXPECT_FALSE(preview.seen());
        EXPECT_EQ(output_.printersAsked, 1);
        EXPECT_NE(pdfText(printed()).find("Company 30"), std::string::npos);
        std::filesystem::remove(printed());
    }
}

}  // namespace
}  // namespace bb::test
