#include "e2e/ProgramRun.h"

#include "support/Sanitizers.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace E2E {

ProgramRun::ProgramRun(const std::map<std::string, std::string>& environment,
                       std::span<const std::string> arguments, const std::filesystem::path& workingDirectory) {
    char pattern[] = "/tmp/movane2-e2e-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    std::filesystem::create_directories(folder_ / "data");

    std::map<std::string, std::string> variables;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto equals = entry.find('=');
        if (equals != std::string::npos) variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    variables["XDG_DATA_HOME"] = (folder_ / "data").string();
    for (const auto& [name, value] : environment) {
        if (value.empty())
            variables.erase(name);
        else
            variables[name] = value;
    }
    std::vector<std::string> entries;
    for (const auto& [name, value] : variables) entries.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& entry : entries) envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string program = MOVANE2_BINARY_DIR "/movane2";
    const std::string log = (folder_ / "output.txt").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) _exit(126);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    if (pid_ < 0) throw std::runtime_error("fork failed");
}

ProgramRun::~ProgramRun() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

int ProgramRun::wait(int ms) {
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(ms) * TestSupport::kSanitizerSlowdown;
    while (pid_ > 0) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() > end) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

void ProgramRun::signal(int number) const {
    if (pid_ > 0) kill(pid_, number);
}

std::string ProgramRun::output() const {
    std::ifstream in(folder_ / "output.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string commandOutput(const std::string& command) {
    std::string result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.append(buffer, n);
    pclose(pipe);
    return result;
}

TempFolder::TempFolder() {
    char pattern[] = "/tmp/movane2-e2e-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::map<std::string, std::string> testEnvironment(const std::string& display,
                                                   const std::filesystem::path& dataHome,
                                                   const std::map<std::string, std::string>& extra) {
    std::map<std::string, std::string> environment{{"DISPLAY", display},
                                                   {"XDG_DATA_HOME", dataHome.string()},
                                                   {"FONTCONFIG_FILE", MOVANE2_SOURCE_DIR "/tests/data/fonts/fonts.conf"},
                                                   {"LC_ALL", "C.UTF-8"}};
    for (const auto& [name, value] : extra) environment[name] = value;
    return environment;
}

std::string hiddenPanelsIni() {
    return "[Window.scene.list]\r\nhide=1\r\n[Window.object.list]\r\nhide=1\r\n[Window.preview]\r\nhide=1\r\n[Window.explorer:1]\r\nhide=1\r\n[Window.edit]\r\nhide=1\r\n[Window.setting]\r\nhide=1\r\n";
}

}  // namespace E2E
