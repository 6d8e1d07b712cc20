#include "storage/open_storage.h"

#include "storage/postgres/connection_file.h"
#include "storage/postgres/open_postgres_storage.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace bb {

std::unique_ptr<Storage> openDataStorage(const std::filesystem::path& folder, bool readOnly) {
    if (auto settings = postgres::readConnectionFile(folder))
        return openPostgresStorage(std::move(*settings));
    return openSqliteStorage(folder, readOnly);
}

}  // namespace bb
