#pragma once
// A render task's view of the project: holds the project lock shared and a
// copy of the current scene taken under it, so the task never sees a
// half-done edit. Opened by the render workers for one frame or one audio
// block; any number may be open at once. Never nested on one thread.
#include "edit/model/Scene.h"

namespace Event {
class EventService;
}  // namespace Event

namespace Edit {

class EditService;
class ProjectLock;

class EditReadScope {
public:
    explicit EditReadScope(EditService& service);
    ~EditReadScope();
    EditReadScope(const EditReadScope&) = delete;
    EditReadScope& operator=(const EditReadScope&) = delete;

    // A read scope lives on a worker thread, where the listener lists may
    // not be touched, so it registers none and removes none.
    Event::EventService* eventService;
    ScenePointer scene;
    ProjectLock* lock = nullptr;
};

}  // namespace Edit
