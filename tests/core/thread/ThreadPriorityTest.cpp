#include "core/thread/ThreadPriority.h"

#include "core/CoreTestSupport.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "core/thread/WorkerThread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

namespace {

int threadNice() {
    errno = 0;
    return ::getpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)));
}

class ThreadPriorityTest : public ::testing::Test {
protected:
    // The nice value a worker's thread runs its tasks with, for a value of
    // "WorkerThreadPriority".
    int workerNice(const std::string& value) {
        settings().systemConfig.getValue("Config", "WorkerThreadPriority").text = value;
        int nice = 0;
        Worker::WorkerThread worker("Test");
        worker.pushTask(0, [&] { nice = threadNice(); });
        worker.waitAllTasks();
        return nice;
    }
    Setting::SettingService& settings() { return *System::Singleton<Setting::SettingService>::getInstance(); }

    CoreTest::ProgramFolder folder_;
    System::Singleton<Setting::SettingService> holder_;
};

TEST_F(ThreadPriorityTest, WorkerThreadsTakeTheLevelOfTheSystemSettings) {
    const int base = threadNice();
    if (base > 5) GTEST_SKIP() << "the test runs below normal priority already";
    CoreTest::LogLines log;
    EXPECT_EQ(workerNice(""), base);    // empty: unchanged
    EXPECT_EQ(workerNice("0"), base);
    EXPECT_EQ(workerNice("-1"), 5);     // below normal
    EXPECT_EQ(workerNice("-15"), 19);   // idle
    EXPECT_TRUE(log.of(System::Log::ERROR).empty());
    EXPECT_EQ(threadNice(), base);      // the calling thread is left alone
}

TEST_F(ThreadPriorityTest, AMalformedOrUnknownLevelIsLoggedAndChangesNothing) {
    const int base = threadNice();
    CoreTest::LogLines log;
    EXPECT_EQ(workerNice("low"), base);
    EXPECT_EQ(workerNice("3"), base);
    const auto errors = log.of(System::Log::ERROR);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].text.find("ini file parameter invalid format(int)."), std::string::npos) << errors[0].text;
    EXPECT_NE(errors[1].text.find("::SetThreadPriority"), std::string::npos) << errors[1].text;
    EXPECT_NE(errors[1].text.find("System::Process::SetThreadPriority"), std::string::npos) << errors[1].text;
}

}  // namespace
