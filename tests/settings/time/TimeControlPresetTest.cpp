// Making a control-point preset from the time-control window: the file it
// writes in the defaults folder, the label the new preset gets, the
// question before a file is replaced and the box when writing fails.
#include "settings/time/TimeControlPresets.h"

#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/event/DialogSeam.h"
#include "effect/movement/MovementParamsDefine.h"
#include "effect/registry/EffectService.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Component::TimeControlPresetCalls;

struct Answers : Dialog::DialogSeam {
    bool confirm(const std::wstring& text) override {
        questions.push_back(text);
        return replace;
    }
    std::vector<std::wstring> questions;
    bool replace = false;
};

// What the name dialog was shown with and what it answers.
struct Prompt {
    std::wstring name, label;      // as shown
    std::wstring answer, chosen;   // typed; empty answer = cancel
};

class TimeControlPresets : public ::testing::Test {
protected:
    void SetUp() override {
        Dialog::DialogSeam::install(&answers);
        TimeControlPresetCalls::inputNameLabel = [this](const std::wstring& title, const std::wstring& nameLabel,
                                                        std::wstring& name, std::wstring& label,
                                                        const std::vector<std::wstring>& offered) {
            EXPECT_EQ(title, L"プリセットを作成 - 時間制御");
            EXPECT_EQ(nameLabel, L"プリセット名");
            labels = offered;
            if (script.empty()) return false;
            Prompt& step = script.front();
            step.name = name, step.label = label;
            shown.push_back(step);
            script.pop_front();
            if (shown.back().answer.empty()) return false;
            name = shown.back().answer;
            label = shown.back().chosen;
            return true;
        };
    }
    void TearDown() override {
        TimeControlPresetCalls::inputNameLabel = nullptr;
        Dialog::DialogSeam::install(nullptr);
    }

    std::string file(const std::string& name) { return (folder.data() / "Default" / name).string(); }
    Effect::MovementParamsManager& presets() {
        return System::Singleton<Effect::EffectService>::getInstance()->movementParams;
    }

    CoreTest::ProgramFolder folder;
    System::Singleton<System::IniFile> settingsHolder;
    System::Singleton<Effect::EffectService> effects;
    CoreTest::LogLines log;
    Answers answers;
    std::deque<Prompt> script;
    std::vector<Prompt> shown;
    std::vector<std::wstring> labels;
};

TEST_F(TimeControlPresets, ANewNameWritesItsFileAndTheChosenLabel) {
    CoreTest::writeBytes(file("old.params"), "params=0.1,0.2,0.3,0.4\r\n");
    presets().reloadMovementParams();
    presets().findMovementParams(L"old")->label = L"既存";
    script = {{{}, {}, L"p1", L"曲線"}};
    Component::createTimeControlPreset({0, 0, 0.25, 0.25, 0.5, 0.5, 0.2, 0, 1, 1, 0.25, 0.25});
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"既存"}));
    EXPECT_EQ(CoreTest::readBytes(file("p1.params")), "params=0,0,0.25,0.25,0.5,0.5,0.2,0,1,1,0.25,0.25\r\n");
    EXPECT_TRUE(answers.questions.empty());
    const Effect::MovementParamsDefine* made = presets().findMovementParams(L"p1");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->label, L"曲線");
    EXPECT_EQ(made->params.size(), 12u);

    // The diagonal is an empty list.
    script = {{{}, {}, L"flat", L""}};
    Component::createTimeControlPreset({});
    EXPECT_EQ(CoreTest::readBytes(file("flat.params")), "params=\r\n");
}

TEST_F(TimeControlPresets, RefusingToReplaceAsksAgainWithTheSameNameAndLabel) {
    CoreTest::writeBytes(file("p1.params"), "params=0.5,0,0.5,0\r\n");
    script = {{{}, {}, L"p1", L"A"}, {{}, {}, L"p2", L"B"}};
    Component::createTimeControlPreset({0.1, 0.2, 0.3, 0.4});
    ASSERT_EQ(answers.questions.size(), 1u);
    EXPECT_EQ(answers.questions[0], L"同名のプリセットが存在しています\n上書きしますか？");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].name, L"p1");
    EXPECT_EQ(shown[1].label, L"A");
    EXPECT_EQ(CoreTest::readBytes(file("p1.params")), "params=0.5,0,0.5,0\r\n");
    EXPECT_EQ(CoreTest::readBytes(file("p2.params")), "params=0.1,0.2,0.3,0.4\r\n");

    // Confirmed, the file is replaced; cancelled, nothing is written.
    answers.replace = true;
    script = {{{}, {}, L"p1", L""}};
    Component::createTimeControlPreset({0.4, 0.3, 0.2, 0.1});
    EXPECT_EQ(CoreTest::readBytes(file("p1.params")), "params=0.4,0.3,0.2,0.1\r\n");
    script = {{{}, {}, L"", L""}};
    Component::createTimeControlPreset({});
    EXPECT_FALSE(std::filesystem::exists(file(".params")));
}

TEST_F(TimeControlPresets, AFailedWriteKeepsTheOldFileAndSaysSo) {
    CoreTest::writeBytes(file("keep.params"), "params=1,2,3,4\r\n");
    std::filesystem::create_directory(file("keep.params.tmp"));  // the writer's temporary name
    answers.replace = true;
    script = {{{}, {}, L"keep", L""}};
    Component::createTimeControlPreset({0.1, 0.2, 0.3, 0.4});
    EXPECT_EQ(CoreTest::readBytes(file("keep.params")), "params=1,2,3,4\r\n");
    std::vector<std::string> boxes;
    for (const auto& line : log.of(System::Log::ERROR))
        if (line.text.rfind("show error dialog.\n", 0) == 0) boxes.push_back(line.text.substr(19));
    EXPECT_EQ(boxes, (std::vector<std::string>{"プリセットの保存に失敗しました"}));
}

}  // namespace
