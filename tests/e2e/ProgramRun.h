#pragma once
// Runs the real built program as a child process with its own data folder
// and environment; its standard output and error go to one file that the
// test reads. The child is killed if the test leaves it running.
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <span>
#include <string>

namespace E2E {

class ProgramRun {
public:
    // environment: variables to set ("" for a value unsets it), on top of
    // the test's own environment. XDG_DATA_HOME points into a fresh
    // temporary folder, removed with this object. arguments follow the
    // program name on its command line. workingDirectory: where it starts
    // (the test's own when empty).
    explicit ProgramRun(const std::map<std::string, std::string>& environment,
                        std::span<const std::string> arguments = {},
                        const std::filesystem::path& workingDirectory = {});
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // The exit code, or -1 when the program did not end within ms (longer
    // under the sanitizers; it is then killed) or ended by a signal.
    int wait(int ms);
    std::string output() const;
    // Sends a signal to the running program.
    void signal(int number) const;

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

// A fresh folder under /tmp, removed with this object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// What a window test's program runs with: the display, its data folder,
// the test fonts and a UTF-8 locale (the pictures compared depend on
// them), and extra entries added or replaced.
std::map<std::string, std::string> testEnvironment(const std::string& display,
                                                   const std::filesystem::path& dataHome,
                                                   const std::map<std::string, std::string>& extra = {});

// movane2.ini sections that hide every panel shown by default, for tests of
// the main window's own drawing (an empty docking area).
std::string hiddenPanelsIni();

// Runs a shell command and returns its standard output.
std::string commandOutput(const std::string& command);

}  // namespace E2E
