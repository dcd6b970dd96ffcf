#pragma once
// File drops on program windows over GDK drag and drop. A window registers
// a sink; drags that offer a file list ("text/uri-list") reach it as
// enter (the local paths, read once per entry), over, leave and drop, each
// with the pointer in screen coordinates; the answers of enter, over and
// drop decide whether the source sees the copy action or none. Drags that
// offer no file list reach nothing and see no action. A drop is followed
// by a leave. User-interface thread only.
#include "platform/gtk/Messages.h"

#include <memory>
#include <string>
#include <vector>

namespace Platform {

class DropSink {
public:
    virtual ~DropSink() = default;
    // True: the drag is taken here (copy).
    virtual bool dragEnter(const std::vector<std::wstring>& files, POINT point) = 0;
    virtual bool dragOver(POINT point) = 0;
    virtual void dragLeave() = 0;
    virtual bool drop(POINT point) = 0;
};

// False when the window is not a window or already has a sink.
bool registerDragDrop(WindowHandle window, std::shared_ptr<DropSink> sink);
// False when the window has no sink.
bool revokeDragDrop(WindowHandle window);

// Starts dragging files out of a window (from a press being dragged): the
// files are offered as a "text/uri-list" with the copy action, to the
// program's own windows and to other programs alike. Returns at once; the
// toolkit runs the drag. False when the window is not a window or the list
// is empty.
bool beginFileDrag(WindowHandle window, const std::vector<std::wstring>& paths);

// The text/uri-list of local paths ("file:" URIs, CR LF after each).
std::string uriListFromPaths(const std::vector<std::wstring>& paths);

// The local paths of a text/uri-list ("file:" URIs, percent-decoded, in
// their order; comments and other URIs skipped).
std::vector<std::wstring> pathsFromUriList(const std::string& uriList);

}  // namespace Platform
