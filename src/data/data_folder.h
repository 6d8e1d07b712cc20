// The storage of the program's data folder: the working directory, unless a
// test has named another. The storage is made on the first use, so starting
// the program touches no file.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/storage.h"

namespace bb {

Storage& dataStorage();
// From now on the data folder is `folder`. REQUIRES: no file is open.
void useDataFolder(const std::filesystem::path& folder);
// From now on the data is kept in `storage` (a test's, that can fail on
// purpose). REQUIRES: no file is open.
void useDataStorage(std::unique_ptr<Storage> storage);

}  // namespace bb
