#include "effect/item/EffectItemMaskSelect.h"

#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"
#include "effect/item/EffectItemFile.h"

namespace Effect {

namespace {

EffectItemMaskSelect::SceneSource& sceneSource() {
    static EffectItemMaskSelect::SceneSource source;
    return source;
}

EffectItemMaskSelect::SceneList projectScenes() {
    return sceneSource() ? sceneSource()() : EffectItemMaskSelect::SceneList{};
}

}  // namespace

void EffectItemMaskSelect::setSceneSource(SceneSource source) {
    sceneSource() = std::move(source);
}

EffectItemMaskSelect::EffectItemMaskSelect(ItemList& items, std::wstring name,
                                           EffectItemSelect::SharedList& figures,
                                           EffectItemCheck* fitCheck)
    : EffectItem(items, ItemType::MaskSelect, std::move(name)),
      figures(&figures),
      fitCheck(fitCheck) {}

void EffectItemMaskSelect::copyFrom(const EffectItem& other) {
    const auto& source = sameKind<EffectItemMaskSelect>(other);
    figure = source.figure;
    scene = source.scene;
    path = source.path;
}

bool EffectItemMaskSelect::equals(const EffectItem& other) const {
    const auto& source = sameKind<EffectItemMaskSelect>(other);
    return figure == source.figure && scene == source.scene && path == source.path;
}

std::unique_ptr<EffectItem> EffectItemMaskSelect::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemMaskSelect(*this));
}

std::string EffectItemMaskSelect::toString() const {
    if (scene >= 0) {
        for (const auto& [id, sceneName] : projectScenes())
            if (id == scene) return System::String::toUtf8(sceneName);
        return {};
    }
    if (figure >= 0) return System::String::toUtf8(figures->getName(figure));
    return System::String::toUtf8(path);
}

void EffectItemMaskSelect::fromString(const std::string& text) {
    // A text with a NUL or a line break is refused: the item keeps its source.
    const std::wstring wide = StdConvert::toWideLine(text);
    int value = 0;
    if (figures->findName(wide, value)) {
        figure = value;
        scene = -1;
        path.clear();
        return;
    }
    for (const auto& [id, sceneName] : projectScenes()) {
        if (sceneName == wide) {
            setScene(id);
            return;
        }
    }
    if (!wide.empty() && (wide.find(L'.') != std::wstring::npos || wide[0] == L'*'))
        setFilePath(wide.c_str());
}

const wchar_t* EffectItemMaskSelect::getFilePath() const { return path.c_str(); }

void EffectItemMaskSelect::setFilePath(const wchar_t* newPath) {
    if (!newPath || !*newPath) return;
    // "*name" names an image of the render pass, never a file.
    path = checkedLine(newPath[0] == L'*' ? std::wstring(newPath) : expandedPath(newPath),
                       "Effect::EffectItemMaskSelect::setFilePath");
    figure = -1;
    scene = -1;
}

void EffectItemMaskSelect::setScene(int sceneId) {
    path.clear();
    for (const auto& [id, sceneName] : projectScenes()) {
        if (id == sceneId) {
            scene = sceneId;
            figure = -1;
            return;
        }
    }
    figure = figures->firstValue();
    scene = -1;
}

}  // namespace Effect
