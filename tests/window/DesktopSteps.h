#pragma once
// Drives windows of the test process like a person at the desktop: a list of
// steps run from the message loop every 20 ms, each either an action
// (an xdotool command, a call) or a condition that
// is waited for. The loop keeps running inside the nested loops the steps
// open (popup menus), since the steps run from a source of their own.
// Also starts helper programs whose output lines are collected.
#include "platform/gtk/MessageQueue.h"

#include <glib.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <sys/wait.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace WindowTest {

class DesktopSteps {
public:
    // An action runs once and the next step follows.
    DesktopSteps& then(std::function<void()> action) {
        steps_.push_back([action] {
            action();
            return true;
        });
        return *this;
    }
    // Waits until the condition holds.
    DesktopSteps& waitFor(std::function<bool()> condition) {
        steps_.push_back(std::move(condition));
        return *this;
    }
    // Runs an xdotool command on the test's display to its end (the X
    // server takes its input at once; the program sees it in the loop).
    DesktopSteps& xdotool(const std::string& arguments) {
        return then([arguments] { spawn("xdotool " + arguments); });
    }
    // Waits for the number of loop turns (20 ms each): for states that have
    // no event to wait for (the toolkit settling after an action).
    DesktopSteps& settle(int turns) {
        auto left = std::make_shared<int>(turns);
        return waitFor([left] { return --*left <= 0; });
    }

    // Runs the message loop until every step has run or ms have passed;
    // true when every step ran.
    bool run(unsigned ms = 15000) {
        end_ = g_get_monotonic_time() + gint64(ms) * 1000;
        const guint id = g_timeout_add(20, &DesktopSteps::tick, this);
        Platform::runMessageLoop();
        if (!quitPosted_) g_source_remove(id);
        return next_ == steps_.size();
    }
    std::size_t reached() const { return next_; }

    static void spawn(const std::string& command) {
        gchar** argv = nullptr;
        if (!g_shell_parse_argv(command.c_str(), nullptr, &argv, nullptr)) return;
        g_spawn_sync(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        g_strfreev(argv);
    }

private:
    static gboolean tick(gpointer data) {
        auto* self = static_cast<DesktopSteps*>(data);
        while (self->next_ < self->steps_.size() && self->steps_[self->next_]()) ++self->next_;
        if (self->next_ < self->steps_.size() && g_get_monotonic_time() < self->end_) return G_SOURCE_CONTINUE;
        self->quitPosted_ = true;
        Platform::postQuitMessage(0);
        return G_SOURCE_REMOVE;
    }

    std::vector<std::function<bool()>> steps_;
    std::size_t next_ = 0;
    gint64 end_ = 0;
    bool quitPosted_ = false;
};

// A helper program whose standard output lines are collected from the loop.
class HelperProgram {
public:
    explicit HelperProgram(const std::vector<std::string>& argv) {
        std::vector<gchar*> args;
        for (const std::string& a : argv) args.push_back(const_cast<gchar*>(a.c_str()));
        args.push_back(nullptr);
        gint out = -1;
        if (!g_spawn_async_with_pipes(nullptr, args.data(), nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid_,
                                      nullptr, &out, nullptr, nullptr))
            return;
        channel_ = g_io_channel_unix_new(out);
        g_io_channel_set_flags(channel_, G_IO_FLAG_NONBLOCK, nullptr);
        g_io_channel_set_close_on_unref(channel_, TRUE);
        watch_ = g_io_add_watch(channel_, GIOCondition(G_IO_IN | G_IO_HUP), &HelperProgram::read, this);
    }
    ~HelperProgram() {
        if (watch_) g_source_remove(watch_);
        if (channel_) g_io_channel_unref(channel_);
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    HelperProgram(const HelperProgram&) = delete;
    HelperProgram& operator=(const HelperProgram&) = delete;

    bool said(const std::string& line) const {
        for (const std::string& l : lines)
            if (l == line) return true;
        return false;
    }

    std::vector<std::string> lines;

private:
    static gboolean read(GIOChannel* channel, GIOCondition condition, gpointer data) {
        auto* self = static_cast<HelperProgram*>(data);
        if (condition & G_IO_IN) {
            gchar* line = nullptr;
            gsize length = 0;
            while (g_io_channel_read_line(channel, &line, &length, nullptr, nullptr) == G_IO_STATUS_NORMAL && line) {
                std::string text(line, length);
                g_free(line);
                line = nullptr;
                while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
                self->lines.push_back(text);
            }
        }
        if (condition & G_IO_HUP) {
            self->watch_ = 0;
            return G_SOURCE_REMOVE;
        }
        return G_SOURCE_CONTINUE;
    }

    GPid pid_ = -1;
    GIOChannel* channel_ = nullptr;
    guint watch_ = 0;
};

}  // namespace WindowTest
