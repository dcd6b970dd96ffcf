#pragma once
// The edit-command tests' fixture: the command fixture with frame-length
// questions answered from a queue, the placement of the saved objects on
// one line, and the undo and redo check against the saved bytes.
#include "core/event/DialogSeam.h"
#include "edit/command/CommandTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace CommandTest {

// Answers frame-length questions from a queue (none left or nullopt:
// cancel) and keeps what was asked.
class LengthDialogs : public Dialog::DialogSeam {
public:
    struct Asked {
        std::wstring title;
        int frames;
    };

    LengthDialogs() { install(this); }
    ~LengthDialogs() override { install(nullptr); }

    bool frameLength(const std::wstring& title, int, int, int& frames) override {
        asked.push_back({title, frames});
        if (answers.empty()) return false;
        const std::optional<int> answer = answers.front();
        answers.pop_front();
        if (!answer) return false;
        frames = *answer;
        return true;
    }

    std::deque<std::optional<int>> answers;
    std::vector<Asked> asked;
};

class EditFixture : public ::testing::Test, public Fixture {
protected:
    void select(std::initializer_list<Edit::ObjectPointer> objects) {
        for (const Edit::ObjectPointer& object : objects) scene().selectObject(object);
    }

    // "layer:frames" of every saved object, in file order.
    std::string placement() {
        std::string text;
        for (const std::string& line : objectLines()) {
            const std::size_t space = line.find(' ');
            const std::size_t end = line.find(' ', space + 1);
            text += (text.empty() ? "" : " ") + line.substr(0, space) + ":" + line.substr(space + 1, end - space - 1);
        }
        return text;
    }

    // The file without the cursor and focus lines: where the user looks is
    // not part of an undo step.
    std::string savedContent() {
        std::istringstream lines(saved());
        std::string line, text;
        while (std::getline(lines, line))
            if (line.rfind("focus=", 0) != 0 && line.rfind("cursor.frame=", 0) != 0) text += line + "\n";
        return text;
    }

    // Runs the command; undo gives back the file as it was, redo the file
    // as the command left it.
    void expectUndoRedo(const std::function<void()>& command) {
        const std::string before = savedContent();
        command();
        const std::string after = savedContent();
        ASSERT_NE(before, after);
        undo.undo();
        EXPECT_EQ(savedContent(), before);
        undo.redo();
        EXPECT_EQ(savedContent(), after);
    }

    LengthDialogs dialogs;
};

}  // namespace CommandTest
