#pragma once
// Path variables and the parts of file names. Stored paths begin with a path
// variable ("%Plugin%/a.mvi2") and are expanded just before use. The list of
// variables is filled once, on the user-interface thread at start-up (or by
// the first expansion), which also creates the data folder and its nine
// sub-folders; afterwards any thread expands without a lock.
//
// Paths split at both '/' and '\', so paths written on Windows keep working.
#include <ctime>
#include <string>
#include <unordered_map>
#include <vector>

namespace System::FileName {

// Fills the list for the folder of the running executable, unless it is
// filled already. Raises the program's exception when a folder cannot be
// made.
void initializeVariableList();
// Rebuilds the list for the given program folder (start-up and tests only:
// no other thread may expand meanwhile).
void initializeVariableList(const std::wstring& programFolder);
// A copy of the current list (name with both percent signs -> folder).
std::unordered_map<std::wstring, std::wstring> getVariableList();

// Expands a leading known variable in place: every occurrence of it is
// replaced by its folder and '\' separators become '/'. Anything else is
// left unchanged.
void expandVariable(std::wstring& path);

std::wstring getDirectory(const std::wstring& path);
std::wstring getTitle(const std::wstring& path);
std::wstring getExtension(const wchar_t* path);

// folder + base + "_YYYY-MM-DD_hh-mm-ss-mmm." + extension, expanded.
std::wstring makeTimestampName(const std::wstring& folder, const std::wstring& base,
                               const std::wstring& extension);
std::wstring makeTimestampName(const std::wstring& folder, const std::wstring& base,
                               const std::wstring& extension, const std::tm& localTime,
                               int millisecond);

// File-dialog filters: description and ";"-separated patterns, each ended
// by NUL, and one more NUL at the end.
std::vector<std::wstring> getFilterExtensions(const std::wstring& filter);
int findFilterIndex(const std::wstring& filter, const wchar_t* path);
std::wstring getFilterExtension(const std::wstring& filter, int index);

// True when a user-typed name may become a file name: not empty, no path
// separator, no control character, and not "." or "..".
bool isSafeFileName(const std::wstring& name);

}  // namespace System::FileName
