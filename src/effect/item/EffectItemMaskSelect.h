#pragma once
// The source of a mask: a figure, a scene of the project, a named temporary
// image of the render pass ("*name") or an image file. States:
//   figure: figure >= 0, scene -1, empty path
//   scene:  scene >= 0
//   path:   figure -1, scene -1, path set
#include "effect/item/EffectItemSelect.h"

#include <functional>
#include <utility>
#include <vector>

namespace Media {
class ResourceBuffer;
}
namespace Render {
class ObjectContext;
}

namespace Effect {

class EffectItemCheck;

class EffectItemMaskSelect : public EffectItem {
public:
    // The project's scenes (id, name) in the project's order.
    using SceneList = std::vector<std::pair<int, std::wstring>>;
    using SceneSource = std::function<SceneList()>;

    // Set by the edit service while a project exists; without it no scene is
    // known.
    static void setSceneSource(SceneSource source);

    // Starts at figure 1. fitCheck: the owning effect's
    // "シーンの長さを合わせる" check, or null.
    EffectItemMaskSelect(ItemList& items, std::wstring name,
                         EffectItemSelect::SharedList& figures,
                         EffectItemCheck* fitCheck = nullptr);

    // Figure, scene and path.
    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    // First match wins: a figure name, a scene name, a text holding "." or
    // beginning with "*"; any other text changes nothing. A text holding a
    // NUL or a line break throws std::invalid_argument and changes nothing.
    void fromString(const std::string& text) override;
    const wchar_t* getFilePath() const override;
    void setFilePath(const wchar_t* path) override;

    // Selects a scene; falls back to the first figure when the project has
    // no such scene.
    void setScene(int sceneId);

    // Render time, on the render threads (built with the render context).
    // The mask picture, owned by the caller; empty when there is no mask.
    std::unique_ptr<Media::ResourceBuffer> getMaskImage(Render::ObjectContext& context, int width,
                                                        int height) const;
    // Starts loading what getMaskImage will need.
    void preloadMask(Render::ObjectContext& context) const;
    // Seconds into a scene mask: since the object began, or the whole
    // referenced scene stretched over the object when the fit check is set.
    double getSceneTime(const Render::ObjectContext& context) const;

    EffectItemSelect::SharedList* figures;
    int figure = 1;
    int scene = -1;
    std::wstring path;
    EffectItemCheck* fitCheck;

protected:
    EffectItemMaskSelect(const EffectItemMaskSelect& other) = default;
};

}  // namespace Effect
