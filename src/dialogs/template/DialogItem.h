#pragma once
// Dialog rows: each binds one value of the caller to one labelled row of
// text boxes. The row shows its value when the dialog opens and reads it
// back on OK; a text it refuses names the box and the reason, and the
// dialog stays open. The caller copies the value out after an OK.
#include "platform/gtk/FormDialog.h"

#include <optional>
#include <string>
#include <vector>

namespace Dialog {

struct ItemRefusal {
    int box = 0;
    std::wstring message;
    std::wstring detail;
};

class DialogItem {
public:
    explicit DialogItem(std::wstring label) : label(std::move(label)) {}
    virtual ~DialogItem() = default;

    // The row as the dialog shows it (label translated through the Dialog
    // table).
    virtual Platform::FormRow createRow() const = 0;
    // The texts of the row's boxes, in order.
    virtual std::optional<ItemRefusal> readValue(const std::vector<std::wstring>& texts) = 0;

    std::wstring label;
};

// A text; a required row refuses an empty text with "必須項目です".
class DialogItemText : public DialogItem {
public:
    DialogItemText(std::wstring label, std::wstring text, bool required)
        : DialogItem(std::move(label)), text(std::move(text)), required(required) {}
    Platform::FormRow createRow() const override;
    std::optional<ItemRefusal> readValue(const std::vector<std::wstring>& texts) override;

    std::wstring text;
    bool required;
};

class DialogItemInteger : public DialogItem {
public:
    DialogItemInteger(std::wstring label, int value, int minimum, int maximum)
        : DialogItem(std::move(label)), value(value), minimum(minimum), maximum(maximum) {}
    Platform::FormRow createRow() const override;
    std::optional<ItemRefusal> readValue(const std::vector<std::wstring>& texts) override;

    int value, minimum, maximum;
};

class DialogItemNumber : public DialogItem {
public:
    DialogItemNumber(std::wstring label, double value, double minimum, double maximum)
        : DialogItem(std::move(label)), value(value), minimum(minimum), maximum(maximum) {}
    Platform::FormRow createRow() const override;
    std::optional<ItemRefusal> readValue(const std::vector<std::wstring>& texts) override;

    double value, minimum, maximum;
};

// Width then height, digits only, each within 32..16384.
class DialogItemImageSize : public DialogItem {
public:
    DialogItemImageSize(std::wstring label, int width, int height)
        : DialogItem(std::move(label)), width(width), height(height) {}
    Platform::FormRow createRow() const override;
    std::optional<ItemRefusal> readValue(const std::vector<std::wstring>& texts) override;

    int width, height;
    int minimum = 32, maximum = 16384;
};

// A box's text as an integer: leading blanks skipped, a sign allowed, text
// after the digits ignored. The number is stored even when out of range;
// false for no digits, a number beyond int, or one outside min..max.
bool getWindowTextInteger(const std::wstring& text, int& value, int minimum, int maximum);
// The same for a real number, the text stripped of blanks at both ends; a
// NaN fails.
bool getWindowTextDouble(const std::wstring& text, double& value, double minimum, double maximum);

}  // namespace Dialog
