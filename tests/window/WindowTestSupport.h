#pragma once
// Window service tests: the service through its holder, on the test
// process's own display, with the setting service over the shipped
// configuration files (the style's sizes), and a helper that runs the loop
// for a while.
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "platform/gtk/Menu.h"
#include "platform/gtk/MessageQueue.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"

#include <gdk/gdk.h>
#include <glib.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace PanelTest {
// The X window of a program window (XWindowId.cpp).
unsigned long xid(Platform::WindowHandle window);
}  // namespace PanelTest

namespace WindowTest {

inline Window::WindowService& service() {
    return *System::Singleton<Window::WindowService>::getInstance();
}

// The height of the menu bar above the main window's client area: the
// window's placement holds it, its client area does not.
inline int menuBarHeight() {
    GtkWidget* bar = Platform::toolkitMenu(service().hmenu);
    return gtk_widget_get_parent(bar) ? gtk_widget_get_allocated_height(bar) : 0;
}

// Runs the message loop until done() holds (checked every 10 ms), the quit
// message arrives or ms have passed. Returns done().
inline bool runUntil(const std::function<bool()>& done, unsigned ms = 10000) {
    struct State {
        const std::function<bool()>& done;
        gint64 end;
        bool quitPosted = false;
    } state{done, g_get_monotonic_time() + gint64(ms) * 1000};
    const guint id = g_timeout_add(
        10,
        [](gpointer data) -> gboolean {
            auto* s = static_cast<State*>(data);
            if (!s->done() && g_get_monotonic_time() < s->end) return G_SOURCE_CONTINUE;
            s->quitPosted = true;
            Platform::postQuitMessage(0);
            return G_SOURCE_REMOVE;
        },
        &state);
    service().processMessage();
    if (!state.quitPosted) g_source_remove(id);
    return done();
}

// Runs the message loop for ms (or until the quit message).
inline void runFor(unsigned ms) {
    runUntil([] { return false; }, ms);
}

// Lets the loop handle what the server has sent so far.
inline void settle() {
    gdk_display_sync(gdk_display_get_default());
    runFor(30);
}

// Runs a program with the arguments (a "%w" becomes the window xid) while
// the loop runs, so that it can talk to us, then settles; its standard
// output. A program that cannot start fails the test.
inline std::string runProgram(std::vector<std::string> args, unsigned long xid) {
    std::vector<char*> argv;
    const std::string id = std::to_string(xid);
    for (std::string& arg : args) {
        if (arg == "%w") arg = id;
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    GPid pid = 0;
    int out = -1;
    EXPECT_TRUE(g_spawn_async_with_pipes(nullptr, argv.data(), nullptr,
                                         GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD), nullptr,
                                         nullptr, &pid, nullptr, &out, nullptr, nullptr));
    if (!pid) return {};
    std::string text;
    bool ended = false;
    g_child_watch_add(pid, [](GPid p, gint, gpointer done) {
        *static_cast<bool*>(done) = true;
        g_spawn_close_pid(p);
    }, &ended);
    GIOChannel* channel = g_io_channel_unix_new(out);
    g_io_channel_set_flags(channel, G_IO_FLAG_NONBLOCK, nullptr);
    EXPECT_TRUE(runUntil([&] {
        gchar buffer[256];
        gsize got = 0;
        while (g_io_channel_read_chars(channel, buffer, sizeof buffer, &got, nullptr) == G_IO_STATUS_NORMAL &&
               got > 0)
            text.append(buffer, got);
        return ended;
    }, 10000));
    g_io_channel_shutdown(channel, FALSE, nullptr);
    g_io_channel_unref(channel);
    settle();
    return text;
}

// xdotool with the arguments, "%w" standing for the window. A move to a
// point of the main window ("mousemove --window %w x y") takes a point of
// its client area, which starts below the menu bar.
inline void xdotool(std::vector<std::string> args, unsigned long xid) {
    const bool mainWindow = System::Singleton<Window::WindowService>::getInstance() &&
                            xid == PanelTest::xid(service().mainWindow);
    for (std::size_t i = 0; mainWindow && i + 4 < args.size(); ++i)
        if (args[i] == "mousemove" && args[i + 1] == "--window" && args[i + 2] == "%w")
            args[i + 4] = std::to_string(std::stoi(args[i + 4]) + menuBarHeight());
    args.insert(args.begin(), "xdotool");
    runProgram(std::move(args), xid);
}

class WindowServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        settings = std::make_unique<System::Singleton<Setting::SettingService>>();
        holder = std::make_unique<System::Singleton<Window::WindowService>>();
    }
    void TearDown() override {
        holder.reset();
        settings.reset();
    }

    CoreTest::ProgramFolder folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<Window::WindowService>> holder;
};

}  // namespace WindowTest
