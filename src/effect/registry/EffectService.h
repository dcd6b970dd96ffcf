#pragma once
// The registry of every effect kind and movement kind, a process-wide
// service (System::Singleton). It owns one prototype per kind under its
// display name, registered in menu order: the nine movements, the built-in
// effects, then the aliases of the alias folder. It also holds the movement
// parameter presets and the palettes.
//
// Built and changed on the user-interface thread. Once `ready` is set the
// effect and movement maps stay as they are, so render threads look kinds
// up without a lock; the aliases are user-interface only.
#include "effect/registry/AliasDefine.h"
#include "effect/base/EffectBase.h"
#include "effect/registry/EffectDefine.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/movement/MovementDefine.h"
#include "effect/movement/MovementParamsManager.h"
#include "effect/registry/PaletteManager.h"

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace Effect {

// "class <qualified name>": the spelling of class names in error boxes.
std::string className(const std::type_info& type);

class EffectService {
public:
    EffectService();
    ~EffectService();
    EffectService(const EffectService&) = delete;
    EffectService& operator=(const EffectService&) = delete;

    // Registers a prototype of an effect class under its display name, with
    // the next menu order. Empty when the name was taken or building failed
    // (both shown in a box).
    template <class T>
    std::shared_ptr<T> registerEffect() {
        return std::static_pointer_cast<T>(
            registerEffectPrototype([] { return std::make_shared<T>(); }, className(typeid(T))));
    }
    template <class T>
    std::shared_ptr<T> registerMovement() {
        return std::static_pointer_cast<T>(
            registerMovementPrototype([] { return std::make_shared<T>(); }, className(typeid(T))));
    }

    // The registered kind; an unknown name throws "not found effect." (or
    // "not found movement.").
    EffectDefine& findEffect(const wchar_t* name) const;
    MovementDefine& findMovement(const wchar_t* name) const;
    // A new instance of a registered kind, or empty (never throws for an
    // unknown name).
    std::shared_ptr<EffectBase> createEffect(const wchar_t* name) const;
    // A name of the legacy exchange file: itself when registered, else its
    // mapping in effect.conf's [OldScript]; unknown names throw.
    EffectDefine& findQroEffect(const wchar_t* name) const;
    // The prototype of a built-in class (found under T::Name), whose shared
    // resources other effects borrow.
    template <class T>
    T* getDefaultEffect() const {
        const auto found = effects_.find(T::Name);
        T* prototype =
            found == effects_.end() ? nullptr : dynamic_cast<T*>(found->second.prototype.get());
        if (!prototype) throwDefaultEffectNotFound(className(typeid(T)));
        return prototype;
    }
    // The output effect an object with this input effect gets.
    EffectDefine& getOutputEffect(const EffectDefine& input) const;
    // The media object effect that takes a file, or null.
    const wchar_t* getFileEffectName(const wchar_t* path) const;
    bool isSupportedFile(const wchar_t* path) const;

    // Effect and alias entries passing the filters, by menu order. Type 0
    // keeps all, 200 the object menu, 201 the filter menu; media and target
    // 0 keep all.
    std::vector<EffectMenuDefine*> getEffectMenuList(std::uint8_t type, std::uint8_t media,
                                                     std::uint8_t target) const;
    // The distinct non-empty labels of effects and aliases in menu order.
    std::vector<const wchar_t*> getEffectLabelList() const;
    // The movements shown in menus, edited by the callback when one is
    // given, by menu order.
    std::vector<MovementDefine*> getMovementMenuList(
        const EffectItemNumber::MovementMenuCallback& edit) const;

    // One alias entry per file "%Alias%/*.<folderWord>".
    void registerAlias(const wchar_t* folderWord, std::uint8_t kind);
    // Drops every alias entry and reads the alias folder again.
    void reloadAlias();
    // The label of the first alias of that name (object aliases first).
    void setAliasLabel(const wchar_t* name, const wchar_t* label);
    const std::vector<std::unique_ptr<AliasDefine>>& getAliasList() const { return aliases_; }

    MovementParamsManager movementParams;
    PaletteManager palettes;
    bool ready = false;

private:
    std::shared_ptr<EffectBase> registerEffectPrototype(
        const std::function<std::shared_ptr<EffectBase>()>& make, const std::string& typeName);
    std::shared_ptr<MovementBase> registerMovementPrototype(
        const std::function<std::shared_ptr<MovementBase>()>& make, const std::string& typeName);
    [[noreturn]] static void throwDefaultEffectNotFound(const std::string& typeName);
    // The registered name pointer of a kind, or null.
    const wchar_t* registeredName(const wchar_t* name) const;

    // The next menu order; taken by every registration attempt.
    int counter_ = 0;
    std::unordered_map<std::wstring, EffectDefine> effects_;
    std::unordered_map<std::wstring, MovementDefine> movements_;
    std::vector<std::unique_ptr<AliasDefine>> aliases_;
};

// The row function of a built-in effect class.
template <class T>
void registerBuiltinEffect(EffectService& service) {
    service.registerEffect<T>();
}

}  // namespace Effect
