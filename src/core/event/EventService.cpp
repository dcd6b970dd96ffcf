#include "core/event/EventService.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Process.h"
#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/event/UserInterface.h"

#include <string>

namespace Event {

namespace {

// The task type of frames and levels that arrive through commands 0 and 1.
constexpr auto kPreviewTask = static_cast<Render::RenderTaskType>(1);

}  // namespace

EventService::EventService() { setUserInterfaceThread(); }

EventService::~EventService() { discardPendingCommands(); }

void EventService::removeListener(const void* ownerKey) {
    frameChange.remove(ownerKey);
    frameRangeView.remove(ownerKey);
    frameRangeSelect.remove(ownerKey);
    focusObjectChange.remove(ownerKey);
    settingSectionChange.remove(ownerKey);
    sceneChange.remove(ownerKey);
    renderVideoFrame.remove(ownerKey);
    renderAudioLevel.remove(ownerKey);
    preLoadComplete.remove(ownerKey);
    objectUpdate.remove(ownerKey);
    layerUpdate.remove(ownerKey);
    selectObjectChange.remove(ownerKey);
    bookmarkChange.remove(ownerKey);
    playStateChange.remove(ownerKey);
    applicationBegin.remove(ownerKey);
    applicationEnd.remove(ownerKey);
    projectClear.remove(ownerKey);
    projectSave.remove(ownerKey);
}

void EventService::flushDeferredCommands() {
    while (!deferred_.empty() && !(deferCommands && deferCommands())) {
        const auto [type, payload] = deferred_.front();
        deferred_.pop_front();
        runCommand(type, payload);
    }
}

void EventService::processEventCommandMessage(EventCommandType type, LPARAM payload) {
    const bool deferrable = type == EventCommandType::RethrowException || type == EventCommandType::ShowException ||
                            type == EventCommandType::ShowError || type == EventCommandType::OutputFileEnd;
    // Behind those already waiting, so the order holds.
    if (deferrable && ((deferCommands && deferCommands()) || !deferred_.empty())) {
        deferred_.emplace_back(type, payload);
        flushDeferredCommands();
        return;
    }
    runCommand(type, payload);
}

void EventService::runCommand(EventCommandType type, LPARAM payload) {
    switch (type) {
    case EventCommandType::RenderVideoFrame:
        renderVideoFrame.notify(kPreviewTask, static_cast<int>(payload));
        break;
    case EventCommandType::RenderAudioLevel:
        renderAudioLevel.notify(kPreviewTask, static_cast<int>(payload));
        break;
    case EventCommandType::PreLoadComplete:
        preLoadComplete.notify();
        break;
    case EventCommandType::CallEditSection:
        // The plugin host runs the plugin's edit callback here once it exists.
        break;
    case EventCommandType::RethrowException: {
        auto failure = takeEventPayload<std::exception>(payload);
        if (!failure) break;
        const std::string text = failure->what();
        failure.reset();
        // The program is already ending through the first one; the later
        // ones were logged by their workers.
        if (System::Process::exceptionOccurred) break;
        throw System::Exception(text);
    }
    case EventCommandType::ShowException: {
        auto failure = takeEventPayload<std::exception>(payload);
        if (!failure) break;
        const System::Exception shown(failure->what());
        failure.reset();
        Dialog::showException(shown);
        break;
    }
    case EventCommandType::ShowError: {
        const auto text = takeEventPayload<std::wstring>(payload);
        if (text) Dialog::showError(L"%ls", text->c_str());
        break;
    }
    case EventCommandType::WindowLayout:
        if (auto* ui = System::UserInterface::current()) ui->requestLayout();
        break;
    case EventCommandType::SetClipboardImage: {
        const auto picture = takeEventPayload<std::shared_ptr<Media::ImageBuffer>>(payload);
        auto* ui = System::UserInterface::current();
        if (picture && *picture && ui) ui->setClipboardImage(**picture);
        break;
    }
    case EventCommandType::OutputFileEnd:
        if (outputFileEnd) outputFileEnd();
        break;
    default:
        System::Log::warn("Event::EventService::processEventCommandMessage", "unknown EventCommandType.");
        break;
    }
}

}  // namespace Event
