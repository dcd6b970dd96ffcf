#pragma once
// The import of a legacy object exchange file ("qro"): ini text in the
// legacy code page with a "quorin" header (scene format) and numbered
// object sections "k" with effect sections "k.i". Layers and frames count
// from 1 there; an object with a non-zero "chain" continues the previous
// one and is joined to it; legacy effect, item and track texts are
// translated through the OldScript tables of effect.conf.
//
// User-interface thread, inside the edit scope the import opens.
#include "core/file/IniFile.h"
#include "edit/model/Project.h"

#include <functional>
#include <string>

namespace Edit::ProjectConvert {

// The effect name of a legacy effect section: "_name", or for the three
// legacy script kinds the script's "name", or the built-in script that
// effect.conf gives for its "type". Missing keys raise the ini texts.
std::wstring convertQroEffectName(const System::IniFile::SectionRef& section);
// A legacy track in the number item's text form.
std::string convertQroTrack(const std::string& text);

// Fills an empty scene from the file: name (the file's title), format and
// objects. Raises when the file cannot be read or its header is missing or
// unusable. A failing object is skipped and logged, and one error is posted
// once at the end; the result is how many objects failed.
int loadSceneFromQro(Scene& scene, const std::wstring& path);

// The whole import: a new scene (the smallest free id, listed after the
// last) filled from the file, then `show` (the caller's switch to it). On a
// failure of either the new scene is deleted again (unless it became the
// current scene), "シーンの読み込みに失敗しました" is posted and the result
// is empty.
ScenePointer importQroScene(Project& project, const std::wstring& path,
                            const std::function<void(Scene&)>& show = {});

}  // namespace Edit::ProjectConvert
