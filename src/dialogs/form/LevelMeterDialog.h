#pragma once
// The two thresholds of the level meter: the red and the yellow line in
// dB, kept in the player's settings. The yellow line may lie above the
// red one. User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Render {
class MoviePlayer;
}

namespace Dialog {

class LevelMeterDialog : public DialogTemplate {
public:
    LevelMeterDialog();
    // Shows the player's values; on OK stores them. True on OK.
    bool show(Render::MoviePlayer& player);
};

}  // namespace Dialog
