#pragma once
// The numbered-sequence writer's options: whether PNG pictures keep their
// transparency and the JPEG quality. User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class ImageSaveSettingDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    // True with the chosen values stored on OK.
    bool show(Platform::WindowHandle owner, int& transparent, int& quality);
};

}  // namespace Dialog
