// The one way into the PostgreSQL engine from outside it.
#pragma once

#include <memory>

#include "platform/storage.h"
#include "storage/postgres/connection_file.h"

namespace bb {

// The storage kept in the database `settings` names. Opening it connects to
// nothing; the connection opens on the first use.
std::unique_ptr<Storage> openPostgresStorage(postgres::ConnectionFile settings);

}  // namespace bb
