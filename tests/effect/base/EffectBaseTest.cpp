#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemText.h"

#include "effect/EffectTestSupport.h"

#include "media/audio/AudioBuffer.h"
#include "media/gpu/ResourceBuffer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace {

using EffectTest::errorOf;

// An argument of a type this test cannot build: the render contexts and
// anchor events live in folders above this one, and a frame target needs
// the GPU service. The slots under test throw before they touch it, so
// the argument is bare storage that no object of another type occupies.
template <class T>
T& unbuilt() {
    alignas(std::max_align_t) static unsigned char storage[4096];
    return *reinterpret_cast<T*>(storage);
}

// A kind with shared resources, made like the registry makes instances.
class Shiny : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = L"輝き";
    struct CommonResource {
        int shaders = 0;
    };

    Shiny()
        : EffectBase(Name, Effect::EffectKind::Filter, Effect::MediaKind::Video,
                     Effect::MediaKind::Video, L"光効果"),
          strength(items, L"強さ", 5, 5, 0, 10),
          enabled(items, L"有効", true),
          label(items, L"ラベル", L"abc") {}

    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Shiny>(); }
    void createResource() override { resource = std::make_shared<CommonResource>(); }
    void shareResource(const Effect::EffectBase& prototype) override {
        resource = dynamic_cast<const Shiny&>(prototype).resource;
    }

    Effect::EffectItemInteger strength;
    Effect::EffectItemCheck enabled;
    Effect::EffectItemText label;
    std::shared_ptr<CommonResource> resource;
};

TEST(EffectBase, InstancesShareTheKindsIdentityAndResources) {
    Shiny prototype;
    prototype.createResource();
    std::shared_ptr<Effect::EffectBase> first = prototype.create();
    first->shareResource(prototype);
    std::shared_ptr<Effect::EffectBase> second = prototype.create();
    second->shareResource(prototype);

    EXPECT_EQ(first->name, prototype.name);  // the same text, by address
    EXPECT_EQ(second->name, Shiny::Name);
    EXPECT_EQ(dynamic_cast<Shiny&>(*first).resource, prototype.resource);
    EXPECT_EQ(dynamic_cast<Shiny&>(*second).resource, prototype.resource);
    EXPECT_EQ(prototype.resource.use_count(), 3);
    EXPECT_EQ(first->id, prototype.id + 1);
    EXPECT_EQ(second->id, prototype.id + 2);
    EXPECT_GE(prototype.id, 1);
    EXPECT_STREQ(first->getDisplayName(), L"輝き");
    EXPECT_EQ(first->getDisplayName(), first->name);  // no translation: the name itself

    EXPECT_EQ(first->effectType, Effect::EffectKind::Filter);
    EXPECT_STREQ(first->category, L"光効果");
    EXPECT_FALSE(first->disable || first->hide || first->lock);
    ASSERT_EQ(first->items.size(), 3u);
    auto& shiny = dynamic_cast<Shiny&>(*first);
    EXPECT_EQ(first->items[0], &shiny.strength);
    EXPECT_EQ(first->items[2], &shiny.label);
    EXPECT_NE(second->items[0], first->items[0]);  // each instance lists its own items
}

TEST(EffectBase, SetItemDataCopiesByPosition) {
    Shiny source, target;
    source.strength.value = 9;
    source.enabled.value = false;
    source.label.text = L"xyz";
    source.disable = true;
    target.setItemData(source);
    EXPECT_EQ(target.strength.value, 9);
    EXPECT_FALSE(target.enabled.value);
    EXPECT_EQ(target.label.text, L"xyz");
    EXPECT_FALSE(target.disable);  // flags and identity stay
    EXPECT_NE(target.id, source.id);

    EffectTest::BareEffect fewer;
    Effect::EffectItemInteger only(fewer.items, L"強さ", 1, 1, 0, 10);
    EXPECT_EQ(errorOf([&] { target.setItemData(fewer); }),
              EffectTest::programError("different number of items.",
                                       "Effect::EffectBase::setItemData"));
    EXPECT_EQ(target.strength.value, 9);
}

TEST(EffectBase, BaseSlotsThatNeedAnOverrideSayNotImplemented) {
    EffectTest::BareEffect effect;
    std::unique_ptr<Media::ResourceBuffer> picture;
    std::unique_ptr<Media::AudioBuffer> audio;
    Media::AudioBuffer audioTarget;
    auto& context = unbuilt<Render::ObjectContext>();
    auto& audioContext = unbuilt<Render::AudioObjectContext>();
    auto& target = unbuilt<Media::RenderBuffer>();
    auto& anchor = unbuilt<Anchor::AnchorEvent>();
    struct Case {
        const char* place;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"Effect::EffectBase::inputVideo", [&] { effect.inputVideo(picture, context); }},
        {"Effect::EffectBase::outputVideo", [&] { effect.outputVideo(context, target, picture); }},
        {"Effect::EffectBase::filterVideo", [&] { effect.filterVideo(picture, context, nullptr); }},
        {"Effect::EffectBase::inputAudio", [&] { effect.inputAudio(audio, audioContext); }},
        {"Effect::EffectBase::outputAudio", [&] { effect.outputAudio(audioContext, audioTarget, audio); }},
        {"Effect::EffectBase::filterAudio", [&] { effect.filterAudio(audio, audioContext, nullptr); }},
        {"Effect::EffectBase::getLayerRange", [&] { effect.getLayerRange(); }},
        {"Effect::EffectBase::getWaveformPosition", [&] { effect.getWaveformPosition(context); }},
        {"Effect::EffectBase::anchorEvent", [&] { effect.anchorEvent(anchor); }},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.call), EffectTest::programError("not implement.", c.place));

    // Slots with something sensible to do.
    EXPECT_NO_THROW(effect.preloadVideo(context));
    EXPECT_NO_THROW(effect.drawAnchor(context, 10, 10));
    EXPECT_NO_THROW(effect.controlVideo(context));
    EXPECT_NO_THROW(effect.preloadAudio(audioContext));
    EXPECT_NO_THROW(effect.controlAudio(audioContext));
    EXPECT_EQ(effect.getInputEffectName(), nullptr);
    EXPECT_EQ(effect.getTrackCount(0), 0);
    EXPECT_FALSE(effect.getWaveform());
    Effect::EffectEvent event;
    event.code = Effect::EffectEvent::ShowInfo;
    EXPECT_FALSE(effect.effectEvent(event));
    EXPECT_FALSE(effect.isSupportedFile(L"a.png"));
}

}  // namespace

namespace {

// Records the events it hears.
class Listening : public Shiny {
public:
    bool effectEvent(Effect::EffectEvent& event) override {
        heard.push_back(event);
        return true;
    }
    std::vector<Effect::EffectEvent> heard;
};

TEST(EffectBase, OnlyItemsThatAskForItHearOfTheirChange) {
    auto effect = std::make_shared<Listening>();
    auto* scope = reinterpret_cast<Edit::EditScope*>(0x1000);  // passed on, never used here
    auto* object = reinterpret_cast<Edit::Object*>(0x2000);
    effect->notifyItemChange(scope, object, effect, effect->strength);
    EXPECT_TRUE(effect->heard.empty());
    effect->label.notifyChange = true;
    effect->notifyItemChange(scope, object, effect, effect->label);
    ASSERT_EQ(effect->heard.size(), 1u);
    const Effect::EffectEvent& event = effect->heard[0];
    EXPECT_EQ(event.code, Effect::EffectEvent::ItemChanged);
    EXPECT_EQ(event.scope, scope);
    EXPECT_EQ(event.object, object);
    EXPECT_EQ(event.effect, effect);
    EXPECT_EQ(event.item, &effect->label);
    effect->heard.clear();  // the kept event holds the effect: a cycle that would leak it
}

}  // namespace
