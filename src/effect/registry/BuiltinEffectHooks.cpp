#include "effect/registry/BuiltinEffectHooks.h"

#include <array>

namespace Effect {

namespace {

// One slot per row of the built-in table (numbers 1 to 81).
std::array<BuiltinEffectRegistrar, 82>& hooks() {
    static std::array<BuiltinEffectRegistrar, 82> table{};
    return table;
}

}  // namespace

void installBuiltinEffect(int number, BuiltinEffectRegistrar registrar) {
    if (number > 0 && number < static_cast<int>(hooks().size())) hooks()[static_cast<std::size_t>(number)] = registrar;
}

BuiltinEffectRegistrar installedBuiltinEffect(int number) {
    if (number <= 0 || number >= static_cast<int>(hooks().size())) return nullptr;
    return hooks()[static_cast<std::size_t>(number)];
}

}  // namespace Effect
