// Runs a benchmark with the storage's memory map capped, to weigh the map's
// size against a smaller map or none: BB_BENCH_MAP_BYTES=0 reads without a
// map, another number caps the map at that many bytes; unset, the storage's
// own size holds. The cap is the engine's, for every connection of the
// process, so the plain baselines read under the same cap as the driver.
#pragma once

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace bb::bench {

inline bool capMemoryMap() {
    const char* bytes = std::getenv("BB_BENCH_MAP_BYTES");
    if (!bytes) return false;
    // The engine takes this before its first connection only.
    const sqlite3_int64 cap = std::atoll(bytes);
    if (sqlite3_config(SQLITE_CONFIG_MMAP_SIZE, cap, cap) != SQLITE_OK) {
        std::fprintf(stderr, "the memory map could not be capped\n");
        std::abort();
    }
    std::fprintf(stderr, "memory map capped at %lld bytes\n", static_cast<long long>(cap));
    return true;
}

// Set before main, and so before any connection is opened.
inline const bool kMemoryMapCapped = capMemoryMap();

}  // namespace bb::bench
