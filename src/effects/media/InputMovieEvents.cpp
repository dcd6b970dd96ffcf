// The timeline side of the media playback: fitting the object's length to
// its media, keeping the media in place when the object is split or
// resized, and the information tooltip.
#include "effects/media/InputMovieEffect.h"

#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/FormatDouble.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "core/translate/TranslateService.h"
#include "edit/model/Scene.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/base/StdConvert.h"
#include "effect/movement/MovementBase.h"
#include "effect/registry/MediaFileProbe.h"
#include "effects/base/FileEntry.h"
#include "effects/base/InfoTip.h"
#include "render/cache/SceneSource.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace Effect {

namespace {

// Speeds whose ratio is at most this (the single-precision 0.1 less a
// little) never change the object's length.
const double kSlowestFit = std::bit_cast<double>(std::uint64_t{0x3FB99997E0000000});

double firstValue(const EffectItemNumber& item) {
    return item.values.empty() ? 0.0 : static_cast<double>(item.values.front()) / item.scale;
}

void setTimelineFlags(Edit::EditScope& scope) {
    scope.notifyObjectUpdate = true;
    scope.refreshTimeSetting = true;
    scope.refreshSetting = true;
    scope.refreshColorSetting = true;
}

Undo::UndoService* openUndo(Edit::EditScope& scope) {
    scope.beginUndo();
    return System::Singleton<Undo::UndoService>::getInstance();
}

// The object as its layer holds it, for the undo record.
const Edit::ObjectPointer& layerObject(Edit::Scene& scene, const Edit::Object& object) {
    return scene.getLayerObjectList(object.layer).getObjectAtFrame(object.start);
}

// Frames the media seconds last at the ratio in the scene.
int framesOf(double seconds, double ratio, const Edit::Scene& scene) {
    const double rate = scene.videoScale ? static_cast<double>(scene.videoRate) / scene.videoScale : 0.0;
    const double frames = std::round(std::fabs(seconds / ratio) * rate);
    return frames >= 1.0 ? static_cast<int>(std::min(frames, 1e9)) : 1;
}

const wchar_t* pixelFormatName(int format) {
    switch (format) {
    case 10: return L"RGBA64bit(HF64)";
    case 11: return L"RGBA64bit(PA64)";
    case 13: return L"YC48";
    case 87: return L"RGB32bit";
    case 88: return L"RGB24bit";
    case 107: return L"YUY2";
    default: return L"";
    }
}

const wchar_t* audioFormatName(int tag) {
    switch (tag) {
    case 1: return L"PCM";
    case 3: return L"PCM(float)";
    default: return L"";
    }
}

}  // namespace

bool InputMovieEffect::isFittable() const {
    return isDerived() && speed_->movement == DefaultMovement::noMove && !(loop_ && loop_->value);
}

bool InputMovieEffect::canFitLength(const EffectEvent& event) const {
    return isFittable() && event.object && event.object->getMidPointCount() == 0 && updateMediaInfo();
}

bool InputMovieEffect::isFixedMovieTimeRange() {
    const Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
    return edit && edit->fixedMovieTimeRange != 0;
}

bool InputMovieEffect::isMediaInfoFresh() const {
    std::lock_guard lock(mutex_);
    return fresh_;
}

bool InputMovieEffect::fitObjectLength(EffectEvent& event, bool resetRange) {
    if (!canFitLength(event)) return false;
    const double length = getMediaInfo().length;
    double start = 0.0, end = 0.0;
    if (resetRange) {
        start = std::min(0.0, length);
        end = length;
        position_->setValue(start, 0);
        if (position_->movement == DefaultMovement::movieRange) position_->setValue(length, 1);
    } else {
        const PlayRange range = getPlayRange();
        start = position_->movement == DefaultMovement::noMove ? firstValue(*position_) : range.start;
        end = range.end;
    }
    const double ratio = firstValue(*speed_) / 100.0;
    if (std::fabs(ratio) <= kSlowestFit || !event.scope || !event.scope->scene) return false;
    Edit::Scene& scene = *event.scope->scene;
    Edit::Object& object = *event.object;
    const int frames = framesOf(end - start, ratio, scene);
    // A resize never makes the object longer than its media.
    if (!resetRange && frames >= object.end - object.start + 1) return false;
    if (event.code != EffectEvent::FileDropped) {
        if (event.code != EffectEvent::StartMoved && event.code != EffectEvent::EndMoved)
            if (Undo::UndoService* undo = openUndo(*event.scope))
                if (const Edit::ObjectPointer& held = layerObject(scene, object)) undo->addObjectUndoUpdate(held);
        setTimelineFlags(*event.scope);
        event.scope->resortLayers = true;
    }
    scene.fitObjectLength(object, frames, event.code == EffectEvent::StartMoved);
    return true;
}

bool InputMovieEffect::onSpeedChanged(EffectEvent& event) {
    if (!canFitLength(event)) return false;
    const double ratio = firstValue(*speed_) / 100.0;
    if (std::fabs(ratio) <= kSlowestFit || !event.scope || !event.scope->scene) return false;
    Edit::Scene& scene = *event.scope->scene;
    const PlayRange range = getPlayRange();
    const int frames = framesOf(range.end - range.start, ratio, scene);
    if (Undo::UndoService* undo = openUndo(*event.scope))
        if (const Edit::ObjectPointer& held = layerObject(scene, *event.object)) undo->addObjectUndoUpdate(held);
    setTimelineFlags(*event.scope);
    event.scope->resortLayers = true;
    scene.fitObjectLength(*event.object, frames, false);
    return true;
}

bool InputMovieEffect::rebaseOnRangeChange(EffectEvent& event) {
    const bool resize = event.code == EffectEvent::StartMoved || event.code == EffectEvent::EndMoved;
    if (!resize && event.code != EffectEvent::ObjectSplit) return false;
    if (!isFittable() || !event.object || !event.scope || !event.scope->scene) return false;
    if (position_->movement == DefaultMovement::movieRange && resize && isFixedMovieTimeRange()) return false;
    if (event.code == EffectEvent::ObjectSplit && !event.previousObject) return false;
    if (!updateMediaInfo()) return false;
    const Edit::Scene& scene = *event.scope->scene;
    const Edit::Object& object = *event.object;

    // The object's frames before the change.
    ObjectFrames before = event.code == EffectEvent::ObjectSplit ? *event.previousObject : object;
    if (event.code == EffectEvent::StartMoved) before.start = event.frame;
    if (event.code == EffectEvent::EndMoved) before.end = event.frame;
    const double fps = scene.videoScale ? static_cast<double>(scene.videoRate) / scene.videoScale : 0.0;
    if (!(fps > 0.0)) return false;
    const auto raw = [&](int frame) {
        return computeRawPosition(fps, before.start, before.end, before.boundaries, frame);
    };

    const PlayRange range = getPlayRange();
    double d = position_->movement == DefaultMovement::noMove ? firstValue(*position_) : range.start;
    double f = range.end;
    const int newStart = object.start, newEnd = object.end;
    if (firstValue(*speed_) >= 0.0) {
        if (newStart != before.start) d = raw(newStart);
        f = newEnd == before.end ? range.end : raw(newEnd + 1);
    } else {
        if (newEnd != before.end) d = raw(newEnd + 1) + range.end - d;
        if (newStart != before.start) f = raw(newStart) + range.end - d;
    }

    if (resize) {
        if (Undo::UndoService* undo = openUndo(*event.scope); undo && event.effect)
            undo->addEffectUndoUpdate(event.effect);
        setTimelineFlags(*event.scope);
    }
    const double length = getMediaInfo().length;
    const double s = std::clamp(d, 0.0, std::max(length, 0.0));
    position_->setValue(s, 0);
    if (position_->movement == DefaultMovement::movieRange) position_->setValue(std::clamp(f, s, std::max(length, s)), 1);
    if (resize) fitObjectLength(event, false);
    return true;
}

bool InputMovieEffect::onFileDropped(EffectEvent& event) {
    if (file_ && !takeDroppedFile(*file_, event.path)) return false;
    invalidateMediaInfo();
    fitObjectLength(event, true);
    return true;
}

bool InputMovieEffect::onFileChanged(EffectEvent& event) {
    invalidateMediaInfo();
    if (!file_ || file_->path.empty()) return false;
    // A chosen path that a project file could not hold is refused like a
    // file that does not open.
    if (!StdConvert::lineFault(file_->path) && updateMediaInfo()) {
        fitObjectLength(event, true);
        return true;
    }
    file_->path.clear();
    System::FileName::expandVariable(file_->path);
    Dialog::postError(L"このファイルには対応していません");
    return false;
}

bool InputMovieEffect::getMediaInfoText(std::wstring& text) const {
    if (scene_) {
        const Cache::SceneSource* source = Cache::getSceneSource();
        const Edit::Scene* scene = scene_->value != 0 && source ? source->getScene(scene_->value) : nullptr;
        if (!scene) return false;
        text = scene->getSceneInfoText();
        return true;
    }
    if (!file_ || file_->path.empty()) return false;
    const MediaFileProbe* probe = getMediaFileProbe();
    MediaFileProbe::Info info;
    if (!probe || !probe->getInfo(file_->path, kind_, info)) {
        text = file_->path;
        return true;
    }
    double seconds = 0.0;
    if (kind_ == AudioStream)
        seconds = info.sampleRate > 0 ? static_cast<double>(info.sampleCount) / info.sampleRate : 0.0;
    else
        seconds = info.rate ? static_cast<double>(info.frameCount) * info.scale / info.rate : 0.0;
    wchar_t time[64];
    System::String::formatTime(time, seconds);
    text = System::String::format(L"%ls\nTotalTime: %ls\n", file_->path.c_str(), time);
    if (info.video)
        text += System::String::format(
            L"Video: %d x %d / %lsfps / %ls\n", info.width, info.height,
            System::formatDouble(Edit::getFrameRate(static_cast<int>(info.rate), static_cast<int>(info.scale))).c_str(),
            pixelFormatName(info.pixelFormat));
    if (info.audio)
        text += System::String::format(L"Audio: %lskhz / %dch / %ls%dbit\n", System::formatDouble(info.sampleRate / 1000.0).c_str(),
                                       info.channels, audioFormatName(info.audioFormat), info.bitsPerSample);
    text += L"Plugin: ";
    text += Translate::TranslateService::translateMenu(info.readerName);
    return true;
}

bool InputMovieEffect::showMediaInfo() {
    std::wstring text;
    if (!getMediaInfoText(text)) return false;
    showInfoTip(text);
    return true;
}

}  // namespace Effect
