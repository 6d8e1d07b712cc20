// Reading one order of a table (or of a view joining several tables)
// forwards or backwards from a starting point, in batches.
//
// Every batch is one or more range queries on the order, each starting
// exactly where the last read row stands: the rows whose leading order
// columns equal the anchor's and whose next column lies beyond it, tried
// from the longest equal run to the shortest until the batch is full. The
// order always ends in the record ids of its tables, so it is total and a
// row's place in it never moves while the row is unchanged. With an index
// on the order, each query is a seek; no query skips rows with OFFSET and
// nothing reads a whole table into memory.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/record.h"
#include "platform/storage.h"
#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

class SqliteStorage;

struct OrderColumn {
    std::string column;  // an SQL expression, with its collation
    bool descending = false;
    int file = 0;    // the table (of the row) that holds its value
    int field = -1;  // that table's field; -1 for its record id
};

// What a cursor reads: for each table in turn its record id, version and
// fields; the condition of the key the order walks (which lets the engine
// read the key's index); a condition every row meets (which may use named
// parameters that `bind` fills before each query); and the order, ending in
// record ids.
struct CursorQuery {
    std::string select;
    std::string from;
    std::string keyPresent;
    // The leading order columns that are the components of the key walked,
    // whose index the engine can seek on; 0 when the order walks no key.
    int keyColumns = 0;
    std::string where;
    std::vector<OrderColumn> order;
    std::function<void(sqlite3_stmt*)> bind;
};

struct Row {
    explicit Row(const std::vector<const FileDef*>& files);
    // Hands table `table`'s record over to `into`, a buffer of the same
    // file: the two swap their values, so no field is copied.
    void handOver(std::size_t table, Record& into);
    std::vector<Record> records;
    std::vector<std::int64_t> rids;
    std::int64_t version = 0;  // of the first table's record
    bool held = false;
};

class SeekCursor {
public:
    SeekCursor(SqliteStorage& storage, std::vector<const FileDef*> files, CursorQuery query);

    // Before the first row (forwards) or after the last (backwards).
    void toStart();
    // At the values of the first `columns` order columns, those rows included.
    void toValues(const std::vector<const Record*>& values, int columns);
    // At a row: included when `inclusive`, else the reads start beyond it.
    void toRow(const std::vector<const Record*>& values, const std::vector<std::int64_t>& rids,
               bool inclusive);

    // The next row in the direction, or code 33 past the last one. The row
    // stays valid until the next call; the caller may take its records
    // (Row::handOver), as the cursor keeps what it needs of them.
    DriverStatus read(bool forward, Row*& row);

    // This cursor's handle changed or removed the row it last read: the rows
    // read ahead are still good. `before` is the change count before it.
    void ownChange(std::uint64_t before);
    // The tables' change count (see SqliteStorage::ownChanges).
    std::uint64_t stamp() const;

    // The first batch after a new starting point is one page of a list, so
    // a list shows its first page without reading more.
    static constexpr std::size_t kFirstBatchRows = 20;
    // Later batches grow to this: large enough that a statement's set-up is
    // spread over many rows, small enough that a reader never holds up
    // another station's writer for long.
    static constexpr std::size_t kBatchRows = 64;
    // With read-ahead asked for (a report reading a file through), larger.
    static constexpr std::size_t kReadAheadBatchRows = 512;

    void setReadAhead(bool on) { maxBatch_ = on ? kReadAheadBatchRows : kBatchRows; }
    // Marks held rows after each fetch.
    using HoldMarker = std::function<void(std::vector<Row>&, std::size_t count)>;
    void setHoldMarker(HoldMarker marker) { marker_ = std::move(marker); }

    // Engine steps spent by this cursor's queries so far.
    std::uint64_t steps() const { return steps_; }

private:
    // Where the next read starts: the start of the order, some leading
    // values, a row, or past the end the last read ran into.
    enum class Anchor { Start, Values, Entry, Beyond };
    struct Level {
        int equal;          // leading order columns that equal the anchor's
        bool beyond;        // and the next one lies beyond it
        bool orAt = false;  // or at it
    };

    void invalidate();
    // Where the next batch starts should `row` be the last one read.
    void keepAnchorValues(const Row& row);
    void keepAnchorFromBatch();
    void bindColumn(sqlite3_stmt* stmt, int parameter, const OrderColumn& c) const;
    std::vector<Level> levels() const;
    std::string sql(bool forward, const Level& level) const;
    // The query for a direction and level, prepared once.
    sqlite3_stmt* statement(bool forward, const Level& level, DriverStatus& status);
    DriverStatus fetch(bool forward);

    SqliteStorage& storage_;
    std::vector<const FileDef*> files_;
    CursorQuery query_;
    std::map<int, KeptStatement> statements_;
    std::vector<const std::uint64_t*> changeCounts_;  // the tables', kept by the storage

    Anchor anchor_ = Anchor::Start;
    std::vector<Record> anchorValues_;
    std::vector<std::int64_t> anchorRids_;
    int anchorColumns_ = 0;
    bool anchorInclusive_ = false;
    bool beyondForward_ = true;

    std::vector<Row> batch_;
    std::size_t batchSize_ = 0;
    std::size_t nextRow_ = 0;
    bool batchForward_ = true;
    bool batchValid_ = false;
    std::uint64_t batchStamp_ = 0;
    bool rowRead_ = false;  // a row read since the anchor was set
    std::size_t wanted_ = kFirstBatchRows;
    std::size_t maxBatch_ = kBatchRows;
    HoldMarker marker_;
    std::uint64_t steps_ = 0;
};

}  // namespace bb::sqlite
