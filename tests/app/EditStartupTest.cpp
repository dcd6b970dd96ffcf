// The edit service as the program's start-up table builds it.
#include "app/StartupTable.h"

#include "core/event/EventService.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/item/EffectItemMaskSelect.h"
#include "media/image/ImageBuffer.h"
#include "render/cache/CacheService.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(EditStartup, SwitchingScenesDropsThePicturesRenderedFromScenes) {
    std::vector<App::StartupHolder> holders;
    for (const App::StartupRow& row : App::startupTable()) {
        const std::string name = row.name;
        if (name == "Cache::CacheService" || name == "Edit::EditService") holders.push_back(row.create());
    }
    ASSERT_EQ(holders.size(), 2u);
    Cache::ImageCache& images = System::Singleton<Cache::CacheService>::getInstance()->imageCache;
    const auto picture = Media::ImageBuffer::create(87, 2, 2);
    images.cache.complete({L"*1", 5}, picture, 1);
    images.cache.complete({L"/a.png", 0}, picture, 1);

    System::Singleton<Edit::EditService>::getInstance()->updateScene(1);
    EXPECT_EQ(images.cache.getKeys(), (std::vector<Cache::MediaCacheKey>{{L"/a.png", 0}}));
    while (!holders.empty()) holders.pop_back();
}

// The rows the edit service needs, as the program builds them.
class EditRows {
public:
    EditRows() {
        for (const App::StartupRow& row : App::startupTable()) {
            const std::string name = row.name;
            if (name == "Event::EventService" || name == "Cache::CacheService" || name == "Undo::UndoService" ||
                name == "Edit::EditService")
                holders_.push_back(row.create());
        }
        EXPECT_EQ(holders_.size(), 4u);
    }
    ~EditRows() {
        while (!holders_.empty()) holders_.pop_back();
    }
    Edit::EditService& edit() { return *System::Singleton<Edit::EditService>::getInstance(); }

private:
    std::vector<App::StartupHolder> holders_;
};

TEST(EditStartup, AMaskNamesTheProjectsScenes) {
    EditRows rows;
    Edit::EditService& edit = rows.edit();
    {
        Edit::EditScope scope(edit);
        edit.project.getOrCreateScene(4)->name = L"夜景";
    }
    Effect::ItemList items;
    Effect::EffectItemSelect::SharedList figures;
    figures.setItem(0, L"背景");
    figures.setItem(1, L"円");
    Effect::EffectItemMaskSelect mask(items, L"マスクの種類", figures);
    mask.setScene(4);
    EXPECT_EQ(mask.scene, 4);
    EXPECT_EQ(mask.toString(), "夜景");
    mask.fromString("円");
    mask.fromString("夜景");
    EXPECT_EQ(std::tuple(mask.figure, mask.scene), std::tuple(-1, 4));
}

TEST(EditStartup, TheTimelineZoomStepsFocusAndLayerNames) {
    EditRows rows;
    Edit::EditService& edit = rows.edit();
    // A zoom that is no step reads as 10000; a step stays.
    Edit::Scene& scene = *edit.getCurrentScene();
    scene.zoom.set(12345);
    EXPECT_EQ(scene.zoom.zoom, 10000);
    scene.zoom.set(75000);
    EXPECT_EQ(scene.zoom.zoom, 75000);

    std::vector<const Edit::Object*> focused;
    System::Singleton<Event::EventService>::getInstance()->focusObjectChange.add(
        &focused, [&](std::shared_ptr<Edit::Object>& object) { focused.push_back(object.get()); });
    Edit::ObjectPointer object;
    {
        Edit::EditScope scope(edit);
        object = std::make_shared<Edit::Object>(nullptr);
    }
    edit.setFocusObject(object);
    edit.setFocusObject(object);  // unchanged: nobody is told
    EXPECT_EQ(scene.focusObject, object);
    edit.setFocusObject(nullptr);
    EXPECT_EQ(focused, (std::vector<const Edit::Object*>{object.get(), nullptr}));
    System::Singleton<Event::EventService>::getInstance()->focusObjectChange.remove(&focused);

    scene.getLayerObjectListGrow(2).layer->name = L"BG";
    EXPECT_EQ(edit.getLayerName(2), L"BG");
    EXPECT_EQ(edit.getLayerName(4), L"Layer5");
    EXPECT_EQ(edit.getLayerName(500), L"Layer501");
}

}  // namespace
