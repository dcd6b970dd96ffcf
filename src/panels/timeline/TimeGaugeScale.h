#pragma once
// The arithmetic of the time ruler: how many frames lie between two ticks
// and the time text of a frame.
#include <string>

namespace Component {

// Frames between ticks, so that ticks stand about ten pixels (times the
// interface scale) apart; at least one frame for every zoom of the table.
int timeGaugeTickStep(float uiScale, int zoom);
// "hh:mm:ss.cc" of a frame at rate / scale frames a second.
std::wstring timeGaugeLabel(int frame, int videoRate, int videoScale);
// ((frame - first) x zoom + 5000) / 10000, in 64 bits, truncating.
int timeGaugeX(long long frame, long long first, int zoom);

}  // namespace Component
