// A book of one data file that benchmarks build once in the temporary folder
// and keep for later runs.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "dictionary/files.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace bb::bench {

// The folder brokerbook-bench-<name>. Unless it already holds a book whose
// `file` opens cleanly (one left by an older build may not), the book is
// made anew: `file` created empty and given its records by `fill`, in one
// transaction.
inline std::filesystem::path keptBook(const std::string& name, FileId file,
                                      const std::function<void(StorageFile&)>& fill) {
    const auto folder = std::filesystem::temp_directory_path() / ("brokerbook-bench-" + name);
    if (std::filesystem::exists(folder / kDatabaseName)) {
        if (openSqliteStorage(folder)->file(fileDef(file))->open(kSharedReadWrite).ok())
            return folder;
        std::filesystem::remove_all(folder);
    }
    std::filesystem::create_directories(folder);
    auto storage = openSqliteStorage(folder);
    auto records = storage->file(fileDef(file));
    records->create();
    records->open(kSharedReadWrite);
    storage->begin(2000);
    fill(*records);
    storage->commit();
    return folder;
}

}  // namespace bb::bench
