#pragma once
// What the colour window's palette grid computes without drawing: the cell
// under a point, a cell's rectangle, its tooltip, the palette a stored name
// chooses and the copy a new palette starts from.
#include "effect/registry/PaletteManager.h"

#include <memory>
#include <string>

namespace Component::PaletteGrid {

inline constexpr int Side = 8;

struct CellRect {
    int left, top, right, bottom;
};

// The cell (0..63, row-major) under (x, y) in a grid of width × height;
// points outside count as the nearest edge cell.
int cellAt(int x, int y, int width, int height);
CellRect cellRect(int cell, int width, int height);

// "プリセット名 : <name>\n" when named, "パレット : <palette>", then the
// entry's bytes as "\nR : r\nG : g\nB : b" (the two labels translated).
std::wstring cellTooltip(const Effect::Palette& palette, int cell);

// The registered palette of the name, else the first one (null when none
// is registered).
std::shared_ptr<Effect::Palette> choosePalette(Effect::PaletteManager& palettes, const std::wstring& name);

// A palette of the name holding the source's colours without preset names.
std::shared_ptr<Effect::Palette> copyWithoutNames(const Effect::Palette& source, const std::wstring& name);

// "%Default%" path of a palette's file, expanded.
std::wstring paletteFilePath(const std::wstring& name);

}  // namespace Component::PaletteGrid
