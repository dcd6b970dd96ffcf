#include "effect/registry/EffectService.h"

#include "core/base/Exception.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/base/Log.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "core/text/StringConvert.h"
#include "core/event/MessageBox.h"
#include "effect/registry/BuiltinEffects.h"
#include "effect/registry/MediaFileProbe.h"
#include "effect/registry/MediaSources.h"
#include "effect/registry/OldScript.h"
#include "effect/movement/MovementKinds.h"
#include "effect/movement/MovementLookup.h"
#include "media/text/TextDraw.h"

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <memory>

namespace Effect {

namespace {

std::string utf8(const wchar_t* text) { return System::String::toUtf8(text ? text : L""); }

bool passesType(const EffectMenuDefine& define, std::uint8_t filter) {
    const std::uint8_t type = define.getEffectType();
    switch (filter) {
    case 0: return true;
    case 200: {
        if (type == EffectKind::Input || type == EffectKind::Control || type == AliasKind::Object)
            return true;
        // Outputs that make their own object (the particle output).
        const auto* effect = dynamic_cast<const EffectDefine*>(&define);
        return effect && effect->prototype->getInputEffectName();
    }
    case 201: return type == EffectKind::Filter || type == AliasKind::Effect;
    default: return type == filter;
    }
}

// Video-only and audio-only entries also serve both media; camera entries
// serve only the camera.
bool passesMedia(std::uint8_t filter, std::uint8_t media) {
    if (filter == 0 || filter == media) return true;
    if (media == MediaKind::Video || media == MediaKind::Audio) return filter == MediaKind::VideoAudio;
    if (media == MediaKind::VideoAudio) return filter != MediaKind::Camera;
    return false;
}

struct RegistrationTexts {
    const char* tag;
    const char* registered;
    const char* failed;
    const char* duplicate;
};

// Makes a prototype, gives it the next menu order and keeps it under its
// name unless the name is taken; failures are shown in a box and give an
// empty pointer (the order stays used).
template <class Map, class Prototype, class AfterInsert>
std::shared_ptr<Prototype> registerPrototype(Map& map, int& counter,
                                             const std::function<std::shared_ptr<Prototype>()>& make,
                                             const std::string& typeName, const RegistrationTexts& texts,
                                             AfterInsert afterInsert) {
    try {
        std::shared_ptr<Prototype> prototype = make();
        const int index = counter++;
        if (!map.try_emplace(prototype->name, prototype, index).second) {
            Dialog::showError(texts.failed, utf8(prototype->name).c_str(), texts.duplicate);
            return {};
        }
        System::Log::info(texts.tag, texts.registered, utf8(prototype->name).c_str());
        afterInsert(*prototype);
        return prototype;
    } catch (const std::exception& e) {
        Dialog::showError(texts.failed, typeName.c_str(), e.what());
        return {};
    }
}

}  // namespace

std::string className(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    return std::string("class ") + (status == 0 && demangled ? demangled.get() : type.name());
}

EffectService::EffectService() {
    registerMovement<NoMove>();
    registerMovement<MovieRange>();
    registerMovement<LinearMove>();
    registerMovement<LinearSpeed>();
    registerMovement<InterpolationMove>();
    registerMovement<InterpolationSpeed>();
    registerMovement<RandomMove>();
    registerMovement<TeleportationMove>();
    registerMovement<SpeedMove>();
    // Number texts name their movement from now on.
    setMovementFinder([this](const std::wstring& name) -> MovementBase* {
        const auto found = movements_.find(name);
        return found == movements_.end() ? nullptr : found->second.prototype.get();
    });
    DefaultMovement::noMove = findMovement(L"移動無し").prototype.get();
    DefaultMovement::linearSpeed = findMovement(L"直線移動(時間制御)").prototype.get();
    DefaultMovement::movieRange = findMovement(L"再生範囲").prototype.get();

    connectMediaSources();
    for (const BuiltinEffect& row : builtinEffects()) {
        const int before = counter_;
        if (row.registerEffect) row.registerEffect(*this);
        // A row that registered nothing (not built, or its hook not
        // installed) still keeps the menu orders of the rows after it.
        if (counter_ == before) ++counter_;
    }
    // Script effects, script movements and filter plugins register here
    // once scripting and plugins exist.

    reloadAlias();
    movementParams.reloadMovementParams();
    palettes.reloadPalette();
    // Colour tags of texts name preset colours from now on.
    Media::TextDraw::setPresetColorLookup([this](const std::wstring& name, float rgba[4]) {
        return palettes.getPresetColor(name, rgba);
    });
    ready = true;
}

EffectService::~EffectService() {
    // Nothing may reach the prototypes once they are gone.
    DefaultMovement::noMove = nullptr;
    DefaultMovement::linearSpeed = nullptr;
    DefaultMovement::movieRange = nullptr;
    setMovementFinder({});
    Media::TextDraw::setPresetColorLookup({});
}

std::shared_ptr<EffectBase> EffectService::registerEffectPrototype(
    const std::function<std::shared_ptr<EffectBase>()>& make, const std::string& typeName) {
    static constexpr RegistrationTexts texts{"Effect::EffectService::registerEffect", "register effect [%s]",
                                             "Failed to register effect. [%s]\n\n%s",
                                             "Duplicate effects with the same key exist."};
    return registerPrototype(effects_, counter_, make, typeName, texts,
                             [](EffectBase& prototype) { prototype.initialize(); });
}

std::shared_ptr<MovementBase> EffectService::registerMovementPrototype(
    const std::function<std::shared_ptr<MovementBase>()>& make, const std::string& typeName) {
    static constexpr RegistrationTexts texts{"Effect::EffectService::registerMovement",
                                             "register movement [%s]",
                                             "Failed to register movement. [%s]\n\n%s",
                                             "Duplicate movements with the same key exist."};
    return registerPrototype(movements_, counter_, make, typeName, texts, [](MovementBase&) {});
}

EffectDefine& EffectService::findEffect(const wchar_t* name) const {
    const auto found = effects_.find(name ? name : L"");
    if (found == effects_.end())
        throw System::makeException("Effect::EffectService::findEffect", "not found effect.",
                                    utf8(name).c_str());
    return const_cast<EffectDefine&>(found->second);
}

MovementDefine& EffectService::findMovement(const wchar_t* name) const {
    const auto found = movements_.find(name ? name : L"");
    if (found == movements_.end())
        throw System::makeException("Effect::EffectService::findMovement", "not found movement.");
    return const_cast<MovementDefine&>(found->second);
}

std::shared_ptr<EffectBase> EffectService::createEffect(const wchar_t* name) const {
    const auto found = effects_.find(name ? name : L"");
    return found == effects_.end() ? nullptr : found->second.createEffect();
}

EffectDefine& EffectService::findQroEffect(const wchar_t* name) const {
    const std::wstring legacy = name ? name : L"";
    if (effects_.contains(legacy)) return findEffect(legacy.c_str());
    const System::IniFile::VALUE* mapped = OldScript::find("", utf8(legacy.c_str()));
    return findEffect(mapped ? System::String::toWide(mapped->text).c_str() : legacy.c_str());
}

void EffectService::throwDefaultEffectNotFound(const std::string& typeName) {
    throw System::makeException("Effect::EffectService::getDefaultEffect", "default effect not found",
                                typeName.c_str());
}

const wchar_t* EffectService::registeredName(const wchar_t* name) const {
    const auto found = effects_.find(name);
    return found == effects_.end() ? nullptr : found->second.getName();
}

EffectDefine& EffectService::getOutputEffect(const EffectDefine& input) const {
    const wchar_t* output = nullptr;
    switch (input.prototype->mediaType) {
    case MediaKind::Video:
        output = input.getName() == registeredName(L"フレームバッファ") ? L"基本出力" : L"標準描画";
        break;
    case MediaKind::Audio: output = L"音声再生"; break;
    case MediaKind::VideoAudio: output = L"映像再生"; break;
    default:
        throw System::makeException("Effect::EffectService::getOutputEffect",
                                    "invalid input effect type.");
    }
    return findEffect(output);
}

const wchar_t* EffectService::getFileEffectName(const wchar_t* path) const {
    if (System::FileName::getExtension(path) == L"txt") return registeredName(L"テキスト");
    // SVG figures and model files claim theirs here once they load.
    const MediaFileProbe* probe = getMediaFileProbe();
    MediaFileProbe::Streams streams;
    if (!probe || !probe->probe(path, streams)) return nullptr;
    if (streams.video) {
        if (streams.frameCount > 1) return registeredName(L"動画ファイル");
        return registeredName(streams.audio ? L"音声ファイル" : L"画像ファイル");
    }
    return streams.audio ? registeredName(L"音声ファイル") : nullptr;
}

bool EffectService::isSupportedFile(const wchar_t* path) const {
    const std::wstring extension = System::FileName::getExtension(path);
    if (extension == L"txt" || extension == L"svg" || extension == L"obj") return true;
    const MediaFileProbe* probe = getMediaFileProbe();
    return probe && probe->isMediaExtension(extension);
}

std::vector<EffectMenuDefine*> EffectService::getEffectMenuList(std::uint8_t type, std::uint8_t media,
                                                                std::uint8_t target) const {
    std::vector<EffectMenuDefine*> list;
    const auto consider = [&](const EffectMenuDefine& define) {
        if (passesType(define, type) && passesMedia(media, define.getMediaType()) &&
            passesMedia(target, define.getTargetType()))
            list.push_back(const_cast<EffectMenuDefine*>(&define));
    };
    for (const auto& entry : effects_) consider(entry.second);
    for (const auto& alias : aliases_) consider(*alias);
    Menu::sortByOrder(list);
    return list;
}

std::vector<const wchar_t*> EffectService::getEffectLabelList() const {
    return Menu::distinctLabels(getEffectMenuList(0, 0, 0));
}

std::vector<MovementDefine*> EffectService::getMovementMenuList(
    const EffectItemNumber::MovementMenuCallback& edit) const {
    std::vector<MovementDefine*> list;
    for (const auto& entry : movements_)
        if (entry.second.prototype->inMenu) list.push_back(const_cast<MovementDefine*>(&entry.second));
    if (edit) edit(list);
    Menu::sortByOrder(list);
    return list;
}

void EffectService::registerAlias(const wchar_t* folderWord, std::uint8_t kind) {
    std::wstring pattern = std::wstring(L"%Alias%\\*.") + folderWord;
    System::FileName::expandVariable(pattern);
    for (const System::File::FileInfo& file : System::File::findFiles(pattern, nullptr)) {
        const std::wstring name = System::FileName::getTitle(file.name);
        const int order = counter_++;
        try {
            aliases_.push_back(std::make_unique<AliasDefine>(*this, name, folderWord, kind, order));
            System::Log::info("Effect::EffectService::registerAlias", "register alias [%s]",
                              utf8(name.c_str()).c_str());
        } catch (const std::exception& e) {
            Dialog::showError("Failed to register alias. [%s]\n\n%s", utf8(name.c_str()).c_str(), e.what());
        }
    }
}

void EffectService::reloadAlias() {
    aliases_.clear();
    registerAlias(L"object", AliasKind::Object);
    registerAlias(L"effect", AliasKind::Effect);
}

void EffectService::setAliasLabel(const wchar_t* name, const wchar_t* label) {
    for (const auto& alias : aliases_) {
        if (alias->name != name) continue;
        alias->label = label ? label : L"";
        return;
    }
}

}  // namespace Effect
