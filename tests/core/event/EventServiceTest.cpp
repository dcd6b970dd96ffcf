#include "core/event/EventInstance.h"
#include "core/event/EventService.h"

#include "core/CoreTestSupport.h"
#include "core/base/Process.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <utility>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace Render {
enum class RenderTaskType : int { ObjectTask = 0, Preview = 1, Playback = 2, OneShot = 3 };
}  // namespace Render

namespace {

// Counts the payloads alive, so a test sees each one freed.
int livePayloads = 0;

struct CountedException : std::runtime_error {
    explicit CountedException(const char* text) : std::runtime_error(text) { ++livePayloads; }
    ~CountedException() override { --livePayloads; }
};

class EventServiceTest : public ::testing::Test {
protected:
    void SetUp() override { livePayloads = 0; }
    void TearDown() override { System::Process::exceptionOccurred = false; }

    Event::EventService& events() { return *System::Singleton<Event::EventService>::getInstance(); }

    System::Singleton<Event::EventService> holder;
    std::vector<std::string> calls;
};

// A panel-like owner: registers under its own key in its constructor.
class Owner : public Event::EventInstance {
public:
    Owner(std::string name, std::vector<std::string>& calls) : name_(std::move(name)), calls_(calls) {
        eventService->frameChange.add(eventKey(), [this](int frame) { record("frame", frame); });
        eventService->frameChange.add(eventKey(), [this](int frame) { record("frame again", frame); });
        eventService->sceneChange.add(eventKey(), [this](int scene) { record("scene", scene); });
        eventService->projectSave.add(eventKey(), [this] { record("save", 0); });
    }

private:
    void record(const char* what, int value) {
        calls_.push_back(name_ + " " + what + " " + std::to_string(value));
    }
    std::string name_;
    std::vector<std::string>& calls_;
};

TEST_F(EventServiceTest, ListenersRunInRegistrationOrderAndGoWithTheirOwner) {
    auto a = std::make_unique<Owner>("a", calls);
    Owner b("b", calls);
    auto c = std::make_unique<Owner>("c", calls);
    events().frameChange.notify(5);
    EXPECT_EQ(calls, (std::vector<std::string>{"a frame 5", "a frame again 5", "b frame 5",
                                               "b frame again 5", "c frame 5", "c frame again 5"}));
    a.reset();
    calls.clear();
    events().frameChange.notify(6);
    events().sceneChange.notify(2);
    events().projectSave.notify();
    EXPECT_EQ(calls, (std::vector<std::string>{"b frame 6", "b frame again 6", "c frame 6",
                                               "c frame again 6", "b scene 2", "c scene 2",
                                               "b save 0", "c save 0"}));
    c.reset();
    EXPECT_EQ(events().frameChange.size(), 2u);
    EXPECT_EQ(events().projectSave.size(), 1u);
}

// One row per list: an owner's entries go from every one of them, and
// only the owner's.
template <class List>
std::pair<std::function<void(const void*)>, std::function<std::size_t()>> listRow(
    Event::EventService& events, List Event::EventService::*list) {
    return {[&events, list](const void* owner) { (events.*list).add(owner, nullptr); },
            [&events, list] { return (events.*list).size(); }};
}

TEST_F(EventServiceTest, RemovingAnOwnerEmptiesEveryListOfItsEntriesOnly) {
    using S = Event::EventService;
    Event::EventService& e = events();
    const std::pair<const char*, decltype(listRow(e, &S::frameChange))> rows[] = {
        {"frameChange", listRow(e, &S::frameChange)},
        {"frameRangeView", listRow(e, &S::frameRangeView)},
        {"frameRangeSelect", listRow(e, &S::frameRangeSelect)},
        {"focusObjectChange", listRow(e, &S::focusObjectChange)},
        {"settingSectionChange", listRow(e, &S::settingSectionChange)},
        {"sceneChange", listRow(e, &S::sceneChange)},
        {"renderVideoFrame", listRow(e, &S::renderVideoFrame)},
        {"renderAudioLevel", listRow(e, &S::renderAudioLevel)},
        {"preLoadComplete", listRow(e, &S::preLoadComplete)},
        {"objectUpdate", listRow(e, &S::objectUpdate)},
        {"layerUpdate", listRow(e, &S::layerUpdate)},
        {"selectObjectChange", listRow(e, &S::selectObjectChange)},
        {"bookmarkChange", listRow(e, &S::bookmarkChange)},
        {"playStateChange", listRow(e, &S::playStateChange)},
        {"applicationBegin", listRow(e, &S::applicationBegin)},
        {"applicationEnd", listRow(e, &S::applicationEnd)},
        {"projectClear", listRow(e, &S::projectClear)},
        {"projectSave", listRow(e, &S::projectSave)},
    };
    static_assert(std::size(rows) == 18);
    const int leaving = 0;
    const int staying = 0;
    for (const auto& [name, row] : rows) {
        row.first(&leaving);
        row.first(&staying);
        row.first(&leaving);
    }
    e.removeListener(&leaving);
    for (const auto& [name, row] : rows) EXPECT_EQ(row.second(), 1u) << name;
    e.removeListener(&staying);
    for (const auto& [name, row] : rows) EXPECT_EQ(row.second(), 0u) << name;
}

TEST_F(EventServiceTest, AWalkSkipsListenersRemovedDuringItAndLeavesAddedOnesForTheNext) {
    auto& list = events().layerUpdate;
    int laterOwner = 0;
    list.add(&calls, [&] {
        calls.push_back("first");
        // Removes an owner further down, and adds one at the end.
        events().removeListener(&laterOwner);
        list.add(&calls, [&] { calls.push_back("added"); });
    });
    list.add(&laterOwner, [&] { calls.push_back("removed"); });
    list.add(&calls, [&] {
        calls.push_back("self");
        events().removeListener(&calls);  // its own entries, this one included
    });
    list.notify();
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "self"}));
    EXPECT_TRUE(list.empty());
}

TEST_F(EventServiceTest, AnEmptyCallbackOrAFailingOneEndsTheWalk) {
    auto& list = events().bookmarkChange;
    list.add(&calls, [&] { calls.push_back("before"); });
    list.add(&calls, nullptr);
    list.add(&calls, [&] { calls.push_back("after"); });
    EXPECT_THROW(list.notify(), std::bad_function_call);
    EXPECT_EQ(calls, (std::vector<std::string>{"before"}));

    auto& playing = events().playStateChange;
    playing.add(&calls, [](bool) { throw std::runtime_error("listener failed"); });
    playing.add(&calls, [&](bool) { calls.push_back("not reached"); });
    EXPECT_THROW(playing.notify(true), std::runtime_error);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(EventServiceTest, FrameAndLevelCommandsNotifyTheirListsAsPreviewResults) {
    auto record = [&](const char* list) {
        return [this, list](Render::RenderTaskType type, int frame) {
            calls.push_back(std::string(list) + " " + std::to_string(static_cast<int>(type)) + " " +
                            std::to_string(frame));
        };
    };
    events().renderVideoFrame.add(&calls, record("video 1"));
    events().renderVideoFrame.add(&calls, record("video 2"));
    events().renderAudioLevel.add(&calls, record("audio"));
    events().preLoadComplete.add(&calls, [&] { calls.push_back("preload"); });
    events().processEventCommandMessage(Event::EventCommandType::RenderVideoFrame, 120);
    events().processEventCommandMessage(Event::EventCommandType::RenderAudioLevel, 7);
    events().processEventCommandMessage(Event::EventCommandType::PreLoadComplete, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"video 1 1 120", "video 2 1 120", "audio 1 7", "preload"}));
}

TEST_F(EventServiceTest, AnUnknownCommandCodeIsLoggedOnceAndDoesNothingElse) {
    CoreTest::LogLines log;
    events().frameChange.add(&calls, [&](int) { calls.push_back("frame"); });
    events().processEventCommandMessage(static_cast<Event::EventCommandType>(10), 0);
    const auto warnings = log.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].tag, "Event::EventService::processEventCommandMessage");
    EXPECT_EQ(warnings[0].text, "unknown EventCommandType.");
    EXPECT_TRUE(log.of(System::Log::ERROR).empty());
    EXPECT_TRUE(calls.empty());
}

TEST_F(EventServiceTest, AHeapPayloadWhosePostFailsIsFreedAtOnce) {
    // No main window here: nothing can take the command.
    EXPECT_FALSE(Event::postEventCommand(Event::EventCommandType::RethrowException,
                                         std::make_unique<CountedException>("lost")));
    EXPECT_EQ(livePayloads, 0);
}

TEST_F(EventServiceTest, ASentCommandOnTheUserInterfaceThreadRunsAtOnce) {
    events().preLoadComplete.add(&calls, [&] { calls.push_back("preload"); });
    Event::sendEventCommand(Event::EventCommandType::PreLoadComplete, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"preload"}));
}

}  // namespace
