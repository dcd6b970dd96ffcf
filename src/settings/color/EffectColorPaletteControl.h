#pragma once
// The palette grid of the colour window: one palette's 64 colours in 8 × 8
// cells. A click takes a cell's colour into the window; the cell menu
// stores the window's colour in a cell, copies and pastes cell colours and
// names a cell as a preset colour. The palettes and their files belong to
// the effect service's palette manager. User-interface thread only.
#include "effect/registry/Palette.h"
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"

#include <memory>
#include <string>

namespace Component {

class EffectColorSettingComponent;

class EffectColorPaletteControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    EffectColorPaletteControl(Window::WindowControlOwner& owner, EffectColorSettingComponent& window);

    void procMouseMove(int x, int y) override;
    void procLButtonDown(int x, int y) override;
    void procMouseLeave() override;
    void procContextMenu(int x, int y) override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procPaint() override;

    // The registered palette of the name, else the first; it becomes the
    // window's SelectPalette.
    void setPalette(const std::wstring& name);
    // The palette switch popup: the palettes, then "新しいパレットを作成".
    void selectPalette();
    // Asks for a name and saves a copy of the shown palette under it.
    void createPalette();
    // Asks for a preset name and label for the cell.
    void setPresetName(int cell);

    EffectColorSettingComponent& window;
    std::shared_ptr<Effect::Palette> palette;
    int hoverCell = -1;
    bool menuOpen = false;

private:
    // Saves the palette and reloads the preset colours in an edit scope, so
    // objects using a preset colour by name render again.
    void storePalette();
};

}  // namespace Component
