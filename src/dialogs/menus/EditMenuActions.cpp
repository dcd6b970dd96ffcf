#include "dialogs/menus/EditMenuActions.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "edit/command/CommandTargets.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/command/SectionCommand.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effects/media/InputMovieEffect.h"
#include "plugin/input/InputService.h"
#include "render/cache/CacheService.h"
#include "window/MenuPanelCalls.h"

#include <algorithm>
#include <iterator>
#include <mutex>

namespace Menu::EditActions {

namespace {

bool onLayer(const Edit::ObjectPointer& object) { return object && object->layer != -1; }

// Some object of the selection, or the focus object when nothing is
// selected, satisfies the predicate.
bool anyTarget(const Edit::Scene& scene, const std::function<bool(const Edit::Object&)>& predicate) {
    return scene.anySelectObject(predicate);
}

void storeRange(Edit::EditService& edit, int start, int end) {
    Edit::Scene& scene = *edit.getCurrentScene();
    if (scene.selectStartFrame == start && scene.selectEndFrame == end) return;
    scene.selectStartFrame = start;
    scene.selectEndFrame = end;
    if (const auto& repaint = Window::menuPanelCalls().repaintTimeGauge) repaint();
    if (auto* events = System::Singleton<Event::EventService>::getInstance())
        events->frameRangeSelect.notify(start, end);
}

template <class Cache>
void emptyCache(Cache& cache) {
    cache.cache.worker().waitAllTasks();
    std::lock_guard lock(cache.cache.mutex());
    cache.cache.eraseIf([](const auto&) { return true; });
}

}  // namespace

bool hasTarget(const Edit::Scene& scene) {
    return !scene.selection.objects.empty() || onLayer(scene.focusObject);
}

bool hasRange(const Edit::Scene& scene) { return scene.selectStartFrame >= 0 && scene.selectEndFrame >= 0; }

bool canSplit(const Edit::Scene& scene) {
    const int cursor = scene.cursorFrame;
    return anyTarget(scene, [cursor](const Edit::Object& o) { return o.start < cursor && cursor <= o.end; });
}

bool canAddSection(const Edit::Scene& scene) {
    const int cursor = scene.cursorFrame;
    return anyTarget(scene, [cursor](const Edit::Object& o) {
        return o.start <= cursor && cursor <= o.end && o.isInsideSection(cursor);
    });
}

bool canDeleteSection(const Edit::Scene& scene) {
    const int cursor = scene.cursorFrame;
    return anyTarget(scene, [cursor](const Edit::Object& o) {
        return o.start <= cursor && cursor <= o.end && Edit::EditCommand::canDeleteSection(o, cursor);
    });
}

bool canGroup(const Edit::Scene& scene) { return scene.selection.objects.size() > 1; }

bool canUngroup(const Edit::Scene& scene) {
    const auto& selected = scene.selection.objects;
    if (selected.empty()) return onLayer(scene.focusObject) && scene.focusObject->group != nullptr;
    for (const Edit::ObjectPointer& object : selected)
        if (!object->group) return false;
    return true;
}

void setRangeStart(Edit::EditService& edit) {
    const Edit::Scene& scene = *edit.getCurrentScene();
    const int cursor = scene.cursorFrame;
    const int end = scene.selectEndFrame;
    if (end >= 0 && cursor <= end) return storeRange(edit, cursor, end);
    const int last = std::max(scene.totalLength, 0);
    if (cursor <= last)
        storeRange(edit, cursor, last);
    else
        storeRange(edit, last, cursor);
}

void setRangeEnd(Edit::EditService& edit) {
    const Edit::Scene& scene = *edit.getCurrentScene();
    const int cursor = scene.cursorFrame;
    const int start = scene.selectStartFrame;
    if (start >= 0 && start <= cursor) return storeRange(edit, start, cursor);
    storeRange(edit, 0, cursor);
}

void clearRange(Edit::EditService& edit) {
    const Edit::Scene& scene = *edit.getCurrentScene();
    if (scene.selectStartFrame == -1 && scene.selectEndFrame == -1) return;
    storeRange(edit, -1, -1);
}

void focusObjectAtCursor(Edit::EditService& edit) {
    const Edit::Scene& scene = *edit.getCurrentScene();
    const int count = scene.lastLayer + 1;
    if (count <= 0) return;
    const int cursor = scene.cursorFrame;
    const Edit::ObjectPointer& focus = scene.focusObject;
    const bool focusCovers = onLayer(focus) && focus->start <= cursor && cursor <= focus->end;
    const int first = focusCovers ? focus->layer + 1 : 0;
    for (int k = 0; k < count; ++k) {
        const Edit::LayerObjectList& list = scene.getLayerObjectList((first + k) % count);
        const auto found = list.lowerBoundByEndFrame(cursor);
        if (found == list.objects.end() || (*found)->start > cursor) continue;
        if (*found != focus) edit.setFocusObject(*found);
        return;
    }
}

void focusNextObject(Edit::EditService& edit) {
    const Edit::Scene& scene = *edit.getCurrentScene();
    const Edit::ObjectPointer focus = scene.focusObject;
    if (!focus) return;
    const Edit::LayerObjectList& list = scene.getLayerObjectList(focus->layer);
    const auto next = list.lowerBoundByEndFrame(focus->end + 1);
    if (next == list.objects.end()) return;
    const Edit::ObjectPointer object = *next;
    edit.setFocusObject(object);
    edit.setCurrentFrame(object->start);
}

void focusPreviousObject(Edit::EditService& edit) {
    const Edit::Scene& scene = *edit.getCurrentScene();
    const Edit::ObjectPointer focus = scene.focusObject;
    if (!focus) return;
    const Edit::LayerObjectList& list = scene.getLayerObjectList(focus->layer);
    const auto after = list.upperBoundByStartFrame(focus->start - 1);
    if (after == list.objects.begin()) return;
    const Edit::ObjectPointer object = *std::prev(after);
    edit.setFocusObject(object);
    edit.setCurrentFrame(object->start);
}

void toggleObjectVisible(Edit::EditService& edit) {
    const std::vector<Edit::ObjectPointer> targets = Edit::EditCommand::getTargets(*edit.getCurrentScene());
    if (targets.empty() || targets.front()->effectList.empty()) return;
    Edit::EditCommand::setEnableObject(edit, targets, targets.front()->effectList.front()->disable);
}

void discardCaches(Edit::EditService& edit) { discardCachesAnd(edit, {}); }

void discardCachesAnd(Edit::EditService& edit, const std::function<void()>& alsoInScope) {
    Edit::EditScope scope(edit);
    scope.rebuildSetting = true;
    scope.refreshTimeSetting = true;
    scope.refreshColorSetting = true;
    scope.refreshTextSetting = true;
    scope.notifyObjectUpdate = true;
    if (auto* caches = System::Singleton<Cache::CacheService>::getInstance()) {
        emptyCache(caches->imageCache);
        emptyCache(caches->audioCache);
        emptyCache(caches->modelCache);
        emptyCache(caches->vramCache);
        emptyCache(caches->waveformCache);
    }
    if (auto* inputs = System::Singleton<Plugin::InputService>::getInstance()) inputs->clearFileCache();
    // Every media object reads its file's length, rate and format again.
    for (const Edit::ScenePointer& scene : edit.project.getSceneList())
        for (int layer = 0; layer < scene->getLayerCount(); ++layer)
            for (const Edit::ObjectPointer& object : scene->getLayerObjectList(layer).objects)
                for (const auto& effect : object->effectList)
                    if (auto* media = dynamic_cast<const Effect::InputMovieEffect*>(effect.get()))
                        const_cast<Effect::InputMovieEffect*>(media)->invalidateMediaInfo();
    if (alsoInScope) alsoInScope();
}

}  // namespace Menu::EditActions
