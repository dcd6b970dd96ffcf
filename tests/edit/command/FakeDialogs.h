#pragma once
// Dialogs that answer from the test's own tables, installed while they
// live; every question asked is written down.
#include "core/event/DialogSeam.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace CommandTest {

class FakeDialogs : public Dialog::DialogSeam {
public:
    FakeDialogs() { install(this); }
    ~FakeDialogs() override { install(nullptr); }

    bool confirm(const std::wstring& text) override {
        asked.push_back(text);
        if (confirms.empty()) return false;
        const bool answer = confirms.front();
        confirms.pop_front();
        return answer;
    }
    bool sceneDialog(const std::wstring& title, Dialog::SceneDialogValues& values) override {
        asked.push_back(title);
        proposed.push_back(values);
        if (scenes.empty()) return false;
        const bool answer = scenes.front();
        scenes.pop_front();
        return answer;
    }
    bool inputNumber(const std::wstring& title, const std::wstring& label, int& value, int minimum,
                     int maximum) override {
        asked.push_back(title + L"|" + label + L"|" + std::to_wstring(value) + L"|" + std::to_wstring(minimum) +
                        L"|" + std::to_wstring(maximum));
        if (numbers.empty()) return false;
        const std::optional<int> answer = numbers.front();
        numbers.pop_front();
        if (answer) value = *answer;
        return answer.has_value();
    }
    bool aliasDialog(const std::wstring& title, Dialog::AliasDialogValues& values) override {
        asked.push_back(title + L"|" + values.name + L"|" + values.label);
        labels = values.labels;
        if (aliases.empty()) return false;
        const std::optional<std::pair<std::wstring, std::wstring>> answer = aliases.front();
        aliases.pop_front();
        if (!answer) return false;
        values.name = answer->first;
        values.label = answer->second;
        return true;
    }

    // Name and label of each alias dialog; none: cancelled.
    std::deque<std::optional<std::pair<std::wstring, std::wstring>>> aliases;
    std::deque<bool> confirms;
    // OK or Cancel of each scene dialog; OK keeps the proposed values.
    std::deque<bool> scenes;
    std::vector<Dialog::SceneDialogValues> proposed;
    std::deque<std::optional<int>> numbers;
    std::vector<std::wstring> asked;
    std::vector<std::wstring> labels;
};

}  // namespace CommandTest
