#pragma once
// An edit service over the test registry, with the event service that its
// scopes notify and the undo service that records their changes.
#include "core/event/EventService.h"
#include "edit/EditTestSupport.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"

#include <chrono>
#include <thread>

namespace ScopeTest {

class Fixture {
public:
    Edit::Scene& scene() { return *edit.getCurrentScene(); }

    // Whether another thread could take the project lock shared at once.
    bool lockFree() {
        bool taken = false;
        std::thread([&] {
            taken = edit.getLock().tryLockSharedFor(std::chrono::milliseconds(0));
            if (taken) edit.getLock().unlockShared();
        }).join();
        return taken;
    }

    EditTest::Registry registry;
    System::Singleton<Event::EventService> events;
    System::Singleton<Undo::UndoService> undoHolder;
    Undo::UndoService& undo = *System::Singleton<Undo::UndoService>::getInstance();
    Edit::EditService edit{&registry.service};
};

}  // namespace ScopeTest
