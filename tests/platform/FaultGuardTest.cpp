#include "platform/FaultGuard.h"
#include "support/Sanitizers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Platform::FaultGuard::run;

volatile int* volatile gNull = nullptr;
volatile int gZero = 0;
volatile int gSeven = 7;
volatile int gSink = 0;

// Real processor faults: the undefined-behaviour checks of sanitizer builds
// would stop the process before the instruction runs.
__attribute__((no_sanitize("undefined"))) void writeNull(void*) { *gNull = 1; }
__attribute__((no_sanitize("undefined"))) void divideByZero(void*) { gSink = gSeven / gZero; }
void illegalInstruction(void*) { __builtin_trap(); }
void breakpoint(void*) { asm volatile("int3"); }
void* (*volatile gMemset)(void*, int, std::size_t) = std::memset;
void libraryFault(void*) { gMemset(nullptr, 0, 64); }
// A mapping past the end of its file: touching it raises SIGBUS.
void busError(void*) {
    const int fd = memfd_create("fault", 0);
    ftruncate(fd, 0);
    auto* page = static_cast<volatile char*>(mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    close(fd);
    page[0] = 1;
}
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winfinite-recursion"
__attribute__((noinline)) int recurse(int depth) {
    volatile char pad[512];
    pad[0] = static_cast<char>(depth);
    return recurse(depth + 1) + pad[0];
}
#pragma GCC diagnostic pop
void overflowStack(void*) { gSink = recurse(0); }

TEST(FaultGuard, FaultsComeBackWithWindowsLikeCodes) {
    struct Case {
        const char* name;
        void (*call)(void*);
        std::uint32_t code;
        const char* module;  // null: not checked
    };
    const Case cases[] = {
        {"null write", writeNull, 0xC0000005, "tests_platform"},
        {"integer division by zero", divideByZero, 0xC0000094, "tests_platform"},
        {"illegal instruction", illegalInstruction, 0xC000001D, "tests_platform"},
        {"breakpoint", breakpoint, 0x80000003, "tests_platform"},
        {"fault inside a shared library", libraryFault, 0xC0000005, "libc.so.6"},
        {"bus error", busError, 0xC0000006, "tests_platform"},
        {"stack overflow", overflowStack, 0xC0000005, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        System::StructuredExceptionInfo info;
        EXPECT_FALSE(run(c.call, nullptr, info));
        EXPECT_EQ(info.code, c.code);
        EXPECT_NE(info.address, nullptr);
        if (c.module) {
            EXPECT_STREQ(info.module, c.module);
        }
        EXPECT_EQ(Platform::FaultGuard::depth(), 0);
    }
    // The guard is reusable after a fault, and a clean call returns normally.
    System::StructuredExceptionInfo info;
    int value = 0;
    EXPECT_TRUE(run([](void* p) { *static_cast<int*>(p) = 7; }, &value, info));
    EXPECT_EQ(value, 7);
}

TEST(FaultGuard, InvokeRaisesTheStructuredExceptionAndReturnsResults) {
    try {
        Platform::FaultGuard::invoke([] { writeNull(nullptr); }, "acmStreamConvert",
                                     "Media::AudioDecompressor::decode");
        FAIL() << "no exception";
    } catch (const System::Exception& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("acmStreamConvert() structured exception\n\n[Note]\nCode: 0xC0000005\nAddress 0x", 0), 0u)
            << text;
        EXPECT_NE(text.find("\nModule: tests_platform\n\n[Place]\nMedia::AudioDecompressor::decode()"),
                  std::string::npos)
            << text;
    }
    EXPECT_EQ(Platform::FaultGuard::invoke([] { return 42; }, "f", "g"), 42);
    const std::string s = Platform::FaultGuard::invoke([] { return std::string("kept"); }, "f", "g");
    EXPECT_EQ(s, "kept");
}

TEST(FaultGuard, NestedGuardsEachCatchTheirOwnFault) {
    struct State {
        bool innerCaught = false;
        int depthInside = 0;
    } state;
    System::StructuredExceptionInfo outer;
    EXPECT_TRUE(run([](void* p) {
        auto* s = static_cast<State*>(p);
        s->depthInside = Platform::FaultGuard::depth();
        System::StructuredExceptionInfo inner;
        s->innerCaught = !run(divideByZero, nullptr, inner) && inner.code == 0xC0000094;
    }, &state, outer));
    EXPECT_TRUE(state.innerCaught);
    EXPECT_EQ(state.depthInside, 1);
    EXPECT_EQ(Platform::FaultGuard::depth(), 0);
}

TEST(FaultGuard, ProgramExceptionsPassThroughOrBecomeFaults) {
    // Plain invoke: the C++ exception passes unchanged and the guard unwinds.
    EXPECT_THROW(Platform::FaultGuard::invoke([] { throw std::runtime_error("host"); }, "f", "g"),
                 std::runtime_error);
    EXPECT_EQ(Platform::FaultGuard::depth(), 0);

    // The converting form reports it as a fault of the call, host text dropped.
    try {
        Platform::FaultGuard::invokeCatchingAll(
            []() -> bool { throw System::makeException("Host::call", "host failure."); },
            [](const System::StructuredExceptionInfo& info) {
                return System::makeStructuredPluginException("(void(*)(HOST_APP_TABLE*))proc",
                                                             "Plugin::CommonPluginService::registerPlugin",
                                                             info, L"/plugins/a.mvx2");
            });
        FAIL() << "no exception";
    } catch (const System::Exception& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("(void(*)(HOST_APP_TABLE*))proc() structured exception\n\n[Note]\nCode: 0xE06D7363\n", 0), 0u)
            << text;
        EXPECT_EQ(text.find("host failure."), std::string::npos);
        EXPECT_NE(text.find("\n\n[Plugin]\n/plugins/a.mvx2"), std::string::npos) << text;
    }
    EXPECT_EQ(Platform::FaultGuard::depth(), 0);
}

TEST(FaultGuard, ThreadsGuardIndependently) {
    std::atomic<int> caught{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                System::StructuredExceptionInfo info;
                if (!run(i % 2 ? writeNull : divideByZero, nullptr, info)) ++caught;
            }
            // A stack overflow needs this thread's own alternate stack.
            System::StructuredExceptionInfo info;
            if (!run(overflowStack, nullptr, info)) ++caught;
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(caught.load(), 4 * 201);
}

TEST(FaultGuardDeathTest, FaultOutsideAGuardStillEndsTheProcess) {
    if (TestSupport::kSanitizerTakesFaults) GTEST_SKIP() << "the sanitizer takes faults outside a guard";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({
        System::StructuredExceptionInfo info;
        run(divideByZero, nullptr, info);  // installs the guard
        writeNull(nullptr);
    }, ::testing::KilledBySignal(SIGSEGV), "");
}

TEST(FaultGuardDeathTest, FaultOutsideAGuardReachesTheEarlierHandler) {
    if (TestSupport::kSanitizerTakesFaults) GTEST_SKIP() << "the sanitizer takes faults outside a guard";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({
        std::signal(SIGFPE, [](int) { _exit(42); });
        System::StructuredExceptionInfo info;
        run(writeNull, nullptr, info);
        divideByZero(nullptr);
    }, ::testing::ExitedWithCode(42), "");
}

}  // namespace
