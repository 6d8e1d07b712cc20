#include "data/file_manager.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>

#include "data/folder_storage.h"
#include "data/view_order.h"
#include "dictionary/record_rules.h"
#include "platform/message_service.h"
#include "platform/name_bindings.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace bb {

namespace {

// The largest or smallest value a field can hold, for keys positioned at
// the end or the start of a group.
Value extremeOf(const FieldDef& f, bool highest) {
    switch (f.spec.type) {
        case FieldType::Long:
            return Value::number(highest ? std::numeric_limits<std::int32_t>::max()
                                         : std::numeric_limits<std::int32_t>::min());
        case FieldType::Short:
            return Value::number(highest ? std::numeric_limits<std::int16_t>::max()
                                         : std::numeric_limits<std::int16_t>::min());
        case FieldType::Byte:
            return Value::number(highest ? 255 : 0);
        case FieldType::Decimal: {
            const auto nines = Decimal::parse(std::string(f.spec.width, '9'));
            const Decimal largest = Decimal::fromUnits(nines->units(), f.spec.places);
            return Value::number(highest ? largest : -largest);
        }
        case FieldType::String:
        case FieldType::Memo:
            break;
    }
    if (!highest) return Value::text("");
    std::string top;
    for (int i = 0; i < f.spec.width; ++i) text::append(top, U'\U0010FFFF');
    return Value::text(top);
}

// Components 1..count of a key, as text, each followed by "|".
std::string groupText(const Record& r, const KeyDef& key, int count) {
    std::string group;
    for (int i = 0; i < count; ++i)
        group += r.get(key.components[static_cast<std::size_t>(i)].field).toText() + "|";
    return group;
}

}  // namespace

bool damageMet(const DriverStatus& status) {
    return status.damaged || status.code == code::kInvalidKeyFile;
}

int errorFor(const DriverStatus& status, int otherwise) {
    if (status.damaged) return ErrFileAccess;
    return status.code == code::kInvalidKeyFile ? ErrInvalidKey : otherwise;
}

bool damageError(int id) {
    return id == ErrFileAccess || id == ErrInvalidKey;
}

void FileManager::Setup(FileId file, ErrorManager& errors, FolderStorage& folder) {
    Errors = &errors;
    file_ = file;
    folder_ = &folder;
    ruledDelete_ = nullptr;
    info_.clear();
    buffers_.clear();
    saved_.clear();
    SkipHeldRecords = false;
    OpenMode = kSharedReadWrite;
    Create = true;
    LockRecover = kLockRecoverSeconds;
    PrimaryKey = Def().primaryKey() + 1;
    LazyOpen = true;
    HasAutoInc = std::any_of(Def().keys.begin(), Def().keys.end(),
                             [](const KeyDef& k) { return k.autoInc != 0; });
    FileNameValue = Def().storedName;
}

void FileManager::Teardown() {
    info_.clear();
    buffers_.clear();
    saved_.clear();
    ruledDelete_ = nullptr;
}

std::string FileManager::GetName() const {
    return FileName ? *FileName : FileNameValue;
}

FileManager::Status& FileManager::touch() {
    Errors->SetFileName(GetName());
    return Info();
}

FileManager::Status& FileManager::Info() {
    const int thread = currentThread();
    for (Status& s : info_) {
        if (s.Id == thread) return s;
    }
    Status s;
    s.Id = thread;
    info_.push_back(std::move(s));
    return info_.back();
}

Storage& FileManager::storage() {
    return folder_->storage();
}

StorageFile& FileManager::Driver() {
    Status& s = Info();
    if (!s.file) s.file = storage().file(Def());
    return *s.file;
}

bool FileManager::usable(Status& s) {
    if (s.Opened > 0 && s.file) return true;
    Throw(ErrFileUsage);
    return false;
}

void FileManager::RecordError(int id) {
    // The error is this file's: %File names it.
    touch().LastError = id;
    Errors->SaveErrorState();
}

Severity FileManager::Throw(int id) {
    RecordError(id);
    return HandleError();
}

Severity FileManager::HandleError() {
    // Shown as this file's error, whatever file was touched since it was recorded.
    Errors->SetFileName(GetName());
    return Errors->HandleError(Info().LastError);
}

Severity FileManager::RaiseWithMessage(int id, std::string_view text) {
    return Errors->RaiseWithMessage(id, text);
}

void FileManager::BindAllFields() {
    bindings().bindRecord(Buffer());
}

Severity FileManager::Open() {
    Status& s = touch();
    if (s.Opened > 0) {
        ++s.Opened;
        return SeverityNone;
    }
    return openAttempts(s);
}

Severity FileManager::openAttempts(Status& s) {
    StorageFile& file = Driver();
    for (int attempt = 0; attempt < 2; ++attempt) {
        DriverStatus r = file.open(OpenMode);
        if (r.code == code::kAccessDenied) {
            file.sendOption("Recover=" + std::to_string(LockRecover));
            r = file.open(OpenMode);
        }
        switch (r.code) {
            case code::kNoError:
            case code::kFileAlreadyOpen:
                return opened(s);
            case code::kFileNotFound:
                if (Create && file.create().ok()) continue;
                return Throw(ErrFileCreation);
            case code::kAccessDenied:
                if (!wantsWrite(OpenMode)) return Throw(ErrFileAccess);
                // Without write access: read only, for the rest of the run.
                OpenMode &= kSharingBits;
                Throw(ErrAccessDenied);
                continue;
            case code::kInvalidKeyFile:
                RecordError(ErrInvalidKey);
                HandleError();
                if (file.buildKeys().ok()) continue;
                return Throw(ErrKeyNotBuilt);
            default:
                return Throw(ErrFileAccess);
        }
    }
    return Throw(ErrFileAccess);
}

Severity FileManager::opened(Status& s) {
    s.Used = true;
    s.AtEOF = false;
    s.AutoIncDone = false;
    ++s.Opened;
    BindAllFields();
    s.purgePending = HasAutoInc && wantsWrite(OpenMode);
    if (deferred_ == 0) PurgeStaleReservations();
    return SeverityNone;
}

// Numbers reserved by a station that died before writing its record would
// otherwise stay behind as blank records; they are removed with whatever
// was already attached to them. This is housekeeping: nothing it meets is
// shown to the user, nothing is tried twice, and the open goes on at once.
// A record that cannot be removed because of what hangs on it (an account
// forbids it, another station holds a phone) becomes an ordinary record,
// shown as the incomplete record it is, rather than tried again at every
// open; one that failed for another reason stays for a later open.
void FileManager::PurgeStaleReservations() {
    // Looked up without adding a status: most files have nothing pending.
    const auto found = std::find_if(info_.begin(), info_.end(),
                                    [](const Status& e) { return e.Id == currentThread(); });
    if (found == info_.end() || !found->purgePending || found->Opened == 0 || !found->file) return;
    Status& s = *found;
    // Inside another change's transaction the removal waits for a later open.
    if (storage().inTransaction()) return;
    s.purgePending = false;
    const std::vector<std::string> stale = s.file->staleReservations();
    if (stale.empty()) return;
    const QuietMessages quiet;
    const int copy = SaveCopy();
    // Removed in one attempt each: nobody is there to answer "try again?".
    for (const std::string& position : stale) {
        if (removeReserved(s, position, ruledDelete_, false) != SeverityNone)
            keepIfOwning(s, position);
    }
    RestoreCopy(copy, true);
}

void FileManager::keepIfOwning(Status& s, const std::string& position) {
    if (!ruledDelete_ || !s.file->getAtPosition(position, Buffer()).ok()) return;
    // Written as it stands, the record is no longer a reservation.
    if (ruledDelete_->OwnsRelated()) s.file->put(Buffer());
}

Severity FileManager::removeReserved(Status& s, const std::string& position, RuledDelete* relations,
                                     bool retry) {
    if (!s.file->getAtPosition(position, Buffer()).ok()) return SeverityNotify;
    if (relations) return relations->DeleteWithRules(retry);
    return s.file->erase().ok() ? SeverityNone : SeverityNotify;
}

Severity FileManager::Close() {
    Status& s = touch();
    if (s.Opened == 0) return SeverityNone;
    if (--s.Opened == 0) {
        if (s.file) s.file->close();
        s.Used = false;
    }
    return SeverityNone;
}

Severity FileManager::read(bool forward, bool asking) {
    Status& s = touch();
    if (!usable(s)) return SeverityFatal;
    s.AtEOF = false;
    while (true) {
        const DriverStatus r = forward ? s.file->next(Buffer()) : s.file->previous(Buffer());
        if (r.code == code::kRecordHeld && SkipHeldRecords) continue;
        s.AtEOF = r.code == code::kRecordNotAvailable;
        const Severity result = readResult(r);
        return asking && result != SeverityNone && !s.AtEOF ? HandleError() : result;
    }
}

// A read's outcome in the quiet form: past the end is no error; a record
// held by another station is error 28; any other failure is error 1.
Severity FileManager::readResult(const DriverStatus& r) {
    switch (r.code) {
        case code::kNoError:
            return SeverityNone;
        case code::kRecordNotAvailable:
            return SeverityNotify;
        case code::kRecordHeld:
            RecordError(ErrRecordNotRead);
            return SeverityNotify;
        default:
            RecordError(errorFor(r, ErrRecordRetrieval));
            return SeverityFatal;
    }
}

Severity FileManager::Next() {
    return read(true, true);
}
Severity FileManager::NextQuietly() {
    return read(true, false);
}
Severity FileManager::Previous() {
    return read(false, true);
}
Severity FileManager::PreviousQuietly() {
    return read(false, false);
}

Severity FileManager::fetch(int key, bool clearOnFailure) {
    Status& s = touch();
    if (!usable(s)) return SeverityFatal;
    const DriverStatus r = s.file->get(key, Buffer());
    if (r.ok()) return SeverityNone;
    if (clearOnFailure) Buffer().clear();
    // Damage is told, never taken for a record that is not there.
    return damageMet(r) ? Throw(errorFor(r, ErrRecordRetrieval)) : SeverityNotify;
}

Severity FileManager::Fetch(int key) {
    return fetch(key, true);
}
Severity FileManager::FetchQuietly(int key) {
    return fetch(key, false);
}

bool recordNamed(FieldRef field, int key, const Value& value) {
    FileManager* file = fileManagerFor(field.file());
    if (!file) return false;
    Record& record = file->Buffer();
    const Record kept = record;
    record.clear();
    const bool found = record.set(field.index(), value) && file->FetchQuietly(key) == SeverityNone;
    record = kept;
    return found;
}

Severity FileManager::insert(bool asking) {
    Status& s = touch();
    if (!usable(s)) return SeverityFatal;
    int failed = 0;
    if (ValidateAllFields(failed) != SeverityNone) return SeverityNotify;
    DriverStatus r;
    if (!HasAutoInc) {
        r = s.file->add(Buffer());
    } else if (const DriverStatus reserved = readReserved(s); reserved.ok()) {
        // Write over the record reserved when the numbers were taken.
        r = s.file->put(Buffer());
    } else if (damageMet(reserved)) {
        r = reserved;
    } else {
        // Never reserved, or the reservation is gone: number the record now.
        s.AutoIncDone = false;
        if (number(asking, false) != SeverityNone) return SeverityNotify;
    }
    if (r.ok()) {
        s.AutoIncDone = false;
        s.reserved.clear();
        return SeverityNone;
    }
    if (r.code == code::kDuplicateKey) {
        if (asking) return reportDuplicate(s);
        RecordError(ErrDuplicateKey);
        return SeverityNotify;
    }
    RecordError(errorFor(r, ErrRecordInsert));
    return asking ? HandleError() : SeverityNotify;
}

DriverStatus FileManager::readReserved(Status& s) {
    if (s.AutoIncDone) return s.file->getAtPosition(s.reserved, scratch());
    DriverStatus none;
    none.code = code::kRecordNotAvailable;
    return none;
}

Record& FileManager::scratch() {
    if (!scratch_) scratch_ = std::make_unique<Record>(Def());
    return *scratch_;
}

Severity FileManager::reportDuplicate(Status& s) {
    // A reserved record holds this record's own numbers; otherwise every
    // stored record counts.
    if (const auto key = s.file->duplicateKey(Buffer(), HasAutoInc && s.AutoIncDone)) {
        RecordError(ErrDuplicateKey);
        RaiseWithMessage(ErrDuplicateKey, Def().keys[static_cast<std::size_t>(*key)].description);
    }
    return SeverityNotify;
}

Severity FileManager::Insert() {
    return insert(true);
}
Severity FileManager::InsertQuietly() {
    return insert(false);
}

Severity FileManager::PrimeNumber() {
    return number(true, true);
}
Severity FileManager::PrimeNumberQuietly() {
    return number(false, true);
}

std::optional<std::int32_t> FileManager::nextNumber(int keyIndex, bool asking, Severity& failure) {
    StorageFile& file = Driver();
    Record& r = Buffer();
    const Record saved = r;
    const KeyDef& key = Def().keys[static_cast<std::size_t>(keyIndex)];
    const int k = key.autoInc;
    const KeyComponent& numbered = key.components[static_cast<std::size_t>(k - 1)];
    std::string group;
    if (k == 1) {
        file.setStart(keyIndex);
    } else {
        // The last entry of the group: the numbered component at its highest.
        group = groupText(r, key, k - 1);
        (void)r.set(numbered.field,
                    extremeOf(Def().fields[static_cast<std::size_t>(numbered.field)], true));
        file.setAt(keyIndex, r, k);
    }
    // The highest number is last in an ascending component, first in a
    // descending one. Another station's hold on that record protects what it
    // holds, not its number: numbering looks past it.
    const DriverStatus found = file.peek(!numbered.ascending, r);
    std::optional<std::int32_t> next;
    if (found.ok() && (k == 1 || groupText(r, key, k - 1) == group)) {
        next = r.integer(numbered.field) + 1;
    } else if (found.ok() || found.code == code::kRecordNotAvailable) {
        next = 1;
    } else {
        RecordError(errorFor(found, ErrRecordRetrieval));
        failure = asking ? HandleError() : SeverityNotify;
    }
    r = saved;
    return next;
}

Severity FileManager::number(bool asking, bool reserve) {
    Status& s = touch();
    if (!HasAutoInc || s.AutoIncDone) return SeverityNone;
    if (!usable(s)) return SeverityFatal;
    int failures = 0;
    while (true) {
        for (std::size_t k = 0; k < Def().keys.size(); ++k) {
            const KeyDef& key = Def().keys[k];
            if (key.autoInc == 0) continue;
            Severity failure = SeverityNotify;
            const auto n = nextNumber(static_cast<int>(k), asking, failure);
            if (!n) return failure == SeverityNone ? SeverityNotify : failure;
            Buffer().setInteger(key.components[static_cast<std::size_t>(key.autoInc - 1)].field,
                                *n);
        }
        // Adding the record at once claims the numbers: a station that took
        // the same ones meanwhile makes this add fail, and they are counted again.
        const DriverStatus added = s.file->add(Buffer(), reserve);
        if (added.ok()) {
            s.AutoIncDone = true;
            s.reserved = s.file->position();
            return SeverityNone;
        }
        // Damage, or a value of another unique key taken: counting again
        // cannot help.
        if (damageMet(added)) {
            RecordError(errorFor(added, ErrRecordInsert));
            return asking ? HandleError() : SeverityNotify;
        }
        if (added.code == code::kDuplicateKey && added.key >= 0 &&
            Def().keys[static_cast<std::size_t>(added.key)].autoInc == 0) {
            if (asking) return reportDuplicate(s);
            RecordError(ErrDuplicateKey);
            return SeverityNotify;
        }
        if (++failures < 3) continue;
        RecordError(ErrAutoIncrement);
        if (asking && HandleError() == SeverityNone) {
            failures = 0;
            continue;
        }
        return SeverityNotify;
    }
}

Severity FileManager::Update(int mode) {
    assert(mode == UpdateQuiet || mode == UpdateAsk || mode == UpdateAskShowingTheirs);
    Status& s = touch();
    if (!usable(s)) return SeverityFatal;
    int failed = 0;
    if (ValidateAllFields(failed) != SeverityNone) return SeverityNotify;
    const std::string position = s.file->position();
    const DriverStatus r = s.file->put(Buffer());
    if (r.ok()) return SeverityNone;
    if (r.code == code::kRecordChanged) {
        RecordError(mode == UpdateAskShowingTheirs ? ErrChangedByOtherShown : ErrChangedByOther);
        if (mode != UpdateQuiet) HandleError();
        // Show the other station's version; a later write checks against it.
        s.file->getAtPosition(position, Buffer());
        return SeverityNotify;
    }
    RecordError(errorFor(r, ErrRecordNotUpdated));
    return mode != UpdateQuiet ? HandleError() : SeverityNotify;
}

void FileManager::SeedNewRecord() {
    seedNewRecord(file_);
}

Severity FileManager::PrimeNewRecord(bool keepBuffer) {
    if (!keepBuffer) Buffer().clear();
    SeedNewRecord();
    return HasAutoInc ? PrimeNumber() : SeverityNone;
}

Severity FileManager::CancelNumber(RuledDelete* relations) {
    Status& s = touch();
    if (!s.AutoIncDone) return SeverityNone;
    const Severity result =
        s.file ? removeReserved(s, s.reserved, relations, true) : SeverityNotify;
    s.AutoIncDone = false;
    s.reserved.clear();
    return result;
}

Severity FileManager::ValidateOneField(int id) {
    const auto breach = checkField(file_, id - 1);
    if (!breach) return SeverityNone;
    Errors->SetFieldName(breach->field);
    return RaiseWithMessage(breach->errorId, breach->message);
}

Severity FileManager::ValidateFieldRange(int first, int last, int& failedId) {
    for (int id = first; id <= last; ++id) {
        const Severity result = ValidateOneField(id);
        if (result != SeverityNone) {
            failedId = id;
            return result;
        }
    }
    return SeverityNone;
}

Severity FileManager::ValidateAllFields(int& failedId) {
    return ValidateFieldRange(1, static_cast<int>(Def().fields.size()), failedId);
}

std::string FileManager::Position() {
    Status& s = touch();
    return s.file ? s.file->position() : std::string();
}

Severity FileManager::RegetQuietly(const std::string& position) {
    Status& s = touch();
    if (!usable(s)) return SeverityFatal;
    const DriverStatus r = s.file->getAtPosition(position, Buffer());
    if (r.ok()) return SeverityNone;
    if (r.code == code::kRecordNotAvailable) return SeverityNotify;
    readResult(r);  // records why it could not be read
    return SeverityFatal;
}

int FileManager::SaveCopy() {
    const int id = buffers_.empty() ? 1 : buffers_.back().Id + 1;
    buffers_.push_back({id, Buffer()});
    const int memo = Def().memoField();
    if (memo >= 0) buffers_.push_back({id + 1, Buffer().text(memo)});
    return id;
}

void FileManager::RestoreCopy(int id, bool restore) {
    for (auto it = buffers_.begin(); it != buffers_.end(); ++it) {
        if (it->Id != id || !std::holds_alternative<Record>(it->Copy)) continue;
        if (restore) Buffer() = std::get<Record>(it->Copy);
        auto last = it + 1;
        const int memo = Def().memoField();
        if (memo >= 0 && last != buffers_.end() &&
            std::holds_alternative<std::string>(last->Copy)) {
            if (restore) Buffer().setText(memo, std::get<std::string>(last->Copy));
            ++last;
        }
        buffers_.erase(it, last);
        return;
    }
}

bool FileManager::BufferUnchanged(int id) {
    for (auto it = buffers_.begin(); it != buffers_.end(); ++it) {
        if (it->Id != id || !std::holds_alternative<Record>(it->Copy)) continue;
        if (!(std::get<Record>(it->Copy) == Buffer())) return false;
        const int memo = Def().memoField();
        const auto next = it + 1;
        if (memo >= 0 && next != buffers_.end() &&
            std::holds_alternative<std::string>(next->Copy)) {
            return std::get<std::string>(next->Copy) == Buffer().text(memo);
        }
        return true;
    }
    return false;
}

std::uint16_t FileManager::SaveFileState() {
    StorageFile& file = Driver();
    SavedPosition p;
    p.Id = saved_.empty() ? 1 : static_cast<std::uint16_t>(saved_.back().Id + 1);
    p.Buffer = SaveCopy();
    p.Key = file.order();
    p.WHeld = file.held();
    p.Pos = file.position();
    saved_.push_back(p);
    return p.Id;
}

void FileManager::RestoreFileState(std::uint16_t& handle) {
    for (auto it = saved_.begin(); it != saved_.end(); ++it) {
        if (it->Id != handle) continue;
        StorageFile& file = Driver();
        if (file.isOpen()) {
            if (it->Pos.empty()) {
                file.setStart(it->Key);
            } else if (file.setAtPosition(it->Key, it->Pos).ok() && file.next(Buffer()).ok() &&
                       it->WHeld) {
                file.hold();
            }
        }
        RestoreCopy(it->Buffer, true);
        saved_.erase(it);
        break;
    }
    handle = 0;
}

Severity FileManager::positioned(const DriverStatus& status) {
    if (status.ok()) return SeverityNone;
    RecordError(errorFor(status, ErrRecordRetrieval));
    return SeverityFatal;
}

Severity FileManager::SetOrder(int key) {
    touch();
    return positioned(Driver().setStart(key));
}

Severity FileManager::SetOrderAt(int key, int components) {
    touch();
    return positioned(Driver().setAt(key, Buffer(), components));
}

Severity FileManager::SetOrderAtPosition(int key, const std::string& position) {
    touch();
    return positioned(Driver().setAtPosition(key, position));
}

int FileManager::KeyComponents(int key) const {
    return static_cast<int>(Def().keys[static_cast<std::size_t>(key)].components.size());
}

int FileManager::KeyComponentField(int key, int component) const {
    return Def()
        .keys[static_cast<std::size_t>(key)]
        .components[static_cast<std::size_t>(component - 1)]
        .field;
}

void FileManager::ClearKey(int key, int from, int to, bool high) {
    const KeyDef& k = Def().keys[static_cast<std::size_t>(key)];
    for (int c = from; c <= to && c <= static_cast<int>(k.components.size()); ++c) {
        const KeyComponent& e = k.components[static_cast<std::size_t>(c - 1)];
        // What sorts first is the lowest value of an ascending component and
        // the highest of a descending one.
        (void)Buffer().set(e.field, extremeOf(Def().fields[static_cast<std::size_t>(e.field)],
                                              e.ascending == high));
    }
}

std::string FileManager::KeyOrderText(int key, int from) const {
    std::string order;
    const std::vector<ViewOrderTerm> columns = keyOrder(Def(), key);
    for (std::size_t c = static_cast<std::size_t>(from - 1); c < columns.size(); ++c) {
        const std::string name = Def().qualifiedName(columns[c].field);
        order += (order.empty() ? "" : ",") + std::string(columns[c].descending ? "-" : "") +
                 (columns[c].noCase ? "UPPER(" + name + ")" : name);
    }
    return order;
}

}  // namespace bb
