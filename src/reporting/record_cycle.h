// The work a running report does on one timer event: as many records as
// fit in a time slice, so that its window stays responsive and can be
// cancelled. The number of records per event starts at 1 and follows the
// measured speed: it doubles while an event's work takes under 80% of the
// slice and halves after an event that overran the slice by half. Within
// one event, records are processed until at least half the slice is used.
//
// The clock is injected (hundredths of a second, never going back), so that
// tests can stand in a slow or a fast machine. No widgets: the report window
// calls Run from its timer. Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <functional>

#include "reporting/process_manager.h"

namespace bb {

// How one timer event's work ended.
enum class CycleEnd : std::uint8_t {
    SliceUsed,  // more records wait for the next timer event
    Stopped,    // the record handler asked to end the event (result 5)
    Finished,   // the records ended, or reading failed: stop the timer
    Failed,     // the record handler failed: stop the timer and close
};

class RecordCycle {
public:
    using Clock = std::function<std::int64_t()>;
    // What the report does with a record, and how it reads the next one
    // (0 read; anything else: the end, or a failure).
    using Handler = std::function<RecordResult()>;
    using Reader = std::function<int()>;

    // The monotonic clock of the process, in hundredths of a second.
    static std::int64_t steadyClock();

    explicit RecordCycle(Clock clock = steadyClock) : clock_(std::move(clock)) {}

    CycleEnd Run(const Handler& processOne, const Reader& next);

    std::int32_t RECORDSPERCYCLE = 1;
    std::uint16_t TIMESLICE = 100;  // hundredths of a second

private:
    void doubleCount();

    Clock clock_;
};

}  // namespace bb
