// How every connection to a data folder's database is set up: the
// program's collation and functions, the journal and the page cache. The
// driver's connection gets exactly these settings, and so does any plain
// connection measured against it.
#pragma once

#include <sqlite3.h>

namespace bb::sqlite {

// How long a plain statement waits for other stations.
inline constexpr int kStatementWaitMs = 5000;
// Pages kept cached between reads while no other station writes, taken
// only as pages are read: reading a file of any size through keeps the
// program under 100 MB.
//
// The file is read through this cache only, never through a memory map: a
// mapped page read counts as the program's resident memory on top of the
// cache, and a map spared too little to pay for it. Measured in one run,
// a 32 MiB map against none: 20-row pages and the month-of-trades view
// equal within the machine's noise, a million customers read through
// 3.9 s against 4.3 s, but the peak resident size 76 MB against 44 MB, and
// a list moving over 100,000 customers 49 MB against 34 MB.
inline constexpr int kPageCacheKiB = 32 * 1024;

// Sets `db` up as the driver uses it. The engine's own memory map size
// (none) is left as it is, so that a benchmark can give its process a map
// to weigh one against none.
void configureConnection(sqlite3* db);

// While one lives, pages are not checked as they come from the file (as
// configureConnection has them checked): a damaged key is dropped through
// the headers of its pages alone, and must not be refused for what their
// cells hold before it is built again.
class PagesUnchecked {
public:
    explicit PagesUnchecked(sqlite3* db);
    ~PagesUnchecked();
    PagesUnchecked(const PagesUnchecked&) = delete;
    PagesUnchecked& operator=(const PagesUnchecked&) = delete;

private:
    sqlite3* db_;
};

}  // namespace bb::sqlite
