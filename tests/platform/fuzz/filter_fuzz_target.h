// The filter fuzz target's body, shared by the fuzzer and by the regression
// test that replays the inputs it once crashed on: compile the bytes as a
// filter over a small record and two variables, and evaluate what compiles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace bb::fuzz {

void runFilter(std::string_view text);

}  // namespace bb::fuzz
