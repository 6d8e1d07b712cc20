// The one way into the SQLite engine from outside it: the storage of a data
// folder. Everything else of the engine stays behind the Storage interface.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/storage.h"

namespace bb {

// The storage of a data folder, kept in one SQLite database there
// (`kDatabaseName`). Opening it creates nothing; the database and the files
// are created when the first file is created. With `readOnly` the station
// only reads, as one without write access to the folder does.
std::unique_ptr<Storage> openSqliteStorage(const std::filesystem::path& folder,
                                           bool readOnly = false);
inline constexpr const char* kDatabaseName = "brokerbook.db";

}  // namespace bb
