#include "edit/model/Project.h"

#include "edit/EditTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace EditTest;

class ProjectFile : public ::testing::Test {
protected:
    Registry registry;
    CoreTest::TempFolder folder;

    std::string file(const char* name) const { return (folder.path() / name).string(); }
    static std::wstring wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

    std::string save(const Edit::Project& project, const char* name = "p.mvp2") {
        Edit::Project::saveProjectFile(project, wide(file(name)));
        return CoreTest::readBytes(file(name));
    }
    // A fresh project read from the text.
    std::unique_ptr<Edit::Project> load(const std::string& text) {
        CoreTest::writeBytes(file("in.mvp2"), text);
        auto project = std::make_unique<Edit::Project>(&registry.service);
        Edit::Project::loadProjectFile(*project, wide(file("in.mvp2")));
        return project;
    }
    int objectWarnings() {
        int count = 0;
        for (const auto& line : registry.env.log.of(System::Log::WARN))
            count += line.tag == "Edit::Project::loadProjectFile";
        return count;
    }
};

// Written out from the file's layout: a new scene has the Edit group's
// built-in defaults.
const std::string kNewProject =
    "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n"
    "[scene.0]\r\nscene=0\r\nname=Root\r\nvideo.width=1920\r\nvideo.height=1080\r\n"
    "video.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\ncursor.frame=0\r\ndisplay.frame=0\r\n"
    "display.layer=0\r\ndisplay.zoom=10000\r\ndisplay.order=0\r\ndisplay.camera=\r\n"
    "display.grid.x=16,-16\r\ndisplay.grid.y=16,-16\r\ndisplay.grid.width=200\r\n"
    "display.grid.height=200\r\ndisplay.grid.step=200.000000\r\ndisplay.grid.range=10000.000000\r\n"
    "display.tempo.bpm=120.000000\r\ndisplay.tempo.beat=4\r\ndisplay.tempo.offset=0.000000\r\n";

TEST_F(ProjectFile, ANewProjectIsWrittenByteForByte) {
    Edit::Project project(&registry.service);
    project.getOrCreateScene(0);
    EXPECT_EQ(save(project), kNewProject);
}

TEST_F(ProjectFile, AFailedWriteKeepsTheOldFileAndRaises) {
    CoreTest::writeBytes(file("p.mvp2"), "old project");
    Edit::Project project(&registry.service);
    project.getOrCreateScene(0)->name = std::wstring(4096, L'x');
    {
        CoreTest::FileSizeLimit limit(1024);
        EXPECT_THROW(Edit::Project::saveProjectFile(project, wide(file("p.mvp2"))), std::exception);
    }
    EXPECT_EQ(CoreTest::readBytes(file("p.mvp2")), "old project");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(ProjectFile, TwoScenesWithGroupsLayersAndFlagsSurviveAReloadByteForByte) {
    Edit::Project project(&registry.service);
    project.path = L"/home/u/work.mvp2";
    project.currentSceneId = 2;
    project.getOrCreateScene(0);
    for (const int id : {1, 2}) {
        Edit::Scene& scene = *project.getOrCreateScene(id);
        auto group = std::make_shared<Edit::Group>();
        for (const int layer : {0, 2}) {
            Edit::ObjectPointer object = scene.createObject(kFigure, layer, 0, 59);
            object->setGroup(group);
            object->addSection(30, nullptr);
            xOf(*object->effectList[0]).fromString("5,7,9,直線移動,0");
        }
        scene.updateLayerObject();
    }
    Edit::Scene& first = *project.getScene(1);
    first.name = L"シーン１";
    first.camera[0] = 12.5f;
    first.gridX.clear();
    first.getLayerObjectListGrow(6).layer->name = L"背景";  // beyond the last object
    first.getLayerObjectListGrow(2).layer->lock = true;
    const Edit::ObjectPointer& hidden = first.getLayerObjectList(0).objects[0];
    hidden->camera = false;
    hidden->clipping = true;
    hidden->effectList[0]->hide = true;
    hidden->addEffect(kBlur, hidden->getMidPointCount(), nullptr)->disable = true;
    first.setFocusObject(hidden);
    project.getScene(2)->getLayerObjectList(2).objects[0]->releaseGroup();
    project.pluginData["tool"] = {{"b", "2"}, {"a", "1"}};

    const std::string written = save(project);
    for (const char* line : {"[0]\r\nlayer=0\r\nscene=1\r\nfocus=1\r\nframe=0,30,59\r\ncamera=0\r\nclipping=1\r\ngroup=1\r\n",
                             "[2]\r\nlayer=0\r\nscene=2\r\nframe=0,30,59\r\ngroup=2\r\n[2.0]",
                             "[3]\r\nlayer=2\r\nscene=2\r\nframe=0,30,59\r\n[3.0]",
                             "[layer.1]\r\nlayer=6\r\nscene=1\r\nname=背景\r\n",
                             "[0.2]\r\neffect.name=ぼかし\r\neffect.disable=1\r\n",
                             "display.grid.x=\r\n", "[plugin.0]\r\nplugin.name=tool\r\na=1\r\nb=2\r\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line;

    auto reloaded = load(written);
    EXPECT_EQ(save(*reloaded, "again.mvp2"), written);
    EXPECT_EQ(objectWarnings(), 0);
    const Edit::Scene& scene = *reloaded->getScene(1);
    EXPECT_EQ(scene.getLayerObjectList(0).objects[0]->group, scene.getLayerObjectList(2).objects[0]->group);
    EXPECT_NE(scene.getLayerObjectList(0).objects[0]->group,
              reloaded->getScene(2)->getLayerObjectList(0).objects[0]->group);
}

const std::string kScene0 = "[scene.0]\nscene=0\nvideo.width=640\nvideo.height=480\nvideo.rate=24\nvideo.scale=1\n";

TEST_F(ProjectFile, MissingKeysReadAsTheirDefaults) {
    Edit::Scene::zoomSteps = {10000, 20000};
    auto project = load("[project]\ndisplay.scene=1\n" + kScene0 +
                        "[scene.1]\nscene=1\nvideo.width=1\nvideo.height=1\nvideo.rate=1\nvideo.scale=1\n"
                        "display.zoom=12345\ndisplay.grid.y=\ndisplay.grid.step=\naudio.rate=\n"
                        "[scene.2]\nscene=3\nvideo.width=1\nvideo.height=1\nvideo.rate=1\nvideo.scale=1\n"
                        "display.zoom=20000\ndisplay.order=-4\n"
                        "[layer.0]\nlayer=9\nname=n\nlock=7\n[layer.1]\nlayer=-1\nname=lost\n"
                        "[0]\nlayer=1\nframe=3,8\n[0.0]\neffect.name=図形\n");
    Edit::Scene::zoomSteps.clear();
    EXPECT_EQ(project->currentSceneId, 1);
    const Edit::Scene& root = *project->getScene(0);
    EXPECT_EQ(root.name, L"Root");
    EXPECT_EQ(root.audioRate, 48000);  // not the Edit group's 44100
    EXPECT_EQ(root.listOrder, 0);
    EXPECT_EQ(root.cameraToString(), "");
    EXPECT_EQ(root.gridX, (std::vector<int>{16, -16}));
    EXPECT_EQ(root.gridStep, 200.0f);
    EXPECT_EQ(root.tempoBeatTime, 4);
    const Edit::Scene& second = *project->getScene(1);
    EXPECT_EQ(second.name, L"Scene1");
    EXPECT_EQ(second.zoom.zoom, 10000);
    EXPECT_EQ(second.listOrder, 1);
    EXPECT_EQ(second.gridY, std::vector<int>{});  // present but empty: the user's empty list
    EXPECT_EQ(second.gridStep, 200.0f);
    EXPECT_EQ(second.audioRate, 48000);  // present but empty
    EXPECT_EQ(project->getScene(3)->zoom.zoom, 20000);
    EXPECT_EQ(project->getScene(3)->listOrder, -4);

    ASSERT_EQ(root.getLayerCount(), 10);
    EXPECT_EQ(root.getLayerObjectList(9).layer->name, L"n");
    EXPECT_TRUE(root.getLayerObjectList(9).layer->lock);
    EXPECT_FALSE(root.getLayerObjectList(9).layer->hide);
    const Edit::Object& object = *root.getLayerObjectList(1).objects.at(0);
    EXPECT_EQ(std::tuple(object.start, object.end, object.camera, object.clipping), std::tuple(3, 8, true, false));
    EXPECT_EQ(object.boundaries, std::vector<int>{});
    EXPECT_EQ(object.group, nullptr);
    EXPECT_EQ(root.lastLayer, 1);  // the table was updated
}

TEST_F(ProjectFile, AFailingObjectIsSkippedAndTheRestLoads) {
    const std::string good = "[0]\nlayer=0\nframe=0,9\n[0.0]\neffect.name=図形\n";
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"[1]\nlayer=1\nframe=5\n[1.0]\neffect.name=図形\n", "not enough frame number list."},
        {"[1]\nlayer=1\nframe=0,59,30\n[1.0]\neffect.name=図形\n", "invalid frame number list."},
        {"[1]\nlayer=1\nframe=10,5\n[1.0]\neffect.name=図形\n", "invalid frame number list."},
        {"[1]\nlayer=1\nframe=0,20,20,40\n[1.0]\neffect.name=図形\n", "invalid frame number list."},
        {"[1]\nlayer=1\nframe=-5,40\n[1.0]\neffect.name=図形\n", "invalid frame number list."},
        {"[1]\nlayer=1\nframe=0,x,9\n[1.0]\neffect.name=図形\n", "invalid format(int)"},
        {"[1]\nlayer=1\nframe=0,99999999999\n[1.0]\neffect.name=図形\n", "invalid format(int)"},
        {"[1]\nlayer=-1\nframe=0,9\n[1.0]\neffect.name=図形\n", "invalid layer number."},
        {"[1]\nframe=0,9\n[1.0]\neffect.name=図形\n", "ini file parameter undefined."},
        {"[1]\nlayer=1\nframe=0,9\ngroup=4\n", "no effect defined."},
        {"[1]\nlayer=1\nframe=0,9\ngroup=4\n[1.0]\neffect.name=ない\n", "not found effect."},
    };
    for (const auto& [object, message] : bad) {
        registry.env.log.clear();
        auto project = load(kScene0 + good + object + "[2]\nlayer=2\nframe=1,4,9\ngroup=4\n[2.0]\neffect.name=図形\n");
        const Edit::Scene& scene = *project->getScene(0);
        EXPECT_EQ(scene.getLayerObjectList(0).objects.size(), 1u) << object;
        EXPECT_TRUE(scene.getLayerObjectList(1).objects.empty()) << object;
        ASSERT_EQ(scene.getLayerObjectList(2).objects.size(), 1u) << object;
        // The failed member left its group: only the object that loaded is in it.
        EXPECT_EQ(scene.getLayerObjectList(2).objects[0]->group->members.size(), 1u) << object;
        EXPECT_EQ(scene.getLayerObjectList(2).objects[0]->boundaries, std::vector<int>{3}) << object;
        const auto warnings = registry.env.log.of(System::Log::WARN);
        ASSERT_EQ(objectWarnings(), 1) << object;
        bool named = false;
        for (const auto& line : warnings) named |= line.text.find(message) != std::string::npos;
        EXPECT_TRUE(named) << object;
    }
}

TEST_F(ProjectFile, UnusableFilesAreErrorsNotEmptyProjects) {
    Edit::Project project(&registry.service);
    EXPECT_THROW(Edit::Project::loadProjectFile(project, wide(file("missing.mvp2"))), std::exception);
    EXPECT_THROW(Edit::Project::loadProjectFile(project, wide(folder.path().string())), std::exception);
    const std::string broken[] = {
        "",                                                  // no scene at all
        std::string("\x00\xff\x13garbage", 10),              // not ini text
        "[scene.0]\nscene=0\nvideo.width=640\n",             // a required key missing
        "[scene.0]\nscene=0\nvideo.width=640\nvideo.height=480\nvideo.rate=30\nvideo.scale=0\n",
        kScene0 + "audio.rate=0\n",                       // outside the scene dialog's 1 .. 3072000
        kScene0 + "audio.rate=3072001\n",
        kScene0 + "audio.rate=2000000000\n",
        kScene0 + "[layer.0]\nname=x\n",                     // layer without its number
        kScene0 + "[layer.0]\nlayer=1\nlock=yes\n",
    };
    for (const std::string& text : broken) EXPECT_THROW(load(text), std::exception) << text;
}

TEST_F(ProjectFile, TextsThatWouldNotReadBackAreRefusedAndTheOldFileStays) {
    using Change = std::function<void(Edit::Project&)>;
    const std::vector<std::pair<const char*, Change>> refused = {
        {"scene name", [](Edit::Project& p) { p.getScene(1)->name = L"two\nlines"; }},
        {"scene name ending in CR", [](Edit::Project& p) { p.getScene(1)->name = L"ab\r"; }},
        {"layer name", [](Edit::Project& p) { p.getScene(1)->getLayerObjectListGrow(2).layer->name = L"x\n[0]"; }},
        {"project path", [](Edit::Project& p) { p.path = L"/tmp/a\nb.mvp2"; }},
        {"plugin name", [](Edit::Project& p) { p.pluginData["a\nb"] = {{"k", "v"}}; }},
        {"plugin key with =", [](Edit::Project& p) { p.pluginData["tool"] = {{"k=1", "v"}}; }},
        {"plugin key with LF", [](Edit::Project& p) { p.pluginData["tool"] = {{"k\nx", "v"}}; }},
        {"plugin key as section", [](Edit::Project& p) { p.pluginData["tool"] = {{"[x", "y]"}}; }},
        {"plugin key as comment", [](Edit::Project& p) { p.pluginData["tool"] = {{";k", "v"}}; }},
        {"plugin key with NUL", [](Edit::Project& p) { p.pluginData["tool"] = {{std::string("k\0x", 3), "v"}}; }},
        {"plugin value", [](Edit::Project& p) { p.pluginData["tool"] = {{"k", "v\r\n[scene.9]"}}; }},
        {"plugin value ending in CR", [](Edit::Project& p) { p.pluginData["tool"] = {{"k", "v\r"}}; }},
        {"plugin value with NUL", [](Edit::Project& p) { p.pluginData["tool"] = {{"k", std::string("v\0w", 3)}}; }},
    };
    for (const auto& [what, change] : refused) {
        CoreTest::writeBytes(file("p.mvp2"), "old project");
        Edit::Project project(&registry.service);
        project.getOrCreateScene(0);
        project.getOrCreateScene(1);
        change(project);
        const std::string error = EffectTest::errorOf([&] { Edit::Project::saveProjectFile(project, wide(file("p.mvp2"))); });
        EXPECT_EQ(error.rfind("text not writable to project file.", 0), 0u) << what << ": " << error;
        EXPECT_EQ(CoreTest::readBytes(file("p.mvp2")), "old project") << what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << what;
    }

    // Texts near those are written as they stand and read back the same.
    Edit::Project project(&registry.service);
    // A CR inside a line is not a line end for the reader.
    project.getOrCreateScene(0)->name = L"a\\nb\r[x]=y;";
    project.getScene(0)->getLayerObjectListGrow(1).layer->name = L"[layer]";
    project.pluginData["tool"] = {{"a[b]", "=v]"}, {"", "empty key"}, {"k;", ";v"}, {"[k", "v"}, {"k\r", "]"}};
    const std::string written = save(project);
    EXPECT_NE(written.find("name=a\\nb\r[x]=y;\r\n"), std::string::npos);
    EXPECT_NE(written.find("[plugin.0]\r\nplugin.name=tool\r\n=empty key\r\n[k=v\r\na[b]==v]\r\nk\r=]\r\nk;=;v\r\n"),
              std::string::npos);
    auto reloaded = load(written);
    EXPECT_EQ(reloaded->getScene(0)->name, L"a\\nb\r[x]=y;");
    EXPECT_EQ(reloaded->getScene(0)->getLayerObjectList(1).layer->name, L"[layer]");
    EXPECT_EQ(reloaded->pluginData, project.pluginData);
}

TEST_F(ProjectFile, PluginSectionsWithoutANameAreSkipped) {
    auto project = load(kScene0 + "[plugin.0]\nplugin.name=\nx=1\n[plugin.1]\nplugin.name=p\nk=v=w\n");
    EXPECT_EQ(project->pluginData.size(), 1u);
    EXPECT_EQ(project->pluginData["p"]["k"], "v=w");
}

}  // namespace
