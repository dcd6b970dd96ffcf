#include "window/WindowClientSettings.h"

#include "core/base/Singleton.h"
#include "core/file/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Window;

namespace {

std::vector<std::string> sectionLines(const System::IniFile& ini, const char* name) {
    std::vector<std::string> lines;
    for (const auto& [key, value] : ini.getSection(name)) lines.push_back(key + "=" + value.text);
    return lines;
}

}  // namespace

TEST(WindowClientSettings, MissingSectionTakesThePlacementRecord) {
    System::Singleton<System::IniFile> mainSettings;
    System::IniFile& ini = *mainSettings.getInstance();
    {
        ClientPlacement p;
        WindowClientSettings settings("Window.setting.color", p, Placements::settingColor);
        EXPECT_FLOAT_EQ(p.left, 0.8f);
        EXPECT_FLOAT_EQ(p.top, 0.7f);
        EXPECT_FLOAT_EQ(p.right, 1);
        EXPECT_FLOAT_EQ(p.bottom, 1);
        EXPECT_EQ(p.area, AreaRight);
        EXPECT_EQ(p.hide, 1);
        EXPECT_EQ(p.group, 0);
        EXPECT_EQ(p.floating, 0);
        p.floating = 1;
        p.x = 40;
    }
    // Written back whole, in key order, floats as "%f".
    EXPECT_EQ(sectionLines(ini, "Window.setting.color"),
              (std::vector<std::string>{"left=0.800000", "top=0.700000", "right=1.000000", "bottom=1.000000",
                                        "area=1", "hide=1", "group=0", "floating=1", "x=40", "y=0", "w=0", "h=0",
                                        "zoom=0"}));
}

TEST(WindowClientSettings, MalformedKeysFallBackAloneToThePlacementRecord) {
    System::Singleton<System::IniFile> mainSettings;
    System::IniFile& ini = *mainSettings.getInstance();
    ini.loadMemory(
        "[Window.edit]\nleft=abc\ntop=0.5\nright=nan\nbottom=0.9\narea=7\nhide=x\ngroup=3\nfloating=1\n"
        "x=12\ny=-30\nw=400\nh=300\nzoom=1\n");
    ClientPlacement p;
    WindowClientSettings settings("Window.edit", p, Placements::edit);
    EXPECT_FLOAT_EQ(p.left, 0.2f);    // malformed: the record's
    EXPECT_FLOAT_EQ(p.top, 0.5f);
    EXPECT_FLOAT_EQ(p.right, 0.5f);   // not finite: the record's
    EXPECT_FLOAT_EQ(p.bottom, 0.9f);
    EXPECT_EQ(p.area, AreaBottom);    // no such area: the record's
    EXPECT_EQ(p.hide, 0);             // the timeline starts shown
    EXPECT_EQ(p.group, 3);
    EXPECT_EQ(p.floating, 1);
    EXPECT_EQ(p.x, 12);
    EXPECT_EQ(p.y, -30);
    EXPECT_EQ(p.w, 400);
    EXPECT_EQ(p.h, 300);
    EXPECT_EQ(p.zoom, 1);
}
