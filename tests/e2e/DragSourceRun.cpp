#include "e2e/DragSourceRun.h"

#include "core/CoreTestSupport.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace E2E {

DragSourceRun::DragSourceRun(const std::string& display, const std::filesystem::path& log,
                             const std::vector<std::string>& files, const std::string& at)
    : log_(log) {
    pid_ = fork();
    if (pid_ == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        setenv("DISPLAY", display.c_str(), 1);
        std::vector<std::string> argv = {MOVANE2_BINARY_DIR "/tests/drag_source", "--at", at};
        argv.insert(argv.end(), files.begin(), files.end());
        std::vector<char*> args;
        for (std::string& a : argv) args.push_back(a.data());
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
}

DragSourceRun::~DragSourceRun() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::string DragSourceRun::lines() const { return CoreTest::readBytes(log_.string()); }

bool DragSourceRun::said(const std::string& line) const { return lines().find(line + "\n") != std::string::npos; }

}  // namespace E2E
