#pragma once
// Where a panel sits: its settings keys (four fractions of the main window's
// docking area, the area, hidden, tab group, floating and the floating
// window's placement) and the default placement a panel starts from. The
// docking layout works on these records alone, so its rules run without
// windows.
#include <string>

namespace Window {

// Docking areas.
enum DockArea : int { AreaLeft = 0, AreaRight = 1, AreaTop = 2, AreaBottom = 3, AreaCenter = 4 };
// Edge indexes of the four fractions.
enum DockEdge : int { EdgeLeft = 0, EdgeTop = 1, EdgeRight = 2, EdgeBottom = 3 };

// A panel's default placement.
struct WindowClientLayout {
    float left;
    float top;
    float right;
    float bottom;
    int area;
    bool shown;
};

struct ClientPlacement {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    int area = AreaCenter;
    int hide = 0;
    // 0: not in the tab group of its area; otherwise its tab position.
    int group = 0;
    int floating = 0;
    // The floating window: screen position, outer size, maximised.
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int zoom = 0;
    // Edges a splitter drag moves and stops at.
    int movingEdge = 0;
    int limitEdge = 0;

    float& edge(int index);
    float edge(int index) const;
    bool shown() const { return hide == 0; }
    bool grouped() const { return group != 0; }
    // Left, top, right and bottom of another placement.
    void copyFractions(const ClientPlacement& other);
    void swapFractions(ClientPlacement& other);
};

// The program's default placements and the kind of each panel (0: cannot
// float, 1: floats with a caption, 2: floats without one).
namespace Placements {
inline constexpr WindowClientLayout firstExplorer{0.0f, 0.0f, 0.2f, 0.7f, AreaLeft, true};
inline constexpr WindowClientLayout furtherExplorer{0.0f, 0.0f, 0.2f, 0.7f, AreaLeft, false};
inline constexpr WindowClientLayout sceneList{0.0f, 0.7f, 0.2f, 1.0f, AreaLeft, true};
inline constexpr WindowClientLayout objectList{0.8f, 0.0f, 1.0f, 0.3f, AreaRight, true};
inline constexpr WindowClientLayout setting{0.8f, 0.3f, 1.0f, 0.7f, AreaRight, true};
inline constexpr WindowClientLayout settingColor{0.8f, 0.7f, 1.0f, 1.0f, AreaRight, false};
inline constexpr WindowClientLayout preview{0.2f, 0.0f, 0.8f, 0.7f, AreaTop, true};
inline constexpr WindowClientLayout edit{0.2f, 0.7f, 0.5f, 1.0f, AreaBottom, true};
inline constexpr WindowClientLayout settingTime{0.5f, 0.7f, 0.8f, 1.0f, AreaBottom, false};
inline constexpr WindowClientLayout settingText{0.5f, 0.7f, 0.8f, 1.0f, AreaBottom, false};
inline constexpr WindowClientLayout log{0.0f, 0.7f, 1.0f, 1.0f, AreaCenter, false};
inline constexpr WindowClientLayout plugin{0.0f, 0.7f, 1.0f, 1.0f, AreaCenter, false};

// The settings section of the explorer panel number n (from 1).
std::string explorerSection(int n);
}  // namespace Placements

}  // namespace Window
