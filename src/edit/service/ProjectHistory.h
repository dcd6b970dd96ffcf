#pragma once
// The recent projects, kept in "%AppData%/history.ini": section "project",
// keys 1, 2, ... in list order. Read when the edit service starts, written
// once when it goes.
#include "edit/service/FileHistory.h"

namespace Edit {

class ProjectHistory : public FileHistory {
public:
    // Keys "1" to "100" in this order; missing keys close up. A file that
    // cannot be read, or a bad entry (empty, not UTF-8), ends the reading quietly with what
    // was read so far.
    void load() override;
    // Replaces the file; a failure is ignored (the list of this run is lost).
    void save() override;

    // "%AppData%/history.ini", expanded.
    static std::wstring getPath();
};

}  // namespace Edit
