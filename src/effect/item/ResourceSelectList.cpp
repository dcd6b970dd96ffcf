#include "effect/item/ResourceSelectList.h"

#include "media/resource/ResourceService.h"

#include <mutex>

namespace Effect {

namespace {

// One choice list, filled once from a list of the resource service.
struct LazyList {
    EffectItemSelect::SharedList list;
    std::once_flag once;

    template <class List>
    EffectItemSelect::SharedList& get(List Resource::ResourceService::*member) {
        std::call_once(once, [&] {
            const Resource::ResourceService* service = Resource::ResourceService::getInstance();
            if (!service) return;
            int index = 0;
            for (const auto& item : (service->*member).items()) list.addItem(index++, item.name);
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
