#include "reports/record_selection.h"

#include "platform/filter.h"
#include "platform/text.h"

namespace bb {

namespace {

constexpr std::string_view kStatusField = "MBR:Active";
// "MBR:Active=1": the field, "=" and the one-digit flag.
constexpr std::size_t kStatusChoiceLength = 12;
constexpr std::string_view kBoth = "Both";
constexpr std::string_view kOr = " OR ";

// The name that starts at `at` (after its opening quote), read up to its
// closing quote; `at` is left after that quote. A doubled quote is one
// quote in the name; a quote followed by neither the end nor the next
// name's " OR " and `opening` was written once, by an older version, and
// belongs to the name.
std::string readName(std::string_view part, std::string_view opening, std::size_t& at) {
    const std::string next = std::string(kOr) + std::string(opening);
    std::string name;
    while (at < part.size()) {
        const char c = part[at++];
        if (c != '\'') {
            name.push_back(c);
        } else if (at < part.size() && part[at] == '\'') {
            name.push_back('\'');
            ++at;
        } else if (at == part.size() || part.substr(at).starts_with(next)) {
            break;
        } else {
            name.push_back('\'');
        }
    }
    return name;
}

}  // namespace

const std::array<SelectionList, 3>& selectionLists() {
    static const std::array<SelectionList, 3> lists{{
        {"CMBRS:Committee", CTRL::COMMFILTER, "All Customer Groups Are Marked",
         "Too Many Customer Groups Marked", "customer groups"},
        {"MBR:SalesLevel", CTRL::CLASSFILTER, "All Customer Classifications Are Marked",
         "Too Many Customer Classifications Marked", "customer classifications"},
        {"MBR:Rep_Num", CTRL::REPFILTER, "All Representatives Are Marked",
         "Too Many Representatives Marked", "representatives"},
    }};
    return lists;
}

std::string statusChoiceOf(std::string_view filter) {
    const std::size_t at = filter.find(kStatusField);
    if (at == std::string_view::npos) return std::string(kBoth);
    return std::string(filter.substr(at, kStatusChoiceLength));
}

std::string selectionPart(std::string_view field, const std::vector<SelectionRow>& rows) {
    std::string part;
    bool everyRow = true;
    for (const SelectionRow& row : rows) {
        everyRow = everyRow && row.marked;
        if (!row.marked) continue;
        part += part.empty() ? "(" : kOr;
        part += std::string(field) + "=" + filterLiteral(text::clip(row.name));
    }
    return everyRow ? std::string() : part;
}

std::vector<std::string> selectedNames(std::string_view part, std::string_view field) {
    const std::string opening = std::string(field) + "='";
    std::vector<std::string> names;
    std::size_t at = part.find(opening);
    while (at != std::string_view::npos) {
        at += opening.size();
        names.push_back(readName(part, opening, at));
        at = part.find(opening, at);
    }
    return names;
}

std::string combineSelection(std::string_view statusChoice, std::string_view representatives,
                             std::string_view classifications, std::string_view groups) {
    const std::string_view status = text::clip(statusChoice);
    std::string filter = status == kBoth ? std::string() : std::string(status);
    for (std::string_view part : {representatives, classifications, groups}) {
        if (text::isBlank(part)) continue;
        if (!filter.empty()) filter += " AND ";
        filter += std::string(part) + ")";
    }
    return filter;
}

}  // namespace bb
