// Handing a compiled filter to the engine: the filter's expression written as
// an SQL condition over the view's columns, with the same meaning.
//
// Comparisons whose meaning plain SQL shares exactly (a whole-number column
// against a whole number, a decimal column against a number it can hold
// exactly, a text column against a text, case-blind through the no-case
// collation) are written plainly, so that the engine can seek on an index;
// every other comparison, truth test and UPPER goes through the program's
// own functions (bb_cmp, bb_true, bb_upper), which apply the filter's rules
// themselves. Values the view does not read (variables, other files' fields)
// become parameters, read at each query.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "platform/filter.h"
#include "platform/storage.h"

namespace bb::sqlite {

// A filter's parameters are numbered from here (two for each node: its
// value's kind, then the value), clear of the cursor's own, numbered from 1,
// and of the range's.
inline constexpr int kFilterParameter = 1000;

struct FilterSql {
    std::string condition;        // empty when the filter takes every row
    std::vector<int> parameters;  // nodes whose values are bound when the query runs

    // Binds each parameter node's current value.
    void bind(const Filter& filter, sqlite3_stmt* stmt) const;
};

// `alias(i)` names table i of the view in the SQL ("t0", "t1"...).
FilterSql translateFilter(const Filter& filter, const std::vector<ViewTable>& tables);

// The column of field `field` of view table `table`, as the view's SQL reads
// it (a joined table's missing record reads as blanks).
std::string viewColumn(const std::vector<ViewTable>& tables, int table, int field);

}  // namespace bb::sqlite
