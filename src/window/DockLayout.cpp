#include "window/DockLayout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Window {

namespace {

bool docked(const ClientPlacement& panel) { return panel.floating == 0; }
bool shownDocked(const ClientPlacement& panel) { return panel.shown() && docked(panel); }

bool sameEdge(float a, float b) { return std::fabs(a - b) < DockLayout::kEdgeTolerance; }

// Start and end edges along an area's axis.
int startEdge(int area) { return DockLayout::stacksVertically(area) ? EdgeTop : EdgeLeft; }
int endEdge(int area) { return DockLayout::stacksVertically(area) ? EdgeBottom : EdgeRight; }

int truncated(int size, float fraction) {
    return static_cast<int>(static_cast<double>(size) * static_cast<double>(fraction));
}

}  // namespace

bool DockLayout::stacksVertically(int area) { return area == AreaLeft || area == AreaRight; }

PixelRect DockLayout::pixelRect(const ClientPlacement& panel, const DockMetrics& m) {
    PixelRect r;
    r.x0 = truncated(m.width, panel.left) + 1;
    r.y0 = truncated(m.height, panel.top);
    r.x1 = std::max(r.x0, truncated(m.width, panel.right) - m.separator + 1);
    r.y1 = std::max(r.y0, truncated(m.height, panel.bottom) - m.separator);
    return r;
}

DockList DockLayout::clientsInArea(const DockList& list, int area) {
    DockList result;
    for (ClientPlacement* panel : list)
        if (shownDocked(*panel) && panel->area == area) result.push_back(panel);
    return result;
}

DockList DockLayout::sortedClientsInArea(const DockList& list, int area) {
    DockList result = clientsInArea(list, area);
    const int start = startEdge(area);
    std::stable_sort(result.begin(), result.end(), [start](const ClientPlacement* a, const ClientPlacement* b) {
        return a->edge(start) < b->edge(start);
    });
    return result;
}

FractionRect DockLayout::areaBounds(const DockList& list,
                                    const std::function<bool(const ClientPlacement&)>& select) {
    bool any = false;
    FractionRect b;
    for (const ClientPlacement* panel : list) {
        if (!shownDocked(*panel) || !select(*panel)) continue;
        if (!any) {
            b = {panel->left, panel->top, panel->right, panel->bottom};
            any = true;
            continue;
        }
        b.left = std::min(b.left, panel->left);
        b.top = std::min(b.top, panel->top);
        b.right = std::max(b.right, panel->right);
        b.bottom = std::max(b.bottom, panel->bottom);
    }
    if (!any || b.right - b.left <= 0 || b.bottom - b.top <= 0) return {};
    return b;
}

void DockLayout::normalizeLayout(const DockList& list) {
    for (ClientPlacement* panel : list) {
        panel->left = std::clamp(panel->left, 0.0f, 0.999f);
        panel->top = std::clamp(panel->top, 0.0f, 0.999f);
        panel->right = panel->right > 1.0f ? 1.0f : std::max(panel->right, panel->left);
        panel->bottom = panel->bottom > 1.0f ? 1.0f : std::max(panel->bottom, panel->top);
    }
    FractionRect remaining{0, 0, 1, 1};
    for (int area = AreaLeft; area <= AreaCenter; ++area) fitArea(list, area, remaining);
}

void DockLayout::fitArea(const DockList& list, int area, FractionRect& remaining) {
    const DockList panels = clientsInArea(list, area);
    if (panels.empty()) return;
    FractionRect a = areaBounds(list, [area](const ClientPlacement& p) { return p.area == area; });
    const FractionRect b = areaBounds(list, [area](const ClientPlacement& p) { return p.area > area; });
    if (a.right - a.left <= 0 || a.bottom - a.top <= 0) a = {0, 0, kMinimumExtent, kMinimumExtent};

    FractionRect rect = remaining;
    const bool across = area == AreaLeft || area == AreaRight;
    const double g = across ? std::max<double>(a.right - a.left, 0) : std::max<double>(a.bottom - a.top, 0);
    const double m = across ? std::max<double>(b.right - b.left, 0) : std::max<double>(b.bottom - b.top, 0);
    const double width = static_cast<double>(remaining.right) - remaining.left;
    const double height = static_cast<double>(remaining.bottom) - remaining.top;
    switch (area) {
    case AreaLeft:
        rect.right = m > 0 ? static_cast<float>(remaining.left + width * g / (m + g)) : remaining.right;
        remaining.left = rect.right;
        break;
    case AreaRight:
        rect.left = m > 0 ? static_cast<float>(remaining.right - width * g / (m + g)) : remaining.left;
        remaining.right = rect.left;
        break;
    case AreaTop:
        rect.bottom = m > 0 ? static_cast<float>(remaining.top + height * g / (m + g)) : remaining.bottom;
        remaining.top = rect.bottom;
        break;
    case AreaBottom:
        rect.top = m > 0 ? static_cast<float>(remaining.bottom - height * g / (m + g)) : remaining.top;
        remaining.bottom = rect.top;
        break;
    default:
        break;
    }
    distributeArea(panels, area, rect);
}

void DockLayout::distributeArea(DockList panels, int area, const FractionRect& rect) {
    const int start = startEdge(area);
    const int end = endEdge(area);
    std::stable_sort(panels.begin(), panels.end(), [&](const ClientPlacement* a, const ClientPlacement* b) {
        return a->edge(start) + a->edge(end) < b->edge(start) + b->edge(end);
    });
    std::vector<double> sizes;
    double sum = 0;
    for (const ClientPlacement* panel : panels) {
        sizes.push_back(std::max<double>(panel->edge(end) - panel->edge(start), kMinimumExtent));
        sum += sizes.back();
    }
    ClientPlacement bounds;
    bounds.left = rect.left;
    bounds.top = rect.top;
    bounds.right = rect.right;
    bounds.bottom = rect.bottom;
    const double from = bounds.edge(start);
    const double extent = static_cast<double>(bounds.edge(end)) - from;
    float position = bounds.edge(start);
    double sofar = 0;
    for (size_t i = 0; i < panels.size(); ++i) {
        ClientPlacement& panel = *panels[i];
        panel.copyFractions(bounds);
        panel.edge(start) = position;
        sofar += sizes[i];
        position = static_cast<float>(from + extent * sofar / sum);
        panel.edge(end) = position;
    }
}

void DockLayout::insertClient(const DockList& list, ClientPlacement& panel) {
    const int a = panel.area;
    const DockList others = clientsInArea(list, a);
    if (!others.empty()) {
        const FractionRect b = areaBounds(list, [a](const ClientPlacement& p) { return p.area == a; });
        const int start = startEdge(a);
        const int end = endEdge(a);
        if (stacksVertically(a)) {
            panel.left = b.left;
            panel.right = b.right;
        } else {
            panel.top = b.top;
            panel.bottom = b.bottom;
        }
        const double g = stacksVertically(a) ? b.top : b.left;
        const double h = stacksVertically(a) ? b.bottom : b.right;
        const double length = std::max(h - g, static_cast<double>(kMinimumExtent));
        const double k =
            (length - std::max<double>(panel.edge(end) - panel.edge(start), kMinimumExtent)) / length;
        if (k <= 0) return;
        const double centre = (static_cast<double>(panel.edge(start)) + panel.edge(end)) / 2;
        for (ClientPlacement* other : others) {
            const double otherCentre = (static_cast<double>(other->edge(start)) + other->edge(end)) / 2;
            const double anchor = centre > otherCentre ? g : h;
            for (int e : {start, end})
                other->edge(e) = static_cast<float>((other->edge(e) - anchor) * k + anchor);
        }
        return;
    }
    const bool across = a == AreaLeft || a == AreaRight;
    if (a == AreaCenter) return;
    const double factor =
        1.0 - std::max<double>(across ? panel.right - panel.left : panel.bottom - panel.top, kMinimumExtent);
    if (factor <= 0) return;
    // Away from the side of the new area: towards 1 for left and top, 0 for
    // right and bottom.
    const double anchor = (a == AreaLeft || a == AreaTop) ? 1.0 : 0.0;
    const int first = across ? EdgeLeft : EdgeTop;
    const int second = across ? EdgeRight : EdgeBottom;
    for (ClientPlacement* other : list) {
        if (!shownDocked(*other) || other == &panel) continue;
        for (int e : {first, second})
            other->edge(e) = static_cast<float>((other->edge(e) - anchor) * factor + anchor);
    }
}

void DockLayout::moveToFirst(const DockList& list, ClientPlacement& p) {
    const DockList others = clientsInArea(list, p.area);
    if (others.size() >= 2) {
        const int a = p.area;
        const FractionRect b = areaBounds(list, [a](const ClientPlacement& c) { return c.area == a; });
        const float width = p.right - p.left;
        const float height = p.bottom - p.top;
        for (ClientPlacement* other : others) {
            if (other == &p) continue;
            if (other->left < p.left) {
                other->left += width;
                other->right += width;
            }
            if (other->top < p.top) {
                other->top += height;
                other->bottom += height;
            }
        }
        p.left = b.left;
        p.top = b.top;
        p.right = b.left + width;
        p.bottom = b.top + height;
    }
    normalizeLayout(list);
}

void DockLayout::moveToLast(const DockList& list, ClientPlacement& p) {
    const DockList others = clientsInArea(list, p.area);
    if (others.size() >= 2) {
        const int a = p.area;
        const FractionRect b = areaBounds(list, [a](const ClientPlacement& c) { return c.area == a; });
        const float width = p.right - p.left;
        const float height = p.bottom - p.top;
        for (ClientPlacement* other : others) {
            if (other == &p) continue;
            if (other->right > p.right) {
                other->left -= width;
                other->right -= width;
            }
            if (other->bottom > p.bottom) {
                other->top -= height;
                other->bottom -= height;
            }
        }
        p.right = b.right;
        p.bottom = b.bottom;
        p.left = b.right - width;
        p.top = b.bottom - height;
    }
    normalizeLayout(list);
}

namespace {

void exchangeWithNeighbour(const DockList& list, ClientPlacement& p, int step) {
    const DockList sorted = DockLayout::sortedClientsInArea(list, p.area);
    const auto found = std::find(sorted.begin(), sorted.end(), &p);
    if (sorted.size() >= 2 && found != sorted.end()) {
        const long i = found - sorted.begin();
        const long j = i + step;
        if (j >= 0 && j < static_cast<long>(sorted.size())) p.swapFractions(*sorted[j]);
    }
    DockLayout::normalizeLayout(list);
}

}  // namespace

void DockLayout::moveUp(const DockList& list, ClientPlacement& p) { exchangeWithNeighbour(list, p, -1); }

void DockLayout::moveDown(const DockList& list, ClientPlacement& p) { exchangeWithNeighbour(list, p, 1); }

ClientPlacement* DockLayout::findAdjacentClient(const DockList& list, int e1, float a, int e2, float b,
                                                const ClientPlacement* excluded) {
    for (ClientPlacement* panel : list) {
        if (panel == excluded || !docked(*panel)) continue;
        if (sameEdge(panel->edge(e1), a) && sameEdge(panel->edge(e2), b)) return panel;
    }
    return nullptr;
}

bool DockSplitter::contains(const ClientPlacement* panel) const {
    return std::find(clients.begin(), clients.end(), panel) != clients.end();
}

bool DockSplitter::find(const DockList& list, const DockMetrics& metrics, int x, int y) {
    clients.clear();
    std::vector<std::pair<int, ClientPlacement*>> distances;
    for (ClientPlacement* panel : list) {
        if (!docked(*panel)) continue;
        int distance = 65536;
        if (panel->shown()) {
            const PixelRect r = DockLayout::pixelRect(*panel, metrics);
            distance = std::max(std::max(r.x0 - x, x - r.x1), std::max(r.y0 - y, y - r.y1));
        }
        distances.emplace_back(distance, panel);
    }
    std::stable_sort(distances.begin(), distances.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    if (distances.size() < 2 || distances[0].first > metrics.separator || distances[1].first > metrics.separator)
        return false;
    return shareEdge(distances[0].second, distances[1].second);
}

bool DockSplitter::shareEdge(ClientPlacement* a, ClientPlacement* b) {
    if (sameEdge(a->right, b->left)) {
        horizontal = false;
        position = a->right;
    } else if (sameEdge(a->bottom, b->top)) {
        horizontal = true;
        position = a->bottom;
    } else if (sameEdge(b->right, a->left)) {
        horizontal = false;
        position = b->right;
        std::swap(a, b);
    } else if (sameEdge(b->bottom, a->top)) {
        horizontal = true;
        position = b->bottom;
        std::swap(a, b);
    } else {
        return false;
    }
    clients = {a, b};
    return true;
}

bool DockSplitter::collect(const DockList& list) {
    if (clients.size() < 2) return false;
    if (horizontal)
        return extend(list, EdgeLeft, EdgeRight, EdgeBottom, EdgeTop) &&
               extend(list, EdgeRight, EdgeLeft, EdgeBottom, EdgeTop);
    return extend(list, EdgeTop, EdgeBottom, EdgeRight, EdgeLeft) &&
           extend(list, EdgeBottom, EdgeTop, EdgeRight, EdgeLeft);
}

bool DockSplitter::extend(const DockList& list, int end, int meeting, int beforeEdge, int afterEdge) {
    ClientPlacement* q = clients[0];
    ClientPlacement* p = clients[1];
    const bool towardsStart = end == EdgeLeft || end == EdgeTop;
    // Each turn adds a panel; a line longer than the list of panels runs in
    // a circle through panels of no extent.
    for (size_t turn = 0; turn <= list.size(); ++turn) {
        q->movingEdge = beforeEdge;
        q->limitEdge = afterEdge;
        p->movingEdge = afterEdge;
        p->limitEdge = beforeEdge;
        const float d = q->edge(end);
        const float e = p->edge(end);
        if (d == e) {
            const ClientPlacement* r = DockLayout::findAdjacentClient(list, beforeEdge, position, meeting, d, q);
            const ClientPlacement* s = DockLayout::findAdjacentClient(list, afterEdge, position, meeting, e, p);
            if (!r || !s || (r->area != q->area && s->area != p->area)) return true;
        }
        const bool extendAfter = towardsStart ? d <= e : d > e;
        ClientPlacement* next = extendAfter
                                    ? DockLayout::findAdjacentClient(list, afterEdge, position, meeting, e, p)
                                    : DockLayout::findAdjacentClient(list, beforeEdge, position, meeting, d, q);
        if (!next || contains(next)) return false;
        clients.push_back(next);
        (extendAfter ? p : q) = next;
    }
    return false;
}

DockSplitter::Drag DockSplitter::drag(const DockList& list, const DockMetrics& metrics, int dx, int dy) {
    const double size = horizontal ? metrics.height : metrics.width;
    if (size <= 0 || clients.empty()) return Drag::Moved;
    const double c = (horizontal ? dy : dx) / size;
    double target = position + c;
    const double e = DockLayout::kMinimumPanelPixels / size;
    const bool towardsStart = c < 0;

    if (clients.size() == 2 && clients[0]->area == clients[1]->area) {
        const ClientPlacement& q = *clients[0];
        const ClientPlacement& p = *clients[1];
        bool ok;
        bool past;
        if (towardsStart) {
            const double limit = q.edge(q.limitEdge);
            ok = target >= limit + e;
            past = target < limit;
        } else {
            const double limit = p.edge(p.limitEdge);
            ok = target <= limit - e;
            past = target > limit;
        }
        if (!ok) return past ? swapAcross(list, metrics, towardsStart) : Drag::SwapCursor;
    }

    for (const ClientPlacement* panel : clients) {
        const double limit = panel->edge(panel->limitEdge);
        if (towardsStart && limit < position) target = std::max(target, limit + e);
        if (!towardsStart && limit > position) target = std::min(target, limit - e);
    }
    double delta = target - position;
    if ((delta > 0 && c < 0) || (delta < 0 && c >= 0)) delta = 0;
    // Every step is measured from the press, so a pointer back at the press
    // point puts the line back where it was.
    const float edge = static_cast<float>(position + delta);
    for (ClientPlacement* panel : clients) panel->edge(panel->movingEdge) = edge;
    return Drag::Moved;
}

DockSplitter::Drag DockSplitter::swapAcross(const DockList& list, const DockMetrics& metrics, bool toStart) {
    ClientPlacement* q = clients[0];
    ClientPlacement* p = clients[1];
    const DockList sorted = DockLayout::sortedClientsInArea(list, q->area);
    const auto found = std::find(sorted.begin(), sorted.end(), p);
    const long i = found == sorted.end() ? -1 : found - sorted.begin();
    const long n = static_cast<long>(sorted.size());
    if (!toStart && i >= n - 1) return Drag::SwapCursor;
    q->edge(q->movingEdge) = position;
    p->edge(p->movingEdge) = position;
    if (!toStart) {
        if (i < 0) return Drag::SwapCursor;
        clients[0] = sorted[i + 1];
    }
    clients[0]->swapFractions(*clients[1]);

    const PixelRect first = DockLayout::pixelRect(*clients[0], metrics);
    const PixelRect second = DockLayout::pixelRect(*clients[1], metrics);
    if (horizontal) {
        pressX = toStart ? (second.x0 + second.x1) / 2 : (first.x0 + first.x1) / 2;
        pressY = toStart ? second.y0 : first.y1;
    } else {
        pressX = toStart ? second.x0 : first.x1;
        pressY = toStart ? (second.y0 + second.y1) / 2 : (first.y0 + first.y1) / 2;
    }
    if (find(list, metrics, pressX, pressY) && collect(list) && clients.size() == 2 &&
        clients[0]->area == clients[1]->area)
        return Drag::Swapped;
    clients.clear();
    return Drag::Ended;
}

}  // namespace Window
