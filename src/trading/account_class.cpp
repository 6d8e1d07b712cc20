#include "trading/account_class.h"

#include "platform/text.h"

namespace bb {

std::string_view classWord(std::string_view code) {
    if (text::equal(code, "C")) return "Commission";
    if (text::equal(code, "F")) return "Fee-Based";
    if (text::equal(code, "M")) return "Margin";
    return {};
}

std::string classLine(std::string_view code) {
    const std::string_view word = classWord(code);
    return word.empty() ? std::string() : std::string(word) + " Account";
}

}  // namespace bb
