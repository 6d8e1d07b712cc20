// Guards that give a variable a value for as long as they live; the value
// it had before comes back after.
#pragma once

#include <utility>

namespace bb {

template <typename T>
class ScopedValue {
public:
    ScopedValue(T& variable, T value) : variable_(variable), previous_(variable) {
        variable_ = std::move(value);
    }
    ~ScopedValue() { variable_ = std::move(previous_); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& variable_;
    T previous_;
};

// A flag raised for as long as the guard lives.
class ScopedFlag : public ScopedValue<bool> {
public:
    explicit ScopedFlag(bool& flag) : ScopedValue<bool>(flag, true) {}
};

}  // namespace bb
