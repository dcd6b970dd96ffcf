#include "dialogs/template/DialogTemplate.h"

#include "core/base/Singleton.h"
#include "core/event/UserInterface.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "media/resource/ResourceService.h"
#include "window/ModalScope.h"

namespace Dialog {

namespace {

constexpr int kFirstButtonId = 10000;
constexpr int kSubmitId = 6;
// A title longer than this is cut.
constexpr std::size_t kTitleLength = 63;

bool enterSubmitAllowed() {
    const auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    return settings && settings->EnableEnterSubmit != 0;
}

}  // namespace

std::function<bool(Platform::POINT& point)> DialogTemplate::trackedMenuPoint;

DialogTemplate::~DialogTemplate() = default;

int DialogTemplate::addButton(const wchar_t* label, std::function<void()> action, int buttonWidth) {
    const int id = kFirstButtonId + static_cast<int>(buttons.size());
    buttons.push_back({label, std::move(action), buttonWidth, id});
    return id;
}

bool DialogTemplate::procMessage(UINT, WPARAM, LPARAM) { return false; }

bool DialogTemplate::create(int minimumWidth, Platform::WindowHandle owner) {
    Window::ModalScope modal;
    width = minimumWidth;
    height = 0;
    if (!owner)
        if (auto* ui = System::UserInterface::current()) owner = ui->commandWindow();
    std::wstring caption =
        Translate::TranslateService::translate(Translate::TranslateService::Table::Dialog, title.c_str());
    if (caption.size() > kTitleLength) caption.resize(kTitleLength);
    const Resource::ResourceService* resources = Resource::ResourceService::getInstance();
    Platform::DialogWindow window(owner, System::String::toUtf8(caption),
                                  resources ? resources->gdiFontList.normal() : nullptr,
                                  resources ? resources->gdiFontList.bold() : nullptr,
                                  [this](int id, int code, Platform::ControlHandle control) { command(id, code, control); });
    window_ = &window;
    struct Forget {
        Platform::DialogWindow*& window;
        ~Forget() { window = nullptr; }
    } forget{window_};
    layout();
    return window.run() == 1;
}

void DialogTemplate::command(int id, int code, Platform::ControlHandle control) {
    if (!window_->ended()) {
        if (id == Platform::IDOK) {
            if (!noEnterSubmit) submit();
        } else if (id == Platform::IDCANCEL) {
            window_->end(0);
        } else if (id == kSubmitId) {
            submit();
        } else if (id >= kFirstButtonId && static_cast<std::size_t>(id - kFirstButtonId) < buttons.size()) {
            // An empty action is a programming error: calling it throws.
            buttons[static_cast<std::size_t>(id - kFirstButtonId)].action();
            return;
        }
    }
    procMessage(Platform::WM_COMMAND, static_cast<WPARAM>(Platform::MAKELPARAM(id, code)),
                reinterpret_cast<LPARAM>(control));
}

void DialogTemplate::submit() {
    for (const auto& item : items)
        if (!item->submit()) return;
    window_->end(1);
}

void DialogTemplate::layout() {
    Platform::DialogWindow& window = *window_;
    const Platform::TextSize line = window.measureText("!#@/");
    LayoutInput in;
    in.rowHeight = line.height ? line.height + 4 : 0;
    for (const auto& item : items) {
        item->measure(window);
        LayoutInput::Row row{item->width, item->height, -1};
        if (!item->label.empty()) row.labelWidth = window.measureText(translateDialogText(item->label)).width;
        in.rows.push_back(row);
    }
    if (note) in.noteWidth = window.measureText(System::String::toUtf8(note)).width;
    for (const Button& button : buttons) in.buttons.push_back(button.label ? button.width : -1);
    in.buttonMode = buttonMode;
    in.minimumWidth = width;
    in.minimumHeight = height;
    in.enableEnterSubmit = enterSubmitAllowed();
    in.owner = window.ownerRect();
    if (!trackedMenuPoint || !trackedMenuPoint(in.point)) in.point = Platform::DialogWindow::cursorPosition();

    const LayoutResult out = layoutDialog(in);
    showOk = out.showOk;
    noEnterSubmit = out.noEnterSubmit;
    centred = out.centred;
    width = out.clientWidth;
    height = out.clientHeight;
    window.place(out.position.x, out.position.y, out.clientWidth, out.clientHeight);

    for (std::size_t i = 0; i < items.size(); ++i) {
        DialogItem& item = *items[i];
        if (item.height == 0) item.height = out.rows[i].bottom - out.rows[i].top;
        if (out.labels[i]) window.createStatic(*out.labels[i], translateDialogText(item.label), false, false);
        const Platform::RECT& r = out.rows[i];
        item.create(window, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    if (out.note) window.createStatic(*out.note, translateDialogText(note), false, false);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (out.buttons[i]) window.createButton(buttons[i].id, *out.buttons[i], translateDialogText(buttons[i].label), false);
    if (out.ok) window.createButton(kSubmitId, *out.ok, translateDialogText(L"OK"), false);
    procInitDialog();
}

}  // namespace Dialog
