#include "web/page_address.h"

#include <cstdint>

namespace zv {

std::optional<double> seedFrom(std::string_view value) {
    // Up to 15 digits are exact in a double, and so is the power of ten that
    // places the point: one division rounds as a browser reads the number.
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (const char c : value) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && count < 15) {
            digits = digits * 10 + std::uint64_t(c - '0');
            ++count;
            if (point) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0) return std::nullopt;
    double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    return double(digits) / scale;
}

}  // namespace zv
