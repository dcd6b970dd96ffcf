#pragma once
// The preview window: the current scene at the cursor frame as the render
// service draws it, the level meter at its right and the player row along
// its bottom. It asks the render workers for the cursor frame whenever the
// frame, the scene or an object changes (the newest request replaces the
// waiting ones), and shows the frames the player presents while it plays.
//
// Results cross from the render threads in two steps: the completion
// stores the newest frame, its anchors or the audio levels in a shared slot
// under that slot's own mutex and posts a command carrying only the frame
// number; the listener on the user-interface thread then reads the slot.
// The slots are shared with the pending requests, so a request that
// completes after the window went touches nothing of it.
//
// Created once at start-up; it may float, which rebuilds it keeping only
// "DisplayZoom" and its placement.
#include "core/event/EventInstance.h"
#include "core/file/Config.h"
#include "edit/service/EditInstance.h"
#include "effect/anchor/AnchorList.h"
#include "media/image/FrameImage.h"
#include "panels/preview/LevelMeterControl.h"
#include "panels/preview/PlayerNavigateControl.h"
#include "panels/preview/PreviewControl.h"
#include "render/player/LevelMeter.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"

#include <functional>
#include <memory>
#include <mutex>

namespace Media {
class AudioBuffer;
class RenderBuffer;
}  // namespace Media
namespace Render {
class RenderService;
enum class RenderTaskType : int;
}  // namespace Render

namespace Component {

class PreviewEditComponent : public Window::WindowClientRenderTarget, public Edit::EditInstance,
                             public Event::EventInstance {
public:
    // What the render threads hand over.
    struct Slots {
        // Null without a GPU service (tests): no frame is requested then.
        std::unique_ptr<Media::FrameImage> frameImage;
        Anchor::AnchorList pendingAnchors;
        std::mutex levelMutex;
        LevelMeterValues level;  // levelMutex
    };

    PreviewEditComponent();
    ~PreviewEditComponent() override;

    // The panel of the program (null before start-up built it).
    static std::unique_ptr<PreviewEditComponent>& instance();
    // The level meter's threshold dialog (true on OK), filled by the
    // dialog layer; without it the menu item is greyed.
    static std::function<bool()>& levelMeterDialog();

    void procPaint() override;
    void procMove() override;
    void procMouseWheel(int x, int y, int delta) override;
    void procContextMenu(int x, int y) override;
    bool procDragOver(int x, int y, Window::DropInfo* info) override;
    bool procDrop(int x, int y, Window::DropInfo* info) override;
    void procDragLeave() override;
    void setVisible(bool visible) override;
    void recreateClient() override;

    // Asks for the frame (and its audio levels) unless playing or hidden.
    void requestPreviewFrame(int frame);
    void requestCursorFrame();
    int getFitZoom() const { return picture.getFitZoom(); }
    // Stores a zoom (0 = fit) and repaints the picture.
    void setZoom(int zoom) { picture.setZoom(zoom); }
    // The level meter shown or removed ("VisibleLevelMeter" flipped),
    // and the window laid out again.
    void setVisibleLevelMeter(bool visible);

    // The render threads' completions.
    static void onVideoRendered(Slots& slots, int gridXY, int frame, Media::RenderBuffer& target,
                                Anchor::AnchorList& anchors, Edit::EditService* editService);
    static void onAudioRendered(Slots& slots, int frame, Media::AudioBuffer& block);
    // The user-interface thread's listeners.
    void onRenderVideoFrame(Render::RenderTaskType type, int frame);
    void onRenderAudioLevel(Render::RenderTaskType type, int frame);

    bool playing() const;
    int cursorFrame() const;

    Render::RenderService* renderService;
    int displayZoom = 0;
    int playerControlHeight = 32;
    int levelMeterWidth = 36;
    std::shared_ptr<Slots> slots;
    // The level record of the newest presented playback frame.
    LevelMeterValues playerLevel;

    Window::WindowControlOwner owner;
    PreviewControl picture;
    LevelMeterControl levelMeter;
    PlayerNavigateControl player;

private:
    void registerListeners();

    System::Config config_{"Window.preview"};
    System::Config::Int displayZoomParameter_{config_, "DisplayZoom", &displayZoom, 0};
    System::Config::Scope scope_{config_};
};

}  // namespace Component
