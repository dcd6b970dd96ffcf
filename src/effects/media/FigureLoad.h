#pragma once
// 図形: a figure of the figure list, or an SVG file, at a size, aspect, line
// width and colour.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemColor.h"
#include "effect/item/EffectItemComboFile.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "media/resource/FigureList.h"

#include <memory>

namespace Effect {

class FigureLoad : public BuiltinClass<FigureLoad>, public Resource::FigureResource {
public:
    static constexpr const wchar_t* Name = L"図形";
    FigureLoad();

    void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) override;
    // The figure's name, or the SVG file's name.
    const wchar_t* getDisplayName() const override;
    bool isSupportedFile(const wchar_t* path) const override;
    bool effectEvent(EffectEvent& event) override;

    // The picture's size for a size and an aspect (-100 to 100: above 0
    // narrower, below 0 lower); a side below one pixel gives none (0, 0).
    static void pictureSize(float size, float aspect, UINT& width, UINT& height);

    EffectItemFigureSelect figure;
    EffectItemNumber size;
    EffectItemNumber aspect;
    EffectItemNumber lineWidth;
    EffectItemColor color;
    EffectItemCheck roundCorners;

private:
    mutable std::wstring displayName_;
};

}  // namespace Effect
