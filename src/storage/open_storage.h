// The storage of a data folder, whichever engine keeps it: the PostgreSQL
// database that the folder's connection file names, or else the SQLite
// database in the folder itself.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/storage.h"

namespace bb {

// With `readOnly` a folder kept in SQLite is only read (a station without
// write access to the folder); a server decides that by its own grants.
std::unique_ptr<Storage> openDataStorage(const std::filesystem::path& folder,
                                         bool readOnly = false);

}  // namespace bb
