#include "reporting/record_cycle.h"

#include <chrono>

namespace bb {

namespace {

// Doubling stops here, far below where the count could wrap, on a clock
// too coarse to see a slice pass.
constexpr std::int32_t kMostPerCycle = 1 << 30;

}  // namespace

std::int64_t RecordCycle::steadyClock() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() / 10;
}

void RecordCycle::doubleCount() {
    if (RECORDSPERCYCLE < kMostPerCycle) RECORDSPERCYCLE *= 2;
}

CycleEnd RecordCycle::Run(const Handler& processOne, const Reader& next) {
    const std::int64_t start = clock_();
    std::int64_t done = 0;
    std::int64_t elapsed = 0;
    while (true) {
        while (done < RECORDSPERCYCLE) {
            switch (processOne()) {
                case RecordResult::Fatal:
                    return CycleEnd::Failed;
                case RecordResult::Stop:
                    return CycleEnd::Stopped;
                case RecordResult::GoOn:
                    break;
            }
            ++done;
            if (next() != 0) return CycleEnd::Finished;
        }
        elapsed = clock_() - start;
        if (elapsed * 5 < std::int64_t{TIMESLICE} * 4) doubleCount();
        if (elapsed * 2 >= TIMESLICE) break;
    }
    if (elapsed * 2 > std::int64_t{TIMESLICE} * 3 && RECORDSPERCYCLE > 1) RECORDSPERCYCLE /= 2;
    return CycleEnd::SliceUsed;
}

}  // namespace bb
