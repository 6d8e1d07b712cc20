#include "platform/name_bindings.h"

#include "platform/text.h"

namespace bb {

NameBindings::NameBindings() : scopes_(1) {}

void NameBindings::pushScope() {
    scopes_.emplace_back();
}

void NameBindings::popScope() {
    if (scopes_.size() > 1) scopes_.pop_back();
}

void NameBindings::bindRecord(const Record& record) {
    // Binding a buffer that is bound already changes nothing.
    for (const Scope& scope : scopes_) {
        for (const Record* bound : scope.records) {
            if (bound == &record) return;
        }
    }
    scopes_.back().records.push_back(&record);
}

void NameBindings::bindVariable(std::string name, std::function<Value()> read,
                                BoundName::Kind kind) {
    scopes_.back().variables.push_back({std::move(name), std::move(read), kind});
}

void NameBindings::bindVariable(std::string name, const std::int32_t* number) {
    bindVariable(
        std::move(name), [number] { return Value::number(*number); }, BoundName::Kind::Whole);
}

void NameBindings::bindVariable(std::string name, const std::string* text) {
    bindVariable(
        std::move(name), [text] { return Value::text(*text); }, BoundName::Kind::Text);
}

std::optional<BoundName> NameBindings::resolve(std::string_view name) const {
    const auto colon = name.find(':');
    for (auto scope = scopes_.rbegin(); scope != scopes_.rend(); ++scope) {
        if (colon != std::string_view::npos) {
            const std::string_view prefix = name.substr(0, colon);
            for (auto r = scope->records.rbegin(); r != scope->records.rend(); ++r) {
                const FileDef& def = (*r)->def();
                if (!text::equalNoCase(def.prefix, prefix)) continue;
                if (const auto field = def.findField(name)) {
                    BoundName bound;
                    bound.file = &def;
                    bound.record = *r;
                    bound.field = *field;
                    return bound;
                }
            }
            continue;
        }
        for (auto v = scope->variables.rbegin(); v != scope->variables.rend(); ++v) {
            if (text::equalNoCase(v->name, name)) {
                BoundName bound;
                bound.variable = v->name;
                bound.read = v->read;
                bound.kind = v->kind;
                return bound;
            }
        }
    }
    return std::nullopt;
}

NameBindings& bindings() {
    static NameBindings process;
    return process;
}

}  // namespace bb
