#pragma once
// The mixin base of every owner of event listeners. Its address is the key
// under which the owner registers all of its callbacks, and its destruction
// removes them from every list. It neither creates nor counts the event
// service, which outlives every owner.
#include "core/event/EventService.h"
#include "core/base/Singleton.h"

namespace Event {

class EventInstance {
protected:
    EventInstance() : eventService(System::Singleton<EventService>::getInstance()) {}
    ~EventInstance() {
        if (eventService) eventService->removeListener(this);
    }
    EventInstance(const EventInstance& other) : eventService(other.eventService) {}
    EventInstance& operator=(const EventInstance&) { return *this; }

    // The owner key of this owner's listeners.
    const void* eventKey() const { return this; }

    EventService* eventService;
};

}  // namespace Event
