#pragma once
// The base of every effect of an object's effect chain: identity, kind,
// media, flags, the parameter items and the virtual interface through which
// rendering, the preview, the settings window and the registry drive it.
//
// Kinds are told apart by the address of their static display-name text,
// which every instance shares with the registry's prototype: compare `name`
// pointers, never texts.
#include "core/file/IniFile.h"
#include "effect/base/EffectEvent.h"
#include "effect/base/OutputView.h"
#include "effect/item/EffectItem.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace Media {
class AudioBuffer;
class RenderBuffer;
class ResourceBuffer;
class WaveformBuffer;
}  // namespace Media
namespace Render {
class AudioObjectContext;
class ObjectContext;
}  // namespace Render
namespace Anchor {
struct AnchorEvent;
}
namespace Component {
class EffectSetting;
}

namespace Effect {

namespace EffectKind {
inline constexpr std::uint8_t Input = 1;
inline constexpr std::uint8_t Output = 2;
inline constexpr std::uint8_t Filter = 3;
inline constexpr std::uint8_t Control = 4;
}  // namespace EffectKind

namespace MediaKind {
inline constexpr std::uint8_t Video = 1;
inline constexpr std::uint8_t Audio = 2;
inline constexpr std::uint8_t VideoAudio = 3;
inline constexpr std::uint8_t Camera = 4;
inline constexpr std::uint8_t Scene = 5;  // target of scene changes and the time control
}  // namespace MediaKind

class EffectBase {
public:
    virtual ~EffectBase() = default;
    EffectBase(const EffectBase&) = delete;
    EffectBase& operator=(const EffectBase&) = delete;

    // Work calls. Pictures and sample blocks travel in exclusive owners: an
    // input is moved in, the result goes back through the owner passed first.
    virtual void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result,
                            Render::ObjectContext& context);
    virtual void preloadVideo(Render::ObjectContext& context);
    virtual void outputVideo(Render::ObjectContext& context, Media::RenderBuffer& target,
                             std::unique_ptr<Media::ResourceBuffer>& image);
    virtual void drawAnchor(Render::ObjectContext& context, int width, int height);
    // The object's draw state as this effect sees it: outputs start from
    // the context's view and apply their items.
    virtual OutputView getOutputView(Render::ObjectContext& context);
    virtual void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result,
                             Render::ObjectContext& context,
                             std::unique_ptr<Media::ResourceBuffer> input);
    virtual void controlVideo(Render::ObjectContext& context);
    virtual void inputAudio(std::unique_ptr<Media::AudioBuffer>& result,
                            Render::AudioObjectContext& context);
    virtual void preloadAudio(Render::AudioObjectContext& context);
    virtual void outputAudio(Render::AudioObjectContext& context, Media::AudioBuffer& target,
                             std::unique_ptr<Media::AudioBuffer>& audio);
    virtual void filterAudio(std::unique_ptr<Media::AudioBuffer>& result,
                             Render::AudioObjectContext& context,
                             std::unique_ptr<Media::AudioBuffer> input);
    virtual void controlAudio(Render::AudioObjectContext& context);

    // Name of the input effect an output effect creates its object with.
    virtual const wchar_t* getInputEffectName() const;
    // The label of the effect: the translated name unless a kind shows
    // something of its own (a file name, a text).
    virtual const wchar_t* getDisplayName() const;
    // Tracks of a media (0 video, 1 audio) in the loaded source.
    virtual int getTrackCount(int media) const;
    // Following layers a control object governs (0 = all).
    virtual int getLayerRange() const;
    virtual std::shared_ptr<Media::WaveformBuffer> getWaveform() const;
    virtual float getWaveformPosition(Render::ObjectContext& context);
    virtual bool anchorEvent(Anchor::AnchorEvent& event);
    virtual bool effectEvent(EffectEvent& event);
    // Tells the effect (effectEvent, ItemChanged) that one of its items was
    // edited, when the item asks for it; the answer is ignored. Called inside
    // the scope that made the change, after it. effect is this effect.
    void notifyItemChange(Edit::EditScope* scope, Edit::Object* object, const std::shared_ptr<EffectBase>& effect,
                          EffectItem& item);
    virtual bool isSupportedFile(const wchar_t* path) const;
    // Set-up of a fresh instance before stored values are copied in.
    virtual void initialize();
    virtual void updateItemVisible();
    virtual void setupSetting(Component::EffectSetting& setting);
    // A new instance of the same class (shares no resources by itself).
    virtual std::shared_ptr<EffectBase> create() const = 0;
    // Builds the class's shared resources once, on the registry's prototype.
    virtual void createResource();
    // Gives a new instance the prototype's shared resources.
    virtual void shareResource(const EffectBase& prototype);

    // Copies every item value from an instance of the same class, position
    // by position; flags and identity stay.
    void setItemData(const EffectBase& other);

    // The keys of an effect section (project, alias and defaults files):
    // effect.name, the flags that are set, then one line per item. The
    // caller writes the section header. A value holding a CR, LF or NUL
    // throws the program's exception naming its key.
    void saveIniSectionParameter(System::IniFile::Save& save) const;
    // Flags and item values of such a section (effect.name is the caller's).
    // A malformed flag throws; a malformed item value is logged and skipped.
    void loadIniSectionParameter(const System::IniFile::SectionRef& section);
    // An effect section of the legacy exchange file.
    void loadQroSectionParameter(const System::IniFile::SectionRef& section);
    // The item a legacy key is translated to by effect.conf, or null.
    EffectItem* findQroItem(const std::wstring& key) const;
    // The first item with exactly that name, or null.
    EffectItem* findItem(const std::wstring& itemName) const;

    // Instance number: a process-wide count of constructions, from 1.
    const std::int64_t id;
    const wchar_t* const name;
    std::uint8_t effectType;
    std::uint8_t mediaType;
    std::uint8_t targetType;
    const wchar_t* category;
    // In declaration order; the items are members of the derived object.
    ItemList items;
    bool disable = false;
    bool hide = false;
    bool lock = false;

protected:
    // Derived constructors name the kind here, then construct their items.
    EffectBase(const wchar_t* name, std::uint8_t effectType, std::uint8_t mediaType,
               std::uint8_t targetType, const wchar_t* category);

private:
    static std::atomic<std::int64_t> instanceCounter;
};

}  // namespace Effect
