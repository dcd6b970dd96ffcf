#include "effect/registry/EffectMenuCommands.h"

namespace Effect {

EffectMenuCommands& EffectMenuCommands::installed() {
    static EffectMenuCommands commands;
    return commands;
}

}  // namespace Effect
