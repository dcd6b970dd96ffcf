#include "effect/item/ResourceSelectList.h"

#include "effect/base/StdConvert.h"
#include "media/resource/ResourceService.h"

#include <mutex>

namespace Effect {

namespace {

// One choice list, filled once from a list of the resource service. Names
// are file titles, which may hold line breaks; the chosen name is written as
// one line of a project file, so each break is read as a space.
struct LazyList {
    EffectItemSelect::SharedList list;
    std::once_flag once;

    template <class List>
    EffectItemSelect::SharedList& get(List Resource::ResourceService::*member) {
        std::call_once(once, [&] {
            const Resource::ResourceService* service = Resource::ResourceService::getInstance();
            if (!service) return;
            int index = 0;
            for (const auto& item : (service->*member).items()) list.addItem(index++, StdConvert::joinedLine(item.name));
        });
        return list;
    }
};

}  // namespace

EffectItemSelect::SharedList& figureSelectList() {
    static LazyList lazy;
    return lazy.get(&Resource::ResourceService::figureList);
}

EffectItemSelect::SharedList& transitionSelectList() {
    static LazyList lazy;
    return lazy.get(&Resource::ResourceService::transitionList);
}

}  // namespace Effect
