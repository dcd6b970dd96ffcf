// Closing the main window of the program's own services (the start-up
// table, the program's dialogs) on a display of the test's own: a modified
// project asks whether it may be discarded; Cancel keeps everything.
#include "app/StartupTable.h"

#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effects/media/FigureLoad.h"
#include "platform/gtk/NativeWindow.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

TEST(CloseQuestion, AModifiedProjectIsKeptWhenTheDiscardQuestionIsCancelled) {
    TestSupport::useTestDisplay();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CoreTest::ProgramFolder folder;
    std::vector<App::StartupHolder> holders;
    for (const App::StartupRow& row : App::startupTable()) holders.push_back(row.create());
    {
        auto& edit = *System::Singleton<Edit::EditService>::getInstance();
        Edit::Scene& scene = *edit.getCurrentScene();
        scene.createObject(Effect::FigureLoad::Name, 0, 0, 99);
        scene.updateLayerObject();
        // What an edit leaves behind.
        System::Singleton<Undo::UndoService>::getInstance()->modified = true;
        const Platform::WindowHandle main = WindowTest::service().mainWindow;
        // As a window manager's close button asks.
        const auto close = [&] { gtk_window_close(Platform::toolkitWindow(main)); };
        {
            TestSupport::MessageBoxWatcher cancel(GTK_RESPONSE_CANCEL);
            close();
            ASSERT_TRUE(WindowTest::runUntil([&] { return !cancel.boxes.empty(); }, 5000));
            WindowTest::runFor(50);
            ASSERT_EQ(cancel.boxes.size(), 1u);
            EXPECT_EQ(cancel.boxes[0].text, "現在の編集データは破棄されますがよろしいですか？");
            EXPECT_TRUE(cancel.boxes[0].modal);
        }
        EXPECT_TRUE(Platform::isWindow(main));
        EXPECT_TRUE(Platform::isWindowVisible(main));
        EXPECT_TRUE(System::Singleton<Undo::UndoService>::getInstance()->modified);
        EXPECT_TRUE(edit.getCurrentScene()->findObjectAtFrame(0, 50, 1 /* video */) ||
                    edit.getCurrentScene()->findObjectAtFrame(0, 50, 0));
        // Agreeing closes the window and ends the loop.
        TestSupport::MessageBoxWatcher agree(GTK_RESPONSE_OK);
        close();
        WindowTest::runUntil([&] { return !Platform::isWindow(main); }, 5000);
        EXPECT_EQ(agree.boxes.size(), 1u);
        EXPECT_FALSE(Platform::isWindow(main));
    }
    while (!holders.empty()) holders.pop_back();
}

}  // namespace
