#pragma once
// The one place where effect texts (display names, item names, movement
// names) pass through the "Effect" translation table of the language file
// in force.

namespace Effect {

// The text to show for a built-in effect text; the argument itself when no
// language file is loaded or the table has no translation. Never null for a
// non-null argument. Any thread.
const wchar_t* translateEffectText(const wchar_t* text);

}  // namespace Effect
