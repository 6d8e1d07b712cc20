#include "dictionary/files.h"

#include <memory>
#include <vector>

#include "platform/text.h"

namespace bb {

namespace {

KeyDef makeKey(const char* name, const char* description, unsigned attributes, int autoInc,
               std::vector<KeyComponent> components) {
    KeyDef k;
    k.name = name;
    k.description = description;
    k.components = std::move(components);
    k.unique = attributes & kUnique;
    k.noCase = attributes & kNoCase;
    k.blankExcluded = attributes & kBlankExcluded;
    k.primary = attributes & kPrimary;
    k.autoInc = autoInc;
    return k;
}

#define BB_FIELD_DEF(name, mixed, spec) ::bb::FieldDef{#name, mixed, spec},
#define BB_KEY_DEF(name, description, attributes, autoInc, ...) \
    makeKey(#name, description, attributes, autoInc, {__VA_ARGS__}),
#define ASC(f)           \
    ::bb::KeyComponent { \
        field::f, true   \
    }
#define DESC(f)          \
    ::bb::KeyComponent { \
        field::f, false  \
    }
#define BB_BUILD_FILE(label, prefix, stored, list)       \
    [] {                                                 \
        using namespace prefix;                          \
        return FileDef{#label,                           \
                       #prefix,                          \
                       stored,                           \
                       {list(BB_FIELD_DEF, BB_NOTHING)}, \
                       {list(BB_NOTHING, BB_KEY_DEF)}};  \
    }(),

const std::vector<FileDef>& allFiles() {
    static const std::vector<FileDef> files = {BB_ALL_FILES(BB_BUILD_FILE)};
    return files;
}

#undef BB_BUILD_FILE
#undef DESC
#undef ASC
#undef BB_KEY_DEF
#undef BB_FIELD_DEF

// The buffers live as long as the process: every procedure shares them.
std::vector<std::unique_ptr<Record>>& allBuffers() {
    static std::vector<std::unique_ptr<Record>> buffers = [] {
        std::vector<std::unique_ptr<Record>> b;
        for (const FileDef& def : allFiles()) b.push_back(std::make_unique<Record>(def));
        return b;
    }();
    return buffers;
}

}  // namespace

const FileDef& fileDef(FileId id) {
    return allFiles()[static_cast<std::size_t>(id)];
}

Record& buffer(FileId id) {
    return *allBuffers()[static_cast<std::size_t>(id)];
}

const std::array<FileId, kFileCount>& dictionaryOrder() {
    static const std::array<FileId, kFileCount> order = [] {
        std::array<FileId, kFileCount> o{};
        for (int i = 0; i < kFileCount; ++i)
            o[static_cast<std::size_t>(i)] = static_cast<FileId>(i);
        return o;
    }();
    return order;
}

std::optional<FileId> fileByLabel(std::string_view label) {
    for (FileId id : dictionaryOrder()) {
        if (text::equalNoCase(fileDef(id).label, label)) return id;
    }
    return std::nullopt;
}

std::optional<FileId> fileByPrefix(std::string_view prefix) {
    for (FileId id : dictionaryOrder()) {
        if (text::equalNoCase(fileDef(id).prefix, prefix)) return id;
    }
    return std::nullopt;
}

std::optional<FieldLocation> findField(std::string_view qualifiedName) {
    const std::string_view name = text::trim(qualifiedName);
    const auto colon = name.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto file = fileByPrefix(name.substr(0, colon));
    if (!file) return std::nullopt;
    const auto field = fileDef(*file).findField(name);
    if (!field) return std::nullopt;
    return FieldLocation{*file, *field};
}

}  // namespace bb
