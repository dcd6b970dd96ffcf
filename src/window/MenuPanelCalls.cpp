#include "window/MenuPanelCalls.h"

namespace Window {

MenuPanelCalls& menuPanelCalls() {
    static MenuPanelCalls calls;
    return calls;
}

}  // namespace Window
