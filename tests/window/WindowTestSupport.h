#pragma once
// Window service tests: the service through its holder, on the test
// process's own display, and a helper that runs the loop for a while.
#include "core/Singleton.h"
#include "platform/gtk/MessageQueue.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"

#include <glib.h>

#include <gtest/gtest.h>

#include <memory>

namespace WindowTest {

inline Window::WindowService& service() {
    return *System::Singleton<Window::WindowService>::getInstance();
}

// Runs the message loop until the quit message or for at most ms.
inline void runFor(unsigned ms) {
    struct Timer {
        bool fired = false;
    } timer;
    const guint id = g_timeout_add(
        ms,
        [](gpointer data) -> gboolean {
            static_cast<Timer*>(data)->fired = true;
            Platform::postQuitMessage(0);
            return G_SOURCE_REMOVE;
        },
        &timer);
    service().processMessage();
    if (!timer.fired) g_source_remove(id);
}

class WindowServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        holder = std::make_unique<System::Singleton<Window::WindowService>>();
    }
    void TearDown() override { holder.reset(); }

    std::unique_ptr<System::Singleton<Window::WindowService>> holder;
};

}  // namespace WindowTest
