#include "window/controls/EditBuffer.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"

#include <algorithm>

namespace Control {

namespace {

// The characters a double click stops at; none above U+00FF.
bool isWordDelimiter(char16_t unit) {
    switch (unit) {
    case u' ': case u',': case u'(': case u')': case u'{': case u'}': case u'[': case u']': case u'=':
    case u'+': case u'-': case u'/': case u'*': case u'<': case u'>': case u'#': case u'|': case u'"':
    case u'\n': case u'\t':
        return true;
    default:
        return false;
    }
}

}  // namespace

void EditBuffer::updateTextLayout() {
    if (text.find(u'\r') != std::u16string::npos) {
        // CR LF and lone CR become LF; places after a removed unit move back.
        std::u16string out;
        out.reserve(text.size());
        const int oldCaret = caret, oldAnchor = anchor, oldStart = selectionStart, oldEnd = selectionEnd;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                const int removed = static_cast<int>(i);
                if (oldCaret > removed) --caret;
                if (oldAnchor > removed) --anchor;
                if (oldStart > removed) --selectionStart;
                if (oldEnd > removed) --selectionEnd;
                continue;
            }
            out += text[i] == u'\r' ? u'\n' : text[i];
        }
        text = std::move(out);
    }
    length = static_cast<std::int32_t>(text.size());
    caret = std::clamp(caret, 0, length);
    if (caret < length && caret > 0 && isLowSurrogate(text[caret]) && isHighSurrogate(text[caret - 1])) ++caret;
    if (hasSelection() && selectionEnd > length) {
        clearSelection();
        anchor = caret;
    }
}

void EditBuffer::setCaret(int index) {
    caret = std::clamp(index, 0, length);
    if (caret < length && isLowSurrogate(text[caret])) ++caret;
}

int EditBuffer::lineStart(int index) const {
    if (index <= 0) return 0;
    for (int i = std::min(index - 1, length - 1); i >= 0; --i)
        if (text[i] == u'\n') return i + 1;
    return 0;
}

int EditBuffer::lineEnd(int index) const {
    if (index >= length) return length;
    for (int i = std::max(index, 0); i < length; ++i)
        if (text[i] == u'\n') return i;
    return length;
}

void EditBuffer::selectWord(int index) {
    index = std::clamp(index, 0, length);
    int start = 0;
    for (int i = index - 1; i >= 0; --i) {
        if (isWordDelimiter(text[i])) {
            start = i + 1;
            break;
        }
    }
    int end = length;
    for (int i = index; i < length; ++i) {
        if (isWordDelimiter(text[i])) {
            end = i;
            break;
        }
    }
    if (start == selectionStart && end == selectionEnd) {
        start = lineStart(index);
        end = lineEnd(index);
    }
    if (start > end) std::swap(start, end);
    if (start == end) {
        clearSelection();
        return;
    }
    selectionStart = start;
    selectionEnd = end;
}

void EditBuffer::deleteText(int a, int b) {
    int start = std::clamp(a, 0, length);
    int end = std::clamp(b, start, length);
    // Ends inside a pair widen to take the whole pair.
    if (start > 0 && start < length && isLowSurrogate(text[start]) && isHighSurrogate(text[start - 1])) --start;
    if (end > 0 && end < length && isLowSurrogate(text[end]) && isHighSurrogate(text[end - 1])) ++end;
    if (start == end) return;
    if (start < caret) caret = std::max(start, caret - (end - start));
    text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    updateTextLayout();
}

void EditBuffer::deleteBackward() {
    if (caret <= 0) return;
    const int count = caret >= 2 && isHighSurrogate(text[caret - 2]) && isLowSurrogate(text[caret - 1]) ? 2 : 1;
    text.erase(static_cast<std::size_t>(caret - count), static_cast<std::size_t>(count));
    caret -= count;
    updateTextLayout();
}

void EditBuffer::deleteForward() {
    if (caret >= length) return;
    const int count =
        caret + 1 < length && isHighSurrogate(text[caret]) && isLowSurrogate(text[caret + 1]) ? 2 : 1;
    text.erase(static_cast<std::size_t>(caret), static_cast<std::size_t>(count));
    updateTextLayout();
}

void EditBuffer::insertText(const std::u16string& inserted) {
    std::u16string accepted = inserted;
    if (inputFilter) {
        // The matches, joined; a filter that does not compile takes nothing.
        const std::wregex* expression = filter();
        accepted = expression ? System::String::toUtf16(std::regex_replace(System::String::fromUtf16(inserted),
                                                                           *expression, L"$&",
                                                                           std::regex_constants::format_no_copy))
                              : std::u16string();
    }
    if (accepted.empty()) return;
    text.insert(static_cast<std::size_t>(caret), accepted);
    caret += static_cast<int>(accepted.size());
    updateTextLayout();
}

bool EditBuffer::acceptsCharacter(char16_t unit) {
    if (!inputFilter) return true;
    const std::wregex* expression = filter();
    if (!expression) return false;
    const wchar_t one[2] = {static_cast<wchar_t>(unit), 0};
    return std::regex_search(one, *expression);
}

std::u16string EditBuffer::selectedText() const {
    if (!hasSelection()) return {};
    const int start = std::clamp(selectionStart, 0, length);
    const int end = std::clamp(selectionEnd, start, length);
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

void EditBuffer::selectFromAnchor() {
    anchor = std::clamp(anchor, 0, length);
    selectionStart = std::min(anchor, caret);
    selectionEnd = std::max(anchor, caret);
    if (selectionStart == selectionEnd) clearSelection();
}

bool EditBuffer::editKeyDown(int key, Modifiers modifiers) {
    switch (key) {
    case KeyPageUp:
        editCursorUp(std::max(1, pageLines()));
        break;
    case KeyPageDown:
        editCursorDown(std::max(1, pageLines()));
        break;
    case KeyEnd:
        caret = modifiers.control ? length : lineEnd(caret);
        break;
    case KeyHome:
        caret = modifiers.control ? 0 : lineStart(caret);
        break;
    case KeyLeft:
        caret = std::clamp(caret - 1, 0, length);
        if (caret > 0 && isLowSurrogate(text[caret])) --caret;
        break;
    case KeyRight:
        caret = std::clamp(caret + 1, 0, length);
        if (caret < length && isLowSurrogate(text[caret])) ++caret;
        break;
    case KeyUp:
        editCursorUp(1);
        break;
    case KeyDown:
        editCursorDown(1);
        break;
    case KeyInsert:
        if (modifiers.control) return editChar(3, modifiers);
        if (modifiers.shift) return editChar(22, modifiers);
        return false;
    case KeyDelete:
        if (!modifiers.shift || modifiers.control) return editChar(127, modifiers);
        return editChar(hasSelection() ? 24 : 8, modifiers);
    default:
        return false;
    }
    if (modifiers.shift) {
        selectFromAnchor();
    } else {
        anchor = caret;
        clearSelection();
    }
    afterMove();
    return true;
}

bool EditBuffer::editChar(char16_t unit, Modifiers modifiers) {
    if ((unit == 3 || unit == 24) && hasSelection()) writeClipboard(selectedText());
    switch (unit) {
    case 1:
        selectionStart = 0;
        selectionEnd = length;
        if (length == 0) clearSelection();
        afterSelectAll();
        return true;
    case 3:
        return true;
    case 8:
        if (hasSelection()) {
            deleteSelection();
        } else {
            deleteBackward();
        }
        afterEdit();
        return true;
    case 9:
        if (hasTabGroup()) return cycleTab(modifiers.shift);
        break;
    case 13:
        unit = u'\n';
        break;
    case 22: {
        std::u16string pasted;
        if (readClipboard(pasted)) {
            if (hasSelection()) deleteSelection();
            insertText(pasted);
        }
        afterEdit();
        return true;
    }
    case 24:
        if (hasSelection()) deleteSelection();
        afterEdit();
        return true;
    case 127:
        if (hasSelection()) {
            deleteSelection();
        } else if (modifiers.control) {
            deleteText(caret, lineEnd(caret));
        } else {
            deleteForward();
        }
        afterEdit();
        return true;
    default:
        if (unit < 32) return true;
        break;
    }
    if (hasSelection()) deleteSelection();
    if (acceptsCharacter(unit)) {
        text.insert(text.begin() + caret, unit);
        ++caret;
        updateTextLayout();
    }
    afterEdit();
    return true;
}

void EditBuffer::editString(const std::u16string& inserted) {
    if (hasSelection()) deleteSelection();
    insertText(inserted);
    afterEdit();
}

void EditBuffer::afterEdit() {
    anchor = caret;
    clearSelection();
}

int EditBuffer::toCodePoint(int index) const {
    index = std::clamp(index, 0, length);
    int points = 0;
    for (int i = 0; i < index; ++i) {
        if (isHighSurrogate(text[i]) && i + 1 < length && isLowSurrogate(text[i + 1])) ++i;
        ++points;
    }
    return points;
}

int EditBuffer::fromCodePoint(int codePoint) const {
    int i = 0;
    for (int points = 0; points < codePoint && i < length; ++points) {
        if (isHighSurrogate(text[i]) && i + 1 < length && isLowSurrogate(text[i + 1])) ++i;
        ++i;
    }
    return i;
}

std::wstring EditBuffer::wideText() const { return System::String::fromUtf16(text); }

const std::wregex* EditBuffer::filter() {
    if (!inputFilter) return nullptr;
    if (!filterCompiled_ || filterSource_ != inputFilter) {
        filterSource_ = inputFilter;
        filterCompiled_ = true;
        filterExpression_.reset();
        try {
            filterExpression_ = std::make_unique<std::wregex>(filterSource_, std::regex::ECMAScript);
        } catch (const std::regex_error& e) {
            System::Log::warn("Control::EditControl", "character filter does not compile: %s", e.what());
        }
    }
    return filterExpression_.get();
}

}  // namespace Control
