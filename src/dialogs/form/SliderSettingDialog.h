#pragma once
// "スライダーの移動量の設定": the basis and the sensitivity of slider drags
// in the object settings window. Built on the caller's stack; Cancel
// changes nothing.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class SliderSettingDialog : public DialogTemplate {
public:
    SliderSettingDialog();
    // moveMode: 0 fixed, 1 value range over the screen width, 2 over the
    // slider's width; moveRatio 1 to 1000. True (and both stored) on OK.
    bool show(int& moveMode, int& moveRatio);
};

}  // namespace Dialog
