#pragma once
// Commands that other threads hand to the user-interface thread: a WM_USER
// message to the main window with the command code in wParam and the
// payload in lParam, run there by Event::EventService.
//
// A heap payload (commands 4, 5, 6 and 8) belongs to the receiver from the
// moment it is posted. Post heap payloads only through postEventCommand
// with a unique_ptr: a payload whose command never runs (the window is gone,
// or the loop ended first) is freed here instead of being lost.
#include "platform/WinTypes.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace Media {
class ImageBuffer;
}  // namespace Media

namespace Event {

enum class EventCommandType : std::uint32_t {
    RenderVideoFrame = 0,   // payload: frame number (posted)
    RenderAudioLevel = 1,   // payload: frame number (posted)
    PreLoadComplete = 2,    // payload: 0 (posted)
    CallEditSection = 3,    // payload: the plugin's edit callback (sent)
    RethrowException = 4,   // payload: heap std::exception (posted)
    ShowException = 5,      // payload: heap std::exception (posted)
    ShowError = 6,          // payload: heap std::wstring (posted)
    WindowLayout = 7,       // payload: 0 (posted)
    SetClipboardImage = 8,  // payload: heap shared picture (posted)
    OutputFileEnd = 9,      // payload: 0 (posted)
};

using PayloadDeleter = void (*)(void*);

// Any thread. Posts a command with a plain payload; false when there is no
// main window to take it.
bool postEventCommand(EventCommandType type, LPARAM payload);

// Any thread. Posts a command with a heap payload, which the receiver owns
// from now on; when the post fails the payload is freed at once. The
// payload is passed as the type the receiver takes it as.
bool postOwnedPayload(EventCommandType type, void* payload, PayloadDeleter deleter);
// Commands 4 and 5.
bool postEventCommand(EventCommandType type, std::unique_ptr<std::exception> payload);
// Command 6.
bool postEventCommand(EventCommandType type, std::unique_ptr<std::wstring> payload);
// Command 8: the picture stays alive until the receiver has used it.
bool postEventCommand(EventCommandType type, std::shared_ptr<Media::ImageBuffer> picture);

// The receiver's side: ownership of a payload posted through
// postEventCommand; null for anything else (a payload already freed, or one
// posted around this file), which is left alone.
template <class T>
std::unique_ptr<T> takeEventPayload(LPARAM payload);

// Any thread. Runs the command on the user-interface thread and returns
// after it ran; the payload stays the sender's. Called on the
// user-interface thread it runs at once. An exception the command raises
// stays on the user-interface thread. When the command cannot run (no main
// window, or the loop ended before it) the call returns without it.
void sendEventCommand(EventCommandType type, LPARAM payload);

// The main window's WM_USER handling: runs a posted or sent command through
// the event service (nothing when there is none).
void dispatchEventMessage(WPARAM wParam, LPARAM lParam);

// The event service's end: frees the payloads of commands that never ran
// and releases senders still waiting.
void discardPendingCommands();

// Set by the event service, which is created on the user-interface thread.
void setUserInterfaceThread();
bool isUserInterfaceThread();

namespace Detail {
// Removes a payload from the pending list; true when it was there.
bool claimPayload(LPARAM payload);
}  // namespace Detail

template <class T>
std::unique_ptr<T> takeEventPayload(LPARAM payload) {
    if (!Detail::claimPayload(payload)) return nullptr;
    return std::unique_ptr<T>(reinterpret_cast<T*>(payload));
}

}  // namespace Event
