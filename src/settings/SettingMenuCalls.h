#pragma once
// What the object settings window asks of the menus built above it: the
// effect menus made from the menu definitions (add a filter, switch the
// input or output, switch to an effect of the same label) and the slider
// settings dialog. The program installs them at start-up; an empty entry
// leaves its item greyed, or shows a plain list of the registered filters
// for the add-filter menus.
#include "edit/model/Object.h"
#include "window/WindowMenuEntry.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace Component {

// Kinds of the effect menus.
enum EffectMenuCode : int { InputEffectMenu = 1, OutputEffectMenu = 2, FilterEffectMenu = 201 };
// Kinds of the switch menus.
enum EffectSelectMenuKind : int { SelectFilter = 0, SelectInput = 1, SelectControl = 2 };

struct SettingMenuCalls {
    // The entries of an effect menu for the object and media: a chosen
    // filter is added after `position` (at the end when null); a chosen
    // input or output replaces the object's own.
    std::function<Window::MenuEntries(const Edit::ObjectPointer& object, int code, std::uint8_t media,
                                      const Effect::EffectBase* position)>
        effectMenu;
    // The entries of effects with the same label as the effect; a choice
    // replaces it.
    std::function<Window::MenuEntries(const Edit::ObjectPointer& object,
                                      const std::shared_ptr<Effect::EffectBase>& effect, int kind)>
        effectSelectMenu;
    // The slider settings dialog over the two values; true on OK.
    std::function<bool(int& moveMode, int& moveRatio)> sliderSettingDialog;

    static SettingMenuCalls& installed();
};

// The menu of the object's filters when no effect menu is installed: every
// registered filter that fits the media, added after the position.
Window::MenuEntries plainFilterMenu(const Edit::ObjectPointer& object, std::uint8_t media,
                                    const Effect::EffectBase* position);
// The media the add-filter menus offer for the object: the first effect's
// target, or the output's media for an input whose target is video and
// audio.
std::uint8_t filterMenuMedia(const Edit::Object& object);

}  // namespace Component
