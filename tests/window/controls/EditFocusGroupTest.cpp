// Tab cycling among the members of a focus group.
#include "window/controls/EditFocusGroup.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Member : Control::EditFocusGroup {
    explicit Member(std::string& log, char name) : log(log), name(name) {}
    void setGroupFocus(bool on) override { log += std::string(1, name) + (on ? "+" : "-"); }
    bool canGroupFocus() override { return can; }
    std::string& log;
    char name;
    bool can = true;
};

TEST(EditFocusGroupTest, TabMovesToTheNextMemberThatCanTakeTheFocus) {
    std::string log;
    auto group = std::make_shared<Control::EditFocusGroup::Members>();
    Member a(log, 'a'), b(log, 'b'), c(log, 'c');
    for (Member* m : {&a, &b, &c}) m->setFocusGroup(group);

    EXPECT_TRUE(a.cycleGroupFocus(false));
    EXPECT_EQ(log, "a-b+");
    log.clear();
    EXPECT_TRUE(c.cycleGroupFocus(false));  // wraps around
    EXPECT_EQ(log, "c-a+");
    log.clear();
    b.can = false;
    EXPECT_TRUE(c.cycleGroupFocus(true));  // Shift+Tab skips b
    EXPECT_EQ(log, "c-a+");
    log.clear();
    a.can = false;
    EXPECT_FALSE(c.cycleGroupFocus(false));  // nobody else can
    EXPECT_EQ(log, "");
}

TEST(EditFocusGroupTest, GroupsOfOneOrWithoutTheMemberTakeNoTab) {
    std::string log;
    Member alone(log, 'a'), outsider(log, 'o');
    auto group = std::make_shared<Control::EditFocusGroup::Members>();
    alone.setFocusGroup(group);
    EXPECT_FALSE(alone.cycleGroupFocus(false));
    EXPECT_FALSE(outsider.cycleGroupFocus(false));  // no group
    Member other(log, 'b');
    other.setFocusGroup(group);
    outsider.group = group;  // holds the group without being in it
    EXPECT_FALSE(outsider.cycleGroupFocus(false));
    EXPECT_EQ(log, "");
    outsider.group.reset();
}

TEST(EditFocusGroupTest, AMemberThatGoesEmptiesTheGroupAndJoiningAnotherLeavesTheOld) {
    std::string log;
    auto first = std::make_shared<Control::EditFocusGroup::Members>();
    auto second = std::make_shared<Control::EditFocusGroup::Members>();
    Member a(log, 'a');
    a.setFocusGroup(first);
    a.setFocusGroup(second);
    EXPECT_TRUE(first->empty());
    EXPECT_EQ(second->size(), 1u);
    {
        Member b(log, 'b');
        b.setFocusGroup(second);
        EXPECT_EQ(second->size(), 2u);
    }
    EXPECT_TRUE(second->empty());
    EXPECT_FALSE(a.cycleGroupFocus(false));
}

}  // namespace
