#pragma once
// The footer's two texts and the main window's title. The footer texts are
// the style's "FooterLeft" and "FooterRight" templates ([Format] of
// style.conf) with every {Name} replaced by the variable of that name; the
// title is the project's file name, or the program's caption without one.
// Not a window: it only listens to the scene, frame and object events.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "edit/service/EditInstance.h"

#include <string>

namespace Window {
class WindowService;
}

namespace Component {

class StatusComponent : public Edit::EditInstance, public Event::EventInstance {
public:
    // A text of a variable is cut to this many characters.
    static constexpr std::size_t VariableCapacity = 15;

    // The templates from the style settings.
    StatusComponent();
    StatusComponent(std::wstring leftTemplate, std::wstring rightTemplate);

    void updateFrameText();
    void updateSceneText();
    // The variable's text; an unknown name logs a warning and gives "".
    std::wstring expandStatusVariable(const std::wstring& name);
    void updateFooter();
    void updateTitle();

    // The name of the project file without folder and extension.
    static std::wstring projectName(std::wstring path);
    // The file name with its extension, or the caption when there is none.
    static std::wstring titleOf(std::wstring path);

    Window::WindowService* windowService;
    int lastFrame = 0;
    int lastLength = 0;
    std::wstring leftTemplate;
    std::wstring rightTemplate;
    std::wstring leftText;
    std::wstring rightText;
    std::wstring currentTime, totalTime, currentFrame, totalFrame;
    std::wstring projectNameText, sceneName;
    std::wstring resolution, frameRate, samplingRate;
    // As last set on the main window.
    std::wstring title;

private:
    void onFrame(int frame);
};

}  // namespace Component
