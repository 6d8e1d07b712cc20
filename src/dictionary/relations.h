// The relations between the data files, as the dictionary registers them.
//
// A relation with rules names the related file's key, the linking pairs (the
// n-th pair fills the key's n-th component) and what a change or delete of
// this file's record does to the related records. A relation without rules
// only ties the two files together for opening and closing. Every relation
// stands on both files; each file's list is in registration order, the order
// in which its related files are opened, closed and visited.
#pragma once

#include <cstdint>
#include <vector>

#include "dictionary/files.h"

namespace bb {

enum class Rule : std::uint8_t { None = 0, Clear = 1, Restrict = 2, Cascade = 3 };

struct LinkPair {
    int field;         // of this file
    int relatedField;  // of the related file
};

struct RelationDef {
    FileId related;
    bool keyed = false;  // a relation with rules (possibly both None)
    int relatedKey = -1;
    Rule onUpdate = Rule::None;
    Rule onDelete = Rule::None;
    std::vector<LinkPair> links;
};

// The relations registered on `file`, in registration order.
const std::vector<RelationDef>& relationsOf(FileId file);

}  // namespace bb
