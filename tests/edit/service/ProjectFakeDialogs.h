#pragma once
// Dialogs answered from the test's own table while the object lives; every
// question is recorded.
#include "core/event/DialogSeam.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace ProjectTest {

class FakeDialogs : public Dialog::DialogSeam {
public:
    FakeDialogs() { Dialog::DialogSeam::install(this); }
    ~FakeDialogs() override { Dialog::DialogSeam::install(nullptr); }

    // Answers, used front first; a question without an answer cancels.
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<Dialog::SceneDialogValues>> sceneAnswers;
    std::deque<std::optional<std::wstring>> fileAnswers;

    // What was asked: confirmation texts, scene dialog titles and the values
    // offered, and the paths the file choosers started from.
    std::vector<std::wstring> confirms;
    std::vector<std::wstring> sceneTitles;
    std::vector<Dialog::SceneDialogValues> sceneOffers;
    std::vector<std::wstring> openStarts, saveStarts;
    std::vector<std::wstring> filters;
    std::vector<unsigned> saveFlags;

    bool confirm(const std::wstring& text) override {
        confirms.push_back(text);
        return take(confirmAnswers).value_or(false);
    }
    bool sceneDialog(const std::wstring& title, Dialog::SceneDialogValues& values) override {
        sceneTitles.push_back(title);
        sceneOffers.push_back(values);
        const auto answer = take(sceneAnswers).value_or(std::nullopt);
        if (answer) values = *answer;
        return answer.has_value();
    }
    bool selectOpenFile(std::wstring& path, const std::wstring& filter) override {
        openStarts.push_back(path);
        filters.push_back(filter);
        return file(path);
    }
    bool selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t*,
                        Dialog::FileDialogTemplate*, bool, unsigned extraFlags) override {
        saveStarts.push_back(path);
        filters.push_back(filter);
        saveFlags.push_back(extraFlags);
        return file(path);
    }

private:
    template <class T>
    static std::optional<T> take(std::deque<T>& answers) {
        if (answers.empty()) return std::nullopt;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool file(std::wstring& path) {
        const auto answer = take(fileAnswers).value_or(std::nullopt);
        if (answer) path = *answer;
        return answer.has_value();
    }
};

}  // namespace ProjectTest
