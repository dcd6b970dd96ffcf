#include "settings/text/TextTagEdit.h"

#include <algorithm>
#include <climits>
#include <regex>

namespace Component::TextTagEdit {

namespace {

bool isControl(char16_t c) { return c < 0x20; }

int size(const std::u16string& text) { return static_cast<int>(text.size()); }

std::u16string toText(long long value) {
    std::string digits = std::to_string(value);
    if (digits[0] != '-') digits.insert(digits.begin(), '+');
    return std::u16string(digits.begin(), digits.end());
}

// A field of the form [+-]digits that fits an int.
std::optional<int> relativeValue(const std::u16string& field) {
    if (field.size() < 2 || (field[0] != u'+' && field[0] != u'-')) return std::nullopt;
    long long value = 0;
    for (std::size_t i = 1; i < field.size(); ++i) {
        if (field[i] < u'0' || field[i] > u'9') return std::nullopt;
        value = value * 10 + (field[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    if (field[0] == u'-') value = -value;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

void insertAt(Control::EditBuffer& buffer, int at, const std::u16string& inserted) {
    buffer.text.insert(static_cast<std::size_t>(at), inserted);
    buffer.length = size(buffer.text);
}

// Moves the selection (and the caret and anchor with it) by delta.
void shiftSelection(Control::EditBuffer& buffer, int delta) {
    buffer.selectionStart += delta;
    buffer.selectionEnd += delta;
    buffer.caret += delta;
    buffer.anchor += delta;
}

bool closesTagOf(const std::u16string& text, int index, char16_t letter) {
    if (index < 0 || index >= size(text) || text[index] != u'>') return false;
    const std::optional<Tag> tag = findTag(text, index);
    return tag && tag->letter == letter;
}

bool opensTagOf(const std::u16string& text, int index, char16_t letter) {
    if (index < 0 || index >= size(text) || text[index] != u'<') return false;
    const std::optional<Tag> tag = findTag(text, index);
    return tag && tag->start == index && tag->letter == letter;
}

// The opening tag before the selection and the closing one after it, made
// when missing; each then gets its own delta per field.
void wrapAndStep(Control::EditBuffer& buffer, const std::u16string& tagText, char16_t letter, int fields,
                 const int* deltas) {
    if (!closesTagOf(buffer.text, buffer.selectionStart - 1, letter)) {
        insertAt(buffer, buffer.selectionStart, tagText);
        shiftSelection(buffer, size(tagText));
    }
    if (!opensTagOf(buffer.text, buffer.selectionEnd, letter)) insertAt(buffer, buffer.selectionEnd, tagText);
    for (int n = 0; n < fields; ++n)
        shiftSelection(buffer, addTagValue(buffer.text, letter, n, deltas[n], buffer.selectionStart - 1));
    for (int n = 0; n < fields; ++n) addTagValue(buffer.text, letter, n, -deltas[n], buffer.selectionEnd);
    buffer.length = size(buffer.text);
}

}  // namespace

std::optional<Tag> findTag(const std::u16string& text, int index) {
    const int length = size(text);
    if (index < 0 || index > length) return std::nullopt;
    int left = std::min(index, length - 1);
    for (;; --left) {
        if (left < 0) return std::nullopt;
        const char16_t c = text[left];
        if (c == u'<') break;
        if (isControl(c) || (c == u'>' && left != index)) return std::nullopt;
    }
    int right = index;
    for (;; ++right) {
        if (right >= length) return std::nullopt;
        const char16_t c = text[right];
        if (c == u'>') break;
        if (isControl(c) || (c == u'<' && right != index)) return std::nullopt;
    }
    if (right <= left) return std::nullopt;
    return Tag{left, right, text[left + 1]};
}

Field fieldAt(const std::u16string& text, const Tag& tag, int position) {
    const int first = std::min(tag.start + 2, tag.end);
    position = std::clamp(position, first, tag.end);
    Field field{0, first, tag.end};
    for (int i = first; i < position; ++i) {
        if (text[i] == u',') {
            ++field.number;
            field.start = i + 1;
        }
    }
    for (int i = position; i < tag.end; ++i) {
        if (text[i] == u',') {
            field.end = i;
            break;
        }
    }
    return field;
}

Field fieldNumber(const std::u16string& text, const Tag& tag, int n) {
    const int first = std::min(tag.start + 2, tag.end);
    Field field{0, first, tag.end};
    for (int i = first; i < tag.end; ++i) {
        if (text[i] != u',') continue;
        if (field.number == n) {
            field.end = i;
            return field;
        }
        ++field.number;
        field.start = i + 1;
    }
    return field;
}

MenuChoice chooseMenu(const std::u16string& text, int caret) {
    if (caret < size(text) && text[caret] == u'<') return {};
    const std::optional<Tag> tag = findTag(text, caret);
    if (!tag) return {};
    const Field field = fieldAt(text, *tag, caret);
    if (tag->letter == u'#' && field.number <= 1) return {MenuChoice::Colors, field.start, field.end};
    if ((tag->letter == u'@' && field.number == 0) || (tag->letter == u's' && field.number == 1))
        return {MenuChoice::Fonts, field.start, field.end};
    return {};
}

int addTagValue(std::u16string& text, char16_t letter, int n, int delta, int index) {
    const std::optional<Tag> tag = findTag(text, index);
    if (!tag || tag->letter != letter) return 0;
    const Field field = fieldNumber(text, *tag, n);
    const std::u16string old = text.substr(static_cast<std::size_t>(field.start),
                                           static_cast<std::size_t>(field.end - field.start));
    const std::optional<int> value = relativeValue(old);
    if (!value) return 0;
    const std::u16string replaced = toText(static_cast<long long>(*value) + delta);
    text.replace(static_cast<std::size_t>(field.start), old.size(), replaced);
    return size(replaced) - size(old);
}

void insertSnippet(Control::EditBuffer& buffer, const std::u16string& inserted, const std::u16string& suffix) {
    int at = buffer.caret;
    if (buffer.hasSelection()) {
        if (!suffix.empty()) insertAt(buffer, buffer.selectionEnd, suffix);
        at = buffer.selectionStart;
        buffer.caret = at;
    }
    insertAt(buffer, at, inserted);
    buffer.anchor = buffer.caret;
    buffer.clearSelection();
    static const std::wregex tagPattern(L"^<[#@srwcp?].*>$");
    const std::wstring wide(inserted.begin(), inserted.end());
    if (std::regex_match(wide, tagPattern)) {
        buffer.caret = buffer.anchor = at + 2;
        buffer.selectionStart = at + 2;
        buffer.selectionEnd = at + size(inserted) - 1;
    } else {
        buffer.selectionStart = at;
        buffer.selectionEnd = at + size(inserted);
    }
    if (buffer.selectionStart >= buffer.selectionEnd) buffer.clearSelection();
}

bool replaceSelection(Control::EditBuffer& buffer, const std::u16string& replacement) {
    if (!buffer.hasSelection()) return false;
    const int start = buffer.selectionStart;
    buffer.text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(buffer.selectionEnd - start));
    buffer.length = size(buffer.text);
    buffer.caret = buffer.anchor = start;
    buffer.clearSelection();
    insertSnippet(buffer, replacement, {});
    return true;
}

bool nudgePosition(Control::EditBuffer& buffer, int dx, int dy) {
    if (!buffer.hasSelection()) return false;
    const int deltas[2] = {dx, dy};
    wrapAndStep(buffer, u"<p+0,+0>", u'p', 2, deltas);
    return true;
}

bool nudgeSize(Control::EditBuffer& buffer, int d) {
    if (!buffer.hasSelection()) return false;
    const int deltas[1] = {d};
    wrapAndStep(buffer, u"<s+0>", u's', 1, deltas);
    return true;
}

}  // namespace Component::TextTagEdit
