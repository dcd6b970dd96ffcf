#pragma once
// The short decimal text of a real number that rows, prompts and the status
// line show: "%f" (six decimals) with the trailing zeros and then a
// trailing point removed, so 2.5 reads "2.5" and 3.0 reads "3". Any thread.
#include <string>

namespace System {

std::wstring formatDouble(double value);

}  // namespace System
