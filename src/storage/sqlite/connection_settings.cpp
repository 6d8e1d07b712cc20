#include "storage/sqlite/connection_settings.h"

#include <string>

#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

namespace {

void pragma(sqlite3* db, const std::string& text) {
    sqlite3_exec(db, ("PRAGMA " + text).c_str(), nullptr, nullptr, nullptr);
}

}  // namespace

void configureConnection(sqlite3* db) {
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kStatementWaitMs);
    registerExtensions(db);
    if (sqlite3_db_readonly(db, "main") != 1) {
        // A rollback journal is safe on a folder shared between machines.
        pragma(db, "journal_mode=DELETE");
        pragma(db, "synchronous=FULL");
    }
    pragma(db, "cache_size=-" + std::to_string(kPageCacheKiB));
    // Every page is checked as it comes from the file, so that a page gone
    // bad is met as the damage it is by any read or write, not taken for a
    // record that is not there (a change would then be refused as changed
    // by another station). The check cost nothing measurable.
    pragma(db, "cell_size_check=ON");
}

PagesUnchecked::PagesUnchecked(sqlite3* db) : db_(db) {
    pragma(db_, "cell_size_check=OFF");
}

PagesUnchecked::~PagesUnchecked() {
    pragma(db_, "cell_size_check=ON");
}

}  // namespace bb::sqlite
