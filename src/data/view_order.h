// Order texts of views. A window writes an order as text: fields of the
// view's files joined by ",", a descending one preceded by "-", one compared
// without regard to case written "UPPER(" name ")", and a key's name standing
// for its components. The view manager reads such a text once, here, into
// the columns the storage orders by; an order that still follows its key
// takes the key's columns as the dictionary declares them.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/record_layout.h"
#include "platform/storage.h"

namespace bb {

// The columns of `text` over the view's files (the first is the primary
// one), or why a part of it is not a field or key of the view.
std::variant<std::vector<ViewOrderTerm>, std::string> readViewOrder(
    std::string_view text, const std::vector<const FileDef*>& files);

// The components of key `key` of view file `table` as order columns.
std::vector<ViewOrderTerm> keyOrder(const FileDef& def, int key, int table = 0);

}  // namespace bb
