#include "platform/list_format.h"

namespace bb {

namespace {

// A recursive-descent reader over one format text; `error` holds the first
// failure and stops all further reading.
class FormatReader {
public:
    explicit FormatReader(std::string_view text) : s_(text) {}

    std::optional<ListFormat> read(std::string* error) {
        ListFormat format;
        while (ok() && pos_ < s_.size()) {
            if (s_[pos_] == '[') {
                readGroup(format);
            } else {
                readColumn(format);
            }
        }
        if (ok() && format.columns.empty()) fail("no columns");
        if (!ok()) {
            if (error) *error = error_;
            return std::nullopt;
        }
        return format;
    }

private:
    bool ok() const { return error_.empty(); }
    bool at(char c) const { return pos_ < s_.size() && s_[pos_] == c; }

    void fail(const std::string& why) {
        if (ok()) error_ = "list format at " + std::to_string(pos_ + 1) + ": " + why;
    }

    int number(const char* what) {
        int n = 0;
        const std::size_t start = pos_;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9' && pos_ - start < 6) {
            n = n * 10 + (s_[pos_++] - '0');
        }
        if (pos_ == start) fail(std::string("expected ") + what);
        return n;
    }

    // "(" n ")" when present.
    int optionalParenthesised(const char* what) {
        if (!at('(')) return 0;
        ++pos_;
        const int n = number(what);
        if (!at(')')) fail("expected ')'");
        ++pos_;
        return n;
    }

    bool justification(Justify& justify) {
        if (pos_ >= s_.size()) return false;
        switch (s_[pos_]) {
            case 'L':
            case 'R':
            case 'C':
            case 'D':
                justify = static_cast<Justify>(s_[pos_++]);
                return true;
            default:
                return false;
        }
    }

    void header(ListHeader& h) {
        ++pos_;  // '~'
        const std::size_t end = s_.find('~', pos_);
        if (end == std::string_view::npos) return fail("unterminated header");
        h.present = true;
        h.text = std::string(s_.substr(pos_, end - pos_));
        pos_ = end + 1;
        if (justification(h.justify)) {
            h.justifyGiven = true;
            h.indent = optionalParenthesised("header indent");
        }
    }

    // Flags of a column; stops at anything that is not one.
    void flags(ListColumn& c) {
        while (ok() && pos_ < s_.size()) {
            switch (s_[pos_]) {
                case '|':
                    c.rightBorder = true;
                    break;
                case 'M':
                    c.resizable = true;
                    break;
                case '*':
                    c.colored = true;
                    break;
                case 'T':
                    c.tree = true;
                    break;
                case '/':
                    c.newLine = true;
                    break;
                case '_':
                    c.underline = true;
                    break;
                case 'F':
                    c.fixed = true;
                    break;
                case 'Y':
                    c.styled = true;
                    break;
                case 'I':
                    c.icon = true;
                    break;
                case 'J':
                    c.transparentIcon = true;
                    break;
                case '#':
                    ++pos_;
                    c.fieldNumber = number("field number");
                    if (!at('#')) return fail("expected '#' after the field number");
                    break;
                default:
                    return;
            }
            ++pos_;
        }
    }

    void readColumn(ListFormat& format) {
        ListColumn c;
        c.width = number("column width");
        if (!ok()) return;
        if (!justification(c.justify)) return fail("expected L, R, C or D");
        c.indent = optionalParenthesised("indent");
        flags(c);
        if (at('~')) header(c.header);
        flags(c);
        if (!ok()) return;
        if (!at('@')) return fail("expected '@' before the picture");
        const std::size_t end = s_.find('@', pos_ + 1);
        if (end == std::string_view::npos) return fail("unterminated picture");
        std::string why;
        c.picture = Picture::compile(s_.substr(pos_, end - pos_), &why);
        if (!c.picture) return fail(why);
        pos_ = end + 1;
        flags(c);
        format.columns.push_back(std::move(c));
    }

    void readGroup(ListFormat& format) {
        ++pos_;  // '['
        ListGroup g;
        g.firstColumn = static_cast<int>(format.columns.size());
        while (ok() && !at(']')) {
            if (pos_ >= s_.size()) return fail("unterminated group");
            if (at('[')) return fail("groups do not nest");
            readColumn(format);
        }
        if (!ok()) return;
        ++pos_;  // ']'
        g.columnCount = static_cast<int>(format.columns.size()) - g.firstColumn;
        if (g.columnCount == 0) return fail("empty group");
        g.width = optionalParenthesised("group width");
        if (at('|')) g.rightBorder = true, ++pos_;
        if (at('~')) header(g.header);
        const int index = static_cast<int>(format.groups.size());
        for (int k = 0; k < g.columnCount; ++k) format.columns[g.firstColumn + k].group = index;
        format.groups.push_back(std::move(g));
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    std::string error_;
};

}  // namespace

std::optional<ListFormat> ListFormat::parse(std::string_view text, std::string* error) {
    return FormatReader(text).read(error);
}

}  // namespace bb
