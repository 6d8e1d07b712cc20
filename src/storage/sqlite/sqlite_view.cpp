#include "storage/sqlite/sqlite_view.h"

#include <charconv>

#include "platform/runtime.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_storage.h"

namespace bb::sqlite {

namespace {

std::string alias(std::size_t table) {
    return "t" + std::to_string(table);
}

DriverStatus badExpression(const std::string& why) {
    DriverStatus s = statusOf(code::kBadExpression);
    s.text = why;
    return s;
}

// The range's parameters, clear of the cursor's (from 1) and the filter's.
constexpr std::size_t kRangeParameter = 500;
static_assert(kRangeParameter < static_cast<std::size_t>(kFilterParameter));

}  // namespace

SqliteView::SqliteView(SqliteStorage& storage, std::vector<ViewTable> tables)
    : storage_(storage), tables_(std::move(tables)), rangeValues_(*tables_.front().def) {
    for (const ViewTable& t : tables_) defs_.push_back(t.def);
}

DriverStatus SqliteView::open() {
    if (DriverStatus s = storage_.connect(false); !s.ok()) return reported(s);
    for (const ViewTable& t : tables_) {
        const SchemaCheck check = storage_.checkedSchema(*t.def);
        if (check.result != SQLITE_OK)
            return reported(statusFromEngine(storage_.db(), check.result));
        if (check.state == SchemaState::Missing) return reported(statusOf(code::kFileNotFound));
    }
    open_ = true;
    rebuild();
    return reported(DriverStatus::success());
}

DriverStatus SqliteView::close() {
    if (cursor_) retiredSteps_ += cursor_->steps();
    cursor_.reset();
    current_.clear();
    open_ = false;
    return reported(DriverStatus::success());
}

DriverStatus SqliteView::setOrder(std::vector<ViewOrderTerm> order) {
    order_ = std::move(order);
    return reported(rebuild());
}

DriverStatus SqliteView::setFilter(ViewFilter filter) {
    range_ = std::move(filter.range);
    for (const ViewRangeTerm& term : range_) {
        if (term.value) (void)rangeValues_.set(term.field, *term.value);
    }
    filter_ = std::move(filter.expression);
    return reported(rebuild());
}

void SqliteView::setPushDown(bool on) {
    pushDown_ = on;
    rebuild();
}

void SqliteView::setBuffering(int pageSize, int, int, int) {
    if (pageSize > 0) pageSize_ = static_cast<std::size_t>(pageSize);
    pageSizeGiven_ = true;
}

std::string SqliteView::from() const {
    std::string sql = identifier(tables_[0].def->storedName) + " AS " + alias(0);
    for (std::size_t t = 1; t < tables_.size(); ++t) {
        const ViewTable& v = tables_[t];
        std::string on;
        for (const auto& [parentField, field] : v.links) {
            if (!on.empty()) on += " AND ";
            const FieldDef& f = v.def->fields[static_cast<std::size_t>(field)];
            const bool noCase =
                v.key >= 0 && v.def->keys[static_cast<std::size_t>(v.key)].noCase && f.isText();
            on += alias(t) + "." + identifier(f.name) +
                  (noCase ? std::string(" COLLATE ") + kNoCaseCollation : "") + " = " +
                  viewColumn(tables_, v.parent, parentField);
        }
        if (v.key >= 0) {
            // Records left out of the key cannot be found through it.
            const std::string present = keyPresentPredicate(*v.def, v.key, alias(t));
            if (!present.empty()) on += (on.empty() ? "" : " AND ") + present;
        }
        sql += (v.inner ? " JOIN " : " LEFT JOIN ") + identifier(v.def->storedName) + " AS " +
               alias(t) + " ON " + (on.empty() ? "1" : on);
    }
    return sql;
}

std::string SqliteView::select() const {
    std::string sql;
    for (std::size_t t = 0; t < tables_.size(); ++t) {
        const std::string a = alias(t) + ".";
        const bool outer = t > 0 && !tables_[t].inner;
        sql += (t ? ", " : "") + (outer ? "COALESCE(" + a + "\"_rid\", 0)" : a + "\"_rid\"") +
               ", " + (outer ? "COALESCE(" + a + "\"_ver\", 0)" : a + "\"_ver\"");
        for (std::size_t f = 0; f < tables_[t].def->fields.size(); ++f) {
            sql += ", " + viewColumn(tables_, static_cast<int>(t), static_cast<int>(f));
        }
    }
    return sql;
}

int SqliteView::walkedKey() const {
    // The longest key the order walks: a key whose components are only the
    // start of the order's is not the one walked.
    const FileDef& def = *tables_[0].def;
    int walked = -1;
    for (std::size_t k = 0; k < def.keys.size(); ++k) {
        const KeyDef& key = def.keys[k];
        if (key.components.size() > order_.size()) continue;
        if (walked >= 0 &&
            key.components.size() <= def.keys[static_cast<std::size_t>(walked)].components.size()) {
            continue;
        }
        bool walks = true;
        for (std::size_t i = 0; i < key.components.size() && walks; ++i) {
            const ViewOrderTerm& t = order_[i];
            const bool text =
                def.fields[static_cast<std::size_t>(key.components[i].field)].isText();
            walks = t.table == 0 && t.field == key.components[i].field &&
                    t.descending == !key.components[i].ascending &&
                    t.noCase == (key.noCase && text);
        }
        if (walks) walked = static_cast<int>(k);
    }
    return walked;
}

DriverStatus SqliteView::rebuild() {
    if (cursor_) retiredSteps_ += cursor_->steps();
    cursor_.reset();
    current_.clear();
    if (!open_) return DriverStatus::success();
    testEachRow_ = !filter_.empty() && !pushDown_;
    CursorQuery q = query();
    if (DriverStatus s = prepares(q); !s.ok()) {
        // A filter the engine cannot take as written (nested too deeply for
        // it, say) is tested row by row instead; an order it cannot take is
        // refused.
        if (filter_.empty() || testEachRow_) return s;
        testEachRow_ = true;
        q = query();
        if (DriverStatus again = prepares(q); !again.ok()) return again;
    }
    cursor_ = std::make_unique<SeekCursor>(storage_, defs_, std::move(q));
    // Pages larger than a batch are read ahead in larger batches.
    cursor_->setReadAhead(pageSizeGiven_ && pageSize_ > SeekCursor::kBatchRows);
    return DriverStatus::success();
}

DriverStatus SqliteView::prepares(const CursorQuery& q) {
    std::string sql = "SELECT " + q.select + " FROM " + q.from;
    const std::string where = q.keyPresent.empty() || q.where.empty()
                                  ? q.keyPresent + q.where
                                  : q.keyPresent + " AND " + q.where;
    if (!where.empty()) sql += " WHERE " + where;
    std::string order;
    for (const OrderColumn& c : q.order) order += (order.empty() ? "" : ", ") + c.column;
    Statement probe(storage_.db(), sql + " ORDER BY " + order + " LIMIT 0");
    if (probe.valid()) return DriverStatus::success();
    DriverStatus failed = badExpression(sqlite3_errstr(probe.prepareResult()));
    failed.engineCode = probe.prepareResult();
    failed.engineText = sqlite3_errmsg(storage_.db());
    return failed;
}

CursorQuery SqliteView::query() {
    CursorQuery q;
    q.select = select();
    q.from = from();
    pushed_ = !testEachRow_ ? translateFilter(filter_, tables_) : FilterSql{};
    // An order that walks a key of the primary table leaves out the records
    // the key leaves out, as a walk along the key does; it also lets the
    // engine read the key's index.
    if (const int walked = walkedKey(); walked >= 0) {
        q.keyColumns = static_cast<int>(
            tables_[0].def->keys[static_cast<std::size_t>(walked)].components.size());
        const std::string present = keyPresentPredicate(*tables_[0].def, walked, alias(0));
        if (!present.empty()) q.keyPresent = "(" + present + ")";
    }
    for (const std::string& condition : {rangeCondition(), pushed_.condition}) {
        if (condition.empty()) continue;
        q.where += (q.where.empty() ? "(" : " AND (") + condition + ")";
    }
    for (const ViewOrderTerm& t : order_) {
        std::string column = viewColumn(tables_, t.table, t.field);
        if (t.noCase) column += std::string(" COLLATE ") + kNoCaseCollation;
        q.order.push_back({column, t.descending, t.table, t.field});
    }
    for (std::size_t t = 0; t < tables_.size(); ++t) {
        const bool outer = t > 0 && !tables_[t].inner;
        const std::string rid = alias(t) + ".\"_rid\"";
        q.order.push_back(
            {outer ? "COALESCE(" + rid + ", 0)" : rid, false, static_cast<int>(t), -1});
    }
    if (!range_.empty() || !pushed_.parameters.empty()) {
        q.bind = [this](sqlite3_stmt* stmt) { bind(stmt); };
    }
    return q;
}

std::string SqliteView::rangeCondition() const {
    std::string condition;
    for (std::size_t i = 0; i < range_.size(); ++i) {
        const ViewRangeTerm& term = range_[i];
        if (!condition.empty()) condition += " AND ";
        condition += viewColumn(tables_, 0, term.field);
        if (term.noCase) condition += std::string(" COLLATE ") + kNoCaseCollation;
        condition += " = ?" + std::to_string(kRangeParameter + i);
    }
    return condition;
}

void SqliteView::bind(sqlite3_stmt* stmt) const {
    for (std::size_t i = 0; i < range_.size(); ++i) {
        const int parameter = static_cast<int>(kRangeParameter + i);
        // A value the field cannot hold equals no stored value, as NULL does.
        if (range_[i].value) {
            bindField(stmt, parameter, rangeValues_, range_[i].field);
        } else {
            sqlite3_bind_null(stmt, parameter);
        }
    }
    pushed_.bind(filter_, stmt);
}

DriverStatus SqliteView::reset(int components) {
    if (!open_) return reported(statusOf(code::kFileNotOpen));
    if (components <= 0) {
        cursor_->toStart();
    } else {
        std::vector<const Record*> values;
        for (const ViewTable& t : tables_) values.push_back(t.buffer);
        cursor_->toValues(values, components);
    }
    current_.clear();
    return reported(DriverStatus::success());
}

DriverStatus SqliteView::resetToPosition(std::string_view position) {
    if (!open_) return reported(statusOf(code::kFileNotOpen));
    std::vector<std::int64_t> rids;
    for (std::size_t from = 0; from <= position.size();) {
        const std::size_t slash = position.find('/', from);
        const std::string_view part = position.substr(
            from, slash == std::string_view::npos ? std::string_view::npos : slash - from);
        std::int64_t rid = 0;
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), rid);
        if (ec != std::errc() || end != part.data() + part.size())
            return reported(statusOf(code::kRecordNotAvailable));
        rids.push_back(rid);
        if (slash == std::string_view::npos) break;
        from = slash + 1;
    }
    if (rids.size() != tables_.size() || rids[0] <= 0)
        return reported(statusOf(code::kRecordNotAvailable));
    // The row's values, table by table; a table without a record reads blank.
    std::vector<Record> rows;
    for (std::size_t t = 0; t < tables_.size(); ++t) {
        rows.emplace_back(*tables_[t].def);
        if (rids[t] == 0) continue;
        KeptStatement byId;
        if (DriverStatus s = storage_.readRecord(byId, *tables_[t].def, rids[t], rows.back());
            !s.ok()) {
            return reported(s);
        }
    }
    std::vector<const Record*> values;
    for (const Record& r : rows) values.push_back(&r);
    cursor_->toRow(values, rids, true);
    current_.clear();
    return reported(DriverStatus::success());
}

DriverStatus SqliteView::read(bool forward) {
    if (!open_) return reported(statusOf(code::kFileNotOpen));
    // Without the engine evaluating it, the view tests each row itself.
    const bool testEach = testEachRow_;
    while (true) {
        Row* row = nullptr;
        if (DriverStatus s = cursor_->read(forward, row); !s.ok()) return reported(s);
        for (std::size_t t = 0; t < tables_.size(); ++t) row->handOver(t, *tables_[t].buffer);
        current_ = row->rids;
        if (!testEach || filter_.matches()) return reported(DriverStatus::success());
    }
}

std::string SqliteView::position() const {
    std::string out;
    for (std::size_t t = 0; t < current_.size(); ++t)
        out += (t ? "/" : "") + std::to_string(current_[t]);
    return out;
}

std::string SqliteView::recordPosition(int table) const {
    const auto t = static_cast<std::size_t>(table);
    if (table < 0 || t >= current_.size() || current_[t] <= 0) return {};
    return std::to_string(current_[t]);
}

std::uint64_t SqliteView::workDone() const {
    return retiredSteps_ + (cursor_ ? cursor_->steps() : 0);
}

std::optional<ChangeMark> SqliteView::changeMark() {
    const std::optional<std::int64_t> others = storage_.dataVersion();
    if (!others) return std::nullopt;
    // A rollback undoes changes to any table.
    std::uint64_t own = storage_.rollbacks();
    for (const FileDef* def : defs_) own += storage_.ownChanges(def->storedName);
    return ChangeMark{*others, own};
}

}  // namespace bb::sqlite
