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
#include <set>
#include <string>

#include "platform/storage.h"
#include "storage/sqlite/damage_check.h"
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
    void keysRebuilt(const std::string& table) { damage_.keysOf.erase(table); }
    sqlite3* db() const { return db_; }
    bool readOnly() const { return readOnly_; }

    // A prepared statement for the text, kept for reuse; reset before use.
    // Null (with the failure in `status`) when it cannot be prepared.
    sqlite3_stmt* statement(const std::string& sql, DriverStatus& status);
    DriverStatus execute(const std::string& sql);
    // Reads the record of `def`'s table with this id into `into` (and its
    // version into *version); code 33 when there is none.
    DriverStatus readRecord(const FileDef& def, std::int64_t rid, Record& into,
                            std::int64_t* version = nullptr);
    // Steps `stmt` (a query of `selectColumns`) once: its first row into
    // `into`, with its id and version; code 33 when it has none.
    DriverStatus readOneRecord(sqlite3_stmt* stmt, Record& into, std::int64_t& rid,
                               std::int64_t& version);

    // Bumped by every change this station makes to a table (and for every
    // table by a rollback), so that read-ahead taken before it is not trusted
    // after it.
    std::uint64_t changes(const std::string& table) const;
    void noteChange(const std::string& table) { ++changes_[table]; }

    Stations& stations() { return stations_; }

    // The handles alive on this storage, told when a transaction ends.
    void attach(SqliteFile* file) { files_.insert(file); }
    void detach(SqliteFile* file) { files_.erase(file); }

    // How long a plain statement waits for other stations.
    static constexpr int kStatementWaitMs = 5000;

private:
    std::filesystem::path folder_;
    sqlite3* db_ = nullptr;
    bool readOnly_ = false;
    bool onlyRead_ = false;  // asked to read only, whatever the permissions
    bool inTransaction_ = false;
    std::map<std::string, std::uint64_t> changes_;
    std::set<SqliteFile*> files_;
    std::uint64_t rollbacks_ = 0;
    std::map<std::string, std::unique_ptr<Statement>> statements_;
    Stations stations_;
    Damage damage_;
};

}  // namespace bb::sqlite
