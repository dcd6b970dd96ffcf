#pragma once
// What the bottom layers ask of the user interface without knowing its
// windows: the main window that receives posted commands and owns the
// boxes, the modal state around a box, layout requests, wait handles and
// the clipboard picture. The window service installs itself once the main
// window exists and removes itself before the window goes; until then boxes
// have no owner and the requests do nothing.
#include "platform/gtk/Messages.h"
#include "platform/gtk/WaitSource.h"

#include <functional>
#include <memory>

namespace Media {
class ImageBuffer;
}  // namespace Media

namespace System {

class UserInterface {
public:
    // Lives around a modal loop; the program's windows are disabled meanwhile.
    class ModalGuard {
    public:
        virtual ~ModalGuard() = default;
    };

    // Any thread: the window that posted commands go to, or null.
    virtual Platform::WindowHandle commandWindow() const = 0;
    // User-interface thread only, from here down.
    virtual std::unique_ptr<ModalGuard> beginModal() = 0;
    virtual void requestLayout() = 0;
    // The callback runs on the user-interface thread each time the handle
    // is signalled, until the handle is unregistered.
    virtual void registerWaitHandle(Platform::WaitHandle handle, std::function<void()> callback) = 0;
    virtual void unregisterWaitHandle(Platform::WaitHandle handle) = 0;
    virtual void setClipboardImage(const Media::ImageBuffer& image) = 0;

    // The installed interface, or null. Safe from any thread.
    static UserInterface* current();
    // Null removes it.
    static void install(UserInterface* ui);

protected:
    ~UserInterface() = default;
};

}  // namespace System
