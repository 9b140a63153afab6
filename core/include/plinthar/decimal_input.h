#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace plinthar {

// Reads a decimal box: spaces and tabs around the number, an optional "+",
// then one or more ASCII digits whose value lies in 0 … 2147483647. Anything
// else yields nothing; a negative number has no port pattern and is refused.
std::optional<std::int32_t> ParseDecimalText(std::string_view text);

}  // namespace plinthar
