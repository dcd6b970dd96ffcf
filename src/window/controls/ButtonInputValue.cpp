#include "window/controls/ButtonInputValue.h"

#include "core/base/Log.h"

namespace Control {

const std::wregex* ButtonInputValue::expression() {
    if (!filter) return nullptr;
    if (!compiled_ || source_ != filter) {
        source_ = filter;
        compiled_ = true;
        expression_.reset();
        try {
            expression_ = std::make_unique<std::wregex>(source_, std::regex::ECMAScript);
        } catch (const std::regex_error& e) {
            System::Log::warn("Control::ButtonInputControl", "filter does not compile: %s", e.what());
        }
    }
    return expression_.get();
}

bool ButtonInputValue::setTextValue(const std::wstring& t, bool notifyChange) {
    if (!filter) {
        text = t;
    } else if (const std::wregex* re = expression(); re) {
        std::wsmatch match;
        if (std::regex_match(t, match, *re)) {
            text = match.size() > 1 && match[1].matched ? match[1].str() : std::wstring();
        } else {
            text = fallbackText;
        }
    } else {
        text = fallbackText;
    }
    if (notifyChange) notify(onChange);
    return true;
}

void ButtonInputValue::editChanged(const std::wstring& editText) {
    if (!editing) {
        editing = true;
        notify(onEditBegin);
    }
    if (editText.empty() && !fallbackText.empty()) {
        // The fallback is what an emptied edit stands for.
        setTextValue(fallbackText, true);
        return;
    }
    if (filter) {
        const std::wregex* re = expression();
        if (!re || !std::regex_match(editText, *re)) return;
    }
    setTextValue(editText, true);
}

void ButtonInputValue::endEditing() {
    if (!editing) return;
    editing = false;
    notify(onEditEnd);
}

}  // namespace Control
