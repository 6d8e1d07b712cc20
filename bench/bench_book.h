// A book of data files that benchmarks build once in the temporary folder
// and keep for later runs.
#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/files.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace bb::bench {

// The folder brokerbook-bench-<name>. Unless it already holds a book whose
// `files` open cleanly (one left by an older build may not), the book is
// made anew: `files` created empty and given their records by `fill` (handed
// them opened, in the same order), in one transaction.
inline std::filesystem::path keptBook(
    const std::string& name, const std::vector<FileId>& files,
    const std::function<void(std::vector<std::unique_ptr<StorageFile>>&)>& fill) {
    const auto folder = std::filesystem::temp_directory_path() / ("brokerbook-bench-" + name);
    if (std::filesystem::exists(folder / kDatabaseName)) {
        auto storage = openSqliteStorage(folder);
        if (std::ranges::all_of(files, [&](FileId file) {
                return storage->file(fileDef(file))->open(kSharedReadWrite).ok();
            }))
            return folder;
        storage.reset();
        std::filesystem::remove_all(folder);
    }
    std::filesystem::create_directories(folder);
    auto storage = openSqliteStorage(folder);
    std::vector<std::unique_ptr<StorageFile>> opened;
    for (FileId file : files) {
        opened.push_back(storage->file(fileDef(file)));
        opened.back()->create();
        opened.back()->open(kSharedReadWrite);
    }
    storage->begin(2000);
    fill(opened);
    storage->commit();
    return folder;
}

// A book of the one data file `file`.
inline std::filesystem::path keptBook(const std::string& name, FileId file,
                                      const std::function<void(StorageFile&)>& fill) {
    return keptBook(name, {file}, [&](std::vector<std::unique_ptr<StorageFile>>& opened) {
        fill(*opened.front());
    });
}

}  // namespace bb::bench
