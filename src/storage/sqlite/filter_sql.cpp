#include "storage/sqlite/filter_sql.h"

#include <optional>

#include "platform/text.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

namespace {

constexpr int kTextKind = -1;
// A whole variable holds 32 bits; scaled by at most 10^9 it stays within
// the engine's 64-bit integers.
constexpr int kMaxWholeScale = 9;

int kindParameter(int node) {
    return kFilterParameter + 2 * node;
}

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

CompareOp mirrored(CompareOp op) {
    switch (op) {
        case CompareOp::Less:
            return CompareOp::Greater;
        case CompareOp::LessEqual:
            return CompareOp::GreaterEqual;
        case CompareOp::Greater:
            return CompareOp::Less;
        case CompareOp::GreaterEqual:
            return CompareOp::LessEqual;
        default:
            return op;
    }
}

// A value as the engine sees it: an SQL expression for its kind and one for
// the value (see the bb_ functions).
struct Operand {
    std::string kind;
    std::string value;
    // Known while translating: a column of the view, or a constant.
    const FieldDef* column = nullptr;
    std::optional<Value> constant;
    // A variable that always holds whole numbers or always texts.
    BoundName::Kind variable = BoundName::Kind::Any;
};

class Translator {
public:
    Translator(const Filter& filter, const std::vector<ViewTable>& tables)
        : filter_(filter), tables_(tables) {}

    FilterSql run() {
        FilterSql out;
        if (!filter_.empty()) out.condition = condition(filter_.root());
        out.parameters = std::move(parameters_);
        return out;
    }

private:
    const FilterNode& node(int n) const { return filter_.nodes()[static_cast<std::size_t>(n)]; }

    // The view table whose buffer a field name reads, or -1.
    int tableOf(const BoundName& name) const {
        for (std::size_t t = 0; t < tables_.size(); ++t) {
            if (tables_[t].def == name.file && tables_[t].buffer == name.record)
                return static_cast<int>(t);
        }
        return -1;
    }

    static std::string kindOf(const FieldDef& f) {
        if (f.isText()) return std::to_string(kTextKind);
        return f.spec.type == FieldType::Decimal ? std::to_string(static_cast<int>(f.spec.places))
                                                 : "0";
    }

    // A text is bound as a parameter rather than written into the SQL, so
    // that no character of it (a NUL, say) can change the statement.
    std::string bound(int n) {
        parameters_.push_back(n);
        return "?" + std::to_string(kindParameter(n) + 1);
    }

    Operand constantOperand(int n, const Value& v) {
        Operand o;
        o.constant = v;
        if (v.isText()) {
            o.kind = std::to_string(kTextKind);
            o.value = bound(n);
        } else {
            const Decimal& d = v.asNumber();
            o.kind = std::to_string(d.places());
            o.value = d.digits() <= kIntegerDigits
                          ? Decimal::fromUnits(d.units(), 0).toString()
                          : filterLiteral(Decimal::fromUnits(d.units(), 0).toString());
        }
        return o;
    }

    Operand operand(int n) {
        const FilterNode& x = node(n);
        switch (x.kind) {
            case FilterNode::Kind::Constant:
                return constantOperand(n, x.constant);
            case FilterNode::Kind::Name: {
                const int table = x.name.isField() ? tableOf(x.name) : -1;
                if (table < 0) break;  // read when the query runs
                Operand o;
                o.column = &x.name.file->fields[static_cast<std::size_t>(x.name.field)];
                o.kind = kindOf(*o.column);
                o.value = viewColumn(tables_, table, x.name.field);
                return o;
            }
            case FilterNode::Kind::Upper: {
                const Operand inner = operand(x.left);
                return {std::to_string(kTextKind),
                        "bb_upper(" + inner.kind + ", " + inner.value + ")",
                        nullptr,
                        {}};
            }
            default:
                // A condition used as a value: 1 or 0.
                return {"0", "(" + condition(n) + ")", nullptr, {}};
        }
        parameters_.push_back(n);
        return {"?" + std::to_string(kindParameter(n)),
                "?" + std::to_string(kindParameter(n) + 1),
                nullptr,
                {},
                x.kind == FilterNode::Kind::Name ? x.name.kind : BoundName::Kind::Any};
    }

    // UPPER of a text column: the column, compared without regard to case.
    const FieldDef* upperColumn(int n, std::string& column) {
        const FilterNode& x = node(n);
        if (x.kind != FilterNode::Kind::Upper) return nullptr;
        const FilterNode& inner = node(x.left);
        if (inner.kind != FilterNode::Kind::Name || !inner.name.isField()) return nullptr;
        const int table = tableOf(inner.name);
        if (table < 0) return nullptr;
        const FieldDef& f = inner.name.file->fields[static_cast<std::size_t>(inner.name.field)];
        if (!f.isText()) return nullptr;
        column = viewColumn(tables_, table, inner.name.field);
        return &f;
    }

    // The text a case-blind comparison may compare plainly: an upper-case
    // constant, or UPPER of any text constant.
    // (The node of that constant.)
    std::optional<int> caseBlindText(int n) const {
        const FilterNode& x = node(n);
        const int c = x.kind == FilterNode::Kind::Upper ? x.left : n;
        const FilterNode& constant = node(c);
        if (constant.kind != FilterNode::Kind::Constant || !constant.constant.isText())
            return std::nullopt;
        const std::string& t = constant.constant.asText();
        if (x.kind != FilterNode::Kind::Upper && text::upper(t) != t) return std::nullopt;
        return c;
    }

    // A comparison plain SQL can make with exactly the filter's meaning.
    std::optional<std::string> plainComparison(const Operand& a, const Operand& b, CompareOp op) {
        if (!a.column) return std::nullopt;
        const FieldDef& f = *a.column;
        if (b.column) {
            const FieldDef& g = *b.column;
            const bool bothWhole = f.isInteger() && g.isInteger();
            const bool bothText = f.isText() && g.isText();
            if (bothWhole || bothText) return a.value + sqlOperator(op) + b.value;
            return std::nullopt;
        }
        // A variable of a fixed kind compares like a constant of that kind.
        if (b.variable == BoundName::Kind::Whole && f.isInteger())
            return a.value + sqlOperator(op) + b.value;
        if (b.variable == BoundName::Kind::Text && f.isText())
            return a.value + sqlOperator(op) + b.value;
        // A whole number against a decimal column kept in units of its
        // places compares as the number in those units (a month code 3 is
        // kept as 300).
        if (b.variable == BoundName::Kind::Whole && f.spec.type == FieldType::Decimal &&
            f.spec.width <= kIntegerDigits && f.spec.places <= kMaxWholeScale)
            return a.value + sqlOperator(op) + "(" + b.value + " * 1" +
                   std::string(static_cast<std::size_t>(f.spec.places), '0') + ")";
        if (!b.constant) return std::nullopt;
        const Value& v = *b.constant;
        if (f.isText() && v.isText()) return a.value + sqlOperator(op) + b.value;
        if (v.isText()) return std::nullopt;
        const Decimal& d = v.asNumber();
        if (f.isInteger() && d.places() == 0 && d.digits() <= kIntegerDigits)
            return a.value + sqlOperator(op) + d.toString();
        if (f.spec.type == FieldType::Decimal && f.spec.width <= kIntegerDigits) {
            const Decimal scaled = d.rescaled(f.spec.places);
            // Only a value the column can hold exactly compares the same in units.
            if (scaled.ok() && scaled == d && scaled.digits() <= kIntegerDigits) {
                return a.value + sqlOperator(op) + Decimal::fromUnits(scaled.units(), 0).toString();
            }
        }
        return std::nullopt;
    }

    std::string comparison(const FilterNode& x) {
        std::string column;
        if (const FieldDef* f = upperColumn(x.left, column)) {
            if (const auto t = caseBlindText(x.right)) {
                (void)f;
                return column + " COLLATE " + kNoCaseCollation + sqlOperator(x.op) + bound(*t);
            }
        }
        if (const FieldDef* f = upperColumn(x.right, column)) {
            if (const auto t = caseBlindText(x.left)) {
                (void)f;
                return column + " COLLATE " + kNoCaseCollation + sqlOperator(mirrored(x.op)) +
                       bound(*t);
            }
        }
        const Operand a = operand(x.left);
        const Operand b = operand(x.right);
        if (auto plain = plainComparison(a, b, x.op)) return *plain;
        if (auto plain = plainComparison(b, a, mirrored(x.op))) return *plain;
        return "bb_cmp(" + std::to_string(static_cast<int>(x.op)) + ", " + a.kind + ", " + a.value +
               ", " + b.kind + ", " + b.value + ")";
    }

    std::string condition(int n) {
        const FilterNode& x = node(n);
        switch (x.kind) {
            case FilterNode::Kind::Compare:
                return comparison(x);
            case FilterNode::Kind::Not:
                return "NOT (" + condition(x.left) + ")";
            case FilterNode::Kind::And:
            case FilterNode::Kind::Or: {
                std::string out = "(";
                for (std::size_t i = 0; i < x.terms.size(); ++i) {
                    if (i) out += x.kind == FilterNode::Kind::And ? " AND " : " OR ";
                    out += condition(x.terms[i]);
                }
                return out + ")";
            }
            default: {
                const Operand o = operand(n);
                if (o.column && o.column->isInteger()) return "(" + o.value + " <> 0)";
                return "bb_true(" + o.kind + ", " + o.value + ")";
            }
        }
    }

    const Filter& filter_;
    const std::vector<ViewTable>& tables_;
    std::vector<int> parameters_;
};

}  // namespace

std::string viewColumn(const std::vector<ViewTable>& tables, int table, int field) {
    const FieldDef& f =
        tables[static_cast<std::size_t>(table)].def->fields[static_cast<std::size_t>(field)];
    const std::string column = "t" + std::to_string(table) + "." + identifier(f.name);
    if (table == 0 || tables[static_cast<std::size_t>(table)].inner) return column;
    return "COALESCE(" + column + ", " + blankLiteral(f) + ")";
}

FilterSql translateFilter(const Filter& filter, const std::vector<ViewTable>& tables) {
    return Translator(filter, tables).run();
}

void FilterSql::bind(const Filter& filter, sqlite3_stmt* stmt) const {
    for (int n : parameters) {
        const Value v = filter.valueOf(n);
        const int kindIndex = kindParameter(n);
        const int valueIndex = kindIndex + 1;
        if (v.isText()) {
            // Without its trailing spaces, as every stored text is: plain
            // comparisons then ignore them as the filter does.
            const std::string_view t = text::clip(v.asText());
            sqlite3_bind_int(stmt, kindIndex, kTextKind);
            sqlite3_bind_text(stmt, valueIndex, t.data(), static_cast<int>(t.size()),
                              SQLITE_TRANSIENT);
            continue;
        }
        const Decimal& d = v.asNumber();
        sqlite3_bind_int(stmt, kindIndex, d.places());
        if (d.digits() <= kIntegerDigits) {
            sqlite3_bind_int64(stmt, valueIndex, static_cast<sqlite3_int64>(d.units()));
        } else {
            const std::string units = Decimal::fromUnits(d.units(), 0).toString();
            sqlite3_bind_text(stmt, valueIndex, units.data(), static_cast<int>(units.size()),
                              SQLITE_TRANSIENT);
        }
    }
}

}  // namespace bb::sqlite
