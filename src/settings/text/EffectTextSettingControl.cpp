#include "settings/text/EffectTextSettingControl.h"

#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/file/SettingService.h"
#include "core/text/ColorText.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "edit/scope/EditScope.h"
#include "edit/undo/UndoService.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemText.h"
#include "effect/registry/Palette.h"
#include "effects/media/TextInput.h"
#include "media/draw/FontDefine.h"
#include "platform/gtk/VirtualKeys.h"
#include "settings/text/TextTagEdit.h"
#include "window/DropInfo.h"
#include "window/MenuDefinePopups.h"
#include "window/PopupMenu.h"
#include "window/ShortcutService.h"
#include "window/controls/ControlTooltip.h"

#include <algorithm>
#include <string_view>

namespace Component {

namespace {

constexpr int kUndoCode = 0x405A;  // Ctrl+Z
constexpr int kRedoCode = 0x605A;  // Ctrl+Shift+Z

std::u16string utf16(const std::wstring& text) { return System::String::toUtf16(text); }

}  // namespace

EffectTextSettingControl::EffectTextSettingControl(Window::WindowControl& parent, int left, int right)
    : EditControl(parent, left, right) {
    textFormat = &(*fontList)[Resource::TextFormatList::TextEdit];
    inputFilter = L"[^\\uFE00-\\uFE0F]";
    menuEnabled = true;
    acceptsDrop = true;
    enabled = false;
    onChange = [this](Control::EditControl&) { commitText(); };
    onKeyDown = [this](int key) { return procEditKey(key); };
    updateTextLayout();
    updateScroll();
}

EffectTextSettingControl::~EffectTextSettingControl() {
    onChange = nullptr;
    onKeyDown = nullptr;
}

EffectTextSettingControl::TextTarget EffectTextSettingControl::findTextItem(const Edit::ObjectPointer& object) {
    if (!object || object->effectList.empty()) return {};
    const std::shared_ptr<Effect::EffectBase>& first = object->effectList.front();
    if (!first || std::wstring_view(first->name) != Effect::TextInput::Name) return {};
    for (Effect::EffectItem* item : first->items)
        if (item->type == Effect::ItemType::Text) return {object, first, static_cast<Effect::EffectItemText*>(item)};
    return {};
}

void EffectTextSettingControl::setTarget(const TextTarget& next) {
    if (!next.item) {
        clearTarget();
        return;
    }
    if (next.object == target.object && next.effect == target.effect && next.item == target.item) return;
    target = next;
    text = utf16(target.item->text);
    anchor = caret = 0;
    clearSelection();
    updateTextLayout();
    updateScroll();
    enabled = true;
    procPaint();
}

bool EffectTextSettingControl::clearTarget() {
    if (!target.item) return false;
    target = {};
    text.clear();
    anchor = caret = 0;
    clearSelection();
    updateTextLayout();
    updateScroll();
    enabled = false;
    procPaint();
    return true;
}

void EffectTextSettingControl::reloadTarget() {
    if (!target.item) return;
    const Edit::ObjectPointer& object = target.object;
    const auto& chain = object->effectList;
    if (object->layer == -1 || std::find(chain.begin(), chain.end(), target.effect) == chain.end()) {
        clearTarget();
        return;
    }
    const std::u16string itemText = utf16(target.item->text);
    if (itemText == text) return;
    text = itemText;
    const int size = static_cast<int>(text.size());
    caret = std::min<int>(caret, size);
    anchor = std::min<int>(anchor, size);
    if (selectionEnd > size) clearSelection();
    updateTextLayout();
    updateScroll();
    procPaint();
}

void EffectTextSettingControl::commitText() {
    if (!target.item || !editService) return;
    Edit::EditScope scope(*editService);
    scope.notifyObjectUpdate = scope.refreshTimeSetting = true;
    scope.targetObject = target.object;
    scope.beginUndo();
    if (Undo::UndoService* undo = editService->getUndoService()) undo->addEffectUndoUpdate(target.effect);
    target.item->text = wideText();
    target.effect->notifyItemChange(&scope, target.object.get(), target.effect, *target.item);
}

void EffectTextSettingControl::textChanged() {
    updateTextLayout();
    restartCaret();
    updateScroll();
    updateImePosition();
    procPaint();
    hideMouseCursor();
    commitText();
}

bool EffectTextSettingControl::procEditKey(int key) {
    if (!target.item) return false;
    if (modifiers().control) {
        switch (key) {
        case Platform::VK::SPACE: showTagMenu(); return true;
        case Platform::VK::LEFT: nudgePosition(-1, 0); return true;
        case Platform::VK::UP: nudgePosition(0, -1); return true;
        case Platform::VK::RIGHT: nudgePosition(1, 0); return true;
        case Platform::VK::DOWN: nudgePosition(0, 1); return true;
        case Platform::VK::ADD: nudgeSize(1); return true;
        case Platform::VK::SUBTRACT: nudgeSize(-1); return true;
        default: break;
        }
    }
    auto* shortcuts = System::Singleton<Window::ShortcutService>::getInstance();
    Undo::UndoService* undo = editService ? editService->getUndoService() : nullptr;
    if (!shortcuts || !undo) return false;
    const int code = shortcuts->getDefaultCode(key);
    if (code == kUndoCode) {
        undo->undoText(target.item);
    } else if (code == kRedoCode) {
        undo->redoText(target.item);
    } else {
        return false;
    }
    return true;
}

void EffectTextSettingControl::selectField(int start, int end) {
    anchor = start;
    caret = end;
    selectionStart = start;
    selectionEnd = end;
    updateScroll();
    procPaint();
    hideMouseCursor();
}

void EffectTextSettingControl::replaceField(const std::u16string& replacement) {
    if (TextTagEdit::replaceSelection(*this, replacement)) textChanged();
}

void EffectTextSettingControl::showTagMenu() {
    const TextTagEdit::MenuChoice choice = TextTagEdit::chooseMenu(text, caret);
    if (choice.kind == TextTagEdit::MenuChoice::Colors) {
        selectField(choice.start, choice.end);
        Window::PopupMenu menu;
        Menu::createPresetColorMenu(menu, [this](Effect::PresetColorDefine* preset) {
            const Media::RGB8 rgb = Media::toRGB8(preset->color);
            const std::uint8_t bytes[3] = {rgb.r, rgb.g, rgb.b};
            replaceField(utf16(Media::toHexStringW(bytes)));
        });
        showPopup(menu);
        return;
    }
    if (choice.kind == TextTagEdit::MenuChoice::Fonts) {
        selectField(choice.start, choice.end);
        Window::PopupMenu menu;
        Menu::createFontMenu(
            menu, [this](Media::FontDefine* font) { replaceField(utf16(font->name)); }, Setting::DefaultFamily.c_str());
        showPopup(menu);
        return;
    }
    showWordMenu();
}

void EffectTextSettingControl::showWordMenu() {
    if (wordList.empty()) wordList = loadWordList();
    Window::PopupMenu menu;
    for (const WordItem& word : wordList) {
        std::wstring label = Translate::TranslateService::translateMenu(System::String::fromUtf16(word.label));
        label += L'\t';
        label += System::String::fromUtf16(word.text);
        menu.insertItem(label, [this, word] { insertSnippet(word.text, word.suffix); });
    }
    showPopup(menu);
}

void EffectTextSettingControl::restoreFocus(const Selection& kept) {
    if (!target.item) return;
    if (!focus) takeEditFocus();
    caret = std::min(kept.caret, length);
    anchor = std::min(kept.anchor, length);
    if (kept.end <= length) {
        selectionStart = kept.start;
        selectionEnd = kept.end;
    }
    procPaint();
}

void EffectTextSettingControl::showPopup(Window::PopupMenu& menu) {
    // The menu takes the keyboard, and the selection with it: both come
    // back before the chosen item acts on them.
    const Selection before{selectionStart, selectionEnd, caret, anchor};
    menu.show([this, before] { restoreFocus(before); });
    // The toolkit tells of the focus the menu took only after it closed:
    // the editor takes it back once more after that, with the selection
    // the chosen item left.
    const Selection after{selectionStart, selectionEnd, caret, anchor};
    refocusTimer_.set(50, [this, after] {
        refocusTimer_.clear();
        restoreFocus(after);
    });
}

void EffectTextSettingControl::insertSnippet(const std::u16string& inserted, const std::u16string& suffix) {
    if (!target.item) return;
    TextTagEdit::insertSnippet(*this, inserted, suffix);
    textChanged();
}

void EffectTextSettingControl::nudgePosition(int dx, int dy) {
    if (target.item && TextTagEdit::nudgePosition(*this, dx, dy)) textChanged();
}

void EffectTextSettingControl::nudgeSize(int d) {
    if (target.item && TextTagEdit::nudgeSize(*this, d)) textChanged();
}

bool EffectTextSettingControl::insertFile(const std::wstring& path) {
    std::wstring loaded;
    if (!Effect::TextInput::loadTextFile(path.c_str(), loaded)) return false;
    anchor = caret;
    clearSelection();
    insertText(utf16(loaded));
    anchor = caret;
    textChanged();
    return true;
}

bool EffectTextSettingControl::procDragOver(int, int, Window::DropInfo* info) {
    if (!target.item || !info || info->files.empty()) return false;
    if (System::FileName::getExtension(info->files.front().c_str()) != L"txt") return false;
    Control::showTooltipBelowPointer(
        Translate::TranslateService::translate(Translate::TranslateService::Table::Message, L"テキストを追加"));
    info->accepted = true;
    return true;
}

bool EffectTextSettingControl::procDrop(int, int, Window::DropInfo* info) {
    if (!target.item || !info || info->files.empty()) return false;
    if (System::FileName::getExtension(info->files.front().c_str()) != L"txt") return false;
    if (!insertFile(info->files.front())) {
        Dialog::postError(L"ファイルの読み込みに失敗しました");
        return false;
    }
    info->accepted = true;
    return true;
}

}  // namespace Component
