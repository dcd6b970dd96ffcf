#include "settings/rows/EffectItemTextControls.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "media/draw/RenderTargetWindow.h"
#include "settings/rows/RowText.h"
#include "window/ShortcutService.h"
#include "window/ToolTips.h"

namespace Component {

namespace {

constexpr int kUndoCode = 0x405A;      // Ctrl+Z
constexpr int kRedoCode = 0x605A;      // Ctrl+Shift+Z

Platform::Cairo::Brush* groupingOf(Media::RenderTargetWindow* window) {
    return window ? &window->brushList[Control::Brushes::Grouping] : nullptr;
}

void showText(Control::EditControl& edit, const std::wstring& text) {
    edit.text = System::String::toUtf16(text);
    edit.length = static_cast<std::int32_t>(edit.text.size());
    edit.caret = std::min(edit.caret, edit.length);
    edit.anchor = std::min(edit.anchor, edit.length);
    edit.clearSelection();
    edit.updateTextLayout();
    edit.updateScroll();
}

}  // namespace

EffectItemStringControl::EffectItemStringControl(Window::WindowControlOwner& parent,
                                                 const std::shared_ptr<Effect::EffectBase>& effect,
                                                 EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      label(layoutBox, 0, 0, headerWidth, 0, translateEffectText(item.name), 0),
      edit(layoutBox, headerWidth + margin, 0) {
    edit.inputFilter = L"[^\\r\\n]";
    edit.backgroundBrush = groupingOf(WindowControlRenderTarget::host);
    updateValue();
    edit.onChange = [this](Control::EditControl&) { storeText(); };
}

void EffectItemStringControl::updateValue() { showText(edit, item->text); }

void EffectItemStringControl::storeText() {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    scope.beginUndo();
    undoService->addEffectUndoUpdate(effect);
    item->text = edit.wideText();
}

EffectItemTextControl::EffectItemTextControl(Window::WindowControlOwner& parent,
                                             const std::shared_ptr<Effect::EffectBase>& effect,
                                             EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, 4 * singleRowHeight()),
      edit(layoutBox, 0, -Setting::ScrollBarSize),
      scrollBar(layoutBox, edit, -Setting::ScrollBarSize, Setting::ScrollBarSize) {
    edit.inputFilter = L"[^\\uFE00-\\uFE0F]";
    edit.menuEnabled = true;
    edit.backgroundBrush = groupingOf(WindowControlRenderTarget::host);
    showText(edit, this->item->text);
    edit.onChange = [this](Control::EditControl&) { storeText(); };
    edit.onKeyDown = [this](int key) { return textUndoKey(key); };
    edit.onHover = [this](Platform::WindowHandle, UINT, WPARAM) {
        Window::ToolTips::showAtCursor(translateEffectText(this->item->name), -1);
    };
}

void EffectItemTextControl::procPaint() {
    // Texts, not lengths: a same-length change elsewhere must show too.
    if (edit.wideText() != item->text) showText(edit, item->text);
    EffectItemBaseControl::procPaint();
}

void EffectItemTextControl::storeText() {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    scope.refreshTextSetting = true;
    scope.beginUndo();
    undoService->addEffectUndoUpdate(effect);
    item->text = edit.wideText();
    effect->notifyItemChange(&scope, scope.targetObject.get(), effect, *item);
}

bool EffectItemTextControl::textUndoKey(int virtualKey) {
    auto* shortcuts = System::Singleton<Window::ShortcutService>::getInstance();
    if (!shortcuts) return false;
    const int code = shortcuts->getDefaultCode(virtualKey);
    if (code == kUndoCode) {
        undoService->undoText(item);
    } else if (code == kRedoCode) {
        undoService->redoText(item);
    } else {
        return false;
    }
    if (edit.wideText() != item->text) showText(edit, item->text);
    edit.procPaint();
    return true;
}

}  // namespace Component
