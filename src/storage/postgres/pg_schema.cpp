#include "storage/postgres/pg_schema.h"

#include "storage/postgres/pg_support.h"

namespace bb::postgres {

std::string CaseRules::upper(const std::string& expression) const {
    return "(upper(" + expression + " COLLATE " + identifier(collation) + ") COLLATE \"C\")";
}

std::string blankLiteral(const FieldDef& f) {
    return f.isText() ? "''" : "0";
}

std::string columnDefinition(const FieldDef& f) {
    std::string type = "BIGINT";
    if (f.isText()) {
        type = "TEXT COLLATE \"C\"";
    } else if (f.spec.type == FieldType::Decimal) {
        type =
            "NUMERIC(" + std::to_string(f.spec.width) + ", " + std::to_string(f.spec.places) + ")";
    }
    return identifier(f.name) + " " + type + " NOT NULL DEFAULT " + blankLiteral(f);
}

std::string createTableSql(const FileDef& def) {
    std::string sql = "CREATE TABLE " + identifier(def.storedName) +
                      " (\"_rid\" BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,"
                      " \"_ver\" BIGINT NOT NULL DEFAULT 1,"
                      " \"_reserved\" TEXT NOT NULL DEFAULT ''";
    for (const FieldDef& f : def.fields) sql += ", " + columnDefinition(f);
    return sql + ")";
}

std::string indexName(const FileDef& def, int key) {
    return def.storedName + "$" + def.keys[static_cast<std::size_t>(key)].name;
}

namespace {

std::string qualified(std::string_view table, const std::string& column) {
    return table.empty() ? column : std::string(table) + "." + column;
}

}  // namespace

std::string componentColumn(const FileDef& def, const KeyDef& key, int component,
                            const CaseRules& rules, std::string_view table) {
    const KeyComponent& c = key.components[static_cast<std::size_t>(component)];
    const FieldDef& f = def.fields[static_cast<std::size_t>(c.field)];
    const std::string column = qualified(table, identifier(f.name));
    return key.noCase && f.isText() ? rules.upper(column) : column;
}

std::string componentParameter(const FileDef& def, const KeyDef& key, int component,
                               const CaseRules& rules, int parameter) {
    const KeyComponent& c = key.components[static_cast<std::size_t>(component)];
    const std::string p = "$" + std::to_string(parameter);
    return key.noCase && def.fields[static_cast<std::size_t>(c.field)].isText()
               ? rules.upper(p + "::text")
               : p;
}

std::string keyPresentPredicate(const FileDef& def, int key, std::string_view table) {
    const KeyDef& k = def.keys[static_cast<std::size_t>(key)];
    if (!k.blankExcluded) return "";
    std::string sql = "(";
    for (std::size_t i = 0; i < k.components.size(); ++i) {
        const FieldDef& f = def.fields[static_cast<std::size_t>(k.components[i].field)];
        if (i) sql += " OR ";
        sql += qualified(table, identifier(f.name)) + " <> " + blankLiteral(f);
    }
    return sql + ")";
}

std::string keyEqualsCondition(const FileDef& def, int key, const CaseRules& rules, int first) {
    const KeyDef& k = def.keys[static_cast<std::size_t>(key)];
    std::string where = keyPresentPredicate(def, key);
    for (std::size_t i = 0; i < k.components.size(); ++i) {
        where +=
            (where.empty() ? "" : " AND ") + componentColumn(def, k, static_cast<int>(i), rules) +
            " = " +
            componentParameter(def, k, static_cast<int>(i), rules, first + static_cast<int>(i));
    }
    return where;
}

std::string createIndexSql(const FileDef& def, int key, const CaseRules& rules) {
    const KeyDef& k = def.keys[static_cast<std::size_t>(key)];
    std::string sql = std::string("CREATE ") + (k.unique ? "UNIQUE " : "") + "INDEX " +
                      identifier(indexName(def, key)) + " ON " + identifier(def.storedName) + " (";
    for (std::size_t i = 0; i < k.components.size(); ++i) {
        if (i) sql += ", ";
        sql += componentColumn(def, k, static_cast<int>(i), rules);
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

std::string createMetaTableSql() {
    return std::string("CREATE TABLE IF NOT EXISTS ") + identifier(kMetaTable) +
           " (\"name\" TEXT PRIMARY KEY, \"value\" TEXT NOT NULL)";
}

std::string selectColumns(const FileDef& def, std::string_view table) {
    std::string sql = qualified(table, "\"_rid\"") + ", " + qualified(table, "\"_ver\"");
    for (const FieldDef& f : def.fields) sql += ", " + qualified(table, identifier(f.name));
    return sql;
}

}  // namespace bb::postgres
