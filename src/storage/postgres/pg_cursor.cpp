#include "storage/postgres/pg_cursor.h"

#include <algorithm>
#include <cassert>

#include "platform/runtime.h"
#include "storage/postgres/pg_storage.h"

namespace bb::postgres {

std::string OrderColumn::parameter(int n) const {
    const std::string p = "$" + std::to_string(n);
    return noCase ? noCase->upper(p + "::text") : p;
}

Row::Row(const std::vector<const FileDef*>& files) : rids(files.size(), 0) {
    records.reserve(files.size());
    for (const FileDef* def : files) records.emplace_back(*def);
}

void Row::handOver(std::size_t table, Record& into) {
    assert(&into.def() == &records[table].def());
    std::swap(records[table], into);
}

PgCursor::PgCursor(PgStorage& storage, std::vector<const FileDef*> files, CursorQuery query)
    : storage_(storage),
      files_(std::move(files)),
      query_(std::move(query)),
      anchorRids_(files_.size(), 0) {
    for (const FileDef* def : files_) {
        anchorValues_.emplace_back(*def);
        changeCounts_.push_back(&storage_.ownChanges(def->storedName));
    }
}

std::uint64_t PgCursor::stamp() const {
    std::uint64_t sum = 0;
    for (const std::uint64_t* count : changeCounts_) sum += storage_.rollbacks() + *count;
    return sum;
}

void PgCursor::invalidate() {
    batchValid_ = false;
    rowRead_ = false;
    wanted_ = kFirstBatchRows;
}

void PgCursor::toStart() {
    anchor_ = Anchor::Start;
    invalidate();
}

void PgCursor::toValues(const std::vector<const Record*>& values, int columns) {
    anchor_ = Anchor::Values;
    for (std::size_t f = 0; f < files_.size(); ++f) anchorValues_[f] = *values[f];
    anchorColumns_ = std::min<int>(columns, static_cast<int>(query_.order.size()));
    invalidate();
}

void PgCursor::toRow(const std::vector<const Record*>& values,
                     const std::vector<std::int64_t>& rids, bool inclusive) {
    anchor_ = Anchor::Entry;
    for (std::size_t f = 0; f < files_.size(); ++f) anchorValues_[f] = *values[f];
    anchorRids_ = rids;
    anchorColumns_ = static_cast<int>(query_.order.size());
    anchorInclusive_ = inclusive;
    invalidate();
}

void PgCursor::keepAnchorValues(const Row& row) {
    for (const OrderColumn& c : query_.order) {
        const auto file = static_cast<std::size_t>(c.file);
        if (c.field >= 0) anchorValues_[file].copyField(row.records[file], c.field);
    }
    anchorRids_ = row.rids;
}

void PgCursor::keepAnchorFromBatch() {
    anchor_ = Anchor::Entry;
    anchorColumns_ = static_cast<int>(query_.order.size());
    anchorInclusive_ = false;
    rowRead_ = false;
}

std::vector<PgCursor::Level> PgCursor::levels() const {
    if (anchor_ == Anchor::Start || anchor_ == Anchor::Beyond || anchorColumns_ == 0)
        return {{0, false}};
    const bool at = anchor_ == Anchor::Values || anchorInclusive_;
    std::vector<Level> out{{anchorColumns_ - 1, true, at}};
    for (int i = anchorColumns_ - 1; i >= 1; --i) out.push_back({i - 1, true});
    return out;
}

std::string PgCursor::sql(bool forward, const Level& level) const {
    std::string where;
    auto condition = [&where](const std::string& c) {
        where += (where.empty() ? "" : " AND ") + c;
    };
    // The query's own parameters come first, the seek's after them.
    int parameter = query_.parameters;
    for (int i = 0; i < level.equal; ++i) {
        const OrderColumn& c = query_.order[static_cast<std::size_t>(i)];
        condition(c.column + " = " + c.parameter(++parameter));
    }
    if (level.beyond) {
        const OrderColumn& c = query_.order[static_cast<std::size_t>(level.equal)];
        const bool greater = forward != c.descending;
        const std::string comparison = std::string(greater ? " >" : " <") + (level.orAt ? "=" : "");
        condition(c.column + comparison + " " + c.parameter(++parameter));
    }
    if (!query_.where.empty()) condition(query_.where);
    std::string order;
    for (const OrderColumn& c : query_.order) {
        if (!order.empty()) order += ", ";
        order += c.column + (c.descending == forward ? " DESC" : "");
    }
    std::string text = "SELECT " + query_.select + " FROM " + query_.from;
    if (!where.empty()) text += " WHERE " + where;
    return text + " ORDER BY " + order + " LIMIT $" + std::to_string(++parameter);
}

void PgCursor::bindColumn(Params& params, const OrderColumn& c) const {
    if (c.field < 0) {
        params.integer(anchorRids_[static_cast<std::size_t>(c.file)]);
    } else {
        params.field(anchorValues_[static_cast<std::size_t>(c.file)], c.field);
    }
}

DriverStatus PgCursor::fetch(bool forward) {
    if (rowRead_) keepAnchorFromBatch();
    const std::size_t wanted = wanted_;
    while (batch_.size() < wanted) batch_.emplace_back(files_);
    std::size_t rows = 0;
    for (const Level& level : levels()) {
        Params params;
        if (query_.bind) query_.bind(params);
        for (int i = 0; i < level.equal; ++i)
            bindColumn(params, query_.order[static_cast<std::size_t>(i)]);
        if (level.beyond) bindColumn(params, query_.order[static_cast<std::size_t>(level.equal)]);
        params.integer(static_cast<std::int64_t>(wanted - rows));
        const Result r = storage_.run(sql(forward, level), params);
        if (!r.ok()) {
            batchValid_ = false;
            return storage_.failure(r);
        }
        for (int i = 0; i < r.rows(); ++i) {
            Row& row = batch_[rows++];
            int column = 0;
            for (std::size_t f = 0; f < files_.size(); ++f) {
                std::int64_t version = 0;
                column = readRecordColumns(r, i, column, row.records[f], row.rids[f], version);
                if (f == 0) row.version = version;
            }
            row.held = false;
        }
        steps_ += static_cast<std::uint64_t>(r.rows()) + 1;
        if (rows == wanted) break;
    }
    batchSize_ = rows;
    nextRow_ = 0;
    batchForward_ = forward;
    batchValid_ = true;
    batchStamp_ = stamp();
    wanted_ = std::min(wanted_ * 2, maxBatch_);
    if (marker_ && rows > 0) marker_(batch_, rows);
    return DriverStatus::success();
}

void PgCursor::ownChange(std::uint64_t before) {
    if (batchValid_ && batchStamp_ == before) batchStamp_ = stamp();
}

DriverStatus PgCursor::read(bool forward, Row*& row) {
    if (anchor_ == Anchor::Beyond && !rowRead_ && !batchValid_) {
        if (forward == beyondForward_) return statusOf(code::kRecordNotAvailable);
    }
    const bool usable = batchValid_ && batchForward_ == forward && batchStamp_ == stamp();
    if (!usable || nextRow_ >= batchSize_) {
        if (DriverStatus s = fetch(forward); !s.ok()) return s;
        if (batchSize_ == 0) {
            anchor_ = Anchor::Beyond;
            beyondForward_ = forward;
            batchValid_ = false;
            return statusOf(code::kRecordNotAvailable);
        }
    }
    rowRead_ = true;
    row = &batch_[nextRow_++];
    keepAnchorValues(*row);
    return DriverStatus::success();
}

}  // namespace bb::postgres
