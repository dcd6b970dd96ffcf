#pragma once
// Hands the registry the built-in media objects and filters of this folder,
// each in its row of the built-in table. Called before the effect registry
// is made.
namespace Effect {

void installBuiltinEffects();

}  // namespace Effect
