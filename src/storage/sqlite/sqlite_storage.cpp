#include "storage/sqlite/sqlite_storage.h"

#include <sys/vfs.h>

#include <cassert>
#include <system_error>

#include "platform/runtime.h"
#include "storage/sqlite/damage_check.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "storage/sqlite/sqlite_file.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_view.h"

namespace bb::sqlite {

namespace {

bool onNetworkFileSystem(const std::filesystem::path& folder) {
    struct statfs info {};
    if (statfs(folder.c_str(), &info) != 0) return true;  // unknown: take the safe way
    switch (static_cast<unsigned long>(info.f_type)) {
        case 0x6969:      // NFS
        case 0x517B:      // SMB
        case 0xFF534D42:  // CIFS
        case 0xFE534D42:  // SMB2
        case 0x65735546:  // FUSE (sshfs and the like)
        case 0x5346414F:  // AFS
        case 0x01021997:  // 9P
        case 0x00C36400:  // Ceph
        case 0x73757245:  // Coda
            return true;
        default:
            return false;
    }
}

}  // namespace

SqliteStorage::SqliteStorage(std::filesystem::path folder, bool readOnly)
    : folder_(std::move(folder)),
      onlyRead_(readOnly),
      stations_(folder_, folder_ / kDatabaseName) {}

SqliteStorage::~SqliteStorage() {
    assert(files_.empty() && "a handle outlived the storage that made it");
    statements_.clear();
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
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kStatementWaitMs);
    registerExtensions(db_);
    // Looked over before this station writes anything; damaged data leaves
    // the storage refusing every use, so nothing is ever written into it.
    if (existed) damage_ = lookForDamage(db_);
    if (!damage_.data.ok()) return damage_.data;
    readOnly_ = sqlite3_db_readonly(db_, "main") == 1;
    if (!readOnly_) {
        // A rollback journal is safe on a folder shared between machines.
        sqlite3_exec(db_, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr,
                     nullptr);
    }
    // Up to 64 MiB of pages stay cached between reads while no other station
    // writes; the memory is taken only as pages are read.
    sqlite3_exec(db_, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
    // On a local disk the file is read through a memory map, which spares a
    // copy of every page read. Over a network file system another machine's
    // writes may not reach a mapping in time, so there it is read plainly.
    if (!onNetworkFileSystem(folder_)) {
        sqlite3_exec(db_, "PRAGMA mmap_size=2147483648", nullptr, nullptr, nullptr);
    }
    return DriverStatus::success();
}

std::uint64_t SqliteStorage::changes(const std::string& table) const {
    const auto found = changes_.find(table);
    return rollbacks_ + (found == changes_.end() ? 0 : found->second);
}

sqlite3_stmt* SqliteStorage::statement(const std::string& sql, DriverStatus& status) {
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        auto prepared = std::make_unique<Statement>(db_, sql);
        if (!prepared->valid()) {
            status = statusFromEngine(db_, prepared->prepareResult());
            return nullptr;
        }
        found = statements_.emplace(sql, std::move(prepared)).first;
    }
    found->second->reset();
    return found->second->get();
}

DriverStatus SqliteStorage::readRecord(const FileDef& def, std::int64_t rid, Record& into,
                                       std::int64_t* version) {
    DriverStatus status;
    sqlite3_stmt* s = statement("SELECT " + selectColumns(def) + " FROM " +
                                    identifier(def.storedName) + " WHERE \"_rid\" = ?1",
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
    return rc == SQLITE_DONE ? statusOf(code::kRecordNotAvailable) : statusFromEngine(db_, rc);
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
