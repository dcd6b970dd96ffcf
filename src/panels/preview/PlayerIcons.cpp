#include "panels/preview/PlayerIcons.h"

namespace Component {

namespace {

using Point = Media::RenderTarget::Point;
using Line = Media::RenderTarget::IconLine;

constexpr Line kRangeStart[] = {{0.3f, 0.2f, 0.3f, 0.8f, 0.1f},
                                {0.3f, 0.2f, 0.45f, 0.2f, 0.1f},
                                {0.3f, 0.8f, 0.45f, 0.8f, 0.1f}};
constexpr Point kRangeStartTriangle[] = {{0.5f, 0.3f}, {0.5f, 0.7f}, {0.78f, 0.5f}};
constexpr Line kRangeEnd[] = {{0.7f, 0.2f, 0.7f, 0.8f, 0.1f},
                              {0.7f, 0.2f, 0.55f, 0.2f, 0.1f},
                              {0.7f, 0.8f, 0.55f, 0.8f, 0.1f}};
constexpr Point kRangeEndTriangle[] = {{0.5f, 0.3f}, {0.5f, 0.7f}, {0.22f, 0.5f}};

}  // namespace

const Control::IconShape IconRangeStart{kRangeStartTriangle, nullptr, kRangeStart, 3};
const Control::IconShape IconRangeEnd{kRangeEndTriangle, nullptr, kRangeEnd, 3};

}  // namespace Component
