// The storage (the file driver) over one data folder: the working
// directory, unless a test has named another, kept in one SQLite database
// there, or in the PostgreSQL database its connection file names. It is
// made on its first use, so starting the program touches no file.
//
// The data dictionary owns the program's one FolderStorage and every
// handle taken on it (through its file managers), and lets go of the
// handles before the storage is replaced or destroyed: no handle outlives
// the storage that made it. Used from the GUI thread only.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/storage.h"

namespace bb {

class FolderStorage {
public:
    Storage& storage();
    // From now on the data folder is `folder`, or the data is kept in
    // `storage` (a test's, that can fail on purpose). REQUIRES: no handle on
    // the current storage is left.
    void useFolder(const std::filesystem::path& folder);
    void useStorage(std::unique_ptr<Storage> storage);

private:
    std::filesystem::path folder_ = ".";
    std::unique_ptr<Storage> storage_;
};

}  // namespace bb
