// The relation manager: one per data file, on top of its file manager. It
// knows the file's relations, opens and closes the related files with it,
// and changes and deletes records under the referential rules inside one
// transaction: related records are cascaded, cleared or protected, and a
// failure anywhere rolls the whole change back.
//
// The managers live for the whole run and are used from the GUI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "data/file_manager.h"
#include "data/severity.h"
#include "dictionary/relations.h"
#include "platform/storage.h"

namespace bb {

class RelationManager : public RuledDelete {
public:
    // The pairs of one relation as the parent hands them to a related file:
    // the linking pairs as the dictionary declares them (the parent's field,
    // the related file's field) and the parent's values saved when its
    // record was read.
    struct Links {
        FileId Parent;
        const std::vector<LinkPair>* Pairs;
        const std::vector<Value>* Saved;
    };

    struct Relation {
        RelationManager* File = nullptr;
        const RelationDef* Def = nullptr;  // the key, rules and linking pairs as declared
        std::vector<Value> Saved;          // this file's linking values when the record was read

        int HisKey() const { return Def->keyed ? Def->relatedKey : -1; }
        Rule UpdateMode() const { return Def->onUpdate; }
        Rule DeleteMode() const { return Def->onDelete; }
        const std::vector<LinkPair>& Fields() const { return Def->links; }
    };

    virtual ~RelationManager() = default;

    void Setup(FileManager& me, bool useLogout);
    // A relation as the dictionary declares it, to `related`'s file.
    void DefineRelation(RelationManager& related, const RelationDef& relation);

    // The overridable operations, in dispatch order.
    virtual Severity CancelNumber();
    virtual Severity Close(bool recursive = true);
    virtual Severity Delete(bool ask = true);
    virtual Severity DeleteChildren(int key, Links links, Rule rule);
    virtual void Teardown();
    virtual Severity Open(bool recursive = true);
    virtual void SaveLinks();
    // Which related files SetReadAhead reaches besides this one (each once,
    // recursively). Callers pass the values as numbers too.
    enum ReadAheadReach : int {
        ThisFileOnly = 0,
        LookedUpFiles = 1,  // registered without a key
        KeyedFiles = 2,     // registered with a key
        AllRelatedFiles = 3,
    };
    virtual void SetReadAhead(bool on, int propagate);
    virtual Severity Update(bool ask = true);
    virtual Severity UpdateChildren(int key, Links links, Rule rule);

    FileManager* Me = nullptr;
    std::vector<Relation> Relations;
    bool UseLogout = false;
    std::uint32_t LastTouched = 0;

private:
    // Deletes the current record with its rules without asking first (a
    // reserved record, removed with what hangs on it).
    Severity DeleteWithRules(bool retry) override;
    bool OwnsRelated() override;
    // Does `act` on this file, then on each related file that `follows`
    // lets the walk reach, in registration order, each once in the walk;
    // stops at the first failure.
    using Step = std::function<Severity(RelationManager&)>;
    using Follows = std::function<bool(const Relation&)>;
    Severity walk(std::uint32_t mark, const Follows& follows, const Step& act);
    // Begins the transaction of a change (or delete) of this file's record.
    Severity frame(Transaction& change);
    // Reads the record again, inside the change, before it is deleted.
    Severity reread(const std::string& position, Transaction& change);
    // Deletes the record, read again inside `change`, with its rules.
    Severity eraseWithRules(Transaction& change);
    // Deletes this file's current record (error 11 when it cannot).
    Severity erase();
    // Commits the change (error 21 when it cannot).
    Severity commit(Transaction& change);
    // A write of this file's record that failed: told after the rollback.
    // SeverityAsk when saving again may succeed (the form offers it).
    Severity reportRefusedWrite(bool ask);
    // Applies the change (or delete) rules of every relation whose rule is
    // not none (for a change: whose links changed) to the related records.
    Severity updateRelated();
    Severity deleteRelated();
    // Whether this file's linking fields of `r` differ from the saved copies.
    bool linksChanged(const Relation& r) const;
    Links linksOf(const Relation& r) const { return {Me->File(), &r.Fields(), &r.Saved}; }
    // The value the i-th linking pair carries: the parent's as saved, or as it is now.
    static Value linkValue(const Links& links, std::size_t i, bool oldValues);
    // Positions this file at the first entry of `key` whose linking fields
    // hold `values` (the rest of the key sorting first).
    Severity positionAtLinks(int key, Links links, bool oldValues);
    bool linksStillMatch(int key, Links links, bool oldValues) const;
    // Visits, in key order, each record of this file whose linking fields
    // hold the parent's values (as saved, or as they are now), until a visit
    // fails.
    Severity forEachLinked(int key, Links links, bool oldValues,
                           const std::function<Severity()>& visit);
    Severity writeWithRules();
    // Whether any relation of this file deletes or protects related records.
    bool hasDeleteRules() const;
    // Whether a relation of this file carries a change of any of `fields`
    // to its related records.
    bool carriesChangeOf(const std::vector<int>& fields) const;
    // Gives every record of this file linked to the parent's saved values
    // the parent's values now (as this file holds them), a set at a time;
    // nullopt when this cannot be
    // done (the driver cannot, another station holds one of them, or a
    // relation of this file would carry the change further down).
    std::optional<Severity> rewriteAllLinked(int key, Links links);
    // Deletes every record of this file linked to the parent's values, with
    // what hangs on them through delete rules, a set at a time, level by
    // level; nullopt when this cannot be done (see setDeletable).
    std::optional<Severity> eraseAllLinked(int key, Links links);
    // Whether the records `linked` reaches on this file, and those that hang
    // on them through delete rules at every level below, can go a set at a
    // time: the driver can tell, no file comes twice (`files` holds those
    // met), no record is held by another station, none is protected by a
    // restrict rule or to be emptied by a clear rule.
    bool setDeletable(const LinkedRecords& linked, std::vector<const FileDef*>& files);
    // Deletes the records `linked` reaches on this file, each level below
    // first; nullopt when the driver cannot, or another station holds one.
    std::optional<Severity> eraseSets(const LinkedRecords& linked);
    // `linked` one level further down, through `r`.
    static LinkedRecords below(const LinkedRecords& linked, const Relation& r);

    // A failure inside a framed change is recorded on the file where it
    // happened and travels up as a severity; only the outermost scope rolls
    // back, and then shows it.
    Severity fail(int errorId);
    Severity failedBelow(const RelationManager& related);
    Severity report(Transaction& change);
    FileManager* failedAt_ = nullptr;
    // Whether the failure shown last was damage, which no retry mends.
    bool reportedDamage_ = false;
};

// The files of a relation manager opened, with their related files, for as
// long as it lives.
class RelatedFilesOpen {
public:
    explicit RelatedFilesOpen(RelationManager& files) : files_(files), result_(files.Open()) {}
    ~RelatedFilesOpen() { files_.Close(); }
    RelatedFilesOpen(const RelatedFilesOpen&) = delete;
    RelatedFilesOpen& operator=(const RelatedFilesOpen&) = delete;

    // How the opening went.
    Severity result() const { return result_; }

private:
    RelationManager& files_;
    Severity result_;
};

// The relation manager of a file in the program's data dictionary
// (dictionary_setup.h), or null before its set-up and after its tear-down.
RelationManager* relationManagerFor(FileId file);

}  // namespace bb
