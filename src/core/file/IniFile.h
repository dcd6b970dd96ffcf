#pragma once
// The one store for every ini-style text file: the .conf files, the main
// settings file, projects, presets, language files and the legacy exchange
// file. Values keep the file and line they came from, so that a failed
// conversion names file, line, section and key. Sections and keys are
// case-sensitive UTF-8 and iterate in the order they were read or added.
//
// A store has no lock: finding or looking up a value leaves it unchanged,
// getValue and getSectionMap add what is missing. Saving replaces the file atomically
// (temporary file renamed over it), so a failed save keeps the old file.
#include "core/file/AtomicFile.h"
#include "core/base/OrderedMap.h"

#include <array>
#include <mutex>
#include <string>
#include <vector>

namespace System {

class IniFile {
public:
    struct VALUE {
        std::string text;                // raw UTF-8 after the first '='
        const IniFile* file = nullptr;   // null for the shared empty value
        const VALUE* parent = nullptr;   // set on pieces made by split
        int line = 0;                    // 1-based; 0 when made in memory

        // Conversions raise the program's exception with the value's place
        // as note. The forms with a default return it for an empty text.
        int toInt() const;
        int toInt(int defaultValue) const;
        float toFloat() const;
        float toFloat(float defaultValue) const;
        double toDouble() const;
        std::wstring toString() const;
        std::wstring toString(const wchar_t* defaultValue) const;
        // The colour text ("rrggbb" or "rrggbbaa") as R, G, B, A in 0..1.
        std::array<float, 4> toRGBA() const;
        // Cut at every byte that is one of the separators; empty pieces
        // stay, and an empty text gives one empty piece.
        std::vector<VALUE> split(const char* separators) const;
        // "file=<path>(line N) section=<s> key=<k>", parts left out when
        // unknown.
        std::wstring getPlace() const;
    };

    using SECTION = OrderedMap<VALUE>;

    // A section by reference; a missing section reads as an empty one.
    class SectionRef {
    public:
        SectionRef(const std::string* name, const SECTION* section) : name_(name), section_(section) {}

        // The value, or the shared empty value when the key is missing.
        const VALUE& findValue(const std::string& key) const;
        // The value; a missing key raises "ini file parameter undefined.".
        const VALUE& getValue(const std::string& key) const;
        // " section=<name> key=<key>".
        std::wstring getPlace(const std::string& key) const;

        const std::string& name() const { return *name_; }
        bool empty() const { return section_->empty(); }
        std::size_t size() const { return section_->size(); }
        SECTION::const_iterator begin() const { return section_->begin(); }
        SECTION::const_iterator end() const { return section_->end(); }

    private:
        const std::string* name_;
        const SECTION* section_;
    };

    // A writer for callers that stream sections in an order of their own.
    // Lines go to a temporary file beside the target; close() puts it in
    // place and raises the failure when that cannot be done. Destroyed
    // without close() (an exception on the way, say) it only removes the
    // temporary file: the target keeps its old contents.
    class Save {
    public:
        explicit Save(const wchar_t* path);
        ~Save() = default;
        Save(const Save&) = delete;
        Save& operator=(const Save&) = delete;

        void writeSection(const std::string& name);
        // Keys are written whole, NUL bytes included.
        void writeValue(const std::string& key, const wchar_t* value);
        void writeValue(const std::string& key, const std::string& utf8);
        // One raw UTF-8 line; CR LF is added.
        void writeLine(const std::string& utf8);
        void close();

    private:
        void flushBuffer();

        AtomicFile file_;
        std::string buffer_;
        bool closed_ = false;
    };

    IniFile() = default;
    // With autoSave set, saves to path; a failure is logged, not raised.
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Reads a file (UTF-8, or the legacy code page with ansi). A line without
    // '=' outside a named section, or with a NUL byte in its key or value,
    // is skipped with a WARN line. Without merge
    // the store is emptied and path set first; with merge the lines only add
    // sections and keys the store lacks. A file that cannot be opened or read
    // leaves the store as the merge rule made it and returns false, quietly.
    bool loadFile(const wchar_t* path, bool merge = false, bool ansi = false);
    // The same parser over UTF-8 text; neither empties the store nor sets path.
    void loadMemory(const char* text);
    void saveFile(const wchar_t* path);

    bool hasSection(const std::string& name) const;
    SectionRef getSection(const std::string& name) const;
    // The section "<name>.<index>".
    SectionRef getSection(const std::string& name, int index) const;
    SECTION& getSectionMap(const std::string& name);
    VALUE& getValue(const std::string& section, const std::string& key);
    // The value; for a missing key an empty value kept beside the sections,
    // whose place still names file, section and key. The sections are left
    // as they are, so any thread may look up while others read.
    const VALUE& lookupValue(const std::string& section, const std::string& key) const;

    OrderedMap<SECTION> sections;
    std::wstring path;  // expanded; empty when filled from memory
    bool autoSave = false;

private:
    struct ParseSource;
    void parse(const std::string& text, const ParseSource& source);
    // The place of a value with its line number replaced by line.
    std::wstring placeOf(const VALUE& value, int line) const;

    // The empty values lookupValue handed out for missing keys.
    mutable std::mutex absentMutex_;
    mutable OrderedMap<SECTION> absent_;
};

}  // namespace System
