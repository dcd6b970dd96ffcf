#include "edit/command/SceneFromFile.h"

#include "core/base/Log.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "edit/command/CommandSupport.h"
#include "edit/command/ObjectCreateCommand.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/base/EffectEvent.h"
#include "effect/base/StdConvert.h"
#include "effect/registry/EffectService.h"
#include "effect/registry/MediaFileProbe.h"
#include "media/resource/SvgDocument.h"

#include <cwchar>

namespace Edit::EditCommand {

namespace {

using Effect::MediaFileProbe;

constexpr const wchar_t* Unsupported = L"このファイルには対応していません";

// The file opened for video, else for audio.
bool readMediaInfo(const std::wstring& path, MediaFileProbe::Info& info) {
    const MediaFileProbe* probe = Effect::getMediaFileProbe();
    return probe && (probe->getInfo(path, 1, info) || probe->getInfo(path, 2, info));
}

struct SceneFormat {
    int width, height, rate, scale, audioRate;
};

// A file's values replace the format's where it has them; values a scene
// cannot hold (a size or rate below 1) are left as they were.
void takeMediaFormat(const MediaFileProbe::Info& info, SceneFormat& format) {
    if (info.video) {
        if (info.width > 0 && info.height > 0) {
            format.width = info.width;
            format.height = info.height;
        }
        if (info.rate > 0 && info.scale > 0 && info.rate <= INT32_MAX && info.scale <= INT32_MAX) {
            format.rate = static_cast<int>(info.rate);
            format.scale = static_cast<int>(info.scale);
        }
    }
    if (info.audio && info.sampleRate > 0) format.audioRate = info.sampleRate;
}

Effect::EffectService* registryOf(EditService& edit) { return edit.getCurrentScene()->effectService; }

}  // namespace

bool createSceneFromFile(EditService& edit, const std::wstring& path) {
    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    // A name holding a line break or a NUL (legal in file names) could be
    // written neither as the object's file nor as the scene's name: taken
    // in, it would leave the project unsaveable.
    if (Effect::StdConvert::lineFault(expanded)) {
        Dialog::postError(Unsupported);
        return false;
    }
    Effect::EffectService* registry = registryOf(edit);
    const wchar_t* effectName = registry ? registry->getFileEffectName(path.c_str()) : nullptr;
    if (!effectName) {
        Dialog::postError(Unsupported);
        return false;
    }
    SceneFormat format{32, 32, 1, 1, edit.getCurrentScene()->audioRate};
    if (Media::SvgDocument::isSvgFile(path.c_str())) {
        format.width = format.height = 256;
    } else {
        MediaFileProbe::Info info;
        if (!readMediaInfo(path, info)) {
            Dialog::postError(Unsupported);
            return false;
        }
        takeMediaFormat(info, format);
    }
    if (!edit.createScene(System::FileName::getTitle(expanded), format.width, format.height, format.rate,
                          format.scale, format.audioRate))
        return false;
    createObject(edit, effectName, 0, 0, [&path](const ObjectPointer& object, EditScope& scope) {
        scope.scene->updateLayerObject();
        Effect::EffectEvent event;
        event.code = Effect::EffectEvent::FileDropped;
        event.path = path.c_str();
        sendInputEvent(scope, *object, event);
    });
    return true;
}

void updateSceneSetting(EditService& edit, const std::wstring& path) {
    Effect::EffectService* registry = registryOf(edit);
    const wchar_t* effectName = registry ? registry->getFileEffectName(path.c_str()) : nullptr;
    if (!effectName || std::wcscmp(effectName, L"動画ファイル") != 0) return;
    MediaFileProbe::Info info;
    if (!readMediaInfo(path, info)) return;
    const Scene& current = *edit.getCurrentScene();
    SceneFormat format{current.width, current.height, current.videoRate, current.videoScale, current.audioRate};
    takeMediaFormat(info, format);
    EditScope scope(edit);
    edit.markModified();
    scope.notifySceneChange = true;
    scope.sceneId = scope.scene->id;
    Scene& scene = *scope.scene;
    scene.width = format.width;
    scene.height = format.height;
    scene.videoRate = format.rate;
    scene.videoScale = format.scale;
    scene.audioRate = format.audioRate;
    System::Log::info("Edit::EditService::updateSceneSetting", L"update scnene setting");
}

}  // namespace Edit::EditCommand
