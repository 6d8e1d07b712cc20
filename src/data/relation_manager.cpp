#include "data/relation_manager.h"

#include <algorithm>
#include <cassert>
#include <functional>
#include <optional>

#include "platform/filter.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace bb {

namespace {

// Shared by every walk over the relation graph: a walk from outside takes a
// new mark, and a manager already carrying it is not visited again, so the
// cycles of the graph (every relation stands on both files) end.
std::uint32_t visitCounter = 0;

// How long a change waits for other stations' transactions to finish.
constexpr int kTransactionWaitMs = 2000;

}  // namespace

void RelationManager::Setup(FileManager& me, bool useLogout) {
    Me = &me;
    UseLogout = useLogout;
    Relations.clear();
    LastTouched = 0;
    me.SetRuledDelete(this);
}

void RelationManager::DefineRelation(RelationManager& related, const RelationDef& relation) {
    Relations.push_back({&related, &relation, std::vector<Value>(relation.links.size())});
}

void RelationManager::Teardown() {
    Relations.clear();
    if (Me) Me->Teardown();
    Me = nullptr;
}

Severity RelationManager::CancelNumber() {
    return Me->CancelNumber(this);
}

Severity RelationManager::Open(bool recursive) {
    std::vector<FileManager*> opened;
    Severity result = SeverityNone;
    {
        // Reservations are removed once all the files are open: removing one
        // opens them again in a walk of its own.
        const FileManager::PurgesDeferred deferred;
        result = walk(
            ++visitCounter, [recursive](const Relation&) { return recursive; },
            [&opened](RelationManager& rm) {
                opened.push_back(rm.Me);
                return rm.Me->Open();
            });
    }
    for (FileManager* fm : opened) fm->PurgeStaleReservations();
    return result;
}

Severity RelationManager::Close(bool recursive) {
    return walk(
        ++visitCounter, [recursive](const Relation&) { return recursive; },
        [](RelationManager& rm) { return rm.Me->Close(); });
}

Severity RelationManager::walk(std::uint32_t mark, const Follows& follows, const Step& act) {
    LastTouched = mark;
    const Severity result = act(*this);
    if (result != SeverityNone) return result;
    for (Relation& r : Relations) {
        if (r.File->LastTouched == mark || !follows(r)) continue;
        const Severity related = r.File->walk(mark, follows, act);
        if (related != SeverityNone) return related;
    }
    return SeverityNone;
}

void RelationManager::SetReadAhead(bool on, int propagate) {
    const auto reached = [propagate](const Relation& r) {
        const bool keyed = r.HisKey() >= 0;
        // Any value but the three named ones reaches every related file.
        switch (propagate) {
            case ThisFileOnly:
                return false;
            case LookedUpFiles:
                return !keyed;
            case KeyedFiles:
                return keyed;
            default:
                return true;
        }
    };
    walk(++visitCounter, reached, [on](RelationManager& rm) {
        rm.Me->Driver().sendOption(on ? "QUICKSCAN=on" : "QUICKSCAN=off");
        return SeverityNone;
    });
}

void RelationManager::SaveLinks() {
    const Record& record = Me->Buffer();
    for (Relation& r : Relations) {
        for (std::size_t i = 0; i < r.Saved.size(); ++i)
            r.Saved[i] = record.get(r.Fields()[i].field);
    }
}

bool RelationManager::linksChanged(const Relation& r) const {
    const Record& record = Me->Buffer();
    for (std::size_t i = 0; i < r.Saved.size(); ++i) {
        // A rename that only changes case is a change too.
        if (!sameValue(record.get(r.Fields()[i].field), r.Saved[i])) return true;
    }
    return false;
}

Severity RelationManager::frame(Transaction& change) {
    if (!UseLogout) return SeverityNone;
    const DriverStatus begun = change.begin(Me->storage(), kTransactionWaitMs);
    if (begun.ok()) return SeverityNone;
    if (begun.code == code::kNoTransactions) {
        // A driver that cannot frame changes: this file's changes go on
        // unframed from now on, as they always would with such a driver.
        UseLogout = false;
        return SeverityNone;
    }
    Me->Throw(errorFor(begun, ErrTransactionCancelled));
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
    reportedDamage_ = damageError(failedAt_->Info().LastError);
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
    // Damaged keys are built again only at the file's next open: saving
    // again would meet them again.
    const bool worthRetrying = !changedElsewhere && !damageError(error);
    Me->HandleError();
    return worthRetrying ? SeverityAsk : SeverityNotify;
}

Severity RelationManager::updateRelated() {
    for (Relation& r : Relations) {
        if (r.UpdateMode() == Rule::None || r.HisKey() < 0 || !linksChanged(r)) continue;
        if (r.File->UpdateChildren(r.HisKey(), linksOf(r), r.UpdateMode()) != SeverityNone) {
            return failedBelow(*r.File);
        }
    }
    return SeverityNone;
}

Severity RelationManager::deleteRelated() {
    for (Relation& r : Relations) {
        if (r.DeleteMode() == Rule::None || r.HisKey() < 0) continue;
        if (r.File->DeleteChildren(r.HisKey(), linksOf(r), r.DeleteMode()) != SeverityNone) {
            return failedBelow(*r.File);
        }
    }
    return SeverityNone;
}

Value RelationManager::linkValue(const Links& links, std::size_t i, bool oldValues) {
    return oldValues ? (*links.Saved)[i] : buffer(links.Parent).get((*links.Pairs)[i].field);
}

Severity RelationManager::positionAtLinks(int key, Links links, bool oldValues) {
    Record& record = Me->Buffer();
    record.clear();
    for (std::size_t i = 0; i < links.Pairs->size(); ++i) {
        (void)record.set((*links.Pairs)[i].relatedField, linkValue(links, i, oldValues));
    }
    const int linked = static_cast<int>(links.Pairs->size());
    Me->ClearKey(key, linked + 1, Me->KeyComponents(key));
    return Me->SetOrderAt(key);
}

bool RelationManager::linksStillMatch(int key, Links links, bool oldValues) const {
    const Record& record = Me->Buffer();
    const bool noCase = Me->Def().keys[static_cast<std::size_t>(key)].noCase;
    for (std::size_t i = 0; i < links.Pairs->size(); ++i) {
        const int related = (*links.Pairs)[i].relatedField;
        Value wanted = linkValue(links, i, oldValues);
        // A wider parent field matches its value as the narrower field holds it.
        const FieldDef& field = Me->Def().fields[static_cast<std::size_t>(related)];
        if (field.isText()) wanted = Value::text(text::fit(wanted.toText(), field.spec.width));
        if (!sameValue(record.get(related), wanted, noCase)) return false;
    }
    return true;
}

// Writes this file's current record after its linking fields changed,
// cascading to its own related records first. Only the linking fields, set
// from a checked parent, have changed, so the record is written without
// checking its other fields: a cascade never stops half-way on a message.
Severity RelationManager::writeWithRules() {
    if (updateRelated() != SeverityNone) return SeverityNotify;
    const DriverStatus written = Me->Driver().put(Me->Buffer());
    return written.ok() ? SeverityNone : fail(errorFor(written, ErrRecordNotUpdated));
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
    // The related records take the new values a set at a time where nothing
    // stands in the way; otherwise one by one, which tells of what did.
    if (rule == Rule::Cascade) {
        if (const auto all = rewriteAllLinked(key, links)) return *all;
    }
    return forEachLinked(key, links, true, [&] {
        SaveLinks();
        if (rule == Rule::Restrict) {
            const Severity refused = fail(ErrRestrictedUpdate);
            Record& parent = buffer(links.Parent);
            for (std::size_t i = 0; i < links.Pairs->size(); ++i) {
                (void)parent.set((*links.Pairs)[i].field, (*links.Saved)[i]);
            }
            return refused;
        }
        Record& record = Me->Buffer();
        for (std::size_t i = 0; i < links.Pairs->size(); ++i) {
            const int related = (*links.Pairs)[i].relatedField;
            if (rule == Rule::Clear) {
                record.clearField(related);
            } else {
                (void)record.set(related, linkValue(links, i, false));
            }
        }
        return writeWithRules();
    });
}

bool RelationManager::carriesChangeOf(const std::vector<int>& fields) const {
    return std::any_of(Relations.begin(), Relations.end(), [&](const Relation& r) {
        if (r.UpdateMode() == Rule::None || r.HisKey() < 0) return false;
        return std::any_of(r.Fields().begin(), r.Fields().end(), [&](const LinkPair& pair) {
            return std::find(fields.begin(), fields.end(), pair.field) != fields.end();
        });
    });
}

std::optional<Severity> RelationManager::rewriteAllLinked(int key, Links links) {
    // Only the fields whose values change are written: the engine keeps up
    // every index of a field it writes, changed or not.
    std::vector<int> fields;
    Record saved(Me->Def());
    Record now(Me->Def());
    for (std::size_t i = 0; i < links.Pairs->size(); ++i) {
        const int related = (*links.Pairs)[i].relatedField;
        (void)saved.set(related, linkValue(links, i, true));
        (void)now.set(related, linkValue(links, i, false));
        if (!sameValue(saved.get(related), now.get(related))) fields.push_back(related);
    }
    if (fields.empty()) return SeverityNone;
    if (carriesChangeOf(fields)) return std::nullopt;
    const LinkedRecords linked =
        LinkedRecords::range(Me->Def(), key, saved, static_cast<int>(links.Pairs->size()));
    const auto rewritten = Me->Driver().updateLinked(linked, now, fields);
    if (!rewritten || rewritten->code == code::kRecordHeld) return std::nullopt;
    return rewritten->ok() ? SeverityNone : fail(errorFor(*rewritten, ErrRecordNotUpdated));
}

Severity RelationManager::Delete(bool ask) {
    if (ask && Me->Throw(ErrConfirmDelete) != SeverityNone) return SeverityNotify;
    return DeleteWithRules(true);
}

Severity RelationManager::DeleteWithRules(bool retry) {
    while (true) {
        Severity result = SeverityNone;
        reportedDamage_ = false;  // of this attempt, not of an earlier change
        {
            const WaitCursor waiting;
            const std::string position = Me->Position();
            const RelatedFilesOpen open(*this);
            Transaction change;
            // Opening, framing and reading the record again: a failure there
            // ends the delete with that failure.
            if (open.result() != SeverityNone) return open.result();
            if (const Severity s = frame(change); s != SeverityNone) return s;
            if (const Severity s = reread(position, change); s != SeverityNone) return s;
            result = eraseWithRules(change);
        }
        // Damage stays until the file's next open: deleting again would
        // only meet it again.
        if (result == SeverityNone || !retry || reportedDamage_ ||
            Me->Throw(ErrRecordDelete) != SeverityNone) {
            return result;
        }
    }
}

bool RelationManager::OwnsRelated() {
    const RelatedFilesOpen open(*this);
    if (open.result() != SeverityNone) return false;
    for (Relation& r : Relations) {
        if (r.DeleteMode() == Rule::None || r.HisKey() < 0) continue;
        // Stops at the first related record; a read that fails (one held by
        // another station) counts as one too.
        const Severity found =
            r.File->forEachLinked(r.HisKey(), linksOf(r), false, [] { return SeverityNotify; });
        r.File->failedAt_ = nullptr;
        if (found != SeverityNone) return true;
    }
    return false;
}

// The user confirmed the delete: a record that another station removed
// meanwhile (error 11, "Record Not Available") or holds (error 28) is told of,
// once the transaction is rolled back, rather than passed over in silence.
Severity RelationManager::reread(const std::string& position, Transaction& change) {
    const Severity s = Me->RegetQuietly(position);
    if (s == SeverityNone) return s;
    fail(s == SeverityNotify ? ErrRecordNotDeleted : Me->Info().LastError);
    return report(change);
}

Severity RelationManager::eraseWithRules(Transaction& change) {
    if (deleteRelated() != SeverityNone || erase() != SeverityNone ||
        commit(change) != SeverityNone) {
        return report(change);
    }
    return SeverityNone;
}

Severity RelationManager::erase() {
    const DriverStatus erased = Me->Driver().erase();
    return erased.ok() ? SeverityNone : fail(errorFor(erased, ErrRecordNotDeleted));
}

Severity RelationManager::commit(Transaction& change) {
    const DriverStatus committed = change.commit();
    return committed.ok() ? SeverityNone : fail(errorFor(committed, ErrTransactionCancelled));
}

bool RelationManager::hasDeleteRules() const {
    return std::any_of(Relations.begin(), Relations.end(), [](const Relation& r) {
        return r.DeleteMode() != Rule::None && r.HisKey() >= 0;
    });
}

LinkedRecords RelationManager::below(const LinkedRecords& linked, const Relation& r) {
    LinkedRecords next = linked;
    LinkedLevel& level = next.levels.emplace_back();
    level.file = &r.File->Me->Def();
    level.key = r.HisKey();
    for (const LinkPair& pair : r.Fields()) level.above.push_back(pair.field);
    return next;
}

std::optional<Severity> RelationManager::eraseAllLinked(int key, Links links) {
    Record values(Me->Def());
    for (std::size_t i = 0; i < links.Pairs->size(); ++i)
        (void)values.set((*links.Pairs)[i].relatedField, linkValue(links, i, false));
    const LinkedRecords linked =
        LinkedRecords::range(Me->Def(), key, values, static_cast<int>(links.Pairs->size()));
    // Every level is looked over before anything is deleted, so that the
    // record-by-record way, which tells of what it meets in its own words,
    // can still take over from a clean start. A file without rules of its
    // own needs no look: its one delete checks for held records first.
    std::vector<const FileDef*> files = {&fileDef(links.Parent)};
    if (hasDeleteRules() && !setDeletable(linked, files)) return std::nullopt;
    return eraseSets(linked);
}

bool RelationManager::setDeletable(const LinkedRecords& linked,
                                   std::vector<const FileDef*>& files) {
    // A file met twice (a loop of delete rules, or two paths to one file)
    // is left to the one-by-one way, whose order decides what each rule
    // meets there.
    if (std::find(files.begin(), files.end(), &Me->Def()) != files.end()) return false;
    files.push_back(&Me->Def());
    const auto found = Me->Driver().findLinked(linked);
    if (!found || *found == LinkedFound::HeldByOther) return false;
    for (const Relation& r : Relations) {
        if (r.DeleteMode() == Rule::None || r.HisKey() < 0) continue;
        const LinkedRecords next = below(linked, r);
        if (r.DeleteMode() == Rule::Cascade) {
            if (!r.File->setDeletable(next, files)) return false;
        } else if (r.File->Me->Driver().findLinked(next) != LinkedFound::None) {
            return false;
        }
    }
    return true;
}

std::optional<Severity> RelationManager::eraseSets(const LinkedRecords& linked) {
    for (const Relation& r : Relations) {
        if (r.DeleteMode() != Rule::Cascade || r.HisKey() < 0) continue;
        const auto related = r.File->eraseSets(below(linked, r));
        if (!related) return std::nullopt;
        if (*related != SeverityNone) return failedBelow(*r.File);
    }
    const auto erased = Me->Driver().eraseLinked(linked);
    if (!erased || erased->code == code::kRecordHeld) return std::nullopt;
    return erased->ok() ? SeverityNone : fail(errorFor(*erased, ErrRecordNotDeleted));
}

Severity RelationManager::DeleteChildren(int key, Links links, Rule rule) {
    // The related records go a set at a time where nothing stands in the
    // way; otherwise one by one, which tells of what stood in the way.
    if (rule == Rule::Cascade) {
        if (const auto all = eraseAllLinked(key, links)) return *all;
    }
    return forEachLinked(key, links, false, [&] {
        if (rule == Rule::Restrict) return fail(ErrRestrictedDelete);
        if (rule == Rule::Clear) {
            SaveLinks();
            for (const LinkPair& l : *links.Pairs) Me->Buffer().clearField(l.relatedField);
            return writeWithRules();
        }
        // Each record's own related records go before it.
        return deleteRelated() == SeverityNone ? erase() : SeverityNotify;
    });
}

}  // namespace bb
