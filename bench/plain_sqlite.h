// What the benchmarks measure the driver against: a plain SQLite connection
// to the same database, with the same settings as the driver's own (no
// per-call mutex, the same page cache and journal), and a plain
// loop that copies each row's columns into variables, as a program reading
// records would.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "storage/sqlite/connection_settings.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace bb::bench {

// A connection to the database in `folder`, closed when it goes.
class PlainConnection {
public:
    explicit PlainConnection(const std::filesystem::path& folder) {
        sqlite3_open_v2((folder / kDatabaseName).c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite::configureConnection(db_);
    }
    ~PlainConnection() { sqlite3_close_v2(db_); }
    PlainConnection(const PlainConnection&) = delete;
    PlainConnection& operator=(const PlainConnection&) = delete;

    sqlite3* db() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// A statement prepared once, finalized when it goes.
class PlainStatement {
public:
    PlainStatement(sqlite3* db, const std::string& sql) {
        sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr);
        const auto columns = static_cast<std::size_t>(sqlite3_column_count(stmt_));
        texts_.resize(columns);
        numbers_.resize(columns);
    }
    ~PlainStatement() { sqlite3_finalize(stmt_); }
    PlainStatement(const PlainStatement&) = delete;
    PlainStatement& operator=(const PlainStatement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    // The engine's steps spent by the statement since it was prepared.
    std::uint64_t engineSteps() const {
        return static_cast<std::uint64_t>(sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_VM_STEP, 0));
    }

    // Steps through the rows (at most `limit`), copying each row's columns;
    // the rows read. The statement is reset afterwards.
    std::int64_t readRows(std::int64_t limit = -1) {
        std::int64_t rows = 0;
        while (rows != limit && sqlite3_step(stmt_) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(stmt_); ++c) {
                const auto at = static_cast<std::size_t>(c);
                if (sqlite3_column_type(stmt_, c) == SQLITE_TEXT) {
                    texts_[at].assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, c)),
                                      static_cast<std::size_t>(sqlite3_column_bytes(stmt_, c)));
                } else {
                    numbers_[at] = sqlite3_column_int64(stmt_, c);
                }
            }
            ++rows;
        }
        sqlite3_reset(stmt_);
        return rows;
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
    std::vector<std::string> texts_;
    std::vector<sqlite3_int64> numbers_;
};

}  // namespace bb::bench
