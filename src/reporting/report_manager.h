// The report manager: the window of a report procedure. While it is open,
// each timer event reads and handles as many records of the process
// manager's view as fit in a time slice (record_cycle.h); at the end of the
// records, or on the user's Cancel, the window closes; a completed report is
// then shown in the print preview and printed when the user chose Print
// there (or printed at once with SKIPPREVIEW, or without a preview). An
// empty range is told with message 22 ("There are no records available to
// process."); a selection the view refuses ends the report after the
// refusal was told, without printing anything. While the report reads and
// prints, its own record buffers stand in the files' (process_buffers.h),
// so that it never disturbs another window's record. F1 in the window opens the report's own help
// page, or the page on reports as they run while the report has none.
//
// A report procedure declares its window (the caption "Progress..." and the
// report's name, a slot named "Progress" for the progress text and bar, and
// Cancel), derives from ReportManager, and in its own Setup calls the
// window's, sets up its process manager with ProgressControl() and PERCENT,
// and calls Setup(process, report, preview) and sets ZOOM and the rest:
//
//   const WindowDecl kPrintCustomerList{
//       .procedure = "PrintCustomerList",
//       .caption = "Progress... Customer List",
//       .files = {FileId::Members},
//       .fields = {{.kind = ControlKind::Slot, .name = "Progress"}},
//       .buttons = {{.text = "&Cancel", .role = ButtonRole::Cancel}},
//   };
//
// Started from the frame (startWindow) it runs beside the other windows;
// called (Run) it returns ResponseCompleted when every record was handled
// and ResponseCancelled otherwise. The process manager, report and
// previewer must outlive the window; the page queue is the report
// manager's. Used from the GUI thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/message_service.h"
#include "reporting/band_report.h"
#include "reporting/page_store.h"
#include "reporting/print_previewer.h"
#include "reporting/process_buffers.h"
#include "reporting/process_manager.h"
#include "reporting/progress_panel.h"
#include "reporting/record_cycle.h"
#include "ui/window_manager.h"

namespace bb {

class ReportManager : public WindowManager {
public:
    explicit ReportManager(const WindowDecl& decl,
                           RecordCycle::Clock clock = RecordCycle::steadyClock);

    using WindowManager::Setup;
    // Stores the three (`report` null for a process that prints nothing,
    // `preview` null to print without preview), makes the page queue and
    // hands it to the preview, with the program's settings file unless the
    // preview was given another.
    void Setup(ProcessManager& process, BandReport* report, PrintPreviewer* preview);

    // The window manager's operations the report manager replaces.
    void Interact() override;
    void Open() override;
    int Teardown() override;
    int OnCloseRequest() override;
    int OnWindowEvent() override;
    void EndWith(int response) override;
    QWidget* CreateSlot(const FieldDecl& slot, QWidget* parent) override;
    // The report's own page; the page on reports as they run while the
    // report has none.
    std::string HelpTopic() const override;
    // And its own, in dispatch order.
    virtual void RunPreview();
    // Reads the next record: 0, or 3 at the end (a close is then posted).
    virtual int Next();
    virtual void StartReport();
    virtual void NoRecords();

    // What the process manager shows its progress through.
    ProgressText ProgressControl();
    // The progress text and bar, once the window is set up.
    ProgressPanel* Progress() const { return progress_; }

    // Fields as the program keeps them.
    bool DEFEROPENREPORT = false;
    std::uint16_t DEFERWINDOW = 0;  // seconds
    bool KEEPVISIBLE = false;
    bool OPENFAILED = false;
    std::uint8_t PERCENT = 0;  // the percentage the process manager keeps
    PrintPreviewer* PREVIEW = nullptr;
    std::unique_ptr<PageStore> PREVIEWQUEUE;
    ProcessManager* PROCESS = nullptr;
    RecordCycle CYCLE;  // RECORDSPERCYCLE and TIMESLICE
    BandReport* REPORT = nullptr;
    bool SKIPPREVIEW = false;
    std::int64_t STARTTIME = 0;
    bool WAITCURSOR = false;
    std::int16_t ZOOM = 0;

private:
    int onTimer();
    void hideWindow();
    bool endReport();
    void printPages(bool choosePrinter);
    void tell(const std::string& title, const std::string& text);

    ProgressPanel* progress_ = nullptr;  // the window's, in its slot
    RecordCycle::Clock clock_;
    std::optional<WaitCursor> waitCursor_;
    std::optional<ProcessBuffers> buffers_;  // the report's own, from Setup on
};

}  // namespace bb
