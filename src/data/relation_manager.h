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
#include <vector>

#include "data/file_manager.h"
#include "data/severity.h"
#include "dictionary/relations.h"

namespace bb {

class RelationManager {
public:
    // A linking pair: a field of this file, the matching field of the
    // related file, and this file's value saved when the record was read.
    struct Link {
        int Field;
        int RelatedField;
        Value Saved;
    };

    // The pairs of one relation as the parent hands them to a related file.
    struct Links {
        FileId Parent;
        const std::vector<Link>* Pairs;
    };

    struct Relation {
        RelationManager* File = nullptr;
        std::vector<Link> Fields;
        int HisKey = -1;  // none for a relation without rules
        Rule UpdateMode = Rule::None;
        Rule DeleteMode = Rule::None;
    };

    virtual ~RelationManager() = default;

    void Setup(FileManager& me, bool useLogout);
    void DefineRelation(RelationManager& related);
    void DefineRelation(RelationManager& related, Rule updateMode, Rule deleteMode, int hisKey);
    void DefineRelationLink(int thisField, int relatedField);

    // The overridable operations, in dispatch order.
    virtual Severity CancelNumber();
    virtual Severity Close(bool recursive = true);
    virtual Severity Delete(bool ask = true);
    virtual Severity DeleteChildren(int key, Links links, Rule rule);
    virtual void Teardown();
    virtual Severity Open(bool recursive = true);
    virtual void SaveLinks();
    virtual void SetReadAhead(bool on, int propagate);
    virtual Severity Update(bool ask = true);
    virtual Severity UpdateChildren(int key, Links links, Rule rule);

    FileManager* Me = nullptr;
    std::vector<Relation> Relations;
    bool UseLogout = false;
    std::uint32_t LastTouched = 0;

private:
    Severity walk(bool recursive, std::uint32_t mark, Severity (FileManager::*act)());
    void readAheadWalk(bool on, int propagate, std::uint32_t walk);
    // Begins the transaction for a change (or delete) of this file's record.
    Severity frame();
    void rollback();
    // Whether this file's linking fields of `r` differ from the saved copies.
    bool linksChanged(const Relation& r) const;
    // Positions this file at the first entry of `key` whose linking fields
    // hold `values` (the rest of the key sorting first).
    void positionAtLinks(int key, Links links, bool oldValues);
    bool linksStillMatch(int key, Links links, bool oldValues) const;
    // Visits, in key order, each record of this file whose linking fields
    // hold the parent's values (as saved, or as they are now), until a visit
    // fails; a failure to read rolls everything back.
    Severity forEachLinked(int key, Links links, bool oldValues,
                           const std::function<Severity()>& visit);
    Severity writeWithRules();
    Severity failWith(int errorId);
};

// The relation manager of a file, or null before set-up and after tear-down.
RelationManager* relationManagerFor(FileId file);

// Whether a relation manager is opening its file and the related files now.
bool openingRelatedFiles();

}  // namespace bb
