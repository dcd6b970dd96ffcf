#include "core/CoreTestSupport.h"

#include "core/base/Exception.h"
#include "core/file/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using System::IniFile;
namespace fs = std::filesystem;

using CoreTest::failureText;

std::vector<std::string> keysOf(const IniFile::SectionRef& section) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : section) keys.push_back(key + "=" + value.text);
    return keys;
}

class IniFileTest : public ::testing::Test {
protected:
    // Writes text to name in the scratch folder and loads it.
    IniFile& load(const std::string& text, const std::string& name = "test.ini") {
        CoreTest::writeBytes(folder_.file(name), text);
        EXPECT_TRUE(ini_.loadFile(folder_.wide(name).c_str()));
        return ini_;
    }
    std::string path(const std::string& name = "test.ini") const { return folder_.file(name); }

    CoreTest::TempFolder folder_;
    CoreTest::LogLines log_;
    IniFile ini_;
};

TEST_F(IniFileTest, RepeatedSectionsMergeTheirKeys) {
    load("[a]\nx=1\n[b]\nx=2\n[a]\ny=3\n");
    EXPECT_EQ(keysOf(ini_.getSection("a")), (std::vector<std::string>{"x=1", "y=3"}));
    EXPECT_EQ(keysOf(ini_.getSection("b")), (std::vector<std::string>{"x=2"}));
    EXPECT_TRUE(log_.of(System::Log::WARN).empty());
    const auto verbose = log_.of(System::Log::VERBOSE);
    ASSERT_EQ(verbose.size(), 1u);
    EXPECT_EQ(verbose[0].tag, "System::IniFile::loadFile");
    EXPECT_EQ(verbose[0].text, "load ini file : " + path() + " (section=2)");
}

TEST_F(IniFileTest, LinesAreTakenAsTheyAre) {
    load(" key = a=b ;c\r\n"  // before any section: illegal, line 1
         "[s]\r\n"
         "; comment\r\n"
         " ;not a comment=1\r\n"
         "k2= spaced \r\n"
         "empty=\r\n"
         "=nokey\r\n"
         "mid=a\rb\r\n"
         "[[x]]\r\n"
         "v=[1]\r\n"
         "noequals\r\n"
         "[]\r\n"
         "orphan=1\r\n"
         "\r\n");
    EXPECT_EQ(keysOf(ini_.getSection("s")),
              (std::vector<std::string>{" ;not a comment=1", "k2= spaced ", "empty=", "=nokey", "mid=a\rb"}));
    EXPECT_EQ(keysOf(ini_.getSection("[x]")), (std::vector<std::string>{"v=[1]"}));
    const auto warnings = log_.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0].tag, "System::IniFile::loadFile");
    EXPECT_EQ(warnings[0].text, "ini file line illegal format. file=" + path() + "(line 1)");
    EXPECT_EQ(warnings[1].text, "ini file line illegal format. file=" + path() + "(line 11)");
    EXPECT_EQ(warnings[2].text, "ini file line illegal format. file=" + path() + "(line 13)");
}

// A C string would end such a key early, making it another key of the
// section once saved: the line is refused as malformed instead.
TEST_F(IniFileTest, ALineWithANulByteInKeyOrValueIsRefusedAsMalformed) {
    load(std::string("[s]\nKey\0X=1\nKey=2\nv=a\0b\nw=ok\n", 29));
    EXPECT_EQ(keysOf(ini_.getSection("s")), (std::vector<std::string>{"Key=2", "w=ok"}));
    const auto warnings = log_.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].text, "ini file line illegal format. file=" + path() + "(line 2)");
    EXPECT_EQ(warnings[1].text, "ini file line illegal format. file=" + path() + "(line 4)");

    // Keys made in memory are written whole.
    ini_.getValue("s", std::string("Key\0Y", 5)).text = "3";
    ini_.saveFile(folder_.wide("saved.ini").c_str());
    EXPECT_EQ(CoreTest::readBytes(path("saved.ini")), std::string("[s]\r\nKey=2\r\nw=ok\r\nKey\0Y=3\r\n", 27));
    IniFile again;
    again.loadFile(folder_.wide("saved.ini").c_str());
    EXPECT_EQ(keysOf(again.getSection("s")), (std::vector<std::string>{"Key=2", "w=ok"}));
}

TEST_F(IniFileTest, LineEndsLoadAlike) {
    IniFile crlf, lf;
    CoreTest::writeBytes(path("crlf.ini"), "[s]\r\na=1\r\nb=2");
    CoreTest::writeBytes(path("lf.ini"), "[s]\na=1\nb=2\n");
    crlf.loadFile(folder_.wide("crlf.ini").c_str());
    lf.loadFile(folder_.wide("lf.ini").c_str());
    EXPECT_EQ(keysOf(crlf.getSection("s")), keysOf(lf.getSection("s")));
    EXPECT_EQ(crlf.getSection("s").findValue("b").line, 3);
}

TEST_F(IniFileTest, ByteOrderMarkIsPartOfTheFirstLine) {
    load("\xEF\xBB\xBF[s]\nk=v\n");
    EXPECT_FALSE(ini_.hasSection("s"));
    EXPECT_EQ(log_.of(System::Log::WARN).size(), 2u);
}

TEST_F(IniFileTest, FirstDuplicateKeyWins) {
    load("[s]\nk=first\nother=1\nk=second\n");
    EXPECT_EQ(ini_.getSection("s").findValue("k").text, "first");
    const auto warnings = log_.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].text, "ini file parameter duplicate key? file=" + path() + "(line 4) section=s key=k");

    // Merging: what the store has wins, silently; path stays the first one.
    log_.clear();
    CoreTest::writeBytes(path("program.ini"), "[s]\nk=program\nnew=2\n[t]\nz=1\n");
    EXPECT_TRUE(ini_.loadFile(folder_.wide("program.ini").c_str(), true));
    EXPECT_EQ(keysOf(ini_.getSection("s")), (std::vector<std::string>{"k=first", "other=1", "new=2"}));
    EXPECT_TRUE(ini_.hasSection("t"));
    EXPECT_TRUE(log_.of(System::Log::WARN).empty());
    EXPECT_EQ(ini_.path, folder_.wide("test.ini"));
}

TEST_F(IniFileTest, MissingFileIsQuiet) {
    load("[old]\na=1\n");
    EXPECT_FALSE(ini_.loadFile(folder_.wide("missing.ini").c_str(), true));
    EXPECT_TRUE(ini_.hasSection("old"));
    EXPECT_FALSE(ini_.loadFile(folder_.wide("missing.ini").c_str()));
    EXPECT_FALSE(ini_.hasSection("old"));
    EXPECT_EQ(ini_.path, folder_.wide("missing.ini"));
    EXPECT_TRUE(log_.of(System::Log::WARN).empty());
    EXPECT_TRUE(log_.of(System::Log::ERROR).empty());
}

TEST_F(IniFileTest, MemoryTextHasNoFile) {
    ini_.loadMemory("x=1\n[s]\nk=1\nk=2\n");
    EXPECT_EQ(ini_.path, L"");
    const auto warnings = log_.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].tag, "System::IniFile::loadMemory");
    EXPECT_EQ(warnings[0].text, "illegal format. line=1");
    EXPECT_EQ(warnings[1].text, "parameter duplicate key? line=4");
    EXPECT_EQ(ini_.getSection("s").findValue("k").getPlace(), L" section=s key=k");
}

TEST_F(IniFileTest, LegacyEncodedFile) {
    CoreTest::writeBytes(path("legacy.qro"), "[\x83\x65]\nname=\x93\xfa\x96\x7b\n");
    ini_.loadFile(folder_.wide("legacy.qro").c_str(), false, true);
    EXPECT_EQ(ini_.getSection("テ").findValue("name").text, "日本");
}

TEST_F(IniFileTest, PlaceTexts) {
    load("[a]\n\n\n\n\n[s]\nk=1\n");
    const std::string file = "file=" + path();
    EXPECT_EQ(fs::path(ini_.getSection("s").findValue("k").getPlace()).string(), file + "(line 7) section=s key=k");
    EXPECT_EQ(fs::path(ini_.getValue("s", "made").getPlace()).string(), file + " section=s key=made");
    EXPECT_EQ(ini_.getSection("s").findValue("none").getPlace(), L"");
    // A copy is not among the file's values: only the file part remains.
    const IniFile::VALUE copy = ini_.getSection("s").findValue("k");
    EXPECT_EQ(fs::path(copy.getPlace()).string(), file + "(line 7)");
}

TEST_F(IniFileTest, IntConversions) {
    load("[s]\nhex=0x10\nletters=abc\nbig=12345678901\ntail=12ab\nneg= -7\nempty=\n");
    const auto s = ini_.getSection("s");
    EXPECT_EQ(s.findValue("hex").toInt(), 0);
    EXPECT_EQ(s.findValue("tail").toInt(), 12);
    EXPECT_EQ(s.findValue("neg").toInt(), -7);
    EXPECT_EQ(s.findValue("empty").toInt(5), 5);
    EXPECT_EQ(s.findValue("missing").toInt(9), 9);
    const std::string where = "file=" + path();
    EXPECT_EQ(failureText([&] { s.findValue("letters").toInt(); }),
              "ini file parameter invalid format(int) or undefined.\n\n[Note]\n" + where +
                  "(line 3) section=s key=letters\n\n[Place]\nSystem::IniFile::VALUE::toInt()");
    EXPECT_EQ(failureText([&] { s.findValue("big").toInt(1); }),
              "ini file parameter invalid format(int).\n\n[Note]\n" + where +
                  "(line 4) section=s key=big\n\n[Place]\nSystem::IniFile::VALUE::toInt()");
    EXPECT_EQ(failureText([&] { s.findValue("empty").toInt(); }),
              "ini file parameter invalid format(int) or undefined.\n\n[Note]\n" + where +
                  "(line 7) section=s key=empty\n\n[Place]\nSystem::IniFile::VALUE::toInt()");
    EXPECT_EQ(failureText([&] { s.findValue("missing").toInt(); }),
              "ini file parameter invalid format(int) or undefined.\n\n[Note]\n\n\n[Place]\n"
              "System::IniFile::VALUE::toInt()");
}

TEST_F(IniFileTest, FloatDoubleStringConversions) {
    load("[s]\nf=1e3\nd=0.1\nbad=x1\nempty=\nu=日本\n");
    const auto s = ini_.getSection("s");
    EXPECT_FLOAT_EQ(s.findValue("f").toFloat(), 1000.0f);
    EXPECT_FLOAT_EQ(s.findValue("empty").toFloat(2.5f), 2.5f);
    EXPECT_DOUBLE_EQ(s.findValue("d").toDouble(), 0.1);
    EXPECT_EQ(s.findValue("u").toString(), L"日本");
    EXPECT_EQ(s.findValue("empty").toString(L"default"), L"default");
    const std::string where = "file=" + path();
    struct Case {
        std::function<void()> action;
        std::string text;
    };
    const Case cases[] = {
        {[&] { s.findValue("bad").toFloat(); },
         "ini file parameter invalid format(float) or undefined.\n\n[Note]\n" + where +
             "(line 4) section=s key=bad\n\n[Place]\nSystem::IniFile::VALUE::toFloat()"},
        {[&] { s.findValue("bad").toFloat(1.0f); },
         "ini file parameter invalid format(float).\n\n[Note]\n" + where +
             "(line 4) section=s key=bad\n\n[Place]\nSystem::IniFile::VALUE::toFloat()"},
        {[&] { s.findValue("empty").toDouble(); },
         "ini file parameter invalid format(double) or undefined.\n\n[Note]\n" + where +
             "(line 5) section=s key=empty\n\n[Place]\nSystem::IniFile::VALUE::toDouble()"},
        {[&] { s.findValue("empty").toString(); },
         "ini file parameter invalid format(UTF8) or undefined.\n\n[Note]\n" + where +
             "(line 5) section=s key=empty\n\n[Place]\nSystem::IniFile::VALUE::toString()"},
    };
    for (const Case& c : cases) EXPECT_EQ(failureText(c.action), c.text);
}

TEST_F(IniFileTest, ColourConversion) {
    load("[Color]\nA= ff8000 \nB=ff800080\nbad=fff\nletters=zz0000\n");
    const auto s = ini_.getSection("Color");
    const auto a = s.findValue("A").toRGBA();
    EXPECT_FLOAT_EQ(a[0], 1.0f);
    EXPECT_NEAR(a[1], 0.50196f, 1e-5);
    EXPECT_FLOAT_EQ(a[2], 0.0f);
    EXPECT_FLOAT_EQ(a[3], 1.0f);
    EXPECT_NEAR(s.findValue("B").toRGBA()[3], 0.50196f, 1e-5);
    for (const char* key : {"bad", "letters", "missing"}) {
        const std::string text = failureText([&] { s.findValue(key).toRGBA(); });
        EXPECT_EQ(text.rfind("ini file parameter invalid format(RGB) or undefined.\n\n[Note]\n", 0), 0u) << text;
        EXPECT_NE(text.find("[Place]\nSystem::IniFile::VALUE::toRGBA()"), std::string::npos) << text;
    }
}

TEST_F(IniFileTest, SplitPiecesNameTheirValue) {
    load("[Config]\nPreviewZoom=1,,2,x\n");
    const auto pieces = ini_.getSection("Config").findValue("PreviewZoom").split(",");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].toInt(-1), 1);
    EXPECT_EQ(pieces[1].toInt(-1), -1);
    EXPECT_EQ(pieces[2].toInt(-1), 2);
    EXPECT_EQ(failureText([&] { pieces[3].toInt(-1); }),
              "ini file parameter invalid format(int).\n\n[Note]\nfile=" + path() +
                  "(line 2) section=Config key=PreviewZoom\n\n[Place]\nSystem::IniFile::VALUE::toInt()");
    // Pieces of a piece still name the original value.
    EXPECT_EQ(pieces[0].split(";")[0].getPlace(), pieces[0].getPlace());
    EXPECT_EQ(IniFile::VALUE{}.split(",").size(), 1u);
    EXPECT_EQ(IniFile::VALUE{"a;b,c"}.split(",;").size(), 3u);
}

TEST_F(IniFileTest, SectionLookups) {
    load("[scene.3]\nk=v\n");
    EXPECT_EQ(ini_.getSection("scene", 3).name(), "scene.3");
    EXPECT_TRUE(ini_.getSection("scene", 4).empty());
    EXPECT_EQ(ini_.getSection("scene", 4).name(), "");
    EXPECT_EQ(ini_.getSection("scene.3").getValue("k").text, "v");
    EXPECT_EQ(failureText([&] { ini_.getSection("absent").getValue("zz"); }),
              "ini file parameter undefined.\n\n[Note]\n section= key=zz\n\n[Place]\n"
              "System::IniFile::SectionRef::getValue()");
    EXPECT_EQ(failureText([&] { ini_.getSection("scene.3").getValue("zz"); }),
              "ini file parameter undefined.\n\n[Note]\n section=scene.3 key=zz\n\n[Place]\n"
              "System::IniFile::SectionRef::getValue()");
    EXPECT_FALSE(ini_.hasSection("new"));
    ini_.getValue("new", "key").text = "value";
    EXPECT_EQ(ini_.getSection("new").findValue("key").text, "value");
    EXPECT_EQ(ini_.getSectionMap("other").size(), 0u);
    EXPECT_TRUE(ini_.hasSection("other"));
}

TEST_F(IniFileTest, SaveWritesExactBytesAndLoadsBack) {
    ini_.getValue("b", "z").text = "日本=語";
    ini_.getValue("b", "a").text = "";
    ini_.getValue("a", " k ").text = " v ";
    ini_.getSectionMap("empty");
    const std::wstring target = folder_.wide("saved.ini");
    ini_.saveFile(target.c_str());
    EXPECT_EQ(CoreTest::readBytes(path("saved.ini")), "[b]\r\nz=日本=語\r\na=\r\n[a]\r\n k = v \r\n[empty]\r\n");
    const auto verbose = log_.of(System::Log::VERBOSE);
    ASSERT_FALSE(verbose.empty());
    EXPECT_EQ(verbose[0].tag, "System::IniFile::Save::Save");
    EXPECT_EQ(verbose[0].text, "saveFile : " + path("saved.ini"));

    IniFile again;
    again.loadFile(target.c_str());
    for (const char* name : {"a", "b", "empty"})
        EXPECT_EQ(keysOf(again.getSection(name)), keysOf(ini_.getSection(name))) << name;

    IniFile nothing;
    nothing.saveFile(target.c_str());
    EXPECT_EQ(CoreTest::readBytes(path("saved.ini")), "");
}

TEST_F(IniFileTest, SaveFailingHalfwayKeepsTheOldFile) {
    load("[keep]\nold=1\n", "user.ini");
    const std::string before = CoreTest::readBytes(path("user.ini"));
    for (int i = 0; i < 5000; ++i) ini_.getValue("big", "key" + std::to_string(i)).text = std::string(40, 'v');
    {
        CoreTest::FileSizeLimit limit(100000);
        const std::string text = failureText([&] { ini_.saveFile(folder_.wide("user.ini").c_str()); });
        EXPECT_NE(text.find("[Place]\nSystem::File::write()"), std::string::npos) << text;
    }
    EXPECT_EQ(CoreTest::readBytes(path("user.ini")), before);
    EXPECT_FALSE(fs::exists(path("user.ini.tmp")));

    // Saving into a folder that does not exist fails at once.
    EXPECT_EQ(failureText([&] { ini_.saveFile(folder_.wide("none/user.ini").c_str()); })
                  .rfind("failed to open file.", 0),
              0u);
}

TEST_F(IniFileTest, AutoSaveOnDestructionAndQuietFailure) {
    {
        IniFile store;
        store.loadFile(folder_.wide("auto.ini").c_str());
        store.getValue("s", "k").text = "1";
        store.autoSave = true;
    }
    EXPECT_EQ(CoreTest::readBytes(path("auto.ini")), "[s]\r\nk=1\r\n");
    {
        IniFile store;
        store.loadFile(folder_.wide("no/such/folder.ini").c_str());
        store.autoSave = true;
    }  // the failure is logged, not raised
    EXPECT_FALSE(log_.of(System::Log::ERROR).empty());
}

TEST_F(IniFileTest, StreamingWriter) {
    static_assert(std::is_nothrow_destructible_v<IniFile::Save>);
    const std::wstring target = folder_.wide("stream.ini");
    const std::string finished = "[project]\r\nname=名前\r\nraw=x=y\r\nfree line\r\n";
    {
        IniFile::Save save(target.c_str());
        save.writeSection("project");
        save.writeValue("name", L"名前");
        save.writeValue("raw", std::string("x=y"));
        save.writeLine("free line");
        save.close();
    }
    EXPECT_EQ(CoreTest::readBytes(path("stream.ini")), finished);

    // Without close, because an exception came or the caller gave up, the
    // writer only removes its temporary file; the finished file stays.
    try {
        IniFile::Save save(target.c_str());
        save.writeSection("half");
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    {
        IniFile::Save save(target.c_str());
        save.writeSection("abandoned");
    }
    EXPECT_EQ(CoreTest::readBytes(path("stream.ini")), finished);
    EXPECT_FALSE(fs::exists(path("stream.ini.tmp")));

    // A failing write is raised by close, never by the destructor.
    {
        IniFile::Save save(target.c_str());
        save.writeLine(std::string(1000, 'x'));  // kept in the buffer until close
        CoreTest::FileSizeLimit limit(100);
        EXPECT_NE(failureText([&] { save.close(); }).find("System::File::write()"), std::string::npos);
    }
    EXPECT_EQ(CoreTest::readBytes(path("stream.ini")), finished);
    EXPECT_FALSE(fs::exists(path("stream.ini.tmp")));
}

}  // namespace
