// The file driver: where the data files live and how records are read and
// written, behind an interface that does not depend on the engine.
//
// A Storage is one data folder's set of files, opened once per process (one
// "station"); several stations may share the folder. A StorageFile is one
// opener's handle on one file: it keeps its own open state, order, position
// and read-ahead, and reads into and writes from the Record it is given.
// Every operation answers with a DriverStatus whose code is one of the
// runtime's codes (platform/runtime.h) and, for the engine's own failures
// (code 90), the engine's code and message. Each operation also records its
// status as the process's last error, as the runtime does. Damage met by any
// read or write, however long after the file was opened, is code 90 marked
// `damaged`, or code 46 when only keys are damaged: the file's keys are then
// built again the next time it is opened.
//
// Handles are used from the GUI thread only. REQUIRES: every handle and view
// is destroyed before the Storage that made it (the data dictionary owns
// both).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/filter.h"
#include "platform/record.h"
#include "platform/value.h"

namespace bb {

struct DriverStatus {
    int code = 0;        // runtime code, 0 for success
    std::string text;    // the runtime's text for the code
    int engineCode = 0;  // code 90 only: the engine's own code
    std::string engineText;
    int key = -1;  // code 40: the key that would be duplicated, when known
    // Code 90: the engine found the data damaged (or not a database at all).
    bool damaged = false;

    bool ok() const { return code == 0; }
    static DriverStatus success() { return {}; }
};

// Access and sharing as the file manager asks for them: low two bits access
// (0 read-only, 1 write-only, 2 read/write), high four bits sharing (0x40
// deny none). The values are the driver's own, kept in every open mode.
enum OpenMode : std::uint8_t {
    kReadOnly = 0x00,
    kWriteOnly = 0x01,
    kReadWrite = 0x02,
    kDenyNone = 0x40,
    kSharedReadWrite = 0x42,
    kAccessBits = 0x03,
    kSharingBits = 0xF0,
};

// How long a hold outlives the station that took it before other stations
// may break it: long enough for a station that stopped answering to be
// taken for dead, short enough that the user waits no longer than that. A
// file may set its own ("Recover=" option).
inline constexpr int kLockRecoverSeconds = 10;

// Whether an open mode asks for more than reading.
constexpr bool wantsWrite(std::uint8_t mode) {
    return (mode & kAccessBits) != kReadOnly;
}

// The records a cascade reaches through a chain of relations, level by
// level. The first level is a range of its file: the records whose first
// `components` components of `key` equal those in `values`. Each level below
// holds the records of its file whose key's first components equal the
// linking fields (`above`, fields of the level above, in the key's order) of
// a record of the level above. The last level is the file of the handle
// that is asked.
struct LinkedLevel {
    const FileDef* file = nullptr;
    int key = -1;
    std::vector<int> above;  // empty on the first level
};

struct LinkedRecords {
    const Record* values = nullptr;  // the first level's
    int components = 0;
    std::vector<LinkedLevel> levels;  // the first level first

    // One level: the records of `file` in the range of `key` that `values`
    // gives on its first `components` components.
    static LinkedRecords range(const FileDef& file, int key, const Record& values, int components) {
        return {&values, components, {{&file, key, {}}}};
    }
};

// What a look over linked records found.
enum class LinkedFound { None, Some, HeldByOther };

class StorageFile {
public:
    virtual ~StorageFile() = default;

    virtual const FileDef& def() const = 0;

    // Opening. Code 2 when the file does not exist, 5 when write access was
    // asked for and cannot be had, 46 when the keys must be rebuilt, 52 when
    // this handle is already open (it stays open).
    virtual DriverStatus open(std::uint8_t mode) = 0;
    virtual DriverStatus create() = 0;
    virtual DriverStatus close() = 0;
    virtual bool isOpen() const = 0;
    virtual DriverStatus buildKeys() = 0;
    // "Recover=<seconds>" sets how long a hold left by a dead station stands;
    // "QUICKSCAN=on|off" reads ahead in larger or smaller batches. Other
    // options are ignored.
    virtual DriverStatus sendOption(std::string_view option) = 0;
    virtual DriverStatus count(std::int64_t& records) = 0;

    // Setting a starting point; the next read goes forwards or backwards
    // from it. key < 0 means file order (the order records were added).
    // At the start of the order: next reads the first, previous the last.
    virtual DriverStatus setStart(int key) = 0;
    // At the buffer's values of the key's first `components` components
    // (all when -1): next reads the first entry at or after them, previous
    // the last entry at or before them.
    virtual DriverStatus setAt(int key, const Record& values, int components = -1) = 0;
    // At a position: the next read, either way, reads that record itself.
    virtual DriverStatus setAtPosition(int key, std::string_view position) = 0;

    // Reading into `record`. Code 33 past the end (or the start); 43 when the
    // record is held by another station (the read moves past it).
    virtual DriverStatus next(Record& record) = 0;
    virtual DriverStatus previous(Record& record) = 0;
    // Reads as next (or previous) does, a record another station holds too:
    // for the values of its key (the highest number given so far), which a
    // hold does not protect. What it reads is not to be shown or written.
    virtual DriverStatus peek(bool forward, Record& record) = 0;
    // The first entry of `key` equal to the buffer's key values.
    virtual DriverStatus get(int key, Record& record) = 0;
    virtual DriverStatus getAtPosition(std::string_view position, Record& record) = 0;
    // Reads the current record again.
    virtual DriverStatus reget(Record& record) = 0;
    // The current record's position; empty when there is none.
    virtual std::string position() const = 0;

    // The key the last starting point or get went by; -1 for file order.
    virtual int order() const = 0;

    // Changes. add makes the new record current; a `reservation` is a record
    // added only to claim its numbers, marked as this station's until a put
    // writes it. put rewrites the current record: code 89 when another
    // station changed or removed it since this handle read it, 43 when
    // another station holds it. Code 40 when a unique key would be
    // duplicated (status.key names it when known).
    virtual DriverStatus add(const Record& record, bool reservation = false) = 0;
    virtual DriverStatus put(const Record& record) = 0;
    virtual DriverStatus erase() = 0;
    // Deletes at once every record of the last level of a chain (this
    // handle's file; texts compared as the keys compare them), all or none:
    // code 43, with nothing deleted, when another station holds one of them.
    // nullopt when the driver cannot delete a set at once, or when the
    // chain's links do not compare as their stored values do; the caller
    // then deletes the records one by one.
    virtual std::optional<DriverStatus> eraseLinked(const LinkedRecords& /*linked*/) {
        return std::nullopt;
    }
    // Rewrites at once the fields `fields` of every record of the last level
    // of a chain (this handle's file; texts compared as the keys compare
    // them) with their values in `values` (a record of this file), all or
    // none: code 43, with nothing changed, when another station holds one of
    // them. nullopt as for eraseLinked; the caller then rewrites the records
    // one by one.
    virtual std::optional<DriverStatus> updateLinked(const LinkedRecords& /*linked*/,
                                                     const Record& /*values*/,
                                                     const std::vector<int>& /*fields*/) {
        return std::nullopt;
    }
    // Whether the last level of a chain holds any record, and whether
    // another station holds one; nullopt when the driver cannot tell.
    virtual std::optional<LinkedFound> findLinked(const LinkedRecords& /*linked*/) {
        return std::nullopt;
    }
    // The first unique key, in key order, whose values in `record` another
    // stored record already has (the current record does not count when
    // excludeCurrent is set).
    virtual std::optional<int> duplicateKey(const Record& record, bool excludeCurrent) = 0;
    // Positions of reservations whose stations have died without writing them.
    virtual std::vector<std::string> staleReservations() = 0;

    // Between stations: hold the current record so that other stations see
    // it as held until release (or close); 43 when another station holds it.
    virtual DriverStatus hold() = 0;
    virtual DriverStatus release() = 0;
    // Whether this handle holds its current record.
    virtual bool held() const = 0;
};

// One table of a view: the primary one (no parent), or one joined to an
// earlier table of the view by linking pairs.
struct ViewTable {
    const FileDef* def = nullptr;
    Record* buffer = nullptr;                // where the view reads this table's records into
    int parent = -1;                         // the earlier table this one is joined to
    std::vector<std::pair<int, int>> links;  // (the parent's field, this table's field)
    int key = -1;        // the key of this table the join looks up (its blank exclusion holds)
    bool inner = false;  // leave out rows without a match; otherwise a blank record stands in
};

// One column of a view's order: a field of one of the view's tables, read
// ascending or descending, a text compared with or without regard to case.
struct ViewOrderTerm {
    int table = 0;
    int field = -1;
    bool descending = false;
    bool noCase = false;
    friend bool operator==(const ViewOrderTerm&, const ViewOrderTerm&) = default;
};

// One condition of a view's range: a field of the primary table equals a
// value, a text compared with or without regard to case. The value is as the
// field holds it; a range value the field cannot hold takes no row.
struct ViewRangeTerm {
    int field = -1;
    bool noCase = false;
    std::optional<Value> value;
};

// The rows a view takes: those within its range and, of those, the ones its
// filter takes. The filter is compiled over the view's buffers (and any
// variables); an empty one takes every row. A driver sees the same shape
// (range fields, filter nodes) again when only the values change.
struct ViewFilter {
    std::vector<ViewRangeTerm> range;
    Filter expression;
};

// What a view has seen of the changes to the data, to tell cheaply whether
// the rows it showed may be out of date: the changes other stations made
// anywhere in the data, and this station's own changes to the view's
// tables. Two marks of one view are equal only when neither has moved.
struct ChangeMark {
    std::int64_t others = 0;
    std::uint64_t own = 0;
    friend bool operator==(const ChangeMark&, const ChangeMark&) = default;
};

// A view: the records of a primary table, joined to related tables, in one
// order, limited by a range and a filter, read forwards and backwards into
// the tables' buffers. A join that finds several records gives one row for
// each.
class StorageView {
public:
    virtual ~StorageView() = default;

    // Code 2 when a table of the view does not exist.
    virtual DriverStatus open() = 0;
    virtual DriverStatus close() = 0;
    virtual bool isOpen() const = 0;
    // The order, column by column (the record ids always end it); empty:
    // the primary table's record order.
    virtual DriverStatus setOrder(std::vector<ViewOrderTerm> order) = 0;
    virtual DriverStatus setFilter(ViewFilter filter) = 0;
    // Whether the engine evaluates the filter (the default) or the view
    // tests each row itself; both take the same rows.
    virtual void setPushDown(bool on) = 0;
    // Rows per page, pages kept behind and read ahead, and how long a page
    // stays good.
    virtual void setBuffering(int pageSize, int behind, int ahead, int timeoutSeconds) = 0;
    // At the buffers' values of the first `components` order columns (0: the start).
    virtual DriverStatus reset(int components) = 0;
    // At a row by its position: the next read either way reads that row.
    virtual DriverStatus resetToPosition(std::string_view position) = 0;
    virtual DriverStatus next() = 0;
    virtual DriverStatus previous() = 0;
    // The current row's position; empty when there is none.
    virtual std::string position() const = 0;
    // The position of the current row's record of table `table`, as the
    // handles on that table's file know it (getAtPosition); empty when the
    // row has none (no current row, or no match in a joined table).
    virtual std::string recordPosition(int table) const = 0;
    // Engine steps spent by this view so far (for tests and benchmarks of
    // how much a read costs).
    virtual std::uint64_t workDone() const = 0;
    // The changes seen so far, read without reading a row; nullopt when the
    // driver cannot tell (the rows may then have changed at any time).
    virtual std::optional<ChangeMark> changeMark() { return std::nullopt; }
};

class Storage {
public:
    virtual ~Storage() = default;

    // A new, closed handle on the file.
    virtual std::unique_ptr<StorageFile> file(const FileDef& def) = 0;
    // A new, closed view over the tables (the first is the primary one).
    virtual std::unique_ptr<StorageView> view(std::vector<ViewTable> tables) = 0;

    // One transaction over every change until commit or rollback; waits at
    // most waitMs for other stations to finish theirs.
    virtual DriverStatus begin(int waitMs) = 0;
    virtual DriverStatus commit() = 0;
    virtual DriverStatus rollback() = 0;
    virtual bool inTransaction() const = 0;

    // The station's name for others (host and process).
    virtual const std::string& station() const = 0;
};

// A transaction as a scope: begun by begin(), rolled back when the scope
// ends unless commit() succeeded first. Until it has begun (and after it
// has ended) it frames nothing: commit and rollback do nothing then.
class Transaction {
public:
    Transaction() = default;
    ~Transaction() { rollback(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Begins on `storage`, waiting at most waitMs for other stations' transactions.
    DriverStatus begin(Storage& storage, int waitMs);
    // Commits. A failed commit leaves the transaction to be rolled back, so
    // that the caller can record why first.
    DriverStatus commit();
    // Rolls back now, so that the user is told of a failure only once the
    // other stations are let in again.
    void rollback();

private:
    Storage* storage_ = nullptr;  // while the transaction is open
};

}  // namespace bb
