#pragma once
// 画像ファイル: a still image file, or one picture of a numbered sequence
// chosen by the object's frame or by an animated number. Pictures come from
// the GPU picture cache.
//
// The sequence is examined lazily on the first frame that needs it after
// the path or a notified item changed; the render thread reads it while the
// user-interface thread may reset it, so it is kept under a lock.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemFile.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "render/cache/CacheService.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace Effect {

class ImageLoad : public BuiltinClass<ImageLoad>, public Cache::CacheInstance {
public:
    static constexpr const wchar_t* Name = L"画像ファイル";
    ImageLoad();

    void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) override;
    void preloadVideo(Render::ObjectContext& context) override;
    bool isSupportedFile(const wchar_t* path) const override;
    const wchar_t* getDisplayName() const override;
    void updateItemVisible() override;
    bool effectEvent(EffectEvent& event) override;

    // The file shown at the context's frame: the path itself unless the
    // sequence is on and its folder holds numbered files.
    std::wstring getSequenceFileName(const Render::ObjectContext& context);
    // The information tooltip's text: the path alone when the file does not
    // open; none without a path.
    bool getImageInfoText(std::wstring& text) const;

    EffectItemFile file;
    EffectItemNumber number;
    EffectItemCheck sequence;

private:
    struct Sequence {
        bool scanned = false;
        std::wstring prefix;
        std::wstring suffix;
        int first = 0;
        int last = 0;
        // Number -> its digits as the file name writes them.
        std::unordered_map<int, std::wstring> numbers;
    };
    void scanSequence();
    void resetSequence();

    std::mutex mutex_;
    Sequence sequence_;
    mutable std::wstring displayName_;
};

}  // namespace Effect
