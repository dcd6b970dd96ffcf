// The popups built from menu definitions: group paths, order of first
// appearance, hidden entries and the marks of the current entry, read back
// from the menu handles.
#include "window/MenuDefinePopups.h"

#include "core/CoreTestSupport.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/Menu.h"
#include "support/VirtualDisplay.h"
#include "window/PopupMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class TestDefine final : public Menu::MenuDefineBase {
public:
    TestDefine(std::wstring name, std::wstring label, bool visible = true)
        : MenuDefineBase("MenuTest", name, 0, label, visible), name_(std::move(name)) {}
    const wchar_t* getName() const override { return name_.c_str(); }

private:
    std::wstring name_;
};

// The menu as text: items by name, popups as "title[...]", a mark as "*".
std::wstring shape(Platform::MenuHandle menu) {
    std::wstring text;
    for (int i = 0; i < Platform::getMenuItemCount(menu); ++i) {
        if (i) text += L" ";
        std::wstring item;
        Platform::getMenuString(menu, static_cast<UINT>(i), Platform::MF_BYPOSITION, item);
        text += item;
        if (Platform::getMenuState(menu, static_cast<UINT>(i), Platform::MF_BYPOSITION) & Platform::MF_CHECKED)
            text += L"*";
        if (Platform::MenuHandle sub = Platform::getSubMenu(menu, i)) text += L"[" + shape(sub) + L"]";
    }
    return text;
}

class MenuDefinePopups : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::useTestDisplay(); }

    // The popup after the definitions (label list, "-" before a hidden
    // one), the one named current marked; the entries' actions are kept.
    std::wstring build(const std::vector<std::wstring>& labels, int current = -1) {
        defines.clear();
        std::vector<TestDefine*> list;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const bool hidden = !labels[i].empty() && labels[i][0] == L'-';
            defines.push_back(std::make_unique<TestDefine>(L"e" + std::to_wstring(i + 1),
                                                           hidden ? labels[i].substr(1) : labels[i], !hidden));
            list.push_back(defines.back().get());
        }
        Window::PopupMenu popup;
        Menu::appendDefinitions<TestDefine>(
            popup, list, [this](TestDefine* d) { chosen.push_back(d->getName()); },
            current >= 0 ? list[static_cast<std::size_t>(current)] : nullptr);
        for (const auto& [id, command] : popup.commands) commands.push_back(command);
        return shape(popup.hmenu);
    }

    CoreTest::ProgramFolder folder;
    // Alive as long as the actions that point at them.
    std::vector<std::unique_ptr<TestDefine>> defines;
    std::vector<std::function<void()>> commands;
    std::vector<std::wstring> chosen;
};

TEST_F(MenuDefinePopups, LabelsBecomeNestedPopupsInOrderOfFirstAppearance) {
    struct Case {
        std::vector<std::wstring> labels;
        int current;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {{L"A\\B", L"", L"A"}, -1, L"A[B[e1] e3] e2"},
        {{L"X", L"x"}, -1, L"X[e1] x[e2]"},            // paths compare case by case
        {{L"A\\\\B"}, -1, L"A[[B[e1]]]"},              // a doubled backslash: an empty title
        {{L"\\A"}, -1, L"[A[e1]]"},                    // a leading one too
        {{L"A\\B", L"A"}, 0, L"A[B[e1*] e2]"},         // deep: only the entry is marked
        {{L"A\\B", L"A"}, 1, L"A*[B[e1] e2*]"},        // one level: its popup too
        {{L"", L"-A", L"-"}, 1, L"e1"},                // hidden, even the current one
        {{L"-A", L"-B"}, -1, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.expected.begin(), c.expected.end()));
        EXPECT_EQ(build(c.labels, c.current), c.expected);
    }
}

TEST_F(MenuDefinePopups, AnEntryRunsItsActionWithItsDefinition) {
    build({L"G", L"", L"G"});
    ASSERT_EQ(commands.size(), 3u);
    for (const auto& command : commands) command();
    std::sort(chosen.begin(), chosen.end());
    EXPECT_EQ(chosen, (std::vector<std::wstring>{L"e1", L"e2", L"e3"}));
}

TEST(MenuDefineMedia, ACandidateFitsTheCurrentEffectsMedia) {
    // m fits c: equal, c is 0, video or audio for both, both for all but camera.
    const int table[5][5] = {
        // c: 0  1  2  3  4     (m = row)
        {1, 0, 0, 0, 0},  // m 0
        {1, 1, 0, 1, 0},  // m 1 video
        {1, 0, 1, 1, 0},  // m 2 audio
        {1, 1, 1, 1, 0},  // m 3 both
        {1, 0, 0, 0, 1},  // m 4 camera
    };
    for (int m = 0; m < 5; ++m)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(Menu::mediaFits(std::uint8_t(m), std::uint8_t(c)), table[m][c] != 0) << m << " " << c;
}

}  // namespace
