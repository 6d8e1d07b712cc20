// A view kept by the PostgreSQL engine: one query over the primary table
// joined to its related tables, read in batches by a keyset cursor.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/filter.h"
#include "platform/storage.h"
#include "storage/postgres/pg_cursor.h"
#include "storage/postgres/pg_filter.h"

namespace bb::postgres {

class PgStorage;

class PgView final : public StorageView {
public:
    PgView(PgStorage& storage, std::vector<ViewTable> tables);

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
    void rebuild();
    CursorQuery query();
    std::string from() const;
    std::string select() const;
    std::string walkedKeyPredicate() const;
    std::string rangeCondition() const;
    void bind(Params& params) const;

    PgStorage& storage_;
    std::vector<ViewTable> tables_;
    std::vector<const FileDef*> defs_;
    bool open_ = false;
    std::vector<ViewOrderTerm> order_;
    std::vector<ViewRangeTerm> range_;
    Record rangeValues_;
    Filter filter_;
    FilterSql pushed_;
    bool pushDown_ = true;
    bool testEachRow_ = false;
    bool pageSizeGiven_ = false;
    std::size_t pageSize_ = PgCursor::kFirstBatchRows;
    std::unique_ptr<PgCursor> cursor_;
    std::uint64_t retiredSteps_ = 0;
    std::vector<std::int64_t> current_;
};

}  // namespace bb::postgres
