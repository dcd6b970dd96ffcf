#pragma once
// Asks for a length or a time typed in seconds or in frames: each box
// follows the other while the user types (at the scene's rate / scale).
// Enter submits; there is no OK button. User-interface thread only.
#include "dialogs/template/DialogItemValue.h"
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class FrameLengthDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;

    // Asks with the frames box holding frames at first; true with frames
    // replaced on OK.
    static bool show(const std::wstring& title, int rate, int scale, int& frames);

    bool procMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Makes the box the user did not change follow the one they did.
    void syncRows();

    // Frames per second = rate / scale.
    int rate = 30;
    int scale = 1;
    DialogItemInteger* framesRow = nullptr;
    DialogItemNumber* secondsRow = nullptr;
    std::wstring framesText;
    std::wstring secondsText;
};

}  // namespace Dialog
