// Handing a compiled filter to the server: the parts of the filter's
// expression that plain SQL states with exactly the filter's meaning
// (a number column against a number, a text column against a text,
// upper-cased or not, two columns of one kind, and their NOT, AND and OR)
// written as an SQL condition, every value a parameter. Parts it cannot
// state (a number against a text, whose meaning turns on the text) are
// left out, and the view then tests the whole filter on each row it reads
// besides.
#pragma once

#include <string>
#include <vector>

#include "platform/filter.h"
#include "platform/storage.h"
#include "storage/postgres/pg_schema.h"
#include "storage/postgres/pg_support.h"

namespace bb::postgres {

struct FilterSql {
    std::string condition;  // empty when the server takes every row
    // Whether the condition says all the filter says; otherwise each row
    // is tested too.
    bool complete = true;
    // The nodes whose values are bound when the query runs (parameters
    // first, first + 1...), each as a text or a number.
    struct Parameter {
        int node;
        bool text;
    };
    std::vector<Parameter> parameters;

    void bind(const Filter& filter, Params& params) const;
};

// The filter over the view's tables (table i named "t<i>"), its parameters
// numbered from `first`.
FilterSql translateFilter(const Filter& filter, const std::vector<ViewTable>& tables,
                          const CaseRules& rules, int first);

// The column of field `field` of view table `table`, as the view's SQL reads
// it (a joined table's missing record reads as blanks).
std::string viewColumn(const std::vector<ViewTable>& tables, int table, int field);

}  // namespace bb::postgres
