#include "dialogs/MessageBox.h"

#include "core/Log.h"
#include "core/Singleton.h"
#include "core/StringConvert.h"
#include "platform/gtk/MessageBox.h"
#include "window/ModalScope.h"
#include "window/WindowService.h"

#include <cstdarg>

namespace Dialog {

const char* const productCaption = "Movane Quorin2";
const wchar_t* const fatalSuffix =
    L"\n\nプロジェクトをバックアップしてアプリケーションを終了します";

const std::string& exceptionCaption() {
    static const std::string caption =
        std::string(productCaption) + " [" MOVANE2_VERSION "] : Application Exception";
    return caption;
}

namespace {

int showBox(const std::string& text, const std::string& caption, UINT flags) {
    auto* service = System::Singleton<Window::WindowService>::getInstance();
    if (!service || !service->mainWindow)
        return Platform::messageBox(nullptr, text, caption, flags | Platform::MB_TASKMODAL);
    Window::ModalScope scope;
    return Platform::messageBox(service->mainWindow, text, caption, flags);
}

}  // namespace

int showErrorBox(const char* text, const char* caption) {
    return showBox(text ? text : "", caption ? caption : "", Platform::MB_ICONERROR);
}

int showError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = System::Text::formatV(format, args);
    va_end(args);
    System::Log::error("Dialog::showError", "show error dialog.\n%s", text.c_str());
    return showErrorBox(text.c_str(), productCaption);
}

void showError(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = System::Text::formatWideV(format, args);
    va_end(args);
    System::Log::error("Dialog::showError", "show error dialog.\n%s", text.c_str());
    // The Message table translates the whole text here once languages exist.
    showBox(text, productCaption, Platform::MB_ICONERROR);
}

void showException(const std::exception& e) {
    const char* text = e.what();
    System::Log::error("Dialog::showException", "show exception dialog.\n%s", text);
    showErrorBox(text, exceptionCaption().c_str());
}

void showFatalException(const std::exception& e) {
    const std::string text = e.what() + System::String::toUtf8(fatalSuffix);
    System::Log::error("Dialog::showException", "show exception dialog.\n%s", text.c_str());
    showBox(text, exceptionCaption(), Platform::MB_ICONERROR);
}

}  // namespace Dialog
