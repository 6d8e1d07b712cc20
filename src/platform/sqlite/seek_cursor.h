// Reading one order of a table forwards or backwards from a starting point,
// in batches.
//
// Every batch is one or more range queries on the order's index, each
// starting exactly where the last read record stands: the entries whose
// leading components equal the anchor's and whose next component lies
// beyond it, tried from the longest equal run to the shortest until the
// batch is full. Ties are broken by the record id, so the order is total and
// a record's place in it never moves while it is unchanged. No query skips
// rows with OFFSET and nothing reads a whole table.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/record.h"
#include "platform/storage.h"

namespace bb::sqlite {

class SqliteStorage;

struct OrderColumn {
    std::string column;  // quoted, with its collation
    bool descending = false;
    int field = -1;      // the record field that holds its value
};

// What a cursor reads: the select list (record id, version, then the fields
// in order), the table, a condition every entry meets, and the order.
struct CursorQuery {
    std::string rid = "\"_rid\"";
    std::string select;
    std::string from;
    std::string where;
    std::vector<OrderColumn> order;
};

struct Row {
    explicit Row(const FileDef& def) : record(def) {}
    Record record;
    std::int64_t rid = 0;
    std::int64_t version = 0;
    bool held = false;
};

class SeekCursor {
public:
    SeekCursor(SqliteStorage& storage, const FileDef& def, CursorQuery query);

    // Before the first entry (forwards) or after the last (backwards).
    void toStart();
    // At the first `components` values of `values`, those entries included.
    void toValues(const Record& values, int components);
    // At an entry: included when `inclusive`, else the reads start beyond it.
    void toEntry(const Record& values, std::int64_t rid, bool inclusive);

    // The next entry in the direction, or code 33 past the last one. The
    // row stays valid until the next call.
    DriverStatus read(bool forward, const Row*& row);

    // This cursor's handle changed or removed the record it last read: the
    // entries read ahead are still good. `before` is the table's change
    // count before that change.
    void ownChange(std::uint64_t before);

    // Largest batch: 64 normally, 512 with read-ahead asked for.
    void setReadAhead(bool on) { maxBatch_ = on ? 512 : 64; }

    // Marks held rows after each fetch.
    using HoldMarker = std::function<void(std::vector<Row>&, std::size_t count)>;
    void setHoldMarker(HoldMarker marker) { marker_ = std::move(marker); }

private:
    // Where the next read starts: the start of the order, some leading
    // values, an entry, or past the end the last read ran into.
    enum class Anchor { Start, Values, Entry, Beyond };
    struct Level {
        int equal;        // leading components that equal the anchor's
        bool beyond;      // and the next one lies beyond it
        bool byRid;       // the record id decides (all components equal)
    };

    void invalidate();
    void keepAnchorFromBatch();
    std::vector<Level> levels() const;
    const std::string& sql(bool forward, const Level& level);
    DriverStatus fetch(bool forward);

    SqliteStorage& storage_;
    const FileDef& def_;
    CursorQuery query_;
    std::map<int, std::string> sqlCache_;

    Anchor anchor_ = Anchor::Start;
    Record anchorValues_;
    int anchorComponents_ = 0;
    std::int64_t anchorRid_ = 0;
    bool anchorInclusive_ = false;
    bool beyondForward_ = true;

    std::vector<Row> batch_;
    std::size_t batchSize_ = 0;
    std::size_t nextRow_ = 0;
    bool batchForward_ = true;
    bool batchValid_ = false;
    bool batchComplete_ = false;  // the fetch found fewer entries than it asked for
    std::uint64_t batchStamp_ = 0;
    std::optional<std::size_t> lastReturned_;
    // The first batch after a new starting point is one page of a list.
    std::size_t wanted_ = 20;
    std::size_t maxBatch_ = 64;
    HoldMarker marker_;
};

}  // namespace bb::sqlite
