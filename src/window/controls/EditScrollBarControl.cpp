#include "window/controls/EditScrollBarControl.h"

#include "window/controls/EditControl.h"

#include <algorithm>
#include <cmath>

namespace Control {

EditScrollBarControl::EditScrollBarControl(Window::WindowControlOwner& owner, EditControl& edit, int left, int width)
    : ScrollBarControl(owner, left, 0, width, 0), edit(edit) {
    bind();
}

EditScrollBarControl::EditScrollBarControl(Window::WindowControl& parent, EditControl& edit, int left, int width)
    : ScrollBarControl(parent, left, 0, width, 0), edit(edit) {
    bind();
}

EditScrollBarControl::~EditScrollBarControl() {
    if (edit.scrollBar == this) edit.scrollBar = nullptr;
    edit.onScroll = nullptr;
}

void EditScrollBarControl::bind() {
    edit.scrollBar = this;
    const float lineHeight = edit.textFormat ? edit.textFormat->getLineHeight() : 0.0f;
    step = 2 * static_cast<int>(std::ceil(lineHeight));
    edit.onScroll = [this](EditControl&) { updateFromEdit(); };
    onScroll = [this](ScrollBarControl&, int position) {
        this->edit.scrollY = position;
        this->edit.procPaint();
        updateFromEdit();
    };
    updateFromEdit();
}

void EditScrollBarControl::updateFromEdit() {
    const int height = edit.visibleRect().height;
    const int lineHeight = static_cast<int>(std::ceil(edit.textFormat ? edit.textFormat->getLineHeight() : 0.0f));
    minimum = 0;
    maximum = height >= 9 ? std::max(edit.textHeight + std::min(height / 4, lineHeight), 0) : 0;
    setViewRange(viewStart, viewEnd);
    setViewRange(edit.scrollY, edit.scrollY + std::max(height - 8, 0));
    procPaint();
}

}  // namespace Control
