#pragma once
// The pixel and sample forms of the AVI writer's uncompressed exports,
// opened from the settings button of its save dialog.
// User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class AviFileSaveDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    // Each list starts at the stored name (the first choice when the name
    // is not offered); true with the chosen names stored on OK.
    bool show(Platform::WindowHandle owner, std::wstring& video, std::wstring& audio);
};

}  // namespace Dialog
