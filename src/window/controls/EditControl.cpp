#include "window/controls/EditControl.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "media/draw/RenderTargetWindow.h"
#include "platform/gtk/WindowInput.h"
#include "platform/gtk/VirtualKeys.h"
#include "window/Clipboard.h"
#include "window/WindowMouseService.h"

#include <algorithm>
#include <cmath>

namespace Control {

namespace {

constexpr int kInset = 4;
constexpr int kDefaultBlinkTime = 530;

int caretBlinkTime() {
    const auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    return settings && settings->caretBlinkTime > 0 ? settings->caretBlinkTime : kDefaultBlinkTime;
}

}  // namespace

std::function<void(EditControl&)> EditControl::openEditMenu;

EditControl::EditControl(Window::WindowControlOwner& owner) : WindowControlRenderTarget(owner, 0, 0, 0, 0) {
    init();
}

EditControl::EditControl(Window::WindowControl& parent, int left, int right)
    : WindowControlRenderTarget(parent, left, 0, right, 0) {
    init();
}

EditControl::~EditControl() { caretTimer.clear(); }

void EditControl::init() {
    textFormat = &(*fontList)[Resource::TextFormatList::EditControl];
    updateTextLayout();
    updateScroll();
}

EditBuffer::Modifiers EditControl::modifiers() const {
    return {Platform::getKeyState(Platform::VK::SHIFT) < 0, Platform::getKeyState(Platform::VK::CONTROL) < 0};
}

int EditControl::innerWidth() const { return std::max(visibleRect().width - 2 * kInset, 0); }
int EditControl::innerHeight() const { return std::max(visibleRect().height - 2 * kInset, 0); }
int EditControl::marginX() const {
    return std::min(visibleRect().width / 4, 2 * static_cast<int>(std::ceil(textFormat->getLineHeight())));
}
int EditControl::marginY() const {
    return std::min(visibleRect().height / 4, static_cast<int>(std::ceil(textFormat->getLineHeight())));
}

void EditControl::updateTextLayout() {
    EditBuffer::updateTextLayout();
    textLayout.rebuild(*textFormat->get(), *this);
    textWidth = textLayout.textWidth;
    textHeight = textLayout.textHeight;
    hitRectCapacity = textLayout.hitRectCapacity;
}

void EditControl::updateScroll() {
    const int innerW = innerWidth(), innerH = innerHeight(), mx = marginX(), my = marginY();
    const EditTextLayout::Caret c = textLayout.caretAt(caret);
    scrollX = std::max(scrollX, static_cast<int>(c.left + c.width) + mx - innerW);
    scrollX = std::min(scrollX, static_cast<int>(c.left) - mx);
    scrollY = std::max(scrollY, static_cast<int>(c.top + c.height) + my - innerH);
    scrollY = std::min(scrollY, static_cast<int>(c.top) - my);
    scrollX = std::max(scrollX, 0);
    scrollY = std::max(scrollY, 0);
    if (centerX && textWidth + mx / 2 < innerW) scrollX = (textWidth - innerW) / 2;
    if (centerY && textHeight + my / 2 < innerH) scrollY = (textHeight - innerH) / 2;
    scrollX = std::min(scrollX, std::max(mx / 2 + textWidth - innerW, 0));
    scrollY = std::min(scrollY, std::max(my / 2 + textHeight - innerH, 0));
    if (onScroll) onScroll(*this);
}

void EditControl::updateImePosition() {
    if (!focus || !service || !service->ime.associated) return;
    const EditTextLayout::Caret c = textLayout.caretAt(caret);
    const Window::Rect& full = fullRect();
    Platform::RECT area;
    area.left = full.x + static_cast<int>(std::lround(c.left)) - scrollX + kInset;
    area.top = full.y + static_cast<int>(std::lround(c.top)) - scrollY + kInset + 1;
    area.right = area.left + 1;
    area.bottom = area.top + static_cast<int>(std::lround(c.height));
    Platform::setImeCaretRect(window, area);
}

int EditControl::getTextPosition(int x, int y) const {
    return textLayout.positionAt(static_cast<float>(x), static_cast<float>(y));
}

void EditControl::editCursorUp(int lines) {
    const EditTextLayout::Caret c = textLayout.caretAt(caret);
    const float y = c.top - 0.5f * c.height;
    const EditTextLayout::Hit hit = textLayout.hitTest(c.left, y - (lines - 1) * c.height);
    if (hit.lineTop > y) return;  // already on the first line
    setCaret(hit.trailing && hit.index < length && text[hit.index] != u'\n' ? hit.index + 1 : hit.index);
}

void EditControl::editCursorDown(int lines) {
    const EditTextLayout::Caret c = textLayout.caretAt(caret);
    const float y = c.top + 1.5f * c.height;
    const EditTextLayout::Hit hit = textLayout.hitTest(c.left, y + (lines - 1) * c.height);
    if (y > hit.lineBottom) return;  // already on the last line
    setCaret(hit.trailing && hit.index < length && text[hit.index] != u'\n' ? hit.index + 1 : hit.index);
}

int EditControl::pageLines() {
    return std::max(1, static_cast<int>(innerHeight() / std::max(textFormat->getLineHeight(), 1.0f)));
}

bool EditControl::readClipboard(std::u16string& out) {
    std::wstring wide;
    if (!System::Clipboard::getText(wide)) return false;
    out = System::String::toUtf16(wide);
    return true;
}

void EditControl::writeClipboard(const std::u16string& copied) {
    System::Clipboard::setText(System::String::fromUtf16(copied).c_str());
}

void EditControl::restartCaret() {
    caretVisible = true;
    caretTimer.set(caretBlinkTime(), [this] {
        caretVisible = !caretVisible;
        drawCursor(caretVisible);
    });
}

void EditControl::hideMouseCursor() {
    if (!service) return;
    service->currentCursor = Window::WindowMouseService::cursor(Window::WindowMouseService::CursorHidden);
    service->updateWindowCursor();
}

void EditControl::afterEdit() {
    EditBuffer::afterEdit();
    restartCaret();
    updateScroll();
    updateImePosition();
    procPaint();
    hideMouseCursor();
    if (onChange) onChange(*this);
}

void EditControl::afterMove() {
    restartCaret();
    updateScroll();
    updateImePosition();
    procPaint();
    hideMouseCursor();
}

void EditControl::afterSelectAll() {
    updateScroll();
    procPaint();
    hideMouseCursor();
}

bool EditControl::procKeyDown(int virtualKey) {
    discardChars_ = false;
    if (!focus) return false;
    if (onKeyDown && onKeyDown(virtualKey)) {
        // The characters this key makes are dropped with it.
        discardChars_ = true;
        discardTimer_.set(10, [this] {
            discardChars_ = false;
            discardTimer_.clear();
        });
        return true;
    }
    return editKeyDown(virtualKey, modifiers());
}

bool EditControl::procChar(char16_t unit) {
    if (!focus) return false;
    if (discardChars_) return true;
    return editChar(unit, modifiers());
}

void EditControl::procString(const std::wstring& typed) { editString(System::String::toUtf16(typed)); }

void EditControl::takeEditFocus() {
    restartCaret();
    if (scrollBar) acceptsWheel = true;
    if (menuEnabled) acceptsRightButton = true;
    if (!focus && service) service->takeFocus(this);
}

void EditControl::beginEntry(const std::u16string& entry, bool withIme) {
    text = entry;
    updateTextLayout();
    selectionStart = 0;
    selectionEnd = length;
    if (length == 0) clearSelection();
    caret = anchor = length;
    updateScroll();
    restartCaret();
    if (scrollBar) acceptsWheel = true;
    if (menuEnabled) acceptsRightButton = true;
    if (service && !focus) {
        service->dropFocus(nullptr);
        service->takeFocus(this);
    }
    if (service && !withIme && service->ime.associated) {
        Platform::associateIme(window, false);
        service->ime.associated = false;
    }
    updateImePosition();
}

void EditControl::procLButtonDown(int x, int y) {
    takeEditFocus();
    if (service)
        service->startDrag(0, 0, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorIBeam));
    setCaret(getTextPosition(x + scrollX - kInset, y + scrollY - kInset));
    if (service && service->doubleClick) {
        selectWord(caret);
    } else if (modifiers().shift) {
        selectFromAnchor();
    } else {
        anchor = caret;
        clearSelection();
    }
    updateImePosition();
    procPaint();
}

void EditControl::procMouseDrag(int x, int y) {
    const Window::Rect& visible = visibleRect();
    const int innerW = innerWidth(), innerH = innerHeight(), mx = marginX(), my = marginY();
    int sx = scrollX, sy = scrollY;
    if (x < -3) sx += x / 4;
    if (x >= visible.width + 4) sx += (x - visible.width) / 4;
    if (y < -3) sy += y / 4;
    if (y >= visible.height + 4) sy += (y - visible.height) / 4;
    sx = std::clamp(sx, 0, std::max(textWidth + mx / 2 - innerW, 0));
    sy = std::clamp(sy, 0, std::max(textHeight + my / 2 - innerH, 0));
    if (centerX && textWidth + mx / 2 < innerW) sx = (textWidth - innerW) / 2;
    if (centerY && textHeight + my / 2 < innerH) sy = (textHeight - innerH) / 2;
    if (sx != scrollX || sy != scrollY) {
        scrollX = sx;
        scrollY = sy;
        if (onScroll) onScroll(*this);
    }
    const int px = std::clamp(x, 0, visible.width), py = std::clamp(y, 0, visible.height);
    setCaret(getTextPosition(px + scrollX - kInset, py + scrollY - kInset));
    selectFromAnchor();
    procPaint();
}

void EditControl::procMouseMove(int, int) {
    if (focus && service)
        service->currentCursor = Window::WindowMouseService::cursor(Window::WindowMouseService::CursorIBeam);
}

void EditControl::procMouseWheel(int x, int y, int delta) {
    if (!scrollBar) return;
    scrollBar->procMouseWheel(x + rect->x - scrollBar->rect->x, y + rect->y - scrollBar->rect->y, delta);
}

void EditControl::procRButtonDown(int, int) {
    // The press is the menu's: no context menu follows its release.
    captured = true;
    if (service) service->dragMoved = true;
    if (openEditMenu) openEditMenu(*this);
}

std::vector<EditControl::MenuEntry> EditControl::editMenuEntries() const {
    if (hasSelection())
        return {{L"切り取り", 24}, {L"コピー", 3}, {L"貼り付け", 22}, {L"削除", 127}};
    return {{L"貼り付け", 22}, {L"すべてを選択", 1}};
}

void EditControl::procKillFocus(Window::WindowMouse*) {
    acceptsWheel = false;
    acceptsRightButton = false;
    anchor = caret;
    clearSelection();
    caretTimer.clear();
    discardChars_ = false;
    procPaint();
}

bool EditControl::procFocusIme(Window::ImeState& ime) {
    if (!ime.associated) {
        Platform::associateIme(window, true);
        ime.associated = true;
        ime.window = window;
    }
    const std::wstring face = textFormat->getName();
    const int height = -static_cast<int>(std::ceil(textFormat->get()->getFontSize()));
    if (ime.compositionFont.faceName != face || ime.compositionFont.height != height) {
        ime.compositionFont.faceName = face;
        ime.compositionFont.height = height;
    }
    updateImePosition();
    return true;
}

void EditControl::procMouseHover(Platform::WindowHandle hoverWindow, UINT message, WPARAM wParam) {
    if (onHover) onHover(hoverWindow, message, wParam);
}

void EditControl::procMove() { updateScroll(); }

void EditControl::setGroupFocus(bool on) {
    if (on) {
        takeEditFocus();
        procPaint();
    } else {
        procKillFocus(nullptr);
    }
}

bool EditControl::canGroupFocus() { return visible && enabled; }

void EditControl::procPaint() {
    const Window::Rect& v = visibleRect();
    if (!visible || v.width <= 0 || v.height <= 0 || !host) return;
    Resource::ColorBrushList& brushes = host->brushList;
    const Window::Rect& full = fullRect();
    // The window may have made its drawing target after the control.
    target = Media::RenderTarget::owner->target;
    DrawScope scope(*this, v.x, v.y, v.x + v.width, v.y + v.height, true);
    fill(backgroundBrush ? *backgroundBrush : brushes[Resource::ColorBrushList::Background]);
    drawRectangle(full.x - v.x, full.y - v.y, full.x - v.x + full.width, full.y - v.y + full.height,
                  brushes[focus ? Resource::ColorBrushList::BorderFocus : Resource::ColorBrushList::Border], 2.0f);
    {
        DrawScope inner(*this, full.x + kInset, full.y + kInset, full.x + full.width - kInset,
                        full.y + full.height - kInset, true);
        originX = full.x - scrollX + kInset;
        originY = full.y - scrollY + kInset;
        drawSelectRange();
        if (textLayout.get())
            drawTextLayout(0, 0, *textLayout.get(), brushes[Resource::ColorBrushList::Text], true);
    }
    drawCursor(true);
}

void EditControl::drawSelectRange() {
    if (!hasSelection() || hitRectCapacity == 0) return;
    if (!host) return;
    for (const EditTextLayout::Box& box : textLayout.rangeBoxes(selectionStart, selectionEnd)) {
        fillRectangle(static_cast<int>(std::floor(box.left)), static_cast<int>(std::floor(box.top)),
                      static_cast<int>(std::ceil(box.right)), static_cast<int>(std::ceil(box.bottom)),
                      host->brushList[Resource::ColorBrushList::TextSelect]);
    }
}

void EditControl::drawCursor(bool on) {
    const Window::Rect& v = visibleRect();
    if (!focus || !visible || v.width <= 0 || v.height <= 0 || !host) return;
    const Window::Rect& full = fullRect();
    const EditTextLayout::Caret c = textLayout.caretAt(caret);
    const int x = static_cast<int>(c.left);
    const int y = static_cast<int>(std::lround(c.top));
    const int h = static_cast<int>(std::lround(c.height));
    const int left = std::max(full.x + x - scrollX + kInset, v.x);
    const int right = std::min(full.x + x - scrollX + kInset + 1, v.x + v.width);
    const int top = std::max(full.y + y - scrollY + kInset, v.y);
    const int bottom = std::min(full.y + y + h - scrollY + kInset, v.y + v.height);
    if (left >= right || top >= bottom) return;
    Resource::ColorBrushList& brushes = host->brushList;
    DrawScope scope(*this, left, top, right, bottom, true);
    if (on) {
        fill(brushes[Resource::ColorBrushList::Text]);
        return;
    }
    // Off: the background and the glyph under the caret come back.
    fill(backgroundBrush ? *backgroundBrush : brushes[Resource::ColorBrushList::Background]);
    originX = full.x - scrollX + kInset;
    originY = full.y - scrollY + kInset;
    if (hasSelection()) drawSelectRange();
    if (textLayout.get()) drawTextLayout(0, 0, *textLayout.get(), brushes[Resource::ColorBrushList::Text], true);
}

}  // namespace Control
