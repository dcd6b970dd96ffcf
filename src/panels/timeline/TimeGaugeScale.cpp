#include "panels/timeline/TimeGaugeScale.h"

#include <cmath>
#include <cstdio>

namespace Component {

int timeGaugeTickStep(float uiScale, int zoom) {
    const long long pixels = std::llround(10.0 * static_cast<double>(uiScale));
    return static_cast<int>(pixels * 10000 / (zoom > 0 ? zoom : 10000));
}

std::wstring timeGaugeLabel(int frame, int videoRate, int videoScale) {
    const double seconds =
        videoRate > 0 ? static_cast<double>(videoScale) * static_cast<double>(frame) / static_cast<double>(videoRate)
                      : 0.0;
    const int s = static_cast<int>(seconds);
    wchar_t text[128];
    std::swprintf(text, 128, L"%02d:%02d:%02d.%02d", s / 3600, s % 3600 / 60, s % 60,
                  static_cast<int>(seconds * 100) % 100);
    return text;
}

int timeGaugeX(long long frame, long long first, int zoom) {
    return static_cast<int>(((frame - first) * zoom + 5000) / 10000);
}

}  // namespace Component
