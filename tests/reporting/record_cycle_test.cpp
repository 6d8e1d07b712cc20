// The time-sliced loop on a simulated machine: a fake clock that advances
// by what each record costs.
#include <gtest/gtest.h>

#include "reporting/record_cycle.h"

namespace bb::test {
namespace {

constexpr std::int64_t kMillisecond = 1000;  // in microseconds

class Machine {
public:
    explicit Machine(std::int64_t costPerRecord, int records = 1'000'000)
        : cost(costPerRecord), left_(records) {}

    CycleEnd event() {
        const int before = processed;
        const std::int64_t start = micros_;
        const CycleEnd end = cycle.Run([this] { return processOne(); }, [this] { return next(); });
        lastEventRecords = processed - before;
        lastEventMicros = micros_ - start;
        return end;
    }

    std::int64_t cost;  // microseconds per record
    RecordResult result = RecordResult::GoOn;
    int processed = 0;
    int reads = 0;
    int lastEventRecords = 0;
    std::int64_t lastEventMicros = 0;
    RecordCycle cycle{[this] { return micros_ / 10'000; }};

private:
    RecordResult processOne() {
        micros_ += cost;
        if (result == RecordResult::GoOn) ++processed;
        return result;
    }
    int next() {
        ++reads;
        return --left_ > 0 ? 0 : 3;
    }

    std::int64_t micros_ = 0;
    int left_;
};

constexpr std::int64_t kSlice = 1000 * kMillisecond;

TEST(RecordCycles, FastRecordsFillTheSliceWithinTheFirstEvent) {
    Machine fast(100);  // ten thousand records a second
    EXPECT_EQ(fast.event(), CycleEnd::SliceUsed);
    EXPECT_GE(fast.lastEventMicros, kSlice / 2) << "the first event works half the slice";
    EXPECT_GE(fast.cycle.RECORDSPERCYCLE, 4096);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(fast.event(), CycleEnd::SliceUsed);
        EXPECT_GE(fast.lastEventMicros, kSlice / 2);
        EXPECT_LE(fast.lastEventMicros, kSlice * 3 / 2);
    }
}

TEST(RecordCycles, ASlowPrinterBringsTheCountBackDownOneHalvingPerEvent) {
    Machine machine(100);
    for (int i = 0; i < 3; ++i) machine.event();
    machine.cost = 10 * kMillisecond;  // the printer driver slows down
    std::int32_t before = machine.cycle.RECORDSPERCYCLE;
    while (true) {
        machine.event();
        if (machine.lastEventMicros * 2 <= kSlice * 3) break;
        EXPECT_EQ(machine.cycle.RECORDSPERCYCLE, before / 2);
        before = machine.cycle.RECORDSPERCYCLE;
    }
    EXPECT_EQ(machine.cycle.RECORDSPERCYCLE, 128);  // 1.28 slices an event: left alone
    machine.event();
    EXPECT_EQ(machine.cycle.RECORDSPERCYCLE, 128);
}

TEST(RecordCycles, ARecordSlowerThanTheSliceIsProcessedOneAnEvent) {
    Machine slow(3000 * kMillisecond);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(slow.event(), CycleEnd::SliceUsed);
        EXPECT_EQ(slow.lastEventRecords, 1);
        EXPECT_EQ(slow.cycle.RECORDSPERCYCLE, 1);
    }
}

TEST(RecordCycles, HowAnEventEnds) {
    struct Case {
        const char* what;
        RecordResult result;
        int records;
        CycleEnd end;
        int reads;
    };
    const Case cases[] = {
        {"the records run out", RecordResult::GoOn, 3, CycleEnd::Finished, 3},
        {"the handler fails", RecordResult::Fatal, 10, CycleEnd::Failed, 0},
        {"the handler ends the event", RecordResult::Stop, 10, CycleEnd::Stopped, 0},
    };
    for (const Case& c : cases) {
        Machine m(0, c.records);
        m.result = c.result;
        EXPECT_EQ(m.event(), c.end) << c.what;
        EXPECT_EQ(m.reads, c.reads) << c.what;
        EXPECT_EQ(m.cycle.RECORDSPERCYCLE, c.end == CycleEnd::Finished ? 4 : 1) << c.what;
    }
}

}  // namespace
}  // namespace bb::test
