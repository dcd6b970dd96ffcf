#pragma once
// What the text edit control edits: UTF-16 text with line breaks stored as
// a single LF, the caret, the fixed end of a selection (anchor) and the
// ordered selection, with the control's keyboard and character rules. The
// caret never stands between the two units of a surrogate pair, and no
// deletion, cut or move splits one.
//
// The control supplies what needs its window through the hooks: the
// layout (vertical moves, the page height), the clipboard, the focus group
// and what follows an edit or a move (scrolling, repainting, callbacks).
#include <cstdint>
#include <memory>
#include <regex>
#include <string>

namespace Control {

class EditBuffer {
public:
    // The virtual keys the editing rules know.
    enum Key {
        KeyPageUp = 0x21,
        KeyPageDown = 0x22,
        KeyEnd = 0x23,
        KeyHome = 0x24,
        KeyLeft = 0x25,
        KeyUp = 0x26,
        KeyRight = 0x27,
        KeyDown = 0x28,
        KeyInsert = 0x2D,
        KeyDelete = 0x2E,
    };
    struct Modifiers {
        bool shift = false;
        bool control = false;
    };

    EditBuffer() = default;
    virtual ~EditBuffer() = default;

    static bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
    static bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

    // Line breaks become LF (the caret and the anchor keep their places),
    // length follows the text, the caret is clamped, and a selection whose
    // end passed the text is dropped. Controls extend it with the layout.
    virtual void updateTextLayout();

    // Places the caret (clamped), stepping over the second half of a pair.
    void setCaret(int index);
    int lineStart(int index) const;
    int lineEnd(int index) const;
    // The word at index, or its whole line when that word is the selection.
    void selectWord(int index);
    void deleteText(int start, int end);
    void deleteBackward();
    void deleteForward();
    // With a filter only the characters it matches are inserted.
    void insertText(const std::u16string& text);
    // The character filter: whether it finds a match in the one character.
    bool acceptsCharacter(char16_t unit);

    bool hasSelection() const { return selectionStart < selectionEnd; }
    std::u16string selectedText() const;
    void deleteSelection() { deleteText(selectionStart, selectionEnd); }
    void clearSelection() { selectionStart = selectionEnd = 0; }
    // The ordered pair of the anchor (clamped) and the caret.
    void selectFromAnchor();

    // Movement and editing keys; false when the key is not handled.
    bool editKeyDown(int key, Modifiers modifiers);
    // Characters (control characters included: 1 select all, 3 copy, 8
    // backspace, 9 tab, 13 enter, 22 paste, 24 cut, 127 delete); false
    // only for a Tab the focus group does not take.
    bool editChar(char16_t unit, Modifiers modifiers);
    // An input method's result.
    void editString(const std::u16string& text);

    // Positions in code points, for layouts that count those.
    int toCodePoint(int index) const;
    int fromCodePoint(int codePoint) const;
    std::wstring wideText() const;

    std::u16string text;
    std::int32_t selectionStart = 0;
    std::int32_t selectionEnd = 0;
    std::int32_t caret = 0;
    std::int32_t anchor = 0;
    std::int32_t length = 0;
    // An ECMAScript expression that typed and pasted characters must match;
    // null accepts everything.
    const wchar_t* inputFilter = nullptr;

protected:
    // Vertical moves and the number of lines a page holds.
    virtual void editCursorUp(int /*lines*/) {}
    virtual void editCursorDown(int /*lines*/) {}
    virtual int pageLines() { return 1; }
    virtual bool readClipboard(std::u16string& /*out*/) { return false; }
    virtual void writeClipboard(const std::u16string& /*text*/) {}
    // Tab: whether the control belongs to a focus group, and the cycling.
    virtual bool hasTabGroup() const { return false; }
    virtual bool cycleTab(bool /*backward*/) { return false; }
    // After a step that changed (or tried to change) the text: the caret
    // joins the anchor and the selection is dropped; controls add scrolling,
    // the caret, repainting and their change callback.
    virtual void afterEdit();
    // After a movement key and after select-all.
    virtual void afterMove() {}
    virtual void afterSelectAll() {}

private:
    const std::wregex* filter();

    std::wstring filterSource_;
    bool filterCompiled_ = false;
    std::unique_ptr<std::wregex> filterExpression_;
};

}  // namespace Control
