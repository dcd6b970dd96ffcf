// The project file reader: any bytes load into a project or raise an error;
// a project that loaded writes a file that reads back and writes the same
// bytes again.
#include "core/base/Singleton.h"
#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "core/text/StringConvert.h"
#include "edit/model/Project.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/registry/EffectService.h"
#include "support/ScratchProgramFolder.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

namespace EK = Effect::EffectKind;
namespace MK = Effect::MediaKind;

// A small kind of each sort an object chain holds.
template <const wchar_t* const* N, std::uint8_t K, std::uint8_t M>
class Kind : public Effect::EffectBase {
public:
    Kind() : EffectBase(*N, K, M, M, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Kind>(); }

    Effect::EffectItemNumber x{items, L"X", 0, -100000, 100000, 1};
    Effect::EffectItemCheck flag{items, L"反転", false};
    Effect::EffectItemNumber y{items, L"Y", 0, -10000, 10000, 0.1};
};

constexpr const wchar_t* kFigure = L"図形";
constexpr const wchar_t* kDraw = L"標準描画";
constexpr const wchar_t* kBlur = L"ぼかし";
constexpr const wchar_t* kGroup = L"グループ制御";

struct Services {
    Services() {
        folder = TestSupport::makeScratchProgramFolder("project-fuzz-");
        settings = std::make_unique<System::Singleton<System::IniFile>>();
        effects = std::make_unique<System::Singleton<Effect::EffectService>>();
        Effect::EffectService& service = *System::Singleton<Effect::EffectService>::getInstance();
        service.registerEffect<Kind<&kFigure, EK::Input, MK::Video>>();
        service.registerEffect<Kind<&kDraw, EK::Output, MK::Video>>();
        service.registerEffect<Kind<&kBlur, EK::Filter, MK::Video>>();
        service.registerEffect<Kind<&kGroup, EK::Control, MK::Video>>();
    }
    ~Services() {
        effects.reset();
        settings.reset();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    std::wstring path(const char* name) const { return (folder / name).wstring(); }

    std::filesystem::path folder;
    std::unique_ptr<System::Singleton<System::IniFile>> settings;
    std::unique_ptr<System::Singleton<Effect::EffectService>> effects;
};

std::string readAll(const std::wstring& path) {
    std::ifstream in(System::String::toUtf8(path), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Services shared;
    const std::wstring input = shared.path("in.mvp2");
    std::ofstream(System::String::toUtf8(input), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    {
        Edit::Project project;
        try {
            Edit::Project::loadProjectFile(project, input);
        } catch (const std::exception&) {
            return 0;
        }
        Edit::Project::saveProjectFile(project, shared.path("first.mvp2"));
    }
    Edit::Project again;
    Edit::Project::loadProjectFile(again, shared.path("first.mvp2"));
    Edit::Project::saveProjectFile(again, shared.path("second.mvp2"));
    if (readAll(shared.path("first.mvp2")) != readAll(shared.path("second.mvp2"))) std::abort();
    return 0;
}
