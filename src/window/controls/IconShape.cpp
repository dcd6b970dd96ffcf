#include "window/controls/IconShape.h"

#include <iterator>

namespace Control {

namespace {

using Point = Media::RenderTarget::Point;
using Rectangle = Media::RenderTarget::Rectangle;
using Line = Media::RenderTarget::IconLine;

template <std::size_t N>
constexpr IconShape lines(const Line (&list)[N], const Point* triangle = nullptr) {
    return IconShape{triangle, nullptr, list, static_cast<int>(N)};
}

constexpr Rectangle kStopRectangle{0.25f, 0.25f, 0.75f, 0.75f};
constexpr Point kPlayTriangle[] = {{0.3f, 0.2f}, {0.3f, 0.8f}, {0.75f, 0.5f}};
constexpr Point kStepRightTriangle[] = {{0.4f, 0.2f}, {0.4f, 0.8f}, {0.8f, 0.5f}};
constexpr Rectangle kStepRightRectangle{0.2f, 0.2f, 0.3f, 0.8f};
constexpr Point kStepLeftTriangle[] = {{0.6f, 0.2f}, {0.6f, 0.8f}, {0.2f, 0.5f}};
constexpr Rectangle kStepLeftRectangle{0.7f, 0.2f, 0.8f, 0.8f};
constexpr Line kDoubleChevronRight[] = {{0.25f, 0.25f, 0.5f, 0.5f, 0.1f},
                                        {0.5f, 0.5f, 0.25f, 0.75f, 0.1f},
                                        {0.5f, 0.25f, 0.75f, 0.5f, 0.1f},
                                        {0.75f, 0.5f, 0.5f, 0.75f, 0.1f}};
constexpr Line kDoubleChevronLeft[] = {{0.5f, 0.25f, 0.25f, 0.5f, 0.1f},
                                       {0.25f, 0.5f, 0.5f, 0.75f, 0.1f},
                                       {0.75f, 0.25f, 0.5f, 0.5f, 0.1f},
                                       {0.5f, 0.5f, 0.75f, 0.75f, 0.1f}};
constexpr Point kToEndTriangle[] = {{0.75f, 0.5f}, {0.45f, 0.2f}, {0.45f, 0.8f}};
constexpr Line kToEnd[] = {{0.18f, 0.5f, 0.5f, 0.5f, 0.1f}, {0.78f, 0.22f, 0.78f, 0.78f, 0.1f}};
constexpr Point kToStartTriangle[] = {{0.25f, 0.5f}, {0.55f, 0.2f}, {0.55f, 0.8f}};
constexpr Line kToStart[] = {{0.5f, 0.5f, 0.82f, 0.5f, 0.1f}, {0.22f, 0.22f, 0.22f, 0.78f, 0.1f}};
constexpr Line kPause[] = {{0.35f, 0.28f, 0.35f, 0.72f, 0.1f}, {0.65f, 0.28f, 0.65f, 0.72f, 0.1f}};
constexpr Line kFolder[] = {{0.18f, 0.28f, 0.4f, 0.3f, 0.1f},   {0.4f, 0.28f, 0.5f, 0.38f, 0.1f},
                            {0.5f, 0.38f, 0.82f, 0.38f, 0.1f},  {0.82f, 0.38f, 0.82f, 0.72f, 0.1f},
                            {0.18f, 0.72f, 0.82f, 0.72f, 0.1f}, {0.18f, 0.28f, 0.18f, 0.72f, 0.1f}};
constexpr Line kArrowUp[] = {{0.5f, 0.25f, 0.5f, 0.75f, 0.1f},
                             {0.5f, 0.25f, 0.3f, 0.45f, 0.1f},
                             {0.5f, 0.25f, 0.7f, 0.45f, 0.1f}};
constexpr Line kArrowRight[] = {{0.25f, 0.5f, 0.75f, 0.5f, 0.1f},
                                {0.75f, 0.5f, 0.55f, 0.3f, 0.1f},
                                {0.75f, 0.5f, 0.55f, 0.7f, 0.1f}};
constexpr Line kArrowLeft[] = {{0.25f, 0.5f, 0.75f, 0.5f, 0.1f},
                               {0.25f, 0.5f, 0.45f, 0.3f, 0.1f},
                               {0.25f, 0.5f, 0.45f, 0.7f, 0.1f}};
constexpr Line kList[] = {{0.4f, 0.2f, 0.8f, 0.2f, 0.1f},     {0.4f, 0.5f, 0.8f, 0.5f, 0.1f},
                          {0.4f, 0.8f, 0.8f, 0.8f, 0.1f},     {0.2f, 0.2f, 0.2f, 0.2f, 0.175f},
                          {0.2f, 0.5f, 0.2f, 0.5f, 0.175f},   {0.2f, 0.8f, 0.2f, 0.8f, 0.175f}};
constexpr Line kMinus[] = {{0.15f, 0.5f, 0.7f, 0.5f, 0.15f}};
constexpr Line kPlus[] = {{0.6f, 0.32f, 0.6f, 0.68f, 0.15f}, {0.28f, 0.5f, 0.92f, 0.5f, 0.15f}};
constexpr Line kAdd[] = {{0.5f, 0.28f, 0.5f, 0.72f, 0.1f}, {0.28f, 0.5f, 0.72f, 0.5f, 0.1f}};
constexpr Line kClose[] = {{0.3f, 0.3f, 0.7f, 0.7f, 0.15f}, {0.3f, 0.7f, 0.7f, 0.3f, 0.15f}};
constexpr Point kTriangleUp[] = {{0.2f, 0.7f}, {0.8f, 0.7f}, {0.5f, 0.25f}};
constexpr Point kTriangleDown[] = {{0.2f, 0.3f}, {0.8f, 0.3f}, {0.5f, 0.75f}};
constexpr Point kTriangleLeft[] = {{0.7f, 0.2f}, {0.7f, 0.8f}, {0.25f, 0.5f}};

}  // namespace

const IconShape IconStop{nullptr, &kStopRectangle, nullptr, 0};
const IconShape IconPlay{kPlayTriangle, nullptr, nullptr, 0};
const IconShape IconStepRight{kStepRightTriangle, &kStepRightRectangle, nullptr, 0};
const IconShape IconStepLeft{kStepLeftTriangle, &kStepLeftRectangle, nullptr, 0};
const IconShape IconDoubleChevronRight = lines(kDoubleChevronRight);
const IconShape IconDoubleChevronLeft = lines(kDoubleChevronLeft);
const IconShape IconToEnd = lines(kToEnd, kToEndTriangle);
const IconShape IconToStart = lines(kToStart, kToStartTriangle);
const IconShape IconPause = lines(kPause);
const IconShape IconFolder = lines(kFolder);
const IconShape IconArrowUp = lines(kArrowUp);
const IconShape IconArrowRight = lines(kArrowRight);
const IconShape IconArrowLeft = lines(kArrowLeft);
const IconShape IconList = lines(kList);
const IconShape IconMinus = lines(kMinus);
const IconShape IconPlus = lines(kPlus);
const IconShape IconAdd = lines(kAdd);
const IconShape IconClose = lines(kClose);
const IconShape IconTriangleUp{kTriangleUp, nullptr, nullptr, 0};
const IconShape IconTriangleDown{kTriangleDown, nullptr, nullptr, 0};
const IconShape IconTriangleLeft{kTriangleLeft, nullptr, nullptr, 0};

}  // namespace Control
