#include "core/thread/ThreadPriority.h"

#include "core/base/Exception.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"

#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace System::Process {

namespace {

constexpr const char* kPlace = "System::Process::SetThreadPriority";

// Read without adding the key: worker threads read the store while others
// may, too.
int readPriority(const char* key) {
    const auto* settings = Singleton<Setting::SettingService>::getInstance();
    if (!settings) return 0;
    return settings->systemConfig.getSection("Config").findValue(key).toInt(0);
}

}  // namespace

bool niceForPriority(int priority, int& nice) {
    switch (priority) {
    case -15: nice = 19; return true;   // idle
    case -2: nice = 10; return true;    // lowest
    case -1: nice = 5; return true;     // below normal
    case 0: nice = 0; return true;
    case 1: nice = -5; return true;     // above normal
    case 2: nice = -10; return true;    // highest
    case 15: nice = -20; return true;   // time critical
    default: return false;
    }
}

void SetThreadPriority(const char* key) {
    try {
        const int priority = readPriority(key);
        if (priority == 0) return;
        int nice = 0;
        if (!niceForPriority(priority, nice))
            throw makeErrnoException("::SetThreadPriority", kPlace, EINVAL);
        // On Linux the nice value belongs to the thread.
        const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
        if (::setpriority(PRIO_PROCESS, thread, nice) != 0)
            throw makeLastErrorException("::SetThreadPriority", kPlace);
    } catch (const std::exception&) {
        // The builder logged it; the thread keeps its priority.
    }
}

}  // namespace System::Process
