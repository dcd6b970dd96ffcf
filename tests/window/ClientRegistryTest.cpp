// The window service's registry of panels: entries by untranslated title
// in the order they were made, taken over by a rebuilt panel, cleared (not
// removed) when a panel goes; and updateLayout showing or hiding the
// floating panels' windows.
#include "window/WindowTestSupport.h"

#include <map>
#include <string>
#include <vector>

namespace {

using WindowTest::WindowServiceTest;

Window::WindowClient* fake(std::uintptr_t n) {
    return reinterpret_cast<Window::WindowClient*>(n * 16);
}

TEST_F(WindowServiceTest, PanelsKeepTheirRegistryEntryAndOrderAcrossRebuilds) {
    Window::WindowService& service = WindowTest::service();
    service.registerClient(fake(1), L"タイムライン");
    service.registerClient(fake(2), L"プレビュー");
    service.dockedClients = {fake(1), fake(2), fake(1)};
    service.unregisterClient(fake(1));
    EXPECT_EQ(service.clients.at(L"タイムライン").client, nullptr);
    EXPECT_EQ(service.dockedClients, (std::vector<Window::WindowClient*>{fake(2)}));
    // Rebuilt: the old entry and its order come back.
    service.registerClient(fake(3), L"タイムライン");
    service.registerClient(fake(4), L"ログ");
    EXPECT_EQ(service.clients.size(), 3u);
    EXPECT_EQ(service.clients.at(L"タイムライン").client, fake(3));
    EXPECT_EQ(service.clients.at(L"タイムライン").order, 0);
    EXPECT_EQ(service.clients.at(L"プレビュー").order, 1);
    EXPECT_EQ(service.clients.at(L"ログ").order, 2);
    // A second panel of one title took the entry over: the first one going
    // leaves it alone.
    service.registerClient(fake(5), L"ログ");
    service.unregisterClient(fake(4));
    EXPECT_EQ(service.clients.at(L"ログ").client, fake(5));
}

TEST_F(WindowServiceTest, UpdateLayoutShowsTheFloatingPanelsThatAreNotHidden) {
    Window::WindowService& service = WindowTest::service();
    service.registerClient(fake(1), L"docked");
    service.registerClient(fake(2), L"floating");
    service.registerClient(fake(3), L"floating hidden");
    service.registerClient(fake(4), L"gone");
    service.unregisterClient(fake(4));
    std::map<Window::WindowClient*, bool> shown;
    int layouts = 0;
    service.clientHooks.isFloating = [](Window::WindowClient* c) { return c != fake(1); };
    service.clientHooks.isHidden = [](Window::WindowClient* c) { return c == fake(3); };
    service.clientHooks.showFloating = [&](Window::WindowClient* c, bool show) { shown[c] = show; };
    service.clientHooks.layoutClients = [&] { ++layouts; };
    service.updateLayout();
    EXPECT_EQ(shown, (std::map<Window::WindowClient*, bool>{{fake(2), true}, {fake(3), false}}));
    EXPECT_EQ(layouts, 1);
}

}  // namespace
