#pragma once
// What a file drop on the preview window does, from the dropped paths
// alone: a language file, a project to open, or media and object presets
// to put on the layers at the cursor frame.
#include <functional>
#include <string>
#include <vector>

namespace Edit {
class Scene;
}

namespace Component {

enum class PreviewDropKind { None, Language, Modules, Project, Layers };

// modulesInstallable: whether every path can be installed as a module;
// supported: whether a media object can be made of a file.
PreviewDropKind classifyPreviewDrop(const std::vector<std::wstring>& paths, bool modulesInstallable,
                                    const std::function<bool(const std::wstring&)>& supported);

// The tooltip of an accepted drag, by kind (empty for None).
const wchar_t* previewDropTooltip(PreviewDropKind kind);

// The first layer from the timeline's top shown layer down that holds no
// object at the frame, searching no further than the scene's last used
// layer plus one.
int firstFreeLayer(const Edit::Scene& scene, int frame);

// A scene a dropped file may adapt to: no used layer, nothing longer
// than frame 0 and nothing on layer 0.
bool isEmptyScene(const Edit::Scene& scene);

// Whether the timeline separates a dropped movie's sound into objects of
// its own; the timeline fills it while it lives.
std::function<bool()>& separateVideoAudioSetting();

}  // namespace Component
