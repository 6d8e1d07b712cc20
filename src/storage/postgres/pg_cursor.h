// Reading one order of a table (or of a view joining several tables)
// forwards or backwards from a starting point, in batches, by keyset: each
// batch's queries start exactly where the last read row stands (the rows
// whose leading order columns equal the anchor's and whose next column lies
// beyond it, from the longest equal run to the shortest), never skipping
// rows with OFFSET. The order always ends in the record ids of its tables,
// so it is total. With an index on the order each query is an index seek.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/record.h"
#include "platform/storage.h"
#include "storage/postgres/pg_schema.h"
#include "storage/postgres/pg_support.h"

namespace bb::postgres {

class PgStorage;

struct OrderColumn {
    std::string column;  // an SQL expression
    bool descending = false;
    int file = 0;    // the table (of the row) that holds its value
    int field = -1;  // that table's field; -1 for its record id
    // The rules that upper-case the column, when it is compared without
    // regard to case: a value it is compared with is upper-cased too.
    const CaseRules* noCase = nullptr;

    // The expression a value bound as parameter `n` is compared as.
    std::string parameter(int n) const;
};

// What a cursor reads: for each table in turn its record id, version and
// fields; a condition every row meets, whose own parameters are $1 to
// $`parameters` (bound by `bind` before each query); and the order.
struct CursorQuery {
    std::string select;
    std::string from;
    std::string where;
    int parameters = 0;
    std::vector<OrderColumn> order;
    std::function<void(Params&)> bind;
};

struct Row {
    explicit Row(const std::vector<const FileDef*>& files);
    // Hands table `table`'s record over to `into` (the two swap values).
    void handOver(std::size_t table, Record& into);
    std::vector<Record> records;
    std::vector<std::int64_t> rids;
    std::int64_t version = 0;  // of the first table's record
    bool held = false;
};

class PgCursor {
public:
    PgCursor(PgStorage& storage, std::vector<const FileDef*> files, CursorQuery query);

    // Before the first row (forwards) or after the last (backwards).
    void toStart();
    // At the values of the first `columns` order columns, those rows included.
    void toValues(const std::vector<const Record*>& values, int columns);
    // At a row: included when `inclusive`, else the reads start beyond it.
    void toRow(const std::vector<const Record*>& values, const std::vector<std::int64_t>& rids,
               bool inclusive);

    // The next row in the direction, or code 33 past the last one.
    DriverStatus read(bool forward, Row*& row);

    // This cursor's handle changed or removed the row it last read.
    void ownChange(std::uint64_t before);
    std::uint64_t stamp() const;

    static constexpr std::size_t kFirstBatchRows = 20;
    static constexpr std::size_t kBatchRows = 64;
    static constexpr std::size_t kReadAheadBatchRows = 512;

    void setReadAhead(bool on) { maxBatch_ = on ? kReadAheadBatchRows : kBatchRows; }
    using HoldMarker = std::function<void(std::vector<Row>&, std::size_t count)>;
    void setHoldMarker(HoldMarker marker) { marker_ = std::move(marker); }

    // Rows the server returned and queries it ran for this cursor so far.
    std::uint64_t steps() const { return steps_; }

private:
    enum class Anchor { Start, Values, Entry, Beyond };
    struct Level {
        int equal;
        bool beyond;
        bool orAt = false;
    };

    void invalidate();
    void keepAnchorValues(const Row& row);
    void keepAnchorFromBatch();
    void bindColumn(Params& params, const OrderColumn& c) const;
    std::vector<Level> levels() const;
    std::string sql(bool forward, const Level& level) const;
    DriverStatus fetch(bool forward);

    PgStorage& storage_;
    std::vector<const FileDef*> files_;
    CursorQuery query_;
    std::vector<const std::uint64_t*> changeCounts_;

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
    bool rowRead_ = false;
    std::size_t wanted_ = kFirstBatchRows;
    std::size_t maxBatch_ = kBatchRows;
    HoldMarker marker_;
    std::uint64_t steps_ = 0;
};

}  // namespace bb::postgres
