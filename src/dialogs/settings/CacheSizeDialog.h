#pragma once
// The sizes of the media caches, the number of open input files kept and
// the player's buffering time. OK stores them and resizes the caches at
// once (each drops its least recently used entries beyond the new size).
// User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class CacheSizeDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    bool show();
};

}  // namespace Dialog
