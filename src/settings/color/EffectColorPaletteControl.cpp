#include "settings/color/EffectColorPaletteControl.h"

#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/registry/EffectService.h"
#include "platform/cairo/Brush.h"
#include "platform/gtk/WindowInput.h"
#include "settings/color/ColorState.h"
#include "settings/color/ColorWindowCalls.h"
#include "settings/color/EffectColorSettingComponent.h"
#include "settings/color/PaletteGrid.h"
#include "window/WindowMenuEntry.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/ControlTooltip.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace Component {

namespace {

Effect::PaletteManager* manager() {
    auto* effects = System::Singleton<Effect::EffectService>::getInstance();
    return effects ? &effects->palettes : nullptr;
}

std::wstring menuText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Menu, text);
}

// Objects that use a preset colour by name render again.
template <class F>
void inPaletteScope(Edit::EditService* edit, F&& change) {
    if (!edit) {
        change();
        return;
    }
    Edit::EditScope scope(*edit);
    scope.notifyObjectUpdate = scope.refreshTimeSetting = true;
    change();
}

}  // namespace

EffectColorPaletteControl::EffectColorPaletteControl(Window::WindowControlOwner& owner,
                                                     EffectColorSettingComponent& window)
    : WindowControlRenderTarget(owner, 0, 0, 1, 1), window(window) {
    acceptsContextMenu = true;
}

void EffectColorPaletteControl::setPalette(const std::wstring& name) {
    Effect::PaletteManager* palettes = manager();
    palette = palettes ? PaletteGrid::choosePalette(*palettes, name) : nullptr;
    if (palette) window.selectPalette = palette->name;
}

void EffectColorPaletteControl::procMouseMove(int x, int y) {
    const Window::Rect& full = fullRect();
    const int cell = PaletteGrid::cellAt(x, y, full.width, full.height);
    if (cell == hoverCell) return;
    hoverCell = cell;
    procPaint();
    // Each cell gets its own tooltip.
    if (WindowMouse::window) Platform::trackMouseEvent(WindowMouse::window, Platform::TME_HOVER | Platform::TME_LEAVE);
}

void EffectColorPaletteControl::procMouseLeave() {
    if (menuOpen) return;
    hoverCell = -1;
    procPaint();
}

void EffectColorPaletteControl::procLButtonDown(int, int) {
    if (hoverCell < 0 || !palette) return;
    const float* c = palette->entries[static_cast<std::size_t>(hoverCell)].color;
    window.state.setColor(c[0], c[1], c[2], 1);
    window.applyColor();
}

void EffectColorPaletteControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    if (hoverCell < 0 || !palette) return;
    Control::showTooltipBelowPointer(PaletteGrid::cellTooltip(*palette, hoverCell));
}

void EffectColorPaletteControl::storePalette() {
    Effect::PaletteManager* palettes = manager();
    if (!palettes || !palette) return;
    palettes->savePalette(*palette);
    inPaletteScope(window.editServiceOf(), [&] { palettes->reloadPresetColor(); });
    procPaint();
}

void EffectColorPaletteControl::procContextMenu(int x, int y) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    if (hoverCell < 0 || !palette) {
        window.procContextMenu(x, y);
        return;
    }
    const int k = hoverCell;
    Effect::PaletteEntry& entry = palette->entries[static_cast<std::size_t>(k)];
    const std::shared_ptr<Effect::Palette> shown = palette;
    Window::MenuEntries menu;
    const auto command = [](std::wstring text, std::function<void()> run, bool enabled = true) {
        return Window::MenuEntry{Window::MenuEntry::Kind::Command, std::move(text), enabled, false, std::move(run), {}};
    };
    menu.push_back(command(menuText(L"現在の色を登録"), [this, shown, k] {
        std::copy(window.state.current, window.state.current + 4, shown->entries[k].color);
        shown->entries[k].color[3] = 1;
        storePalette();
    }));
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back(command(menuText(L"コピー"), [this, shown, k] {
        std::copy(shown->entries[k].color, shown->entries[k].color + 4, window.copiedColor);
    }));
    menu.push_back(command(menuText(L"貼り付け"), [this, shown, k] {
        std::copy(window.copiedColor, window.copiedColor + 4, shown->entries[k].color);
        storePalette();
    }));
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back(command(menuText(L"プリセット名を設定"), [this, k] {
        setPresetName(k);
        procPaint();
    }));
    menu.push_back(command(
        menuText(L"プリセット名を解除"),
        [this, shown, k] {
            Effect::PaletteManager* palettes = manager();
            if (!palettes) return;
            inPaletteScope(window.editServiceOf(), [&] { palettes->setPresetColorName(*shown, k, nullptr); });
            procPaint();
        },
        !entry.name.empty()));
    menuOpen = true;
    show(window.window, menu);
    menuOpen = false;
    procMouseLeave();
}

void EffectColorPaletteControl::selectPalette() {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    Effect::PaletteManager* palettes = manager();
    if (!show || !palettes) return;
    Window::MenuEntries menu;
    for (Effect::PaletteDefine* define : palettes->getPaletteList()) {
        const std::wstring name = define->palette->name;
        menu.push_back({Window::MenuEntry::Kind::Command, Translate::TranslateService::translateMenu(name), true,
                        name == window.selectPalette,
                        [this, name] {
                            System::Log::info("Component::EffectColorPaletteControl::selectPalette",
                                              "change palette : %s", System::String::toUtf8(name).c_str());
                            setPalette(name);
                            procPaint();
                        },
                        {}});
    }
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"新しいパレットを作成"), true, false,
                    [this] {
                        createPalette();
                        procPaint();
                    },
                    {}});
    show(window.window, menu);
}

void EffectColorPaletteControl::createPalette() {
    Effect::PaletteManager* palettes = manager();
    const ColorWindowCalls& calls = ColorWindowCalls::installed();
    if (!palettes || !calls.nameDialog) return;
    std::wstring name;
    if (!calls.nameDialog(L"パレットを作成 - 色設定", L"パレット名", name)) return;
    const std::wstring path = PaletteGrid::paletteFilePath(name);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::u8path(System::String::toUtf8(path)), error) &&
        !Dialog::showConfirm(L"同名のパレットが存在しています\n上書きしますか？"))
        return;
    System::Log::info("Component::EffectColorPaletteControl::createPalette", "create palette : %s",
                      System::String::toUtf8(name).c_str());
    Effect::Palette blank;
    blank.entries.resize(Effect::Palette::EntryCount);
    palettes->savePalette(*PaletteGrid::copyWithoutNames(palette ? *palette : blank, name));
    inPaletteScope(window.editServiceOf(), [&] { palettes->reloadPalette(); });
    setPalette(name);
}

void EffectColorPaletteControl::setPresetName(int cell) {
    Effect::PaletteManager* palettes = manager();
    const ColorWindowCalls& calls = ColorWindowCalls::installed();
    if (!palettes || !palette || !calls.nameLabelDialog) return;
    const std::shared_ptr<Effect::Palette> shown = palette;
    const std::wstring current = shown->entries[static_cast<std::size_t>(cell)].name;
    const auto registered = [&](const std::wstring& name) -> Effect::PresetColorDefine* {
        for (Effect::PresetColorDefine* define : palettes->getPresetColorList())
            if (define->name == name) return define;
        return nullptr;
    };
    std::wstring name = current;
    std::wstring label;
    if (const Effect::PresetColorDefine* define = registered(current)) label = define->label;
    std::vector<std::wstring> labels;
    for (const wchar_t* text : palettes->getPresetColorLabelList()) labels.emplace_back(text);
    for (;;) {
        if (!calls.nameLabelDialog(L"プリセット名を設定 - 色設定", L"プリセット名", name, label, labels)) return;
        if (!Effect::PaletteDefine::isValidPresetName(name)) {
            Dialog::showWarning(L"プリセット名に使用できない文字が含まれています");
            continue;
        }
        if (!registered(name) || name == current ||
            Dialog::showConfirm(L"同名のプリセットが存在しています\n変更しますか？"))
            break;
    }
    inPaletteScope(window.editServiceOf(), [&] { palettes->setPresetColorName(*shown, cell, name.c_str()); });
    if (Effect::PresetColorDefine* define = registered(name)) define->label = label;
}

void EffectColorPaletteControl::procPaint() {
    const Window::Rect& full = fullRect();
    if (!visible || full.width <= 0 || full.height <= 0) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Control::Brushes& brushes = scope.brushes();
    fill(brushes[Control::Brushes::Grouping]);
    const int w = scope.width(), h = scope.height();
    if (w <= 15 || h <= 15 || !palette) return;
    Resource::TextFormat& format = (*fontList)[Resource::TextFormatList::ControlSmall];
    const int lineHeight = static_cast<int>(std::ceil(format.getLineHeight()));
    const bool textFits = 2 * lineHeight < h / PaletteGrid::Side;
    const Platform::Cairo::SolidColorBrush shade({0, 0, 0, 128 / 255.0f});
    for (int k = 0; k < Effect::Palette::EntryCount; ++k) {
        const PaletteGrid::CellRect r = PaletteGrid::cellRect(k, w, h);
        const Effect::PaletteEntry& entry = palette->entries[static_cast<std::size_t>(k)];
        fillRectangle(r.left + 1, r.top + 1, r.right, r.bottom,
                      Platform::Cairo::SolidColorBrush({entry.color[0], entry.color[1], entry.color[2], 1}));
        if (entry.name.empty()) continue;
        if (textFits) {
            const int top = r.bottom - lineHeight - 1;
            fillRectangle(r.left + 1, top, r.right, r.bottom, shade);
            drawText(entry.name, *format.get(), r.left + 2, top + 1, r.right, r.bottom,
                     brushes[Control::Brushes::Text]);
        } else {
            const float grey = contrastGrey(entry.color);
            const float box[8] = {r.left + 2.5f, r.top + 2.5f, r.right - 1.5f, r.top + 2.5f,
                                  r.right - 1.5f, r.bottom - 1.5f, r.left + 2.5f, r.bottom - 1.5f};
            drawPath(box, 4, Platform::Cairo::SolidColorBrush({grey, grey, grey, 1}), 1.75f, nullptr);
        }
    }
    if (hoverCell >= 0) {
        const PaletteGrid::CellRect r = PaletteGrid::cellRect(hoverCell, w, h);
        const float box[8] = {r.left + 2.5f, r.top + 2.5f, r.right - 1.5f, r.top + 2.5f,
                              r.right - 1.5f, r.bottom - 1.5f, r.left + 2.5f, r.bottom - 1.5f};
        drawPath(box, 4, brushes[Control::Brushes::AnchorEdge], 3, nullptr);
        drawPath(box, 4, brushes[Control::Brushes::AnchorHover], 2, nullptr);
    }
}

}  // namespace Component
