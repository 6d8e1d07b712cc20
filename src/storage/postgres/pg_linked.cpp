#include "storage/postgres/pg_linked.h"

namespace bb::postgres {

namespace {

// Whether a value of `above`, copied into `below`, is stored as it was.
bool sameWhenCopied(const FieldDef& above, const FieldDef& below) {
    if (above.isText() || below.isText())
        return above.isText() && below.isText() && above.spec.width <= below.spec.width;
    return above.spec.type == below.spec.type && above.spec.places == below.spec.places &&
           above.spec.width <= below.spec.width;
}

std::string joined(const std::string& sofar, const std::string& next, const char* separator) {
    return sofar.empty() ? next : sofar + separator + next;
}

std::string rangeCondition(const LinkedLevel& level, int components, const CaseRules& rules) {
    const FileDef& def = *level.file;
    const KeyDef& key = def.keys[static_cast<std::size_t>(level.key)];
    std::string where = keyPresentPredicate(def, level.key);
    for (int i = 0; i < components; ++i) {
        where = joined(where,
                       componentColumn(def, key, i, rules) + " = " +
                           componentParameter(def, key, i, rules, i + 1),
                       " AND ");
    }
    return where.empty() ? "TRUE" : where;
}

std::optional<std::string> levelCondition(const LinkedRecords& linked, std::size_t at,
                                          const CaseRules& rules) {
    const LinkedLevel& level = linked.levels[at];
    if (at == 0) return rangeCondition(level, linked.components, rules);
    const auto above = levelCondition(linked, at - 1, rules);
    if (!above) return std::nullopt;
    const FileDef& def = *level.file;
    const FileDef& upper = *linked.levels[at - 1].file;
    const KeyDef& key = def.keys[static_cast<std::size_t>(level.key)];
    std::string components;
    std::string linking;
    for (std::size_t i = 0; i < level.above.size(); ++i) {
        const FieldDef& from = upper.fields[static_cast<std::size_t>(level.above[i])];
        const KeyComponent& component = key.components[i];
        const FieldDef& to = def.fields[static_cast<std::size_t>(component.field)];
        if (!sameWhenCopied(from, to)) return std::nullopt;
        components =
            joined(components, componentColumn(def, key, static_cast<int>(i), rules), ", ");
        const std::string value = identifier(from.name);
        linking = joined(linking, key.noCase && to.isText() ? rules.upper(value) : value, ", ");
    }
    return joined(keyPresentPredicate(def, level.key),
                  "(" + components + ") IN (SELECT " + linking + " FROM " +
                      identifier(upper.storedName) + " WHERE " + *above + ")",
                  " AND ");
}

}  // namespace

std::optional<std::string> linkedCondition(const LinkedRecords& linked, const CaseRules& rules) {
    if (linked.levels.empty()) return std::nullopt;
    return levelCondition(linked, linked.levels.size() - 1, rules);
}

void bindLinked(Params& params, const LinkedRecords& linked) {
    const LinkedLevel& first = linked.levels.front();
    const KeyDef& key = first.file->keys[static_cast<std::size_t>(first.key)];
    for (int i = 0; i < linked.components; ++i)
        params.field(*linked.values, key.components[static_cast<std::size_t>(i)].field);
}

}  // namespace bb::postgres
