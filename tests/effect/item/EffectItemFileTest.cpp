#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemComboFile.h"
#include "effect/item/EffectItemFile.h"
#include "effect/item/EffectItemMaskSelect.h"
#include "effect/item/EffectItemText.h"

#include "effect/EffectTestSupport.h"
#include "core/CoreTestSupport.h"

#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "core/text/StringConvert.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using Effect::EffectItemSelect;

// Path variables over a scratch program folder with its own data folder.
class FileItems : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "movane2-effect-XXXXXX").string();
        program = mkdtemp(pattern.data());
        std::filesystem::create_directory(program / "data");
        System::FileName::initializeVariableList(program.wstring());
        figureFolder = (program / "data" / "Figure").wstring();
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        std::filesystem::remove_all(program, ignored);
    }
    FileItems() {
        figures.setItem(0, L"背景");
        figures.setItem(1, L"円");
        figures.setItem(2, L"四角形");
        figures.setItem(3, L"scene.one");  // a figure name holding "."
    }

    static inline std::filesystem::path program;
    static inline std::wstring figureFolder;
    EffectItemSelect::SharedList figures;
    Effect::ItemList items;
};

TEST_F(FileItems, FilePathsAreKeptExpanded) {
    Effect::EffectItemFile file(items, L"ファイル", L"%Figure%/a.png", L"Image\0*.png\0\0",
                                L"未選択");
    EXPECT_EQ(file.type, Effect::ItemType::File);
    EXPECT_EQ(file.path, figureFolder + L"/a.png");
    EXPECT_EQ(file.toString(), System::String::toUtf8(figureFolder + L"/a.png"));
    struct Case {
        const char* text;
        std::wstring path;
    };
    const Case cases[] = {
        {"%Figure%/b.png", figureFolder + L"/b.png"},
        {"/home/user/動画.mp4", L"/home/user/動画.mp4"},
        {"%figure%/b.png", L"%figure%/b.png"},  // unknown variable: unchanged
        {"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        file.fromString(c.text);
        EXPECT_EQ(file.path, c.path);
        EXPECT_EQ(file.toString(), System::String::toUtf8(c.path));
    }
    file.setFilePath(L"%Figure%/c.png");
    EXPECT_STREQ(file.getFilePath(), (figureFolder + L"/c.png").c_str());
    file.loadQroValue("x.wav", L"file", L"effect", false);
    EXPECT_EQ(file.path, L"x.wav");
    auto clone = file.clone();
    auto& copy = dynamic_cast<Effect::EffectItemFile&>(*clone);
    EXPECT_EQ(copy.filter, file.filter);
    EXPECT_STREQ(copy.placeholder, L"未選択");
    EXPECT_TRUE(copy.equals(file));
}

TEST_F(FileItems, FigureChooserTextForms) {
    Effect::EffectItemFigureSelect figure(items, L"図形", figures);
    EXPECT_EQ(figure.type, Effect::ItemType::FigureSelect);
    EXPECT_EQ(figure.value, 1);
    EXPECT_EQ(figure.toString(), "円");
    EXPECT_EQ(Effect::EffectItemFigureSelect(items, L"図形", figures, L"四角形").value, 2);
    EXPECT_EQ(EffectTest::errorOf([&] { Effect::EffectItemFigureSelect(items, L"x", figures, L"星"); }),
              "invalid unordered_map<K, T> key");
    struct Case {
        const char* text;
        bool legacy;
        int value;
        std::wstring path;
    };
    const Case cases[] = {
        {"四角形", false, 2, L""},
        {"星", false, 2, L""},          // no "." and no figure: unchanged
        {"", false, 2, L""},
        {"%Figure%/star.svg", false, -1, figureFolder + L"/star.svg"},
        {"背景", false, 0, L""},         // a name clears the path
        {"scene.one", false, 3, L""},     // names win over paths
        {"/tmp/x.svg", false, -1, L"/tmp/x.svg"},
        {"2", true, 2, L""},
        {"9", true, 0, L""},              // not listed: the first figure
        {"/tmp/y.svg", true, -1, L"/tmp/y.svg"},
        {"円", true, 1, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.legacy)
            figure.loadQroValue(c.text, L"type", L"effect", false);
        else
            figure.fromString(c.text);
        EXPECT_EQ(figure.value, c.value);
        EXPECT_EQ(figure.path, c.path);
        EXPECT_STREQ(figure.getFilePath(), c.path.c_str());
    }
    figure.setFilePath(L"");
    EXPECT_EQ(figure.value, 1);
    figure.setFilePath(L"%Figure%/heart.svg");
    EXPECT_EQ(figure.value, -1);
    EXPECT_EQ(figure.toString(), System::String::toUtf8(figureFolder + L"/heart.svg"));
    EXPECT_EQ(figure.getSelectName(), L"heart.svg");
    figure.value = 7;
    EXPECT_EQ(EffectTest::errorOf([&] { figure.toString(); }), "invalid map<K, T> key");
}

TEST_F(FileItems, MaskSourceStates) {
    Effect::EffectItemMaskSelect::setSceneSource([] {
        return Effect::EffectItemMaskSelect::SceneList{{0, L"Root"}, {2, L"円"}, {3, L"夜景"}, {5, L"夜景"}};
    });
    Effect::EffectItemCheck fit(items, L"シーンの長さを合わせる");
    Effect::EffectItemMaskSelect mask(items, L"マスクの種類", figures, &fit);
    EXPECT_EQ(mask.type, Effect::ItemType::MaskSelect);
    EXPECT_EQ(mask.fitCheck, &fit);
    EXPECT_EQ(mask.toString(), "円");
    struct Case {
        const char* text;
        int figure;
        int scene;
        std::wstring path;
        const char* written;
    };
    const Case cases[] = {
        {"夜景", -1, 3, L"", "夜景"},             // the first scene of that name
        {"四角形", 2, -1, L"", "四角形"},
        {"円", 1, -1, L"", "円"},                 // a figure name wins over a scene name
        {"Root", -1, 0, L"", "Root"},
        {"*buffer", -1, -1, L"*buffer", "*buffer"},
        {"%Figure%/m.png", -1, -1, figureFolder + L"/m.png", ""},
        {"unknown", -1, -1, figureFolder + L"/m.png", ""},
        {"", -1, -1, figureFolder + L"/m.png", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        mask.fromString(c.text);
        EXPECT_EQ(mask.figure, c.figure);
        EXPECT_EQ(mask.scene, c.scene);
        EXPECT_EQ(mask.path, c.path);
        EXPECT_EQ(mask.toString(), *c.written ? std::string(c.written) : System::String::toUtf8(c.path));
    }
    mask.setScene(5);
    EXPECT_EQ(mask.scene, 5);
    EXPECT_TRUE(mask.path.empty());
    Effect::EffectItemMaskSelect::setSceneSource([] {
        return Effect::EffectItemMaskSelect::SceneList{{0, L"Root"}};
    });
    EXPECT_EQ(mask.toString(), "");  // the scene is gone
    mask.setScene(5);
    EXPECT_EQ(mask.figure, 0);
    EXPECT_EQ(mask.scene, -1);

    auto clone = mask.clone();
    auto& copy = dynamic_cast<Effect::EffectItemMaskSelect&>(*clone);
    EXPECT_TRUE(copy.equals(mask));
    copy.setFilePath(L"a.png");
    EXPECT_FALSE(copy.equals(mask));
    mask.copyFrom(copy);
    EXPECT_EQ(mask.path, L"a.png");
    EXPECT_EQ(mask.figure, -1);
    Effect::EffectItemMaskSelect::setSceneSource({});
}

TEST_F(FileItems, PathsThatWouldNotReadBackAreRefused) {
    // A path is kept as a C string and written as one line: a NUL or a line
    // break would cut it. The item keeps what it held.
    Effect::EffectItemMaskSelect mask(items, L"マスクの種類", figures);
    Effect::EffectItemFile file(items, L"ファイル", L"", L"All\0*.*\0\0");
    Effect::EffectItemFigureSelect figure(items, L"図形", figures);
    mask.fromString("*kept");
    file.fromString("/kept.png");
    figure.fromString("/kept.svg");
    const std::pair<std::string, const char*> cases[] = {
        {std::string("a.png\0b", 7), "text holds a NUL character."},
        {std::string("*x\0", 3), "text holds a NUL character."},
        {std::string("円\0", 4), "text holds a NUL character."},
        {"a.png\r", "text holds a line break."},
        {"*two\nlines", "text holds a line break."},
    };
    for (const auto& [value, error] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(EffectTest::errorOf([&] { mask.fromString(value); }), error);
        EXPECT_EQ(mask.path, L"*kept");
        EXPECT_EQ(mask.figure, -1);
        EXPECT_EQ(EffectTest::errorOf([&] { file.fromString(value); }), error);
        EXPECT_EQ(file.path, L"/kept.png");
        EXPECT_EQ(EffectTest::errorOf([&] { figure.fromString(value); }), error);
        EXPECT_EQ(figure.path, L"/kept.svg");
    }
}

// The items that write a path or a one-line text as it stands, in one effect
// section of a file.
class PathEffect : public Effect::EffectBase {
public:
    explicit PathEffect(EffectItemSelect::SharedList& figures)
        : EffectBase(L"パス", Effect::EffectKind::Filter, Effect::MediaKind::Video,
                     Effect::MediaKind::Video, L""),
          file(items, L"ファイル", L"", L"All\0*.*\0\0"),
          figure(items, L"図形", figures),
          mask(items, L"マスク", figures),
          string(items, L"文字列") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return nullptr; }

    void setPaths(const std::wstring& path) {
        file.path = path;
        figure.path = path;
        figure.value = -1;
        mask.path = path;
        mask.figure = -1;
        string.text = path;
    }

    Effect::EffectItemFile file;
    Effect::EffectItemFigureSelect figure;
    Effect::EffectItemMaskSelect mask;
    Effect::EffectItemString string;
};

class PathLines : public FileItems {
protected:
    std::string write(const PathEffect& effect) {
        System::IniFile::Save save(folder.wide("effect.ini").c_str());
        save.writeSection("Effect.0");
        effect.saveIniSectionParameter(save);
        save.close();
        return CoreTest::readBytes(folder.file("effect.ini"));
    }
    void read(PathEffect& effect, const std::string& bytes) {
        CoreTest::writeBytes(folder.file("read.ini"), bytes);
        System::IniFile ini;
        ini.loadFile(folder.wide("read.ini").c_str());
        effect.loadIniSectionParameter(ini.getSection("Effect.0"));
    }
    // Every item holding the same value text.
    static std::string section(const std::string& value) {
        return "[Effect.0]\r\neffect.name=パス\r\nファイル=" + value + "\r\n図形=" + value + "\r\nマスク=" + value +
               "\r\n文字列=" + value + "\r\n";
    }

    CoreTest::TempFolder folder;
};

TEST_F(PathLines, PathsReadBackAsWritten) {
    // Past the 64 KiB the writer and the reader handle at a time.
    std::wstring longPath = L"/tmp/";
    while (longPath.size() < 70000) longPath += L"長い名前/";
    longPath += L"a.png";
    struct Case {
        const char* what;
        std::wstring path;
        std::string line;
    };
    const Case cases[] = {
        {"equals sign", L"/tmp/a=b.png", "/tmp/a=b.png"},
        {"brackets", L"[x]/[y].png", "[x]/[y].png"},
        {"blanks around", L"  /tmp/a b.png ", "  /tmp/a b.png "},
        {"comment sign", L";/tmp/c.png", ";/tmp/c.png"},
        {"backslashes", L"C:\\dir\\n.png", "C:\\dir\\n.png"},
        {"replacement character", L"/tmp/\uFFFD.png", "/tmp/\xEF\xBF\xBD.png"},
        {"long", longPath, System::String::toUtf8(longPath)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PathEffect effect(figures);
        effect.setPaths(c.path);
        const std::string bytes = write(effect);
        EXPECT_EQ(bytes, section(c.line));
        PathEffect back(figures);
        read(back, bytes);
        EXPECT_EQ(back.file.path, c.path);
        EXPECT_EQ(back.figure.path, c.path);
        EXPECT_EQ(back.figure.value, -1);
        EXPECT_EQ(back.mask.path, c.path);
        EXPECT_EQ(back.string.text, c.path);
        EXPECT_EQ(write(back), bytes);
    }
}

TEST_F(PathLines, PathsThatCouldNotBeWrittenAreRefusedWhereTheyEnter) {
    // File names may hold CR and LF. Set on an item, such a path would leave
    // every file holding the effect unwritable, so the item refuses it and
    // keeps what it held; the section still writes as before.
    PathEffect effect(figures);
    effect.setPaths(L"/kept.png");
    const std::string before = write(effect);
    ASSERT_EQ(before, section("/kept.png"));
    struct Case {
        const char* what;
        Effect::EffectItem* item;
        const wchar_t* path;
        std::string error;
    };
    const auto error = [](const char* key, const char* kind) {
        return std::string("text holds a line break.\n\n[Note]\nkey=") + key + "\n\n[Place]\nEffect::" + kind +
               "::setFilePath()";
    };
    const Case cases[] = {
        {"file LF", &effect.file, L"/media/two\nlines.png", error("ファイル", "EffectItemFile")},
        {"file CR at the end", &effect.file, L"/media/a.png\r", error("ファイル", "EffectItemFile")},
        {"file under a path variable", &effect.file, L"%Figure%/a\nb.png", error("ファイル", "EffectItemFile")},
        {"figure CR LF", &effect.figure, L"/media/a\r\n[Effect.1]\r\n.svg", error("図形", "EffectItemComboFile")},
        {"mask file", &effect.mask, L"/media/m\n.png", error("マスク", "EffectItemMaskSelect")},
        {"mask render image", &effect.mask, L"*two\nlines", error("マスク", "EffectItemMaskSelect")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(EffectTest::errorOf([&] { c.item->setFilePath(c.path); }), c.error);
        EXPECT_EQ(std::wstring(c.item->getFilePath()), L"/kept.png");
        EXPECT_EQ(write(effect), before);
    }
    EXPECT_EQ(effect.figure.value, -1);
    EXPECT_EQ(effect.mask.figure, -1);
    // An ordinary path still enters.
    effect.mask.setFilePath(L"*temp");
    EXPECT_EQ(effect.mask.path, L"*temp");
}

TEST_F(PathLines, BytesThatAreNotUtf8ReadAsReplacementsAndStaySo) {
    PathEffect effect(figures);
    read(effect, section("/tmp/\xFF\xFE.png"));
    EXPECT_EQ(effect.file.path, L"/tmp/\uFFFD\uFFFD.png");
    EXPECT_EQ(effect.mask.path, L"/tmp/\uFFFD\uFFFD.png");
    const std::string once = section("/tmp/\xEF\xBF\xBD\xEF\xBF\xBD.png");
    EXPECT_EQ(write(effect), once);
    PathEffect back(figures);
    read(back, once);
    EXPECT_EQ(write(back), once);
}

}  // namespace
