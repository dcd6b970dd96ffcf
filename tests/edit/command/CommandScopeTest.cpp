// What each command's edit scope refreshes and announces when it closes.
#include "edit/command/CutCommand.h"
#include "edit/command/EditCommandTestSupport.h"
#include "edit/command/LengthCommand.h"
#include "edit/command/ObjectCreateCommand.h"
#include "edit/command/ObjectEditCommand.h"
#include "edit/command/SectionCommand.h"

namespace {

namespace EditCommand = Edit::EditCommand;

class CommandScope : public CommandTest::EditFixture {
public:
    CommandScope() {
        Edit::EditHooks& hooks = edit.hooks;
        hooks.clearSettingSection = [this] { heard.push_back("clear"); };
        hooks.rebuildSetting = [this] { heard.push_back("rebuild"); };
        hooks.refreshSetting = [this] { heard.push_back("refresh"); };
        hooks.refreshTimeSetting = [this](const Edit::ObjectPointer& target) { heard.push_back("time" + of(target)); };
        hooks.refreshColorSetting = [this] { heard.push_back("color"); };
        hooks.refreshTextSetting = [this] { heard.push_back("text"); };
        ev().objectUpdate.add(this, [this](Edit::ObjectPointer& target) { heard.push_back("update" + of(target)); });
        ev().focusObjectChange.add(this, [this](Edit::ObjectPointer&) { heard.push_back("focus"); });
        ev().frameChange.add(this, [this](int) { heard.push_back("frame"); });
    }
    ~CommandScope() override { ev().removeListener(this); }
    Event::EventService& ev() { return *events.getInstance(); }
    std::string of(const Edit::ObjectPointer& target) const { return target == object ? " A" : target ? " ?" : ""; }

    Edit::ObjectPointer object;
    std::vector<std::string> heard;
};

TEST_F(CommandScope, EachCommandRefreshesAndAnnouncesItsOwnSet) {
    using Heard = std::vector<std::string>;
    struct Case {
        const char* command;
        std::function<void(CommandScope&)> run;
        Heard expected;
    };
    const std::vector<Case> cases = {
        {"delete", [](CommandScope& t) { EditCommand::deleteObject(t.edit); }, {"time", "update", "focus"}},
        {"split", [](CommandScope& t) { EditCommand::splitObject(t.edit, 30); }, {"time", "update", "focus"}},
        {"cut", [](CommandScope& t) { EditCommand::cutObject(t.edit, false); },
         {"clear", "time", "update", "focus"}},
        {"trim", [](CommandScope& t) { EditCommand::trimObject(t.edit); }, {"clear", "time", "update", "focus"}},
        {"create", [](CommandScope& t) { EditCommand::createObject(t.edit, EditTest::kFigure, 1, 0, nullptr); },
         {"time", "update", "focus"}},
        {"section of the object", [](CommandScope& t) { EditCommand::createSection(t.edit, t.object, 20); },
         {"rebuild", "time A", "color", "text", "update A"}},
        {"section at a frame", [](CommandScope& t) { EditCommand::createSection(t.edit, 20); },
         {"rebuild", "time", "color", "text", "update"}},
        {"delete a section", [](CommandScope& t) { EditCommand::deleteSection(t.edit, t.object, 1); },
         {"rebuild", "time A", "color", "text", "update A"}},
        {"delete the section at a frame", [](CommandScope& t) { EditCommand::deleteSection(t.edit, 50); },
         {"rebuild", "time", "color", "text", "update"}},
        {"left gap", [](CommandScope& t) { EditCommand::removeObjectLeftGap(t.edit); }, {"clear", "time", "update"}},
        {"empty frames", [](CommandScope& t) { EditCommand::insertNullFrame(t.edit, 0); },
         {"clear", "time", "update"}},
        {"object length", [](CommandScope& t) { EditCommand::changeObjectLength(t.edit); },
         {"clear", "time", "update"}},
        {"section length", [](CommandScope& t) { EditCommand::changeSectionLength(t.edit, t.object, 0); },
         {"clear", "time", "update"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        edit.project.clear();
        edit.setCurrentScene(0);
        object = place(0, 0, 99);
        object->addSection(50, nullptr);
        scene().setFocusObject(object);
        select({object});
        scene().selectStartFrame = 10;
        scene().selectEndFrame = 19;
        dialogs.answers = {20};
        heard.clear();
        c.run(*this);
        EXPECT_EQ(heard, c.expected);
    }
}

}  // namespace
