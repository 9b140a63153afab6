#include <cstddef>
#include <cstdint>
#include <span>

#include "invariants.h"

// The entry point that libFuzzer calls, and that the corpus runner calls for
// each file when no fuzzer is linked in.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plinthar::fuzz::RunOperationScript(std::span<const std::uint8_t>(data, size));
  return 0;
}
