#pragma once
// Text object tests: the movements, the pinned fonts and the 2D drawing
// service in place before any item exists, so the process's font list
// holds the test fonts.
#include "effect/EffectTestSupport.h"
#include "effect/item/EffectItemSelect.h"
#include "effect/registry/MediaSources.h"
#include "effects/media/TextInput.h"
#include "media/DrawingFixture.h"

#include <gtest/gtest.h>

namespace TextEffectTest {

class FontServices : protected DrawingTest::Services {
protected:
    FontServices() {
        EffectTest::Movements::install();
        start();
        Effect::connectMediaSources();
    }
    ~FontServices() { stop(); }
    FontServices(const FontServices&) = delete;
    FontServices& operator=(const FontServices&) = delete;

    // The font item's value of an installed family.
    static int fontValue(const wchar_t* family) {
        return Effect::EffectItemFontSelect::getFontList().list.getValue(family);
    }
};

// Installs an inline-script runner for the test's life.
class ScriptRunner {
public:
    explicit ScriptRunner(Effect::TextInput::InlineScriptRunner runner) {
        Effect::TextInput::setInlineScriptRunner(std::move(runner));
    }
    ~ScriptRunner() { Effect::TextInput::setInlineScriptRunner(nullptr); }
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;
};

}  // namespace TextEffectTest
