#include "settings/rows/EffectItemColorControl.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/ColorText.h"
#include "effect/registry/EffectService.h"
#include "media/draw/RenderTargetWindow.h"
#include "platform/cairo/Brush.h"
#include "settings/rows/RowCallPoints.h"
#include "settings/rows/RowText.h"
#include "window/MenuDefinePopups.h"
#include "window/PopupMenu.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>
#include <cwctype>

namespace Component {

namespace {

constexpr float kNoColorGrey = 0.66f;

}  // namespace

EffectItemColorControl::EffectItemColorControl(Window::WindowControlOwner& parent,
                                               const std::shared_ptr<Effect::EffectBase>& effect,
                                               EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      label(layoutBox, 0, 0, headerWidth, 0),
      hexField(layoutBox, headerWidth + margin, headerWidth),
      pickButton(layoutBox, 2 * (headerWidth + margin), 0, Setting::SettingItemHeight, 0),
      swatch(layoutBox, 2 * (headerWidth + margin) + Setting::SettingItemHeight + margin, 0,
             Setting::SettingItemHeight, 0),
      rgbText(layoutBox, 2 * (headerWidth + margin) + 2 * (Setting::SettingItemHeight + margin), 0, 0, 0, L"", 0) {
    Media::RenderTargetWindow* window = WindowControlRenderTarget::host;
    label.text = translateEffectText(item.name);
    label.onClick = [this](Control::ButtonControl&) { showPresetMenu(); };
    label.iconBitmap = window ? window->bitmapList[Resource::BitmapList::ColorDiscs] : nullptr;
    label.iconTooltip = translateMessageText(L"色を編集");
    label.onIconClick = [this](Control::TextIconButtonControl&) {
        if (const Edit::ObjectPointer object = targetObject(); object && RowCallPoints::openColorWindow)
            RowCallPoints::openColorWindow(object, *this->item);
    };

    hexField.filter = L"^([0-9a-zA-Z]{6}|)$";
    hexField.edit.inputFilter = L"[0-9a-zA-Z]";
    if (this->item->type == Effect::ItemType::ColorOrNone) hexField.placeholder = L"未指定";
    hexField.edit.setFocusGroup(host.getFocusGroup());
    hexField.onEditBegin = [this](Control::ButtonInputValue&) {
        undoService->beginUndoGroup();
        undoService->addEffectUndoUpdate(this->effect);
        for (const std::shared_ptr<Effect::EffectBase>& other : findSelectSameEffects())
            undoService->addEffectUndoUpdate(other);
    };
    hexField.onChange = [this](Control::ButtonInputValue& field) { applyHexText(field.text); };
    hexField.onEditEnd = [this](Control::ButtonInputValue&) {
        undoService->commitUndoGroup();
        updateValue();
    };

    pickButton.bitmap = window ? window->bitmapList[Resource::BitmapList::Eyedropper] : nullptr;
    pickButton.tooltip = translateMessageText(L"画面上から色を取得");
    pickButton.onClick = [this](Control::ButtonControl&) { startPick(); };
    swatch.painter = [this](Control::RectControl& rect) { paintSwatch(rect); };
    updateValue();
}

EffectItemColorControl::~EffectItemColorControl() {
    if (service && service->colorPicker == this) service->cancelColorPick();
    hexField.onEditBegin = nullptr;
    hexField.onChange = nullptr;
    hexField.onEditEnd = nullptr;
}

float EffectItemColorControl::outlineGrey(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    float l = 0.299f * (red / 255.0f) + 0.587f * (green / 255.0f) + 0.114f * (blue / 255.0f);
    l = l < 0.5f ? l + 0.66f : l - 0.66f;
    return std::clamp(l, 0.2f, 0.8f);
}

std::optional<EffectItemColorControl::Color> EffectItemColorControl::parseHex(const std::wstring& text) {
    if (text.size() != 6 || !std::all_of(text.begin(), text.end(), [](wchar_t c) { return std::iswxdigit(c); }))
        return std::nullopt;
    const auto pair = [&](std::size_t at) { return static_cast<std::uint8_t>(std::stoi(text.substr(at, 2), nullptr, 16)); };
    return Color{pair(0), pair(2), pair(4)};
}

void EffectItemColorControl::paintSwatch(Control::RectControl& rect) {
    Control::PaintScope scope(rect);
    if (scope.empty()) return;
    const int w = scope.width(), h = scope.height();
    if (item->noColor) {
        rect.fill(Platform::Cairo::SolidColorBrush({kNoColorGrey, kNoColorGrey, kNoColorGrey, 1.0f}));
        return;
    }
    const Platform::Cairo::SolidColorBrush color(
        {item->red / 255.0f, item->green / 255.0f, item->blue / 255.0f, 1.0f});
    rect.fillRectangle(1, 1, w - 1, h - 1, color);
    const float grey = outlineGrey(item->red, item->green, item->blue);
    Control::drawOutline(rect, 0, 0, w, h, Platform::Cairo::SolidColorBrush({grey, grey, grey, 1.0f}), 1);
}

void EffectItemColorControl::updateValue() {
    const std::uint8_t rgb[3] = {item->red, item->green, item->blue};
    hexField.setText(item->noColor ? std::wstring() : Media::toHexStringW(rgb), true, false);
    hexField.procPaint();
    if (picking)
        rgbText.text = translateMessageText(L"マウスクリックで色を取得");
    else if (item->noColor)
        rgbText.text.clear();
    else
        rgbText.text = std::to_wstring(item->red) + L"," + std::to_wstring(item->green) + L"," +
                       std::to_wstring(item->blue);
    swatch.procPaint();
    rgbText.procPaint();
}

void EffectItemColorControl::setValue(const Color& color, Edit::EditScope& scope) {
    applyEdit(scope, [&color](Effect::EffectItemColor& target) {
        target.red = color.red;
        target.green = color.green;
        target.blue = color.blue;
        target.noColor = false;
    });
}

void EffectItemColorControl::setColor(const std::optional<Color>& color) {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    scope.refreshSetting = scope.refreshColorSetting = true;
    if (color) setValue(*color, scope);
    updateValue();
}

void EffectItemColorControl::applyHexText(const std::wstring& text) {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    scope.refreshColorSetting = true;
    const bool clear = item->type == Effect::ItemType::ColorOrNone && text.empty();
    std::optional<Color> color;
    if (!clear) {
        color = parseHex(text);
        if (!color) return;
    }
    const auto store = [&](Effect::EffectItemColor& target) {
        if (clear) {
            target.red = target.green = target.blue = 0;
            target.noColor = true;
        } else {
            target.red = color->red;
            target.green = color->green;
            target.blue = color->blue;
            target.noColor = false;
        }
    };
    store(*item);
    const std::vector<SameItem> same = findSelectSameItems(*item);
    for (const SameItem& other : same) store(static_cast<Effect::EffectItemColor&>(*other.item));
    if (!editService->getCurrentScene()->selection.objects.empty()) {
        swatch.procPaint();
        const std::uint8_t rgb[3] = {item->red, item->green, item->blue};
        rgbText.text = item->noColor ? std::wstring()
                                     : std::to_wstring(rgb[0]) + L"," + std::to_wstring(rgb[1]) + L"," +
                                           std::to_wstring(rgb[2]);
        rgbText.procPaint();
    }
}

void EffectItemColorControl::startPick() {
    picking = true;
    if (service) service->startColorPick(this);
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    scope.refreshSetting = scope.refreshColorSetting = true;
    scope.beginUndo();
    if (item->type == Effect::ItemType::ColorOrNone && !item->noColor) {
        undoService->addEffectUndoUpdate(effect);
        item->red = item->green = item->blue = 0;
        item->noColor = true;
    }
    updateValue();
}

void EffectItemColorControl::procPickColor(const Window::PickedColor* color) {
    picking = false;
    if (color)
        setColor(Color{color->red, color->green, color->blue});
    else
        setColor(std::nullopt);
}

void EffectItemColorControl::showPresetMenu() {
    Window::PopupMenu menu;
    Menu::createPresetColorMenu(menu, [this](Effect::PresetColorDefine* define) {
        if (!define) return;
        const Media::RGB8 rgb = Media::toRGB8(define->color);
        setColor(Color{rgb.r, rgb.g, rgb.b});
    });
    menu.show();
}

}  // namespace Component
