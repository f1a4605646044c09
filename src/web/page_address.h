#pragma once

#include <optional>
#include <string_view>

namespace zv {

// The seed in the page's address (?seed=N), as the page read it: a decimal
// number of at most 15 digits, with or without a fraction. Anything else (an
// empty value, a sign, an exponent, junk) is no seed, and the boards come
// from the time of day as usual.
std::optional<double> seedFrom(std::string_view value);

}  // namespace zv
