#include "app/Application.h"
#include "core/CoreTestSupport.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A resource the service makes at its start-up row that fails (here a
// malformed control font) ends start-up through the error box, after the
// services made before it were released.
TEST(ResourceStartupTest, AFailureOfTheResourceServiceEndsStartUpWithTheBox) {
    TestSupport::useTestDisplay();
    CoreTest::ProgramFolder folder;
    CoreTest::writeBytes((folder.data() / "style.conf").string(), "[Font]\nControl=big\n");
    std::vector<App::StartupRow> rows;
    for (const App::StartupRow& row : App::startupTable()) {
        rows.push_back(row);
        if (std::string(row.name) == "Resource::ResourceService") break;
    }
    ASSERT_EQ(std::string(rows.back().name), "Resource::ResourceService");
    ASSERT_EQ(std::string(rows[rows.size() - 2].name), "Media::XAudio2Service");
    TestSupport::MessageBoxWatcher watcher;
    EXPECT_EQ(App::run(rows, "movane2"), 1);
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_NE(watcher.boxes[0].text.find("ini file parameter invalid format(float)"), std::string::npos)
        << watcher.boxes[0].text;
    EXPECT_NE(watcher.boxes[0].text.find("key=Control"), std::string::npos) << watcher.boxes[0].text;
}

}  // namespace
