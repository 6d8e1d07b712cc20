#include "data/relation_manager.h"

#include <array>
#include <cassert>
#include <functional>

#include "data/data_folder.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace bb {

namespace {

std::array<RelationManager*, kFileCount>& registry() {
    static std::array<RelationManager*, kFileCount> managers{};
    return managers;
}

// Shared by every walk over the relation graph: a walk from outside takes a
// new mark, and a manager already carrying it is not visited again, so the
// cycles of the graph (every relation stands on both files) end.
std::uint32_t visitCounter = 0;
// Opening walks in progress (a walk may start another only after it ends).
int openingWalks = 0;

// How long a change waits for other stations' transactions to finish.
constexpr int kTransactionWaitMs = 2000;

bool sameValue(const Value& a, const Value& b, bool noCase) {
    if (a.isText() && b.isText()) {
        return noCase ? text::equalNoCase(a.asText(), b.asText())
                      : text::equal(a.asText(), b.asText());
    }
    return a.toNumber() == b.toNumber();
}

}  // namespace

RelationManager* relationManagerFor(FileId file) {
    return registry()[static_cast<std::size_t>(file)];
}

void RelationManager::Setup(FileManager& me, bool useLogout) {
    Me = &me;
    UseLogout = useLogout;
    Relations.clear();
    LastTouched = 0;
    registry()[static_cast<std::size_t>(me.File())] = this;
}

void RelationManager::DefineRelation(RelationManager& related) {
    Relation r;
    r.File = &related;
    Relations.push_back(std::move(r));
}

void RelationManager::DefineRelation(RelationManager& related, Rule updateMode, Rule deleteMode,
                                     int hisKey) {
    Relation r;
    r.File = &related;
    r.UpdateMode = updateMode;
    r.DeleteMode = deleteMode;
    r.HisKey = hisKey;
    Relations.push_back(std::move(r));
}

void RelationManager::DefineRelationLink(int thisField, int relatedField) {
    Relations.back().Fields.push_back({thisField, relatedField, Value()});
}

void RelationManager::Teardown() {
    if (Me && registry()[static_cast<std::size_t>(Me->File())] == this) {
        registry()[static_cast<std::size_t>(Me->File())] = nullptr;
    }
    Relations.clear();
    if (Me) Me->Teardown();
    Me = nullptr;
}

Severity RelationManager::CancelNumber() {
    return Me->CancelNumber(this);
}

bool openingRelatedFiles() {
    return openingWalks > 0;
}

Severity RelationManager::Open(bool recursive) {
    ++openingWalks;
    const Severity result = walk(recursive, ++visitCounter, &FileManager::Open);
    --openingWalks;
    // Housekeeping the files put off while the walk was opening them.
    if (openingWalks == 0) {
        for (FileId id : dictionaryOrder()) {
            if (FileManager* fm = fileManagerFor(id)) fm->PurgeStaleReservations();
        }
    }
    return result;
}

Severity RelationManager::Close(bool recursive) {
    return walk(recursive, ++visitCounter, &FileManager::Close);
}

// Does `act` on this file, then on each related file in registration order,
// each once in the walk; stops at the first failure.
Severity RelationManager::walk(bool recursive, std::uint32_t mark, Severity (FileManager::*act)()) {
    LastTouched = mark;
    const Severity result = (Me->*act)();
    if (result != SeverityNone || !recursive) return result;
    for (Relation& r : Relations) {
        if (r.File->LastTouched == mark) continue;
        const Severity related = r.File->walk(true, mark, act);
        if (related != SeverityNone) return related;
    }
    return SeverityNone;
}

void RelationManager::SetReadAhead(bool on, int propagate) {
    readAheadWalk(on, propagate, ++visitCounter);
}

void RelationManager::readAheadWalk(bool on, int propagate, std::uint32_t walk) {
    LastTouched = walk;
    Me->Driver().sendOption(on ? "QUICKSCAN=on" : "QUICKSCAN=off");
    if (propagate == ThisFileOnly) return;
    for (Relation& r : Relations) {
        const bool keyed = r.HisKey >= 0;
        // Any value but the three named ones reaches every related file.
        const bool reached = (propagate == LookedUpFiles && !keyed) ||
                             (propagate == KeyedFiles && keyed) ||
                             (propagate != LookedUpFiles && propagate != KeyedFiles);
        if (reached && r.File->LastTouched != walk) r.File->readAheadWalk(on, propagate, walk);
    }
}

void RelationManager::SaveLinks() {
    const Record& record = Me->Buffer();
    for (Relation& r : Relations) {
        for (Link& l : r.Fields) l.Saved = record.get(l.Field);
    }
}

bool RelationManager::linksChanged(const Relation& r) const {
    const Record& record = Me->Buffer();
    for (const Link& l : r.Fields) {
        // A rename that only changes case is a change too.
        if (!sameValue(record.get(l.Field), l.Saved, false)) return true;
    }
    return false;
}

Severity RelationManager::frame(Transaction& change) {
    if (!UseLogout) return SeverityNone;
    const DriverStatus begun = change.begin(dataStorage(), kTransactionWaitMs);
    if (begun.ok()) return SeverityNone;
    if (begun.code == code::kNoTransactions) {
        // A driver that cannot frame changes: this file's changes go on
        // unframed from now on, as they always would with such a driver.
        UseLogout = false;
        return SeverityNone;
    }
    Me->Throw(ErrTransactionCancelled);
    return SeverityNotify;
}

Severity RelationManager::fail(int errorId) {
    Me->RecordError(errorId);
    failedAt_ = Me;
    return SeverityNotify;
}

Severity RelationManager::failedBelow(const RelationManager& related) {
    failedAt_ = related.failedAt_;
    return SeverityNotify;
}

Severity RelationManager::report(Transaction& change) {
    change.rollback();
    assert(failedAt_ && "a failure inside a framed change was not recorded");
    failedAt_->HandleError();
    failedAt_ = nullptr;
    return SeverityNotify;
}

Severity RelationManager::Update(bool ask) {
    const RelatedFilesOpen open(*this);
    if (open.result() != SeverityNone) return open.result();
    // The record is checked before the transaction begins, and failures are
    // shown only after it has been rolled back: no message box ever waits
    // for the user while the other stations are locked out.
    int failed = 0;
    if (Me->ValidateAllFields(failed) != SeverityNone) return SeverityAsk;
    Transaction change;
    if (const Severity s = frame(change); s != SeverityNone) return s;
    if (Me->UpdateQuietly() != SeverityNone) {
        change.rollback();
        return reportRefusedWrite(ask);
    }
    if (updateRelated() != SeverityNone || commit(change) != SeverityNone) return report(change);
    SaveLinks();
    return SeverityNone;
}

Severity RelationManager::reportRefusedWrite(bool ask) {
    int& error = Me->Info().LastError;
    const bool changedElsewhere = error == ErrChangedByOther || error == ErrChangedByOtherShown;
    if (changedElsewhere && ask) error = ErrChangedByOtherShown;
    Me->HandleError();
    return changedElsewhere ? SeverityNotify : SeverityAsk;
}

Severity RelationManager::updateRelated() {
    for (Relation& r : Relations) {
        if (r.UpdateMode == Rule::None || r.HisKey < 0 || !linksChanged(r)) continue;
        if (r.File->UpdateChildren(r.HisKey, {Me->File(), &r.Fields}, r.UpdateMode) !=
            SeverityNone) {
            return failedBelow(*r.File);
        }
    }
    return SeverityNone;
}

Severity RelationManager::deleteRelated() {
    for (Relation& r : Relations) {
        if (r.DeleteMode == Rule::None || r.HisKey < 0) continue;
        if (r.File->DeleteChildren(r.HisKey, {Me->File(), &r.Fields}, r.DeleteMode) !=
            SeverityNone) {
            return failedBelow(*r.File);
        }
    }
    return SeverityNone;
}

Severity RelationManager::positionAtLinks(int key, Links links, bool oldValues) {
    Record& record = Me->Buffer();
    record.clear();
    const Record& parent = buffer(links.Parent);
    for (const Link& l : *links.Pairs) {
        (void)record.set(l.RelatedField, oldValues ? l.Saved : parent.get(l.Field));
    }
    const int linked = static_cast<int>(links.Pairs->size());
    Me->ClearKey(key, linked + 1, Me->KeyComponents(key));
    return Me->SetOrderAt(key);
}

bool RelationManager::linksStillMatch(int key, Links links, bool oldValues) const {
    const Record& record = Me->Buffer();
    const Record& parent = buffer(links.Parent);
    const bool noCase = Me->Def().keys[static_cast<std::size_t>(key)].noCase;
    for (const Link& l : *links.Pairs) {
        Value wanted = oldValues ? l.Saved : parent.get(l.Field);
        // A wider parent field matches its value as the narrower field holds it.
        const FieldDef& field = Me->Def().fields[static_cast<std::size_t>(l.RelatedField)];
        if (field.isText()) wanted = Value::text(text::fit(wanted.toText(), field.spec.width));
        if (!sameValue(record.get(l.RelatedField), wanted, noCase)) return false;
    }
    return true;
}

// Writes this file's current record after its linking fields changed,
// cascading to its own related records first. Only the linking fields, set
// from a checked parent, have changed, so the record is written without
// checking its other fields: a cascade never stops half-way on a message.
Severity RelationManager::writeWithRules() {
    if (updateRelated() != SeverityNone) return SeverityNotify;
    if (!Me->Driver().put(Me->Buffer()).ok()) return fail(ErrRecordNotUpdated);
    return SeverityNone;
}

Severity RelationManager::forEachLinked(int key, Links links, bool oldValues,
                                        const std::function<Severity()>& visit) {
    std::uint16_t state = Me->SaveFileState();
    // A read error, or a record held by another station: the change cannot
    // reach every related record, so none of it may stand.
    Severity result = positionAtLinks(key, links, oldValues) == SeverityNone
                          ? SeverityNone
                          : fail(Me->Info().LastError);
    while (result == SeverityNone) {
        const Severity read = Me->NextQuietly();
        if (read == SeverityNotify && Me->Info().AtEOF) break;
        if (read != SeverityNone) {
            result = fail(Me->Info().LastError);
        } else if (!linksStillMatch(key, links, oldValues)) {
            break;
        } else {
            result = visit();
        }
    }
    Me->RestoreFileState(state);
    return result;
}

Severity RelationManager::UpdateChildren(int key, Links links, Rule rule) {
    return forEachLinked(key, links, true, [&] {
        SaveLinks();
        if (rule == Rule::Restrict) {
            const Severity refused = fail(ErrRestrictedUpdate);
            Record& parent = buffer(links.Parent);
            for (const Link& l : *links.Pairs) (void)parent.set(l.Field, l.Saved);
            return refused;
        }
        Record& record = Me->Buffer();
        for (const Link& l : *links.Pairs) {
            if (rule == Rule::Clear) {
                record.clearField(l.RelatedField);
            } else {
                (void)record.set(l.RelatedField, buffer(links.Parent).get(l.Field));
            }
        }
        return writeWithRules();
    });
}

Severity RelationManager::Delete(bool ask) {
    if (ask && Me->Throw(ErrConfirmDelete) != SeverityNone) return SeverityNotify;
    while (true) {
        Severity result = SeverityNone;
        {
            const WaitCursor waiting;
            const std::string position = Me->Position();
            const RelatedFilesOpen open(*this);
            Transaction change;
            // Opening, framing and reading the record again: a failure there
            // ends the delete with that failure.
            if (open.result() != SeverityNone) return open.result();
            if (const Severity s = frame(change); s != SeverityNone) return s;
            if (const Severity s = Me->RegetQuietly(position); s != SeverityNone) {
                // Gone meanwhile, there is nothing to delete and nothing to say.
                if (s == SeverityNotify) return s;
                fail(Me->Info().LastError);
                return report(change);
            }
            result = eraseWithRules(change);
        }
        if (result == SeverityNone || Me->Throw(ErrRecordDelete) != SeverityNone) return result;
    }
}

Severity RelationManager::eraseWithRules(Transaction& change) {
    if (deleteRelated() != SeverityNone || erase() != SeverityNone ||
        commit(change) != SeverityNone) {
        return report(change);
    }
    return SeverityNone;
}

Severity RelationManager::erase() {
    return Me->Driver().erase().ok() ? SeverityNone : fail(ErrRecordNotDeleted);
}

Severity RelationManager::commit(Transaction& change) {
    return change.commit().ok() ? SeverityNone : fail(ErrTransactionCancelled);
}

Severity RelationManager::DeleteChildren(int key, Links links, Rule rule) {
    return forEachLinked(key, links, false, [&] {
        if (rule == Rule::Restrict) return fail(ErrRestrictedDelete);
        if (rule == Rule::Clear) {
            SaveLinks();
            for (const Link& l : *links.Pairs) Me->Buffer().clearField(l.RelatedField);
            return writeWithRules();
        }
        // Each record's own related records go before it.
        return deleteRelated() == SeverityNone ? erase() : SeverityNotify;
    });
}

}  // namespace bb
