#include "platform/filter.h"

#include "platform/text.h"

namespace bb {

namespace {

enum class Token : std::uint8_t { End, Number, String, Name, Op, Not, And, Or, Upper, Open, Close };

struct Lexeme {
    Token kind = Token::End;
    std::string text;  // a name, a number, a string's value
    CompareOp op = CompareOp::Equal;
    std::size_t position = 0;
};

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == ':';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

// Reads a filter text into nodes; on the first error it stops and keeps that
// error. Recursion depth is bounded so a hostile text cannot exhaust the stack.
class FilterParser {
public:
    FilterParser(std::string_view text, const NameBindings& names) : s_(text), names_(names) {}

    std::variant<Filter, FilterError> run() {
        filter_.text_ = std::string(s_);
        advance();
        if (current_.kind != Token::End) {
            filter_.root_ = expression();
            if (ok() && current_.kind != Token::End) {
                fail(current_.kind == Token::Close ? "unbalanced ')'"
                                                   : "unexpected " + describe(current_),
                     current_.position);
            }
        }
        if (!ok()) return error_;
        return std::move(filter_);
    }

private:
    static constexpr int kMaxDepth = 200;

    bool ok() const { return error_.message.empty(); }

    void fail(std::string message, std::size_t position) {
        if (ok()) error_ = {std::move(message), position};
    }

    static std::string describe(const Lexeme& l) {
        if (l.kind == Token::End) return "end of text";
        return (l.kind == Token::String ? "string '" : "'") + l.text + "'";
    }

    void advance() {
        while (pos_ < s_.size() &&
               std::string_view(" \t\r\n").find(s_[pos_]) != std::string_view::npos) {
            ++pos_;
        }
        current_ = Lexeme{};
        current_.position = pos_;
        if (pos_ >= s_.size()) return;
        const char c = s_[pos_];
        if (c == '\'') return readString();
        if (isDigit(c) || (c == '.' && pos_ + 1 < s_.size() && isDigit(s_[pos_ + 1])) ||
            (c == '-' && pos_ + 1 < s_.size() && (isDigit(s_[pos_ + 1]) || s_[pos_ + 1] == '.'))) {
            return readNumber();
        }
        if (isNameStart(c)) return readName();
        readSymbol();
    }

    void readString() {
        current_.kind = Token::String;
        ++pos_;
        while (true) {
            if (pos_ >= s_.size()) {
                fail("unterminated string", current_.position);
                current_.kind = Token::End;
                return;
            }
            if (s_[pos_] == '\'') {
                if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
                    current_.text.push_back('\'');
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return;
            }
            current_.text.push_back(s_[pos_++]);
        }
    }

    void readNumber() {
        current_.kind = Token::Number;
        const std::size_t start = pos_;
        if (s_[pos_] == '-') ++pos_;
        while (pos_ < s_.size() && (isDigit(s_[pos_]) || s_[pos_] == '.')) ++pos_;
        current_.text = std::string(s_.substr(start, pos_ - start));
        if (pos_ < s_.size() && isNameStart(s_[pos_])) {
            fail("a number cannot run into a name", pos_);
        }
    }

    void readName() {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && isNameChar(s_[pos_])) ++pos_;
        current_.text = std::string(s_.substr(start, pos_ - start));
        const std::string word = text::upper(current_.text);
        if (word == "AND") {
            current_.kind = Token::And;
        } else if (word == "OR") {
            current_.kind = Token::Or;
        } else if (word == "UPPER" && pos_ < s_.size() && s_[pos_] == '(') {
            current_.kind = Token::Upper;
            current_.text = "UPPER(";
            ++pos_;
        } else {
            current_.kind = Token::Name;
        }
    }

    void readSymbol() {
        struct Symbol {
            const char* text;
            Token kind;
            CompareOp op;
        };
        static constexpr Symbol kSymbols[] = {
            {"<>", Token::Op, CompareOp::NotEqual},     {"=>", Token::Op, CompareOp::GreaterEqual},
            {">=", Token::Op, CompareOp::GreaterEqual}, {"=<", Token::Op, CompareOp::LessEqual},
            {"<=", Token::Op, CompareOp::LessEqual},    {"=", Token::Op, CompareOp::Equal},
            {"<", Token::Op, CompareOp::Less},          {">", Token::Op, CompareOp::Greater},
            {"~", Token::Not, CompareOp::Equal},        {"(", Token::Open, CompareOp::Equal},
            {")", Token::Close, CompareOp::Equal},
        };
        for (const Symbol& sym : kSymbols) {
            const std::string_view t = sym.text;
            if (s_.substr(pos_, t.size()) == t) {
                current_.kind = sym.kind;
                current_.op = sym.op;
                current_.text = std::string(t);
                pos_ += t.size();
                return;
            }
        }
        std::size_t i = pos_;
        text::decode(s_, i);
        fail("unexpected '" + std::string(s_.substr(pos_, i - pos_)) + "'", pos_);
        current_.kind = Token::End;
    }

    int add(FilterNode node) {
        filter_.nodes_.push_back(std::move(node));
        return static_cast<int>(filter_.nodes_.size()) - 1;
    }

    // A run of operands joined by one connective becomes one node, so that
    // long runs need no deep recursion to evaluate.
    template <typename Next>
    int chain(Token connective, FilterNode::Kind kind, Next next) {
        const int first = (this->*next)();
        if (!ok() || current_.kind != connective) return first;
        FilterNode n;
        n.kind = kind;
        n.terms.push_back(first);
        while (ok() && current_.kind == connective) {
            advance();
            n.terms.push_back((this->*next)());
        }
        return add(std::move(n));
    }

    // Guards recursion: every nested level passes through here.
    int expression() {
        if (++depth_ > kMaxDepth) {
            fail("expression nested too deeply", current_.position);
            return -1;
        }
        const int n = disjunction();
        --depth_;
        return n;
    }

    int disjunction() { return chain(Token::Or, FilterNode::Kind::Or, &FilterParser::conjunction); }
    int conjunction() { return chain(Token::And, FilterNode::Kind::And, &FilterParser::unary); }

    int unary() {
        if (current_.kind != Token::Not) return comparison();
        if (++depth_ > kMaxDepth) {
            fail("expression nested too deeply", current_.position);
            return -1;
        }
        advance();
        FilterNode n;
        n.kind = FilterNode::Kind::Not;
        n.left = unary();
        --depth_;
        return add(std::move(n));
    }

    int comparison() {
        const int left = operand();
        if (!ok() || current_.kind != Token::Op) return left;
        const CompareOp op = current_.op;
        advance();
        const int right = operand();
        FilterNode n;
        n.kind = FilterNode::Kind::Compare;
        n.op = op;
        n.left = left;
        n.right = right;
        return add(std::move(n));
    }

    int operand() {
        if (!ok()) return -1;
        const Lexeme l = current_;
        switch (l.kind) {
            case Token::Number: {
                const auto number = Decimal::parse(l.text);
                if (!number) {
                    fail("'" + l.text + "' is not a number", l.position);
                    return -1;
                }
                advance();
                FilterNode n;
                n.constant = Value::number(*number);
                return add(std::move(n));
            }
            case Token::String: {
                advance();
                FilterNode n;
                n.constant = Value::text(l.text);
                return add(std::move(n));
            }
            case Token::Name: {
                auto bound = names_.resolve(l.text);
                if (!bound) {
                    fail("unknown name '" + l.text + "'", l.position);
                    return -1;
                }
                advance();
                FilterNode n;
                n.kind = FilterNode::Kind::Name;
                n.name = std::move(*bound);
                return add(std::move(n));
            }
            case Token::Upper:
            case Token::Open: {
                advance();
                const int inner = expression();
                if (!ok()) return -1;
                if (current_.kind != Token::Close) {
                    fail(
                        "missing ')' for the '" + l.text + "' at " + std::to_string(l.position + 1),
                        current_.position);
                    return -1;
                }
                advance();
                if (l.kind == Token::Open) return inner;
                FilterNode n;
                n.kind = FilterNode::Kind::Upper;
                n.left = inner;
                return add(std::move(n));
            }
            case Token::End:
                fail("expected a value at the end of the text", l.position);
                return -1;
            default:
                fail("expected a value, found " + describe(l), l.position);
                return -1;
        }
    }

    std::string_view s_;
    const NameBindings& names_;
    std::size_t pos_ = 0;
    Lexeme current_;
    Filter filter_;
    FilterError error_;
    int depth_ = 0;
};

std::variant<Filter, FilterError> Filter::compile(std::string_view text,
                                                  const NameBindings& names) {
    return FilterParser(text, names).run();
}

std::string filterLiteral(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out.push_back('\'');
        out.push_back(c);
    }
    return out + "'";
}

int compareValues(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) {
        const auto c = a.asNumber() <=> b.asNumber();
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (a.isText() && b.isText()) return text::compare(a.asText(), b.asText());
    // A number and a text: as numbers when the text is one, else as texts.
    const Value& textSide = a.isText() ? a : b;
    if (const auto n = textSide.numeric()) {
        const Decimal& x = a.isNumber() ? a.asNumber() : *n;
        const Decimal& y = b.isNumber() ? b.asNumber() : *n;
        const auto c = x <=> y;
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return text::compare(a.toText(), b.toText());
}

bool holds(CompareOp op, int c) {
    switch (op) {
        case CompareOp::Equal:
            return c == 0;
        case CompareOp::NotEqual:
            return c != 0;
        case CompareOp::Less:
            return c < 0;
        case CompareOp::LessEqual:
            return c <= 0;
        case CompareOp::Greater:
            return c > 0;
        case CompareOp::GreaterEqual:
            return c >= 0;
    }
    return false;
}

bool truthOf(const Value& v) {
    if (v.isNumber()) return !v.asNumber().isZero();
    if (const auto n = v.numeric()) return !n->isZero();
    return !text::isBlank(v.asText());
}

Value upperOf(const Value& v) {
    return Value::text(text::upper(v.toText()));
}

Value Filter::valueOf(int n) const {
    const FilterNode& node = nodes_[static_cast<std::size_t>(n)];
    switch (node.kind) {
        case FilterNode::Kind::Constant:
            return node.constant;
        case FilterNode::Kind::Name:
            return node.name.value();
        case FilterNode::Kind::Upper:
            return upperOf(valueOf(node.left));
        case FilterNode::Kind::Not:
            return Value::number(truthOf(valueOf(node.left)) ? 0 : 1);
        case FilterNode::Kind::And:
            for (int t : node.terms) {
                if (!truthOf(valueOf(t))) return Value::number(0);
            }
            return Value::number(1);
        case FilterNode::Kind::Or:
            for (int t : node.terms) {
                if (truthOf(valueOf(t))) return Value::number(1);
            }
            return Value::number(0);
        case FilterNode::Kind::Compare:
            return Value::number(
                holds(node.op, compareValues(valueOf(node.left), valueOf(node.right))));
    }
    return Value();
}

bool sameValue(const Value& a, const Value& b, bool noCase) {
    // Case can only matter between two texts; numbers stay numbers.
    if (noCase && a.isText() && b.isText()) return text::equalNoCase(a.asText(), b.asText());
    return compareValues(a, b) == 0;
}

bool Filter::matches() const {
    return empty() || truthOf(valueOf(root_));
}

}  // namespace bb
