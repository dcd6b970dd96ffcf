#pragma once
// A movement kind whose values a script computes. Its properties come from
// comment lines of its own script text (the header): two-point values,
// accelerate and decelerate options, default parameters, time control, the
// script language, a menu label and an information text.
#include "effect/movement/MovementBase.h"

#include <string>

namespace Effect {

class ScriptMovement : public MovementBase {
public:
    // Starts with per-boundary values, no options, no parameters, anchors at
    // every frame, listed in menus, not time-controlled.
    ScriptMovement(std::wstring scriptName, std::string text, std::wstring folder);

    // The script's number; a standard exception raised by the script is
    // logged as a warning and gives 0.
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;

    // Reads the header into the options. A "--label" line writes into label
    // when one is given. A malformed line stops the reading with a warning;
    // what was read before stays. Without a "--script" line the language is
    // defaultLanguage (null: the default language).
    void makeScriptParams(std::wstring* label, const char* defaultLanguage);

    const std::wstring scriptName;  // `name` points here
    std::wstring information;
    std::wstring folder;
    std::string text;  // UTF-8
    // Key of the script language; empty for the default language.
    std::string language;

private:
    // Runs the script for one value.
    double runScript(const EffectItemNumber& item, const SectionPosition& position,
                     const Render::ObjectContextBase& context) const;
    // One "--" line; returns whether it set the language.
    bool readDirective(const std::string& line, std::wstring* label);
};

}  // namespace Effect
