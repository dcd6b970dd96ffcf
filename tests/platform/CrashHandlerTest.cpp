#include "platform/CrashHandler.h"
#include "platform/FaultGuard.h"
#include "support/Sanitizers.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

volatile int* volatile gNull = nullptr;
__attribute__((no_sanitize("undefined"))) void writeNull() { *gNull = 1; }

// Where the callbacks of the child processes leave their mark; one line per
// call, written with plain system calls as a signal handler may.
char gMarkPath[256];
void mark() {
    const int fd = ::open(gMarkPath, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return;
    [[maybe_unused]] const ssize_t n = ::write(fd, "recovered\n", 10);
    ::close(fd);
}
void markThenAbort() {
    mark();
    std::abort();
}

class CrashHandlerDeathTest : public ::testing::Test {
protected:
    CrashHandlerDeathTest() {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        // The child processes run the test again from the start: they find
        // the parent's path in the environment.
        if (const char* inherited = std::getenv(kMarkVariable)) {
            std::snprintf(gMarkPath, sizeof gMarkPath, "%s", inherited);
            return;
        }
        const fs::path path = fs::temp_directory_path() / ("movane2-crash-" + std::to_string(::getpid()));
        fs::remove(path);
        std::snprintf(gMarkPath, sizeof gMarkPath, "%s", path.c_str());
        ::setenv(kMarkVariable, gMarkPath, 1);
        owner_ = true;
    }
    ~CrashHandlerDeathTest() override {
        if (!owner_) return;
        fs::remove(gMarkPath);
        ::unsetenv(kMarkVariable);
    }

    static constexpr const char* kMarkVariable = "MOVANE2_TEST_CRASH_MARK";
    bool owner_ = false;

    int markCount() const {
        std::ifstream in(gMarkPath);
        int lines = 0;
        for (std::string line; std::getline(in, line);) ++lines;
        return lines;
    }
};

// The callback runs before the process dies, and the process still dies of
// the signal it got (so a core dump and the exit status stay as they were).
TEST_F(CrashHandlerDeathTest, RunsTheCallbackThenTakesTheDefaultAction) {
    if (TestSupport::kSanitizerTakesFaults) GTEST_SKIP() << "the sanitizer takes faults";
    EXPECT_EXIT({
        Platform::CrashHandler::install();
        Platform::CrashHandler::setRecoveryCallback(mark);
        writeNull();
    }, ::testing::KilledBySignal(SIGSEGV), "");
    EXPECT_EQ(markCount(), 1);

    EXPECT_EXIT({
        Platform::CrashHandler::install();
        Platform::CrashHandler::setRecoveryCallback(mark);
        std::abort();
    }, ::testing::KilledBySignal(SIGABRT), "");
    EXPECT_EQ(markCount(), 2);

    // A signal sent by another process (kill -SEGV) counts as well.
    EXPECT_EXIT({
        Platform::CrashHandler::install();
        Platform::CrashHandler::setRecoveryCallback(mark);
        ::kill(::getpid(), SIGBUS);
        ::pause();
    }, ::testing::KilledBySignal(SIGBUS), "");
    EXPECT_EQ(markCount(), 3);
}

// A fault inside the callback does not run it again: the process ends of
// the second signal.
TEST_F(CrashHandlerDeathTest, ASecondFaultSkipsTheCallback) {
    if (TestSupport::kSanitizerTakesFaults) GTEST_SKIP() << "the sanitizer takes faults";
    EXPECT_EXIT({
        Platform::CrashHandler::install();
        Platform::CrashHandler::setRecoveryCallback(markThenAbort);
        writeNull();
    }, ::testing::KilledBySignal(SIGABRT), "");
    EXPECT_EQ(markCount(), 1);
}

// Faults inside a guard installed afterwards still come back to the guard;
// only the unguarded one reaches the crash handler.
TEST_F(CrashHandlerDeathTest, GuardedFaultsStayWithTheGuard) {
    if (TestSupport::kSanitizerTakesFaults) GTEST_SKIP() << "the sanitizer takes faults";
    EXPECT_EXIT({
        Platform::CrashHandler::install();
        Platform::CrashHandler::setRecoveryCallback(mark);
        System::StructuredExceptionInfo info;
        if (Platform::FaultGuard::run([](void*) { writeNull(); }, nullptr, info)) std::_Exit(3);
        writeNull();
    }, ::testing::KilledBySignal(SIGSEGV), "");
    EXPECT_EQ(markCount(), 1);
}

}  // namespace
