// An account's class as the windows word it. The class is stored as one
// character that every transaction of the account copies: "C" a commission
// account, "F" a fee-based account, "M" a margin account. Pure functions;
// any thread.
#pragma once

#include <string>
#include <string_view>

namespace bb {

// "Commission", "Fee-Based" or "Margin"; empty for any other code.
std::string_view classWord(std::string_view code);

// The class line under an account list: the class word and " Account";
// empty for a code without a word.
std::string classLine(std::string_view code);

}  // namespace bb
