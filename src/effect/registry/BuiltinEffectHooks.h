#pragma once
// Built-in effects whose classes sit above the registry (the outputs live
// with the rendering) register through a hook their layer installs before
// the registry is built. A row of the built-in table names its hook by
// number; a row whose hook is not installed registers nothing.
namespace Effect {

class EffectService;

using BuiltinEffectRegistrar = void (*)(EffectService& service);

// Installed on the user-interface thread before the registry is made.
void installBuiltinEffect(int number, BuiltinEffectRegistrar registrar);
BuiltinEffectRegistrar installedBuiltinEffect(int number);

// The row function of a hooked built-in effect.
template <int Number>
void registerInstalledEffect(EffectService& service) {
    if (BuiltinEffectRegistrar registrar = installedBuiltinEffect(Number)) registrar(service);
}

}  // namespace Effect
