#include "platform/record_layout.h"

#include "platform/text.h"

namespace bb {

int FieldDef::storedSize() const {
    switch (spec.type) {
        case FieldType::Long:
            return 4;
        case FieldType::Short:
            return 2;
        case FieldType::Byte:
            return 1;
        case FieldType::String:
            return spec.width;
        case FieldType::Decimal:
            return (spec.width + 1) / 2;  // packed digits and sign
        case FieldType::Memo:
            return 0;
    }
    return 0;
}

int FileDef::fieldCount() const {
    int n = 0;
    for (const FieldDef& f : fields) n += !f.isMemo();
    return n;
}

int FileDef::recordSize() const {
    int size = 0;
    for (const FieldDef& f : fields) size += f.storedSize();
    return size;
}

int FileDef::memoField() const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].isMemo()) return static_cast<int>(i);
    }
    return -1;
}

int FileDef::primaryKey() const {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].primary) return static_cast<int>(i);
    }
    return -1;
}

namespace {

// The name without this file's prefix, or nullopt when it names another file.
std::optional<std::string_view> localName(std::string_view name, std::string_view prefix) {
    name = text::trim(name);
    const auto colon = name.find(':');
    if (colon == std::string_view::npos) return name;
    if (!text::equalNoCase(name.substr(0, colon), prefix)) return std::nullopt;
    return name.substr(colon + 1);
}

template <typename Items>
std::optional<int> findByName(const Items& items, std::string_view name, std::string_view prefix) {
    const auto local = localName(name, prefix);
    if (!local || local->empty()) return std::nullopt;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (text::equalNoCase(items[i].name, *local)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> FileDef::findField(std::string_view name) const {
    return findByName(fields, name, prefix);
}

std::optional<int> FileDef::findKey(std::string_view name) const {
    return findByName(keys, name, prefix);
}

std::string FileDef::qualifiedName(int field) const {
    return prefix + ":" + fields[static_cast<std::size_t>(field)].mixedName;
}

std::string FileDef::qualifiedUpperName(int field) const {
    return prefix + ":" + fields[static_cast<std::size_t>(field)].name;
}

}  // namespace bb
