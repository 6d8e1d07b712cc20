// The SQLite engine behind the file driver: one database in the data folder
// holds every data file as a table.
//
// The connection opens on the first use and is shared by all handles of the
// process. The database uses a rollback journal with full synchronous
// writes: unlike write-ahead logging, a rollback journal stays correct when
// several machines share the folder over a network file system. A statement
// is never left half-read, so a reader never holds up another station's
// writer for longer than one batch takes.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

#include "platform/storage.h"
#include "storage/sqlite/damage_check.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_support.h"
#include "storage/sqlite/stations.h"

namespace bb::sqlite {

class SqliteFile;

class SqliteStorage final : public Storage {
public:
    SqliteStorage(std::filesystem::path folder, bool readOnly);
    ~SqliteStorage() override;

    std::unique_ptr<StorageFile> file(const FileDef& def) override;
    std::unique_ptr<StorageView> view(std::vector<ViewTable> tables) override;
    DriverStatus begin(int waitMs) override;
    DriverStatus commit() override;
    DriverStatus rollback() override;
    bool inTransaction() const override { return inTransaction_; }
    const std::string& station() const override { return stations_.self(); }

    // Opens the connection if it is not open, looking the database over for
    // damage first. Without `create`, a missing database is code 2; a
    // damaged one is code 90 with the engine's words, every time.
    DriverStatus connect(bool create);
    // Whether the look found the table's keys damaged (and nothing else),
    // so that they must be built again before the table is used.
    bool keysDamaged(const std::string& table) const { return damage_.keysOf.count(table) > 0; }
    // The status for an engine failure met reading or writing `table` (empty:
    // a read that may reach several tables). Damage met now, after the first
    // look found the file sound (a page gone bad since: another station's
    // crash, a disk fault), is told as that look tells it: damage confined to
    // keys is code 46, the keys to be built again when their file is next
    // opened; any other damage is code 90 with the engine's words, and from
    // then on the storage refuses every open and transaction, so nothing is
    // written into the damaged file.
    DriverStatus failure(int result, const std::string& table = {});
    void keysRebuilt(const std::string& table) { damage_.keysOf.erase(table); }
    sqlite3* db() const { return db_; }
    bool readOnly() const { return readOnly_; }

    DriverStatus execute(const std::string& sql);
    // Reads the record of `def`'s table with this id into `into` (and its
    // version into *version), through `kept`, the caller's statement for
    // this (prepared on first use); code 33 when there is none.
    DriverStatus readRecord(KeptStatement& kept, const FileDef& def, std::int64_t rid, Record& into,
                            std::int64_t* version = nullptr);
    // Steps `stmt` (a query of `selectColumns`) once: its first row into
    // `into`, with its id and version; code 33 when it has none.
    DriverStatus readOneRecord(sqlite3_stmt* stmt, Record& into, std::int64_t& rid,
                               std::int64_t& version);

    // A table's change count is its count of this station's own changes
    // plus the rollbacks, which undo changes to every table: read-ahead
    // taken before the count moved is not trusted after it. The own count
    // stays where it is for the storage's life, so that a handle keeps it at
    // hand instead of finding it by name for every record.
    std::uint64_t& ownChanges(const std::string& table) { return changes_[table]; }
    const std::uint64_t& rollbacks() const { return rollbacks_; }

    Stations& stations() { return stations_; }

    // The engine's count of the changes other connections (other stations)
    // have committed since this one opened; it moves with each of them.
    // nullopt when it cannot be read.
    std::optional<std::int64_t> dataVersion();

    // Whether a station other than this one may hold a record. False only
    // when none did at the last look and no other station has changed the
    // database since (its data version is the same), so that reading needs
    // no look at the holds record by record.
    bool othersMayHold();

    // The schema check of `def`'s table, made once and trusted until the
    // database's schema changes.
    SchemaCheck checkedSchema(const FileDef& def);

    // While one lives, the statements run share one read transaction (one
    // lock taken and let go, instead of one per statement), unless a
    // transaction is open already. A reader never holds up another
    // station's writer for longer than the guard lives.
    class Reading {
    public:
        explicit Reading(SqliteStorage& storage);
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;

    private:
        SqliteStorage& storage_;
        bool began_ = false;
    };

    // The handles alive on this storage, told when a transaction ends.
    void attach(SqliteFile* file) { files_.insert(file); }
    void detach(SqliteFile* file) { files_.erase(file); }

private:
    std::filesystem::path folder_;
    sqlite3* db_ = nullptr;
    bool readOnly_ = false;
    bool onlyRead_ = false;  // asked to read only, whatever the permissions
    bool inTransaction_ = false;
    std::map<std::string, std::uint64_t> changes_;
    std::set<SqliteFile*> files_;
    std::uint64_t rollbacks_ = 0;
    // The storage's own statements, each prepared once.
    struct Kept {
        KeptStatement dataVersion, anyHold, beginReading, endReading, schemaVersion;
    };
    Kept kept_;
    std::int64_t holdsSeenAt_ = -1;  // the data version when the holds were last looked at
    bool othersHeld_ = true;
    std::int64_t schemaSeenAt_ = -1;  // the schema version the checks below were made at
    // Keyed by table name; a check made for another layout of the table is
    // not trusted for this one.
    std::unordered_map<std::string, std::pair<const FileDef*, SchemaCheck>> schemaChecks_;
    Stations stations_;
    Damage damage_;
};

}  // namespace bb::sqlite
