#include "window/WindowClientRenderTarget.h"

#include "media/draw/RenderTargetWindow.h"

namespace Window {

namespace {

// Without a window service (tools) the panel draws nowhere.
Media::RenderTarget& targetOf(Media::RenderTargetWindow* host) {
    static Media::RenderTarget nowhere;
    return host ? *host : nowhere;
}

}  // namespace

WindowClientRenderTarget::WindowClientRenderTarget(const wchar_t* title, std::string section,
                                                   const WindowClientLayout* layout, int kind)
    : WindowClient(title, std::move(section), layout, kind), Media::RenderTarget(targetOf(hostTarget())) {}

}  // namespace Window
