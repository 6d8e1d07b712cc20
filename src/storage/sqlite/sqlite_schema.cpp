#include "storage/sqlite/sqlite_schema.h"

#include <QChar>

#include <set>

#include "platform/text.h"
#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

std::string blankLiteral(const FieldDef& f) {
    return storedAsInteger(f) ? "0" : "''";
}

std::string columnDefinition(const FieldDef& f) {
    return identifier(f.name) + (storedAsInteger(f) ? " INTEGER" : " TEXT") + " NOT NULL DEFAULT " +
           blankLiteral(f);
}

const char* const kReservedColumn = "\"_reserved\" TEXT NOT NULL DEFAULT ''";

std::string createTableSql(const FileDef& def) {
    std::string sql =
        "CREATE TABLE " + identifier(def.storedName) +
        " (\"_rid\" INTEGER PRIMARY KEY AUTOINCREMENT, \"_ver\" INTEGER NOT NULL DEFAULT 1, " +
        kReservedColumn;
    for (const FieldDef& f : def.fields) sql += ", " + columnDefinition(f);
    return sql + ")";
}

std::string indexName(const FileDef& def, int key) {
    return def.storedName + "$" + def.keys[static_cast<std::size_t>(key)].name;
}

std::string componentColumn(const FileDef& def, const KeyDef& key, int component) {
    const KeyComponent& c = key.components[static_cast<std::size_t>(component)];
    const FieldDef& f = def.fields[static_cast<std::size_t>(c.field)];
    std::string column = identifier(f.name);
    if (key.noCase && f.isText()) column += std::string(" COLLATE ") + kNoCaseCollation;
    return column;
}

std::string keyPresentPredicate(const FileDef& def, int key, std::string_view table) {
    const KeyDef& k = def.keys[static_cast<std::size_t>(key)];
    if (!k.blankExcluded) return "";
    const std::string prefix = table.empty() ? "" : std::string(table) + ".";
    std::string sql = "(";
    for (std::size_t i = 0; i < k.components.size(); ++i) {
        const FieldDef& f = def.fields[static_cast<std::size_t>(k.components[i].field)];
        if (i) sql += " OR ";
        sql += prefix + identifier(f.name) + " <> " + blankLiteral(f);
    }
    return sql + ")";
}

std::string keyEqualsCondition(const FileDef& def, int key) {
    const KeyDef& k = def.keys[static_cast<std::size_t>(key)];
    std::string where = keyPresentPredicate(def, key);
    for (std::size_t i = 0; i < k.components.size(); ++i) {
        where += (where.empty() ? "" : " AND ") + componentColumn(def, k, static_cast<int>(i)) +
                 " = ?" + std::to_string(i + 1);
    }
    return where;
}

std::string createIndexSql(const FileDef& def, int key) {
    const KeyDef& k = def.keys[static_cast<std::size_t>(key)];
    std::string sql = std::string("CREATE ") + (k.unique ? "UNIQUE " : "") + "INDEX " +
                      identifier(indexName(def, key)) + " ON " + identifier(def.storedName) + " (";
    for (std::size_t i = 0; i < k.components.size(); ++i) {
        if (i) sql += ", ";
        sql += componentColumn(def, k, static_cast<int>(i));
        if (!k.components[i].ascending) sql += " DESC";
    }
    sql += ")";
    const std::string present = keyPresentPredicate(def, key);
    if (!present.empty()) sql += " WHERE " + present;
    return sql;
}

std::string reservationIndexName(const FileDef& def) {
    return def.storedName + "$_reserved";
}

std::string createReservationIndexSql(const FileDef& def) {
    return "CREATE INDEX " + identifier(reservationIndexName(def)) + " ON " +
           identifier(def.storedName) + " (\"_reserved\") WHERE \"_reserved\" <> ''";
}

std::string createMetaTablesSql() {
    return std::string("CREATE TABLE IF NOT EXISTS ") + identifier(kMetaTable) +
           " (\"name\" TEXT PRIMARY KEY, \"value\" TEXT NOT NULL);"
           "CREATE TABLE IF NOT EXISTS " +
           identifier(kHoldsTable) +
           " (\"file\" TEXT NOT NULL, \"rid\" INTEGER NOT NULL, \"station\" TEXT NOT NULL,"
           " \"taken\" INTEGER NOT NULL, PRIMARY KEY (\"file\", \"rid\"));";
}

std::string selectColumns(const FileDef& def) {
    std::string sql = "\"_rid\", \"_ver\"";
    for (const FieldDef& f : def.fields) sql += ", " + identifier(f.name);
    return sql;
}

std::string collationVersion() {
    return "unicode-" + std::to_string(static_cast<int>(QChar::currentUnicodeVersion()));
}

SchemaCheck checkSchema(sqlite3* db, const FileDef& def) {
    SchemaCheck check;
    std::set<std::string> columns;
    {
        Statement info(db, "SELECT \"name\" FROM pragma_table_info(?1)");
        if (!info.valid()) return {SchemaState::Missing, {}, false, info.prepareResult()};
        sqlite3_bind_text(info.get(), 1, def.storedName.c_str(), -1, SQLITE_TRANSIENT);
        int rc;
        while ((rc = sqlite3_step(info.get())) == SQLITE_ROW) {
            columns.insert(
                text::upper(reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0))));
        }
        if (rc != SQLITE_DONE) return {SchemaState::Missing, {}, false, rc};
    }
    if (columns.empty()) return check;  // no such table
    check.state = SchemaState::Ok;
    for (std::size_t i = 0; i < def.fields.size(); ++i) {
        if (!columns.count(text::upper(def.fields[i].name)))
            check.missingColumns.push_back(static_cast<int>(i));
    }
    check.reservedMissing = !columns.count("_RESERVED");
    if (!check.missingColumns.empty() || check.reservedMissing) {
        check.state = SchemaState::MissingColumns;
        return check;
    }
    Statement index(db,
                    "SELECT \"sql\" FROM sqlite_schema WHERE \"type\" = 'index' AND \"name\" = ?1");
    Statement meta(db, std::string("SELECT \"value\" FROM ") + identifier(kMetaTable) +
                           " WHERE \"name\" = ?1");
    if (!index.valid()) return {SchemaState::Missing, {}, false, index.prepareResult()};
    auto indexMatches = [&](const std::string& name, const std::string& wanted) {
        index.reset();
        sqlite3_bind_text(index.get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
        const int rc = sqlite3_step(index.get());
        const auto* sql = rc == SQLITE_ROW
                              ? reinterpret_cast<const char*>(sqlite3_column_text(index.get(), 0))
                              : nullptr;
        return sql && wanted == sql;
    };
    for (std::size_t k = 0; k < def.keys.size(); ++k) {
        const int key = static_cast<int>(k);
        if (!indexMatches(indexName(def, key), createIndexSql(def, key)))
            check.state = SchemaState::KeysInvalid;
    }
    if (!indexMatches(reservationIndexName(def), createReservationIndexSql(def))) {
        check.state = SchemaState::KeysInvalid;
    }
    // Indexes built under other case tables order no-case keys differently.
    const std::string wanted = collationVersion();
    std::string stored;
    if (meta.valid()) {
        const std::string name = "collation:" + def.storedName;
        sqlite3_bind_text(meta.get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(meta.get()) == SQLITE_ROW) {
            stored = reinterpret_cast<const char*>(sqlite3_column_text(meta.get(), 0));
        }
    }
    if (!def.keys.empty() && stored != wanted) check.state = SchemaState::KeysInvalid;
    return check;
}

}  // namespace bb::sqlite
