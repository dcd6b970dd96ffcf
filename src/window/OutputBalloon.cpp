#include "window/OutputBalloon.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/Screen.h"
#include "platform/gtk/TipWindow.h"
#include "window/Timer.h"

#include <memory>
#include <string>

namespace Window {

namespace {

constexpr int kShownMs = 5000;
constexpr int kMargin = 16;

bool balloonShown = false;
bool balloonEndRegistered = false;
std::unique_ptr<Platform::TipWindow> balloon;
std::unique_ptr<System::Timer> timer;
int endListenerKey = 0;

std::wstring cut(const std::wstring& text, std::size_t length) { return text.substr(0, length); }

}  // namespace

void showOutputCompleteBalloon() {
    if (!balloonEndRegistered) {
        balloonEndRegistered = true;
        if (auto* events = System::Singleton<Event::EventService>::getInstance())
            events->applicationEnd.add(&endListenerKey, [] {
                removeOutputCompleteBalloon();
                timer.reset();
            });
    }
    removeOutputCompleteBalloon();
    balloon = std::make_unique<Platform::TipWindow>(Platform::TipWindow::Style::Balloon, nullptr);
    balloon->setText(cut(L"Movane Quorin2", 63),
                     cut(Translate::TranslateService::translate(Translate::TranslateService::Table::Message,
                                                               L"ファイル出力が完了しました"),
                         255));
    const Platform::RECT screen = Platform::virtualScreenRect();
    const Platform::RECT size = balloon->screenRect();
    balloon->moveTo(screen.right - (size.right - size.left) - kMargin, screen.bottom - (size.bottom - size.top) - kMargin);
    balloon->show();
    balloonShown = true;
    if (!timer) timer = std::make_unique<System::Timer>();
    timer->set(kShownMs, [] { removeOutputCompleteBalloon(); });
}

void removeOutputCompleteBalloon() {
    if (!balloonShown) return;
    balloon.reset();
    balloonShown = false;
    if (timer) timer->clear();
}

Platform::TipWindow* outputCompleteBalloon() { return balloonShown ? balloon.get() : nullptr; }

System::Timer* outputCompleteBalloonTimer() { return timer.get(); }

}  // namespace Window
