#include "dialogs/seam/PanelDialogs.h"

#include "core/base/Singleton.h"
#include "dialogs/form/GridCameraDialog.h"
#include "dialogs/form/InputNumberDialog.h"
#include "dialogs/form/LevelMeterDialog.h"
#include "dialogs/form/SliderSettingDialog.h"
#include "dialogs/prompt/InputNameDialog.h"
#include "dialogs/prompt/InputNameLabelDialog.h"
#include "dialogs/settings/SettingDialogs.h"
#include "edit/service/EditService.h"
#include "panels/preview/PreviewEditComponent.h"
#include "panels/preview/PreviewMenuEntries.h"
#include "render/service/RenderService.h"
#include "settings/DefinitionMenus.h"
#include "settings/SettingMenuCalls.h"
#include "settings/color/ColorWindowCalls.h"
#include "settings/time/TimeControlPresets.h"

namespace Dialog {

void installPanelDialogs() {
    installSettingDialogs();
    Component::PreviewContextMenu::gridCameraDialog() = [] {
        if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance())
            GridCameraDialog().show(*edit);
    };
    Component::PreviewEditComponent::levelMeterDialog() = [] {
        Render::RenderService* render = System::Singleton<Render::RenderService>::getInstance();
        return render && LevelMeterDialog().show(render->player);
    };
    Component::SettingMenuCalls::installed().sliderSettingDialog = [](int& moveMode, int& moveRatio) {
        return SliderSettingDialog().show(moveMode, moveRatio);
    };
    Component::TimeControlPresetCalls::inputNameLabel = [](const std::wstring& title, const std::wstring& nameLabel,
                                                           std::wstring& name, std::wstring& label,
                                                           const std::vector<std::wstring>& labels) {
        return InputNameLabelDialog(title).show(nameLabel.c_str(), name, label, labels);
    };
    Component::installDefinitionMenus(Component::SettingMenuCalls::installed());
    Component::ColorWindowCalls& color = Component::ColorWindowCalls::installed();
    color.nameDialog = [](const std::wstring& title, const std::wstring& label, std::wstring& name) {
        return InputNameDialog(title).show(label, name);
    };
    color.nameLabelDialog = [](const std::wstring& title, const std::wstring& nameLabel, std::wstring& name,
                               std::wstring& label, const std::vector<std::wstring>& labels) {
        return InputNameLabelDialog(title).show(nameLabel.c_str(), name, label, labels);
    };
    color.integerDialog = [](const std::wstring& title, const std::wstring& label, int& value, int minimum,
                             int maximum) { return InputIntegerDialog(title).show(label, value, minimum, maximum); };
}

void removePanelDialogs() {
    removeSettingDialogs();
    Component::PreviewContextMenu::gridCameraDialog() = nullptr;
    Component::PreviewEditComponent::levelMeterDialog() = nullptr;
    Component::TimeControlPresetCalls::inputNameLabel = nullptr;
    Component::SettingMenuCalls::installed() = {};
    Component::ColorWindowCalls::installed() = {};
}

}  // namespace Dialog
