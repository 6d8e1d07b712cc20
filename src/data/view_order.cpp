#include "data/view_order.h"

#include "platform/text.h"

namespace bb {

namespace {

// A name counts only with its file's prefix: a bare name could belong to
// any file of the view.
bool qualified(std::string_view name) {
    return name.find(':') != std::string_view::npos;
}

// Adds the columns one term of the text stands for; false when it names
// nothing of the view.
bool readTerm(std::string_view text, const std::vector<const FileDef*>& files,
              std::vector<ViewOrderTerm>& out) {
    text = text::trim(text);
    bool descending = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        descending = text.front() == '-';
        text = text::trim(text.substr(1));
    }
    bool noCase = false;
    if (text::upper(text.substr(0, 6)) == "UPPER(" && text.back() == ')') {
        noCase = true;
        text = text::trim(text.substr(6, text.size() - 7));
    }
    if (!qualified(text)) return false;
    for (std::size_t t = 0; t < files.size(); ++t) {
        const FileDef& def = *files[t];
        if (const auto field = def.findField(text)) {
            out.push_back({static_cast<int>(t), *field, descending, noCase});
            return true;
        }
        if (const auto key = def.findKey(text)) {
            for (ViewOrderTerm term : keyOrder(def, *key, static_cast<int>(t))) {
                term.descending = term.descending != descending;
                out.push_back(term);
            }
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<ViewOrderTerm> keyOrder(const FileDef& def, int key, int table) {
    const KeyDef& k = def.keys[static_cast<std::size_t>(key)];
    std::vector<ViewOrderTerm> terms;
    for (const KeyComponent& c : k.components) {
        const bool isText = def.fields[static_cast<std::size_t>(c.field)].isText();
        terms.push_back({table, c.field, !c.ascending, k.noCase && isText});
    }
    return terms;
}

std::variant<std::vector<ViewOrderTerm>, std::string> readViewOrder(
    std::string_view text, const std::vector<const FileDef*>& files) {
    std::vector<ViewOrderTerm> terms;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string_view piece = text::trim(text.substr(from, comma - from));
        // Nothing between two commas (or none at all) adds nothing.
        if (!piece.empty() && !readTerm(piece, files, terms)) {
            return "'" + std::string(piece) + "' is not a field or key of the view";
        }
        from = comma + 1;
    }
    return terms;
}

}  // namespace bb
