#include "storage/postgres/pg_support.h"

#include <charconv>

#include "platform/runtime.h"

namespace bb::postgres {

void Params::field(const Record& record, int field) {
    const FieldDef& f = record.def().fields[static_cast<std::size_t>(field)];
    if (f.isText()) {
        text(record.text(field));
    } else if (f.spec.type == FieldType::Decimal) {
        text(record.decimal(field).toString());
    } else {
        integer(record.integer(field));
    }
}

const char* const* Params::pointers() const {
    pointers_.clear();
    for (const auto& v : values_) pointers_.push_back(v ? v->c_str() : nullptr);
    return pointers_.data();
}

Result& Result::operator=(Result&& other) noexcept {
    if (this != &other) {
        PQclear(result_);
        result_ = other.result_;
        other.result_ = nullptr;
    }
    return *this;
}

bool Result::ok() const {
    if (!result_) return false;
    const ExecStatusType s = PQresultStatus(result_);
    return s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
}

std::string_view Result::value(int row, int column) const {
    return {PQgetvalue(result_, row, column),
            static_cast<std::size_t>(PQgetlength(result_, row, column))};
}

std::int64_t Result::integer(int row, int column) const {
    const std::string_view v = value(row, column);
    std::int64_t out = 0;
    std::from_chars(v.data(), v.data() + v.size(), out);
    return out;
}

std::string Result::state() const {
    const char* s = result_ ? PQresultErrorField(result_, PG_DIAG_SQLSTATE) : nullptr;
    return s ? s : "";
}

std::string Result::message() const {
    const char* m = result_ ? PQresultErrorField(result_, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    return m ? m : "";
}

DriverStatus statusOf(int runtimeCode) {
    DriverStatus s;
    s.code = runtimeCode;
    s.text = errorText(runtimeCode);
    return s;
}

DriverStatus reported(DriverStatus status) {
    setLastError({status.code, status.text, status.engineCode, status.engineText});
    return status;
}

DriverStatus engineFailure(const std::string& words, int engineCode) {
    DriverStatus s = statusOf(code::kDriverError);
    s.engineCode = engineCode;
    s.engineText = words;
    while (!s.engineText.empty() && (s.engineText.back() == '\n' || s.engineText.back() == ' '))
        s.engineText.pop_back();
    return s;
}

namespace {

// An SQLSTATE as a number for the status's engine code: its five characters
// read in base 36, so that every state has its own.
int stateNumber(const std::string& state) {
    int n = 0;
    for (char c : state) n = n * 36 + (c >= 'A' ? c - 'A' + 10 : c - '0');
    return n;
}

}  // namespace

DriverStatus statusFromResult(PGconn* conn, const Result& result) {
    if (result.ok()) return DriverStatus::success();
    const std::string state = result.state();
    if (state == "23505") return statusOf(code::kDuplicateKey);
    if (state == "42501" || state == "25006") return statusOf(code::kAccessDenied);
    if (state.empty() || state.starts_with("08") || PQstatus(conn) != CONNECTION_OK) {
        // The connection is gone: the server has rolled back whatever was open.
        const std::string words =
            result.message().empty() ? PQerrorMessage(conn) : result.message();
        return engineFailure(words.empty() ? "connection to the server lost" : words,
                             stateNumber(state.empty() ? "08006" : state));
    }
    return engineFailure(result.message(), stateNumber(state));
}

std::string identifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

void readField(const Result& result, int row, int column, Record& record, int field) {
    const FieldDef& f = record.def().fields[static_cast<std::size_t>(field)];
    if (result.isNull(row, column)) {
        record.clearField(field);
    } else if (f.isText()) {
        record.setText(field, result.value(row, column));
    } else if (f.spec.type != FieldType::Decimal) {
        record.setInteger(field, result.integer(row, column));
    } else {
        const auto d = Decimal::parse(std::string(result.value(row, column)));
        // A value the field cannot hold (written by some other program)
        // leaves the field zero.
        if (!d || !record.setDecimal(field, *d)) record.clearField(field);
    }
}

int readRecordColumns(const Result& result, int row, int column, Record& into, std::int64_t& rid,
                      std::int64_t& version) {
    rid = result.integer(row, column++);
    version = result.integer(row, column++);
    for (int f = 0; f < into.size(); ++f) readField(result, row, column++, into, f);
    return column;
}

}  // namespace bb::postgres
