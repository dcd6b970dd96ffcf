#include "effect/registry/EffectDefine.h"

#include "core/base/Exception.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "core/text/StringConvert.h"
#include "effect/base/EffectBase.h"
#include "effect/registry/EffectMenuCommands.h"
#include "effect/registry/EffectTranslate.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace Effect {

namespace {

// A display name as a file name inside the defaults folder.
std::wstring fileNameOf(const wchar_t* name) {
    std::wstring safe = name;
    for (wchar_t& c : safe)
        if (c == L'/' || c == L'\\' || c < 0x20 || c == 0x7F) c = L'_';
    return safe;
}

bool fileExists(const std::wstring& path) {
    struct stat st;
    return ::stat(System::String::toUtf8(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

EffectDefine::EffectDefine(std::shared_ptr<EffectBase> prototype, int index)
    : EffectMenuDefine("Effect", prototype->name, index,
                       prototype->category ? prototype->category : L"", true),
      prototype(std::move(prototype)) {
    this->prototype->createResource();
}

const wchar_t* EffectDefine::getName() const { return prototype->name; }

const wchar_t* EffectDefine::getTranslatedName() const { return translateEffectText(prototype->name); }

std::uint8_t EffectDefine::getEffectType() const { return prototype->effectType; }

std::uint8_t EffectDefine::getMediaType() const { return prototype->mediaType; }

std::uint8_t EffectDefine::getTargetType() const { return prototype->targetType; }

bool EffectDefine::isDefineOf(const EffectBase* effect) const {
    return effect && effect->name == prototype->name;
}

void EffectDefine::createObject(int layer, int frame) {
    if (const auto& command = EffectMenuCommands::installed().createObject) command(getName(), layer, frame);
}

void EffectDefine::addEffect(const std::shared_ptr<Edit::Object>& object, const EffectBase* position, bool replace) {
    if (const auto& command = EffectMenuCommands::installed().setEffect) command(object, getName(), position, replace);
}

std::shared_ptr<EffectBase> EffectDefine::createEffect() const {
    std::shared_ptr<EffectBase> effect = prototype->create();
    effect->shareResource(*prototype);
    return effect;
}

std::wstring EffectDefine::getDefaultSettingPath() const {
    std::wstring path = L"%Default%\\" + fileNameOf(prototype->name) + L".effect";
    System::FileName::expandVariable(path);
    return path;
}

EffectBase& EffectDefine::getDefaultSetting() {
    if (defaultsLoaded) return *prototype;
    defaultsLoaded = true;
    const std::wstring path = getDefaultSettingPath();
    if (!fileExists(path)) return *prototype;
    System::File file;
    file.open(path.c_str(), System::File::Mode::Read);
    const std::string text = file.read();
    System::IniFile ini;
    ini.path = path;
    ini.loadMemory(text.c_str());
    prototype->loadIniSectionParameter(ini.getSection("Effect", 0));
    return *prototype;
}

void EffectDefine::saveDefaultSetting(const EffectBase& instance) {
    if (!isDefineOf(&instance)) return;
    defaultsLoaded = false;
    const std::wstring path = getDefaultSettingPath();
    System::IniFile::Save save(path.c_str());
    save.writeSection("Effect.0");
    instance.saveIniSectionParameter(save);
    save.close();
}

void EffectDefine::resetDefaultSetting(const EffectBase& instance) {
    if (!isDefineOf(&instance)) return;
    const std::wstring path = getDefaultSettingPath();
    if (::unlink(System::String::toUtf8(path).c_str()) != 0 && errno != ENOENT)
        throw System::makeLastErrorException("unlink", "Effect::EffectDefine::resetDefaultSetting");
    const std::shared_ptr<EffectBase> fresh = prototype->create();
    fresh->initialize();
    prototype->setItemData(*fresh);
}

}  // namespace Effect
