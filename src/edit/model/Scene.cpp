#include "edit/model/Scene.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/FormatDouble.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "core/translate/TranslateService.h"
#include "effect/base/StdConvert.h"
#include "effect/registry/EffectDefine.h"
#include "effect/registry/EffectService.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <limits>
#include <map>

namespace Edit {

namespace {

const wchar_t* translateName(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Name, text);
}

int normalizeZoom(int value) {
    const auto& steps = Scene::zoomSteps;
    if (steps.empty() || std::find(steps.begin(), steps.end(), value) != steps.end()) return value;
    return 10000;
}

}  // namespace

void ObjectSelection::clear() {
    clickedAgain = nullptr;
    controlSelected = false;
    maxLayer = 0;
    for (const ObjectPointer& object : objects) object->selected = false;
    objects.clear();
}

std::vector<int> stringToIntList(const std::wstring& text) {
    std::vector<int> list;
    if (text.empty()) return list;
    for (const std::string& piece : System::String::split(System::String::toUtf8(text), ',')) {
        try {
            list.push_back(Effect::StdConvert::toInt(piece));
        } catch (const std::exception&) {
            break;
        }
    }
    return list;
}

std::wstring intListToString(const std::vector<int>& list) {
    std::wstring text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i) text += L',';
        text += std::to_wstring(list[i]);
    }
    return text;
}

Scene::Scene(int id, int listOrder, Effect::EffectService* service)
    : LayerObjectManager(service), name(getDefaultName(id)), id(id), listOrder(listOrder) {
    zoom.normalizer = normalizeZoom;
    applyEditSettings();
}

void Scene::applyEditSettings() {
    const auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    if (!settings) {
        // The built-in defaults of the settings group.
        audioRate = 44100;
        gridX = gridY = {16, -16};
        return;
    }
    // A value the project reader would refuse takes the group's default, or
    // every project made from it would save but never open again.
    const auto usable = [](int value, int maximum, int fallback) {
        return value >= 1 && value <= maximum ? value : fallback;
    };
    constexpr int anyInt = std::numeric_limits<int>::max();
    width = usable(settings->ProjectWidth, anyInt, 1920);
    height = usable(settings->ProjectHeight, anyInt, 1080);
    videoRate = usable(settings->ProjectVideoRate, anyInt, 30);
    videoScale = usable(settings->ProjectVideoScale, anyInt, 1);
    audioRate = usable(settings->ProjectAudioRate, maxAudioRate, 44100);
    tempoBeatPerMinute = settings->TempoBeatPerMinute;
    tempoBeatTime = settings->TempoBeatTime;
    tempoOffsetTime = settings->TempoOffsetTime;
    gridWidth = settings->GridWidth;
    gridHeight = settings->GridHeight;
    gridX = stringToIntList(settings->GridX);
    gridY = stringToIntList(settings->GridY);
    gridStep = settings->GridStep;
    gridRange = settings->GridRange;
}

std::wstring Scene::getDefaultName(int id) {
    if (id == 0) return translateName(L"Root");
    return translateName(L"Scene") + std::to_wstring(id);
}

std::string Scene::cameraToString() const {
    bool moved = false;
    for (const std::size_t i : SavedCamera) moved |= camera[i] != DefaultCamera[i];
    if (!moved) return {};
    std::string text;
    for (const std::size_t i : SavedCamera) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%f", camera[i]);
        if (!text.empty()) text += ',';
        text += buffer;
    }
    return text;
}

void Scene::cameraFromString(const std::string& text) {
    const std::vector<std::string> pieces = System::String::split(text, ',');
    if (pieces.size() != SavedCamera.size()) return;
    for (std::size_t k = 0; k < SavedCamera.size(); ++k) {
        try {
            camera[SavedCamera[k]] = static_cast<float>(Effect::StdConvert::toDouble(pieces[k]));
        } catch (const std::exception&) {
            return;
        }
    }
}

void Scene::copyScene(const Scene& source) {
    videoRate = source.videoRate;
    videoScale = source.videoScale;
    width = source.width;
    height = source.height;
    audioRate = source.audioRate;
    cursorFrame = source.cursorFrame;
    playing = source.playing;
    playingFrame = source.playingFrame;
    selectStartFrame = source.selectStartFrame;
    selectEndFrame = source.selectEndFrame;
    selectAnchorFrame = source.selectAnchorFrame;
    tempoBeatPerMinute = source.tempoBeatPerMinute;
    tempoBeatTime = source.tempoBeatTime;
    tempoOffsetTime = source.tempoOffsetTime;
    gridX = source.gridX;
    gridY = source.gridY;
    gridWidth = source.gridWidth;
    gridHeight = source.gridHeight;
    gridStep = source.gridStep;
    gridRange = source.gridRange;
    camera = source.camera;
    displayFrame = source.displayFrame;
    displayFrameCount = source.displayFrameCount;
    displayLayer = source.displayLayer;
    zoom = source.zoom;
    focusObject.reset();
    selection.clear();

    std::map<const Group*, std::shared_ptr<Group>> groups;
    for (int k = 0; k <= source.lastLayer; ++k) {
        for (const ObjectPointer& from : source.getLayerObjectList(k).objects) {
            ObjectPointer& to = createEmptyObject(k, from->start, from->end);
            to->clipping = from->clipping;
            to->camera = from->camera;
            to->boundaries = from->boundaries;
            from->copyEffectList(*to);
            if (from->group) {
                std::shared_ptr<Group>& group = groups[from->group.get()];
                if (!group) group = std::make_shared<Group>();
                to->setGroup(group);
            }
        }
    }
    updateLayerObject();
}

std::vector<SceneMenuEntry> Scene::getSceneMenu() const {
    using Action = SceneMenuEntry::Action;
    return {
        {L"シーンを新規作成", Action::Create, true},
        {L"シーンを削除", Action::Delete, id != 0},
        {L"シーンを複製", Action::Duplicate, id != 0},
        {nullptr, Action::None, true},
        {L"シーン名を変更", Action::Rename, true},
        {L"シーンの設定", Action::Setting, true},
    };
}

std::wstring Scene::getSceneInfoText() const {
    const double seconds =
        videoRate == 0 ? 0.0 : static_cast<double>(totalLength + 1) * videoScale / videoRate;
    wchar_t time[64];
    System::String::formatTime(time, seconds);
    return System::String::format(L"%ls\nTotalTime: %ls\n", name.c_str(), time) +
           System::String::format(L"Video: %d x %d / %lsfps\n", width, height,
                                  System::formatDouble(getFrameRate(videoRate, videoScale)).c_str()) +
           System::String::format(L"Audio: %lskhz\n", System::formatDouble(audioRate / 1000.0).c_str());
}

std::wstring Scene::getLayerName(int index) const {
    const Layer& layer = *getLayerObjectList(index).layer;
    if (!layer.name.empty()) return layer.name;
    return translateName(L"Layer") + std::to_wstring(static_cast<long long>(index) + 1);
}

bool Scene::setFocusObject(const ObjectPointer& object) {
    if (object == focusObject) return false;
    focusObject = object;
    return true;
}

void Scene::selectObject(const ObjectPointer& object) {
    if (object->selected) {
        selection.clickedAgain = object.get();
        return;
    }
    if (getLayerObjectList(object->layer).layer->lock) return;
    if (object->isControlObject() && object->layerRangeControl) selection.controlSelected = true;
    selection.maxLayer = std::max(selection.maxLayer, object->layer);
    selection.clickedAgain = nullptr;
    object->selected = true;
    selection.objects.push_back(object);
}

bool Scene::selectObjectWithGroup(const ObjectPointer& object) {
    if (object->selected) return false;
    if (!object->group) {
        selectObject(object);
        return true;
    }
    for (const ObjectPointer& member : object->group->getObjectList(*this)) selectObject(member);
    return true;
}

bool Scene::anySelectObject(const std::function<bool(const Object&)>& predicate) const {
    if (!selection.objects.empty())
        return std::any_of(selection.objects.begin(), selection.objects.end(),
                           [&](const ObjectPointer& object) { return predicate(*object); });
    return focusObject && focusObject->layer != -1 && predicate(*focusObject);
}

template <class Visit>
void Scene::forSelectSameEffect(const Object& object, const Effect::EffectBase& effect, Visit visit) const {
    if (selection.objects.empty()) return;
    const int index = object.indexOf(&effect);
    if (index < 0) return;
    for (const ObjectPointer& other : selection.objects) {
        if (other.get() == &object || index >= static_cast<int>(other->effectList.size())) continue;
        const EffectManager::EffectPointer& candidate = other->effectList[static_cast<std::size_t>(index)];
        if (candidate->name == effect.name) visit(other, candidate);
    }
}

std::vector<EffectManager::EffectPointer> Scene::getSelectSameEffect(const Object& object,
                                                                     const Effect::EffectBase& effect) const {
    std::vector<EffectManager::EffectPointer> list;
    forSelectSameEffect(object, effect,
                        [&](const ObjectPointer&, const EffectManager::EffectPointer& found) { list.push_back(found); });
    return list;
}

std::vector<std::pair<ObjectPointer, EffectManager::EffectPointer>> Scene::getSelectSameEffectPair(
    const Object& object, const Effect::EffectBase& effect) const {
    std::vector<std::pair<ObjectPointer, EffectManager::EffectPointer>> list;
    forSelectSameEffect(object, effect, [&](const ObjectPointer& other, const EffectManager::EffectPointer& found) {
        list.emplace_back(other, found);
    });
    return list;
}

}  // namespace Edit
