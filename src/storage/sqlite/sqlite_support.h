// Small pieces that every part of the SQLite engine uses: statement handles,
// turning engine failures into driver statuses, quoting names, and moving
// field values between a Record and a statement.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

#include "platform/record.h"
#include "platform/storage.h"

namespace bb::sqlite {

// The collation of case-insensitive key components: compares the upper-cased
// characters, as filters' UPPER( ) does.
inline constexpr const char* kNoCaseCollation = "BBNOCASE";

// Registers the program's collation and functions on a connection.
int registerExtensions(sqlite3* db);

// A prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement() = default;
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return stmt_ != nullptr; }
    int prepareResult() const { return prepared_; }
    sqlite3_stmt* get() const { return stmt_; }
    // Resets the statement and clears its bindings, ready for the next use.
    void reset();

private:
    sqlite3_stmt* stmt_ = nullptr;
    int prepared_ = SQLITE_OK;
};

// A statement of one shape, prepared on its first use and kept: its text is
// built once, and no later use looks it up or parses it again.
class KeptStatement {
public:
    // The statement, reset and with its bindings cleared; `text()` gives its
    // text the first time. Null (with the failure in `status`) when it cannot
    // be prepared; the next use tries again.
    template <class MakeText>
    sqlite3_stmt* use(sqlite3* db, const MakeText& text, DriverStatus& status) {
        if (stmt_.valid()) {
            stmt_.reset();
            return stmt_.get();
        }
        return prepare(db, text(), status);
    }

private:
    sqlite3_stmt* prepare(sqlite3* db, const std::string& text, DriverStatus& status);

    Statement stmt_;
};

// The status for an engine result code on `db`: the runtime's code where one
// fits (busy or read-only databases, constraint failures), else code 90 with
// the engine's own code and message, marked damaged for a damaged file.
DriverStatus statusFromEngine(sqlite3* db, int result);
DriverStatus statusOf(int runtimeCode);
// Records `status` as the process's last error, as every driver operation
// does, and returns it.
DriverStatus reported(DriverStatus status);

// "NAME" quoted as an SQL identifier.
std::string identifier(std::string_view name);

// The most decimal digits of units that always fit a 64-bit integer
// column; wider numbers are kept and bound as texts.
inline constexpr int kIntegerDigits = 18;

// How a field is kept in its column.
bool storedAsInteger(const FieldDef& field);

// REQUIRES: `record` lives until the statement has run and been reset.
void bindField(sqlite3_stmt* stmt, int index, const Record& record, int field);
void readField(sqlite3_stmt* stmt, int column, Record& record, int field);
// Reads one record's columns of a row, from `column` on (its id, its
// version, then every field as `selectColumns` lists them), into `into`;
// returns the column after them.
int readRecordColumns(sqlite3_stmt* stmt, int column, Record& into, std::int64_t& rid,
                      std::int64_t& version);

}  // namespace bb::sqlite
