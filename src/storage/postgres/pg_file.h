// One opener's handle on a data file kept as a table on the server.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/storage.h"
#include "storage/postgres/pg_cursor.h"
#include "storage/postgres/pg_schema.h"

namespace bb::postgres {

class PgStorage;

class PgFile final : public StorageFile {
public:
    PgFile(PgStorage& storage, const FileDef& def);
    ~PgFile() override;

    const FileDef& def() const override { return def_; }
    DriverStatus open(std::uint8_t mode) override;
    DriverStatus create() override;
    DriverStatus close() override;
    bool isOpen() const override { return open_; }
    DriverStatus buildKeys() override;
    DriverStatus sendOption(std::string_view option) override;
    DriverStatus count(std::int64_t& records) override;

    DriverStatus setStart(int key) override;
    DriverStatus setAt(int key, const Record& values, int components) override;
    DriverStatus setAtPosition(int key, std::string_view position) override;
    DriverStatus next(Record& record) override { return read(true, record); }
    DriverStatus previous(Record& record) override { return read(false, record); }
    DriverStatus peek(bool forward, Record& record) override { return read(forward, record, true); }
    DriverStatus get(int key, Record& record) override;
    DriverStatus getAtPosition(std::string_view position, Record& record) override;
    DriverStatus reget(Record& record) override;
    std::string position() const override;

    int order() const override { return order_; }
    DriverStatus add(const Record& record, bool reservation) override;
    DriverStatus put(const Record& record) override;
    DriverStatus erase() override;
    std::optional<DriverStatus> eraseLinked(const LinkedRecords& linked) override;
    std::optional<DriverStatus> updateLinked(const LinkedRecords& linked, const Record& values,
                                             const std::vector<int>& fields) override;
    std::optional<LinkedFound> findLinked(const LinkedRecords& linked) override;
    std::optional<int> duplicateKey(const Record& record, bool excludeCurrent) override;
    std::vector<std::string> staleReservations() override;

    // The transaction this handle wrote in ended: after a rollback the
    // records it rewrote are back at the versions it had read.
    void transactionEnded(bool committed);

    DriverStatus hold() override;
    DriverStatus release() override;
    bool held() const override { return heldRid_ && current_ && *heldRid_ == current_->rid; }

private:
    struct Current {
        std::int64_t rid = 0;
        std::int64_t version = 0;
    };

    DriverStatus notOpen() const;
    DriverStatus writeRefusal() const;
    static void bindKey(Params& params, const KeyDef& key, const Record& record);
    DriverStatus writeFailed(const Result& result, const Record& record, bool excludeCurrent);
    PgCursor& cursor(int key);
    DriverStatus read(bool forward, Record& record, bool heldToo = false);
    DriverStatus load(std::int64_t rid, Record& into, Current& current);
    DriverStatus addMissingColumns(const SchemaCheck& check);
    DriverStatus createIndexes();
    DriverStatus dropIndexes();
    void noteOwnChange();
    // Whether another station holds one of the records `where` selects.
    bool linkedHeldByOther(const std::string& where, const LinkedRecords& linked);

    PgStorage& storage_;
    const FileDef& def_;
    int fileKey_;
    std::uint64_t& ownChanges_;
    bool open_ = false;
    bool writable_ = false;
    bool keysInvalid_ = false;
    int order_ = -1;
    std::map<int, std::unique_ptr<PgCursor>> cursors_;
    std::optional<Current> current_;
    std::optional<std::int64_t> heldRid_;
    std::map<std::int64_t, std::int64_t> versionsBeforeTransaction_;
    bool readAhead_ = false;
    std::string table_;
    std::string columns_;
};

}  // namespace bb::postgres
