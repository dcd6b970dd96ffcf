// The window service's registry of panels: entries by untranslated title
// in the order they were made, taken over by a rebuilt panel, cleared (not
// removed) when a panel goes.
#include "window/WindowTestSupport.h"

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

}  // namespace
