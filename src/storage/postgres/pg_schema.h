// The tables and indexes that hold the data files on the server, generated
// from their layouts, and the check that a stored table still matches its
// layout.
//
// A file is a table under its stored name with a record id ("_rid", drawn
// from a sequence, so never reused), a version that every rewrite
// increments ("_ver"), the station that reserved the record for numbering
// and has not written it yet ("_reserved", empty once written), and one
// column per field: texts compared byte by byte (as the program compares
// them), whole numbers as 64-bit integers, decimals as exact numerics of the
// field's digits and places. Each key is an index in its components' order
// and directions; a no-case key indexes the upper-cased texts (an
// expression index), a unique key is a unique index, and a blank-excluded
// key is a partial index over the records whose components are not all
// blank.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/record_layout.h"

namespace bb::postgres {

inline constexpr const char* kMetaTable = "_bb_meta";

// How texts are upper-cased for no-case keys: the collation whose case
// rules the server applies (one that knows every character's upper case,
// where the server has one).
struct CaseRules {
    std::string collation = "C";
    // A text expression upper-cased, ordered byte by byte.
    std::string upper(const std::string& expression) const;
};

std::string createTableSql(const FileDef& def);
std::string columnDefinition(const FieldDef& f);
std::string blankLiteral(const FieldDef& f);
std::string indexName(const FileDef& def, int key);
std::string createIndexSql(const FileDef& def, int key, const CaseRules& rules);
std::string reservationIndexName(const FileDef& def);
std::string createReservationIndexSql(const FileDef& def);
// SQL that creates the table the engine keeps for itself.
std::string createMetaTableSql();

// The expression of a key component (upper-cased for a no-case text),
// its columns qualified by `table` when given.
std::string componentColumn(const FileDef& def, const KeyDef& key, int component,
                            const CaseRules& rules, std::string_view table = {});
// Parameter `parameter` as the component compares it (upper-cased for a
// no-case text).
std::string componentParameter(const FileDef& def, const KeyDef& key, int component,
                               const CaseRules& rules, int parameter);
// "(c1 <> 0 OR c2 <> '')": the records a blank-excluded key holds; empty
// for a key that keeps blanks.
std::string keyPresentPredicate(const FileDef& def, int key, std::string_view table = {});
// The records whose components of `key` equal parameters $first, $first+1...
std::string keyEqualsCondition(const FileDef& def, int key, const CaseRules& rules, int first = 1);
// "_rid", "_ver" and every field's column, in field order.
std::string selectColumns(const FileDef& def, std::string_view table = {});

enum class SchemaState { Missing, Ok, MissingColumns, KeysInvalid };

struct SchemaCheck {
    SchemaState state = SchemaState::Missing;
    std::vector<int> missingColumns;  // fields without a column
};

}  // namespace bb::postgres
