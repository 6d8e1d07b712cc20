#include "storage/postgres/pg_storage.h"

#include <unistd.h>

#include <cassert>

#include "platform/runtime.h"
#include "storage/postgres/pg_file.h"
#include "storage/postgres/pg_view.h"

namespace bb::postgres {

namespace {

// The advisory lock class of stations (a file's is its key, from 16 on).
constexpr int kStationClass = 1;

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return "host";
    return name;
}

// The collations whose upper case knows every character, best first.
const char* const kCaseCollationSql =
    "SELECT collname FROM pg_collation WHERE collname IN ('C.utf8', 'C.UTF-8', 'und-x-icu')"
    " ORDER BY collname = 'und-x-icu', collname LIMIT 1";

}  // namespace

PgStorage::PgStorage(ConnectionFile settings)
    : settings_(std::move(settings)),
      station_(hostName() + "-" + std::to_string(getpid())),
      process_(station_) {}

PgStorage::~PgStorage() {
    assert(files_.empty() && "a handle outlived the storage that made it");
    disconnect();
}

std::unique_ptr<StorageFile> PgStorage::file(const FileDef& def) {
    return std::make_unique<PgFile>(*this, def);
}

std::unique_ptr<StorageView> PgStorage::view(std::vector<ViewTable> tables) {
    return std::make_unique<PgView>(*this, std::move(tables));
}

void PgStorage::disconnect() {
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
    prepared_.clear();
}

DriverStatus PgStorage::connect() {
    if (!settings_.error.empty()) return engineFailure(settings_.error, 0);
    if (conn_ && PQstatus(conn_) == CONNECTION_OK) return DriverStatus::success();
    // A lost connection is told until the transaction it ended is rolled back.
    if (conn_ && inTransaction_) return engineFailure(PQerrorMessage(conn_), 0);
    disconnect();
    std::vector<const char*> keywords, values;
    for (const auto& [k, v] : settings_.settings) {
        keywords.push_back(k.c_str());
        values.push_back(v.c_str());
    }
    for (const auto& [k, v] :
         {std::pair{"application_name", "brokerbook"}, std::pair{"client_encoding", "UTF8"}}) {
        keywords.push_back(k);
        values.push_back(v);
    }
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    // A connection that failed is kept for its words until the next try.
    conn_ = PQconnectdbParams(keywords.data(), values.data(), 0);
    if (PQstatus(conn_) != CONNECTION_OK) return engineFailure(PQerrorMessage(conn_), 0);
    // The server's notices ("already exists, skipping") are for no one's eyes.
    PQsetNoticeProcessor(
        conn_, [](void*, const char*) {}, nullptr);
    const DriverStatus s = setUp();
    if (!s.ok()) disconnect();
    return s;
}

DriverStatus PgStorage::setUp() {
    const Result set =
        execute("SET lock_timeout = " + std::to_string(kStatementWaitMs) + "; LISTEN bb_changes");
    if (!set.ok()) return failure(set);
    const Result found =
        execute(std::string("SELECT pg_backend_pid(), (") + kCaseCollationSql +
                "), pg_advisory_lock(" + std::to_string(kStationClass) + ", pg_backend_pid())");
    if (!found.ok()) return failure(found);
    backendPid_ = static_cast<int>(found.integer(0, 0));
    if (!found.isNull(0, 1)) rules_.collation = std::string(found.value(0, 1));
    station_ = process_ + "@" + std::to_string(backendPid_);
    return DriverStatus::success();
}

bool PgStorage::connected() {
    return (conn_ && PQstatus(conn_) == CONNECTION_OK) || connect().ok();
}

Result PgStorage::execute(const std::string& sql) {
    if (!connected()) return Result();
    return Result(PQexec(conn_, sql.c_str()));
}

Result PgStorage::run(const std::string& sql, const Params& params) {
    if (!connected()) return Result();
    auto found = prepared_.find(sql);
    if (found == prepared_.end()) {
        const std::string name = "s" + std::to_string(prepared_.size());
        Result prepared(PQprepare(conn_, name.c_str(), sql.c_str(), 0, nullptr));
        if (!prepared.ok()) return prepared;
        found = prepared_.emplace(sql, name).first;
    }
    return Result(PQexecPrepared(conn_, found->second.c_str(), params.size(), params.pointers(),
                                 nullptr, nullptr, 0));
}

Result PgStorage::runIsolated(const std::string& sql, const Params& params) {
    if (!inTransaction_) return run(sql, params);
    if (Result s = execute("SAVEPOINT bb_write"); !s.ok()) return s;
    Result result = run(sql, params);
    execute(result.ok() ? "RELEASE SAVEPOINT bb_write" : "ROLLBACK TO SAVEPOINT bb_write");
    return result;
}

DriverStatus PgStorage::inOwnTransaction(const std::function<DriverStatus()>& work) {
    if (inTransaction_) return work();
    if (DriverStatus s = begin(kStatementWaitMs); !s.ok()) return s;
    DriverStatus s = work();
    if (s.ok()) s = commit();
    if (!s.ok()) rollback();
    return s;
}

DriverStatus PgStorage::readRecord(const FileDef& def, std::int64_t rid, Record& into,
                                   std::int64_t* version) {
    Params p;
    p.integer(rid);
    const Result r = run("SELECT " + selectColumns(def) + " FROM " + identifier(def.storedName) +
                             " WHERE \"_rid\" = $1",
                         p);
    if (!r.ok()) return failure(r);
    if (r.rows() == 0) return statusOf(code::kRecordNotAvailable);
    std::int64_t found = 0, stored = 0;
    readRecordColumns(r, 0, 0, into, found, stored);
    if (version) *version = stored;
    return DriverStatus::success();
}

SchemaCheck PgStorage::checkSchema(const FileDef& def, DriverStatus& status) {
    SchemaCheck check;
    Params p;
    p.text(def.storedName);
    const Result columns =
        run("SELECT a.attname FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid"
            " WHERE c.relname = $1 AND c.relnamespace = current_schema()::regnamespace"
            " AND c.relkind = 'r' AND a.attnum > 0 AND NOT a.attisdropped",
            p);
    if (!columns.ok()) {
        status = failure(columns);
        return check;
    }
    if (columns.rows() == 0) return check;  // no such table
    std::set<std::string> names;
    for (int i = 0; i < columns.rows(); ++i) names.emplace(columns.value(i, 0));
    check.state = SchemaState::Ok;
    for (std::size_t f = 0; f < def.fields.size(); ++f) {
        if (!names.count(def.fields[f].name)) check.missingColumns.push_back(static_cast<int>(f));
    }
    if (!check.missingColumns.empty()) {
        check.state = SchemaState::MissingColumns;
        return check;
    }
    // Each key's index as this program made it (its text kept beside it).
    const Result indexes = run("SELECT i.indexname, m.\"value\" FROM pg_indexes i LEFT JOIN " +
                                   identifier(kMetaTable) +
                                   " m ON m.\"name\" = 'index:' || i.indexname"
                                   " WHERE i.schemaname = current_schema() AND i.tablename = $1",
                               p);
    if (!indexes.ok()) {
        status = failure(indexes);
        return check;
    }
    std::map<std::string, std::string> made;
    for (int i = 0; i < indexes.rows(); ++i)
        made.emplace(indexes.value(i, 0), indexes.isNull(i, 1) ? "" : indexes.value(i, 1));
    for (std::size_t k = 0; k < def.keys.size(); ++k) {
        const int key = static_cast<int>(k);
        const auto found = made.find(indexName(def, key));
        if (found == made.end() || found->second != createIndexSql(def, key, rules_))
            check.state = SchemaState::KeysInvalid;
    }
    if (!made.count(reservationIndexName(def))) check.state = SchemaState::KeysInvalid;
    return check;
}

DriverStatus PgStorage::begin(int waitMs) {
    if (DriverStatus s = connect(); !s.ok()) return reported(s);
    if (inTransaction_) return reported(engineFailure("a transaction is open already", 0));
    const Result r =
        execute("BEGIN; SET LOCAL lock_timeout = " + std::to_string(std::max(waitMs, 1)));
    inTransaction_ = r.ok();
    return reported(failure(r));
}

DriverStatus PgStorage::commit() {
    if (!inTransaction_) return DriverStatus::success();
    const Result r = execute("COMMIT");
    const DriverStatus s = failure(r);
    // A commit the server refused has ended the transaction too.
    if (s.ok() || PQtransactionStatus(conn_) == PQTRANS_IDLE) inTransaction_ = false;
    if (s.ok()) {
        for (PgFile* file : files_) file->transactionEnded(true);
    }
    return reported(s);
}

DriverStatus PgStorage::rollback() {
    if (!inTransaction_) return DriverStatus::success();
    inTransaction_ = false;
    ++rollbacks_;
    for (PgFile* file : files_) file->transactionEnded(false);
    if (PQstatus(conn_) != CONNECTION_OK) return DriverStatus::success();  // the server did
    return failure(execute("ROLLBACK"));
}

int PgStorage::fileKey(const std::string& storedName) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : storedName) hash = (hash ^ c) * 16777619u;
    return static_cast<int>(hash % 0x7FFFFF00u) + 16;
}

namespace {

const char* const kOthersLocks =
    "SELECT objid::bigint FROM pg_locks WHERE locktype = 'advisory' AND objsubid = 2"
    " AND database = (SELECT oid FROM pg_database WHERE datname = current_database())"
    " AND classid = $1::bigint::oid AND pid <> pg_backend_pid()";

// The advisory lock's second key: the record id's low 31 bits.
std::int64_t lockKey(std::int64_t rid) {
    return rid & 0x7FFFFFFF;
}

}  // namespace

bool PgStorage::heldByOther(int file, std::int64_t rid) {
    Params p;
    p.integer(file);
    p.integer(lockKey(rid));
    const Result r = run(std::string(kOthersLocks) + " AND objid = $2::bigint::oid LIMIT 1", p);
    return !r.ok() || r.rows() > 0;
}

std::optional<std::set<std::int64_t>> PgStorage::heldByOthers(int file) {
    Params p;
    p.integer(file);
    const Result r = run(kOthersLocks, p);
    if (!r.ok()) return std::nullopt;
    std::set<std::int64_t> held;
    for (int i = 0; i < r.rows(); ++i) held.insert(r.integer(i, 0));
    return held;
}

DriverStatus PgStorage::take(int file, std::int64_t rid) {
    if (heldByOther(file, rid)) return statusOf(code::kRecordHeld);
    Params p;
    p.integer(file);
    p.integer(lockKey(rid));
    const Result r = run("SELECT pg_try_advisory_lock($1::int, $2::int)", p);
    if (!r.ok()) return failure(r);
    return r.value(0, 0) == "t" ? DriverStatus::success() : statusOf(code::kRecordHeld);
}

void PgStorage::release(int file, std::int64_t rid) {
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) return;
    Params p;
    p.integer(file);
    p.integer(lockKey(rid));
    run("SELECT pg_advisory_unlock($1::int, $2::int)", p);
}

bool PgStorage::alive(const std::string& station) {
    if (station == station_) return true;
    const auto at = station.rfind('@');
    if (at == std::string::npos) return false;
    Params p;
    p.integer(kStationClass);
    p.text(station.substr(at + 1));
    const Result r =
        run("SELECT 1 FROM pg_locks WHERE locktype = 'advisory' AND objsubid = 2"
            " AND classid = $1::bigint::oid AND objid = $2::bigint::oid AND pid = $2::int LIMIT 1",
            p);
    return !r.ok() || r.rows() > 0;
}

std::optional<std::int64_t> PgStorage::othersChanges() {
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) return std::nullopt;
    if (PQconsumeInput(conn_) == 0) return std::nullopt;
    while (PGnotify* n = PQnotifies(conn_)) {
        if (n->be_pid != backendPid_) ++othersChanges_;
        PQfreemem(n);
    }
    return othersChanges_;
}

}  // namespace bb::postgres

namespace bb {

std::unique_ptr<Storage> openPostgresStorage(postgres::ConnectionFile settings) {
    return std::make_unique<postgres::PgStorage>(std::move(settings));
}

}  // namespace bb
