#pragma once
// The popups listing what is registered at run time: effects and aliases
// (to add an object, add or switch an effect), movements, preset colours
// and fonts. Each definition's label is a backslash-separated group path
// whose pieces become nested popups (the first entry of a group places its
// popup), its order sorts the entries and hidden ones are left out. The
// builders only append to the caller's menu; an entry's action runs once
// the popup has closed. User-interface thread only.
#include "core/file/MenuDefineBase.h"
#include "window/WindowMenu.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Edit {
class Object;
}  // namespace Edit

namespace Effect {
class EffectBase;
class EffectItemNumber;
class EffectMenuDefine;
class MovementDefine;
class PresetColorDefine;
}  // namespace Effect

namespace Media {
class FontDefine;
}  // namespace Media

namespace Menu {

// The group popups of one build, by path.
using GroupMenuMap = std::unordered_map<std::wstring, std::unique_ptr<Window::BaseMenu>>;

// The definition's label, translated as a whole while a language is loaded.
const wchar_t* getMenuLabel(const MenuDefineBase& definition);
// The popup of a group path inside menu, made on first use; an empty path
// is menu itself.
Window::BaseMenu& getGroupMenu(const wchar_t* label, Window::BaseMenu& menu, GroupMenuMap& cache);

// The common loop: each shown definition in list order, in its group's
// popup, running action(definition). The current definition (when given)
// gets a radio mark, and so does its group popup when that is a direct
// entry of menu.
template <class Define>
void appendDefinitions(Window::BaseMenu& menu, const std::vector<Define*>& definitions,
                       const std::function<void(Define*)>& action, const Define* current = nullptr);
void appendDefinition(Window::BaseMenu& menu, GroupMenuMap& cache, MenuDefineBase& definition,
                      std::function<void()> action, bool current);

// Selector 200: objects (at the layer and frame); 201: filters.
void createObjectMenu(Window::BaseMenu& menu, int layer, int frame, std::uint8_t kind);
// Effects of the kind added to the object, after position when given.
void createEffectMenu(Window::BaseMenu& menu, const std::shared_ptr<Edit::Object>& object, std::uint8_t kind,
                      std::uint8_t media, const Effect::EffectBase* position);
// The effects of current's kind and label that can take its place.
enum class SelectVariant { Filter, Input, Control };
void createEffectSelectMenu(Window::BaseMenu& menu, const std::shared_ptr<Edit::Object>& object,
                            const Effect::EffectBase* current, SelectVariant variant);
void createMovementMenu(Window::BaseMenu& menu, Effect::EffectItemNumber& item,
                        std::function<void(Effect::MovementDefine*)> onSelect);
void createPresetColorMenu(Window::BaseMenu& menu, std::function<void(Effect::PresetColorDefine*)> onSelect);
void createFontMenu(Window::BaseMenu& menu, std::function<void(Media::FontDefine*)> onSelect,
                    const wchar_t* currentFont);

// Whether a definition of media code m may replace an effect of media c.
bool mediaFits(std::uint8_t m, std::uint8_t c);

template <class Define>
void appendDefinitions(Window::BaseMenu& menu, const std::vector<Define*>& definitions,
                       const std::function<void(Define*)>& action, const Define* current) {
    GroupMenuMap cache;
    for (Define* definition : definitions) {
        if (definition->hide != 0) continue;
        appendDefinition(menu, cache, *definition, [action, definition] { action(definition); },
                         current && definition == current);
    }
}

}  // namespace Menu
