#pragma once
// The built-in effects in registration order. The order is the default menu
// order: row n gets the order n + 8, after the nine movements. Each row
// also says what its class declares (kind, media, menu category). A row whose
// class is not part of the program yet keeps its number and registers
// nothing, so the orders of the others never shift; an effect joins the
// program by setting its row's function to &registerBuiltinEffect<Class>,
// or to &registerInstalledEffect<number> when its class sits above the
// registry (BuiltinEffectHooks.h).
#include <cstdint>
#include <span>

namespace Effect {

class EffectService;

struct BuiltinEffect {
    int number;              // 1 to 81
    const wchar_t* name;     // the class's display name
    std::uint8_t kind;       // EffectKind
    std::uint8_t media;      // MediaKind
    const wchar_t* category; // the default menu label; empty for none
    void (*registerEffect)(EffectService& service);  // null: not built yet
};

std::span<const BuiltinEffect> builtinEffects();

}  // namespace Effect
