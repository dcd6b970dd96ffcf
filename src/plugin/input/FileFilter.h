#pragma once
// File-dialog filters: pairs of display text and ";"-separated patterns,
// each ended by NUL, the whole ended by one more NUL. Besides the three
// media filters the input service builds, the fixed filters of the file
// items and dialogs live here.
#include <initializer_list>
#include <string>
#include <utility>

namespace Plugin::FileFilter {

// One filter from its (display text, patterns) pairs.
std::wstring make(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> pairs);

const std::wstring& projectFile();  // *.mvp2, then all files
const std::wstring& svgFile();      // *.svg, then all files
const std::wstring& objFile();      // *.obj
const std::wstring& pngFile();      // *.png, then all files
const std::wstring& anyFile();      // *.*

// The names the AVI output settings list, in order.
inline constexpr const wchar_t* aviVideoFormatNames[] = {L"RGB24bit", L"RGBA32bit", L"YUY2"};
inline constexpr const wchar_t* aviAudioFormatNames[] = {L"PCM16bit", L"PCM(float)32bit"};

}  // namespace Plugin::FileFilter
