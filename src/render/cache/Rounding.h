#pragma once
// Rounding of media times and rates: half away from zero, saturated to the
// target type; NaN gives 0.
#include <cmath>
#include <cstdint>
#include <limits>

namespace Cache {

template <class T>
T roundSaturated(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::round(value);
    if (rounded <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(rounded);
}

}  // namespace Cache
