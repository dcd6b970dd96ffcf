#pragma once
// "標準描画": the default output of objects that make a picture.
#include "render/output/BasicOutput.h"

namespace Effect {

class VideoOutput : public BasicOutput {
public:
    static constexpr wchar_t Name[] = L"標準描画";
    VideoOutput() : BasicOutput(Name, MediaKind::Video) {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<VideoOutput>(); }
};

}  // namespace Effect
