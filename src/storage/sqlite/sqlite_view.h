// A view kept by the SQLite engine: one query over the primary table joined
// to its related tables, read in batches by a seek cursor.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/filter.h"
#include "platform/storage.h"
#include "storage/sqlite/filter_sql.h"
#include "storage/sqlite/seek_cursor.h"

namespace bb::sqlite {

class SqliteStorage;

class SqliteView final : public StorageView {
public:
    SqliteView(SqliteStorage& storage, std::vector<ViewTable> tables);

    DriverStatus open() override;
    DriverStatus close() override;
    bool isOpen() const override { return open_; }
    DriverStatus setOrder(std::vector<ViewOrderTerm> order) override;
    DriverStatus setFilter(ViewFilter filter) override;
    void setPushDown(bool on) override;
    void setBuffering(int pageSize, int behind, int ahead, int timeoutSeconds) override;
    DriverStatus reset(int components) override;
    DriverStatus resetToPosition(std::string_view position) override;
    DriverStatus next() override { return read(true); }
    DriverStatus previous() override { return read(false); }
    std::string position() const override;
    std::string recordPosition(int table) const override;
    std::uint64_t workDone() const override;
    std::optional<ChangeMark> changeMark() override;

private:
    DriverStatus read(bool forward);
    // Builds the query for the current order and filter (a new cursor).
    DriverStatus rebuild();
    CursorQuery query();
    // Whether the engine takes the query; code 801 with its reason if not.
    DriverStatus prepares(const CursorQuery& q);
    std::string from() const;
    std::string select() const;
    // The condition of the blank-excluding key the order walks, or empty.
    // The primary table's key the order walks, or -1.
    int walkedKey() const;
    // The range's conditions, each value a parameter bound as the query runs.
    std::string rangeCondition() const;
    void bind(sqlite3_stmt* stmt) const;

    SqliteStorage& storage_;
    std::vector<ViewTable> tables_;
    std::vector<const FileDef*> defs_;
    bool open_ = false;
    std::vector<ViewOrderTerm> order_;
    std::vector<ViewRangeTerm> range_;
    Record rangeValues_;  // the range's values, for binding
    Filter filter_;
    FilterSql pushed_;
    bool pushDown_ = true;
    bool testEachRow_ = false;  // the view tests the filter on each row itself
    bool pageSizeGiven_ = false;
    std::size_t pageSize_ = SeekCursor::kFirstBatchRows;
    std::unique_ptr<SeekCursor> cursor_;
    std::uint64_t retiredSteps_ = 0;  // spent by cursors this view has replaced
    std::vector<std::int64_t> current_;
};

}  // namespace bb::sqlite
