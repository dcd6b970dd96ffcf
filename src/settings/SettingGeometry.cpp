#include "settings/SettingGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Component {

SectionIndices sectionIndicesAt(const Effect::ObjectFrames& object, int frame, int sectionViewMode) {
    SectionIndices result;
    const int midPoints = object.getMidPointCount();
    result.sectionCount = midPoints + 1;
    const int i = object.getSectionIndex(frame);
    result.sectionIndex = result.pointIndex = i;
    const int sectionStart = i == 0 ? object.start : object.start + object.boundaries[static_cast<std::size_t>(i) - 1];
    const int length = object.getSectionLength(i);
    if (frame > sectionStart + length / 2) {
        result.pointIndex = i + 1;
        if (sectionViewMode != SectionViewSections) result.sectionIndex = i + 1;
    }
    return result;
}

int scrollSlack(int clientHeight, int rowHeight) { return std::clamp(clientHeight / 8, rowHeight, 4 * rowHeight); }

int scrollMaximum(int contentHeight, int headerHeight, int slack, int clientHeight) {
    return std::max(contentHeight + headerHeight + slack - clientHeight, 0);
}

int GaugeTrack::offsetAt(int x) const {
    if (width < 2 || length < 2) return 0;
    const std::int64_t offset =
        (static_cast<std::int64_t>(length - 1) * (x - margin) + width / 2) / (width - 1);
    return static_cast<int>(offset);
}

int GaugeTrack::xOf(int frame) const {
    const int offset = frame - start;
    if (offset < 0 || offset >= length) return -1;
    if (width < 2 || length < 2) return 0;
    return static_cast<int>(static_cast<std::int64_t>(offset) * (width - 1) / (length - 1));
}

int boundaryFrame(const Effect::ObjectFrames& object, int k) {
    if (k <= 0) return object.start;
    if (k > object.getMidPointCount()) return object.end + 1;
    return object.start + object.boundaries[static_cast<std::size_t>(k) - 1];
}

int hitTestBoundary(const Effect::ObjectFrames& object, const GaugeTrack& track, int x) {
    const int f = object.start + track.offsetAt(x);
    const int i = object.getSectionIndex(f);
    const int lo = boundaryFrame(object, i);
    const int hi = boundaryFrame(object, i + 1);
    const int k = std::abs(f - lo) <= std::abs(f - hi) ? i : i + 1;
    const int first = object.start + track.offsetAt(x - 8);
    const int last = object.start + track.offsetAt(x + 8);
    const int frame = boundaryFrame(object, k);
    return frame >= first && frame <= last ? k : -1;
}

std::wstring formatShortTime(double seconds) {
    const double magnitude = std::fabs(seconds);
    const long long whole = static_cast<long long>(magnitude);
    const long long hundredths = static_cast<long long>(magnitude * 100.0) % 100;
    wchar_t text[64];
    std::swprintf(text, 64, L"%ls%02lld:%02lld.%02lld", seconds < 0 ? L"-" : L"", whole / 60, whole % 60, hundredths);
    return text;
}

}  // namespace Component
