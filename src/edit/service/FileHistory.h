#pragma once
// A list of files, newest first, with a most-entries count: the base of the
// recent-project list and the backup list. Adding a file puts it at the
// front (an equal entry, compared exactly, goes) and trims the list; every
// entry trimmed off the end is handed to removeFile first.
// User-interface thread only.
#include <list>
#include <string>
#include <vector>

namespace Edit {

class FileHistory {
public:
    virtual ~FileHistory() = default;

    // Each does nothing here.
    virtual void load() {}
    virtual void save() {}
    virtual void removeFile(const std::wstring& path) { (void)path; }

    // An empty path, or one without a file name after its last separator,
    // is ignored.
    void addFile(const std::wstring& path);
    // Drops the oldest entries beyond the max count.
    void trimFileList();
    // The setting clamped to 0..100, then trimmed.
    void setMaxCount(int value);
    int getMaxCount() const { return maxCount_; }

    // The entries' texts in list order (for menu items).
    std::vector<const std::wstring*> getFileList() const;
    // The n-th entry (0 = newest), or "" outside the list.
    std::wstring getFileName(int n) const;

protected:
    std::list<std::wstring> entries_;

private:
    int maxCount_ = 100;
};

}  // namespace Edit
