#include "core/file/IniFile.h"

#include "core/base/Exception.h"
#include "core/file/AtomicFile.h"
#include "core/file/FileName.h"
#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "core/text/ColorText.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace System {

namespace {

const std::string emptyName;
const IniFile::SECTION emptySection;
const IniFile::VALUE emptyValue;

// The whole file, or false when it cannot be opened or read.
bool readWholeFile(const std::wstring& path, std::string& text) {
    const int fd = ::open(String::toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fd);
            return n == 0;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

[[noreturn]] void conversionFailed(const char* place, const char* message, const IniFile::VALUE& value) {
    throw makeExceptionFormat(place, message, L"%ls", value.getPlace().c_str());
}

// Runs a standard conversion; any failure (invalid, out of range) is
// reported with the program's text.
template <class Convert>
auto convert(const IniFile::VALUE& value, const char* place, const char* message, Convert convert) {
    try {
        return convert(value.text);
    } catch (const std::logic_error&) {
        conversionFailed(place, message, value);
    }
}

}  // namespace

// --- VALUE ---------------------------------------------------------------

int IniFile::VALUE::toInt() const {
    constexpr const char* place = "System::IniFile::VALUE::toInt";
    if (text.empty()) conversionFailed(place, "ini file parameter invalid format(int) or undefined.", *this);
    return convert(*this, place, "ini file parameter invalid format(int) or undefined.",
                   [](const std::string& t) { return std::stoi(t, nullptr, 10); });
}

int IniFile::VALUE::toInt(int defaultValue) const {
    if (text.empty()) return defaultValue;
    return convert(*this, "System::IniFile::VALUE::toInt", "ini file parameter invalid format(int).",
                   [](const std::string& t) { return std::stoi(t, nullptr, 10); });
}

float IniFile::VALUE::toFloat() const {
    constexpr const char* place = "System::IniFile::VALUE::toFloat";
    if (text.empty()) conversionFailed(place, "ini file parameter invalid format(float) or undefined.", *this);
    return convert(*this, place, "ini file parameter invalid format(float) or undefined.",
                   [](const std::string& t) { return std::stof(t); });
}

float IniFile::VALUE::toFloat(float defaultValue) const {
    if (text.empty()) return defaultValue;
    return convert(*this, "System::IniFile::VALUE::toFloat", "ini file parameter invalid format(float).",
                   [](const std::string& t) { return std::stof(t); });
}

double IniFile::VALUE::toDouble() const {
    constexpr const char* place = "System::IniFile::VALUE::toDouble";
    if (text.empty()) conversionFailed(place, "ini file parameter invalid format(double) or undefined.", *this);
    return convert(*this, place, "ini file parameter invalid format(double) or undefined.",
                   [](const std::string& t) { return std::stod(t); });
}

std::wstring IniFile::VALUE::toString() const {
    if (text.empty())
        conversionFailed("System::IniFile::VALUE::toString",
                         "ini file parameter invalid format(UTF8) or undefined.", *this);
    return String::toWide(text);
}

std::wstring IniFile::VALUE::toString(const wchar_t* defaultValue) const {
    if (text.empty()) return defaultValue ? defaultValue : L"";
    // Invalid sequences become U+FFFD: the conversion cannot fail.
    return String::toWide(text);
}

std::array<float, 4> IniFile::VALUE::toRGBA() const {
    std::array<float, 4> rgba{};
    try {
        Media::parseHexColor(text, rgba.data());
    } catch (const std::exception&) {
        conversionFailed("System::IniFile::VALUE::toRGBA",
                         "ini file parameter invalid format(RGB) or undefined.", *this);
    }
    return rgba;
}

std::vector<IniFile::VALUE> IniFile::VALUE::split(const char* separators) const {
    const VALUE* origin = parent ? parent : this;
    std::vector<VALUE> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t cut = text.find_first_of(separators, start);
        const std::size_t end = cut == std::string::npos ? text.size() : cut;
        pieces.push_back(VALUE{text.substr(start, end - start), file, origin, line});
        if (cut == std::string::npos) return pieces;
        start = cut + 1;
    }
}

std::wstring IniFile::VALUE::getPlace() const {
    return file ? file->placeOf(*this, line) : std::wstring();
}

std::wstring IniFile::placeOf(const VALUE& value, int line) const {
    std::wstring place;
    if (!path.empty()) {
        place = L"file=" + path;
        if (line != 0) place += L"(line " + std::to_wstring(line) + L")";
    }
    const VALUE* wanted = value.parent ? value.parent : &value;
    const auto keyPlace = [&](const OrderedMap<SECTION>& store) -> std::wstring {
        for (const auto& [sectionName, section] : store)
            for (const auto& [key, stored] : section)
                if (&stored == wanted) return L" section=" + String::toWide(sectionName) + L" key=" + String::toWide(key);
        return {};
    };
    std::wstring found = keyPlace(sections);
    if (found.empty()) {
        std::lock_guard lock(absentMutex_);
        found = keyPlace(absent_);
    }
    return place + found;
}

// --- SectionRef ----------------------------------------------------------

const IniFile::VALUE& IniFile::SectionRef::findValue(const std::string& key) const {
    const auto found = section_->find(key);
    return found == section_->end() ? emptyValue : found->second;
}

const IniFile::VALUE& IniFile::SectionRef::getValue(const std::string& key) const {
    const auto found = section_->find(key);
    if (found == section_->end())
        throw makeExceptionFormat("System::IniFile::SectionRef::getValue", "ini file parameter undefined.",
                                  L"%ls", getPlace(key).c_str());
    return found->second;
}

std::wstring IniFile::SectionRef::getPlace(const std::string& key) const {
    return L" section=" + String::toWide(*name_) + L" key=" + String::toWide(key);
}

// --- Save ----------------------------------------------------------------

IniFile::Save::Save(const wchar_t* path)
    : file_((Log::verbose("System::IniFile::Save::Save", L"saveFile : %ls", path), path)) {}

void IniFile::Save::writeSection(const std::string& name) { writeLine("[" + name + "]"); }

void IniFile::Save::writeValue(const std::string& key, const wchar_t* value) {
    writeLine(key + "=" + String::toUtf8(value));
}

void IniFile::Save::writeValue(const std::string& key, const std::string& utf8) { writeLine(key + "=" + utf8); }

void IniFile::Save::writeLine(const std::string& utf8) {
    buffer_ += utf8;
    buffer_ += "\r\n";
    if (buffer_.size() >= 65536) flushBuffer();
}

void IniFile::Save::flushBuffer() {
    // Chunks stay well inside a DWORD.
    if (!buffer_.empty()) file_.write(buffer_.data(), static_cast<DWORD>(buffer_.size()));
    buffer_.clear();
}

void IniFile::Save::close() {
    if (closed_) return;
    closed_ = true;
    flushBuffer();
    file_.commit();
}

// --- IniFile -------------------------------------------------------------

struct IniFile::ParseSource {
    const wchar_t* passedPath;  // null for memory
    bool merge;
    bool ansi;
};

IniFile::~IniFile() {
    if (!autoSave) return;
    try {
        saveFile(path.c_str());
    } catch (const std::exception&) {
        // Its ERROR lines are logged by the exception builders.
    }
}

bool IniFile::loadFile(const wchar_t* filePath, bool merge, bool ansi) {
    std::wstring expanded = filePath ? filePath : L"";
    FileName::expandVariable(expanded);
    if (!merge) {
        sections.clear();
        path = expanded;
    }
    // What a killed save of this file left beside it goes.
    AtomicFile::removeLeftover(expanded.c_str());
    std::string text;
    if (!readWholeFile(expanded, text)) return false;
    parse(text, ParseSource{filePath ? filePath : L"", merge, ansi});
    Log::verbose("System::IniFile::loadFile", L"load ini file : %ls (section=%d)", expanded.c_str(),
                 static_cast<int>(sections.size()));
    return true;
}

void IniFile::loadMemory(const char* text) {
    parse(text ? text : "", ParseSource{nullptr, false, false});
}

void IniFile::parse(const std::string& text, const ParseSource& source) {
    const bool fromFile = source.passedPath != nullptr;
    const char* tag = fromFile ? "System::IniFile::loadFile" : "System::IniFile::loadMemory";
    SECTION* current = nullptr;
    bool currentNamed = false;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (source.ansi) line = String::legacyToUtf8(line);

        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string name = line.substr(1, line.size() - 2);
            current = &sections[name];
            currentNamed = !name.empty();
            continue;
        }
        const std::size_t equal = line.find('=');
        // A NUL would cut the key or value where C strings meet it, making
        // it another key on the next save: such a line is malformed.
        if (equal == std::string::npos || !current || !currentNamed || line.find('\0') != std::string::npos) {
            if (fromFile)
                Log::warn(tag, L"ini file line illegal format. file=%ls(line %d)", source.passedPath, lineNumber);
            else
                Log::warn(tag, L"illegal format. line=%d", lineNumber);
            continue;
        }
        const auto [item, added] =
            current->try_emplace(line.substr(0, equal), VALUE{line.substr(equal + 1), this, nullptr, lineNumber});
        if (added || source.merge) continue;
        if (fromFile)
            Log::warn(tag, L"ini file parameter duplicate key? %ls", placeOf(item->second, lineNumber).c_str());
        else
            Log::warn(tag, L"parameter duplicate key? line=%d", lineNumber);
    }
}

void IniFile::saveFile(const wchar_t* filePath) {
    Save save(filePath);
    for (const auto& [name, section] : sections) {
        save.writeSection(name);
        for (const auto& [key, value] : section) save.writeValue(key, value.text);
    }
    save.close();
}

bool IniFile::hasSection(const std::string& name) const { return sections.contains(name); }

IniFile::SectionRef IniFile::getSection(const std::string& name) const {
    const auto found = sections.find(name);
    if (found == sections.end()) return SectionRef(&emptyName, &emptySection);
    return SectionRef(&found->first, &found->second);
}

IniFile::SectionRef IniFile::getSection(const std::string& name, int index) const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s.%d", name.c_str(), index);
    return getSection(buffer);
}

IniFile::SECTION& IniFile::getSectionMap(const std::string& name) { return sections[name]; }

IniFile::VALUE& IniFile::getValue(const std::string& section, const std::string& key) {
    return sections[section].try_emplace(key, VALUE{std::string(), this, nullptr, 0}).first->second;
}

const IniFile::VALUE& IniFile::lookupValue(const std::string& section, const std::string& key) const {
    if (const auto found = sections.find(section); found != sections.end())
        if (const auto value = found->second.find(key); value != found->second.end()) return value->second;
    std::lock_guard lock(absentMutex_);
    return absent_[section].try_emplace(key, VALUE{std::string(), this, nullptr, 0}).first->second;
}

}  // namespace System
