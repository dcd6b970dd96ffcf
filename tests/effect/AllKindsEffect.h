#pragma once
// An effect with one item of every kind that has a value, for the tests and
// the fuzz harness of effect sections.
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemButton.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemColor.h"
#include "effect/item/EffectItemComboFile.h"
#include "effect/item/EffectItemFile.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemMaskSelect.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/item/EffectItemSelect.h"
#include "effect/item/EffectItemText.h"
#include "effect/item/EffectItemYUV.h"

#include <memory>

namespace EffectTest {

inline Effect::EffectItemSelect::SharedList& figureList() {
    static Effect::EffectItemSelect::SharedList list = [] {
        Effect::EffectItemSelect::SharedList figures;
        figures.setItem(0, L"背景");
        figures.setItem(1, L"円");
        figures.setItem(2, L"四角形");
        return figures;
    }();
    return list;
}

inline Effect::EffectItemSelect::SharedList& blendList() {
    static Effect::EffectItemSelect::SharedList list = [] {
        Effect::EffectItemSelect::SharedList blends;
        blends.setItem(0, L"通常");
        blends.setItem(1, L"加算");
        return blends;
    }();
    return list;
}

// One item of every kind that has a value.
class AllKinds : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = L"全種類";
    AllKinds()
        : EffectBase(Name, Effect::EffectKind::Filter, Effect::MediaKind::Video,
                     Effect::MediaKind::Video, L""),
          x(items, L"X", 0, -1000, 1000, 0.01),
          y(items, L"Y", 0, -1000, 1000, 0.1),
          check(items, L"反転"),
          count(items, L"数", 3, 3, 0, 10),
          blend(items, L"合成モード", 0, blendList()),
          text(items, L"テキスト", L"一行目\r\n二行目"),
          value(items, L"値", L"{1,2}", Effect::ItemType::StringBraced),
          file(items, L"ファイル", L"", L"All\0*.*\0\0"),
          color(items, L"色", 255, 255, 255),
          light(items, L"光色", 0, 0, 0, true, Effect::ItemType::ColorOrNone),
          figure(items, L"図形", figureList()),
          mask(items, L"マスク", figureList()),
          yuv(items, L"YUV"),
          group(items, L"Group", {&x, &y}, false),
          button(items, L"参照", nullptr) {}
    std::shared_ptr<Effect::EffectBase> create() const override {
        return std::make_shared<AllKinds>();
    }

    Effect::EffectItemNumber x;
    Effect::EffectItemNumber y;
    Effect::EffectItemCheck check;
    Effect::EffectItemInteger count;
    Effect::EffectItemSelect blend;
    Effect::EffectItemText text;
    Effect::EffectItemString value;
    Effect::EffectItemFile file;
    Effect::EffectItemColor color;
    Effect::EffectItemColor light;
    Effect::EffectItemFigureSelect figure;
    Effect::EffectItemMaskSelect mask;
    Effect::EffectItemYUV yuv;
    Effect::EffectItemNumberGroup group;
    Effect::EffectItemButton button;
};

}  // namespace EffectTest
