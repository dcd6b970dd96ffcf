#pragma once
// The rules of the docking layout on the placements of the docked panels
// (in docked-list order): the five areas fitted into the docking area in
// order, the panels of each area spread along it in proportion to their
// sizes, room made for a panel that is shown or docked, the moves of the
// window menu, and the splitters between panels. Everything works on
// fractions; pixels come in only through the docking area's size. The
// window service applies these to its panels and draws the result.
#include "window/ClientPlacement.h"

#include <functional>
#include <vector>

namespace Window {

using DockList = std::vector<ClientPlacement*>;

struct FractionRect {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

struct PixelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

// The docking area in pixels and the separator width.
struct DockMetrics {
    int width = 0;
    int height = 0;
    int separator = 5;
};

namespace DockLayout {

// Two fractions closer than this are the same edge.
inline constexpr float kEdgeTolerance = 0.0001f;
// Extents below this count as this.
inline constexpr float kMinimumExtent = 0.001f;
// No panel becomes narrower than this while a splitter is dragged.
inline constexpr int kMinimumPanelPixels = 24;

// The left and right areas stack their panels top to bottom; the others
// side by side.
bool stacksVertically(int area);

// A docked panel's rectangle in pixels: it leaves the separator to the
// panels on its right and below it.
PixelRect pixelRect(const ClientPlacement& panel, const DockMetrics& metrics);

// The shown docked panels of the area, in list order / sorted along its axis.
DockList clientsInArea(const DockList& docked, int area);
DockList sortedClientsInArea(const DockList& docked, int area);
// Bounds of the shown docked panels the predicate selects; empty (all 0)
// when there are none or they have no width or height.
FractionRect areaBounds(const DockList& docked, const std::function<bool(const ClientPlacement&)>& select);

// Clamps every panel's fractions, then fits the five areas in order.
void normalizeLayout(const DockList& docked);
void fitArea(const DockList& docked, int area, FractionRect& remaining);
void distributeArea(DockList panels, int area, const FractionRect& rect);

// Makes room for a hidden or floating panel about to be shown or docked in
// its area.
void insertClient(const DockList& docked, ClientPlacement& panel);

// The moves of a panel within its area (each ends with normalizeLayout).
void moveToFirst(const DockList& docked, ClientPlacement& panel);
void moveToLast(const DockList& docked, ClientPlacement& panel);
void moveUp(const DockList& docked, ClientPlacement& panel);
void moveDown(const DockList& docked, ClientPlacement& panel);

// The first panel but excluded, shown or hidden, whose edge e1 lies at a
// and whose edge e2 lies at b.
ClientPlacement* findAdjacentClient(const DockList& docked, int e1, float a, int e2, float b,
                                    const ClientPlacement* excluded);

}  // namespace DockLayout

// A splitter: the panels whose moving edges lie on one separator line
// (the first before the line, the second after it), and the line.
class DockSplitter {
public:
    enum class Drag {
        Moved,      // the line follows the pointer (splitter cursor)
        SwapCursor, // two panels of one area: the pointer is past the minimum
        Swapped,    // a panel moved one place; the drag goes on from pressPoint
        Ended,      // a panel moved one place and no splitter follows
    };

    // Finds the separator nearest the point (both nearest panels within one
    // separator width of it and sharing an edge).
    bool find(const DockList& docked, const DockMetrics& metrics, int x, int y);
    bool shareEdge(ClientPlacement* a, ClientPlacement* b);
    // Extends the line both ways; false when it runs into a panel crossing it.
    bool collect(const DockList& docked);
    // dx, dy: the displacement since the press.
    Drag drag(const DockList& docked, const DockMetrics& metrics, int dx, int dy);
    void clear() { clients.clear(); }
    bool active() const { return !clients.empty(); }
    bool contains(const ClientPlacement* panel) const;

    DockList clients;
    // false: a vertical line (x moves); true: a horizontal one.
    bool horizontal = false;
    // The line's fraction at the press.
    float position = 0;
    // After Swapped: the new press point in pixels.
    int pressX = 0;
    int pressY = 0;

private:
    bool extend(const DockList& docked, int end, int meeting, int beforeEdge, int afterEdge);
    Drag swapAcross(const DockList& docked, const DockMetrics& metrics, bool toStart);
};

}  // namespace Window
