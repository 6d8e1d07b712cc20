#include "storage/sqlite/sqlite_storage.h"

#include <cassert>
#include <optional>
#include <system_error>

#include "platform/runtime.h"
#include "storage/sqlite/connection_settings.h"
#include "storage/sqlite/damage_check.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "storage/sqlite/sqlite_file.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_view.h"

namespace bb::sqlite {

SqliteStorage::SqliteStorage(std::filesystem::path folder, bool readOnly)
    : folder_(std::move(folder)),
      onlyRead_(readOnly),
      stations_(folder_, folder_ / kDatabaseName) {}

SqliteStorage::~SqliteStorage() {
    assert(files_.empty() && "a handle outlived the storage that made it");
    kept_ = {};
    if (inTransaction_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
}

std::unique_ptr<StorageFile> SqliteStorage::file(const FileDef& def) {
    return std::make_unique<SqliteFile>(*this, def);
}

std::unique_ptr<StorageView> SqliteStorage::view(std::vector<ViewTable> tables) {
    return std::make_unique<SqliteView>(*this, std::move(tables));
}

DriverStatus SqliteStorage::connect(bool create) {
    if (db_) return damage_.data;
    const std::filesystem::path path = folder_ / kDatabaseName;
    std::error_code ec;
    if (!create && !std::filesystem::exists(path, ec)) return statusOf(code::kFileNotFound);
    const bool existed = std::filesystem::file_size(path, ec) > 0 && !ec;
    if (onlyRead_ && create && !std::filesystem::exists(path, ec))
        return statusOf(code::kAccessDenied);
    const int flags = onlyRead_ ? SQLITE_OPEN_READONLY
                                : SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK && !onlyRead_) {
        // No write access to the file or folder: go on reading.
        sqlite3_close_v2(db_);
        db_ = nullptr;
        rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    }
    if (rc != SQLITE_OK) {
        DriverStatus s = rc == SQLITE_CANTOPEN && !create ? statusOf(code::kFileNotFound)
                                                          : statusFromEngine(db_, rc);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        return s;
    }
    // Setting the journal the database already has writes nothing.
    configureConnection(db_);
    // Looked over before this station writes anything; damaged data leaves
    // the storage refusing every use, so nothing is ever written into it.
    // The look reads on a connection of its own, which it closes.
    if (existed) damage_ = lookForDamage(db_);
    if (!damage_.data.ok()) return damage_.data;
    readOnly_ = sqlite3_db_readonly(db_, "main") == 1;
    return DriverStatus::success();
}

DriverStatus SqliteStorage::readRecord(KeptStatement& kept, const FileDef& def, std::int64_t rid,
                                       Record& into, std::int64_t* version) {
    DriverStatus status;
    sqlite3_stmt* s = kept.use(
        db_,
        [&] {
            return "SELECT " + selectColumns(def) + " FROM " + identifier(def.storedName) +
                   " WHERE \"_rid\" = ?1";
        },
        status);
    if (!s) return status;
    sqlite3_bind_int64(s, 1, rid);
    std::int64_t found = 0;
    std::int64_t stored = 0;
    const DriverStatus read = readOneRecord(s, into, found, stored);
    if (version) *version = stored;
    return read;
}

DriverStatus SqliteStorage::readOneRecord(sqlite3_stmt* stmt, Record& into, std::int64_t& rid,
                                          std::int64_t& version) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) readRecordColumns(stmt, 0, into, rid, version);
    sqlite3_reset(stmt);
    if (rc == SQLITE_ROW) return DriverStatus::success();
    return rc == SQLITE_DONE ? statusOf(code::kRecordNotAvailable) : failure(rc);
}

DriverStatus SqliteStorage::failure(int result, const std::string& table) {
    const DriverStatus failed = statusFromEngine(db_, result);
    if (!failed.damaged) return failed;
    if (!damage_.data.ok()) return damage_.data;  // looked for already
    std::set<std::string> keys;
    if (result == SQLITE_CORRUPT_INDEX && !table.empty()) {
        // The engine found the table's keys out of step with its records.
        keys.insert(table);
    } else if (const Damage found = lookForDamage(db_); found.data.ok()) {
        keys = found.keysOf;
    }
    if (!keys.empty()) {
        damage_.keysOf.insert(keys.begin(), keys.end());
        return statusOf(code::kInvalidKeyFile);
    }
    // Damage the look did not put down to keys alone (or could not find, or
    // could not look for) is damaged data, told in the first look's words:
    // the engine's own code for the damage and its text.
    damage_.data = statusFromEngine(nullptr, result & 0xFF);
    return damage_.data;
}

namespace {

// The single integer a pragma answers; nullopt when it cannot be read.
std::optional<std::int64_t> pragmaValue(sqlite3* db, KeptStatement& kept, const char* name) {
    DriverStatus status;
    sqlite3_stmt* s = kept.use(
        db, [name] { return std::string("PRAGMA ") + name; }, status);
    if (!s) return std::nullopt;
    std::optional<std::int64_t> value;
    if (sqlite3_step(s) == SQLITE_ROW) value = sqlite3_column_int64(s, 0);
    sqlite3_reset(s);
    return value;
}

// Runs a kept statement that returns no rows.
void run(sqlite3* db, KeptStatement& kept, const char* text) {
    DriverStatus status;
    if (sqlite3_stmt* s = kept.use(
            db, [text] { return std::string(text); }, status)) {
        sqlite3_step(s);
        sqlite3_reset(s);
    }
}

}  // namespace

std::optional<std::int64_t> SqliteStorage::dataVersion() {
    if (!db_) return std::nullopt;
    return pragmaValue(db_, kept_.dataVersion, "data_version");
}

bool SqliteStorage::othersMayHold() {
    const auto version = dataVersion();
    if (!version) return true;
    if (*version == holdsSeenAt_) return othersHeld_;
    DriverStatus status;
    sqlite3_stmt* s = kept_.anyHold.use(
        db_,
        [] {
            return "SELECT 1 FROM " + identifier(kHoldsTable) + " WHERE \"station\" <> ?1 LIMIT 1";
        },
        status);
    if (!s) return true;
    sqlite3_bind_text(s, 1, station().c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    othersHeld_ = rc != SQLITE_DONE;
    holdsSeenAt_ = *version;
    return othersHeld_;
}

SchemaCheck SqliteStorage::checkedSchema(const FileDef& def) {
    const auto version = pragmaValue(db_, kept_.schemaVersion, "schema_version");
    if (!version || *version != schemaSeenAt_) {
        schemaChecks_.clear();
        schemaSeenAt_ = version.value_or(-1);
    }
    const auto found = schemaChecks_.find(def.storedName);
    if (found != schemaChecks_.end() && found->second.first == &def) return found->second.second;
    SchemaCheck check = checkSchema(db_, def);
    // Only a table found sound is trusted: anything else is looked at again.
    if (version && check.result == SQLITE_OK && check.state == SchemaState::Ok)
        schemaChecks_.insert_or_assign(def.storedName, std::make_pair(&def, check));
    return check;
}

SqliteStorage::Reading::Reading(SqliteStorage& storage) : storage_(storage) {
    if (storage_.inTransaction_ || !sqlite3_get_autocommit(storage_.db_)) return;
    run(storage_.db_, storage_.kept_.beginReading, "BEGIN");
    began_ = !sqlite3_get_autocommit(storage_.db_);
}

SqliteStorage::Reading::~Reading() {
    if (began_ && !sqlite3_get_autocommit(storage_.db_))
        run(storage_.db_, storage_.kept_.endReading, "COMMIT");
}

DriverStatus SqliteStorage::execute(const std::string& sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    sqlite3_free(message);
    return statusFromEngine(db_, rc);
}

DriverStatus SqliteStorage::begin(int waitMs) {
    if (DriverStatus s = connect(false); !s.ok()) return reported(s);
    if (inTransaction_) return reported(statusFromEngine(db_, SQLITE_MISUSE));
    sqlite3_busy_timeout(db_, waitMs);
    const DriverStatus s = execute("BEGIN IMMEDIATE");
    sqlite3_busy_timeout(db_, kStatementWaitMs);
    inTransaction_ = s.ok();
    return reported(s);
}

DriverStatus SqliteStorage::commit() {
    if (!inTransaction_) return DriverStatus::success();
    const DriverStatus s = execute("COMMIT");
    if (s.ok() || sqlite3_get_autocommit(db_)) inTransaction_ = false;
    if (s.ok()) {
        for (SqliteFile* file : files_) file->transactionEnded(true);
    }
    return reported(s);
}

DriverStatus SqliteStorage::rollback() {
    if (!inTransaction_) return DriverStatus::success();
    inTransaction_ = false;
    ++rollbacks_;
    for (SqliteFile* file : files_) file->transactionEnded(false);
    if (sqlite3_get_autocommit(db_))
        return DriverStatus::success();  // already rolled back by the engine
    // A rollback's own outcome must not hide the failure that caused it.
    return execute("ROLLBACK");
}

}  // namespace bb::sqlite

namespace bb {

std::unique_ptr<Storage> openSqliteStorage(const std::filesystem::path& folder, bool readOnly) {
    return std::make_unique<sqlite::SqliteStorage>(folder, readOnly);
}

}  // namespace bb
