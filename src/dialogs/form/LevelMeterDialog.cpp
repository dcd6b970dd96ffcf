#include "dialogs/form/LevelMeterDialog.h"

#include "dialogs/template/DialogItemValue.h"
#include "render/player/MoviePlayer.h"

namespace Dialog {

LevelMeterDialog::LevelMeterDialog() : DialogTemplate(L"音量レベルメーターの設定") {}

bool LevelMeterDialog::show(Render::MoviePlayer& player) {
    auto& red = addItem<DialogItemInteger>(L"音量レベル(赤)のしきい値 [dB]", player.levelMeterThresholdRed, -60, 0);
    auto& yellow =
        addItem<DialogItemInteger>(L"音量レベル(黄)のしきい値 [dB]", player.levelMeterThresholdYellow, -60, 0);
    if (!create()) return false;
    player.levelMeterThresholdRed = red.value;
    player.levelMeterThresholdYellow = yellow.value;
    return true;
}

}  // namespace Dialog
