#pragma once
// The five menu-definition dialogs: effects and aliases (the object, filter
// and effect popups), movements, time-control presets, preset colours and
// fonts. Each lists its registry's definitions in menu order; a missing
// registry gives an empty list.
#include "dialogs/menudefine/MenuDefineDialog.h"

namespace Effect {
class EffectMenuDefine;
class MovementDefine;
class MovementParamsDefine;
class PresetColorDefine;
}  // namespace Effect

namespace Media {
class FontDefine;
}  // namespace Media

namespace Dialog {

// Every effect of every kind and every alias in one list.
class EffectMenuDialog : public MenuDefineDialog<Effect::EffectMenuDefine> {
public:
    using MenuDefineDialog::MenuDefineDialog;

protected:
    std::vector<Effect::EffectMenuDefine*> getDefinitionList() const override;
};

// The movements that menus show.
class MovementMenuDialog : public MenuDefineDialog<Effect::MovementDefine> {
public:
    using MenuDefineDialog::MenuDefineDialog;

protected:
    std::vector<Effect::MovementDefine*> getDefinitionList() const override;
};

class MovementParamsMenuDialog : public MenuDefineDialog<Effect::MovementParamsDefine> {
public:
    using MenuDefineDialog::MenuDefineDialog;

protected:
    std::vector<Effect::MovementParamsDefine*> getDefinitionList() const override;
};

class PresetColorMenuDialog : public MenuDefineDialog<Effect::PresetColorDefine> {
public:
    using MenuDefineDialog::MenuDefineDialog;

protected:
    std::vector<Effect::PresetColorDefine*> getDefinitionList() const override;
};

class FontMenuDialog : public MenuDefineDialog<Media::FontDefine> {
public:
    using MenuDefineDialog::MenuDefineDialog;

protected:
    std::vector<Media::FontDefine*> getDefinitionList() const override;
};

enum class MenuDefineKind { Effect, Movement, MovementParams, PresetColor, Font };

// The Settings menu's entry point: opens the dialog of the kind under the
// title; true after OK.
bool openMenuDefineDialog(MenuDefineKind kind, const std::wstring& title);

}  // namespace Dialog
