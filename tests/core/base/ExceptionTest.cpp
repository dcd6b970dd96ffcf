#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

using LogCapture = TestSupport::LogCapture;

// Drops the system-message line, which tests never compare.
std::string withoutSystemLine(std::string text) {
    const auto hr = text.find("HRESULT: 0x");
    if (hr == std::string::npos) return text;
    const auto lineStart = text.find('\n', hr) + 1;
    const auto lineEnd = text.find('\n', lineStart);
    return text.erase(lineStart, lineEnd - lineStart);
}

TEST(ExceptionTexts, LayoutsAndErrorLines) {
    struct Case {
        const char* name;
        System::Exception (*build)();
        const char* what;
        const char* logged;
    };
    const Case cases[] = {
        {"note", [] { return System::makeException("System::File::open", "failed to open file.", "C:/a.txt"); },
         "failed to open file.\n\n[Note]\nC:/a.txt\n\n[Place]\nSystem::File::open()",
         "failed to open file. in System::File::open() [C:/a.txt]"},
        {"no note", [] { return System::makeException("Effect::EffectBase::inputVideo", "not implement."); },
         "not implement.\n\n[Place]\nEffect::EffectBase::inputVideo()",
         "not implement. in Effect::EffectBase::inputVideo()"},
        {"empty note", [] { return System::makeException("A::b", "m", ""); },
         "m\n\n[Note]\n\n\n[Place]\nA::b()", "m in A::b() []"},
        {"format note", [] { return System::makeExceptionFormat("A::b", "bad.", L"%ls line %d", L"名前", 3); },
         "bad.\n\n[Note]\n名前 line 3\n\n[Place]\nA::b()", "bad. in A::b() [名前 line 3]"},
        {"error code 30", [] { return System::makeErrorCodeException("System::File::readBlock", 30); },
         "The system cannot read from the specified device.\n\n[Place]\nSystem::File::readBlock()",
         "The system cannot read from the specified device. in System::File::readBlock()"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture log;
        const System::Exception e = c.build();
        EXPECT_STREQ(e.what(), c.what);
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_EQ(log.lines[0].type, &System::Log::ERROR);
        EXPECT_EQ(log.lines[0].tag, "Exception");
        EXPECT_EQ(log.lines[0].text, c.logged);
    }
}

TEST(ExceptionTexts, HResultFormsCarryTheCode) {
    struct Case {
        int err;
        const char* hr;
    };
    const Case cases[] = {{ENOENT, "0x80070002"}, {EACCES, "0x80070005"}, {ENOSPC, "0x80070070"},
                          {EIO, "0x8007001F"}, {0, "0x00000000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hr);
        LogCapture log;
        errno = c.err;
        const System::Exception e = System::makeLastErrorException("CreateFileW", "System::File::open");
        EXPECT_EQ(withoutSystemLine(e.what()),
                  std::string("CreateFileW() failed.\n\n[Note]\nHRESULT: ") + c.hr +
                      "\n\n\n[Place]\nSystem::File::open()");
        ASSERT_EQ(log.lines.size(), 1u);
        const std::string& line = log.lines[0].text;
        EXPECT_EQ(line.rfind("CreateFileW() failed in System::File::open() [", 0), 0u) << line;
        EXPECT_NE(line.find(std::string("] (HRESULT: ") + c.hr + ")"), std::string::npos) << line;
    }
}

TEST(ExceptionTexts, LongTextsAreCutAt1023Bytes) {
    LogCapture log;
    const std::string message(2000, 'x');
    const System::Exception e = System::makeException("A::b", message.c_str(), "note");
    EXPECT_EQ(std::string(e.what()), std::string(1023, 'x'));
    // A multibyte character is never split by the cut.
    const std::string wide = std::string(1022, 'y') + "名";
    const System::Exception f = System::makeException("A::b", wide.c_str());
    EXPECT_EQ(std::string(f.what()), std::string(1022, 'y'));
}

TEST(ExceptionTexts, StructuredForms) {
    LogCapture log;
    System::StructuredExceptionInfo info;
    info.code = 0xC0000005;
    info.address = reinterpret_cast<void*>(0x1234);
    const System::Exception e = System::makeStructuredPluginException(
        "func_proc", "Plugin::FilterPlugin::proc", info, L"blur.mvf2");
    EXPECT_STREQ(e.what(),
                 "func_proc() structured exception\n\n[Note]\nCode: 0xC0000005\nAddress "
                 "0x0000000000001234\nModule: unknown\n\n[Place]\nPlugin::FilterPlugin::proc()"
                 "\n\n[Plugin]\nblur.mvf2");
    EXPECT_EQ(log.lines.at(0).text,
              "func_proc() structured exception in Plugin::FilterPlugin::proc() [Code: 0xC0000005 "
              "Address: 0x0000000000001234 Module: unknown Plugin: blur.mvf2]");
}

TEST(ExceptionTexts, FaultAddressGivesItsModuleOrUnknown) {
    siginfo_t signal{};
    signal.si_signo = SIGSEGV;
    System::StructuredExceptionInfo info;
    EXPECT_EQ(System::getStructuredExceptionInfo(&signal, nullptr, info), 1);
    EXPECT_EQ(info.code, 0xC0000005u);
    EXPECT_STREQ(info.module, "unknown");

    signal.si_addr = reinterpret_cast<void*>(&System::makeException);
    System::getStructuredExceptionInfo(&signal, nullptr, info);
    EXPECT_STRNE(info.module, "unknown");

    signal.si_signo = SIGFPE;
    signal.si_code = FPE_INTDIV;
    System::getStructuredExceptionInfo(&signal, nullptr, info);
    EXPECT_EQ(info.code, 0xC0000094u);
}

}  // namespace
