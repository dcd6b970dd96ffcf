// The render service's part in the edit service's view switches.
#include "render/service/RenderService.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/service/EditService.h"

#include "media/GpuFixture.h"

#include <gtest/gtest.h>

namespace {

class RenderServiceTest : public MediaTest::GpuTest {};

TEST_F(RenderServiceTest, EachViewSwitchReachesItsOwnVideoSetting) {
    System::Singleton<Event::EventService> events;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *editHolder.getInstance();
    {
        System::Singleton<Render::RenderService> renderHolder;
        const Render::RenderVideoWorker& video = renderHolder.getInstance()->videoWorker;
        Edit::EditCommand::setGridXY(edit, true);
        Edit::EditCommand::setCameraGrid(edit, false);
        Edit::EditCommand::setCameraFreeView(edit, true);
        Edit::EditCommand::setVisibleClippingObjectView(edit, false);
        EXPECT_EQ(std::tuple(video.gridXY, video.cameraGrid, video.cameraFreeView, video.visibleClippingObject),
                  std::tuple(1, 0, 1, 0));
        Edit::EditCommand::setCameraGrid(edit, true);
        Edit::EditCommand::setVisibleClippingObjectView(edit, true);
        EXPECT_EQ(std::tuple(video.gridXY, video.cameraGrid, video.cameraFreeView, video.visibleClippingObject),
                  std::tuple(1, 1, 1, 1));
    }
    // Gone with the render service.
    EXPECT_FALSE(edit.hooks.setPreviewSwitch);
}

}  // namespace
