#pragma once
// The drag source program of the drop tests (tests/programs/DragSource)
// on a display, offering files from a small window at a place of the
// screen; what it prints goes to a log file. Ended with the object.
#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace E2E {

class DragSourceRun {
public:
    // at: "X,Y", the window's place on the screen.
    DragSourceRun(const std::string& display, const std::filesystem::path& log, const std::vector<std::string>& files,
                  const std::string& at);
    ~DragSourceRun();
    DragSourceRun(const DragSourceRun&) = delete;
    DragSourceRun& operator=(const DragSourceRun&) = delete;

    std::string lines() const;
    // The program printed the line.
    bool said(const std::string& line) const;

private:
    std::filesystem::path log_;
    pid_t pid_ = -1;
};

}  // namespace E2E
