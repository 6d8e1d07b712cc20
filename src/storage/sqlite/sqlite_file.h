// One opener's handle on a data file kept as an SQLite table.
#pragma once

#include <sqlite3.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/storage.h"
#include "storage/sqlite/holds.h"
#include "storage/sqlite/seek_cursor.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

class SqliteStorage;

class SqliteFile final : public StorageFile {
public:
    SqliteFile(SqliteStorage& storage, const FileDef& def);
    ~SqliteFile() override;

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
    DriverStatus next(Record& record) override;
    DriverStatus previous(Record& record) override;
    DriverStatus peek(bool forward, Record& record) override;
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
    // Why a write may not go on (not open, read only, keys found damaged);
    // success when it may.
    DriverStatus writeRefusal() const;
    // Binds the key's values in `record` to parameters 1, 2...
    static void bindKey(sqlite3_stmt* stmt, const KeyDef& key, const Record& record);
    DriverStatus writeFailed(int result, const Record& record, bool excludeCurrent);
    // Whether another station holds one of the records of `linked` that
    // `where` (linkedCondition) selects on this file's table; true when unknown.
    bool linkedHeldByOther(const std::string& where, const LinkedRecords& linked);
    SeekCursor& cursor(int key);
    DriverStatus read(bool forward, Record& record, bool heldToo = false);
    // Reads the record with this id into `into`; code 33 when there is none.
    DriverStatus load(std::int64_t rid, Record& into, Current& current);
    DriverStatus addMissingColumns(const SchemaCheck& check);
    DriverStatus createIndexes();
    void noteOwnChange();
    DriverStatus inTransaction(const std::function<DriverStatus()>& work);
    bool heldByOther(std::int64_t rid) {
        return holds_.heldByOther(def_.storedName, rid, recoverSeconds_);
    }

    SqliteStorage& storage_;
    const FileDef& def_;
    Holds holds_;
    std::uint64_t& ownChanges_;  // kept by the storage
    bool open_ = false;
    bool writable_ = false;
    int order_ = -1;  // the key the last set or read went by; -1 for file order
    std::map<int, std::unique_ptr<SeekCursor>> cursors_;
    std::optional<Current> current_;
    std::optional<std::int64_t> heldRid_;
    std::map<std::int64_t, std::int64_t> versionsBeforeTransaction_;  // record id to version
    int recoverSeconds_ = kLockRecoverSeconds;
    bool readAhead_ = false;
    std::string table_;
    std::string columns_;
    // The statements this handle runs, each prepared once.
    struct Kept {
        KeptStatement count, byId, insert, update, erase, stale;
        std::vector<KeptStatement> get;        // by key
        std::vector<KeptStatement> duplicate;  // by key, twice: all records, all but the current
        // By the condition that selects the linked records.
        std::map<std::string, KeptStatement> heldInLinked, anyLinked, eraseLinked;
        // By the statement: the fields it rewrites and the condition.
        std::map<std::string, KeptStatement> updateLinked;
    };
    Kept kept_;
};

}  // namespace bb::sqlite
