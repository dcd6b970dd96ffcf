// A modal window opened during playback: the program's own services on a
// display of the test's own; the modal scope stops the player and disables
// the main window until it closes.
#include "app/StartupTable.h"

#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "effects/media/FigureLoad.h"
#include "platform/gtk/NativeWindow.h"
#include "render/service/RenderService.h"
#include "support/VirtualDisplay.h"
#include "window/ModalScope.h"
#include "window/WindowService.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

TEST(ModalScopePlayback, OpeningAModalWindowStopsPlayback) {
    TestSupport::useTestDisplay();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CoreTest::ProgramFolder folder;
    std::vector<App::StartupHolder> holders;
    for (const App::StartupRow& row : App::startupTable()) holders.push_back(row.create());
    {
        auto& edit = *System::Singleton<Edit::EditService>::getInstance();
        Edit::Scene& scene = *edit.getCurrentScene();
        scene.width = 64;
        scene.height = 36;
        scene.createObject(Effect::FigureLoad::Name, 0, 0, 299);
        scene.updateLayerObject();
        Render::MoviePlayer& player = System::Singleton<Render::RenderService>::getInstance()->player;
        const Platform::WindowHandle main = System::Singleton<Window::WindowService>::getInstance()->mainWindow;

        player.play(false);
        ASSERT_TRUE(player.isPlaying());
        {
            Window::ModalScope scope;
            EXPECT_FALSE(player.isPlaying());
            EXPECT_FALSE(Platform::isWindowEnabled(main));
        }
        EXPECT_TRUE(Platform::isWindowEnabled(main));
        // Closing the scope does not start playback again.
        EXPECT_FALSE(player.isPlaying());
    }
    while (!holders.empty()) holders.pop_back();
}

}  // namespace
