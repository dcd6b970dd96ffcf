#include "core/event/UserInterface.h"

#include <atomic>

namespace System {

namespace {
std::atomic<UserInterface*> installed{nullptr};
}  // namespace

UserInterface* UserInterface::current() { return installed.load(std::memory_order_acquire); }

void UserInterface::install(UserInterface* ui) { installed.store(ui, std::memory_order_release); }

}  // namespace System
