// The program's data folder: the storage the data dictionary's managers
// work on. Replacing it lets every manager go of its handles on the old
// storage first. Used from the GUI thread only.
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
