#pragma once
// The notification hub of the user-interface thread: eighteen listener
// lists, one per kind of change, and the dispatcher of the commands other
// threads post to the main window. A process-wide service
// (System::Singleton). The lists are touched on the user-interface thread
// only; other threads post commands (core/EventCommand.h).
#include "core/event/EventCommand.h"
#include "core/event/EventListenerList.h"

#include <deque>
#include <functional>
#include <memory>
#include <utility>

namespace Edit {
class Object;
}  // namespace Edit

namespace Render {
// The kind of a render request (1 preview, 2 playback, 3 one-shot).
enum class RenderTaskType : int;
}  // namespace Render

namespace Event {

class EventService {
public:
    EventService();
    ~EventService();
    EventService(const EventService&) = delete;
    EventService& operator=(const EventService&) = delete;

    // Removes every listener of the owner from all eighteen lists.
    void removeListener(const void* ownerKey);

    // Runs one command on the user-interface thread; a code outside the
    // table is logged and ignored. Heap payloads are freed in every case.
    void processEventCommandMessage(EventCommandType type, LPARAM payload);

    EventListenerList<void(int frame)> frameChange;                               // 0
    EventListenerList<void(int first, int count)> frameRangeView;                 // 1
    EventListenerList<void(int start, int end)> frameRangeSelect;                 // 2
    EventListenerList<void(std::shared_ptr<Edit::Object>&)> focusObjectChange;    // 3
    EventListenerList<void(int section)> settingSectionChange;                    // 4
    EventListenerList<void(int sceneId)> sceneChange;                             // 5
    EventListenerList<void(Render::RenderTaskType, int frame)> renderVideoFrame;  // 6
    EventListenerList<void(Render::RenderTaskType, int frame)> renderAudioLevel;  // 7
    EventListenerList<void()> preLoadComplete;                                    // 8
    EventListenerList<void(std::shared_ptr<Edit::Object>&)> objectUpdate;         // 9
    EventListenerList<void()> layerUpdate;                                        // 10
    EventListenerList<void()> selectObjectChange;                                 // 11
    EventListenerList<void()> bookmarkChange;                                     // 12
    EventListenerList<void(bool playing)> playStateChange;                        // 13
    EventListenerList<void()> applicationBegin;                                   // 14
    EventListenerList<void()> applicationEnd;                                     // 15
    EventListenerList<void()> projectClear;                                       // 16
    EventListenerList<void()> projectSave;                                        // 17

    // The end of an export (command 9), set by the output service while it
    // lives.
    std::function<void()> outputFileEnd;

    // While it answers true (a popup menu is open), failures to rethrow or
    // show and export ends wait; flushDeferredCommands runs them in the
    // order they came.
    std::function<bool()> deferCommands;
    void flushDeferredCommands();

private:
    void runCommand(EventCommandType type, LPARAM payload);

    std::deque<std::pair<EventCommandType, LPARAM>> deferred_;
};

}  // namespace Event
