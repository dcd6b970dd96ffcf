#pragma once
// Connects the call points of the input routing and the window service to
// the services of this folder that answer them: unfocused keys to the
// shortcut service, tooltips hidden on moves, clicks and drags, the popup
// list box, the pointer and owner of popup menus. Run once the routing
// service, the shortcut service and the window service exist; disconnect
// before they go. User-interface thread only.
namespace Window {

void connectMenus();
void disconnectMenus();

}  // namespace Window
