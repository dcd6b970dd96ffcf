#pragma once
// The time of the shown frame in the player row ("00:00:01.50"): the play
// frame while playing, else the cursor frame, at the scene's video rate.
#include "edit/service/EditInstance.h"
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"

#include <string>

namespace Component {

class TimeCounterControl : public Window::WindowControlRenderTarget, public Resource::FontResource,
                           public Edit::EditInstance {
public:
    TimeCounterControl(Window::WindowControl& parent, int left, int top, int right, int bottom);

    void procPaint() override;

    // The counter's text for a frame at rate / scale frames a second.
    static std::wstring counterText(int frame, int rate, int scale);
    // The current scene's shown frame as text.
    std::wstring currentText() const;
    // The width the counter needs: "00:00:00.00" in "PreviewTime", whole
    // pixels, plus 2 (without fonts, 2).
    static int counterWidth();
};

}  // namespace Component
