#pragma once
// What the harnesses of the project readers share: small effect kinds of
// each sort an object chain holds, and the check that a project that loaded
// writes a file that reads back and writes the same bytes again.
#include "core/text/StringConvert.h"
#include "edit/model/Project.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "core/base/Singleton.h"
#include "effect/registry/EffectService.h"
#include "support/ScratchProgramFolder.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace FuzzSupport {

template <const wchar_t* const* N, std::uint8_t K, std::uint8_t M>
class EditKind : public Effect::EffectBase {
public:
    EditKind() : EffectBase(*N, K, M, M, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<EditKind>(); }
    // Controls report their range, as the program's own do.
    int getLayerRange() const override { return 0; }

    Effect::EffectItemNumber x{items, L"X", 0, -100000, 100000, 1};
    Effect::EffectItemCheck flag{items, L"反転", false};
    Effect::EffectItemNumber y{items, L"Y", 0, -10000, 10000, 0.1};
};

inline constexpr const wchar_t* kFigure = L"図形";
inline constexpr const wchar_t* kDraw = L"標準描画";
inline constexpr const wchar_t* kBlur = L"ぼかし";
inline constexpr const wchar_t* kLight = L"並行光源(カメラ制御)";
inline constexpr const wchar_t* kGroup = L"グループ制御";

inline void registerEditKinds(Effect::EffectService& service) {
    namespace EK = Effect::EffectKind;
    namespace MK = Effect::MediaKind;
    service.registerEffect<EditKind<&kFigure, EK::Input, MK::Video>>();
    service.registerEffect<EditKind<&kDraw, EK::Output, MK::Video>>();
    service.registerEffect<EditKind<&kBlur, EK::Filter, MK::Video>>();
    service.registerEffect<EditKind<&kLight, EK::Filter, MK::Camera>>();
    service.registerEffect<EditKind<&kGroup, EK::Control, MK::Video>>();
}

// The settings (of the kind the reader looks names up in) and the effect
// kinds, made once per process in a scratch program folder.
template <class Settings>
struct EditServices {
    explicit EditServices(const char* prefix) {
        folder = TestSupport::makeScratchProgramFolder(prefix);
        settings = std::make_unique<System::Singleton<Settings>>();
        effects = std::make_unique<System::Singleton<Effect::EffectService>>();
        registerEditKinds(*System::Singleton<Effect::EffectService>::getInstance());
    }
    ~EditServices() {
        effects.reset();
        settings.reset();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    std::filesystem::path folder;
    std::unique_ptr<System::Singleton<Settings>> settings;
    std::unique_ptr<System::Singleton<Effect::EffectService>> effects;
};

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Aborts when the written project does not read back to the same bytes.
inline void checkProjectRoundTrip(const Edit::Project& project, const std::filesystem::path& folder) {
    Edit::Project::saveProjectFile(project, (folder / "first.mvp2").wstring());
    Edit::Project again(project.effectService);
    Edit::Project::loadProjectFile(again, (folder / "first.mvp2").wstring());
    Edit::Project::saveProjectFile(again, (folder / "second.mvp2").wstring());
    if (readAll(folder / "first.mvp2") != readAll(folder / "second.mvp2")) std::abort();
}

}  // namespace FuzzSupport
