#include "window/controls/SliderValue.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace Control {

namespace {

// Nearest integer, halves away from zero, within the int32 range.
std::int64_t roundSteps(double x) {
    if (std::isnan(x)) return 0;
    return std::llround(std::clamp(x, double(INT32_MIN), double(INT32_MAX)));
}

}  // namespace

void SliderValue::setRange(double defaultIn, double minimumIn, double maximumIn, double step) {
    double d = defaultIn, lo = minimumIn, hi = maximumIn;
    if (hasConversion) {
        d = toDisplay(defaultIn, false);
        lo = toDisplay(minimumIn, false);
        hi = toDisplay(maximumIn, true);
        step = conversionStep;
    }
    defaultValue = static_cast<std::int32_t>(roundSteps(d / step));
    minimum = static_cast<std::int32_t>(roundSteps(lo / step));
    maximum = static_cast<std::int32_t>(roundSteps(hi / step));
    // Steps coarser than 2 would round to no step per unit at all.
    scale = static_cast<std::int32_t>(std::max<std::int64_t>(roundSteps(1.0 / step), 1));
    decimals = 0;
    for (std::int64_t p = 10; p <= scale; p *= 10) ++decimals;
    setValue(defaultIn);
}

bool SliderValue::setValue(double x) {
    if (hasConversion) x = toDisplay(x, isEnd());
    return changeTo(roundSteps(scale * x));
}

double SliderValue::getValue() const {
    const double units = double(value) / scale;
    return hasConversion ? fromDisplay(units, isEnd()) : units;
}

void SliderValue::updateText() {
    if (value == 0 && !zeroText.empty()) {
        valueText.clear();
        return;
    }
    const std::int64_t v = value;
    std::wstring digits = std::to_wstring(v < 0 ? -v : v);
    if (decimals > 0) {
        if (static_cast<int>(digits.size()) < decimals + 1) digits.insert(0, decimals + 1 - digits.size(), L'0');
        digits.insert(digits.size() - decimals, 1, L'.');
    }
    valueText = v < 0 ? L"-" + digits : digits;
}

void SliderValue::updateDragRatio(int moveMode, int moveRatio, int controlWidth, int screenWidth) {
    const double range = double(maximum) - double(minimum);
    double f;
    if (moveMode == 0) {
        f = scale;
    } else if (moveMode == 1) {
        f = std::min(10.0 * scale, range / std::max(screenWidth, 1));
    } else {
        f = std::min(10.0 * scale, range / std::max(controlWidth, 1));
    }
    stepsPerPixel = static_cast<float>(std::max(0.05, f * moveRatio / 100.0));
    dragQuantum = 1;
    for (std::int32_t h = scale; h > 0; h = nextQuantum(h)) {
        if (h <= stepsPerPixel) {
            dragQuantum = h;
            break;
        }
    }
    fineQuantum = 1;
    for (std::int32_t h = scale; h > 0; h = nextQuantum(h)) {
        if (10.0 * h <= stepsPerPixel) {
            fineQuantum = h;
            break;
        }
    }
}

std::int32_t SliderValue::clampSteps(std::int64_t steps) const {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(steps, minimum, std::max(minimum, maximum)));
}

std::int32_t SliderValue::dragValue(std::int32_t start, int dx, bool fine) const {
    if (fine) return clampSteps(std::int64_t(start) + std::int64_t(dx) * fineQuantum);
    const std::int64_t b = roundSteps(double(dx) * stepsPerPixel);
    return clampSteps(std::int64_t(start) + b - b % dragQuantum);
}

std::int32_t SliderValue::absoluteValue(int x, int width) const {
    return clampSteps(std::int64_t(minimum) +
                      (std::int64_t(maximum) - minimum) * x / std::max(width, 1));
}

bool SliderValue::changeTo(std::int64_t steps) {
    const std::int32_t clamped = clampSteps(steps);
    if (clamped == value) return false;
    value = clamped;
    updateText();
    return true;
}

bool SliderValue::applyText(const std::wstring& text, int delta) {
    double number;
    try {
        number = std::stod(text);
    } catch (const std::logic_error&) {
        // "invalid stod argument", "stod argument out of range"
        return text.empty() ? changeTo(defaultValue) : false;
    }
    if (std::isnan(number)) return false;
    return changeTo(roundSteps(scale * number) + delta);
}

}  // namespace Control
