#pragma once
// The rows of numbers and choices: an integer, a real number, a pick from a
// list, and a width and height pair.
#include "dialogs/template/DialogItem.h"

#include <vector>

namespace Dialog {

// A box that takes only digits when the range has no negative numbers.
class DialogItemInteger : public DialogItem {
public:
    DialogItemInteger(std::wstring label, int value, int minimum, int maximum)
        : DialogItem(std::move(label)), value(value), minimum(minimum), maximum(maximum) {}
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    bool submit() override;
    void update() override;

    int value, minimum, maximum;
};

class DialogItemNumber : public DialogItem {
public:
    DialogItemNumber(std::wstring label, double value, double minimum, double maximum)
        : DialogItem(std::move(label)), value(value), minimum(minimum), maximum(maximum) {}
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    bool submit() override;

    double value, minimum, maximum;
};

// A list to pick one choice from (choices translated when shown).
class DialogItemListBox : public DialogItem {
public:
    DialogItemListBox(std::wstring label, int selected) : DialogItem(std::move(label)), selected(selected) {}
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    // Takes the picked index when one is picked; never refuses.
    bool submit() override;

    void addItem(const wchar_t* choice) { choices.emplace_back(choice); }
    // Picks the first choice equal to the text; no change when none is.
    void select(const wchar_t* text);

    int selected;
    std::vector<std::wstring> choices;
};

// Width then height, each a digits-only box, both within min..max.
class DialogItemImageSize : public DialogItem {
public:
    DialogItemImageSize(std::wstring label, int width, int height, int minimum = 32, int maximum = 16384)
        : DialogItem(std::move(label)), imageWidth(width), imageHeight(height), minimum(minimum), maximum(maximum) {}
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    bool submit() override;

    int imageWidth, imageHeight, minimum, maximum;
    Platform::ControlHandle heightWindow = nullptr;
};

}  // namespace Dialog
