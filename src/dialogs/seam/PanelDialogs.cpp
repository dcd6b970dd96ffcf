#include "dialogs/seam/PanelDialogs.h"

#include "core/base/Singleton.h"
#include "dialogs/form/GridCameraDialog.h"
#include "edit/service/EditService.h"
#include "panels/preview/PreviewMenuEntries.h"

namespace Dialog {

void installPanelDialogs() {
    Component::PreviewContextMenu::gridCameraDialog() = [] {
        if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance())
            GridCameraDialog().show(*edit);
    };
}

void removePanelDialogs() { Component::PreviewContextMenu::gridCameraDialog() = nullptr; }

}  // namespace Dialog
