#include "storage/sqlite/sqlite_support.h"

#include "platform/filter.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace bb::sqlite {

namespace {

int compareNoCase(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return text::compareNoCase({static_cast<const char*>(a), static_cast<std::size_t>(lengthA)},
                               {static_cast<const char*>(b), static_cast<std::size_t>(lengthB)});
}

// A filter value handed to the engine as two arguments: its kind (-1 a
// text, 0 a whole number, p > 0 a decimal of p places given in units) and
// the value itself.
Value filterValue(sqlite3_value* kind, sqlite3_value* value) {
    const int k = sqlite3_value_int(kind);
    if (k < 0) {
        const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(value));
        return Value::text(t ? std::string(t, static_cast<std::size_t>(sqlite3_value_bytes(value)))
                             : std::string());
    }
    Decimal::Units units = 0;
    if (sqlite3_value_type(value) == SQLITE_TEXT) {
        if (const auto d = Decimal::parse(reinterpret_cast<const char*>(sqlite3_value_text(value))))
            units = d->units();
    } else {
        units = sqlite3_value_int64(value);
    }
    return Value::number(Decimal::fromUnits(units, k));
}

// bb_cmp(op, kind, a, kind, b): 1 when a op b holds as the filter compares.
void filterCompare(sqlite3_context* context, int, sqlite3_value** args) {
    const auto op = static_cast<CompareOp>(sqlite3_value_int(args[0]));
    const int c = compareValues(filterValue(args[1], args[2]), filterValue(args[3], args[4]));
    sqlite3_result_int(context, holds(op, c) ? 1 : 0);
}

// bb_true(kind, value): 1 when the value counts as true.
void filterTruth(sqlite3_context* context, int, sqlite3_value** args) {
    sqlite3_result_int(context, truthOf(filterValue(args[0], args[1])) ? 1 : 0);
}

// bb_upper(kind, value): the value as an upper-case text.
void filterUpper(sqlite3_context* context, int, sqlite3_value** args) {
    const std::string upper = upperOf(filterValue(args[0], args[1])).asText();
    sqlite3_result_text(context, upper.data(), static_cast<int>(upper.size()), SQLITE_TRANSIENT);
}

}  // namespace

int registerExtensions(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    int rc = sqlite3_create_collation(db, kNoCaseCollation, SQLITE_UTF8, nullptr, compareNoCase);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "bb_cmp", 5, flags, nullptr, filterCompare, nullptr,
                                     nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "bb_true", 2, flags, nullptr, filterTruth, nullptr,
                                     nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "bb_upper", 2, flags, nullptr, filterUpper, nullptr,
                                     nullptr);
    return rc;
}

Statement::Statement(sqlite3* db, std::string_view sql) {
    prepared_ = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                   SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (prepared_ != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : stmt_(other.stmt_), prepared_(other.prepared_) {
    other.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = other.stmt_;
        prepared_ = other.prepared_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void Statement::reset() {
    if (!stmt_) return;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

sqlite3_stmt* KeptStatement::prepare(sqlite3* db, const std::string& text, DriverStatus& status) {
    stmt_ = Statement(db, text);
    if (stmt_.valid()) return stmt_.get();
    status = statusFromEngine(db, stmt_.prepareResult());
    return nullptr;
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

DriverStatus statusFromEngine(sqlite3* db, int result) {
    switch (result & 0xFF) {
        case SQLITE_OK:
        case SQLITE_DONE:
        case SQLITE_ROW:
            return DriverStatus::success();
        case SQLITE_READONLY:
        case SQLITE_PERM:
            return statusOf(code::kAccessDenied);
        case SQLITE_CONSTRAINT:
            if (result == SQLITE_CONSTRAINT_UNIQUE || result == SQLITE_CONSTRAINT_PRIMARYKEY) {
                return statusOf(code::kDuplicateKey);
            }
            break;
        default:
            break;
    }
    DriverStatus s = statusOf(code::kDriverError);
    s.engineCode = result;
    s.damaged = (result & 0xFF) == SQLITE_CORRUPT || (result & 0xFF) == SQLITE_NOTADB;
    s.engineText = db ? sqlite3_errmsg(db) : sqlite3_errstr(result);
    if (s.engineText == "not an error" || s.engineText.empty())
        s.engineText = sqlite3_errstr(result);
    return s;
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

bool storedAsInteger(const FieldDef& field) {
    return field.isInteger() ||
           (field.spec.type == FieldType::Decimal && field.spec.width <= kIntegerDigits);
}

namespace {

std::string unitsText(Decimal::Units units) {
    return Decimal::fromUnits(units, 0).toString();
}

}  // namespace

void bindField(sqlite3_stmt* stmt, int index, const Record& record, int field) {
    const FieldDef& f = record.def().fields[static_cast<std::size_t>(field)];
    if (f.isText()) {
        // The record outlives the statement's run, and every statement has
        // its bindings cleared before it is run again: no copy is needed.
        const std::string& t = record.text(field);
        sqlite3_bind_text(stmt, index, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
    } else if (f.spec.type != FieldType::Decimal) {
        sqlite3_bind_int64(stmt, index, record.integer(field));
    } else if (storedAsInteger(f)) {
        sqlite3_bind_int64(stmt, index, static_cast<sqlite3_int64>(record.decimal(field).units()));
    } else {
        const std::string t = unitsText(record.decimal(field).units());
        sqlite3_bind_text(stmt, index, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
    }
}

void readField(sqlite3_stmt* stmt, int column, Record& record, int field) {
    const FieldDef& f = record.def().fields[static_cast<std::size_t>(field)];
    if (f.isText()) {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        record.setText(
            field,
            t ? std::string_view(t, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)))
              : std::string_view());
    } else if (f.spec.type != FieldType::Decimal) {
        record.setInteger(field, sqlite3_column_int64(stmt, column));
    } else {
        Decimal::Units units = 0;
        if (storedAsInteger(f)) {
            units = sqlite3_column_int64(stmt, column);
        } else if (const auto* t =
                       reinterpret_cast<const char*>(sqlite3_column_text(stmt, column))) {
            if (const auto parsed = Decimal::parse(t)) units = parsed->units();
        }
        // The stored value was written from this field, so it fits; a value
        // that does not (edited outside the program) leaves the field zero.
        if (!record.setUnits(field, units)) record.clearField(field);
    }
}

int readRecordColumns(sqlite3_stmt* stmt, int column, Record& into, std::int64_t& rid,
                      std::int64_t& version) {
    rid = sqlite3_column_int64(stmt, column++);
    version = sqlite3_column_int64(stmt, column++);
    for (int f = 0; f < into.size(); ++f) readField(stmt, column++, into, f);
    return column;
}

}  // namespace bb::sqlite
