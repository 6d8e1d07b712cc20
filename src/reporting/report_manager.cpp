#include "reporting/report_manager.h"

#include "dictionary/process_values.h"
#include "reporting/output_dialogs.h"
#include "reporting/page_output.h"
#include "ui/help_topics.h"
#include "ui/program_printer.h"

namespace bb {

namespace {

// The clock counts hundredths of a second.
constexpr std::int64_t kHundredths = 100;
// The help page on a report's progress window and what follows it.
constexpr std::string_view kReportsPage = "ReportProgress";
// A slice follows the last one as soon as the window has had its events.
constexpr int kTimerHundredths = 1;

}  // namespace

ReportManager::ReportManager(const WindowDecl& decl, RecordCycle::Clock clock)
    : WindowManager(decl), CYCLE(clock), clock_(std::move(clock)) {}

void ReportManager::Setup(ProcessManager& process, BandReport* report, PrintPreviewer* preview) {
    PROCESS = &process;
    REPORT = report;
    PREVIEW = preview;
    PREVIEWQUEUE = std::make_unique<PageStore>();
    buffers_.emplace();
    if (PREVIEW) {
        PREVIEW->Setup(*PREVIEWQUEUE);
        // The preview opens where the user last left one.
        if (!PREVIEW->INIMGR) PREVIEW->INIMGR = &settingsFile();
    }
    CYCLE.RECORDSPERCYCLE = 1;
    CYCLE.TIMESLICE = 100;
}

QWidget* ReportManager::CreateSlot(const FieldDecl& slot, QWidget* parent) {
    if (slot.name != "Progress") return WindowManager::CreateSlot(slot, parent);
    progress_ = new ProgressPanel(parent);
    return progress_;
}

std::string ReportManager::HelpTopic() const {
    return helpTopicOrElse(WindowManager::HelpTopic(), kReportsPage);
}

ProgressText ReportManager::ProgressControl() {
    return [this](const std::string& text) {
        if (progress_) progress_->setProgress(text, PERCENT);
    };
}

void ReportManager::Interact() {
    if (DEFERWINDOW) {
        if (WAITCURSOR) waitCursor_.emplace();
        STARTTIME = clock_();
        DeferShow();
    }
    WindowManager::Interact();
}

void ReportManager::Open() {
    WindowManager::Open();
    if (!DEFEROPENREPORT) StartReport();
    if (!OPENFAILED && RESPONSE == 0) SetTimer(kTimerHundredths);
}

void ReportManager::StartReport() {
    int first = 0;
    {
        const ProcessBuffers::InUse own(*buffers_);
        PROCESS->Reset(0);
        first = Next();
    }
    DEFEROPENREPORT = false;
    if (first != 0) {
        // A selection the view refused was told already; the report ends
        // rather than print every record.
        if (PROCESS->FILTERREFUSED) {
            OPENFAILED = true;
        } else {
            NoRecords();
        }
        return;
    }
    OPENFAILED = false;
    if (REPORT && REPORT->Open(*PREVIEWQUEUE) != SeverityNone) {
        tell("Report Error", REPORT->LastError());
        EndWith(ResponseCancelled);
    }
}

void ReportManager::NoRecords() {
    ERRORS->Throw(ErrNoRecords);
    OPENFAILED = true;
}

int ReportManager::Next() {
    const Severity s = PROCESS->Next();
    if (s == SeverityNone) return 0;
    const bool ended = s == SeverityNotify;  // past the last record; anything else failed
    RESPONSE = ended && PROCESS->RECORDSPROCESSED >= 1 ? ResponseCompleted : ResponseCancelled;
    Post(EventKind::CloseWindow);
    return LevelEndLoop;
}

int ReportManager::OnWindowEvent() {
    if (CurrentEvent().kind == EventKind::Timer) {
        if (const int level = onTimer(); level != LevelCarryOn) return level;
    }
    return WindowManager::OnWindowEvent();
}

int ReportManager::onTimer() {
    if (DEFEROPENREPORT) StartReport();
    if (OPENFAILED) return LevelEndLoop;
    if (DEFERWINDOW && clock_() - STARTTIME > DEFERWINDOW * kHundredths) {
        waitCursor_.reset();
        ShowWindow();
        DEFERWINDOW = 0;
    }
    CycleEnd end = CycleEnd::SliceUsed;
    {
        const ProcessBuffers::InUse own(*buffers_);
        end = CYCLE.Run([this] { return PROCESS->ProcessOneRecord(); }, [this] { return Next(); });
    }
    switch (end) {
        case CycleEnd::Failed:
            SetTimer(0);
            if (REPORT && !REPORT->LastError().empty()) tell("Report Error", REPORT->LastError());
            Post(EventKind::CloseWindow);
            break;
        case CycleEnd::Finished:
            SetTimer(0);  // Next has posted the close
            break;
        case CycleEnd::SliceUsed:
        case CycleEnd::Stopped:
            break;
    }
    return LevelCarryOn;
}

void ReportManager::EndWith(int response) {
    SetTimer(0);  // not one more record once the user has cancelled
    WindowManager::EndWith(response);
}

int ReportManager::OnCloseRequest() {
    waitCursor_.reset();
    if (!KEEPVISIBLE) hideWindow();
    RunPreview();
    return WindowManager::OnCloseRequest();
}

// Inside the frame the window sits in a sub-window, which hides with it.
void ReportManager::hideWindow() {
    if (QWidget* w = Widget()) (w->isWindow() ? w : w->parentWidget())->hide();
}

// Ends the report's last page; false, with the user told why, when it fails.
bool ReportManager::endReport() {
    if (!REPORT->IsOpen()) return true;
    Severity closed = SeverityNone;
    {
        // The last footers show the report's records, not another window's.
        const ProcessBuffers::InUse own(*buffers_);
        closed = REPORT->Close();
    }
    if (closed == SeverityNone) return true;
    tell("Report Error", REPORT->LastError());
    return false;
}

void ReportManager::RunPreview() {
    if (RESPONSE != ResponseCompleted || !REPORT || !endReport()) return;
    if (!PREVIEW || SKIPPREVIEW) {
        printPages(true);
    } else {
        const int count = PREVIEWQUEUE->Count();
        const int across = std::min(2, count);
        const int down = count > 2 ? 2 : 1;
        const bool print = ZOOM != 0 ? PREVIEW->DisplayAt(ZOOM, 1, across, down)
                                     : PREVIEW->Display(1, across, down);
        if (print) printPages(false);
    }
    PREVIEWQUEUE->Clear();
}

// Prints the pages on the program's printer, asking for it first unless
// the user chose it in the preview.
void ReportManager::printPages(bool choosePrinter) {
    QPrinter& printer = programPrinter();
    if (choosePrinter && !outputDialogs().choosePrinter(Widget(), printer, PREVIEWQUEUE->Count()))
        return;
    std::string error;
    const WaitCursor busy;
    if (!bb::printPages(*PREVIEWQUEUE, printer, &error)) tell("Report Not Printed", error);
}

void ReportManager::tell(const std::string& title, const std::string& text) {
    messages().show({title, text, MessageIcon::Exclamation, ButtonOk, ButtonOk});
}

int ReportManager::Teardown() {
    if (!DEAD && PROCESS) {
        PREVIEWQUEUE.reset();
        if (PREVIEW) PREVIEW->Teardown();
        PROCESS->Teardown();
    }
    waitCursor_.reset();
    return WindowManager::Teardown();
}

}  // namespace bb
