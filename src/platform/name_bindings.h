// Names that filter expressions can use: the fields of bound record buffers,
// by prefix and name ("TRN:BuySell" is the field BUYSELL of the buffer bound
// under prefix TRN), and named procedure variables of any value type
// (`StartDate`, `FeeCommChoice`, `LastNameFirst`). Names compare without
// regard to case.
//
// Bindings live in scopes: a window pushes a scope when it sets up and pops
// it when it tears down, so a name it bound disappears with it. A lookup
// searches the innermost scope first. The process has one set of bindings,
// used from the GUI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/record.h"
#include "platform/value.h"

namespace bb {

// What a name stands for once it is resolved.
struct BoundName {
    // A field: its file's layout, the buffer it is read from, its number.
    const FileDef* file = nullptr;
    const Record* record = nullptr;
    int field = -1;
    // A variable: its name as bound, how to read its current value, and
    // what kind of value it always holds, when that is known.
    enum class Kind : std::uint8_t { Any, Whole, Text };
    std::string variable;
    std::function<Value()> read;
    Kind kind = Kind::Any;

    bool isField() const { return file != nullptr; }
    Value value() const { return isField() ? record->get(field) : read(); }
};

class NameBindings {
public:
    NameBindings();

    void pushScope();
    // Drops the innermost scope and everything bound in it; the outermost
    // scope is never dropped.
    void popScope();
    int depth() const { return static_cast<int>(scopes_.size()); }

    // Binds every field of `record` under its file's prefix (once: a buffer
    // bound in any scope stays as it is).
    void bindRecord(const Record& record);
    // Binds a variable; `read` gives its value at the time of each use.
    void bindVariable(std::string name, std::function<Value()> read,
                      BoundName::Kind kind = BoundName::Kind::Any);
    // Variables held in the caller's storage; they always hold whole
    // numbers, or texts.
    void bindVariable(std::string name, const std::int32_t* number);
    void bindVariable(std::string name, const std::string* text);

    std::optional<BoundName> resolve(std::string_view name) const;

private:
    struct Variable {
        std::string name;
        std::function<Value()> read;
        BoundName::Kind kind;
    };
    struct Scope {
        std::vector<const Record*> records;
        std::vector<Variable> variables;
    };
    std::vector<Scope> scopes_;
};

// The process's bindings.
NameBindings& bindings();

// Pushes a scope for as long as it lives.
class BindingScope {
public:
    explicit BindingScope(NameBindings& b = bindings()) : b_(b) { b_.pushScope(); }
    ~BindingScope() { b_.popScope(); }
    BindingScope(const BindingScope&) = delete;
    BindingScope& operator=(const BindingScope&) = delete;

private:
    NameBindings& b_;
};

}  // namespace bb
