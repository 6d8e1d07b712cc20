#include "platform/value.h"

#include "platform/text.h"

namespace bb {

std::optional<Decimal> Value::numeric() const {
    if (isNumber()) return asNumber();
    if (text::isBlank(asText())) return Decimal();
    return Decimal::parse(asText());
}

Decimal Value::toNumber() const {
    return numeric().value_or(Decimal());
}

std::string Value::toText() const {
    return isText() ? asText() : asNumber().toString();
}

}  // namespace bb
