#include "effect/base/EffectBase.h"

#include "core/base/Exception.h"
#include "effect/registry/EffectTranslate.h"

namespace Effect {

namespace {

[[noreturn]] void notImplemented(const char* place) {
    throw System::makeException(place, "not implement.");
}

}  // namespace

// Effects are also made on render threads (scripts create them by name).
std::atomic<std::int64_t> EffectBase::instanceCounter{0};

EffectBase::EffectBase(const wchar_t* name, std::uint8_t effectType, std::uint8_t mediaType,
                       std::uint8_t targetType, const wchar_t* category)
    : id(++instanceCounter),
      name(name),
      effectType(effectType),
      mediaType(mediaType),
      targetType(targetType),
      category(category) {}

void EffectBase::inputVideo(std::unique_ptr<Media::ResourceBuffer>&, Render::ObjectContext&) {
    notImplemented("Effect::EffectBase::inputVideo");
}

void EffectBase::preloadVideo(Render::ObjectContext&) {}

void EffectBase::outputVideo(Render::ObjectContext&, Media::RenderBuffer&,
                             std::unique_ptr<Media::ResourceBuffer>&) {
    notImplemented("Effect::EffectBase::outputVideo");
}

void EffectBase::drawAnchor(Render::ObjectContext&, int, int) {}

OutputView EffectBase::getOutputView(Render::ObjectContext&) {
    notImplemented("Effect::EffectBase::getOutputView");
}

void EffectBase::filterVideo(std::unique_ptr<Media::ResourceBuffer>&, Render::ObjectContext&,
                             std::unique_ptr<Media::ResourceBuffer>) {
    notImplemented("Effect::EffectBase::filterVideo");
}

void EffectBase::controlVideo(Render::ObjectContext&) {}

void EffectBase::inputAudio(std::unique_ptr<Media::AudioBuffer>&, Render::AudioObjectContext&) {
    notImplemented("Effect::EffectBase::inputAudio");
}

void EffectBase::preloadAudio(Render::AudioObjectContext&) {}

void EffectBase::outputAudio(Render::AudioObjectContext&, Media::AudioBuffer&,
                             std::unique_ptr<Media::AudioBuffer>&) {
    notImplemented("Effect::EffectBase::outputAudio");
}

void EffectBase::filterAudio(std::unique_ptr<Media::AudioBuffer>&, Render::AudioObjectContext&,
                             std::unique_ptr<Media::AudioBuffer>) {
    notImplemented("Effect::EffectBase::filterAudio");
}

void EffectBase::controlAudio(Render::AudioObjectContext&) {}

const wchar_t* EffectBase::getInputEffectName() const { return nullptr; }

const wchar_t* EffectBase::getDisplayName() const { return translateEffectText(name); }

int EffectBase::getTrackCount(int) const { return 0; }

int EffectBase::getLayerRange() const { notImplemented("Effect::EffectBase::getLayerRange"); }

std::shared_ptr<Media::WaveformBuffer> EffectBase::getWaveform() const { return {}; }

float EffectBase::getWaveformPosition(Render::ObjectContext&) {
    notImplemented("Effect::EffectBase::getWaveformPosition");
}

bool EffectBase::anchorEvent(Anchor::AnchorEvent&) {
    notImplemented("Effect::EffectBase::anchorEvent");
}

bool EffectBase::effectEvent(EffectEvent&) { return false; }

void EffectBase::notifyItemChange(Edit::EditScope* scope, Edit::Object* object,
                                  const std::shared_ptr<EffectBase>& effect, EffectItem& item) {
    if (!item.notifyChange) return;
    EffectEvent event;
    event.code = EffectEvent::ItemChanged;
    event.scope = scope;
    event.object = object;
    event.effect = effect;
    event.item = &item;
    (void)effectEvent(event);
}

bool EffectBase::isSupportedFile(const wchar_t*) const { return false; }

void EffectBase::initialize() {}

void EffectBase::updateItemVisible() {}

void EffectBase::setupSetting(Component::EffectSetting&) {}

void EffectBase::createResource() {}

void EffectBase::shareResource(const EffectBase&) {}

void EffectBase::setItemData(const EffectBase& other) {
    if (items.size() != other.items.size())
        throw System::makeException("Effect::EffectBase::setItemData", "different number of items.");
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->copyFrom(*other.items[i]);
}

}  // namespace Effect
