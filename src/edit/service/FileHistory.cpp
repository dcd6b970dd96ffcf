#include "edit/service/FileHistory.h"

#include <algorithm>

namespace Edit {

void FileHistory::addFile(const std::wstring& path) {
    if (path.empty() || path.back() == L'\\' || path.back() == L'/') return;
    entries_.remove(path);
    entries_.push_front(path);
    trimFileList();
}

void FileHistory::trimFileList() {
    while (static_cast<int>(entries_.size()) > maxCount_) {
        removeFile(entries_.back());
        entries_.pop_back();
    }
}

void FileHistory::setMaxCount(int value) {
    maxCount_ = std::clamp(value, 0, 100);
    trimFileList();
}

std::vector<const std::wstring*> FileHistory::getFileList() const {
    std::vector<const std::wstring*> list;
    for (const std::wstring& entry : entries_) list.push_back(&entry);
    return list;
}

std::wstring FileHistory::getFileName(int n) const {
    if (n < 0 || n >= static_cast<int>(entries_.size())) return L"";
    return *std::next(entries_.begin(), n);
}

}  // namespace Edit
