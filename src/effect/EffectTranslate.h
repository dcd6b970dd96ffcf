#pragma once
// The one place where effect texts (display names, item names) pass through
// the "Effect" translation table. Until language files are loaded by the
// translation service, every text is shown as built in.

namespace Effect {

// The text to show for a built-in effect text; the argument itself when no
// translation applies. Never null for a non-null argument.
const wchar_t* translateEffectText(const wchar_t* text);

}  // namespace Effect
