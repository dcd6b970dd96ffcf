#include "dialogs/form/GridCameraDialog.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "dialogs/template/DialogItemValue.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"

namespace Dialog {

GridCameraDialog::GridCameraDialog() : DialogTemplate(L"グリッド(カメラ制御)の設定") {}

bool GridCameraDialog::show(Edit::EditService& edit) {
    const Edit::Scene& scene = *edit.getCurrentScene();
    auto& step = addItem<DialogItemNumber>(L"表示間隔", scene.gridStep, 1.0, 10000.0);
    auto& range = addItem<DialogItemNumber>(L"表示範囲", scene.gridRange, 10.0, 100000.0);
    if (!create()) return false;
    apply(edit, step.value, range.value);
    return true;
}

void GridCameraDialog::apply(Edit::EditService& edit, double step, double range) {
    Edit::EditScope scope(edit);
    scope.refreshTimeSetting = true;
    scope.notifyObjectUpdate = true;
    scope.scene->gridStep = static_cast<float>(step);
    scope.scene->gridRange = static_cast<float>(range);
    if (auto* settings = System::Singleton<Setting::SettingService>::getInstance()) {
        settings->GridStep = static_cast<float>(step);
        settings->GridRange = static_cast<float>(range);
    }
}

}  // namespace Dialog
