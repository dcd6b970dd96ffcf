#include "window/WindowClientSettings.h"

#include <cmath>

namespace Window {

namespace {

// "nan" and "inf" read as numbers; a fraction needs a finite one.
void keepFinite(float& value, float defaultValue) {
    if (!std::isfinite(value)) value = defaultValue;
}

}  // namespace

WindowClientSettings::WindowClientSettings(std::string sectionName, ClientPlacement& p,
                                           const WindowClientLayout& layout)
    : section(std::move(sectionName)),
      left_(group_, "left", &p.left, layout.left),
      top_(group_, "top", &p.top, layout.top),
      right_(group_, "right", &p.right, layout.right),
      bottom_(group_, "bottom", &p.bottom, layout.bottom),
      area_(group_, "area", &p.area, layout.area),
      hide_(group_, "hide", &p.hide, layout.shown ? 0 : 1),
      groupKey_(group_, "group", &p.group, 0),
      floating_(group_, "floating", &p.floating, 0),
      x_(group_, "x", &p.x, 0),
      y_(group_, "y", &p.y, 0),
      w_(group_, "w", &p.w, 0),
      h_(group_, "h", &p.h, 0),
      zoom_(group_, "zoom", &p.zoom, 0),
      scope_(group_) {
    keepFinite(p.left, layout.left);
    keepFinite(p.top, layout.top);
    keepFinite(p.right, layout.right);
    keepFinite(p.bottom, layout.bottom);
    // An area outside the five would leave the panel out of every layout.
    if (p.area < AreaLeft || p.area > AreaCenter) p.area = layout.area;
}

void WindowClientSettings::writeNow() {
    if (scope_.config && scope_.ini) scope_.config->save(*scope_.ini);
    scope_.ini = nullptr;
}

}  // namespace Window
