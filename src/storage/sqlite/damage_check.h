// A quick look for damage in the database, taken when a station first opens
// it in a run, before the station writes anything: a damaged file is then
// reported at once instead of being met later, and perhaps written into.
//
// The look is the engine's quick check: first the structure of every page
// of every table and key, then the format of every record. The look at the
// records is bounded by a budget of engine steps, so that opening a large
// book stays quick; the engine checks each page it reads later anyway.
// Damage found only on pages of a data file's keys can be mended by
// building the keys again; any other damage cannot.
//
// The look reads the file on a short-lived connection of its own, without
// a memory map and through a small cache, so the pages it reads do not
// stay in the program's memory.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <set>
#include <string>

#include "platform/storage.h"

namespace bb::sqlite {

struct Damage {
    DriverStatus data;             // failed: damage the keys cannot account for
    std::set<std::string> keysOf;  // tables only whose keys are damaged
};

// Engine steps the look at the records may take. With it, the first open
// of a book of a million customers took 0.33 to 0.41 s on the development
// machine (of 100,000, 65 to 95 ms), once per run.
inline constexpr std::uint64_t kDamageCheckSteps = 20'000'000;

// Looks over the database `driver` (the driver's connection) is open on.
Damage lookForDamage(sqlite3* driver, std::uint64_t budgetSteps = kDamageCheckSteps);

}  // namespace bb::sqlite
