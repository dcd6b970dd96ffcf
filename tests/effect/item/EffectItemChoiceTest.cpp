#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemSelect.h"

#include "effect/EffectTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Effect::EffectItemSelect;
using EffectTest::errorOf;

TEST(CheckItem, TextFormsBothWays) {
    Effect::ItemList items;
    Effect::EffectItemCheck check(items, L"反転");
    EXPECT_EQ(check.type, Effect::ItemType::Check);
    EXPECT_EQ(check.toString(), "0");
    struct Case {
        const char* text;
        bool value;
        const char* error;
    };
    const Case cases[] = {
        {"1", true, ""},    {"0", false, ""},  {"2", true, ""},
        {"-1", true, ""},   {" 0", false, ""}, {"1abc", true, ""},
        {"", true, "invalid stoi argument"},   {"x", true, "invalid stoi argument"},
        {"99999999999", true, "stoi argument out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        check.value = true;
        EXPECT_EQ(errorOf([&] { check.fromString(c.text); }), c.error);
        EXPECT_EQ(check.value, c.value);
        EXPECT_EQ(check.toString(), c.value ? "1" : "0");
    }
}

TEST(CheckItem, KindsCopyCompareAndClone) {
    Effect::ItemList items;
    Effect::EffectItemCheckButton button(items, L"B", true, 0.5f, 1.0f);
    Effect::EffectItemCheckInteger script(items, L"S", false);
    EXPECT_EQ(button.type, Effect::ItemType::CheckButton);
    EXPECT_EQ(script.type, Effect::ItemType::CheckInteger);
    EXPECT_TRUE(script.visible);
    button.visible = false;
    auto clone = button.clone();
    auto& copy = dynamic_cast<Effect::EffectItemCheckButton&>(*clone);
    EXPECT_TRUE(copy.value);
    EXPECT_FALSE(copy.visible);
    EXPECT_EQ(copy.start, 0.5f);
    EXPECT_TRUE(copy.equals(button));
    copy.value = false;
    EXPECT_FALSE(copy.equals(button));
    copy.copyFrom(button);
    EXPECT_TRUE(copy.value);
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(errorOf([&] { script.setFilePath(L"a.png"); }),
              EffectTest::programError("not implement.", "Effect::EffectItem::setFilePath"));
    EXPECT_EQ(script.getFilePath(), nullptr);
}

TEST(IntegerItem, TextFormKeepsValuesOutsideTheRange) {
    Effect::ItemList items;
    Effect::EffectItemLayerRange range(items, L"対象レイヤー数", 0);
    Effect::EffectItemScene scene(items, L"シーン", 0);
    Effect::EffectItemInteger hidden(items, L"音声付き", 1, 1, 0, 1, nullptr,
                                     Effect::ItemType::HiddenInteger);
    EXPECT_EQ(range.type, Effect::ItemType::LayerRange);
    EXPECT_EQ(range.maximum, 1000);
    EXPECT_EQ(scene.type, Effect::ItemType::Scene);
    EXPECT_EQ(scene.maximum, 1000000);
    EXPECT_EQ(hidden.type, Effect::ItemType::HiddenInteger);
    struct Case {
        const char* text;
        int value;
        const char* written;
        const char* error;
    };
    const Case cases[] = {
        {"2000", 2000, "2000", ""},
        {"-15", -15, "-15", ""},
        {" 7px", 7, "7", ""},
        {"abc", 7, "7", "invalid stoi argument"},
        {"2147483648", 7, "7", "stoi argument out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(errorOf([&] { range.fromString(c.text); }), c.error);
        EXPECT_EQ(range.value, c.value);
        EXPECT_EQ(range.toString(), c.written);
    }
    Effect::EffectItemLayerRange other(items, L"対象レイヤー数", 3, 1, -5, 5);
    EXPECT_FALSE(other.equals(range));
    range.copyFrom(other);
    EXPECT_EQ(range.value, 3);
    EXPECT_EQ(range.defaultValue, 1);
    EXPECT_EQ(range.minimum, -5);
    EXPECT_EQ(range.maximum, 5);
    other.maximum = 9;
    EXPECT_TRUE(other.equals(range));  // only the value counts
}

std::shared_ptr<EffectItemSelect::SharedList> makeList() {
    auto list = std::make_shared<EffectItemSelect::SharedList>();
    list->setItem(0, L"通常");
    list->setItem(1, L"加算");
    list->addItem(2, L"減算");
    list->setItem(3, L"乗算");
    list->setItem(5, L"差分");
    return list;
}

TEST(SelectItem, SharedListKeepsFirstNamesAndLowestValues) {
    EffectItemSelect::SharedList list;
    list.setItem(4, L"b");
    list.setItem(4, L"c");  // the first name of a value stays
    std::wstring temporary = L"a";
    list.addItem(7, temporary);
    temporary = L"changed";
    list.setItem(9, L"a");  // a name shared by two values gives the lower
    EXPECT_STREQ(list.getName(4), L"b");
    EXPECT_STREQ(list.getName(7), L"a");
    EXPECT_EQ(list.getValue(L"a"), 7);
    EXPECT_TRUE(list.contains(L"b"));
    EXPECT_FALSE(list.contains(L"c"));
    EXPECT_EQ(list.firstValue(), 4);
    EXPECT_EQ(errorOf([&] { list.getValue(L"c"); }), "invalid unordered_map<K, T> key");
    EXPECT_EQ(errorOf([&] { list.getName(3); }), "invalid map<K, T> key");
}

TEST(SelectItem, NamesAndLegacyNumbers) {
    Effect::ItemList items;
    auto list = makeList();
    EffectItemSelect select(items, L"合成モード", 0, list);
    EXPECT_EQ(select.type, Effect::ItemType::Select);
    EXPECT_EQ(select.listOwner, list);
    struct Case {
        const char* text;
        bool legacy;
        int value;
    };
    const Case cases[] = {
        {"加算", false, 1},
        {"減算", false, 2},
        {"ない名前", false, 2},  // unknown names keep the value
        {"", false, 2},
        {"3", false, 2},         // not a name
        {"3", true, 3},
        {"7", true, 0},          // not listed: the first choice
        {"05", true, 5},
        {"-1", true, 0},
        {"差分", true, 5},        // not a number: read as a name
        {"abc", true, 5},
        {"123", true, 5},        // more than two characters: a name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.legacy)
            select.loadQroValue(c.text, L"blend", L"effect", false);
        else
            select.fromString(c.text);
        EXPECT_EQ(select.value, c.value);
    }
    EXPECT_EQ(select.toString(), "差分");
    select.value = 4;
    EXPECT_EQ(errorOf([&] { select.toString(); }), "invalid map<K, T> key");

    Effect::EffectItemSelectButton button(items, L"B", 1, *list, 0.0f, 0.5f);
    EXPECT_EQ(button.type, Effect::ItemType::SelectButton);
    EXPECT_EQ(button.listOwner, nullptr);
    auto clone = button.clone();
    auto& copy = dynamic_cast<Effect::EffectItemSelectButton&>(*clone);
    EXPECT_EQ(copy.list, list.get());
    EXPECT_EQ(copy.end, 0.5f);
    EXPECT_TRUE(copy.equals(button));
    select.copyFrom(button);
    EXPECT_EQ(select.value, 1);
}

TEST(SelectItem, FontListIsBuiltOnceWithItsDefault) {
    int builds = 0;
    Effect::EffectItemFontSelect::setFontSource([&](std::vector<std::wstring>& names, std::wstring& defaultName) {
        ++builds;
        names = {L"Alpha", L"Noto Sans CJK JP", L"Zeta"};
        defaultName = L"Noto Sans CJK JP";
    });
    Effect::ItemList items;
    Effect::EffectItemFontSelect byDefault(items, L"フォント");
    Effect::EffectItemFontSelect named(items, L"フォント", L"Zeta");
    Effect::EffectItemFontSelect missing(items, L"フォント", L"Not Installed");
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(byDefault.type, Effect::ItemType::FontSelect);
    EXPECT_EQ(Effect::EffectItemFontSelect::getFontList().defaultIndex, 1);
    EXPECT_EQ(byDefault.value, 1);
    EXPECT_EQ(named.value, 2);
    EXPECT_EQ(missing.value, 1);
    EXPECT_EQ(byDefault.toString(), "Noto Sans CJK JP");
    byDefault.fromString("Alpha");
    EXPECT_EQ(byDefault.value, 0);
    EXPECT_EQ(named.list, byDefault.list);
    Effect::EffectItemFontSelect::setFontSource({});
}

}  // namespace
