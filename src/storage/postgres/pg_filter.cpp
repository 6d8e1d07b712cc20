#include "storage/postgres/pg_filter.h"

#include <optional>

#include "platform/text.h"

namespace bb::postgres {

namespace {

const char* sqlOperator(CompareOp op) {
    switch (op) {
        case CompareOp::Equal:
            return " = ";
        case CompareOp::NotEqual:
            return " <> ";
        case CompareOp::Less:
            return " < ";
        case CompareOp::LessEqual:
            return " <= ";
        case CompareOp::Greater:
            return " > ";
        case CompareOp::GreaterEqual:
            return " >= ";
    }
    return " = ";
}

// What one side of a comparison is in SQL: an expression and whether it
// is a text or a number.
struct Operand {
    std::string sql;
    bool text = false;
};

class Translator {
public:
    Translator(const Filter& filter, const std::vector<ViewTable>& tables, const CaseRules& rules,
               int first)
        : filter_(filter), tables_(tables), rules_(rules), next_(first) {}

    FilterSql run() {
        FilterSql out;
        if (filter_.empty()) return out;
        const FilterNode& root = node(filter_.root());
        std::vector<int> terms =
            root.kind == FilterNode::Kind::And ? root.terms : std::vector<int>{filter_.root()};
        for (int term : terms) {
            const auto saved = parameters_;
            const int savedNext = next_;
            if (auto c = condition(term)) {
                out.condition += (out.condition.empty() ? "" : " AND ") + *c;
            } else {
                parameters_ = saved;
                next_ = savedNext;
                out.complete = false;
            }
        }
        out.parameters = std::move(parameters_);
        return out;
    }

private:
    const FilterNode& node(int n) const { return filter_.nodes()[static_cast<std::size_t>(n)]; }

    int tableOf(const BoundName& name) const {
        for (std::size_t t = 0; t < tables_.size(); ++t) {
            if (tables_[t].def == name.file && tables_[t].buffer == name.record)
                return static_cast<int>(t);
        }
        return -1;
    }

    std::string parameter(int n, bool text) {
        parameters_.push_back({n, text});
        return "$" + std::to_string(next_++) + (text ? "::text" : "::numeric");
    }

    // A value read when the query runs whose kind is known now.
    std::optional<Operand> value(int n) {
        const FilterNode& x = node(n);
        if (x.kind == FilterNode::Kind::Constant) {
            const bool text = x.constant.isText();
            return Operand{parameter(n, text), text};
        }
        if (x.kind != FilterNode::Kind::Name) return std::nullopt;
        if (x.name.isField()) {
            const FieldDef& f = x.name.file->fields[static_cast<std::size_t>(x.name.field)];
            const int table = tableOf(x.name);
            if (table >= 0) return Operand{viewColumn(tables_, table, x.name.field), f.isText()};
            return Operand{parameter(n, f.isText()), f.isText()};
        }
        if (x.name.kind == BoundName::Kind::Any) return std::nullopt;
        const bool text = x.name.kind == BoundName::Kind::Text;
        return Operand{parameter(n, text), text};
    }

    std::optional<Operand> operand(int n) {
        const FilterNode& x = node(n);
        if (x.kind != FilterNode::Kind::Upper) return value(n);
        const auto inner = value(x.left);
        if (!inner || !inner->text) return std::nullopt;
        return Operand{rules_.upper(inner->sql), true};
    }

    std::optional<std::string> comparison(const FilterNode& x) {
        const auto a = operand(x.left);
        if (!a) return std::nullopt;
        const auto b = operand(x.right);
        // A number against a text compares as the text reads: not plain SQL.
        if (!b || a->text != b->text) return std::nullopt;
        return "(" + a->sql + sqlOperator(x.op) + b->sql + ")";
    }

    std::optional<std::string> condition(int n) {
        const FilterNode& x = node(n);
        switch (x.kind) {
            case FilterNode::Kind::Compare:
                return comparison(x);
            case FilterNode::Kind::Not: {
                const auto inner = condition(x.left);
                if (!inner) return std::nullopt;
                return "NOT " + *inner;
            }
            case FilterNode::Kind::And:
            case FilterNode::Kind::Or: {
                std::string out = "(";
                for (std::size_t i = 0; i < x.terms.size(); ++i) {
                    const auto term = condition(x.terms[i]);
                    if (!term) return std::nullopt;
                    if (i) out += x.kind == FilterNode::Kind::And ? " AND " : " OR ";
                    out += *term;
                }
                return out + ")";
            }
            default: {
                // A number as a condition: true when not zero.
                const auto o = value(n);
                if (!o || o->text) return std::nullopt;
                return "(" + o->sql + " <> 0)";
            }
        }
    }

    const Filter& filter_;
    const std::vector<ViewTable>& tables_;
    const CaseRules& rules_;
    int next_;
    std::vector<FilterSql::Parameter> parameters_;
};

}  // namespace

std::string viewColumn(const std::vector<ViewTable>& tables, int table, int field) {
    const FieldDef& f =
        tables[static_cast<std::size_t>(table)].def->fields[static_cast<std::size_t>(field)];
    const std::string column = "t" + std::to_string(table) + "." + identifier(f.name);
    if (table == 0 || tables[static_cast<std::size_t>(table)].inner) return column;
    return "COALESCE(" + column + ", " + blankLiteral(f) + ")";
}

FilterSql translateFilter(const Filter& filter, const std::vector<ViewTable>& tables,
                          const CaseRules& rules, int first) {
    return Translator(filter, tables, rules, first).run();
}

void FilterSql::bind(const Filter& filter, Params& params) const {
    for (const Parameter& p : parameters) {
        const Value v = filter.valueOf(p.node);
        if (p.text && v.isText()) {
            // Without its trailing spaces, as every stored text is: plain
            // comparisons then ignore them as the filter does.
            params.text(text::clip(v.asText()));
        } else if (!p.text && v.isNumber()) {
            params.text(v.asNumber().toString());
        } else {
            params.null();  // a value of the other kind than its name promised
        }
    }
}

}  // namespace bb::postgres
