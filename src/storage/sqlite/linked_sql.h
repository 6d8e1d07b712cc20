// The SQL that selects the records a cascade reaches through a chain of
// relations (LinkedRecords): the first level a range of its key, each level
// below the records whose key's first components are among the linking
// fields of the level above, one nested query per level.
#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>

#include "platform/storage.h"

namespace bb::sqlite {

// The condition on the last level's table; its parameters 1, 2... are the
// first level's key values. nullopt when a link joins fields that do not
// compare as their stored values do (a text into a narrower one, numbers of
// other kinds), which a copy into the record would cut or narrow first.
std::optional<std::string> linkedCondition(const LinkedRecords& linked);

// Binds the first level's key values to parameters 1, 2...
// REQUIRES: `linked.values` lives until the statement has run and been reset.
void bindLinked(sqlite3_stmt* stmt, const LinkedRecords& linked);

}  // namespace bb::sqlite
