#include "dialogs/settings/GridDialog.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogItemValue.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"

namespace Dialog {

bool GridDialog::show(Edit::EditService& edit) {
    const Edit::Scene& scene = *edit.getCurrentScene();
    auto& width = addItem<DialogItemInteger>(L"横幅", scene.gridWidth, 8, 10000);
    auto& height = addItem<DialogItemInteger>(L"縦幅", scene.gridHeight, 8, 10000);
    auto& axisX = addItem<DialogItemText>(L"任意X軸", Edit::intListToString(scene.gridX), false);
    auto& axisY = addItem<DialogItemText>(L"任意Y軸", Edit::intListToString(scene.gridY), false);
    if (!create()) return false;

    Edit::EditScope scope(edit);
    scope.notifyObjectUpdate = true;
    scope.refreshTimeSetting = true;
    // The lists keep the numbers before the first piece that is none.
    scope.scene->gridX = Edit::stringToIntList(axisX.text);
    scope.scene->gridY = Edit::stringToIntList(axisY.text);
    scope.scene->gridWidth = width.value;
    scope.scene->gridHeight = height.value;
    if (auto* settings = System::Singleton<Setting::SettingService>::getInstance()) {
        settings->GridX = Edit::intListToString(scope.scene->gridX);
        settings->GridY = Edit::intListToString(scope.scene->gridY);
        settings->GridWidth = width.value;
        settings->GridHeight = height.value;
    }
    return true;
}

}  // namespace Dialog
