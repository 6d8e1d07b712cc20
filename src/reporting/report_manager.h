// The report manager: runs a report procedure's progress window. While the
// window is open, each timer event reads and handles as many records of the
// process manager's view as fit in a time slice (record_cycle.h); at the end
// of the records, or on the user's Cancel, the window closes; a completed
// report is then shown in the print preview and printed when the user chose
// Print there (or printed at once with SKIPPREVIEW, or without a preview).
//
// A report procedure makes one, sets up its process manager with
// ProgressControl() and PERCENT, calls Setup, sets the fields it needs
// (ZOOM, DEFERWINDOW...) and Run, which answers ResponseCompleted when every
// record was handled and ResponseCancelled otherwise. An empty range is told
// with message 22 ("There are no records available to process.").
//
// The process manager, report and previewer are the procedure's and must
// outlive Run; the page queue is the report manager's. Used from the GUI
// thread; the window is an independent child window of the frame.
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "data/error_manager.h"
#include "platform/message_service.h"
#include "reporting/band_report.h"
#include "reporting/page_store.h"
#include "reporting/print_previewer.h"
#include "reporting/process_manager.h"
#include "reporting/progress_window.h"
#include "reporting/record_cycle.h"

namespace bb {

class ReportManager {
public:
    // `caption` is the window's ("Progress... Customer Directory").
    explicit ReportManager(const std::string& caption,
                           RecordCycle::Clock clock = RecordCycle::steadyClock);
    virtual ~ReportManager();

    // Stores the three (`report` null for a process that prints nothing,
    // `preview` null to print without preview), makes the page queue and
    // hands it to the preview, with the program's settings file unless the
    // preview was given another.
    void Setup(ProcessManager& process, BandReport* report, PrintPreviewer* preview);
    // Interact, then Teardown; the response.
    int Run();

    // The overridable operations, in dispatch order.
    virtual void Interact();
    virtual void Open();
    virtual void Teardown();
    // The window is to close; 0 lets it.
    virtual int OnCloseRequest();
    // A timer event: the next slice of records; 3 ends the window.
    virtual int OnTimer();
    virtual void RunPreview();
    // Reads the next record: 0, or 3 at the end (the window then closes).
    virtual int Next();
    virtual void StartReport();
    virtual void NoRecords();

    // Ends the window with `response`.
    void EndWith(int response);

    // What the process manager shows its progress through.
    ProgressText ProgressControl();
    ProgressWindow& Window() { return *window_; }  // until the manager is destroyed

    // Fields as the program keeps them.
    bool DEFEROPENREPORT = false;
    std::uint16_t DEFERWINDOW = 0;  // seconds
    ErrorManager* ERRORS;
    bool KEEPVISIBLE = false;
    bool OPENFAILED = false;
    std::uint8_t PERCENT = 0;  // the percentage the process manager keeps
    PrintPreviewer* PREVIEW = nullptr;
    std::unique_ptr<PageStore> PREVIEWQUEUE;
    ProcessManager* PROCESS = nullptr;
    RecordCycle CYCLE;  // RECORDSPERCYCLE and TIMESLICE
    BandReport* REPORT = nullptr;
    int RESPONSE = 0;
    bool SKIPPREVIEW = false;
    std::int64_t STARTTIME = 0;
    bool WAITCURSOR = false;
    std::int16_t ZOOM = 0;

private:
    void showWindow();
    void postClose();
    void closeRequested();
    void stop();
    bool endReport();
    void printPages(bool choosePrinter);
    void tell(const std::string& title, const std::string& text);

    std::unique_ptr<ProgressWindow> owned_;  // until the frame holds it
    QPointer<ProgressWindow> window_;
    QTimer timer_;
    QEventLoop loop_;
    RecordCycle::Clock clock_;
    std::optional<WaitCursor> waitCursor_;
    bool closePosted_ = false;
    bool dead_ = false;
};

}  // namespace bb
