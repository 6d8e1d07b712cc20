// The process manager: the view manager of a report or batch process. It
// walks the records of its view from the first to the last, counts them,
// and keeps the percentage done (0 to 100, never more) with its progress
// text ("45% Complete"). The percentage comes from a step estimator reading
// a field of each record, or, without one, from the count of records read
// against the number expected.
//
// Each report procedure derives from it and overrides ProcessOneRecord to
// print or otherwise handle the record in the buffers. A process manager
// belongs to its report window and is used from the GUI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "data/step_estimators.h"
#include "data/view_manager.h"
#include "dictionary/files.h"

namespace bb {

// What processing one record answers.
enum class RecordResult : std::uint8_t {
    GoOn = 0,   // read on
    Fatal = 3,  // stop the process; nothing is previewed or printed
    Stop = 5,   // end this time slice without reading on
};

// Shows the progress text in the report's window.
using ProgressText = std::function<void(const std::string&)>;

class ProcessManager : public ViewManager {
public:
    // Progress from `estimator` reading `valueField` of each record.
    void Setup(const ViewSpec& view, RelationManager& primary, ProgressText progressText,
               FieldRef valueField, StepManager& estimator, std::uint8_t* percentile);
    // Progress counted by records, `expected` of them (0: as many as the
    // primary file holds).
    void Setup(const ViewSpec& view, RelationManager& primary, ProgressText progressText,
               std::int32_t expected, std::uint8_t* percentile);

    // The process reset: nothing counted yet, the estimator's bounds from
    // the view's first and last records (or the record count), and the
    // view back at its start.
    Severity Reset(int components) override;
    using ViewManager::Reset;
    // Reads the next record, counts it and updates the percentage; fails
    // at once once the view refused the selection.
    Severity Next() override;
    // Notes a selection (range and filter) the view refused.
    Severity ApplyFilterText() override;
    void Teardown() override;
    // Handles the record in the buffers; reports override it.
    virtual RecordResult ProcessOneRecord();

    std::uint8_t* PERCENTILE = nullptr;
    ProgressText PTEXT;
    // The view refused the range or filter (error 40 was shown): a report
    // must not go on without its selection, which would print every record.
    bool FILTERREFUSED = false;
    std::int32_t RECORDSPROCESSED = 0;
    std::int32_t RECORDSTOPROCESS = 0;
    StepManager* STEPMGR = nullptr;
    std::optional<FieldRef> VALUEFIELD;

private:
    void setBounds();
    void countRecords();
    int percentDone();
};

}  // namespace bb
