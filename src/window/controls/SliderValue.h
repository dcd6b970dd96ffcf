#pragma once
// The value of the numeric slider: an integer count of steps within a
// range, its text, and how dragging, the buttons and typed text change it.
// An owner's display conversion may map values to and from another unit
// (isEnd tells the conversion the value is an object's last boundary).
#include <cstdint>
#include <functional>
#include <string>

namespace Control {

class SliderValue {
public:
    using Conversion = std::function<double(double value, bool isEnd)>;

    // The step sequence of drag quanta below h: halves while even, else
    // two fifths (1000, 500, 250, 125, 50, 25, 10, 5, 2, 1); 0 ends it.
    static std::int32_t nextQuantum(std::int32_t h) { return h % 2 == 0 ? h / 2 : 2 * h / 5; }

    // Steps of 1 / step, rounded; the default, minimum and maximum through
    // the conversion when there is one (its own step replaces step). Sets
    // the value to the default.
    void setRange(double defaultValue, double minimum, double maximum, double step);
    // The value in units, rounded to a step and clamped; true when it
    // changed (the text follows).
    bool setValue(double x);
    double getValue() const;
    // valueText from value: the digits with the decimal point, empty for 0
    // when there is a zero text.
    void updateText();
    // Drag sensitivity from the move mode (0: a unit per pixel, 1: the whole
    // range across the screen, else across the control) and the ratio in
    // percent, and the quanta that drags snap to.
    void updateDragRatio(int moveMode, int moveRatio, int controlWidth, int screenWidth);

    std::int32_t clampSteps(std::int64_t steps) const;
    // The value a relative drag by dx pixels from start gives (fine: dx
    // fine quanta; else the movement snapped toward zero to a drag quantum).
    std::int32_t dragValue(std::int32_t start, int dx, bool fine) const;
    // The value under the pointer, x pixels into a control of a width.
    std::int32_t absoluteValue(int x, int width) const;
    // Stores steps (clamped); true when it changed (the text follows).
    bool changeTo(std::int64_t steps);
    // Typed text (with delta steps added): the number, or the default for
    // an empty text; other text that is no number changes nothing. True
    // when the value changed.
    bool applyText(const std::wstring& text, int delta);

    std::int32_t value = INT32_MAX;  // so that the first setValue changes it
    std::int32_t defaultValue = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t scale = 1;
    std::int32_t decimals = 0;
    float stepsPerPixel = 1.0f;
    std::int32_t dragQuantum = 1;
    std::int32_t fineQuantum = 1;
    std::wstring valueText;
    std::wstring zeroText;
    bool atFirst = false;
    bool atLast = false;
    bool hasConversion = false;
    double conversionStep = 1.0;
    Conversion toDisplay;
    Conversion fromDisplay;

private:
    bool isEnd() const { return atLast && !atFirst; }
};

}  // namespace Control
