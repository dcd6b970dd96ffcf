// The edit commands that bring files into the project as new scenes.
#include "edit/service/EditService.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "edit/file/ProjectConvert.h"
#include "edit/scope/EditScope.h"

namespace Edit {

bool EditService::importQroScene(const std::wstring& path) {
    EditScope scope(*this);
    return ProjectConvert::importQroScene(project, path, [&](Scene& scene) {
               markModified();
               scope.notifySceneChange = true;
               scope.sceneId = scene.id;
               setCurrentScene(scene.id);
               System::Log::info("Edit::EditService::updateScene", "set current scnene [%s](%d)",
                                 System::String::toUtf8(scene.name).c_str(), scene.id);
           }) != nullptr;
}

}  // namespace Edit
