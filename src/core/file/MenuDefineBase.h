#pragma once
// A menu entry's definition (effects, aliases, movements, movement presets,
// preset colours, fonts) with its three user-editable menu settings: label,
// order and hide. They live in the main settings file, in the section
// "<section word>.<name>"; a saved value wins over the registration default,
// and the definition writes them back when it is destroyed.
#include "core/file/Config.h"

#include <algorithm>
#include <string>
#include <vector>

namespace Menu {

class MenuDefineBase {
public:
    MenuDefineBase(const char* section, const std::wstring& name, int order,
                   const std::wstring& label, bool visible);
    MenuDefineBase(const MenuDefineBase&) = delete;
    MenuDefineBase& operator=(const MenuDefineBase&) = delete;

    virtual const wchar_t* getName() const = 0;
    virtual const wchar_t* getTranslatedName() const;

    // "<section word>.<name in UTF-8>": the settings section.
    const std::string key;
    std::wstring label;
    int order;
    int hide;

protected:
    // Owners destroy the concrete type.
    ~MenuDefineBase() = default;

private:
    System::Config config_;
    System::Config::String labelParameter_;
    System::Config::Int orderParameter_;
    System::Config::Int hideParameter_;
    // Last: written back before the parameters go.
    System::Config::Scope scope_;
};

// Definitions by ascending order setting; equal orders in no defined order.
template <class T>
void sortByOrder(std::vector<T*>& list) {
    std::sort(list.begin(), list.end(), [](const T* a, const T* b) { return a->order < b->order; });
}

// The distinct non-empty labels of definitions in list order (pointers into
// the definitions).
template <class T>
std::vector<const wchar_t*> distinctLabels(const std::vector<T*>& list) {
    std::vector<const wchar_t*> labels;
    for (const T* define : list) {
        if (define->label.empty()) continue;
        const bool listed = std::any_of(labels.begin(), labels.end(),
                                        [&](const wchar_t* label) { return define->label == label; });
        if (!listed) labels.push_back(define->label.c_str());
    }
    return labels;
}

}  // namespace Menu
