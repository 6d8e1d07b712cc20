// Records: values kept without loss, changes, positions, and the conditions
// that opening a file can meet.
#include <sys/stat.h>

#include <fstream>

#include "storage/sqlite/open_sqlite_storage.h"
#include "storage/sqlite/sqlite_storage.h"
#include "storage_fixture.h"

namespace bb::test {
namespace {

using Records = EngineTest;
BB_ON_BOTH_ENGINES(Records);
// What only the SQLite file in the folder can meet.
using SqliteRecords = StorageTest;

Decimal D(const char* t) {
    return *Decimal::parse(t);
}

TEST_P(Records, ValuesComeBackExactly) {
    auto trades = openFile(FileId::Transactions);
    const std::tuple<const char*, const char*, const char*> values[] = {
        {"999999999.9999999999", "999999999999.99999", "9999999999999.99"},
        {"-999999999.9999999999", "-0.00001", "-0.01"},
        {"0.0000000001", "12.5", "0"},
    };
    int number = 0;
    for (const auto& [price, quantity, total] : values) {
        add(*trades, [&] {
            TRN::TRANSACTIONNUMBER.set(++number);
            ASSERT_TRUE(TRN::PRICE.set(D(price)));
            ASSERT_TRUE(TRN::QUANTITY.set(D(quantity)));
            ASSERT_TRUE(TRN::TOTALAMOUNT.set(D(total)));
            TRN::DESCRIPTION.set("Café — 株式 ✓");
            TRN::BUYSELL.set("Buy");
        });
    }
    Record& r = buffer(FileId::Transactions);
    number = 0;
    for (const auto& [price, quantity, total] : values) {
        r.clear();
        TRN::TRANSACTIONNUMBER.set(++number);
        ASSERT_TRUE(trades->get(TRN::key::TRANSACTIONNUMBERKEY, r).ok());
        EXPECT_EQ(TRN::PRICE.get().toString(), D(price).rescaled(10).toString());
        EXPECT_EQ(TRN::QUANTITY.get().toString(), D(quantity).rescaled(5).toString());
        EXPECT_EQ(TRN::TOTALAMOUNT.get().toString(), D(total).rescaled(2).toString());
        EXPECT_EQ(TRN::DESCRIPTION.get(), "Café — 株式 ✓");
    }

    auto notes = openFile(FileId::Log);
    const std::string memo = std::string(740, 'x') + "ünï";
    add(*notes, [&] {
        LOG::LOGNUMBER.set(1);
        LOG::NOTES.set(memo);
        LOG::SUBJECT.set("  leading spaces kept");
    });
    buffer(FileId::Log).clear();
    LOG::LOGNUMBER.set(1);
    ASSERT_TRUE(notes->get(LOG::key::LOGNUMBERKEY, buffer(FileId::Log)).ok());
    EXPECT_EQ(LOG::NOTES.get(), memo);
    EXPECT_EQ(LOG::SUBJECT.get(), "  leading spaces kept");
}

// A number stored wider than its field (written by some other program) reads
// as zero; one at the field's full width reads as it is.
TEST_F(SqliteRecords, AStoredNumberWiderThanItsFieldReadsAsZero) {
    auto trades = openFile(FileId::Transactions);
    add(*trades, [] { TRN::TRANSACTIONNUMBER.set(1); });
    auto* sqlite = dynamic_cast<sqlite::SqliteStorage*>(storage_.get());
    ASSERT_NE(sqlite, nullptr);
    // TOTALAMOUNT, DECIMAL(15,2), is kept as whole units; PRICE, DECIMAL(19,10),
    // as the units' digits.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"TOTALAMOUNT", "999999999999999", "9999999999999.99"},
        {"TOTALAMOUNT", "-999999999999999", "-9999999999999.99"},
        {"TOTALAMOUNT", "1000000000000000", "0.00"},
        {"TOTALAMOUNT", "-1000000000000000", "0.00"},
        {"PRICE", "'9999999999999999999'", "999999999.9999999999"},
        {"PRICE", "'-10000000000000000000'", "0.0000000000"},
    };
    Record& r = buffer(FileId::Transactions);
    for (const auto& [column, stored, expected] : cases) {
        ASSERT_TRUE(
            sqlite->execute(std::string("UPDATE \"TRANSACT\" SET \"") + column + "\" = " + stored)
                .ok());
        r.clear();
        TRN::TRANSACTIONNUMBER.set(1);
        ASSERT_TRUE(trades->get(TRN::key::TRANSACTIONNUMBERKEY, r).ok());
        const Decimal read =
            std::string(column) == "PRICE" ? TRN::PRICE.get() : TRN::TOTALAMOUNT.get();
        EXPECT_EQ(read.toString(), expected) << column << " " << stored;
    }
}

TEST_P(Records, PutEraseAndReget) {
    auto members = openFile(FileId::Members);
    for (int i = 1; i <= 3; ++i)
        add(*members, [&] {
            MBR::MEMBERNUMBER.set(i);
            MBR::COMPANYNAME.set("Old");
        });
    Record& r = buffer(FileId::Members);
    r.clear();
    MBR::MEMBERNUMBER.set(2);
    ASSERT_TRUE(members->get(MBR::key::MEMBERKEY, r).ok());
    MBR::COMPANYNAME.set("New");
    ASSERT_TRUE(members->put(r).ok());
    MBR::COMPANYNAME.set("Unsaved");
    ASSERT_TRUE(members->reget(r).ok());
    EXPECT_EQ(MBR::COMPANYNAME.get(), "New");
    // A second put from the same read is fine: this station made the change.
    ASSERT_TRUE(members->put(r).ok());

    // A changed key value is a duplicate only against other records.
    MBR::MEMBERNUMBER.set(2);
    EXPECT_FALSE(members->duplicateKey(r, true).has_value());
    MBR::MEMBERNUMBER.set(3);
    EXPECT_EQ(members->put(r).code, code::kDuplicateKey);

    ASSERT_TRUE(members->reget(r).ok());
    ASSERT_TRUE(members->erase().ok());
    EXPECT_EQ(members->reget(r).code, code::kRecordNotAvailable);
    // Reading on continues after the removed record.
    ASSERT_TRUE(members->next(r).ok());
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 3);
    r.clear();
    MBR::MEMBERNUMBER.set(2);
    EXPECT_EQ(members->get(MBR::key::MEMBERKEY, r).code, code::kRecordNotAvailable);
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 2);  // a failed get leaves the buffer alone
}

TEST_P(Records, PositionsIdentifyRecordsForTheirLife) {
    auto members = openFile(FileId::Members);
    add(*members, [] {
        MBR::MEMBERNUMBER.set(1);
        MBR::LASTNAME.set("Adams");
    });
    const std::string adams = members->position();
    add(*members, [] {
        MBR::MEMBERNUMBER.set(2);
        MBR::LASTNAME.set("Baker");
    });
    Record& r = buffer(FileId::Members);
    ASSERT_TRUE(members->getAtPosition(adams, r).ok());
    EXPECT_EQ(MBR::LASTNAME.get(), "Adams");
    MBR::LASTNAME.set("Zimmer");  // moves in the name order, keeps its position
    ASSERT_TRUE(members->put(r).ok());
    r.clear();
    ASSERT_TRUE(members->getAtPosition(adams, r).ok());
    EXPECT_EQ(MBR::LASTNAME.get(), "Zimmer");
    ASSERT_TRUE(members->erase().ok());
    EXPECT_EQ(members->getAtPosition(adams, r).code, code::kRecordNotAvailable);
    // A removed record's id is never given to another record.
    add(*members, [] { MBR::MEMBERNUMBER.set(3); });
    EXPECT_NE(members->position(), adams);
    for (const char* bad : {"", "x", "-1", "0", "12abc"}) {
        EXPECT_EQ(members->getAtPosition(bad, r).code, code::kRecordNotAvailable) << bad;
    }
}

TEST_P(Records, OpeningConditions) {
    auto states = storage_->file(fileDef(FileId::States));
    // Nothing exists yet: the database is not even made by looking.
    EXPECT_EQ(states->open(kSharedReadWrite).code, code::kFileNotFound);
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / kDatabaseName));
    EXPECT_EQ(lastError().code, code::kFileNotFound);
    EXPECT_EQ(lastError().text, "File Not Found");
    ASSERT_TRUE(states->create().ok());
    ASSERT_TRUE(states->open(kSharedReadWrite).ok());
    EXPECT_EQ(states->open(kSharedReadWrite).code, code::kFileAlreadyOpen);
    EXPECT_TRUE(states->isOpen());
    // Another file of the same database is still missing until created.
    EXPECT_EQ(storage_->file(fileDef(FileId::Members))->open(kSharedReadWrite).code,
              code::kFileNotFound);
    ASSERT_TRUE(states->close().ok());
    EXPECT_EQ(states->next(buffer(FileId::States)).code, code::kFileNotOpen);
}

TEST_P(Records, DamagedKeysAreReportedAndRebuilt) {
    {
        auto members = openFile(FileId::Members);
        add(*members, [] {
            MBR::MEMBERNUMBER.set(1);
            MBR::LASTNAME.set("Adams");
        });
    }
    execute("DROP INDEX \"MEMBERS$NAMEKEY\"");
    auto members = storage_->file(fileDef(FileId::Members));
    EXPECT_EQ(members->open(kSharedReadWrite).code, code::kInvalidKeyFile);
    ASSERT_TRUE(members->buildKeys().ok());
    ASSERT_TRUE(members->open(kSharedReadWrite).ok());
    const auto names = walk(*members, MBR::key::NAMEKEY, [] { return MBR::LASTNAME.get(); });
    EXPECT_EQ(names, std::vector<std::string>{"Adams"});
}

TEST_P(Records, AFieldAddedToTheLayoutGetsItsColumn) {
    // The Rooms table as an older layout made it, without the room name.
    FileDef older = fileDef(FileId::Rooms);
    older.fields.pop_back();
    older.keys.pop_back();
    {
        auto rooms = storage_->file(older);
        ASSERT_TRUE(rooms->create().ok());
        ASSERT_TRUE(rooms->open(kSharedReadWrite).ok());
        Record r(older);
        r.setInteger(0, 7);
        ASSERT_TRUE(rooms->add(r).ok());
    }
    auto rooms = storage_->file(fileDef(FileId::Rooms));
    EXPECT_EQ(rooms->open(kSharedReadWrite).code,
              code::kInvalidKeyFile);  // the name key is missing
    ASSERT_TRUE(rooms->buildKeys().ok());
    ASSERT_TRUE(rooms->open(kSharedReadWrite).ok());
    Record& r = buffer(FileId::Rooms);
    ASSERT_TRUE(rooms->setStart(-1).ok());
    ASSERT_TRUE(rooms->next(r).ok());
    EXPECT_EQ(ROO::ROOMNUMBER.get(), 7);
    EXPECT_EQ(ROO::ROOMNAME.get(), "");
}

TEST_F(SqliteRecords, AReadOnlyDatabaseIsAccessDeniedForWritingButReadable) {
    {
        auto members = openFile(FileId::Members);
        add(*members, [] { MBR::MEMBERNUMBER.set(1); });
    }
    storage_.reset();
    // Without write permission on the folder and file; the superuser, whom
    // permissions do not bind, opens the station read-only instead.
    chmod((folder_.path() / kDatabaseName).c_str(), 0444);
    chmod(folder_.path().c_str(), 0555);
    storage_ = openSqliteStorage(folder_.path(), geteuid() == 0);
    auto members = storage_->file(fileDef(FileId::Members));
    EXPECT_EQ(members->open(kSharedReadWrite).code, code::kAccessDenied);
    ASSERT_TRUE(members->open(kReadOnly | kDenyNone).ok());
    Record& r = buffer(FileId::Members);
    ASSERT_TRUE(members->setStart(-1).ok());
    ASSERT_TRUE(members->next(r).ok());
    EXPECT_EQ(members->add(r).code, code::kAccessDenied);
    EXPECT_EQ(storage_->file(fileDef(FileId::Log))->create().code, code::kAccessDenied);
    chmod(folder_.path().c_str(), 0755);
}

TEST_P(Records, OptionsAreAcceptedAndUnknownOnesIgnored) {
    auto members = openFile(FileId::Members);
    for (const char* option :
         {"Recover=10", "recover = 3", "QUICKSCAN=on", "QUICKSCAN=off", "Bogus=1", "Recover=x"}) {
        EXPECT_TRUE(members->sendOption(option).ok()) << option;
    }
}

// Pages are read through the page cache alone: through a memory map every
// page read would count as the program's memory on top of the cache.
TEST_F(SqliteRecords, TheDatabaseIsReadWithoutAMemoryMap) {
    auto members = openFile(FileId::Members);
    sqlite3* db = dynamic_cast<sqlite::SqliteStorage&>(*storage_).db();
    sqlite3_stmt* mapSize = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA mmap_size", -1, &mapSize, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(mapSize), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int64(mapSize, 0), 0);
    sqlite3_finalize(mapSize);
}

}  // namespace
}  // namespace bb::test
