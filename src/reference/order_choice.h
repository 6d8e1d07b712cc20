// The choice between a list's sort orders ("by Name", "by Number") made
// with radio buttons under the list: the window variable kOrder holds the
// chosen radio's value, and each order is chosen by its value. The window
// sets the first order's value when it opens. Used from the GUI thread only.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "ui/window_decl.h"

namespace bb {

inline constexpr TextVariable kOrder{"Order", 10};

// `order`, chosen while kOrder holds `value`; a change of choice reloads the list.
inline SortDecl chosenBy(std::string_view value, SortDecl order) {
    order.resets = {{.local = kOrder.name()}};
    order.local = kOrder;
    order.value = value;
    return order;
}

inline FieldDecl orderOption(std::vector<RadioDecl> radios) {
    return {.kind = ControlKind::Option,
            .local = kOrder,
            .prompt = "&Order",
            .message = "Choose the order of the list",
            .radios = std::move(radios)};
}

}  // namespace bb
