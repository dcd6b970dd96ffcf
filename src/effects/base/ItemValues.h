#pragma once
// How effects read their number items as whole numbers: rounded to the
// nearest integer, halves away from zero; a value that does not fit an int
// gives 0.
#include <cmath>
#include <limits>

namespace Effect {

inline int roundToInt(double value) {
    const double rounded = std::round(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<int>::max())))
        return 0;
    return static_cast<int>(rounded);
}

}  // namespace Effect
