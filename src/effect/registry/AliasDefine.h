#pragma once
// An alias: a saved object (kind 100) or effect (kind 101) preset, the file
// "%Alias%/<name>.object" or "%Alias%/<name>.effect", listed in the object
// or filter menu beside the registered effects. Its menu settings live in
// "Effect.object.<name>" or "Effect.effect.<name>", so they survive the
// reloads that renumber the aliases.
#include "effect/registry/EffectMenuDefine.h"

#include <string>

namespace Effect {

class EffectService;

class AliasDefine : public EffectMenuDefine {
public:
    AliasDefine(const EffectService& service, std::wstring name, std::wstring folderWord,
                std::uint8_t kind, int order);
    ~AliasDefine() = default;

    const wchar_t* getName() const override { return name.c_str(); }
    std::uint8_t getEffectType() const override { return kind; }
    // Media and target of the alias's first effect; the file is read while
    // they are unknown (0).
    std::uint8_t getMediaType() const override;
    std::uint8_t getTargetType() const override;
    // Through the installed edit commands (loadObjectAlias, loadEffectAlias).
    void createObject(int layer, int frame) override;
    void addEffect(const std::shared_ptr<Edit::Object>& object, const EffectBase* position, bool replace) override;

    std::wstring getAliasPath() const;
    // Reads the media and target of the effect the file's section Effect.0
    // names. Problems of the file leave both as they were.
    void loadAliasInfo() const;

    const std::wstring name;
    const std::wstring folderWord;  // "object" or "effect"
    const std::uint8_t kind;

private:
    const EffectService& service_;
    mutable std::uint8_t media_ = 0;
    mutable std::uint8_t target_ = 0;
};

}  // namespace Effect
