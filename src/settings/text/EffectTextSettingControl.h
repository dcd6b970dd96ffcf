#pragma once
// The text window's editor: the text item of a text object, written back
// on every change as one undo step of that item alone. Ctrl+Space offers
// preset colours, fonts or the word list by the tag under the caret;
// Ctrl+arrows and Ctrl+keypad plus/minus wrap the selection in relative
// position and size tags; the undo and redo keys undo only this item's
// text changes; a dropped ".txt" file's text goes in at the caret.
// User-interface thread only.
#include "edit/model/Object.h"
#include "edit/service/EditInstance.h"
#include "settings/text/WordList.h"
#include "window/controls/EditControl.h"

#include <memory>
#include <string>
#include <vector>

namespace Window {
class PopupMenu;
}  // namespace Window

namespace Effect {
class EffectBase;
class EffectItemText;
}  // namespace Effect

namespace Component {

class EffectTextSettingControl : public Control::EditControl, public Edit::EditInstance {
public:
    struct TextTarget {
        Edit::ObjectPointer object;
        std::shared_ptr<Effect::EffectBase> effect;
        Effect::EffectItemText* item = nullptr;
    };

    EffectTextSettingControl(Window::WindowControl& parent, int left, int right);
    ~EffectTextSettingControl() override;

    // The text item of the object's first effect when that is a text
    // object; else an empty target.
    static TextTarget findTextItem(const Edit::ObjectPointer& object);

    // A new target loads its text with the caret at the start; the same
    // target again keeps the editor as it is.
    void setTarget(const TextTarget& target);
    // False when there was no target.
    bool clearTarget();
    // After an edit elsewhere: the item's text again (caret and selection
    // clamped), or no target when the object or the effect is gone.
    void reloadTarget();
    // Writes the editor's text into the item: one undo step.
    void commitText();
    // After a change made here: layout, caret, scroll, paint, then commit.
    void textChanged();
    // The editor's key filter; true consumes the key.
    bool procEditKey(int virtualKey);

    // Ctrl+Space: the colour or font menu of the tag field under the caret,
    // else the word menu.
    void showTagMenu();
    void showWordMenu();
    void insertSnippet(const std::u16string& text, const std::u16string& suffix);
    void nudgePosition(int dx, int dy);
    void nudgeSize(int d);
    // Opens a menu of the editor, which keeps the keyboard and the
    // selection once the menu closes.
    void showPopup(Window::PopupMenu& menu);
    // Selects the tag field [start, end) and shows it.
    void selectField(int start, int end);
    void replaceField(const std::u16string& text);
    // A dropped text file's text at the caret; false when it is no text.
    bool insertFile(const std::wstring& path);

    bool procDragOver(int x, int y, Window::DropInfo* info) override;
    bool procDrop(int x, int y, Window::DropInfo* info) override;

    TextTarget target;
    std::vector<WordItem> wordList;

private:
    struct Selection {
        int start, end, caret, anchor;
    };
    // The keyboard focus and the selection again.
    void restoreFocus(const Selection& kept);

    System::Timer refocusTimer_;
};

}  // namespace Component
