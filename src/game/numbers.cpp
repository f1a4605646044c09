#include "game/numbers.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace zv {
namespace {

template <typename T>
T checked(double value, const char* kind) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max()))
        throw std::overflow_error(std::string(kind) + " overflow");
    return static_cast<T>(rounded);
}

}  // namespace

Integer toInteger(double value) { return checked<Integer>(value, "Integer"); }
Long toLong(double value) { return checked<Long>(value, "Long"); }

Integer addInteger(Integer a, Integer b) { return toInteger(double(a) + double(b)); }
Integer mulInteger(Integer a, Integer b) { return toInteger(double(a) * double(b)); }
Long addLong(Long a, Long b) { return toLong(double(a) + double(b)); }
Long subLong(Long a, Long b) { return toLong(double(a) - double(b)); }

}  // namespace zv
