#include "edit/model/Project.h"

#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "edit/EditTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace EditTest;

class Scenes : public ::testing::Test {
protected:
    Registry registry;

    // The setting service over the main settings written so far.
    void startSettings() {
        CoreTest::writeBytes((registry.env.folder.data() / "movane2.ini").string(), mainSettings);
        settings.emplace();
    }

    std::string mainSettings;
    // A language whose Name table translates the default names.
    void loadLanguage() {
        CoreTest::writeBytes((registry.env.data("Language") / "Deutsch.mvl2").string(),
                             "[Name]\nRoot=Wurzel\nScene=Szene\nLayer=Ebene\n");
        mainSettings += "[Translate]\nLanguage=Deutsch\n";
        startSettings();
        translate.emplace();
    }

    // A loaded language stays in force for the process: the built-in texts
    // come back for the tests after this one.
    void TearDown() override {
        if (!translate) return;
        Translate::TranslateService& service = *translate->getInstance();
        service.language.clear();
        service.loadLanguage();
    }

    std::optional<System::Singleton<Setting::SettingService>> settings;
    std::optional<System::Singleton<Translate::TranslateService>> translate;
};

TEST_F(Scenes, DefaultNamesOfScenesAndLayers) {
    Edit::Scene scene(0, 0, &registry.service);
    scene.getLayerObjectListGrow(1).layer->name = L"BG";
    const auto check = [&](const wchar_t* root, const wchar_t* seven, const wchar_t* layer5,
                           const wchar_t* layer501) {
        EXPECT_EQ(Edit::Scene::getDefaultName(0), root);
        EXPECT_EQ(Edit::Scene::getDefaultName(7), seven);
        EXPECT_EQ(Edit::Scene(7, 1, &registry.service).name, seven);
        EXPECT_EQ(scene.getLayerName(4), layer5);
        EXPECT_EQ(scene.getLayerName(1), L"BG");
        EXPECT_EQ(scene.getLayerName(500), layer501);  // beyond the table
    };
    EXPECT_EQ(scene.name, L"Root");
    check(L"Root", L"Scene7", L"Layer5", L"Layer501");
    loadLanguage();
    check(L"Wurzel", L"Szene7", L"Ebene5", L"Ebene501");
}

TEST_F(Scenes, NewScenesTakeTheEditSettingsOrTheirDefaults) {
    const auto values = [](const Edit::Scene& s) {
        return std::tuple(s.width, s.height, s.videoRate, s.videoScale, s.audioRate, s.tempoBeatPerMinute,
                          s.tempoBeatTime, s.tempoOffsetTime, s.gridWidth, s.gridHeight, s.gridX, s.gridY,
                          s.gridStep, s.gridRange);
    };
    using V = std::vector<int>;
    // No settings at all: the group's built-in defaults (audio 44100, not 48000).
    EXPECT_EQ(values(Edit::Scene(1, 0, &registry.service)),
              std::tuple(1920, 1080, 30, 1, 44100, 120.0f, 4, 0.0f, 200, 200, V{16, -16}, V{16, -16}, 200.0f,
                         10000.0f));

    const std::pair<const char*, const char*> overrides[] = {
        {"ProjectWidth", "1280"},      {"ProjectHeight", "720"},     {"ProjectVideoRate", "30000"},
        {"ProjectVideoScale", "1001"}, {"ProjectAudioRate", "48000"}, {"TempoBeatPerMinute", "90.5"},
        {"TempoBeatTime", "3"},        {"TempoOffsetTime", "0.25"},  {"GridWidth", "64"},
        {"GridHeight", "32"},          {"GridX", "8,x,9"},           {"GridY", ""},
        {"GridStep", "50"},            {"GridRange", "500"},
    };
    mainSettings = "[Edit]\n";
    for (const auto& [key, value] : overrides) mainSettings += std::string(key) + "=" + value + "\n";
    startSettings();
    EXPECT_EQ(values(Edit::Scene(1, 0, &registry.service)),
              std::tuple(1280, 720, 30000, 1001, 48000, 90.5f, 3, 0.25f, 64, 32, V{8}, V{}, 50.0f, 500.0f));

    // Values the project reader refuses would make projects that save but
    // never open again: they take the group's defaults.
    mainSettings = "[Edit]\nProjectWidth=0\nProjectHeight=-5\nProjectVideoRate=0\nProjectVideoScale=-1\n"
                   "ProjectAudioRate=3072001\n";
    startSettings();
    const Edit::Scene odd(1, 0, &registry.service);
    EXPECT_EQ(std::tuple(odd.width, odd.height, odd.videoRate, odd.videoScale, odd.audioRate),
              std::tuple(1920, 1080, 30, 1, 44100));
    mainSettings = "[Edit]\nProjectAudioRate=3072000\n";
    startSettings();
    EXPECT_EQ(Edit::Scene(1, 0, &registry.service).audioRate, 3072000);
}

TEST_F(Scenes, IntegerListsAndCameraTexts) {
    const std::vector<std::pair<std::wstring, std::vector<int>>> lists = {
        {L"16,-16", {16, -16}}, {L"", {}}, {L"1,2,a,3", {1, 2}}, {L"a,1", {}}, {L"5", {5}}, {L"1,,2", {1}},
    };
    for (const auto& [text, list] : lists) EXPECT_EQ(Edit::stringToIntList(text), list);
    EXPECT_EQ(Edit::intListToString({16, -16, 0}), L"16,-16,0");
    EXPECT_EQ(Edit::intListToString({}), L"");

    Edit::Scene scene(1, 0, &registry.service);
    EXPECT_EQ(scene.cameraToString(), "");
    scene.camera[0] = 10;
    EXPECT_EQ(scene.cameraToString(), "10.000000,0.000000,-1024.000000,0.000000,0.000000,0.000000");
    scene.camera[0] = 0;
    scene.camera[7] = 5;  // not saved
    EXPECT_EQ(scene.cameraToString(), "");

    struct Case {
        const char* text;
        std::array<float, 6> saved;
    };
    const Case cases[] = {
        {"1,2,3", {0, 0, -1024, 0, 0, 0}},
        {"1,2,3,4,5,6", {1, 2, 3, 4, 5, 6}},
        {"1.5,-2,3e2,4,5,6,7", {0, 0, -1024, 0, 0, 0}},
        {"7,8,x,10,11,12", {7, 8, -1024, 0, 0, 0}},
        {"10.000000,0.000000,-1024.000000,0.000000,0.000000,0.000000", {10, 0, -1024, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Edit::Scene fresh(1, 0, &registry.service);
        fresh.cameraFromString(c.text);
        EXPECT_EQ((std::array<float, 6>{fresh.camera[0], fresh.camera[1], fresh.camera[2], fresh.camera[4],
                                        fresh.camera[5], fresh.camera[6]}),
                  c.saved)
            << c.text;
    }
}

TEST_F(Scenes, MenuAndInformationText) {
    Edit::Scene root(0, 0, &registry.service);
    Edit::Scene other(3, 1, &registry.service);
    const auto enabled = [](const Edit::Scene& s) {
        std::vector<bool> list;
        for (const auto& entry : s.getSceneMenu()) list.push_back(entry.enabled);
        return list;
    };
    EXPECT_EQ(enabled(root), (std::vector<bool>{true, false, false, true, true, true}));
    EXPECT_EQ(enabled(other), (std::vector<bool>{true, true, true, true, true, true}));
    EXPECT_EQ(std::wstring(other.getSceneMenu()[5].text), L"シーンの設定");
    EXPECT_EQ(other.getSceneMenu()[3].text, nullptr);

    other.createEmptyObject(2, 0, 3599);
    other.updateLayerObject();
    EXPECT_EQ(other.getSceneInfoText(), L"Scene3\nTotalTime: 00:02:00\nVideo: 1920 x 1080 / 30fps\nAudio: 44.1khz\n");
    other.videoRate = 30000;
    other.videoScale = 1001;
    other.audioRate = 48000;
    other.width = 640;
    // 3600 frames at 29.97 per second: 120.12 seconds, truncated.
    EXPECT_EQ(other.getSceneInfoText(), L"Scene3\nTotalTime: 00:02:00\nVideo: 640 x 1080 / 29.97003fps\nAudio: 48khz\n");
    startSettings();  // the frame-rate presets name it 29.97
    EXPECT_EQ(other.getSceneInfoText(), L"Scene3\nTotalTime: 00:02:00\nVideo: 640 x 1080 / 29.97fps\nAudio: 48khz\n");
}

TEST_F(Scenes, ProjectSceneListIdsAndDeletion) {
    Edit::Project project(&registry.service);
    project.getOrCreateScene(0);
    project.getOrCreateScene(5);
    project.getOrCreateScene(2);
    EXPECT_EQ(project.getFreeSceneId(), 1);
    project.getOrCreateScene(1);
    EXPECT_EQ(project.getFreeSceneId(), 3);
    project.getScene(2)->listOrder = 10;  // moved to the end of the list
    std::vector<int> ids;
    for (const auto& scene : project.getSceneList()) ids.push_back(scene->id);
    EXPECT_EQ(ids, (std::vector<int>{0, 5, 1, 2}));
    EXPECT_EQ(project.getOrCreateScene(9)->listOrder, 11);
    EXPECT_FALSE(project.getScene(4));

    const Edit::ObjectPointer object = project.getScene(5)->createEmptyObject(0, 0, 9);
    project.currentSceneId = 5;
    project.deleteScene(0);
    project.deleteScene(5);
    project.deleteScene(4);
    EXPECT_EQ(project.scenes.size(), 5u);
    project.currentSceneId = 1;
    project.deleteScene(5);
    EXPECT_FALSE(project.getScene(5));
    EXPECT_EQ(object->layer, -1);

    project.path = L"/p/a.mvp2";
    project.pluginData["plugin"]["key"] = "value";
    const Edit::ObjectPointer kept = project.getScene(0)->createEmptyObject(1, 0, 9);
    project.clear();
    EXPECT_TRUE(project.scenes.empty());
    EXPECT_TRUE(project.pluginData.empty());
    EXPECT_EQ(std::tie(project.currentSceneId, project.path), std::tuple(0, std::wstring()));
    EXPECT_EQ(kept->layer, -1);
}

TEST_F(Scenes, CopiesHaveNewObjectsAndRebuiltGroups) {
    Edit::Scene source(1, 0, &registry.service);
    source.width = 640;
    source.camera[0] = 3;
    source.zoom.set(20000);
    auto group = std::make_shared<Edit::Group>();
    std::vector<Edit::ObjectPointer> objects = {
        source.createObject(kFigure, 0, 0, 9), source.createObject(kBlur, 2, 5, 20),
        source.createObject(kSound, 2, 30, 40)};
    objects[0]->setGroup(group);
    objects[2]->setGroup(group);
    objects[1]->boundaries = {4};
    objects[1]->clipping = true;
    objects[2]->camera = false;
    xOf(*objects[0]->effectList[0]).setValue(12, 0);
    source.updateLayerObject();
    source.selectObject(objects[1]);
    source.setFocusObject(objects[1]);

    Edit::Scene copy(2, 1, &registry.service);
    copy.copyScene(source);
    EXPECT_EQ(std::tie(copy.id, copy.name, copy.listOrder), std::tuple(2, std::wstring(L"Scene2"), 1));
    EXPECT_EQ(std::tie(copy.width, copy.camera[0], copy.zoom.zoom), std::tuple(640, 3.0f, 20000));
    EXPECT_FALSE(copy.focusObject);
    EXPECT_TRUE(copy.selection.objects.empty());
    EXPECT_EQ(source.focusObject, objects[1]);
    EXPECT_EQ(source.selection.objects.size(), 1u);
    EXPECT_EQ(copy.lastLayer, 2);
    const Edit::ObjectPointer& figure = copy.getLayerObjectList(0).objects.at(0);
    const Edit::ObjectPointer& blur = copy.getLayerObjectList(2).objects.at(0);
    const Edit::ObjectPointer& sound = copy.getLayerObjectList(2).objects.at(1);
    EXPECT_NE(figure, objects[0]);
    EXPECT_NE(figure->effectList[0], objects[0]->effectList[0]);
    EXPECT_EQ(xOf(*figure->effectList[0]).values[0], 12);
    EXPECT_EQ(std::tie(blur->start, blur->end, blur->boundaries, blur->clipping, blur->selected),
              std::tuple(5, 20, std::vector<int>{4}, true, false));
    EXPECT_FALSE(sound->camera);
    ASSERT_TRUE(figure->group);
    EXPECT_EQ(figure->group, sound->group);
    EXPECT_NE(figure->group, group);
    EXPECT_FALSE(blur->group);
    EXPECT_EQ(group->members.size(), 2u);
}

TEST_F(Scenes, SelectionFollowsLocksGroupsAndEffectKinds) {
    Edit::Scene scene(1, 0, &registry.service);
    const Edit::ObjectPointer a = scene.createObject(kFigure, 0, 0, 9);
    const Edit::ObjectPointer b = scene.createObject(kFigure, 1, 0, 9);
    const Edit::ObjectPointer c = scene.createObject(kSound, 2, 0, 9);
    const Edit::ObjectPointer locked = scene.createObject(kFigure, 3, 0, 9);
    const Edit::ObjectPointer control = scene.createObject(kGroup, 4, 0, 9);
    scene.getLayerObjectListGrow(3).layer->lock = true;
    auto group = std::make_shared<Edit::Group>();
    b->setGroup(group);
    c->setGroup(group);
    locked->setGroup(group);
    scene.updateLayerObject();

    EXPECT_FALSE(scene.anySelectObject([](const Edit::Object&) { return true; }));
    scene.setFocusObject(a);
    EXPECT_TRUE(scene.anySelectObject([](const Edit::Object& o) { return o.layer == 0; }));
    scene.selectObject(a);
    EXPECT_TRUE(a->selected);
    scene.selectObject(a);
    EXPECT_EQ(scene.selection.clickedAgain, a.get());
    EXPECT_TRUE(scene.selectObjectWithGroup(b));  // the locked member stays out
    EXPECT_FALSE(scene.selectObjectWithGroup(c));
    ASSERT_EQ(scene.selection.objects.size(), 3u);
    EXPECT_EQ(scene.selection.objects[0], a);
    EXPECT_TRUE(b->selected && c->selected);
    EXPECT_FALSE(locked->selected);
    EXPECT_EQ(scene.selection.maxLayer, 2);
    EXPECT_FALSE(scene.selection.controlSelected);
    scene.selectObject(control);
    EXPECT_TRUE(scene.selection.controlSelected);
    EXPECT_EQ(scene.selection.maxLayer, 4);

    // The same effect of the others: same chain index, same kind.
    EXPECT_EQ(scene.getSelectSameEffect(*a, *a->effectList[0]),
              (std::vector<Edit::EffectManager::EffectPointer>{b->effectList[0]}));
    const auto pairs = scene.getSelectSameEffectPair(*a, *a->effectList[1]);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].first, b);
    Blur stranger;
    EXPECT_TRUE(scene.getSelectSameEffect(*a, stranger).empty());

    scene.selection.clear();
    EXPECT_FALSE(a->selected);
    EXPECT_TRUE(scene.selection.objects.empty());
    EXPECT_EQ(scene.selection.clickedAgain, nullptr);
    EXPECT_FALSE(scene.setFocusObject(a));
    EXPECT_TRUE(scene.setFocusObject(nullptr));
}

}  // namespace
