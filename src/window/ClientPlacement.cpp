#include "window/ClientPlacement.h"

#include <utility>

namespace Window {

float& ClientPlacement::edge(int index) {
    switch (index) {
    case EdgeLeft: return left;
    case EdgeTop: return top;
    case EdgeRight: return right;
    default: return bottom;
    }
}

float ClientPlacement::edge(int index) const {
    return const_cast<ClientPlacement*>(this)->edge(index);
}

void ClientPlacement::copyFractions(const ClientPlacement& other) {
    left = other.left;
    top = other.top;
    right = other.right;
    bottom = other.bottom;
}

void ClientPlacement::swapFractions(ClientPlacement& other) {
    std::swap(left, other.left);
    std::swap(top, other.top);
    std::swap(right, other.right);
    std::swap(bottom, other.bottom);
}

std::string Placements::explorerSection(int n) {
    return "Window.explorer:" + std::to_string(n);
}

}  // namespace Window
