#include "effect/registry/AliasDefine.h"

#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "effect/registry/EffectDefine.h"
#include "effect/registry/EffectMenuCommands.h"
#include "effect/registry/EffectService.h"

#include <exception>

namespace Effect {

AliasDefine::AliasDefine(const EffectService& service, std::wstring aliasName,
                         std::wstring aliasFolderWord, std::uint8_t aliasKind, int order)
    : EffectMenuDefine("Effect", aliasFolderWord + L"." + aliasName, order, L"", true),
      name(std::move(aliasName)),
      folderWord(std::move(aliasFolderWord)),
      kind(aliasKind),
      service_(service) {}

std::uint8_t AliasDefine::getMediaType() const {
    if (media_ == 0) loadAliasInfo();
    return media_;
}

std::uint8_t AliasDefine::getTargetType() const {
    if (media_ == 0) loadAliasInfo();
    return target_;
}

void AliasDefine::createObject(int layer, int frame) {
    if (const auto& command = EffectMenuCommands::installed().loadObjectAlias) command(getAliasPath(), layer, frame);
}

void AliasDefine::addEffect(const std::shared_ptr<Edit::Object>& object, const EffectBase* position, bool replace) {
    if (const auto& command = EffectMenuCommands::installed().loadEffectAlias)
        command(object, getAliasPath(), position, replace);
}

std::wstring AliasDefine::getAliasPath() const {
    std::wstring path = L"%Alias%\\" + name + L"." + folderWord;
    System::FileName::expandVariable(path);
    return path;
}

void AliasDefine::loadAliasInfo() const {
    try {
        System::IniFile ini;
        ini.loadFile(getAliasPath().c_str());
        const System::IniFile::SectionRef section = ini.getSection("Effect", 0);
        // Object aliases have no such section: they are asked again next time.
        if (section.empty()) return;
        const EffectDefine& define =
            service_.findEffect(section.getValue("effect.name").toString().c_str());
        media_ = define.getMediaType();
        target_ = define.getTargetType();
    } catch (const std::exception&) {
        // An alias that cannot be read is listed without media.
    }
}

}  // namespace Effect
