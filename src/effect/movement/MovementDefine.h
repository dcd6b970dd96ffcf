#pragma once
// A registered movement kind in the movement menus (section
// "Movement.<name>", empty default label). Owns the kind's prototype.
#include "core/file/MenuDefineBase.h"
#include "effect/movement/MovementBase.h"

#include <memory>

namespace Effect {

class MovementDefine : public Menu::MenuDefineBase {
public:
    MovementDefine(std::shared_ptr<MovementBase> prototype, int index);
    ~MovementDefine() = default;

    const wchar_t* getName() const override;
    const wchar_t* getTranslatedName() const override;

    const std::shared_ptr<MovementBase> prototype;
};

}  // namespace Effect
