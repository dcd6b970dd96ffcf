#pragma once
// A registered effect kind: its prototype, which makes the instances and
// holds the kind's shared GPU resources, its menu settings (section
// "Effect.<display name>", the category as default label) and its defaults
// file "%Default%/<display name>.effect", read into the prototype once.
#include "effect/registry/EffectMenuDefine.h"

#include <memory>
#include <string>

namespace Effect {

class EffectDefine : public EffectMenuDefine {
public:
    // Loads the menu settings, then builds the prototype's shared resources.
    EffectDefine(std::shared_ptr<EffectBase> prototype, int index);
    ~EffectDefine() = default;

    // The prototype's own name pointer.
    const wchar_t* getName() const override;
    const wchar_t* getTranslatedName() const override;
    std::uint8_t getEffectType() const override;
    std::uint8_t getMediaType() const override;
    std::uint8_t getTargetType() const override;
    // Same name pointer as the prototype: no text comparison.
    bool isDefineOf(const EffectBase* effect) const override;
    // Through the installed edit commands (createObject, setEffect).
    void createObject(int layer, int frame) override;
    void addEffect(const std::shared_ptr<Edit::Object>& object, const EffectBase* position, bool replace) override;

    // A new instance with the class's built-in values, sharing the
    // prototype's resources.
    std::shared_ptr<EffectBase> createEffect() const;

    // "%Default%/<display name>.effect", expanded. Separators and control
    // characters of the name become '_', so the file stays in the folder.
    std::wstring getDefaultSettingPath() const;
    // The prototype with the saved defaults applied; the file is read once
    // until the next save. A file that cannot be read raises its error.
    EffectBase& getDefaultSetting();
    // Stores an instance of this kind as the defaults (the old file stays
    // when writing fails). Instances of other kinds are ignored.
    void saveDefaultSetting(const EffectBase& instance);
    // Deletes the defaults file and gives the prototype the class's built-in
    // values again. Instances of other kinds are ignored.
    void resetDefaultSetting(const EffectBase& instance);

    const std::shared_ptr<EffectBase> prototype;
    bool defaultsLoaded = false;
};

}  // namespace Effect
