#include "render/output/BlendModeList.h"

#include "render/output/BlendMode.h"

namespace Effect {

EffectItemSelect::SharedList& blendModeList() {
    static EffectItemSelect::SharedList list = [] {
        EffectItemSelect::SharedList made;
        for (const BlendMode::Entry& entry : BlendMode::table)
            if (entry.value < BlendMode::ChoiceCount) made.setItem(entry.value, entry.displayName);
        return made;
    }();
    return list;
}

}  // namespace Effect
