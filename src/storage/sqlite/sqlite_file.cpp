#include "storage/sqlite/sqlite_file.h"

#include <charconv>

#include "platform/runtime.h"
#include "platform/text.h"
#include "storage/sqlite/connection_settings.h"
#include "storage/sqlite/linked_sql.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_storage.h"

namespace bb::sqlite {

namespace {

std::optional<std::int64_t> parseRid(std::string_view position) {
    std::int64_t rid = 0;
    const auto [end, ec] = std::from_chars(position.data(), position.data() + position.size(), rid);
    if (ec != std::errc() || end != position.data() + position.size() || rid <= 0)
        return std::nullopt;
    return rid;
}

}  // namespace

SqliteFile::SqliteFile(SqliteStorage& storage, const FileDef& def)
    : storage_(storage),
      def_(def),
      holds_(storage),
      ownChanges_(storage.ownChanges(def.storedName)),
      table_(identifier(def.storedName)),
      columns_(selectColumns(def)) {
    kept_.get.resize(def_.keys.size());
    kept_.duplicate.resize(2 * def_.keys.size());
    storage_.attach(this);
}

SqliteFile::~SqliteFile() {
    release();
    storage_.detach(this);
}

void SqliteFile::transactionEnded(bool committed) {
    if (!committed && current_) {
        const auto before = versionsBeforeTransaction_.find(current_->rid);
        if (before != versionsBeforeTransaction_.end()) current_->version = before->second;
    }
    versionsBeforeTransaction_.clear();
}

DriverStatus SqliteFile::notOpen() const {
    return reported(statusOf(code::kFileNotOpen));
}

// Keys found damaged are built again only at the file's next open: until
// then nothing is written through them, which could only harm them further
// and leave records the keys do not find.
DriverStatus SqliteFile::writeRefusal() const {
    if (!open_) return notOpen();
    if (!writable_) return reported(statusOf(code::kAccessDenied));
    if (storage_.keysDamaged(def_.storedName)) return reported(statusOf(code::kInvalidKeyFile));
    return DriverStatus::success();
}

void SqliteFile::bindKey(sqlite3_stmt* stmt, const KeyDef& key, const Record& record) {
    for (std::size_t i = 0; i < key.components.size(); ++i) {
        bindField(stmt, static_cast<int>(i) + 1, record, key.components[i].field);
    }
}

DriverStatus SqliteFile::inTransaction(const std::function<DriverStatus()>& work) {
    if (storage_.inTransaction()) return work();
    if (DriverStatus s = storage_.begin(kStatementWaitMs); !s.ok()) return s;
    DriverStatus s = work();
    if (s.ok()) s = storage_.commit();
    if (!s.ok()) storage_.rollback();
    return s;
}

DriverStatus SqliteFile::open(std::uint8_t mode) {
    if (open_) return reported(statusOf(code::kFileAlreadyOpen));
    if (DriverStatus s = storage_.connect(false); !s.ok()) return reported(s);
    if (wantsWrite(mode) && storage_.readOnly()) return reported(statusOf(code::kAccessDenied));
    // Keys found damaged when the database was first opened are built again
    // before anything else is done to the table.
    if (storage_.keysDamaged(def_.storedName)) return reported(statusOf(code::kInvalidKeyFile));
    SchemaCheck check = storage_.checkedSchema(def_);
    if (check.result != SQLITE_OK) return reported(statusFromEngine(storage_.db(), check.result));
    if (check.state == SchemaState::Missing) return reported(statusOf(code::kFileNotFound));
    if (check.state == SchemaState::MissingColumns) {
        // A field added to the layout since the table was made: add its column.
        if (storage_.readOnly()) return reported(statusOf(code::kInvalidKeyFile));
        if (DriverStatus s = addMissingColumns(check); !s.ok()) return reported(s);
        check = storage_.checkedSchema(def_);
    }
    if (check.state == SchemaState::KeysInvalid) return reported(statusOf(code::kInvalidKeyFile));
    open_ = true;
    writable_ = wantsWrite(mode);
    order_ = -1;
    current_.reset();
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::addMissingColumns(const SchemaCheck& check) {
    return inTransaction([&] {
        if (check.reservedMissing) {
            if (DriverStatus s =
                    storage_.execute("ALTER TABLE " + table_ + " ADD COLUMN " + kReservedColumn);
                !s.ok()) {
                return s;
            }
        }
        for (int f : check.missingColumns) {
            const FieldDef& field = def_.fields[static_cast<std::size_t>(f)];
            if (DriverStatus s = storage_.execute("ALTER TABLE " + table_ + " ADD COLUMN " +
                                                  columnDefinition(field));
                !s.ok()) {
                return s;
            }
        }
        return DriverStatus::success();
    });
}

DriverStatus SqliteFile::create() {
    if (DriverStatus s = storage_.connect(true); !s.ok()) return reported(s);
    if (storage_.readOnly()) return reported(statusOf(code::kAccessDenied));
    return reported(inTransaction([&] {
        if (DriverStatus s = storage_.execute(createMetaTablesSql()); !s.ok()) return s;
        const SchemaCheck check = checkSchema(storage_.db(), def_);
        if (check.result != SQLITE_OK) return statusFromEngine(storage_.db(), check.result);
        if (check.state != SchemaState::Missing)
            return DriverStatus::success();  // another station made it
        if (DriverStatus s = storage_.execute(createTableSql(def_)); !s.ok()) return s;
        return createIndexes();
    }));
}

DriverStatus SqliteFile::createIndexes() {
    for (std::size_t k = 0; k < def_.keys.size(); ++k) {
        if (DriverStatus s = storage_.execute(createIndexSql(def_, static_cast<int>(k))); !s.ok())
            return s;
    }
    if (DriverStatus s = storage_.execute(createReservationIndexSql(def_)); !s.ok()) return s;
    return storage_.execute("INSERT INTO " + identifier(kMetaTable) +
                            " VALUES ('collation:" + def_.storedName + "', '" + collationVersion() +
                            "') ON CONFLICT DO UPDATE SET \"value\" = excluded.\"value\"");
}

DriverStatus SqliteFile::buildKeys() {
    if (DriverStatus s = storage_.connect(false); !s.ok()) return reported(s);
    if (storage_.readOnly()) return reported(statusOf(code::kAccessDenied));
    const PagesUnchecked dropping(storage_.db());
    const DriverStatus built = inTransaction([&] {
        if (DriverStatus s = storage_.execute(createMetaTablesSql()); !s.ok()) return s;
        const SchemaCheck check = checkSchema(storage_.db(), def_);
        if (check.state == SchemaState::Missing) return statusOf(code::kFileNotFound);
        if (check.state == SchemaState::MissingColumns) {
            if (DriverStatus s = addMissingColumns(check); !s.ok()) return s;
        }
        std::vector<std::string> existing;
        {
            Statement list(
                storage_.db(),
                "SELECT \"name\" FROM sqlite_schema WHERE \"type\" = 'index' AND \"tbl_name\" = ?1"
                " AND \"sql\" IS NOT NULL");
            sqlite3_bind_text(list.get(), 1, def_.storedName.c_str(), -1, SQLITE_TRANSIENT);
            while (sqlite3_step(list.get()) == SQLITE_ROW) {
                existing.emplace_back(
                    reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0)));
            }
        }
        for (const std::string& name : existing) {
            if (DriverStatus s = storage_.execute("DROP INDEX " + identifier(name)); !s.ok())
                return s;
        }
        return createIndexes();
    });
    if (built.ok()) storage_.keysRebuilt(def_.storedName);
    return reported(built);
}

DriverStatus SqliteFile::close() {
    release();
    cursors_.clear();
    current_.reset();
    open_ = false;
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::sendOption(std::string_view option) {
    const auto equals = option.find('=');
    const std::string name = text::upper(text::trim(option.substr(0, equals)));
    const std::string value =
        equals == std::string_view::npos ? "" : text::upper(text::trim(option.substr(equals + 1)));
    if (name == "RECOVER") {
        int seconds = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
        if (ec == std::errc() && end == value.data() + value.size() && seconds >= 0)
            recoverSeconds_ = seconds;
    } else if (name == "QUICKSCAN") {
        readAhead_ = value == "ON";
        for (auto& [key, c] : cursors_) c->setReadAhead(readAhead_);
    }
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::count(std::int64_t& records) {
    if (!open_) return notOpen();
    DriverStatus status;
    sqlite3_stmt* s = kept_.count.use(
        storage_.db(), [&] { return "SELECT COUNT(*) FROM " + table_; }, status);
    if (!s) return reported(status);
    const int rc = sqlite3_step(s);
    records = rc == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
    sqlite3_reset(s);
    return reported(rc == SQLITE_ROW ? DriverStatus::success()
                                     : storage_.failure(rc, def_.storedName));
}

SeekCursor& SqliteFile::cursor(int key) {
    auto& c = cursors_[key];
    if (!c) {
        CursorQuery q;
        q.select = columns_;
        q.from = table_;
        if (key >= 0) {
            const KeyDef& k = def_.keys[static_cast<std::size_t>(key)];
            q.keyColumns = static_cast<int>(k.components.size());
            q.keyPresent = keyPresentPredicate(def_, key);
            for (std::size_t i = 0; i < k.components.size(); ++i) {
                q.order.push_back({componentColumn(def_, k, static_cast<int>(i)),
                                   !k.components[i].ascending, 0, k.components[i].field});
            }
        }
        q.order.push_back({"\"_rid\"", false, 0, -1});
        c = std::make_unique<SeekCursor>(storage_, std::vector<const FileDef*>{&def_},
                                         std::move(q));
        c->setReadAhead(readAhead_);
        c->setHoldMarker([this](std::vector<Row>& rows, std::size_t n) {
            if (!holds_.anyByOthers(def_.storedName)) return;
            for (std::size_t i = 0; i < n; ++i) rows[i].held = heldByOther(rows[i].rids[0]);
        });
    }
    return *c;
}

DriverStatus SqliteFile::setStart(int key) {
    if (!open_) return notOpen();
    order_ = key;
    cursor(key).toStart();
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::setAt(int key, const Record& values, int components) {
    if (!open_) return notOpen();
    order_ = key;
    const int all =
        key >= 0 ? static_cast<int>(def_.keys[static_cast<std::size_t>(key)].components.size()) : 0;
    cursor(key).toValues({&values}, components < 0 ? all : components);
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::setAtPosition(int key, std::string_view position) {
    if (!open_) return notOpen();
    const auto rid = parseRid(position);
    if (!rid) return reported(statusOf(code::kRecordNotAvailable));
    Record values(def_);
    Current found;
    if (DriverStatus s = load(*rid, values, found); !s.ok()) return reported(s);
    order_ = key;
    cursor(key).toRow({&values}, {*rid}, true);
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::read(bool forward, Record& record, bool heldToo) {
    if (!open_) return notOpen();
    Row* row = nullptr;
    if (DriverStatus s = cursor(order_).read(forward, row); !s.ok()) return reported(s);
    if (row->held && !heldToo) return reported(statusOf(code::kRecordHeld));
    row->handOver(0, record);
    current_ = Current{row->rids[0], row->version};
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::next(Record& record) {
    return read(true, record);
}
DriverStatus SqliteFile::previous(Record& record) {
    return read(false, record);
}
DriverStatus SqliteFile::peek(bool forward, Record& record) {
    return read(forward, record, true);
}

DriverStatus SqliteFile::load(std::int64_t rid, Record& into, Current& current) {
    current.rid = rid;
    return storage_.readRecord(kept_.byId, def_, rid, into, &current.version);
}

DriverStatus SqliteFile::get(int key, Record& record) {
    if (!open_) return notOpen();
    const SqliteStorage::Reading reading(storage_);
    const KeyDef& k = def_.keys[static_cast<std::size_t>(key)];
    DriverStatus status;
    sqlite3_stmt* s = kept_.get[static_cast<std::size_t>(key)].use(
        storage_.db(),
        [&] {
            std::string order;
            for (std::size_t i = 0; i < k.components.size(); ++i) {
                order += componentColumn(def_, k, static_cast<int>(i)) +
                         (k.components[i].ascending ? ", " : " DESC, ");
            }
            return "SELECT " + columns_ + " FROM " + table_ + " WHERE " +
                   keyEqualsCondition(def_, key) + " ORDER BY " + order + "\"_rid\" LIMIT 1";
        },
        status);
    if (!s) return reported(status);
    bindKey(s, k, record);
    Record found(def_);
    Current at;
    if (DriverStatus st = storage_.readOneRecord(s, found, at.rid, at.version); !st.ok())
        return reported(st);
    if (heldByOther(at.rid)) return reported(statusOf(code::kRecordHeld));
    record = found;
    current_ = at;
    order_ = key;
    cursor(key).toRow({&record}, {at.rid}, false);
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::getAtPosition(std::string_view position, Record& record) {
    if (!open_) return notOpen();
    const auto rid = parseRid(position);
    if (!rid) return reported(statusOf(code::kRecordNotAvailable));
    Record found(def_);
    Current at;
    if (DriverStatus s = load(*rid, found, at); !s.ok()) return reported(s);
    if (heldByOther(at.rid)) return reported(statusOf(code::kRecordHeld));
    record = found;
    current_ = at;
    cursor(order_).toRow({&record}, {at.rid}, false);
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::reget(Record& record) {
    if (!open_) return notOpen();
    if (!current_) return reported(statusOf(code::kRecordNotAvailable));
    Current at;
    if (DriverStatus s = load(current_->rid, record, at); !s.ok()) return reported(s);
    current_ = at;
    return reported(DriverStatus::success());
}

std::string SqliteFile::position() const {
    return current_ ? std::to_string(current_->rid) : std::string();
}

DriverStatus SqliteFile::add(const Record& record, bool reservation) {
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    // A reservation names its station, so that others can tell whether it
    // will still be written.
    if (reservation && !storage_.stations().announce())
        return reported(statusOf(code::kAccessDenied));
    DriverStatus status;
    sqlite3_stmt* s = kept_.insert.use(
        storage_.db(),
        [&] {
            std::string names, values;
            for (std::size_t f = 0; f < def_.fields.size(); ++f) {
                names += identifier(def_.fields[f].name) + ", ";
                values += "?" + std::to_string(f + 1) + ", ";
            }
            return "INSERT INTO " + table_ + " (" + names + "\"_reserved\") VALUES (" + values +
                   "?" + std::to_string(def_.fields.size() + 1) + ")";
        },
        status);
    if (!s) return reported(status);
    for (int f = 0; f < record.size(); ++f) bindField(s, f + 1, record, f);
    const std::string& mark = reservation ? storage_.station() : std::string();
    sqlite3_bind_text(s, record.size() + 1, mark.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) return writeFailed(rc, record, false);
    current_ = Current{sqlite3_last_insert_rowid(storage_.db()), 1};
    ++ownChanges_;
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::put(const Record& record) {
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    if (!current_) return reported(statusOf(code::kRecordNotAvailable));
    if (heldByOther(current_->rid)) return reported(statusOf(code::kRecordHeld));
    DriverStatus status;
    sqlite3_stmt* s = kept_.update.use(
        storage_.db(),
        [&] {
            std::string assignments;
            const std::size_t n = def_.fields.size();
            for (std::size_t f = 0; f < n; ++f) {
                assignments +=
                    identifier(def_.fields[f].name) + " = ?" + std::to_string(f + 1) + ", ";
            }
            return "UPDATE " + table_ + " SET " + assignments +
                   "\"_reserved\" = '', \"_ver\" = \"_ver\" + 1 WHERE \"_rid\" = ?" +
                   std::to_string(n + 1) + " AND \"_ver\" = ?" + std::to_string(n + 2);
        },
        status);
    if (!s) return reported(status);
    for (int f = 0; f < record.size(); ++f) bindField(s, f + 1, record, f);
    sqlite3_bind_int64(s, record.size() + 1, current_->rid);
    sqlite3_bind_int64(s, record.size() + 2, current_->version);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) return writeFailed(rc, record, true);
    // Nothing rewritten: another station changed or removed the record
    // since this handle read it.
    if (sqlite3_changes(storage_.db()) == 0) return reported(statusOf(code::kRecordChanged));
    if (storage_.inTransaction())
        versionsBeforeTransaction_.emplace(current_->rid, current_->version);
    ++current_->version;
    noteOwnChange();
    return reported(DriverStatus::success());
}

DriverStatus SqliteFile::erase() {
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    if (!current_) return reported(statusOf(code::kRecordNotAvailable));
    if (heldByOther(current_->rid)) return reported(statusOf(code::kRecordHeld));
    DriverStatus status;
    sqlite3_stmt* s = kept_.erase.use(
        storage_.db(), [&] { return "DELETE FROM " + table_ + " WHERE \"_rid\" = ?1"; }, status);
    if (!s) return reported(status);
    sqlite3_bind_int64(s, 1, current_->rid);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) return reported(storage_.failure(rc, def_.storedName));
    const bool removed = sqlite3_changes(storage_.db()) > 0;
    if (heldRid_ == current_->rid) release();
    current_.reset();
    noteOwnChange();
    return reported(removed ? DriverStatus::success() : statusOf(code::kRecordNotAvailable));
}

bool SqliteFile::linkedHeldByOther(const std::string& where, const LinkedRecords& linked) {
    if (!holds_.anyByOthers(def_.storedName)) return false;
    DriverStatus status;
    const std::string file = std::to_string(linked.components + 1);
    const std::string station = std::to_string(linked.components + 2);
    sqlite3_stmt* s = kept_.heldInLinked[where].use(
        storage_.db(),
        [&] {
            return "SELECT 1 FROM " + identifier(kHoldsTable) + " WHERE \"file\" = ?" + file +
                   " AND \"station\" <> ?" + station + " AND \"rid\" IN (SELECT \"_rid\" FROM " +
                   table_ + " WHERE " + where + ") LIMIT 1";
        },
        status);
    if (!s) return true;  // unknown: the caller goes record by record
    bindLinked(s, linked);
    sqlite3_bind_text(s, linked.components + 1, def_.storedName.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, linked.components + 2, storage_.station().c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    return rc != SQLITE_DONE;
}

std::optional<LinkedFound> SqliteFile::findLinked(const LinkedRecords& linked) {
    const auto where = linkedCondition(linked);
    if (!open_ || !where) return std::nullopt;
    DriverStatus status;
    sqlite3_stmt* s = kept_.anyLinked[*where].use(
        storage_.db(), [&] { return "SELECT 1 FROM " + table_ + " WHERE " + *where + " LIMIT 1"; },
        status);
    if (!s) return std::nullopt;
    bindLinked(s, linked);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc == SQLITE_DONE) return LinkedFound::None;
    if (rc != SQLITE_ROW) return std::nullopt;
    return linkedHeldByOther(*where, linked) ? LinkedFound::HeldByOther : LinkedFound::Some;
}

std::optional<DriverStatus> SqliteFile::eraseLinked(const LinkedRecords& linked) {
    const auto where = linkedCondition(linked);
    if (!where) return std::nullopt;
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    return reported(inTransaction([&] {
        // Held records are left to the record-by-record way, which knows
        // when a hold has outlived its station.
        if (linkedHeldByOther(*where, linked)) return statusOf(code::kRecordHeld);
        DriverStatus status;
        sqlite3_stmt* s = kept_.eraseLinked[*where].use(
            storage_.db(), [&] { return "DELETE FROM " + table_ + " WHERE " + *where; }, status);
        if (!s) return status;
        bindLinked(s, linked);
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        if (rc != SQLITE_DONE) return storage_.failure(rc, def_.storedName);
        // Rows read ahead may be among those gone.
        ++ownChanges_;
        return DriverStatus::success();
    }));
}

std::optional<DriverStatus> SqliteFile::updateLinked(const LinkedRecords& linked,
                                                     const Record& values,
                                                     const std::vector<int>& fields) {
    const auto where = linkedCondition(linked);
    if (!where) return std::nullopt;
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    // The new values follow the chain's own parameters.
    std::string assignments;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        assignments += identifier(def_.fields[static_cast<std::size_t>(fields[i])].name) + " = ?" +
                       std::to_string(linked.components + static_cast<int>(i) + 1) + ", ";
    }
    const std::string sql =
        "UPDATE " + table_ + " SET " + assignments + "\"_ver\" = \"_ver\" + 1 WHERE " + *where;
    return reported(inTransaction([&] {
        if (linkedHeldByOther(*where, linked)) return statusOf(code::kRecordHeld);
        DriverStatus status;
        sqlite3_stmt* s = kept_.updateLinked[sql].use(
            storage_.db(), [&] { return sql; }, status);
        if (!s) return status;
        bindLinked(s, linked);
        for (std::size_t i = 0; i < fields.size(); ++i)
            bindField(s, linked.components + static_cast<int>(i) + 1, values, fields[i]);
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        if (rc != SQLITE_DONE) return storage_.failure(rc, def_.storedName);
        // Rows read ahead may be among those rewritten.
        ++ownChanges_;
        return DriverStatus::success();
    }));
}

// A write the engine refused; a duplicated key is named when it can be found.
DriverStatus SqliteFile::writeFailed(int result, const Record& record, bool excludeCurrent) {
    DriverStatus failed = storage_.failure(result, def_.storedName);
    if (failed.code == code::kDuplicateKey)
        failed.key = duplicateKey(record, excludeCurrent).value_or(-1);
    return reported(failed);
}

// A change of the record this handle read last leaves its read-ahead good:
// the entries after it were read before and are untouched.
void SqliteFile::noteOwnChange() {
    const std::uint64_t before = storage_.rollbacks() + ownChanges_;
    ++ownChanges_;
    for (auto& [key, c] : cursors_) c->ownChange(before);
}

std::optional<int> SqliteFile::duplicateKey(const Record& record, bool excludeCurrent) {
    for (std::size_t key = 0; key < def_.keys.size(); ++key) {
        const KeyDef& k = def_.keys[key];
        if (!k.unique || (k.blankExcluded && record.keyIsBlank(static_cast<int>(key)))) continue;
        const bool skipCurrent = excludeCurrent && current_;
        DriverStatus status;
        sqlite3_stmt* s = kept_.duplicate[2 * key + (skipCurrent ? 1 : 0)].use(
            storage_.db(),
            [&] {
                std::string where = keyEqualsCondition(def_, static_cast<int>(key));
                if (skipCurrent)
                    where += " AND \"_rid\" <> ?" + std::to_string(k.components.size() + 1);
                return "SELECT 1 FROM " + table_ + " WHERE " + where + " LIMIT 1";
            },
            status);
        if (!s) continue;
        bindKey(s, k, record);
        if (skipCurrent)
            sqlite3_bind_int64(s, static_cast<int>(k.components.size()) + 1, current_->rid);
        const bool exists = sqlite3_step(s) == SQLITE_ROW;
        sqlite3_reset(s);
        if (exists) return static_cast<int>(key);
    }
    return std::nullopt;
}

std::vector<std::string> SqliteFile::staleReservations() {
    std::vector<std::string> stale;
    if (!open_) return stale;
    DriverStatus status;
    sqlite3_stmt* s = kept_.stale.use(
        storage_.db(),
        [&] {
            return "SELECT \"_rid\", \"_reserved\" FROM " + table_ + " WHERE \"_reserved\" <> ''";
        },
        status);
    if (!s) return stale;
    std::vector<std::pair<std::int64_t, std::string>> reserved;
    while (sqlite3_step(s) == SQLITE_ROW) {
        reserved.emplace_back(sqlite3_column_int64(s, 0),
                              reinterpret_cast<const char*>(sqlite3_column_text(s, 1)));
    }
    sqlite3_reset(s);
    for (const auto& [rid, station] : reserved) {
        if (!storage_.stations().alive(station)) stale.push_back(std::to_string(rid));
    }
    return stale;
}

DriverStatus SqliteFile::hold() {
    if (!open_) return notOpen();
    if (!current_) return reported(statusOf(code::kRecordNotAvailable));
    if (heldRid_ == current_->rid) return reported(DriverStatus::success());
    release();
    DriverStatus s = holds_.take(def_.storedName, current_->rid, recoverSeconds_);
    if (s.ok()) heldRid_ = current_->rid;
    return reported(s);
}

DriverStatus SqliteFile::release() {
    if (heldRid_) holds_.release(def_.storedName, *heldRid_);
    heldRid_.reset();
    return DriverStatus::success();
}

}  // namespace bb::sqlite
