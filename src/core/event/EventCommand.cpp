#include "core/event/EventCommand.h"

#include "core/event/EventService.h"
#include "core/base/Singleton.h"
#include "core/thread/SyncEvent.h"
#include "platform/gtk/MessageQueue.h"
#include "core/event/UserInterface.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Event {

namespace {

static_assert(sizeof(WPARAM) == 8, "the sent flag lives above the 32-bit command code");

// In wParam above the command code: lParam is a SentCommand, not the
// payload.
constexpr WPARAM kSentFlag = WPARAM{1} << 32;

struct SentCommand {
    EventCommandType type;
    LPARAM payload;
    Sync::Event done;
};

// Shared with every posting thread.
struct Pending {
    std::mutex mutex;
    std::unordered_map<LPARAM, PayloadDeleter> payloads;  // posted, not yet taken
    std::unordered_set<SentCommand*> sent;                // senders waiting
};

Pending& pending() {
    static Pending* p = new Pending;  // posts may come while statics are destroyed
    return *p;
}

std::atomic<std::thread::id> userInterfaceThread;

Platform::WindowHandle mainWindow() {
    const auto* ui = System::UserInterface::current();
    return ui ? ui->commandWindow() : nullptr;
}

EventService* service() { return System::Singleton<EventService>::getInstance(); }

}  // namespace

namespace Detail {

bool claimPayload(LPARAM payload) {
    Pending& p = pending();
    std::lock_guard lock(p.mutex);
    return p.payloads.erase(payload) != 0;
}

}  // namespace Detail

bool postEventCommand(EventCommandType type, LPARAM payload) {
    return Platform::postMessage(mainWindow(), Platform::WM_USER, static_cast<WPARAM>(type), payload);
}

bool postOwnedPayload(EventCommandType type, void* payload, PayloadDeleter deleter) {
    if (!payload) return postEventCommand(type, 0);
    const LPARAM key = reinterpret_cast<LPARAM>(payload);
    {
        Pending& p = pending();
        std::lock_guard lock(p.mutex);
        p.payloads.emplace(key, deleter);
    }
    if (postEventCommand(type, key)) return true;
    if (Detail::claimPayload(key)) deleter(payload);
    return false;
}

bool postEventCommand(EventCommandType type, std::unique_ptr<std::exception> payload) {
    return postOwnedPayload(type, payload.release(), [](void* p) { delete static_cast<std::exception*>(p); });
}

bool postEventCommand(EventCommandType type, std::unique_ptr<std::wstring> payload) {
    return postOwnedPayload(type, payload.release(), [](void* p) { delete static_cast<std::wstring*>(p); });
}

bool postEventCommand(EventCommandType type, std::shared_ptr<Media::ImageBuffer> picture) {
    using Picture = std::shared_ptr<Media::ImageBuffer>;
    return postOwnedPayload(type, new Picture(std::move(picture)), [](void* p) { delete static_cast<Picture*>(p); });
}

void sendEventCommand(EventCommandType type, LPARAM payload) {
    if (isUserInterfaceThread()) {
        if (EventService* events = service()) events->processEventCommandMessage(type, payload);
        return;
    }
    SentCommand command{type, payload, {}};
    Pending& p = pending();
    {
        std::lock_guard lock(p.mutex);
        p.sent.insert(&command);
    }
    if (Platform::postMessage(mainWindow(), Platform::WM_USER, kSentFlag | static_cast<WPARAM>(type),
                              reinterpret_cast<LPARAM>(&command)))
        command.done.wait();
    std::lock_guard lock(p.mutex);
    p.sent.erase(&command);
}

void dispatchEventMessage(WPARAM wParam, LPARAM lParam) {
    EventService* events = service();
    if (!(wParam & kSentFlag)) {
        if (events)
            events->processEventCommandMessage(
                static_cast<EventCommandType>(static_cast<std::uint32_t>(wParam)), lParam);
        return;
    }
    auto* command = reinterpret_cast<SentCommand*>(lParam);
    {
        Pending& p = pending();
        std::lock_guard lock(p.mutex);
        // Gone when its sender was released already.
        if (p.sent.erase(command) == 0) return;
    }
    // The sender goes on once the command ran, also when it failed.
    struct Release {
        SentCommand* command;
        ~Release() { command->done.set(); }
    } release{command};
    if (events) events->processEventCommandMessage(command->type, command->payload);
}

void discardPendingCommands() {
    std::unordered_map<LPARAM, PayloadDeleter> payloads;
    std::vector<SentCommand*> waiting;
    {
        Pending& p = pending();
        std::lock_guard lock(p.mutex);
        payloads.swap(p.payloads);
        waiting.assign(p.sent.begin(), p.sent.end());
        p.sent.clear();
    }
    for (const auto& [payload, deleter] : payloads) deleter(reinterpret_cast<void*>(payload));
    for (SentCommand* command : waiting) command->done.set();
}

void setUserInterfaceThread() { userInterfaceThread = std::this_thread::get_id(); }

bool isUserInterfaceThread() { return userInterfaceThread.load() == std::this_thread::get_id(); }

}  // namespace Event
