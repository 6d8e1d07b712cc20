// Several stations on one data folder, each a real process: nothing they do
// at once is lost, a change by one is noticed by the other, holds bind, and
// neither a killed station nor a damaged database file corrupts anything.
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>
#include <thread>

#include "processes.h"
#include "storage_fixture.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace bb::test {
namespace {

using Stations = StorageTest;

std::string stationProgram() {
    return BB_STORAGE_STATION;
}

TEST_F(Stations, AddsAtTheSameTimeLoseNothing) {
    { auto members = openFile(FileId::Members); }
    ChildProcess a(stationProgram(), {"add", folder_.path().string(), "300", "1000"});
    ChildProcess b(stationProgram(), {"add", folder_.path().string(), "300", "5000"});
    EXPECT_TRUE(a.waitForLine("done", 60));
    EXPECT_TRUE(b.waitForLine("done", 60));
    EXPECT_EQ(a.wait(), 0);
    EXPECT_EQ(b.wait(), 0);
    auto members = openFile(FileId::Members);
    const auto numbers =
        walk(*members, MBR::key::MEMBERKEY, [] { return MBR::MEMBERNUMBER.get(); });
    ASSERT_EQ(numbers.size(), 600u);
    EXPECT_EQ(numbers.front(), 1000);
    EXPECT_EQ(numbers[299], 1299);
    EXPECT_EQ(numbers[300], 5000);
    EXPECT_EQ(numbers.back(), 5299);
}

TEST_F(Stations, APutAfterAnotherStationsChangeIsRefused) {
    auto members = openFile(FileId::Members);
    add(*members, [] {
        MBR::MEMBERNUMBER.set(7);
        MBR::COMPANYNAME.set("Mine");
    });
    Record& r = buffer(FileId::Members);
    ASSERT_TRUE(members->get(MBR::key::MEMBERKEY, r).ok());

    ChildProcess other(stationProgram(), {"change", folder_.path().string(), "7", "Theirs"});
    std::string line;
    ASSERT_TRUE(other.waitForLine("changed", 20, &line));
    EXPECT_EQ(line, "changed 0");

    MBR::COMPANYNAME.set("Also mine");
    EXPECT_EQ(members->put(r).code, code::kRecordChanged);
    ASSERT_TRUE(members->reget(r).ok());
    EXPECT_EQ(MBR::COMPANYNAME.get(), "Theirs");
    // Having read their version, this station may write over it.
    MBR::COMPANYNAME.set("Mine again");
    EXPECT_TRUE(members->put(r).ok());
}

TEST_F(Stations, AHoldBindsOthersUntilItsDeadStationsTimeIsUp) {
    auto members = openFile(FileId::Members);
    add(*members, [] { MBR::MEMBERNUMBER.set(7); });
    ASSERT_TRUE(members->sendOption("Recover=3").ok());
    ChildProcess holder(stationProgram(), {"hold", folder_.path().string(), "7"});
    std::string line;
    ASSERT_TRUE(holder.waitForLine("held", 20, &line));
    ASSERT_EQ(line, "held 0");
    const auto heldAt = std::chrono::steady_clock::now();

    Record& r = buffer(FileId::Members);
    MBR::MEMBERNUMBER.set(7);
    EXPECT_EQ(members->get(MBR::key::MEMBERKEY, r).code, code::kRecordHeld);
    ASSERT_TRUE(members->setStart(MBR::key::MEMBERKEY).ok());
    EXPECT_EQ(members->next(r).code, code::kRecordHeld);
    EXPECT_EQ(members->next(r).code, code::kRecordNotAvailable);  // the read moved past it

    // A live holder keeps its hold however long it takes.
    std::this_thread::sleep_for(std::chrono::milliseconds(3200));
    MBR::MEMBERNUMBER.set(7);
    EXPECT_EQ(members->get(MBR::key::MEMBERKEY, r).code, code::kRecordHeld);

    holder.kill(SIGKILL);
    holder.wait();
    // Its time is up (3 seconds since it held the record): the hold is broken.
    ASSERT_GE(std::chrono::steady_clock::now() - heldAt, std::chrono::seconds(3));
    MBR::MEMBERNUMBER.set(7);
    ASSERT_TRUE(members->get(MBR::key::MEMBERKEY, r).ok());
    EXPECT_TRUE(members->hold().ok());
    EXPECT_TRUE(members->put(r).ok());
}

TEST_F(Stations, AHoldOfADeadStationStandsUntilTheRecoveryTime) {
    auto members = openFile(FileId::Members);
    add(*members, [] { MBR::MEMBERNUMBER.set(7); });
    ASSERT_TRUE(members->sendOption("Recover=4").ok());
    ChildProcess holder(stationProgram(), {"hold", folder_.path().string(), "7"});
    ASSERT_TRUE(holder.waitForLine("held 0"));
    const auto heldAt = std::chrono::steady_clock::now();
    holder.kill(SIGKILL);
    holder.wait();
    Record& r = buffer(FileId::Members);
    MBR::MEMBERNUMBER.set(7);
    const DriverStatus early = members->get(MBR::key::MEMBERKEY, r);
    if (std::chrono::steady_clock::now() - heldAt < std::chrono::seconds(3)) {
        EXPECT_EQ(early.code, code::kRecordHeld);
    }
    std::this_thread::sleep_until(heldAt + std::chrono::milliseconds(5200));
    MBR::MEMBERNUMBER.set(7);
    EXPECT_TRUE(members->get(MBR::key::MEMBERKEY, r).ok());
}

TEST_F(Stations, OnlyReservationsOfDeadStationsAreStale) {
    auto members = openFile(FileId::Members);
    Record& r = buffer(FileId::Members);
    r.clear();
    MBR::MEMBERNUMBER.set(1);
    ASSERT_TRUE(members->add(r, true).ok());  // this station's own: never stale
    const std::string mine = members->position();
    ChildProcess other(stationProgram(), {"reserve", folder_.path().string(), "2"});
    ASSERT_TRUE(other.waitForLine("reserved 0"));
    EXPECT_TRUE(members->staleReservations().empty());
    other.kill(SIGKILL);
    other.wait();
    const auto stale = members->staleReservations();
    ASSERT_EQ(stale.size(), 1u);
    ASSERT_TRUE(members->getAtPosition(stale[0], r).ok());
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 2);
    // Writing a reservation makes it an ordinary record.
    ASSERT_TRUE(members->getAtPosition(mine, r).ok());
    ASSERT_TRUE(members->put(r).ok());
    ASSERT_TRUE(members->getAtPosition(stale[0], r).ok());
    ASSERT_TRUE(members->put(r).ok());
    EXPECT_TRUE(members->staleReservations().empty());
}

TEST_F(Stations, AStationKilledInsideATransactionChangesNothing) {
    {
        auto members = openFile(FileId::Members);
        auto log = openFile(FileId::Log);
        add(*members, [] { MBR::MEMBERNUMBER.set(1); });
    }
    ChildProcess writer(stationProgram(), {"transaction", folder_.path().string(), "2000"});
    ASSERT_TRUE(writer.waitForLine("inside", 60));
    writer.kill(SIGKILL);
    EXPECT_EQ(writer.wait(), -SIGKILL);

    auto fresh = openSqliteStorage(folder_.path());
    for (const auto& [id, expected] : {std::pair{FileId::Members, 1}, {FileId::Log, 0}}) {
        auto file = fresh->file(fileDef(id));
        ASSERT_TRUE(file->open(kSharedReadWrite).ok());
        std::int64_t count = -1;
        ASSERT_TRUE(file->count(count).ok());
        EXPECT_EQ(count, expected) << fileDef(id).label;
    }
}

TEST_F(Stations, ADamagedDatabaseFileIsAClearConditionNotACrash) {
    {
        auto members = openFile(FileId::Members);
        ASSERT_TRUE(storage_->begin(2000).ok());
        for (int i = 1; i <= 2000; ++i)
            add(*members, [&] {
                MBR::MEMBERNUMBER.set(i);
                MBR::COMPANYNAME.set("Acme");
            });
        ASSERT_TRUE(storage_->commit().ok());
    }
    storage_.reset();
    const auto path = folder_.path() / kDatabaseName;
    const auto size = std::filesystem::file_size(path);
    std::filesystem::resize_file(path, size / 3);

    storage_ = openSqliteStorage(folder_.path());
    auto members = storage_->file(fileDef(FileId::Members));
    DriverStatus s = members->open(kSharedReadWrite);
    if (s.ok()) {
        Record& r = buffer(FileId::Members);
        s = members->setStart(MBR::key::COMPANYKEY);
        while (s.ok()) s = members->next(r);
        if (s.code == code::kRecordNotAvailable) {
            std::int64_t count = 0;
            s = members->count(count);
        }
    }
    EXPECT_EQ(s.code, code::kDriverError);
    EXPECT_NE(s.engineCode, 0);
    EXPECT_FALSE(s.engineText.empty());

    storage_.reset();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(4096, '\x5a');
    storage_ = openSqliteStorage(folder_.path());
    const DriverStatus garbage = storage_->file(fileDef(FileId::Members))->open(kSharedReadWrite);
    EXPECT_EQ(garbage.code, code::kDriverError);
    EXPECT_EQ(garbage.engineCode & 0xFF, SQLITE_NOTADB);
    EXPECT_EQ(lastError().fileText, garbage.engineText);
}

}  // namespace
}  // namespace bb::test
