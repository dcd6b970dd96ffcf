#pragma once
// The notification that an export finished: a balloon at the bottom-right
// corner of the screen for 5 s; a new completion replaces a shown balloon.
// User-interface thread only.
namespace Platform {
class TipWindow;
}

namespace System {
class Timer;
}

namespace Window {

void showOutputCompleteBalloon();
void removeOutputCompleteBalloon();
// The balloon while it is shown, else null (tests).
Platform::TipWindow* outputCompleteBalloon();
// The timer that removes it, null before the first balloon (tests).
System::Timer* outputCompleteBalloonTimer();

}  // namespace Window
