#include "storage/sqlite/linked_sql.h"

#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

namespace {

// Whether a value of `above`, copied into `below`, is stored as it was.
bool sameWhenCopied(const FieldDef& above, const FieldDef& below) {
    if (above.isText() || below.isText())
        return above.isText() && below.isText() && above.spec.width <= below.spec.width;
    return above.spec.type == below.spec.type && above.spec.places == below.spec.places &&
           storedAsInteger(above) == storedAsInteger(below);
}

std::string joined(const std::string& sofar, const std::string& next, const char* separator) {
    return sofar.empty() ? next : sofar + separator + next;
}

// The first level: the key's first components equal parameters 1, 2...
std::string rangeCondition(const LinkedLevel& level, int components) {
    const FileDef& def = *level.file;
    std::string where = keyPresentPredicate(def, level.key);
    for (int i = 0; i < components; ++i) {
        where = joined(where,
                       componentColumn(def, def.keys[static_cast<std::size_t>(level.key)], i) +
                           " = ?" + std::to_string(i + 1),
                       " AND ");
    }
    return where.empty() ? "1" : where;
}

std::optional<std::string> levelCondition(const LinkedRecords& linked, std::size_t at) {
    const LinkedLevel& level = linked.levels[at];
    if (at == 0) return rangeCondition(level, linked.components);
    const auto above = levelCondition(linked, at - 1);
    if (!above) return std::nullopt;
    const FileDef& def = *level.file;
    const FileDef& upper = *linked.levels[at - 1].file;
    const KeyDef& key = def.keys[static_cast<std::size_t>(level.key)];
    std::string components;
    std::string linking;
    for (std::size_t i = 0; i < level.above.size(); ++i) {
        const FieldDef& from = upper.fields[static_cast<std::size_t>(level.above[i])];
        const KeyComponent& component = key.components[i];
        if (!sameWhenCopied(from, def.fields[static_cast<std::size_t>(component.field)]))
            return std::nullopt;
        components = joined(components, componentColumn(def, key, static_cast<int>(i)), ", ");
        linking = joined(linking, identifier(from.name), ", ");
    }
    // Each level's columns are its own table's, the innermost in scope.
    return joined(keyPresentPredicate(def, level.key),
                  "(" + components + ") IN (SELECT " + linking + " FROM " +
                      identifier(upper.storedName) + " WHERE " + *above + ")",
                  " AND ");
}

}  // namespace

std::optional<std::string> linkedCondition(const LinkedRecords& linked) {
    if (linked.levels.empty()) return std::nullopt;
    return levelCondition(linked, linked.levels.size() - 1);
}

void bindLinked(sqlite3_stmt* stmt, const LinkedRecords& linked) {
    const LinkedLevel& first = linked.levels.front();
    const KeyDef& key = first.file->keys[static_cast<std::size_t>(first.key)];
    for (int i = 0; i < linked.components; ++i)
        bindField(stmt, i + 1, *linked.values, key.components[static_cast<std::size_t>(i)].field);
}

}  // namespace bb::sqlite
