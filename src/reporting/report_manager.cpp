#include "reporting/report_manager.h"

#include "dictionary/process_values.h"
#include "reporting/output_dialogs.h"
#include "reporting/page_output.h"
#include "ui/frame_services.h"
#include "ui/program_printer.h"

namespace bb {

namespace {

// The clock counts hundredths of a second.
constexpr std::int64_t kHundredths = 100;

}  // namespace

ReportManager::ReportManager(const std::string& caption, RecordCycle::Clock clock)
    : ERRORS(&programErrors()),
      CYCLE(clock),
      owned_(std::make_unique<ProgressWindow>(caption)),
      window_(owned_.get()),
      clock_(std::move(clock)) {
    window_->cancelled = [this] { EndWith(ResponseCancelled); };
    timer_.setInterval(0);  // the next slice as soon as the window has had its events
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (OnTimer() == 3) stop();
    });
}

ReportManager::~ReportManager() {
    if (!owned_ && window_) window_->finish();  // the frame's: closed with its sub-window
}

void ReportManager::Setup(ProcessManager& process, BandReport* report, PrintPreviewer* preview) {
    PROCESS = &process;
    REPORT = report;
    PREVIEW = preview;
    PREVIEWQUEUE = std::make_unique<PageStore>();
    if (PREVIEW) {
        PREVIEW->Setup(*PREVIEWQUEUE);
        // The preview opens where the user last left one.
        if (!PREVIEW->INIMGR) PREVIEW->INIMGR = &settingsFile();
    }
    CYCLE.RECORDSPERCYCLE = 1;
    CYCLE.TIMESLICE = 100;
}

ProgressText ReportManager::ProgressControl() {
    return [this](const std::string& text) { window_->setProgress(text, PERCENT); };
}

int ReportManager::Run() {
    Interact();
    Teardown();
    return RESPONSE != 0 ? RESPONSE : ResponseCancelled;
}

void ReportManager::Interact() {
    if (dead_) return;
    if (DEFERWINDOW) {
        if (WAITCURSOR) waitCursor_.emplace();
        STARTTIME = clock_();
    } else {
        showWindow();
    }
    Open();
    if (!closePosted_) timer_.start();
    loop_.exec();
}

void ReportManager::showWindow() {
    waitCursor_.reset();
    if (owned_) frameServices().addChildWindow(*owned_.release());
}

void ReportManager::Open() {
    if (!DEFEROPENREPORT) StartReport();
}

void ReportManager::StartReport() {
    PROCESS->Reset(0);
    const int first = Next();
    DEFEROPENREPORT = false;
    if (first != 0) {
        NoRecords();
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
    postClose();
    return 3;
}

int ReportManager::OnTimer() {
    if (DEFEROPENREPORT) StartReport();
    if (OPENFAILED) {
        postClose();
        return 3;
    }
    if (DEFERWINDOW && clock_() - STARTTIME > DEFERWINDOW * kHundredths) {
        showWindow();
        DEFERWINDOW = 0;
    }
    const CycleEnd end =
        CYCLE.Run([this] { return PROCESS->ProcessOneRecord(); }, [this] { return Next(); });
    if (end == CycleEnd::Failed) {
        if (REPORT && !REPORT->LastError().empty()) tell("Report Error", REPORT->LastError());
        postClose();
        return 3;
    }
    return end == CycleEnd::Finished ? 3 : 0;
}

void ReportManager::EndWith(int response) {
    RESPONSE = response;
    stop();  // not one more record once the user has cancelled
    postClose();
}

void ReportManager::stop() {
    timer_.stop();
}

void ReportManager::postClose() {
    if (closePosted_) return;
    closePosted_ = true;
    // Dropped with the timer, should the manager go before the event comes.
    QMetaObject::invokeMethod(
        &timer_, [this] { closeRequested(); }, Qt::QueuedConnection);
}

void ReportManager::closeRequested() {
    stop();
    if (OnCloseRequest() != 0) {
        closePosted_ = false;
        return;
    }
    window_->conceal();
    loop_.quit();
}

int ReportManager::OnCloseRequest() {
    waitCursor_.reset();
    if (!KEEPVISIBLE) window_->conceal();
    RunPreview();
    return 0;
}

// Ends the report's last page; false, with the user told why, when it fails.
bool ReportManager::endReport() {
    if (!REPORT || !REPORT->IsOpen()) return true;
    if (REPORT->Close() == SeverityNone) return true;
    tell("Report Error", REPORT->LastError());
    return false;
}

void ReportManager::RunPreview() {
    if (RESPONSE != ResponseCompleted || !REPORT) return;
    if (!endReport()) return;
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

// Prints the pages on the report printer, asking for it first unless the
// user chose it in the preview.
void ReportManager::printPages(bool choosePrinter) {
    QPrinter& printer = programPrinter();
    if (choosePrinter &&
        !outputDialogs().choosePrinter(window_.data(), printer, PREVIEWQUEUE->Count()))
        return;
    std::string error;
    const WaitCursor busy;
    if (!bb::printPages(*PREVIEWQUEUE, printer, &error)) tell("Report Not Printed", error);
}

void ReportManager::tell(const std::string& title, const std::string& text) {
    messages().show({title, text, MessageIcon::Exclamation, ButtonOk, ButtonOk});
}

void ReportManager::Teardown() {
    if (dead_) return;
    stop();
    if (PROCESS) {
        PREVIEWQUEUE.reset();
        if (PREVIEW) PREVIEW->Teardown();
        PROCESS->Teardown();
    }
    window_->conceal();
    dead_ = true;
}

}  // namespace bb
