#include "storage/postgres/pg_file.h"

#include <charconv>

#include "platform/runtime.h"
#include "platform/text.h"
#include "storage/postgres/pg_linked.h"
#include "storage/postgres/pg_storage.h"

namespace bb::postgres {

namespace {

std::optional<std::int64_t> parseRid(std::string_view position) {
    std::int64_t rid = 0;
    const auto [end, ec] = std::from_chars(position.data(), position.data() + position.size(), rid);
    if (ec != std::errc() || end != position.data() + position.size() || rid <= 0)
        return std::nullopt;
    return rid;
}

// A change that tells the other stations, once it is committed, that the
// data changed: `change` (returning its rows) with the notice in the same
// statement, so that it costs no second trip to the server.
// `returned` "1" counts the rows changed instead.
std::string noticed(const std::string& change, const std::string& returned) {
    const std::string rows = returned == "1" ? "count(*)" : returned;
    return "WITH w AS (" + change + " RETURNING " + returned + ") SELECT " + rows +
           ", pg_notify('bb_changes', '') FROM w";
}

// Keeps a serial order of table creation between stations, inside the
// creating transaction.
const char* const kCreationLock = "SELECT pg_advisory_xact_lock(2)";

}  // namespace

PgFile::PgFile(PgStorage& storage, const FileDef& def)
    : storage_(storage),
      def_(def),
      fileKey_(PgStorage::fileKey(def.storedName)),
      ownChanges_(storage.ownChanges(def.storedName)),
      table_(identifier(def.storedName)),
      columns_(selectColumns(def)) {
    storage_.attach(this);
}

PgFile::~PgFile() {
    release();
    storage_.detach(this);
}

void PgFile::transactionEnded(bool committed) {
    if (!committed && current_) {
        const auto before = versionsBeforeTransaction_.find(current_->rid);
        if (before != versionsBeforeTransaction_.end()) current_->version = before->second;
    }
    versionsBeforeTransaction_.clear();
}

DriverStatus PgFile::notOpen() const {
    return reported(statusOf(code::kFileNotOpen));
}

DriverStatus PgFile::writeRefusal() const {
    if (!open_) return notOpen();
    if (!writable_) return reported(statusOf(code::kAccessDenied));
    return DriverStatus::success();
}

void PgFile::bindKey(Params& params, const KeyDef& key, const Record& record) {
    for (const KeyComponent& c : key.components) params.field(record, c.field);
}

DriverStatus PgFile::open(std::uint8_t mode) {
    if (open_) return reported(statusOf(code::kFileAlreadyOpen));
    if (DriverStatus s = storage_.connect(); !s.ok()) return reported(s);
    DriverStatus failed;
    SchemaCheck check = storage_.checkSchema(def_, failed);
    if (!failed.ok()) return reported(failed);
    if (check.state == SchemaState::Missing) return reported(statusOf(code::kFileNotFound));
    if (check.state == SchemaState::MissingColumns) {
        // A field added to the layout since the table was made: add its column.
        if (DriverStatus s = addMissingColumns(check); !s.ok()) return reported(s);
        check = storage_.checkSchema(def_, failed);
        if (!failed.ok()) return reported(failed);
    }
    if (check.state == SchemaState::KeysInvalid) return reported(statusOf(code::kInvalidKeyFile));
    open_ = true;
    writable_ = wantsWrite(mode);
    order_ = -1;
    current_.reset();
    return reported(DriverStatus::success());
}

DriverStatus PgFile::addMissingColumns(const SchemaCheck& check) {
    return storage_.inOwnTransaction([&] {
        for (int f : check.missingColumns) {
            const FieldDef& field = def_.fields[static_cast<std::size_t>(f)];
            const Result r = storage_.execute(
                "ALTER TABLE " + table_ + " ADD COLUMN IF NOT EXISTS " + columnDefinition(field));
            if (!r.ok()) return storage_.failure(r);
        }
        return DriverStatus::success();
    });
}

DriverStatus PgFile::create() {
    if (DriverStatus s = storage_.connect(); !s.ok()) return reported(s);
    return reported(storage_.inOwnTransaction([&] {
        const Result made =
            storage_.execute(std::string(kCreationLock) + "; " + createMetaTableSql());
        if (!made.ok()) return storage_.failure(made);
        DriverStatus failed;
        const SchemaCheck check = storage_.checkSchema(def_, failed);
        if (!failed.ok()) return failed;
        if (check.state != SchemaState::Missing) return DriverStatus::success();  // made already
        if (const Result r = storage_.execute(createTableSql(def_)); !r.ok())
            return storage_.failure(r);
        return createIndexes();
    }));
}

DriverStatus PgFile::createIndexes() {
    std::vector<std::pair<std::string, std::string>> made;
    for (std::size_t k = 0; k < def_.keys.size(); ++k) {
        const int key = static_cast<int>(k);
        made.emplace_back(indexName(def_, key), createIndexSql(def_, key, storage_.caseRules()));
    }
    made.emplace_back(reservationIndexName(def_), createReservationIndexSql(def_));
    for (const auto& [name, sql] : made) {
        if (const Result r = storage_.execute(sql); !r.ok()) return storage_.failure(r);
        // The text it was made from, so that a key made otherwise is known.
        Params p;
        p.text("index:" + name);
        p.text(sql);
        const Result noted = storage_.run("INSERT INTO " + identifier(kMetaTable) +
                                              " VALUES ($1, $2) ON CONFLICT (\"name\") DO UPDATE"
                                              " SET \"value\" = excluded.\"value\"",
                                          p);
        if (!noted.ok()) return storage_.failure(noted);
    }
    return DriverStatus::success();
}

DriverStatus PgFile::dropIndexes() {
    Params p;
    p.text(def_.storedName);
    const Result list = storage_.run(
        "SELECT i.indexname FROM pg_indexes i JOIN pg_class c ON c.relname = i.indexname"
        " JOIN pg_index x ON x.indexrelid = c.oid WHERE i.schemaname = current_schema()"
        " AND i.tablename = $1 AND NOT x.indisprimary",
        p);
    if (!list.ok()) return storage_.failure(list);
    for (int i = 0; i < list.rows(); ++i) {
        const Result r = storage_.execute("DROP INDEX " + identifier(list.value(i, 0)));
        if (!r.ok()) return storage_.failure(r);
    }
    return DriverStatus::success();
}

DriverStatus PgFile::buildKeys() {
    if (DriverStatus s = storage_.connect(); !s.ok()) return reported(s);
    return reported(storage_.inOwnTransaction([&] {
        const Result made =
            storage_.execute(std::string(kCreationLock) + "; " + createMetaTableSql());
        if (!made.ok()) return storage_.failure(made);
        DriverStatus failed;
        const SchemaCheck check = storage_.checkSchema(def_, failed);
        if (!failed.ok()) return failed;
        if (check.state == SchemaState::Missing) return statusOf(code::kFileNotFound);
        if (check.state == SchemaState::MissingColumns) {
            if (DriverStatus s = addMissingColumns(check); !s.ok()) return s;
        }
        if (DriverStatus s = dropIndexes(); !s.ok()) return s;
        return createIndexes();
    }));
}

DriverStatus PgFile::close() {
    release();
    cursors_.clear();
    current_.reset();
    open_ = false;
    return reported(DriverStatus::success());
}

DriverStatus PgFile::sendOption(std::string_view option) {
    const auto equals = option.find('=');
    const std::string name = text::upper(text::trim(option.substr(0, equals)));
    const std::string value =
        equals == std::string_view::npos ? "" : text::upper(text::trim(option.substr(equals + 1)));
    // Holds end with their station's connection, so "Recover=" has nothing to set.
    if (name == "QUICKSCAN") {
        readAhead_ = value == "ON";
        for (auto& [key, c] : cursors_) c->setReadAhead(readAhead_);
    }
    return reported(DriverStatus::success());
}

DriverStatus PgFile::count(std::int64_t& records) {
    if (!open_) return notOpen();
    const Result r = storage_.run("SELECT count(*) FROM " + table_);
    if (!r.ok()) return reported(storage_.failure(r));
    records = r.integer(0, 0);
    return reported(DriverStatus::success());
}

PgCursor& PgFile::cursor(int key) {
    auto& c = cursors_[key];
    if (!c) {
        CursorQuery q;
        q.select = columns_;
        q.from = table_;
        if (key >= 0) {
            const KeyDef& k = def_.keys[static_cast<std::size_t>(key)];
            q.where = keyPresentPredicate(def_, key);
            for (std::size_t i = 0; i < k.components.size(); ++i) {
                const bool noCase =
                    k.noCase &&
                    def_.fields[static_cast<std::size_t>(k.components[i].field)].isText();
                q.order.push_back(
                    {componentColumn(def_, k, static_cast<int>(i), storage_.caseRules()),
                     !k.components[i].ascending, 0, k.components[i].field,
                     noCase ? &storage_.caseRules() : nullptr});
            }
        }
        q.order.push_back({"\"_rid\"", false, 0, -1, nullptr});
        c = std::make_unique<PgCursor>(storage_, std::vector<const FileDef*>{&def_}, std::move(q));
        c->setReadAhead(readAhead_);
        c->setHoldMarker([this](std::vector<Row>& rows, std::size_t n) {
            const auto held = storage_.heldByOthers(fileKey_);
            for (std::size_t i = 0; i < n; ++i)
                rows[i].held = !held || held->count(rows[i].rids[0] & 0x7FFFFFFF) > 0;
        });
    }
    return *c;
}

DriverStatus PgFile::setStart(int key) {
    if (!open_) return notOpen();
    order_ = key;
    cursor(key).toStart();
    return reported(DriverStatus::success());
}

DriverStatus PgFile::setAt(int key, const Record& values, int components) {
    if (!open_) return notOpen();
    order_ = key;
    const int all =
        key >= 0 ? static_cast<int>(def_.keys[static_cast<std::size_t>(key)].components.size()) : 0;
    cursor(key).toValues({&values}, components < 0 ? all : components);
    return reported(DriverStatus::success());
}

DriverStatus PgFile::setAtPosition(int key, std::string_view position) {
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

DriverStatus PgFile::read(bool forward, Record& record, bool heldToo) {
    if (!open_) return notOpen();
    Row* row = nullptr;
    if (DriverStatus s = cursor(order_).read(forward, row); !s.ok()) return reported(s);
    if (row->held && !heldToo) return reported(statusOf(code::kRecordHeld));
    row->handOver(0, record);
    current_ = Current{row->rids[0], row->version};
    return reported(DriverStatus::success());
}

DriverStatus PgFile::load(std::int64_t rid, Record& into, Current& current) {
    current.rid = rid;
    return storage_.readRecord(def_, rid, into, &current.version);
}

DriverStatus PgFile::get(int key, Record& record) {
    if (!open_) return notOpen();
    const KeyDef& k = def_.keys[static_cast<std::size_t>(key)];
    std::string order;
    for (std::size_t i = 0; i < k.components.size(); ++i) {
        order += componentColumn(def_, k, static_cast<int>(i), storage_.caseRules()) +
                 (k.components[i].ascending ? ", " : " DESC, ");
    }
    Params p;
    bindKey(p, k, record);
    const Result r = storage_.run("SELECT " + columns_ + " FROM " + table_ + " WHERE " +
                                      keyEqualsCondition(def_, key, storage_.caseRules()) +
                                      " ORDER BY " + order + "\"_rid\" LIMIT 1",
                                  p);
    if (!r.ok()) return reported(storage_.failure(r));
    if (r.rows() == 0) return reported(statusOf(code::kRecordNotAvailable));
    Record found(def_);
    Current at;
    readRecordColumns(r, 0, 0, found, at.rid, at.version);
    if (storage_.heldByOther(fileKey_, at.rid)) return reported(statusOf(code::kRecordHeld));
    record = found;
    current_ = at;
    order_ = key;
    cursor(key).toRow({&record}, {at.rid}, false);
    return reported(DriverStatus::success());
}

DriverStatus PgFile::getAtPosition(std::string_view position, Record& record) {
    if (!open_) return notOpen();
    const auto rid = parseRid(position);
    if (!rid) return reported(statusOf(code::kRecordNotAvailable));
    Record found(def_);
    Current at;
    if (DriverStatus s = load(*rid, found, at); !s.ok()) return reported(s);
    if (storage_.heldByOther(fileKey_, at.rid)) return reported(statusOf(code::kRecordHeld));
    record = found;
    current_ = at;
    cursor(order_).toRow({&record}, {at.rid}, false);
    return reported(DriverStatus::success());
}

DriverStatus PgFile::reget(Record& record) {
    if (!open_) return notOpen();
    if (!current_) return reported(statusOf(code::kRecordNotAvailable));
    Current at;
    if (DriverStatus s = load(current_->rid, record, at); !s.ok()) return reported(s);
    current_ = at;
    return reported(DriverStatus::success());
}

std::string PgFile::position() const {
    return current_ ? std::to_string(current_->rid) : std::string();
}

DriverStatus PgFile::add(const Record& record, bool reservation) {
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    std::string names, values;
    for (std::size_t f = 0; f < def_.fields.size(); ++f) {
        names += identifier(def_.fields[f].name) + ", ";
        values += "$" + std::to_string(f + 1) + ", ";
    }
    Params p;
    for (int f = 0; f < record.size(); ++f) p.field(record, f);
    // A reservation names its station, so that others can tell whether it
    // will still be written.
    p.text(reservation ? storage_.station() : std::string());
    // A duplicate key inserts nothing instead of failing, which would end
    // an open transaction on the server.
    const Result r = storage_.run(
        noticed("INSERT INTO " + table_ + " (" + names + "\"_reserved\") VALUES (" + values + "$" +
                    std::to_string(def_.fields.size() + 1) + ") ON CONFLICT DO NOTHING",
                "\"_rid\""),
        p);
    if (!r.ok()) return writeFailed(r, record, false);
    if (r.rows() == 0) {
        DriverStatus dup = statusOf(code::kDuplicateKey);
        dup.key = duplicateKey(record, false).value_or(-1);
        return reported(dup);
    }
    current_ = Current{r.integer(0, 0), 1};
    ++ownChanges_;
    return reported(DriverStatus::success());
}

DriverStatus PgFile::put(const Record& record) {
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    if (!current_) return reported(statusOf(code::kRecordNotAvailable));
    if (storage_.heldByOther(fileKey_, current_->rid)) return reported(statusOf(code::kRecordHeld));
    std::string assignments;
    const std::size_t n = def_.fields.size();
    for (std::size_t f = 0; f < n; ++f)
        assignments += identifier(def_.fields[f].name) + " = $" + std::to_string(f + 1) + ", ";
    Params p;
    for (int f = 0; f < record.size(); ++f) p.field(record, f);
    p.integer(current_->rid);
    p.integer(current_->version);
    const Result r = storage_.runIsolated(
        noticed("UPDATE " + table_ + " SET " + assignments +
                    "\"_reserved\" = '', \"_ver\" = \"_ver\" + 1 WHERE \"_rid\" = $" +
                    std::to_string(n + 1) + " AND \"_ver\" = $" + std::to_string(n + 2),
                "1"),
        p);
    if (!r.ok()) return writeFailed(r, record, true);
    // Nothing rewritten: another station changed or removed the record
    // since this handle read it.
    if (r.integer(0, 0) == 0) return reported(statusOf(code::kRecordChanged));
    if (storage_.inTransaction())
        versionsBeforeTransaction_.emplace(current_->rid, current_->version);
    ++current_->version;
    noteOwnChange();
    return reported(DriverStatus::success());
}

DriverStatus PgFile::erase() {
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    if (!current_) return reported(statusOf(code::kRecordNotAvailable));
    if (storage_.heldByOther(fileKey_, current_->rid)) return reported(statusOf(code::kRecordHeld));
    Params p;
    p.integer(current_->rid);
    const Result r =
        storage_.run(noticed("DELETE FROM " + table_ + " WHERE \"_rid\" = $1", "1"), p);
    if (!r.ok()) return reported(storage_.failure(r));
    const bool removed = r.integer(0, 0) > 0;
    if (heldRid_ == current_->rid) release();
    current_.reset();
    noteOwnChange();
    return reported(removed ? DriverStatus::success() : statusOf(code::kRecordNotAvailable));
}

bool PgFile::linkedHeldByOther(const std::string& where, const LinkedRecords& linked) {
    const auto held = storage_.heldByOthers(fileKey_);
    if (!held) return true;
    if (held->empty()) return false;
    Params p;
    bindLinked(p, linked);
    std::string ids = "{";
    for (std::int64_t rid : *held) ids += (ids.size() > 1 ? "," : "") + std::to_string(rid);
    p.text(ids + "}");
    const Result r = storage_.run("SELECT 1 FROM " + table_ + " WHERE " + where +
                                      " AND (\"_rid\" & 2147483647) = ANY ($" +
                                      std::to_string(linked.components + 1) + "::bigint[]) LIMIT 1",
                                  p);
    return !r.ok() || r.rows() > 0;
}

std::optional<LinkedFound> PgFile::findLinked(const LinkedRecords& linked) {
    const auto where = linkedCondition(linked, storage_.caseRules());
    if (!open_ || !where) return std::nullopt;
    Params p;
    bindLinked(p, linked);
    const Result r = storage_.run("SELECT 1 FROM " + table_ + " WHERE " + *where + " LIMIT 1", p);
    if (!r.ok()) return std::nullopt;
    if (r.rows() == 0) return LinkedFound::None;
    return linkedHeldByOther(*where, linked) ? LinkedFound::HeldByOther : LinkedFound::Some;
}

std::optional<DriverStatus> PgFile::eraseLinked(const LinkedRecords& linked) {
    const auto where = linkedCondition(linked, storage_.caseRules());
    if (!where) return std::nullopt;
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    return reported(storage_.inOwnTransaction([&] {
        if (linkedHeldByOther(*where, linked)) return statusOf(code::kRecordHeld);
        Params p;
        bindLinked(p, linked);
        const Result r =
            storage_.run(noticed("DELETE FROM " + table_ + " WHERE " + *where, "1"), p);
        if (!r.ok()) return storage_.failure(r);
        ++ownChanges_;
        return DriverStatus::success();
    }));
}

std::optional<DriverStatus> PgFile::updateLinked(const LinkedRecords& linked, const Record& values,
                                                 const std::vector<int>& fields) {
    const auto where = linkedCondition(linked, storage_.caseRules());
    if (!where) return std::nullopt;
    if (DriverStatus refused = writeRefusal(); !refused.ok()) return refused;
    return reported(storage_.inOwnTransaction([&] {
        if (linkedHeldByOther(*where, linked)) return statusOf(code::kRecordHeld);
        Params p;
        bindLinked(p, linked);
        // The new values follow the chain's own parameters.
        std::string assignments;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            assignments += identifier(def_.fields[static_cast<std::size_t>(fields[i])].name) +
                           " = $" + std::to_string(linked.components + static_cast<int>(i) + 1) +
                           ", ";
            p.field(values, fields[i]);
        }
        const Result r = storage_.run(noticed("UPDATE " + table_ + " SET " + assignments +
                                                  "\"_ver\" = \"_ver\" + 1 WHERE " + *where,
                                              "1"),
                                      p);
        if (!r.ok()) return storage_.failure(r);
        ++ownChanges_;
        return DriverStatus::success();
    }));
}

DriverStatus PgFile::writeFailed(const Result& result, const Record& record, bool excludeCurrent) {
    DriverStatus failed = storage_.failure(result);
    if (failed.code == code::kDuplicateKey)
        failed.key = duplicateKey(record, excludeCurrent).value_or(-1);
    return reported(failed);
}

void PgFile::noteOwnChange() {
    const std::uint64_t before = storage_.rollbacks() + ownChanges_;
    ++ownChanges_;
    for (auto& [key, c] : cursors_) c->ownChange(before);
}

std::optional<int> PgFile::duplicateKey(const Record& record, bool excludeCurrent) {
    for (std::size_t key = 0; key < def_.keys.size(); ++key) {
        const KeyDef& k = def_.keys[key];
        if (!k.unique || (k.blankExcluded && record.keyIsBlank(static_cast<int>(key)))) continue;
        const bool skipCurrent = excludeCurrent && current_;
        std::string where = keyEqualsCondition(def_, static_cast<int>(key), storage_.caseRules());
        Params p;
        bindKey(p, k, record);
        if (skipCurrent) {
            where += " AND \"_rid\" <> $" + std::to_string(k.components.size() + 1);
            p.integer(current_->rid);
        }
        const Result r =
            storage_.run("SELECT 1 FROM " + table_ + " WHERE " + where + " LIMIT 1", p);
        if (r.ok() && r.rows() > 0) return static_cast<int>(key);
    }
    return std::nullopt;
}

std::vector<std::string> PgFile::staleReservations() {
    std::vector<std::string> stale;
    if (!open_) return stale;
    const Result r = storage_.run("SELECT \"_rid\", \"_reserved\" FROM " + table_ +
                                  " WHERE \"_reserved\" <> ''");
    if (!r.ok()) return stale;
    for (int i = 0; i < r.rows(); ++i) {
        if (!storage_.alive(std::string(r.value(i, 1))))
            stale.push_back(std::to_string(r.integer(i, 0)));
    }
    return stale;
}

DriverStatus PgFile::hold() {
    if (!open_) return notOpen();
    if (!current_) return reported(statusOf(code::kRecordNotAvailable));
    if (heldRid_ == current_->rid) return reported(DriverStatus::success());
    release();
    const DriverStatus s = storage_.take(fileKey_, current_->rid);
    if (s.ok()) heldRid_ = current_->rid;
    return reported(s);
}

DriverStatus PgFile::release() {
    if (heldRid_) storage_.release(fileKey_, *heldRid_);
    heldRid_.reset();
    return DriverStatus::success();
}

}  // namespace bb::postgres
