// Records held by a station, kept in a table of the database so that every
// station sees them (with when each was taken, for whoever looks at the
// table). A hold whose station has died is broken once the file's
// lock-recovery time has passed since this station first found the holder
// gone.
#pragma once

#include <cstdint>
#include <string>

#include "platform/storage.h"
#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

class SqliteStorage;

class Holds {
public:
    explicit Holds(SqliteStorage& storage) : storage_(storage) {}

    // Whether any other station holds a record of the file (a quick test
    // before looking at records one by one).
    bool anyByOthers(const std::string& file);
    // Whether another station holds the record; breaks the hold instead when
    // its station has been seen gone for `recoverSeconds`.
    bool heldByOther(const std::string& file, std::int64_t rid, int recoverSeconds);
    // Holds the record for this station; code 43 when another station does.
    DriverStatus take(const std::string& file, std::int64_t rid, int recoverSeconds);
    void release(const std::string& file, std::int64_t rid);

private:
    bool tableExists();
    void remove(const std::string& file, std::int64_t rid, const std::string& station);

    SqliteStorage& storage_;
    bool tableKnown_ = false;
    KeptStatement exists_, find_, break_, take_, any_;
};

}  // namespace bb::sqlite
