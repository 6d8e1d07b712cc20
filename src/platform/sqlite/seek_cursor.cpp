#include "platform/sqlite/seek_cursor.h"

#include "platform/runtime.h"
#include "platform/sqlite/sqlite_storage.h"

namespace bb::sqlite {

SeekCursor::SeekCursor(SqliteStorage& storage, const FileDef& def, CursorQuery query)
    : storage_(storage), def_(def), query_(std::move(query)), anchorValues_(def) {}

void SeekCursor::invalidate() {
    batchValid_ = false;
    lastReturned_.reset();
    wanted_ = 20;
}

void SeekCursor::toStart() {
    anchor_ = Anchor::Start;
    invalidate();
}

void SeekCursor::toValues(const Record& values, int components) {
    anchor_ = Anchor::Values;
    anchorValues_ = values;
    anchorComponents_ = std::min<int>(components, static_cast<int>(query_.order.size()));
    invalidate();
}

void SeekCursor::toEntry(const Record& values, std::int64_t rid, bool inclusive) {
    anchor_ = Anchor::Entry;
    anchorValues_ = values;
    anchorComponents_ = static_cast<int>(query_.order.size());
    anchorRid_ = rid;
    anchorInclusive_ = inclusive;
    invalidate();
}

void SeekCursor::keepAnchorFromBatch() {
    const Row& last = batch_[*lastReturned_];
    anchor_ = Anchor::Entry;
    anchorValues_ = last.record;
    anchorComponents_ = static_cast<int>(query_.order.size());
    anchorRid_ = last.rid;
    anchorInclusive_ = false;
    lastReturned_.reset();
}

std::vector<SeekCursor::Level> SeekCursor::levels() const {
    std::vector<Level> out;
    switch (anchor_) {
        case Anchor::Start:
        case Anchor::Beyond:
            out.push_back({0, false, false});
            return out;
        case Anchor::Values:
            out.push_back({anchorComponents_, false, false});
            break;
        case Anchor::Entry:
            out.push_back({anchorComponents_, false, true});
            break;
    }
    for (int i = anchorComponents_; i >= 1; --i) out.push_back({i - 1, true, false});
    return out;
}

const std::string& SeekCursor::sql(bool forward, const Level& level) {
    const int cacheKey = (level.equal << 4) | (forward ? 1 : 0) | (level.beyond ? 2 : 0) |
                         (level.byRid ? 4 : 0) | (anchorInclusive_ && level.byRid ? 8 : 0);
    auto found = sqlCache_.find(cacheKey);
    if (found != sqlCache_.end()) return found->second;

    std::string where = query_.where;
    auto condition = [&where](const std::string& c) { where += (where.empty() ? "" : " AND ") + c; };
    int parameter = 0;
    for (int i = 0; i < level.equal; ++i) {
        condition(query_.order[static_cast<std::size_t>(i)].column + " = ?" + std::to_string(++parameter));
    }
    if (level.beyond) {
        const OrderColumn& c = query_.order[static_cast<std::size_t>(level.equal)];
        const bool greater = forward != c.descending;
        condition(c.column + (greater ? " > ?" : " < ?") + std::to_string(++parameter));
    }
    if (level.byRid) {
        const char* op = forward ? (anchorInclusive_ ? " >= ?" : " > ?") : (anchorInclusive_ ? " <= ?" : " < ?");
        condition(query_.rid + op + std::to_string(++parameter));
    }
    std::string order;
    for (const OrderColumn& c : query_.order) {
        order += c.column + (c.descending == forward ? " DESC, " : ", ");
    }
    order += query_.rid + (forward ? "" : " DESC");
    std::string text = "SELECT " + query_.select + " FROM " + query_.from;
    if (!where.empty()) text += " WHERE " + where;
    text += " ORDER BY " + order + " LIMIT ?" + std::to_string(++parameter);
    return sqlCache_.emplace(cacheKey, std::move(text)).first->second;
}

DriverStatus SeekCursor::fetch(bool forward) {
    if (lastReturned_) keepAnchorFromBatch();
    const std::size_t wanted = wanted_;
    while (batch_.size() < wanted) batch_.emplace_back(def_);
    std::size_t rows = 0;
    for (const Level& level : levels()) {
        DriverStatus status;
        sqlite3_stmt* stmt = storage_.statement(sql(forward, level), status);
        if (!stmt) return status;
        int parameter = 0;
        for (int i = 0; i < level.equal; ++i) {
            bindField(stmt, ++parameter, anchorValues_, query_.order[static_cast<std::size_t>(i)].field);
        }
        if (level.beyond) {
            bindField(stmt, ++parameter, anchorValues_, query_.order[static_cast<std::size_t>(level.equal)].field);
        }
        if (level.byRid) sqlite3_bind_int64(stmt, ++parameter, anchorRid_);
        sqlite3_bind_int64(stmt, ++parameter, static_cast<sqlite3_int64>(wanted - rows));
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            Row& row = batch_[rows++];
            row.rid = sqlite3_column_int64(stmt, 0);
            row.version = sqlite3_column_int64(stmt, 1);
            row.held = false;
            for (int f = 0; f < row.record.size(); ++f) readField(stmt, f + 2, row.record, f);
        }
        sqlite3_reset(stmt);
        if (rc != SQLITE_DONE) {
            batchValid_ = false;
            return statusFromEngine(storage_.db(), rc);
        }
        if (rows == wanted) break;
    }
    batchSize_ = rows;
    nextRow_ = 0;
    batchForward_ = forward;
    batchValid_ = true;
    batchStamp_ = storage_.changes(def_.storedName);
    wanted_ = std::min(wanted_ * 2, maxBatch_);
    if (marker_ && rows > 0) marker_(batch_, rows);
    return DriverStatus::success();
}

void SeekCursor::ownChange(std::uint64_t before) {
    if (batchValid_ && batchStamp_ == before) batchStamp_ = storage_.changes(def_.storedName);
}

DriverStatus SeekCursor::read(bool forward, const Row*& row) {
    if (anchor_ == Anchor::Beyond && !lastReturned_ && !batchValid_) {
        // Past the end one way: that way stays at the end, the other way
        // starts from it.
        if (forward == beyondForward_) return statusOf(code::kRecordNotAvailable);
    }
    const bool usable = batchValid_ && batchForward_ == forward && batchStamp_ == storage_.changes(def_.storedName);
    if (!usable || nextRow_ >= batchSize_) {
        if (DriverStatus s = fetch(forward); !s.ok()) return s;
        if (batchSize_ == 0) {
            anchor_ = Anchor::Beyond;
            beyondForward_ = forward;
            batchValid_ = false;
            return statusOf(code::kRecordNotAvailable);
        }
    }
    lastReturned_ = nextRow_;
    row = &batch_[nextRow_++];
    return DriverStatus::success();
}

}  // namespace bb::sqlite
