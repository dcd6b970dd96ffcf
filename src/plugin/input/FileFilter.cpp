#include "plugin/input/FileFilter.h"

namespace Plugin::FileFilter {

std::wstring make(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> pairs) {
    std::wstring filter;
    for (const auto& [text, patterns] : pairs) {
        filter += text;
        filter += L'\0';
        filter += patterns;
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

const std::wstring& projectFile() {
    static const std::wstring filter = make({{L"ProjectFile (*.mvp2)", L"*.mvp2"}, {L"AllFile (*.*)", L"*.*"}});
    return filter;
}

const std::wstring& svgFile() {
    static const std::wstring filter = make({{L"SvgFile (*.svg)", L"*.svg"}, {L"AllFile (*.*)", L"*.*"}});
    return filter;
}

const std::wstring& objFile() {
    static const std::wstring filter = make({{L"ObjFile (*.obj)", L"*.obj"}});
    return filter;
}

const std::wstring& pngFile() {
    static const std::wstring filter = make({{L"PngFile (*.png)", L"*.png"}, {L"AllFile (*.*)", L"*.*"}});
    return filter;
}

const std::wstring& anyFile() {
    static const std::wstring filter = make({{L"AllFile (*.*)", L"*.*"}});
    return filter;
}

}  // namespace Plugin::FileFilter
