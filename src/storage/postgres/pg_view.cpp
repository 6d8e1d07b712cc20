#include "storage/postgres/pg_view.h"

#include <charconv>

#include "platform/runtime.h"
#include "storage/postgres/pg_schema.h"
#include "storage/postgres/pg_storage.h"

namespace bb::postgres {

namespace {

std::string alias(std::size_t table) {
    return "t" + std::to_string(table);
}

}  // namespace

PgView::PgView(PgStorage& storage, std::vector<ViewTable> tables)
    : storage_(storage), tables_(std::move(tables)), rangeValues_(*tables_.front().def) {
    for (const ViewTable& t : tables_) defs_.push_back(t.def);
}

DriverStatus PgView::open() {
    if (DriverStatus s = storage_.connect(); !s.ok()) return reported(s);
    for (const ViewTable& t : tables_) {
        DriverStatus failed;
        const SchemaCheck check = storage_.checkSchema(*t.def, failed);
        if (!failed.ok()) return reported(failed);
        if (check.state == SchemaState::Missing) return reported(statusOf(code::kFileNotFound));
    }
    open_ = true;
    rebuild();
    return reported(DriverStatus::success());
}

DriverStatus PgView::close() {
    if (cursor_) retiredSteps_ += cursor_->steps();
    cursor_.reset();
    current_.clear();
    open_ = false;
    return reported(DriverStatus::success());
}

DriverStatus PgView::setOrder(std::vector<ViewOrderTerm> order) {
    order_ = std::move(order);
    rebuild();
    return reported(DriverStatus::success());
}

DriverStatus PgView::setFilter(ViewFilter filter) {
    range_ = std::move(filter.range);
    for (const ViewRangeTerm& term : range_) {
        if (term.value) (void)rangeValues_.set(term.field, *term.value);
    }
    filter_ = std::move(filter.expression);
    rebuild();
    return reported(DriverStatus::success());
}

void PgView::setPushDown(bool on) {
    pushDown_ = on;
    rebuild();
}

void PgView::setBuffering(int pageSize, int, int, int) {
    if (pageSize > 0) pageSize_ = static_cast<std::size_t>(pageSize);
    pageSizeGiven_ = true;
}

std::string PgView::from() const {
    const CaseRules& rules = storage_.caseRules();
    std::string sql = identifier(tables_[0].def->storedName) + " AS " + alias(0);
    for (std::size_t t = 1; t < tables_.size(); ++t) {
        const ViewTable& v = tables_[t];
        std::string on;
        for (const auto& [parentField, field] : v.links) {
            if (!on.empty()) on += " AND ";
            const FieldDef& f = v.def->fields[static_cast<std::size_t>(field)];
            const bool noCase =
                v.key >= 0 && v.def->keys[static_cast<std::size_t>(v.key)].noCase && f.isText();
            const std::string column = alias(t) + "." + identifier(f.name);
            const std::string parent = viewColumn(tables_, v.parent, parentField);
            on += noCase ? rules.upper(column) + " = " + rules.upper(parent)
                         : column + " = " + parent;
        }
        if (v.key >= 0) {
            // Records left out of the key cannot be found through it.
            const std::string present = keyPresentPredicate(*v.def, v.key, alias(t));
            if (!present.empty()) on += (on.empty() ? "" : " AND ") + present;
        }
        sql += (v.inner ? " JOIN " : " LEFT JOIN ") + identifier(v.def->storedName) + " AS " +
               alias(t) + " ON " + (on.empty() ? "TRUE" : on);
    }
    return sql;
}

std::string PgView::select() const {
    std::string sql;
    for (std::size_t t = 0; t < tables_.size(); ++t) {
        const std::string a = alias(t) + ".";
        const bool outer = t > 0 && !tables_[t].inner;
        sql += (t ? ", " : "") + (outer ? "COALESCE(" + a + "\"_rid\", 0)" : a + "\"_rid\"") +
               ", " + (outer ? "COALESCE(" + a + "\"_ver\", 0)" : a + "\"_ver\"");
        for (std::size_t f = 0; f < tables_[t].def->fields.size(); ++f)
            sql += ", " + viewColumn(tables_, static_cast<int>(t), static_cast<int>(f));
    }
    return sql;
}

std::string PgView::walkedKeyPredicate() const {
    // The longest key the order walks.
    const FileDef& def = *tables_[0].def;
    int walked = -1;
    for (std::size_t k = 0; k < def.keys.size(); ++k) {
        const KeyDef& key = def.keys[k];
        if (key.components.size() > order_.size()) continue;
        if (walked >= 0 &&
            key.components.size() <= def.keys[static_cast<std::size_t>(walked)].components.size())
            continue;
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
    return walked < 0 ? "" : keyPresentPredicate(def, walked, alias(0));
}

void PgView::rebuild() {
    if (cursor_) retiredSteps_ += cursor_->steps();
    cursor_.reset();
    current_.clear();
    if (!open_) return;
    cursor_ = std::make_unique<PgCursor>(storage_, defs_, query());
    // Pages larger than a batch are read ahead in larger batches.
    cursor_->setReadAhead(pageSizeGiven_ && pageSize_ > PgCursor::kBatchRows);
}

CursorQuery PgView::query() {
    const CaseRules& rules = storage_.caseRules();
    CursorQuery q;
    q.select = select();
    q.from = from();
    const int ranged = static_cast<int>(range_.size());
    pushed_ = pushDown_ ? translateFilter(filter_, tables_, rules, ranged + 1) : FilterSql{};
    testEachRow_ = !filter_.empty() && (!pushDown_ || !pushed_.complete);
    for (const std::string& condition :
         {walkedKeyPredicate(), rangeCondition(), pushed_.condition}) {
        if (condition.empty()) continue;
        q.where += (q.where.empty() ? "(" : " AND (") + condition + ")";
    }
    q.parameters = ranged + static_cast<int>(pushed_.parameters.size());
    for (const ViewOrderTerm& t : order_) {
        const std::string column = viewColumn(tables_, t.table, t.field);
        q.order.push_back({t.noCase ? rules.upper(column) : column, t.descending, t.table, t.field,
                           t.noCase ? &rules : nullptr});
    }
    for (std::size_t t = 0; t < tables_.size(); ++t) {
        const bool outer = t > 0 && !tables_[t].inner;
        const std::string rid = alias(t) + ".\"_rid\"";
        q.order.push_back(
            {outer ? "COALESCE(" + rid + ", 0)" : rid, false, static_cast<int>(t), -1, nullptr});
    }
    if (q.parameters > 0) q.bind = [this](Params& params) { bind(params); };
    return q;
}

std::string PgView::rangeCondition() const {
    const CaseRules& rules = storage_.caseRules();
    std::string condition;
    for (std::size_t i = 0; i < range_.size(); ++i) {
        const ViewRangeTerm& term = range_[i];
        const std::string column = viewColumn(tables_, 0, term.field);
        const std::string parameter = "$" + std::to_string(i + 1);
        if (!condition.empty()) condition += " AND ";
        condition += term.noCase ? rules.upper(column) + " = " + rules.upper(parameter + "::text")
                                 : column + " = " + parameter;
    }
    return condition;
}

void PgView::bind(Params& params) const {
    for (const ViewRangeTerm& term : range_) {
        // A value the field cannot hold equals no stored value, as NULL does.
        if (term.value) {
            params.field(rangeValues_, term.field);
        } else {
            params.null();
        }
    }
    pushed_.bind(filter_, params);
}

DriverStatus PgView::reset(int components) {
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

DriverStatus PgView::resetToPosition(std::string_view position) {
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
        if (DriverStatus s = storage_.readRecord(*tables_[t].def, rids[t], rows.back()); !s.ok())
            return reported(s);
    }
    std::vector<const Record*> values;
    for (const Record& r : rows) values.push_back(&r);
    cursor_->toRow(values, rids, true);
    current_.clear();
    return reported(DriverStatus::success());
}

DriverStatus PgView::read(bool forward) {
    if (!open_) return reported(statusOf(code::kFileNotOpen));
    while (true) {
        Row* row = nullptr;
        if (DriverStatus s = cursor_->read(forward, row); !s.ok()) return reported(s);
        for (std::size_t t = 0; t < tables_.size(); ++t) row->handOver(t, *tables_[t].buffer);
        current_ = row->rids;
        if (!testEachRow_ || filter_.matches()) return reported(DriverStatus::success());
    }
}

std::string PgView::position() const {
    std::string out;
    for (std::size_t t = 0; t < current_.size(); ++t)
        out += (t ? "/" : "") + std::to_string(current_[t]);
    return out;
}

std::string PgView::recordPosition(int table) const {
    const auto t = static_cast<std::size_t>(table);
    if (table < 0 || t >= current_.size() || current_[t] <= 0) return {};
    return std::to_string(current_[t]);
}

std::uint64_t PgView::workDone() const {
    return retiredSteps_ + (cursor_ ? cursor_->steps() : 0);
}

std::optional<ChangeMark> PgView::changeMark() {
    const std::optional<std::int64_t> others = storage_.othersChanges();
    if (!others) return std::nullopt;
    // A rollback undoes changes to any table.
    std::uint64_t own = storage_.rollbacks();
    for (const FileDef* def : defs_) own += storage_.ownChanges(def->storedName);
    return ChangeMark{*others, own};
}

}  // namespace bb::postgres
