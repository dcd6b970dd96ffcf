#pragma once
// A test of the program's own start-up in the test process: every service
// and the main window with its bar, on a display of the test's own, in a
// scratch program folder. The services go when the test ends.
#include "app/StartupTable.h"

#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "platform/gtk/Menu.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowInput.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace DialogTest {

class ProgramStartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("GSETTINGS_BACKEND", "memory", 0);
        for (const App::StartupRow& row : App::startupTable()) holders.push_back(row.create());
        Platform::setFocus(main());
        WindowTest::runUntil([] { return Platform::isWindowActive(main()); }, 3000);
    }
    void TearDown() override {
        // No discard question at the end.
        if (auto* edit = System::Singleton<Edit::EditService>::getInstance()) edit->markModified();
        while (!holders.empty()) holders.pop_back();
    }

    static Window::WindowService& bar() { return WindowTest::service(); }
    static Platform::WindowHandle main() { return bar().mainWindow; }

    // The text of an item before its TAB.
    static std::wstring itemText(Platform::MenuHandle menu, int position) {
        std::wstring text;
        Platform::getMenuString(menu, static_cast<UINT>(position), Platform::MF_BYPOSITION, text);
        return text.substr(0, text.find(L'\t'));
    }
    // The id of the item with the text (submenus searched); 0 when none.
    static int findCommand(Platform::MenuHandle menu, const std::wstring& label) {
        for (int i = 0; i < Platform::getMenuItemCount(menu); ++i) {
            if (Platform::MenuHandle sub = Platform::getSubMenu(menu, i)) {
                if (const int id = findCommand(sub, label)) return id;
            } else if (itemText(menu, i) == label) {
                return Platform::getMenuItemID(menu, i);
            }
        }
        return 0;
    }

    CoreTest::ProgramFolder folder;
    std::vector<App::StartupHolder> holders;
};

}  // namespace DialogTest
