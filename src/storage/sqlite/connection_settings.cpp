#include "storage/sqlite/connection_settings.h"

#include <sys/vfs.h>

#include <string>

#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

namespace {

bool onNetworkFileSystem(const std::filesystem::path& folder) {
    struct statfs info {};
    if (statfs(folder.c_str(), &info) != 0) return true;  // unknown: take the safe way
    switch (static_cast<unsigned long>(info.f_type)) {
        case 0x6969:      // NFS
        case 0x517B:      // SMB
        case 0xFF534D42:  // CIFS
        case 0xFE534D42:  // SMB2
        case 0x65735546:  // FUSE (sshfs and the like)
        case 0x5346414F:  // AFS
        case 0x01021997:  // 9P
        case 0x00C36400:  // Ceph
        case 0x73757245:  // Coda
            return true;
        default:
            return false;
    }
}

void pragma(sqlite3* db, const std::string& text) {
    sqlite3_exec(db, ("PRAGMA " + text).c_str(), nullptr, nullptr, nullptr);
}

}  // namespace

void configureConnection(sqlite3* db, const std::filesystem::path& folder) {
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kStatementWaitMs);
    registerExtensions(db);
    if (sqlite3_db_readonly(db, "main") != 1) {
        // A rollback journal is safe on a folder shared between machines.
        pragma(db, "journal_mode=DELETE");
        pragma(db, "synchronous=FULL");
    }
    pragma(db, "cache_size=-" + std::to_string(kPageCacheKiB));
    // On a local disk the file is read through a memory map, which spares a
    // copy of every page read. Over a network file system another machine's
    // writes may not reach a mapping in time, so there it is read plainly.
    if (!onNetworkFileSystem(folder)) pragma(db, "mmap_size=" + std::to_string(kMapBytes));
}

}  // namespace bb::sqlite
