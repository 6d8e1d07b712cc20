#include "platform/record.h"

#include <cassert>

#include "platform/text.h"

namespace bb {

namespace {

std::int64_t integerMin(FieldType type) {
    return type == FieldType::Short ? INT16_MIN : (type == FieldType::Byte ? 0 : INT32_MIN);
}

std::int64_t integerMax(FieldType type) {
    return type == FieldType::Short ? INT16_MAX : (type == FieldType::Byte ? UINT8_MAX : INT32_MAX);
}

}  // namespace

Record::Record(const FileDef& def) : def_(&def), slots_(def.fields.size()) {
    clear();
}

void Record::clear() {
    for (int i = 0; i < size(); ++i) clearField(i);
}

void Record::clearField(int field) {
    const FieldDef& f = def_->fields[index(field)];
    auto& slot = slots_[index(field)];
    if (f.isText()) {
        slot = std::string();
    } else if (f.spec.type == FieldType::Decimal) {
        slot = Decimal::fromUnits(0, f.spec.places);
    } else {
        slot = std::int32_t{0};
    }
}

void Record::setInteger(int field, std::int64_t value) {
    switch (def_->fields[index(field)].spec.type) {
        case FieldType::Short:
            slots_[index(field)] = static_cast<std::int32_t>(static_cast<std::int16_t>(value));
            break;
        case FieldType::Byte:
            slots_[index(field)] = static_cast<std::int32_t>(static_cast<std::uint8_t>(value));
            break;
        default:
            slots_[index(field)] = static_cast<std::int32_t>(value);
    }
}

void Record::setText(int field, std::string_view value) {
    auto& slot = std::get<std::string>(slots_[index(field)]);
    const std::size_t width = def_->fields[index(field)].spec.width;
    // Most values already fit; assigning in place keeps the slot's storage.
    if (value.size() <= width && (value.empty() || value.back() != ' ')) {
        slot.assign(value);
    } else {
        slot = text::fit(value, width);
    }
}

bool Record::setDecimal(int field, const Decimal& value) {
    const FieldSpec& spec = def_->fields[index(field)].spec;
    if (!value.fits(spec.width, spec.places)) return false;
    slots_[index(field)] = value.rescaled(spec.places);
    return true;
}

bool Record::setUnits(int field, Decimal::Units units) {
    const FieldSpec& spec = def_->fields[index(field)].spec;
    if (!Decimal::unitsFit(units, spec.width)) return false;
    std::get<Decimal>(slots_[index(field)]) = Decimal::fromUnits(units, spec.places);
    return true;
}

void Record::copyField(const Record& from, int field) {
    assert(from.def_ == def_);
    slots_[index(field)] = from.slots_[index(field)];
}

Value Record::get(int field) const {
    const FieldDef& f = def_->fields[index(field)];
    if (f.isText()) return Value::text(text(field));
    if (f.spec.type == FieldType::Decimal) return Value::number(decimal(field));
    return Value::number(integer(field));
}

bool Record::set(int field, const Value& value) {
    const FieldDef& f = def_->fields[index(field)];
    if (f.isText()) {
        setText(field, value.toText());
        return true;
    }
    const auto number = value.numeric();
    if (!number) return false;
    if (f.spec.type == FieldType::Decimal) return setDecimal(field, *number);
    // Whole numbers take the whole part, as assigning a decimal to a LONG
    // does; a value outside the field's range is refused, not wrapped.
    const Decimal whole = number->wholePart();
    if (whole < Decimal(integerMin(f.spec.type)) || whole > Decimal(integerMax(f.spec.type))) {
        return false;
    }
    setInteger(field, whole.toInt64());
    return true;
}

bool Record::keyIsBlank(int key) const {
    for (const KeyComponent& c : def_->keys[index(key)].components) {
        const Value v = get(c.field);
        if (v.isText() ? !v.asText().empty() : !v.asNumber().isZero()) return false;
    }
    return true;
}

bool operator==(const Record& a, const Record& b) {
    return a.def_ == b.def_ && a.slots_ == b.slots_;
}

}  // namespace bb
