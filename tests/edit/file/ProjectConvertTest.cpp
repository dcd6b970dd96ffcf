#include "edit/file/ProjectConvert.h"

#include "edit/EditTestSupport.h"
#include "effect/EffectConfTestSupport.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace EditTest;
using EffectTest::errorOf;

const char* const kEffectConf =
    "[OldScript]\r\n旧図形=図形\r\n"
    "[OldScript.trackmode]\r\n0=移動無し\r\n1=直線移動\r\n"
    "[OldScript.アニメーション効果]\r\n揺れ=グロー\r\n"
    "[OldScript.図形]\r\nzoom=Y\r\n";

// Legacy files are in the legacy code page: the fixtures are written here
// in UTF-8 and encoded for the file.
std::string cp932(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 1, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

const std::string kHeader = "[quorin]\nwidth=640\nheight=480\nrate=24\nscale=1\n";

// An object of legacy layer `layer` and frames [start, end] with a figure
// and its output; `extra` adds keys to the object section.
std::string figure(int k, int layer, int start, int end, const std::string& extra = "") {
    const std::string name = std::to_string(k);
    return "[" + name + "]\nlayer=" + std::to_string(layer) + "\nstart=" + std::to_string(start) +
           "\nend=" + std::to_string(end) + "\n" + extra + "[" + name + ".0]\n_name=図形\n[" + name +
           ".1]\n_name=標準描画\n";
}

class QroImport : public ::testing::Test {
protected:
    Registry registry;
    EffectTest::EffectConf conf{registry.env.folder, kEffectConf};
    CoreTest::TempFolder folder;
    Edit::Project project{&registry.service};

    std::wstring write(const std::string& utf8, const char* name = "clip.qro") {
        const std::filesystem::path path = folder.path() / name;
        CoreTest::writeBytes(path.string(), cp932(utf8));
        return path.wstring();
    }
    // A new scene of the project filled from the text.
    Edit::Scene& load(const std::string& utf8, const char* name = "clip.qro") {
        Edit::Scene& scene = *project.getOrCreateScene(project.getFreeSceneId());
        failed = Edit::ProjectConvert::loadSceneFromQro(scene, write(utf8, name));
        return scene;
    }
    std::vector<std::string> objectWarnings() {
        std::vector<std::string> texts;
        for (const auto& line : registry.env.log.of(System::Log::WARN))
            if (line.tag == "Edit::ProjectConvert::loadSceneFromQro") texts.push_back(line.text);
        return texts;
    }
    std::string saved(const char* name) {
        const std::filesystem::path path = folder.path() / name;
        Edit::Project::saveProjectFile(project, path.wstring());
        return CoreTest::readBytes(path.string());
    }

    int failed = -1;
};

TEST_F(QroImport, ChainedObjectsJoinAndLegacyNamesAndTracksAreTranslated) {
    Edit::Scene& scene = load(kHeader +
                              "[0]\nlayer=1\nstart=1\nend=10\n"
                              "[0.0]\n_name=旧図形\nX=10,20,1\n反転=1\nzoom=1.5,2.5,0\nunknown=3\n"
                              "[0.1]\n_name=標準描画\n"
                              "[1]\nlayer=1\nstart=11\nend=20\nchain=1\n"
                              "[1.0]\n_name=旧図形\nX=20,40,1\n[1.1]\n_name=標準描画\n"
                              "[2]\nlayer=1\nstart=21\nend=30\nchain=1\n"
                              "[2.0]\n_name=図形\nX=40,-5,1\n[2.1]\n_name=標準描画\n"
                              "[3]\nlayer=3\nstart=5\nend=8\ncamera=0\n"
                              "[3.0]\n_name=図形\n[3.1]\n_name=アニメーション効果\ntype=揺れ\nname=\n"
                              "[3.2]\n_name=標準描画\n_disable=1\n"
                              "[4]\nlayer=4\nstart=1\nend=4\noverlay=1\n[4.0]\n_name=ぼかし\n"
                              "[5]\nlayer=5\nstart=1\nend=4\n[5.0]\n_name=並行光源(カメラ制御)\n",
                              "clip.take2.qro");
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(scene.name, L"clip.take2");
    EXPECT_EQ(std::tuple(scene.width, scene.height, scene.videoRate, scene.videoScale, scene.audioRate),
              std::tuple(640, 480, 24, 1, 48000));

    ASSERT_EQ(scene.getLayerObjectList(0).objects.size(), 1u);
    const Edit::Object& joined = *scene.getLayerObjectList(0).objects[0];
    EXPECT_EQ(std::tuple(joined.layer, joined.start, joined.end), std::tuple(0, 0, 29));
    EXPECT_EQ(joined.boundaries, (std::vector<int>{10, 20}));
    EXPECT_EQ(chainNames(joined), (std::vector<std::wstring>{kFigure, kDraw}));
    const Effect::EffectBase& shape = *joined.effectList[0];
    // The end value of each chained part becomes the value at its end.
    EXPECT_EQ(xOf(shape).toString(), "10,20,40,-5,直線移動,0");
    EXPECT_EQ(yOf(shape).toString(), "1.5");  // the legacy "zoom"
    EXPECT_TRUE(static_cast<const Effect::EffectItemCheck&>(*shape.items[1]).value);

    const Edit::Object& filtered = *scene.getLayerObjectList(2).objects.at(0);
    EXPECT_EQ(std::tuple(filtered.start, filtered.end, filtered.camera), std::tuple(4, 7, false));
    EXPECT_EQ(chainNames(filtered), (std::vector<std::wstring>{kFigure, kDraw, kGlow}));
    EXPECT_TRUE(filtered.effectList[1]->disable);
    EXPECT_EQ(chainNames(*scene.getLayerObjectList(3).objects.at(0)), std::vector<std::wstring>{kBlur});
    EXPECT_EQ(chainNames(*scene.getLayerObjectList(4).objects.at(0)), std::vector<std::wstring>{kLight});
    EXPECT_EQ(scene.lastLayer, 4);  // the table was updated
    EXPECT_EQ(scene.totalLength, 29);

    // The imported scene is an ordinary part of the project file.
    project.getOrCreateScene(0);
    const std::string written = saved("first.mvp2");
    Edit::Project again(&registry.service);
    Edit::Project::loadProjectFile(again, (folder.path() / "first.mvp2").wstring());
    Edit::Project::saveProjectFile(again, (folder.path() / "second.mvp2").wstring());
    EXPECT_EQ(CoreTest::readBytes((folder.path() / "second.mvp2").string()), written);
    EXPECT_NE(written.find("name=clip.take2\r\n"), std::string::npos);
}

TEST_F(QroImport, LegacyCodePageIsDecoded) {
    // "図形" and "反転" in CP932, written out by hand.
    const std::string bytes = kHeader + "[0]\nlayer=1\nstart=1\nend=2\n[0.0]\n_name=\x90\x7d\x8c\x60\n\x94\xbd\x93\x5d=1\n";
    const std::filesystem::path path = folder.path() / "ansi.qro";
    CoreTest::writeBytes(path.string(), bytes);
    Edit::Scene& scene = *project.getOrCreateScene(1);
    EXPECT_EQ(Edit::ProjectConvert::loadSceneFromQro(scene, path.wstring()), 0);
    const Edit::Object& object = *scene.getLayerObjectList(0).objects.at(0);
    EXPECT_EQ(object.effectList[0]->name, std::wstring(kFigure));
    EXPECT_TRUE(static_cast<const Effect::EffectItemCheck&>(*object.effectList[0]->items[1]).value);
}

TEST_F(QroImport, ChainsJoinOnlyTouchingObjectsOfOneLayer) {
    Edit::Scene& scene = load(kHeader + figure(0, 1, 1, 5, "chain=1\n")  // no previous: stands alone
                              + figure(1, 1, 6, 9, "chain=1\n")           // joins 0
                              + figure(2, 2, 10, 12, "chain=1\n")         // another layer: stands alone
                              + figure(3, 2, 14, 15, "chain=1\n")         // a gap: stands alone
                              + figure(4, 2, 16, 20, "chain=1\ngroup=7\n")  // joins 3, leaves its group
                              + figure(5, 3, 1, 3, "group=7\n"));
    EXPECT_EQ(failed, 0);
    const auto frames = [&](int layer) {
        std::vector<std::tuple<int, int, std::vector<int>>> list;
        for (const auto& object : scene.getLayerObjectList(layer).objects)
            list.emplace_back(object->start, object->end, object->boundaries);
        return list;
    };
    using Frames = std::vector<std::tuple<int, int, std::vector<int>>>;
    EXPECT_EQ(frames(0), (Frames{{0, 8, {5}}}));
    EXPECT_EQ(frames(1), (Frames{{9, 11, {}}, {13, 19, {2}}}));
    const Edit::Object& member = *scene.getLayerObjectList(2).objects.at(0);
    ASSERT_NE(member.group, nullptr);
    EXPECT_EQ(member.group->members.size(), 1u);
}

TEST_F(QroImport, GroupsAreNumberedPerFile) {
    const std::string text = kHeader + figure(0, 1, 1, 5, "group=1\n") + figure(1, 2, 1, 5, "group=1\n") +
                             figure(2, 3, 1, 5, "group=2\n") + figure(3, 4, 1, 5, "group=0\n");
    Edit::Scene& first = load(text);
    Edit::Scene& second = load(text);
    const auto group = [](const Edit::Scene& scene, int layer) {
        return scene.getLayerObjectList(layer).objects.at(0)->group.get();
    };
    ASSERT_NE(group(first, 0), nullptr);
    EXPECT_EQ(group(first, 0), group(first, 1));
    EXPECT_NE(group(first, 0), group(first, 2));
    EXPECT_EQ(group(first, 3), nullptr);
    EXPECT_NE(group(first, 0), group(second, 0));  // another import, other groups
}

TEST_F(QroImport, AFailingObjectIsSkippedAndTheRestLoads) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"[1]\nlayer=0\nstart=1\nend=5\n[1.0]\n_name=図形\n", "invalid layer number."},
        {"[1]\nlayer=-3\nstart=1\nend=5\n[1.0]\n_name=図形\n", "invalid layer number."},
        {"[1]\nlayer=999999\nstart=1\nend=5\n[1.0]\n_name=図形\n", "invalid layer number."},
        {"[1]\nlayer=2\nstart=0\nend=5\n[1.0]\n_name=図形\n", "invalid frame number list."},
        {"[1]\nlayer=2\nstart=6\nend=5\n[1.0]\n_name=図形\n", "invalid frame number list."},
        {"[1]\nlayer=2\nstart=-2147483648\nend=5\n[1.0]\n_name=図形\n", "invalid frame number list."},
        {"[1]\nlayer=2\nend=5\n[1.0]\n_name=図形\n", "ini file parameter undefined."},
        {"[1]\nlayer=2\nstart=x\nend=5\n[1.0]\n_name=図形\n", "invalid format(int)"},
        {"[1]\nlayer=2\nstart=1\nend=99999999999\n[1.0]\n_name=図形\n", "invalid format(int)"},
        {"[1]\nlayer=2\nstart=1\nend=5\nchain=x\n[1.0]\n_name=図形\n", "invalid format(int)"},
        {"[1]\nlayer=2\nstart=1\nend=5\ngroup=4\n", "no effect defined."},
        {"[1]\nlayer=2\nstart=1\nend=5\ngroup=4\n[1.0]\n_name=ない\n", "not found effect."},
        {"[1]\nlayer=2\nstart=1\nend=5\n[1.0]\nname=図形\n", "ini file parameter undefined."},
        {"[1]\nlayer=2\nstart=1\nend=5\ngroup=4\n[1.0]\n_name=ぼかし\n[1.1]\n_name=図形\n",
         "filter object not support"},
        {"[1]\nlayer=2\nstart=1\nend=5\n[1.0]\n_name=カメラ効果\ntype=なし\n", "ini file parameter undefined."},
        {"[1]\nlayer=2\nstart=1\nend=5\n[1.0]\n_name=カスタムオブジェクト\n", "ini file parameter undefined."},
    };
    for (const auto& [object, message] : bad) {
        registry.env.log.clear();
        Edit::Scene& scene = load(kHeader + figure(0, 1, 1, 9) + object + figure(2, 3, 1, 9, "group=4\n"));
        EXPECT_EQ(failed, 1) << object;
        EXPECT_EQ(scene.getLayerObjectList(0).objects.size(), 1u) << object;
        EXPECT_TRUE(scene.getLayerObjectList(1).objects.empty()) << object;
        ASSERT_EQ(scene.getLayerObjectList(2).objects.size(), 1u) << object;
        // The failed member left its group.
        EXPECT_EQ(scene.getLayerObjectList(2).objects[0]->group->members.size(), 1u) << object;
        EXPECT_LE(scene.getLayerCount(), 3) << object;  // no table grown for a refused layer
        const std::vector<std::string> warnings = objectWarnings();
        ASSERT_EQ(warnings.size(), 1u) << object;
        EXPECT_EQ(warnings[0].rfind("object 1: ", 0), 0u) << warnings[0];
        EXPECT_NE(warnings[0].find(message), std::string::npos) << warnings[0];
    }
}

TEST_F(QroImport, LegacyScriptEffectNames) {
    System::IniFile file;
    file.loadMemory("[a]\n_name=ぼかし\n[b]\n_name=アニメーション効果\nname=震え\ntype=揺れ\n"
                    "[c]\n_name=アニメーション効果\nname=\ntype=揺れ\n[d]\n_name=カメラ効果\ntype=揺れ\n"
                    "[e]\nname=x\n");
    const auto name = [&](const char* section) {
        return Edit::ProjectConvert::convertQroEffectName(file.getSection(section));
    };
    EXPECT_EQ(name("a"), L"ぼかし");
    EXPECT_EQ(name("b"), L"震え");  // a script of its own
    EXPECT_EQ(name("c"), L"グロー");  // a built-in script, through its kind's table
    const std::string missing = errorOf([&] { name("d"); });  // not in that kind's table
    EXPECT_EQ(missing.rfind("ini file parameter undefined.", 0), 0u) << missing;
    EXPECT_NE(missing.find("section=OldScript.カメラ効果 key=揺れ"), std::string::npos) << missing;
    EXPECT_EQ(errorOf([&] { name("e"); }).rfind("ini file parameter undefined.", 0), 0u);
    EXPECT_EQ(Edit::ProjectConvert::convertQroTrack("1,2,1"), "1,2,直線移動,0");
}

TEST_F(QroImport, UnusableHeadersFailTheWholeFile) {
    const std::vector<std::pair<std::string, std::string>> broken = {
        {"", "quorin section not found"},
        {"[quorin]\n" + figure(0, 1, 1, 5), "quorin section not found"},
        {"[other]\nwidth=1\n", "quorin section not found"},
        {"[quorin]\nwidth=640\nheight=480\nrate=24\n", "ini file parameter undefined."},
        {"[quorin]\nwidth=640\nheight=480\nrate=24\nscale=0\n", "invalid scene parameter."},
        {"[quorin]\nwidth=640\nheight=-1\nrate=24\nscale=1\n", "invalid scene parameter."},
        {kHeader + "audio_rate=-1\n", "invalid scene parameter."},
        {kHeader + "audio_rate=99999999\n", "invalid scene parameter."},
        {"[quorin]\nwidth=wide\nheight=480\nrate=24\nscale=1\n", "invalid format(int)"},
        {std::string("\x00\xff\x13garbage", 10), "quorin section not found"},
    };
    // A present but empty rate is the default.
    {
        Edit::Scene scene(1, 0, &registry.service);
        const std::filesystem::path path = folder.path() / "empty-rate.qro";
        CoreTest::writeBytes(path.string(), kHeader + "audio_rate=\n");
        Edit::ProjectConvert::loadSceneFromQro(scene, path.wstring());
        EXPECT_EQ(scene.audioRate, 48000);
    }
    for (const auto& [text, message] : broken) {
        Edit::Scene scene(1, 0, &registry.service);
        const std::filesystem::path path = folder.path() / "broken.qro";
        CoreTest::writeBytes(path.string(), text);
        const std::string error = errorOf([&] { Edit::ProjectConvert::loadSceneFromQro(scene, path.wstring()); });
        EXPECT_NE(error.find(message), std::string::npos) << text << "\n" << error;
    }
    Edit::Scene scene(1, 0, &registry.service);
    EXPECT_NE(errorOf([&] { Edit::ProjectConvert::loadSceneFromQro(scene, (folder.path() / "none.qro").wstring()); }),
              "");
}

TEST_F(QroImport, SceneNamesComeFromTheFileTitle) {
    const std::string text = kHeader + figure(0, 1, 1, 5);
    EXPECT_EQ(load(text, "clip.qro").name, L"clip");
    EXPECT_EQ(load(text, "a.b.c.qro").name, L"a.b.c");
    EXPECT_EQ(load(text, "noextension").name, L"noextension");
    // A line break in a file name would make the project unwritable.
    EXPECT_EQ(load(text, "two\nlines.qro").name, L"two_lines");
    Edit::Scene& unnamed = load(text, ".qro");
    EXPECT_EQ(unnamed.name, Edit::Scene::getDefaultName(unnamed.id));
}

TEST_F(QroImport, ImportMakesOneNewSceneOrNone) {
    project.getOrCreateScene(0);
    project.getOrCreateScene(1);
    project.getOrCreateScene(3)->listOrder = 9;
    std::vector<int> shown;
    const auto show = [&](Edit::Scene& scene) { shown.push_back(scene.id); };

    const Edit::ScenePointer scene =
        Edit::ProjectConvert::importQroScene(project, write(kHeader + figure(0, 1, 1, 5)), show);
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->id, 2);  // the smallest free id
    EXPECT_EQ(scene->listOrder, 10);  // after the last
    EXPECT_EQ(shown, std::vector<int>{2});
    EXPECT_EQ(scene->getLayerObjectList(0).objects.size(), 1u);

    // A file that fails, or a switch that fails: the new scene goes again.
    EXPECT_EQ(Edit::ProjectConvert::importQroScene(project, write("[quorin]\nwidth=1\n"), show), nullptr);
    EXPECT_EQ(Edit::ProjectConvert::importQroScene(project, write(kHeader + figure(0, 1, 1, 5)),
                                                   [](Edit::Scene&) { throw std::runtime_error("no switch"); }),
              nullptr);
    EXPECT_EQ(project.scenes.size(), 4u);
    EXPECT_FALSE(project.scenes.contains(4));
    EXPECT_EQ(shown, std::vector<int>{2});

    // Objects that fail leave the import a success.
    const Edit::ScenePointer partial = Edit::ProjectConvert::importQroScene(
        project, write(kHeader + figure(0, 1, 1, 5) + "[1]\nlayer=0\nstart=1\nend=2\n[1.0]\n_name=図形\n"));
    ASSERT_NE(partial, nullptr);
    EXPECT_EQ(partial->id, 4);
}

}  // namespace
