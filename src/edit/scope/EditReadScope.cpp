#include "edit/scope/EditReadScope.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "edit/service/EditService.h"

namespace Edit {

EditReadScope::EditReadScope(EditService& service)
    : eventService(System::Singleton<Event::EventService>::getInstance()) {
    ProjectLock& projectLock = service.getLock();
    projectLock.lockShared();
    lock = &projectLock;
    scene = service.getCurrentScene();
}

EditReadScope::~EditReadScope() {
    if (lock) {
        lock->unlockShared();
        lock = nullptr;
    }
    scene.reset();
}

}  // namespace Edit
