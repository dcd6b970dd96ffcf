#include "effect/StdConvert.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <stdexcept>

namespace Effect::StdConvert {

int toInt(const std::string& text, int base) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, base);
    if (end == begin) throw std::invalid_argument("invalid stoi argument");
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
        throw std::out_of_range("stoi argument out of range");
    return static_cast<int>(value);
}

double toDouble(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin) throw std::invalid_argument("invalid stod argument");
    if (errno == ERANGE) throw std::out_of_range("stod argument out of range");
    return value;
}

void throwMissingMapKey() { throw std::out_of_range("invalid map<K, T> key"); }

void throwMissingUnorderedMapKey() { throw std::out_of_range("invalid unordered_map<K, T> key"); }

}  // namespace Effect::StdConvert
