#include "edit/command/ObjectEditCommand.h"

#include "edit/command/CutCommand.h"
#include "edit/command/EditCommandTestSupport.h"
#include "effect/base/EffectEvent.h"
#include "support/LogCapture.h"

#include <stdexcept>

namespace {

using EditTest::chainNames;
using EditTest::kFigure;
namespace EditCommand = Edit::EditCommand;

class ObjectEdit : public CommandTest::EditFixture {};

TEST_F(ObjectEdit, DeleteTakesTheSelectionElseTheFocusElseDoesNothing) {
    const auto a = place(0, 0, 9);
    const auto b = place(1, 0, 9);
    const auto c = place(2, 0, 9);
    TestSupport::LogCapture log;
    EditCommand::deleteObject(edit);
    EXPECT_TRUE(log.of(System::Log::INFO).empty());
    EXPECT_EQ(placement(), "0:0,9 1:0,9 2:0,9");

    select({a, c});
    expectUndoRedo([&] { EditCommand::deleteObject(edit); });
    EXPECT_EQ(placement(), "1:0,9");
    EXPECT_TRUE(scene().selection.objects.empty());
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::deleteObject", "delete object num=2"), 1);

    scene().setFocusObject(b);
    EditCommand::deleteObject(edit);
    EXPECT_EQ(placement(), "");
    EXPECT_FALSE(scene().focusObject);
}

TEST_F(ObjectEdit, SplitAtABoundaryAndInsideASection) {
    struct Case {
        int frame;
        std::string expected;
    };
    // Boundaries at 50 and 80 of an object 0 .. 99.
    const std::vector<Case> cases = {
        {50, "0:0,49 0:50,80,99"},      // on a boundary: it starts the right piece
        {30, "0:0,29 0:30,50,80,99"},   // inside the first section
        {65, "0:0,50,64 0:65,80,99"},   // inside the middle section
        {99, "0:0,50,80,98 0:99,99"},   // the end frame: a one-frame right piece
        {0, "0:0,50,80,99"},            // the start frame: not split
        {100, "0:0,50,80,99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        edit.project.clear();
        edit.setCurrentScene(0);
        const auto object = place(0, 0, 99);
        object->addSection(50, nullptr);
        object->addSection(80, nullptr);
        scene().setFocusObject(object);
        EditCommand::splitObject(edit, c.frame);
        EXPECT_EQ(placement(), c.expected);
    }
}

TEST_F(ObjectEdit, SplitGivesNewGroupsAndPassesTheFocusRight) {
    const auto b = place(1, 0, 99);
    const auto c = place(2, 10, 99);
    const auto d = place(3, 0, 99);
    const auto group = std::make_shared<Edit::Group>();
    for (const auto& object : {b, c, d}) object->setGroup(group);
    select({b, c});
    scene().setFocusObject(c);
    TestSupport::LogCapture log;
    const auto piece = [&](int layer, int index) { return scene().getLayerObjectList(layer).objects.at(index); };
    expectUndoRedo([&] {
        EditCommand::splitObject(edit, 40);
        EXPECT_EQ(scene().focusObject, piece(2, 1));
    });
    EXPECT_EQ(placement(), "1:0,39 1:40,99 2:10,39 2:40,99 3:0,99");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::splitObject", "split object num=2 frame=40"), 1);

    EXPECT_EQ(piece(1, 0)->group, piece(2, 0)->group);
    EXPECT_EQ(piece(1, 1)->group, piece(2, 1)->group);
    EXPECT_NE(piece(1, 0)->group, piece(1, 1)->group);
    EXPECT_NE(piece(1, 0)->group, group);
    EXPECT_EQ(group->getObjectList(scene()), std::vector<Edit::ObjectPointer>{d});
}

// A movie whose file has `tracks` audio tracks; it keeps the track events.
class TrackMovie : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = L"トラック動画";
    TrackMovie() : EffectBase(Name, Effect::EffectKind::Input, Effect::MediaKind::VideoAudio,
                              Effect::MediaKind::VideoAudio, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<TrackMovie>(); }
    int getTrackCount(int media) const override { return media == 0 ? videoTracks : tracks; }
    bool effectEvent(Effect::EffectEvent& event) override {
        if (event.code == Effect::EffectEvent::AudioSplit) events.push_back(event.track);
        return true;
    }

    Effect::EffectItemNumber x{items, L"X", 0, -100, 100, 1};
    static inline int tracks = 1;
    static inline int videoTracks = 1;
    static inline std::vector<int> events;
};

class SeparateAudio : public ObjectEdit {
protected:
    SeparateAudio() {
        registry.service.registerEffect<TrackMovie>();
        TrackMovie::tracks = 1;
        TrackMovie::videoTracks = 1;
        TrackMovie::events.clear();
    }
};

TEST_F(SeparateAudio, EachTrackGoesToTheNextFreeLayerBelow) {
    TrackMovie::tracks = 2;
    const auto movie = place(0, 10, 59, TrackMovie::Name);
    place(1, 30, 40);
    place(3, 70, 80);
    scene().setFocusObject(movie);
    ASSERT_TRUE(EditCommand::canSeparateAudioObject(edit));
    TestSupport::LogCapture log;
    expectUndoRedo([&] { EditCommand::separateAudioObject(edit); });
    EXPECT_EQ(placement(), "0:10,59 1:30,40 2:10,59 3:10,59 3:70,80");
    EXPECT_EQ(TrackMovie::events, (std::vector<int>{0, 1}));
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::separateAudioObject", "separate audio layer=0"), 1);
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(chainNames(*movie), (Names{TrackMovie::Name, L"標準描画"}));
    for (int layer : {2, 3})
        EXPECT_EQ(chainNames(*scene().getLayerObjectList(layer).objects.front()),
                  (Names{TrackMovie::Name, L"音声再生"}));
}

TEST_F(SeparateAudio, OneTrackSendsNoTrackEventAndOtherTargetsAreRefused) {
    const auto movie = place(0, 0, 9, TrackMovie::Name);
    const auto figure = place(1, 0, 9);
    select({movie, figure});
    EXPECT_FALSE(EditCommand::canSeparateAudioObject(edit));
    scene().selection.clear();
    select({figure});
    EXPECT_FALSE(EditCommand::canSeparateAudioObject(edit));
    EditCommand::separateAudioObject(edit);
    EXPECT_EQ(placement(), "0:0,9 1:0,9");

    // A file without a picture has nothing to keep apart from its sound.
    scene().selection.clear();
    select({movie});
    TrackMovie::videoTracks = 0;
    EXPECT_FALSE(EditCommand::canSeparateAudioObject(edit));
    TrackMovie::videoTracks = 1;
    EditCommand::separateAudioObject(edit);
    EXPECT_EQ(placement(), "0:0,9 1:0,9 2:0,9");
    EXPECT_TRUE(TrackMovie::events.empty());
}

}  // namespace

namespace {

// An input that fails when told it was split.
class Brittle : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = L"割れない図形";
    Brittle() : EffectBase(Name, Effect::EffectKind::Input, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Brittle>(); }
    bool effectEvent(Effect::EffectEvent& event) override {
        if (event.code == Effect::EffectEvent::ObjectSplit) throw std::runtime_error("cannot split");
        return true;
    }
};

class FailedSplit : public ObjectEdit {
protected:
    FailedSplit() { registry.service.registerEffect<Brittle>(); }
};

TEST_F(FailedSplit, KeepsWhatWasDoneAndLeavesNoStrayPieces) {
    select({place(0, 0, 99), place(1, 0, 99, Brittle::Name)});
    const std::string before = savedContent();
    EXPECT_THROW(EditCommand::splitObject(edit, 40), std::runtime_error);
    EXPECT_EQ(placement(), "0:0,39 0:40,99 1:0,99");
    undo.undo();
    EXPECT_EQ(savedContent(), before);

    scene().selectStartFrame = 10;
    scene().selectEndFrame = 19;
    // The failure ends the cut before its gaps are closed.
    EXPECT_THROW(Edit::EditCommand::cutObject(edit, true), std::runtime_error);
    EXPECT_EQ(placement(), "0:0,9 0:20,99 1:0,99");
    undo.undo();
    EXPECT_EQ(savedContent(), before);
}

}  // namespace
