#include "storage/sqlite/holds.h"

#include <chrono>
#include <ctime>

#include "platform/runtime.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_storage.h"

namespace bb::sqlite {

namespace {

std::string findSql() {
    return "SELECT \"station\" FROM " + identifier(kHoldsTable) +
           " WHERE \"file\" = ?1 AND \"rid\" = ?2";
}
std::string breakSql() {
    return "DELETE FROM " + identifier(kHoldsTable) +
           " WHERE \"file\" = ?1 AND \"rid\" = ?2 AND \"station\" = ?3";
}
std::string takeSql() {
    return "INSERT INTO " + identifier(kHoldsTable) +
           " (\"file\", \"rid\", \"station\", \"taken\") VALUES (?1, ?2, ?3, ?4)"
           " ON CONFLICT DO NOTHING";
}
std::string anySql() {
    return "SELECT 1 FROM " + identifier(kHoldsTable) +
           " WHERE \"file\" = ?1 AND \"station\" <> ?2 LIMIT 1";
}

}  // namespace

bool Holds::tableExists() {
    if (tableKnown_) return true;
    DriverStatus status;
    sqlite3_stmt* s = exists_.use(
        storage_.db(),
        [] {
            return "SELECT 1 FROM sqlite_schema WHERE \"type\" = 'table' AND \"name\" = '" +
                   std::string(kHoldsTable) + "'";
        },
        status);
    tableKnown_ = s && sqlite3_step(s) == SQLITE_ROW;
    if (s) sqlite3_reset(s);
    return tableKnown_;
}

bool Holds::anyByOthers(const std::string& file) {
    if (!tableExists() || !storage_.othersMayHold()) return false;
    DriverStatus status;
    sqlite3_stmt* s = any_.use(storage_.db(), anySql, status);
    if (!s) return false;
    sqlite3_bind_text(s, 1, file.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, 2, storage_.station().c_str(), -1, SQLITE_TRANSIENT);
    const bool any = sqlite3_step(s) == SQLITE_ROW;
    sqlite3_reset(s);
    return any;
}

bool Holds::heldByOther(const std::string& file, std::int64_t rid, int recoverSeconds) {
    if (!tableExists() || !storage_.othersMayHold()) return false;
    DriverStatus status;
    sqlite3_stmt* s = find_.use(storage_.db(), findSql, status);
    if (!s) return false;
    sqlite3_bind_text(s, 1, file.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(s, 2, rid);
    if (sqlite3_step(s) != SQLITE_ROW) {
        sqlite3_reset(s);
        return false;
    }
    const std::string station = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_reset(s);
    if (station == storage_.station()) return false;
    // The time counts from the holder's death as this station first saw it,
    // not from when the hold was taken: a long-lived holder's hold is not
    // broken the moment it dies, nor a short-lived one's early.
    const auto gone = storage_.stations().goneFor(station);
    if (!gone || *gone < std::chrono::seconds(recoverSeconds)) return true;
    // The holder is gone and its time is up: the hold no longer stands.
    remove(file, rid, station);
    return false;
}

void Holds::remove(const std::string& file, std::int64_t rid, const std::string& station) {
    DriverStatus status;
    if (sqlite3_stmt* d = break_.use(storage_.db(), breakSql, status)) {
        sqlite3_bind_text(d, 1, file.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(d, 2, rid);
        sqlite3_bind_text(d, 3, station.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(d);
        sqlite3_reset(d);
    }
}

DriverStatus Holds::take(const std::string& file, std::int64_t rid, int recoverSeconds) {
    if (heldByOther(file, rid, recoverSeconds)) return statusOf(code::kRecordHeld);
    if (!tableExists() || !storage_.stations().announce()) return statusOf(code::kAccessDenied);
    DriverStatus status;
    sqlite3_stmt* s = take_.use(storage_.db(), takeSql, status);
    if (!s) return status;
    sqlite3_bind_text(s, 1, file.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(s, 2, rid);
    sqlite3_bind_text(s, 3, storage_.station().c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(s, 4, std::time(nullptr));
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) return storage_.failure(rc);
    // Another station may have taken it between the look and the insert.
    return heldByOther(file, rid, recoverSeconds) ? statusOf(code::kRecordHeld)
                                                  : DriverStatus::success();
}

void Holds::release(const std::string& file, std::int64_t rid) {
    if (tableExists()) remove(file, rid, storage_.station());
}

}  // namespace bb::sqlite
