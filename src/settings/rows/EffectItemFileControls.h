#pragma once
// The choice rows that reach beyond a list: a combo of list entries and a
// file (figures), a mask from a figure, a file or a scene, a scene, and a
// file with a clear box. Files come from the file dialog (the label) or a
// drop on the block (updateFile).
#include "effect/item/EffectItemComboFile.h"
#include "effect/item/EffectItemFile.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemMaskSelect.h"
#include "settings/rows/EffectItemControl.h"
#include "settings/rows/EffectItemSelectBase.h"
#include "window/controls/TextButtonControl.h"
#include "window/controls/TextClearButtonControl.h"
#include "window/controls/TextControl.h"
#include "window/controls/TextIconButtonControl.h"

namespace Component {

class EffectItemComboFileControl : public EffectItemControl<Effect::EffectItemComboFile>,
                                   public EffectItemSelectBase {
public:
    EffectItemComboFileControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                               EffectItemRowHost& host, Effect::EffectItem& item);

    void updateValue() override;
    void updateFile(const std::wstring& path) override;
    void selectValue(int value) override;
    // Inside the caller's scope: a list entry (the path emptied).
    void setValue(int value, Edit::EditScope& scope);
    void chooseFile();

    Control::TextButtonControl label;
    Control::TextButtonWheelControl dropDown;
};

class EffectItemMaskSelectControl : public EffectItemControl<Effect::EffectItemMaskSelect>,
                                    public EffectItemSelectBase {
public:
    EffectItemMaskSelectControl(Window::WindowControlOwner& parent,
                                const std::shared_ptr<Effect::EffectBase>& effect, EffectItemRowHost& host,
                                Effect::EffectItem& item);

    // When both figure and scene are none the file name, else the figure's
    // or the scene's name.
    static std::wstring getSelectName(const Edit::EditService& edit, const Effect::EffectItemMaskSelect& item,
                                      bool& warned);

    void updateValue() override;
    void updateFile(const std::wstring& path) override;
    void selectValue(int value) override;
    // Inside the caller's scope: a figure (path emptied, no scene).
    void setValue(int value, Edit::EditScope& scope);
    void selectScene(int sceneId);
    void showSourceMenu();

    Control::TextButtonControl label;
    Control::TextButtonWheelControl dropDown;

private:
    // The companion check shows while a scene is the source; a change
    // rebuilds the settings window.
    void updateCompanion(Edit::EditScope* scope);
};

class EffectItemSceneControl : public EffectItemControl<Effect::EffectItemScene> {
public:
    EffectItemSceneControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                           EffectItemRowHost& host, Effect::EffectItem& item);

    void updateValue() override;
    void selectScene(int sceneId);
    void showSceneMenu();

    Control::TextButtonControl label;
    Control::TextControl sceneText;
};

class EffectItemFileControl : public EffectItemControl<Effect::EffectItemFile> {
public:
    EffectItemFileControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                          EffectItemRowHost& host, Effect::EffectItem& item);

    void updateValue() override;
    // Always stored; an empty path clears the file.
    void updateFile(const std::wstring& path) override;
    void chooseFile();

    Control::TextIconButtonControl label;
    Control::TextClearButtonControl fileButton;
};

// The scenes a scene or mask menu lists: all but the Root and the current
// one, by id.
std::vector<Edit::ScenePointer> otherScenes(const Edit::EditService& edit);

}  // namespace Component
