#include "window/controls/ControlGallery.h"

#include "core/file/SettingService.h"
#include "platform/gtk/NativeWindow.h"
#include "window/WindowService.h"
#include "window/controls/IconShape.h"

#include <cairo.h>

#include <algorithm>
#include <string>

namespace ControlGallery {

namespace {

using Brushes = Resource::ColorBrushList;

const Control::IconShape* const kIcons[] = {
    &Control::IconStop,        &Control::IconPlay,       &Control::IconStepRight,
    &Control::IconStepLeft,    &Control::IconDoubleChevronRight, &Control::IconDoubleChevronLeft,
    &Control::IconToEnd,       &Control::IconToStart,    &Control::IconPause,
    &Control::IconFolder,      &Control::IconArrowUp,    &Control::IconArrowRight,
    &Control::IconArrowLeft,   &Control::IconList,       &Control::IconMinus,
    &Control::IconPlus,        &Control::IconAdd,        &Control::IconClose,
    &Control::IconTriangleUp,  &Control::IconTriangleDown, &Control::IconTriangleLeft,
};

// A row of the list: a label on a band of its own height.
class GalleryRow : public Control::RectControl, public Control::ListItemBase {
public:
    GalleryRow(Control::ListItemControl& list, int index, int height)
        : RectControl(list.rowOwner, 0, 0, 0, height),
          ListItemBase(list, *this),
          label(*this, 4, 0, 0, 0, L"Row " + std::to_wstring(index), 0) {}
    Control::TextControl label;
};

class ValueButton : public Component::SliderButtonControl {
public:
    ValueButton(Window::WindowControlOwner& owner, Gallery& gallery)
        : SliderButtonControl(owner, 420, 80, 24, 24), gallery(gallery) {}
    int getValue() override { return gallery.sliderValue; }
    std::wstring getValueText() override { return std::to_wstring(gallery.sliderValue) + L"%"; }
    void changeValue(int start, int delta) override {
        gallery.sliderValue = std::clamp(start + delta, 0, 100);
        gallery.events.push_back("value " + std::to_string(gallery.sliderValue));
    }
    Gallery& gallery;
};

cairo_surface_t* makePicture() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 16);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.9, 0.6, 0.1);
    cairo_rectangle(cr, 2, 2, 12, 12);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.2, 0.4, 0.9);
    cairo_arc(cr, 8, 8, 4, 0, 6.2832);
    cairo_fill(cr);
    cairo_destroy(cr);
    return surface;
}

}  // namespace

Gallery::Gallery(Window::WindowService& service)
    : service(service),
      owner(nullptr, service.mainWindow, &service, 200, &area, &area),
      listOwner(nullptr, service.mainWindow, &service, 200, &listArea, &listArea) {
    picture_ = makePicture();
    build();
    Platform::setWindowUserData(service.mainWindow, static_cast<Window::WindowProcHook*>(this));
    owner.updateLayout();
    listOwner.updateLayout();
    paint();
}

Gallery::~Gallery() {
    Platform::setWindowUserData(service.mainWindow, static_cast<Window::WindowProcHook*>(&service));
    controls.clear();
    cairo_surface_destroy(picture_);
}

template <class T, class... Args>
T& Gallery::add(Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *control;
    controls.push_back(std::move(control));
    return ref;
}

void Gallery::build() {
    Brushes& brushes = service.brushList;
    auto log = [this](std::string event) { events.push_back(std::move(event)); };

    plain = &add<Control::TextButtonControl>(owner, 10, 10, 90, 24, 0);
    plain->text = L"Play";
    plain->tooltip = L"再生";
    plain->onClick = [log](Control::ButtonControl&) { log("click Play"); };
    auto& menu = add<Control::TextButtonControl>(owner, 110, 10, 90, 24, 1);
    menu.text = L"Menu";
    menu.onClick = [log](Control::ButtonControl&) { log("click Menu"); };
    auto& trimmed = add<Control::TextButtonControl>(owner, 210, 10, 90, 24, 2);
    trimmed.text = L"A much too long caption";
    wheel = &add<Control::TextButtonWheelControl>(owner, 310, 10, 90, 24, 0);
    wheel->text = L"Wheel 0";
    wheel->onWheel = [this](Control::TextButtonWheelControl& button, int delta) {
        wheelValue += delta > 0 ? 1 : -1;
        button.text = L"Wheel " + std::to_wstring(wheelValue);
        events.push_back("wheel " + std::to_string(delta));
        button.procPaint();
    };
    auto& disabled = add<Control::TextButtonControl>(owner, 410, 10, 90, 24, 0);
    disabled.text = L"Off";
    disabled.enabled = false;

    for (int i = 0; i < 21; ++i) {
        auto& icon = add<Control::IconButtonControl>(owner, 10 + 26 * i, 44, 24, 24);
        icon.icon = kIcons[i];
        icon.iconBrush = &brushes[Brushes::Text];
        icon.faceBrush = &brushes[Brushes::Background];
        icon.onClick = [log, i](Control::ButtonControl&) { log("icon " + std::to_string(i)); };
    }

    repeat = &add<Control::RepeatClickButtonControl>(owner, 10, 80, 24, 24, Control::IconPlus);
    repeat->onPress = [log](Control::RepeatClickButtonControl&) { log("press"); };
    repeat->onRelease = [log](Control::RepeatClickButtonControl&) { log("release"); };
    repeat->onClick = [log](Control::ButtonControl&) { log("repeat"); };
    check = &add<Control::CheckButtonControl>(owner, 44, 80, 24, 24);
    check->setCheckCallback(
        [log](Control::CheckButtonControl& c) { log(c.checked ? "checked" : "unchecked"); });
    auto& checkText = add<Control::CheckTextButtonControl>(owner, 78, 80, 60, 24);
    checkText.text = L"Bold";
    checkText.checked = true;
    auto& textIcon = add<Control::TextIconButtonControl>(owner, 148, 80, 120, 24);
    textIcon.text = L"Folder";
    textIcon.iconBitmap = picture_;
    textIcon.onIconClick = [log](Control::TextIconButtonControl&) { log("icon click"); };
    textIcon.onClick = [log](Control::ButtonControl&) { log("click Folder"); };
    clear = &add<Control::TextClearButtonControl>(owner, 278, 80, 130, 24);
    clear->text = L"search words";
    clear->faceBrushProvider = [&brushes] { return &brushes[Brushes::Grouping]; };
    clear->onClear = [this] {
        clear->text.clear();
        events.push_back("cleared");
        clear->procPaint();
    };
    auto& value = add<ValueButton>(owner, *this);
    value.bitmap = picture_;
    value.faceBrush = &brushes[Brushes::ButtonBody];
    auto& bitmap = add<Control::BitmapButtonControl>(owner, 454, 80, 24, 24);
    bitmap.bitmap = picture_;
    bitmap.selected = true;

    vertical = &add<Control::ScrollBarControl>(owner, 10, 120, 16);
    vertical->maximum = 99;
    vertical->setViewRange(0, 9);
    vertical->onScroll = [this](Control::ScrollBarControl& bar, int position) {
        events.push_back("vertical " + std::to_string(position));
        bar.setViewRange(position, position + (bar.viewEnd - bar.viewStart));
        bar.procPaint();
    };
    horizontal = &add<Control::ScrollBarControl>(owner, 40, 120, -(kWidth - 280), 16);
    horizontal->maximum = 1000;
    horizontal->setViewRange(0, 100);
    horizontal->onScroll = [this](Control::ScrollBarControl& bar, int position) {
        events.push_back("horizontal " + std::to_string(position));
        bar.setViewRange(position, position + (bar.viewEnd - bar.viewStart));
        bar.procPaint();
    };

    auto& box = add<Control::LayoutControl>(owner, 40, 150, 240, 30);
    box.fractionLeft = 0.5f;
    auto& half = add<Control::RectControl>(box, 0, 0, 0, 0);
    half.fillBrush = &brushes[Brushes::ButtonBodySelect];
    auto& painted = add<Control::RectControl>(owner, 40, 190, 240, 40);
    painted.fillBrush = &brushes[Brushes::Grouping];
    painted.painter = [&brushes](Control::RectControl& rect) {
        rect.drawIcon(Control::IconFolder, 0, 0, 40, 40, brushes[Brushes::Text]);
    };
    auto& label = add<Control::TextControl>(owner, 40, 240, 240, 24, L"A label with a border", 1);
    label.borderBrush = &brushes[Brushes::Border];
    add<Control::TextControl>(owner, 40, 270, 240, 24, L"A trimmed label that is far too long to fit", 2);

    add<Control::TitleHeaderControl>(listOwner, L"リスト");
    list = &add<Control::ListItemControl>(listOwner, Setting::TitleHeaderHeight + 2);
    for (int i = 0; i < 12; ++i) {
        auto row = std::make_unique<GalleryRow>(*list, i, 20 + (i % 3) * 4);
        row->fillBrush = &brushes[i % 2 ? Brushes::Layer : Brushes::LayerHeader];
        list->rows.push_back(std::move(row));
    }
    list->updateItemLayout();
    list->setScrollPosition(0);
    list->rowOwner.updateLayout();
}

void Gallery::paint() {
    Media::RenderTarget::DrawScope scope(service, 0, 0, kWidth, kHeight, true);
    service.fill(service.brushList[Brushes::Background]);
    for (Window::WindowControl* control : owner.controls) control->procPaint();
    for (Window::WindowControl* control : listOwner.controls) control->procPaint();
}

LRESULT Gallery::wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Platform::WM_PAINT) {
        static_cast<Media::RenderTargetWindow&>(service).paint(reinterpret_cast<cairo_t*>(lParam), [this] {
            Media::RenderTarget::DrawScope scope(service, 0, 0, service.clientWidth, service.clientHeight, true);
            service.fill(service.brushList[Brushes::Background]);
            paint();
        });
        return 0;
    }
    return service.wndProc(window, message, wParam, lParam);
}

int Gallery::count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

}  // namespace ControlGallery
