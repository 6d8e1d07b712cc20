#include "storage/sqlite/seek_cursor.h"

#include <cassert>

#include "platform/runtime.h"
#include "storage/sqlite/sqlite_storage.h"

namespace bb::sqlite {

Row::Row(const std::vector<const FileDef*>& files) : rids(files.size(), 0) {
    records.reserve(files.size());
    for (const FileDef* def : files) records.emplace_back(*def);
}

SeekCursor::SeekCursor(SqliteStorage& storage, std::vector<const FileDef*> files, CursorQuery query)
    : storage_(storage),
      files_(std::move(files)),
      query_(std::move(query)),
      anchorRids_(files_.size(), 0) {
    for (const FileDef* def : files_) {
        anchorValues_.emplace_back(*def);
        changeCounts_.push_back(&storage_.ownChanges(def->storedName));
    }
}

std::uint64_t SeekCursor::stamp() const {
    std::uint64_t sum = 0;
    for (const std::uint64_t* count : changeCounts_) sum += storage_.rollbacks() + *count;
    return sum;
}

void SeekCursor::invalidate() {
    batchValid_ = false;
    rowRead_ = false;
    wanted_ = kFirstBatchRows;
}

void SeekCursor::toStart() {
    anchor_ = Anchor::Start;
    invalidate();
}

void SeekCursor::toValues(const std::vector<const Record*>& values, int columns) {
    anchor_ = Anchor::Values;
    for (std::size_t f = 0; f < files_.size(); ++f) anchorValues_[f] = *values[f];
    anchorColumns_ = std::min<int>(columns, static_cast<int>(query_.order.size()));
    invalidate();
}

void SeekCursor::toRow(const std::vector<const Record*>& values,
                       const std::vector<std::int64_t>& rids, bool inclusive) {
    anchor_ = Anchor::Entry;
    for (std::size_t f = 0; f < files_.size(); ++f) anchorValues_[f] = *values[f];
    anchorRids_ = rids;
    anchorColumns_ = static_cast<int>(query_.order.size());
    anchorInclusive_ = inclusive;
    invalidate();
}

void Row::handOver(std::size_t table, Record& into) {
    assert(&into.def() == &records[table].def());
    std::swap(records[table], into);
}

void SeekCursor::keepAnchorValues(const Row& row) {
    for (const OrderColumn& c : query_.order) {
        const auto file = static_cast<std::size_t>(c.file);
        if (c.field >= 0) anchorValues_[file].copyField(row.records[file], c.field);
    }
    anchorRids_ = row.rids;
}

void SeekCursor::keepAnchorFromBatch() {
    // The last row read's values are kept already (keepAnchorValues).
    anchor_ = Anchor::Entry;
    anchorColumns_ = static_cast<int>(query_.order.size());
    anchorInclusive_ = false;
    rowRead_ = false;
}

std::vector<SeekCursor::Level> SeekCursor::levels() const {
    if (anchor_ == Anchor::Start || anchor_ == Anchor::Beyond || anchorColumns_ == 0)
        return {{0, false}};
    // The rows at the anchor (its values, or the row itself when included),
    // then the rows beyond it column by column. The first two are one query:
    // the rows whose last known column lies at or beyond the anchor's.
    const bool at = anchor_ == Anchor::Values || anchorInclusive_;
    std::vector<Level> out{{anchorColumns_ - 1, true, at}};
    for (int i = anchorColumns_ - 1; i >= 1; --i) out.push_back({i - 1, true});
    return out;
}

sqlite3_stmt* SeekCursor::statement(bool forward, const Level& level, DriverStatus& status) {
    const int shape =
        (level.equal << 3) | (forward ? 1 : 0) | (level.beyond ? 2 : 0) | (level.orAt ? 4 : 0);
    return statements_[shape].use(
        storage_.db(), [&] { return sql(forward, level); }, status);
}

std::string SeekCursor::sql(bool forward, const Level& level) const {
    // The seek's conditions come before the query's own. Of two bounds on
    // one column (the seek's and a filter's) the engine starts its walk at
    // the first it is given; started at the filter's, each batch would step
    // again over every row the earlier batches read.
    std::string where;
    auto condition = [&where](const std::string& c) {
        where += (where.empty() ? "" : " AND ") + c;
    };
    int parameter = 0;
    for (int i = 0; i < level.equal; ++i) {
        condition(query_.order[static_cast<std::size_t>(i)].column + " = ?" +
                  std::to_string(++parameter));
    }
    if (level.beyond) {
        const OrderColumn& c = query_.order[static_cast<std::size_t>(level.equal)];
        const bool greater = forward != c.descending;
        const std::string comparison = std::string(greater ? " >" : " <") + (level.orAt ? "=" : "");
        condition(c.column + comparison + " ?" + std::to_string(++parameter));
    }
    if (!query_.keyPresent.empty()) condition(query_.keyPresent);
    // Where the seek pins every column of the key walked, the query's own
    // bounds on those columns (a filter's date range) are kept from the
    // engine's choice of index: it would walk their whole range and sort it
    // for each batch, instead of seeking to the anchor along the key.
    const bool pinned = query_.keyColumns > 0 && level.equal >= query_.keyColumns;
    if (!query_.where.empty()) condition(pinned ? "+(" + query_.where + ")" : query_.where);
    std::string order;
    for (const OrderColumn& c : query_.order) {
        if (!order.empty()) order += ", ";
        order += c.column + (c.descending == forward ? " DESC" : "");
    }
    std::string text = "SELECT " + query_.select + " FROM " + query_.from;
    if (!where.empty()) text += " WHERE " + where;
    return text + " ORDER BY " + order + " LIMIT ?" + std::to_string(++parameter);
}

void SeekCursor::bindColumn(sqlite3_stmt* stmt, int parameter, const OrderColumn& c) const {
    if (c.field < 0) {
        sqlite3_bind_int64(stmt, parameter, anchorRids_[static_cast<std::size_t>(c.file)]);
    } else {
        bindField(stmt, parameter, anchorValues_[static_cast<std::size_t>(c.file)], c.field);
    }
}

DriverStatus SeekCursor::fetch(bool forward) {
    // The batch's queries and its look at the holds see one state of the
    // database.
    const SqliteStorage::Reading reading(storage_);
    if (rowRead_) keepAnchorFromBatch();
    const std::size_t wanted = wanted_;
    while (batch_.size() < wanted) batch_.emplace_back(files_);
    std::size_t rows = 0;
    for (const Level& level : levels()) {
        DriverStatus status;
        sqlite3_stmt* stmt = statement(forward, level, status);
        if (!stmt) return status;
        int parameter = 0;
        for (int i = 0; i < level.equal; ++i)
            bindColumn(stmt, ++parameter, query_.order[static_cast<std::size_t>(i)]);
        if (level.beyond)
            bindColumn(stmt, ++parameter, query_.order[static_cast<std::size_t>(level.equal)]);
        sqlite3_bind_int64(stmt, ++parameter, static_cast<sqlite3_int64>(wanted - rows));
        if (query_.bind) query_.bind(stmt);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            Row& row = batch_[rows++];
            int column = 0;
            for (std::size_t f = 0; f < files_.size(); ++f) {
                std::int64_t version = 0;
                column = readRecordColumns(stmt, column, row.records[f], row.rids[f], version);
                if (f == 0) row.version = version;
            }
            row.held = false;
        }
        steps_ +=
            static_cast<std::uint64_t>(sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_VM_STEP, 1));
        sqlite3_reset(stmt);
        if (rc != SQLITE_DONE) {
            batchValid_ = false;
            return storage_.failure(rc);
        }
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

void SeekCursor::ownChange(std::uint64_t before) {
    if (batchValid_ && batchStamp_ == before) batchStamp_ = stamp();
}

DriverStatus SeekCursor::read(bool forward, Row*& row) {
    if (anchor_ == Anchor::Beyond && !rowRead_ && !batchValid_) {
        // Past the end one way: that way stays at the end, the other way
        // starts from it.
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

}  // namespace bb::sqlite
