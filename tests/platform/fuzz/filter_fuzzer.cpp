// libFuzzer entry for the filter parser and evaluator.
#include "filter_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bb::fuzz::runFilter({reinterpret_cast<const char*>(data), size});
    return 0;
}
