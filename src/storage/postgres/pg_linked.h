// The SQL that selects the records a cascade reaches through a chain of
// relations (LinkedRecords): the first level a range of its key, each level
// below the records whose key's first components are among the linking
// fields of the level above, one nested query per level.
#pragma once

#include <optional>
#include <string>

#include "platform/storage.h"
#include "storage/postgres/pg_schema.h"
#include "storage/postgres/pg_support.h"

namespace bb::postgres {

// The condition on the last level's table; its parameters $1, $2... are the
// first level's key values. nullopt when a link joins fields that do not
// compare as their stored values do.
std::optional<std::string> linkedCondition(const LinkedRecords& linked, const CaseRules& rules);

// Adds the first level's key values as parameters $1, $2...
void bindLinked(Params& params, const LinkedRecords& linked);

}  // namespace bb::postgres
