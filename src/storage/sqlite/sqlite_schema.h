// The tables and indexes that hold the data files, generated from their
// layouts, and the check that a stored table still matches its layout.
//
// A file is a table under its stored name with a hidden record id ("_rid",
// never reused, so a position stays valid for the record's life), a version
// that every rewrite increments ("_ver", for detecting changes by other
// stations), the station that reserved the record for numbering and has not
// written it yet ("_reserved", empty once written), and one column per field. Each key is an index:
// components in order and direction, no-case string components under the no-case collation, unique
// keys as unique indexes, and blank-excluded keys as partial indexes over the records whose
// components are not all blank.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/record_layout.h"

namespace bb::sqlite {

inline constexpr const char* kMetaTable = "_bb_meta";
inline constexpr const char* kHoldsTable = "_bb_holds";

std::string createTableSql(const FileDef& def);
// A field's column as a table definition declares it, and its blank value.
std::string columnDefinition(const FieldDef& f);
std::string blankLiteral(const FieldDef& f);
// The reservation column as a table definition declares it.
extern const char* const kReservedColumn;
std::string indexName(const FileDef& def, int key);
std::string createIndexSql(const FileDef& def, int key);
// The index of the reserved records (few at any time).
std::string reservationIndexName(const FileDef& def);
std::string createReservationIndexSql(const FileDef& def);
// SQL that creates the tables the engine keeps for itself.
std::string createMetaTablesSql();

// The column expression of a key component, with its collation.
std::string componentColumn(const FileDef& def, const KeyDef& key, int component);
// "(c1 <> 0 OR c2 <> '')": the records a blank-excluded key holds; empty
// for a key that keeps blanks. Columns are qualified by `table` when given.
std::string keyPresentPredicate(const FileDef& def, int key, std::string_view table = {});
// The records whose components of `key` equal parameters 1, 2... in order
// (and that the key holds).
std::string keyEqualsCondition(const FileDef& def, int key);
// "_rid", "_ver" and every field's column, in field order.
std::string selectColumns(const FileDef& def);

// The version of the case tables the no-case collation uses; an index built
// under other tables must be rebuilt.
std::string collationVersion();

enum class SchemaState { Missing, Ok, MissingColumns, KeysInvalid };

struct SchemaCheck {
    SchemaState state = SchemaState::Missing;
    std::vector<int> missingColumns;  // fields without a column
    bool reservedMissing = false;     // a table made before reservations were marked
    int result = SQLITE_OK;           // an engine failure while checking
};

SchemaCheck checkSchema(sqlite3* db, const FileDef& def);

}  // namespace bb::sqlite
