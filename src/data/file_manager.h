// The file manager: one per data file. It does every open, close, read,
// insert, change and record-saving step for the rest of the program, so that
// each failure is reported in the program's own words and each caller gets
// back a severity instead of a raw error code. It numbers new records, keeps
// an open count per thread (window), and saves and restores record buffers
// and read positions for callers that must look elsewhere and come back.
//
// Asking operations show messages and return the severity the user's answer
// gives; quiet ("try") operations only record the error id in LastError.
// The managers live for the whole run and are used from the GUI thread; the
// status they keep per thread is found by the current thread (window) id.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "data/error_manager.h"
#include "data/severity.h"
#include "dictionary/files.h"
#include "platform/storage.h"

namespace bb {

class FolderStorage;

// What deletes a file's current record with its rules, without asking
// first: the file's relation manager. With `retry`, a failure asks whether
// to try again (never after damage, which stays until the file's next
// open); without, the record stays.
class RuledDelete {
public:
    virtual Severity DeleteWithRules(bool retry) = 0;
    // Whether records hang on the current record that its delete would
    // reach (or could not be looked at).
    virtual bool OwnsRelated() = 0;

protected:
    ~RuledDelete() = default;
};

class FileManager {
public:
    // Per-thread status.
    struct Status {
        int Id = 0;
        bool Used = false;         // physically open on this thread
        std::uint16_t Opened = 0;  // open count
        bool AtEOF = false;        // the last read ran past the end
        bool AutoIncDone = false;  // a record is reserved and not yet written or cancelled
        int LastError = 0;
        std::unique_ptr<StorageFile> file;  // this thread's handle on the file
        std::string reserved;               // position of the reserved record
        bool purgePending = false;          // stale reservations to remove after opening
    };

    virtual ~FileManager() = default;

    // Set-up, in the order the dictionary uses it: the file, with its keys as
    // the dictionary declares them, reported through `errors`, its handles
    // taken on `folder`'s storage.
    void Setup(FileId file, ErrorManager& errors, FolderStorage& folder);
    // The relation manager standing on this file, through which a reserved
    // record is removed with what hangs on it (none: removed plainly).
    void SetRuledDelete(RuledDelete* relations) { ruledDelete_ = relations; }
    void Teardown();

    // The overridable operations, in dispatch order.
    virtual void BindAllFields();
    // Removes a record reserved for numbering and not yet written: through
    // `relations` when given, else plainly.
    virtual Severity CancelNumber(RuledDelete* relations = nullptr);
    virtual Severity Close();
    virtual bool BufferUnchanged(int id);
    virtual Severity Open();
    virtual Severity PrimeNumber();
    virtual void SeedNewRecord();
    virtual Severity PrimeNewRecord(bool keepBuffer = false);
    virtual Severity Throw(int id);
    virtual Severity HandleError();
    virtual Severity RaiseWithMessage(int id, std::string_view text);
    virtual Severity PrimeNumberQuietly();
    virtual Severity ValidateOneField(int id);
    virtual Severity ValidateFieldRange(int first, int last, int& failedId);
    virtual Severity ValidateAllFields(int& failedId);

    Severity Next();
    Severity NextQuietly();
    Severity Previous();
    Severity PreviousQuietly();
    // A record not found gives SeverityNotify and no message, in either
    // form; damage met on the way is told (errorFor), in either form.
    Severity Fetch(int key);
    Severity FetchQuietly(int key);
    Severity Insert();
    Severity InsertQuietly();
    // How Update tells of a record that another station changed meanwhile.
    // Callers pass the values as numbers too, so they stay as they are.
    enum UpdateModes : int {
        UpdateQuiet = 0,             // only records the error
        UpdateAsk = 1,               // shows error 6
        UpdateAskShowingTheirs = 2,  // shows error 7: their changes will be displayed
    };
    Severity Update(int mode = UpdateAsk);
    Severity UpdateQuietly() { return Update(UpdateQuiet); }

    std::string Position();
    // SeverityNotify when the record is gone (no error is recorded);
    // SeverityFatal when it could not be read: error 28 when another station
    // holds it, the damage met (errorFor), else error 1.
    Severity RegetQuietly(const std::string& position);
    int SaveCopy();
    void RestoreCopy(int id, bool restore);
    std::uint16_t SaveFileState();
    void RestoreFileState(std::uint16_t& handle);
    void RecordError(int id);
    std::string GetName() const;

    // Starting points for Next and Previous (the runtime's SET). A failure
    // is recorded as a read's (error 1, or the damage met) and gives
    // SeverityFatal.
    Severity SetOrder(int key);
    Severity SetOrderAt(int key, int components = -1);
    Severity SetOrderAtPosition(int key, const std::string& position);

    // Key operations, on the keys as the dictionary declares them.
    int KeyComponents(int key) const;
    int KeyComponentField(int key, int component) const;
    // Sets components from..to (1-based) to the values that sort first in
    // the key, or last with `high`.
    void ClearKey(int key, int from, int to, bool high = false);
    // The order text from component `from` on: the names joined by ",",
    // each descending one preceded by "-", a text component of a no-case
    // key written "UPPER(" name ")".
    std::string KeyOrderText(int key, int from = 1) const;

    FileId File() const { return file_; }
    const FileDef& Def() const { return fileDef(file_); }
    Record& Buffer() const { return buffer(file_); }
    // The storage this file's handles are taken on.
    Storage& storage();
    // The calling thread's status and handle.
    Status& Info();
    StorageFile& Driver();
    bool IsOpen() { return Info().Opened > 0; }
    // Drops every thread's handle and status (the data folder is changing).
    void ForgetHandles() { info_.clear(); }
    // Removes the records that stations which died had reserved for numbering
    // and never written, with what hangs on them, when an open found some
    // to look for.
    void PurgeStaleReservations();

    // While one lives, opening a file leaves its stale reservations for
    // PurgeStaleReservations: a relation manager opening related files
    // together removes them once all are open.
    class PurgesDeferred {
    public:
        PurgesDeferred() { ++deferred_; }
        ~PurgesDeferred() { --deferred_; }
        PurgesDeferred(const PurgesDeferred&) = delete;
        PurgesDeferred& operator=(const PurgesDeferred&) = delete;
    };

    // Fields as the program keeps them.
    ErrorManager* Errors = nullptr;
    const std::string* FileName = nullptr;
    std::string FileNameValue;
    bool Create = true;
    bool HasAutoInc = false;
    bool LazyOpen = true;
    std::uint16_t LockRecover = kLockRecoverSeconds;
    std::uint8_t OpenMode = kSharedReadWrite;
    int PrimaryKey = 0;  // position (from 1) of the primary key among the keys, 0 for none
    bool SkipHeldRecords = false;

private:
    struct SavedBuffer {
        int Id;
        std::variant<Record, std::string> Copy;  // the record, or one memo
    };

    struct SavedPosition {
        int Buffer = 0;
        std::uint16_t Id = 0;
        bool WHeld = false;
        std::string Pos;
        int Key = -1;
    };

    // Finds the calling thread's status and names this file for messages.
    Status& touch();
    Severity openAttempts(Status& s);
    Severity opened(Status& s);
    Severity read(bool forward, bool asking);
    Severity positioned(const DriverStatus& status);
    Severity readResult(const DriverStatus& status);
    Severity fetch(int key, bool clearOnFailure);
    Severity insert(bool asking);
    // Reads the record reserved when the numbers were taken into scratch();
    // code 33 when none is reserved.
    DriverStatus readReserved(Status& s);
    Severity number(bool asking, bool reserve);
    // Removes the record loaded from `position`: through `relations`, else plainly.
    Severity removeReserved(Status& s, const std::string& position, RuledDelete* relations,
                            bool retry);
    // Clears the reservation mark of the record at `position` when records
    // hang on it, after its removal failed.
    void keepIfOwning(Status& s, const std::string& position);

    std::optional<std::int32_t> nextNumber(int keyIndex, bool asking, Severity& failure);
    Severity reportDuplicate(Status& s);
    // A record of this file's layout to read into without touching the buffer.
    Record& scratch();
    bool usable(Status& s);

    FileId file_ = FileId::Members;
    FolderStorage* folder_ = nullptr;
    RuledDelete* ruledDelete_ = nullptr;
    std::deque<Status> info_;  // entries keep their place when others are added
    std::vector<SavedBuffer> buffers_;
    std::vector<SavedPosition> saved_;
    std::unique_ptr<Record> scratch_;
    static inline int deferred_ = 0;  // purges put off by PurgesDeferred
};

// Whether a failed driver operation met damage in the data: a page gone bad
// after the database was first opened and looked over (another station's
// crash, a disk fault).
bool damageMet(const DriverStatus& status);
// The error a failed driver operation records. Damage is told as the damage
// it is, whatever the operation: error 23 ("File Access Error", which ends
// the program) with the engine's words, or error 27 ("Invalid Key") when
// only keys are damaged, which are built again at the file's next open. Any
// other failure records `otherwise`, the operation's own error.
int errorFor(const DriverStatus& status, int otherwise);
// Whether a recorded error is one of those: trying the operation again
// cannot succeed before the file is opened again, so no "try again?"
// question may follow it.
bool damageError(int id);

// The file manager of a file in the program's data dictionary
// (dictionary_setup.h), or null before its set-up and after its tear-down.
FileManager* fileManagerFor(FileId file);

// Whether the (open) file of `field` holds a record that key `key` finds
// with `value` in `field`: whether a saved choice still names a record. The
// file's buffer is left as it was.
bool recordNamed(FieldRef field, int key, const Value& value);

}  // namespace bb
