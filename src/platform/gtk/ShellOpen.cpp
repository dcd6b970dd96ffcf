#include "platform/gtk/ShellOpen.h"

#include <glib.h>

namespace Platform {

bool shellOpen(const std::string& target) {
    char program[] = "xdg-open";
    std::string argument = target;
    char* argv[] = {program, argument.data(), nullptr};
    GError* error = nullptr;
    // Without DO_NOT_REAP_CHILD the opener is detached from us and reaped.
    const gboolean started = g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, &error);
    if (error) g_error_free(error);
    return started;
}

}  // namespace Platform
