// Small pieces that every part of the PostgreSQL engine uses: results owned
// by a scope, parameters handed to the server as texts, turning server
// failures into driver statuses, quoting names, and moving field values
// between a Record and the server's text form.
#pragma once

#include <libpq-fe.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/record.h"
#include "platform/storage.h"

namespace bb::postgres {

// A statement's parameters, each a text the server reads by the parameter's
// type (or NULL). Values are never written into the statement itself.
class Params {
public:
    void text(std::string_view value) { values_.emplace_back(std::string(value)); }
    void integer(std::int64_t value) { values_.emplace_back(std::to_string(value)); }
    void null() { values_.emplace_back(std::nullopt); }
    // A field's value as its column takes it.
    void field(const Record& record, int field);
    int size() const { return static_cast<int>(values_.size()); }
    const char* const* pointers() const;

private:
    std::vector<std::optional<std::string>> values_;
    mutable std::vector<const char*> pointers_;
};

// A server's answer, freed when it goes out of scope.
class Result {
public:
    explicit Result(PGresult* result = nullptr) : result_(result) {}
    ~Result() { PQclear(result_); }
    Result(Result&& other) noexcept : result_(other.result_) { other.result_ = nullptr; }
    Result& operator=(Result&& other) noexcept;
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;

    bool ok() const;
    int rows() const { return result_ ? PQntuples(result_) : 0; }
    std::string_view value(int row, int column) const;
    bool isNull(int row, int column) const { return PQgetisnull(result_, row, column) == 1; }
    std::int64_t integer(int row, int column) const;
    // The five-character SQLSTATE; empty when the server gave none.
    std::string state() const;
    std::string message() const;
    PGresult* get() const { return result_; }

private:
    PGresult* result_;
};

DriverStatus statusOf(int runtimeCode);
// Records `status` as the process's last error, as every driver operation
// does, and returns it.
DriverStatus reported(DriverStatus status);
// The status for a failed result on `conn`: the runtime's code where one
// fits (a duplicate key, no access), else code 90 with the server's own
// words; a connection lost is code 90 with what the client library saw.
DriverStatus statusFromResult(PGconn* conn, const Result& result);
// Code 90 with the server's (or the client library's) words.
DriverStatus engineFailure(const std::string& words, int engineCode);

// "NAME" quoted as an SQL identifier.
std::string identifier(std::string_view name);

// Reads a field from its column's text form (NULL reads blank).
void readField(const Result& result, int row, int column, Record& record, int field);
// Reads one record's columns of a row, from `column` on (its id, its
// version, then every field); returns the column after them.
int readRecordColumns(const Result& result, int row, int column, Record& into, std::int64_t& rid,
                      std::int64_t& version);

}  // namespace bb::postgres
