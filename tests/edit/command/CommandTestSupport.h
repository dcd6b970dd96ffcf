#pragma once
// An edit service over the test registry with a place to save the project:
// objects are placed through edit scopes, and the saved file is read back
// as one short line per object ("layer frame-list [gN]").
#include "core/file/IniFile.h"
#include "edit/model/Project.h"
#include "edit/scope/EditScope.h"
#include "edit/scope/ScopeTestSupport.h"

#include "core/CoreTestSupport.h"

#include <string>
#include <vector>

namespace CommandTest {

class Fixture : public ScopeTest::Fixture {
public:
    // A figure object on the layer, in an edit of its own without undo.
    Edit::ObjectPointer place(int layer, int start, int end, const wchar_t* effect = EditTest::kFigure) {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        return scene().createObject(effect, layer, start, end);
    }

    // The bytes of the project file.
    std::string saved() {
        const std::wstring path = folder.wide("project.mvp2");
        Edit::Project::saveProjectFile(edit.project, path);
        return CoreTest::readBytes(folder.file("project.mvp2"));
    }

    // Per saved object: its layer and frame lines, and its group number.
    std::vector<std::string> objectLines() {
        saved();
        System::IniFile file;
        file.loadFile(folder.wide("project.mvp2").c_str());
        std::vector<std::string> lines;
        for (int n = 0;; ++n) {
            const System::IniFile::SectionRef section = file.getSection(std::to_string(n));
            if (section.empty()) break;
            std::string line = section.findValue("layer").text + " " + section.findValue("frame").text;
            if (const std::string& group = section.findValue("group").text; !group.empty()) line += " g" + group;
            lines.push_back(line);
        }
        return lines;
    }

    CoreTest::TempFolder folder;
};

}  // namespace CommandTest
