// Several stations on one data folder, each a real process: nothing they do
// at once is lost, a change by one is noticed by the other, holds bind, and
// neither a killed station nor a damaged database file corrupts anything.
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <thread>

#include "processes.h"
#include "storage/open_storage.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_storage.h"
#include "storage_fixture.h"

namespace bb::test {
namespace {

using Stations = EngineTest;
BB_ON_BOTH_ENGINES(Stations);
// What only stations sharing the SQLite file in the folder meet.
using SqliteStations = StorageTest;
using sqlite::Statement;

std::string stationProgram() {
    return BB_STORAGE_STATION;
}

TEST_P(Stations, AddsAtTheSameTimeLoseNothing) {
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

TEST_P(Stations, APutAfterAnotherStationsChangeIsRefused) {
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

// The clock by which this station counts how long another has been gone,
// moved on by the test instead of waited for.
class MovedClock {
public:
    explicit MovedClock(Storage& storage) {
        static_cast<sqlite::SqliteStorage&>(storage).stations().setClock([this] { return now_; });
    }
    void advance(std::chrono::milliseconds by) { now_ += by; }

private:
    sqlite::Stations::Clock::time_point now_ = sqlite::Stations::Clock::now();
};

TEST_P(Stations, AHoldBindsOthersForAsLongAsItsStationRuns) {
    auto members = openFile(FileId::Members);
    add(*members, [] { MBR::MEMBERNUMBER.set(7); });
    ChildProcess holder(stationProgram(), {"hold", folder_.path().string(), "7"});
    std::string line;
    ASSERT_TRUE(holder.waitForLine("held", 20, &line));
    ASSERT_EQ(line, "held 0");

    Record& r = buffer(FileId::Members);
    MBR::MEMBERNUMBER.set(7);
    EXPECT_EQ(members->get(MBR::key::MEMBERKEY, r).code, code::kRecordHeld);
    ASSERT_TRUE(members->setStart(MBR::key::MEMBERKEY).ok());
    EXPECT_EQ(members->next(r).code, code::kRecordHeld);
    EXPECT_EQ(members->next(r).code, code::kRecordNotAvailable);  // the read moved past it

    // A live holder keeps its hold however long it takes.
    std::optional<MovedClock> clock;
    if (engine_ == Engine::SQLite) {
        clock.emplace(*storage_);
        clock->advance(std::chrono::hours(1));
        MBR::MEMBERNUMBER.set(7);
        EXPECT_EQ(members->get(MBR::key::MEMBERKEY, r).code, code::kRecordHeld);
    }
    // Nor does the hold outlive it: its record is free the moment it dies
    // (on a server at once, in a shared folder after the recovery time).
    ASSERT_TRUE(members->sendOption("Recover=0").ok());
    holder.kill(SIGKILL);
    holder.wait();
    MBR::MEMBERNUMBER.set(7);
    EXPECT_TRUE(members->get(MBR::key::MEMBERKEY, r).ok());
    EXPECT_TRUE(members->hold().ok());
}

// The recovery time counts from when this station first finds the holder
// dead, to the tenth of a second: a hold taken just before its station died
// is not broken early, nor one whose station had held it for longer than
// the recovery time broken at once.
TEST_F(SqliteStations,
       ADeadStationsHoldIsBrokenTenSecondsAfterItsDeathIsSeenNeitherEarlierNorLater) {
    struct Case {
        const char* holder;
        int heldBeforeDying;  // seconds
    };
    auto members = openFile(FileId::Members);
    MovedClock clock(*storage_);
    Record& r = buffer(FileId::Members);
    int number = 0;
    for (const Case& c : {Case{"held just before dying", 0}, Case{"held for 12 s", 12}}) {
        SCOPED_TRACE(c.holder);
        ++number;
        add(*members, [&] { MBR::MEMBERNUMBER.set(number); });
        ChildProcess holder(stationProgram(),
                            {"hold", folder_.path().string(), std::to_string(number)});
        ASSERT_TRUE(holder.waitForLine("held 0"));
        {
            Statement older(static_cast<sqlite::SqliteStorage&>(*storage_).db(),
                            std::string("UPDATE ") + sqlite::identifier(sqlite::kHoldsTable) +
                                " SET \"taken\" = \"taken\" - " +
                                std::to_string(c.heldBeforeDying));
            ASSERT_EQ(sqlite3_step(older.get()), SQLITE_DONE);
        }
        holder.kill(SIGKILL);
        holder.wait();
        const auto heldNow = [&] {
            MBR::MEMBERNUMBER.set(number);
            return members->get(MBR::key::MEMBERKEY, r).code == code::kRecordHeld;
        };
        EXPECT_TRUE(heldNow());  // its death is seen now
        clock.advance(std::chrono::milliseconds(9900));
        EXPECT_TRUE(heldNow());
        clock.advance(std::chrono::milliseconds(100));
        EXPECT_FALSE(heldNow());
        EXPECT_TRUE(members->hold().ok());
        EXPECT_TRUE(members->put(r).ok());
        members->release();
    }
}

TEST_P(Stations, ASetDeleteMeetingARecordHeldElsewhereDeletesNothing) {
    auto members = openFile(FileId::Members);
    for (int n : {7, 8}) {
        add(*members, [n] {
            MBR::MEMBERNUMBER.set(n);
            MBR::COMPANYNAME.set("Acme");
        });
    }
    ChildProcess holder(stationProgram(), {"hold", folder_.path().string(), "7"});
    ASSERT_TRUE(holder.waitForLine("held 0"));
    Record values(fileDef(FileId::Members));
    values.setText(MBR::COMPANYNAME.index(), "Acme");
    const auto erased =
        members->eraseLinked(LinkedRecords::range(members->def(), MBR::key::COMPANYKEY, values, 1));
    ASSERT_TRUE(erased.has_value());
    EXPECT_EQ(erased->code, code::kRecordHeld);
    std::int64_t left = 0;
    ASSERT_TRUE(members->count(left).ok());
    EXPECT_EQ(left, 2);
}

TEST_F(SqliteStations, AHoldOfADeadStationStandsUntilTheRecoveryTime) {
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

TEST_P(Stations, OnlyReservationsOfDeadStationsAreStale) {
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

// Two users of the system share the data folder through their group, each
// with a umask that keeps everyone else from writing. The second can still
// reserve numbers and hold records beside the first, and finds the first's
// reservation stale once it has died, even when it may only read the
// first's lock file.
TEST_F(SqliteStations, TwoUsersSharingAFolderWorkBesideEachOtherAndSeeEachOtherDie) {
    if (geteuid() != 0) GTEST_SKIP() << "running stations as two other users (setpriv) needs root";
    constexpr uid_t kFirstUser = 40001;
    constexpr uid_t kSecondUser = 40002;
    constexpr gid_t kSharedGroup = 40000;
    {
        auto members = openFile(FileId::Members);
        add(*members, [] { MBR::MEMBERNUMBER.set(7); });
    }
    storage_.reset();
    const std::filesystem::path database = folder_.path() / kDatabaseName;
    for (const auto& [path, mode] : {std::pair{folder_.path(), 0770}, {database, 0660}}) {
        ASSERT_EQ(chown(path.c_str(), kFirstUser, kSharedGroup), 0);
        ASSERT_EQ(chmod(path.c_str(), static_cast<mode_t>(mode)), 0);
    }
    const auto asUser = [&](uid_t user, std::vector<std::string> arguments) {
        std::vector<std::string> all = {"--reuid=" + std::to_string(user),
                                        "--regid=" + std::to_string(kSharedGroup),
                                        "--clear-groups",
                                        "--",
                                        "/bin/sh",
                                        "-c",
                                        "umask 077; exec \"$0\" \"$@\"",
                                        stationProgram()};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return std::make_unique<ChildProcess>("/usr/bin/setpriv", all);
    };
    const std::string folder = folder_.path().string();
    std::string line;
    auto first = asUser(kFirstUser, {"reserve", folder, "1"});
    ASSERT_TRUE(first->waitForLine("reserved", 20, &line));
    EXPECT_EQ(line, "reserved 0");
    auto second = asUser(kSecondUser, {"reserve", folder, "2"});
    ASSERT_TRUE(second->waitForLine("reserved", 20, &line));
    EXPECT_EQ(line, "reserved 0");
    auto holder = asUser(kSecondUser, {"hold", folder, "7"});
    ASSERT_TRUE(holder->waitForLine("held", 20, &line));
    EXPECT_EQ(line, "held 0");

    first->kill(SIGKILL);
    first->wait();
    for (const auto& lock :
         std::filesystem::directory_iterator(folder_.path() / "brokerbook.stations"))
        ASSERT_EQ(chmod(lock.path().c_str(), 0640), 0);
    auto looker = asUser(kSecondUser, {"stale", folder});
    ASSERT_TRUE(looker->waitForLine("stale", 20, &line));
    EXPECT_EQ(line, "stale 1");  // not the second user's own, whose station runs
}

TEST_P(Stations, AStationKilledInsideATransactionChangesNothing) {
    {
        auto members = openFile(FileId::Members);
        auto log = openFile(FileId::Log);
        add(*members, [] { MBR::MEMBERNUMBER.set(1); });
    }
    ChildProcess writer(stationProgram(), {"transaction", folder_.path().string(), "2000"});
    ASSERT_TRUE(writer.waitForLine("inside", 60));
    writer.kill(SIGKILL);
    EXPECT_EQ(writer.wait(), -SIGKILL);

    auto fresh = openDataStorage(folder_.path());
    for (const auto& [id, expected] : {std::pair{FileId::Members, 1}, {FileId::Log, 0}}) {
        auto file = fresh->file(fileDef(id));
        ASSERT_TRUE(file->open(kSharedReadWrite).ok());
        std::int64_t count = -1;
        ASSERT_TRUE(file->count(count).ok());
        EXPECT_EQ(count, expected) << fileDef(id).label;
    }
}

TEST_F(SqliteStations, ADamagedDatabaseFileIsAClearConditionNotACrash) {
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

    members.reset();
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
