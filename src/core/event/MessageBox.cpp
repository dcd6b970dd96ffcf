#include "core/event/MessageBox.h"

#include "core/event/DialogSeam.h"
#include "core/event/EventCommand.h"
#include "core/event/UserInterface.h"
#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/MessageBox.h"

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
    auto* ui = System::UserInterface::current();
    const Platform::WindowHandle owner = ui ? ui->commandWindow() : nullptr;
    if (!owner) return Platform::messageBox(nullptr, text, caption, flags | Platform::MB_TASKMODAL);
    const auto modal = ui->beginModal();
    return Platform::messageBox(owner, text, caption, flags);
}

std::string translatedMessage(const wchar_t* text) {
    return System::String::toUtf8(
        Translate::TranslateService::translate(Translate::TranslateService::Table::Message, text));
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
    // The whole formatted text is the key: a message with arguments is
    // translated only when the language file holds that very text.
    const std::wstring wide = System::String::toWide(text);
    showBox(translatedMessage(wide.c_str()), productCaption, Platform::MB_ICONERROR);
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

bool showConfirm(const wchar_t* text) {
    if (DialogSeam* seam = DialogSeam::current()) {
        const std::string translated = translatedMessage(text);
        return seam->confirm(System::String::toWide(translated));
    }
    return showBox(translatedMessage(text), productCaption,
                   Platform::MB_ICONWARNING | Platform::MB_OKCANCEL) == Platform::IDOK;
}

void showWarning(const wchar_t* text) { showBox(translatedMessage(text), productCaption, Platform::MB_ICONWARNING); }

void showInformation(const wchar_t* text) {
    showBox(translatedMessage(text), productCaption, Platform::MB_ICONINFORMATION);
}

bool postError(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = System::Text::formatWideV(format, args);
    va_end(args);
    return Event::postEventCommand(Event::EventCommandType::ShowError,
                                   std::make_unique<std::wstring>(System::String::toWide(text)));
}

void postException(const std::exception& e) {
    Event::postEventCommand(Event::EventCommandType::ShowException,
                            std::make_unique<System::Exception>(e.what()));
}

}  // namespace Dialog
