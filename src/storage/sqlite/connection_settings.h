// How every connection to a data folder's database is set up: the
// program's collation and functions, the journal, the page cache and the
// memory map. The driver's connection gets exactly these settings, and so
// does any plain connection measured against it.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>

namespace bb::sqlite {

// How long a plain statement waits for other stations.
inline constexpr int kStatementWaitMs = 5000;
// Pages kept cached between reads while no other station writes, taken
// only as pages are read. With the map below, reading a file of any size
// through keeps the program under 100 MB.
inline constexpr int kPageCacheKiB = 32 * 1024;
// How much of the database is read through a memory map on a local disk: a
// book of about 100,000 customers whole. Every mapped page read counts as
// the program's resident memory, so a map as large as the file would make
// the program seem to grow without bound as it reads a large file.
inline constexpr std::int64_t kMapBytes = std::int64_t{32} * 1024 * 1024;

// Sets `db` (open on the database in `folder`) up as the driver uses it.
void configureConnection(sqlite3* db, const std::filesystem::path& folder);

}  // namespace bb::sqlite
