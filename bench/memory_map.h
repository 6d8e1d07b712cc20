// Runs a benchmark with its data read through a memory map, to weigh a map
// against none (the storage reads without one): BB_BENCH_MAP_BYTES=N gives
// every connection of the process a map of N bytes; unset, there is none.
// The plain baselines' connections get the same map as the driver's.
#pragma once

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace bb::bench {

inline bool mapMemory() {
    const char* bytes = std::getenv("BB_BENCH_MAP_BYTES");
    if (!bytes) return false;
    // The engine takes this before its first connection only.
    const sqlite3_int64 size = std::atoll(bytes);
    if (sqlite3_config(SQLITE_CONFIG_MMAP_SIZE, size, size) != SQLITE_OK) {
        std::fprintf(stderr, "the memory map could not be set\n");
        std::abort();
    }
    std::fprintf(stderr, "memory map of %lld bytes\n", static_cast<long long>(size));
    return true;
}

// Set before main, and so before any connection is opened.
inline const bool kMemoryMapped = mapMemory();

}  // namespace bb::bench
