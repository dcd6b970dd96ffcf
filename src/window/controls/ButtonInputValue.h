#pragma once
// The value of the click-to-edit field: what is typed counts only in the
// form a whole-text regular expression allows, and the value kept is that
// expression's first capture group, so decorations may be typed while the
// value stays canonical. A rejected text falls back to fallbackText.
#include <functional>
#include <memory>
#include <regex>
#include <string>

namespace Control {

class ButtonInputValue {
public:
    using Callback = std::function<void(ButtonInputValue&)>;

    virtual ~ButtonInputValue() = default;

    // text from t through the filter (all of t when there is none); with
    // notify onChange runs. Always true.
    bool setTextValue(const std::wstring& t, bool notify);
    // The edit's text changed: the first change after opening sends
    // onEditBegin; an emptied edit restores a non-empty fallback; a text
    // the filter takes whole becomes the value, a partial one changes
    // nothing yet.
    void editChanged(const std::wstring& editText);
    // Ends the editing the first change began (onEditEnd).
    void endEditing();

    std::wstring text;
    std::wstring fallbackText;
    std::wstring placeholder;
    bool editing = false;
    // ECMAScript, matched against the whole text; null takes any text.
    const wchar_t* filter = nullptr;
    Callback onChange;
    Callback onEditBegin;
    Callback onEditEnd;

protected:
    // The caller of onChange and friends; the control passes itself.
    virtual void notify(const Callback& callback) {
        if (callback) callback(*this);
    }

private:
    // The compiled filter; null when there is none or it does not compile.
    const std::wregex* expression();

    std::wstring source_;
    bool compiled_ = false;
    std::unique_ptr<std::wregex> expression_;
};

}  // namespace Control
