#pragma once
// The input of the preview picture and the handles drawn over it: the
// state the picture control hands its mouse operations and its layout and
// drawing hooks to.
// User-interface thread only.

namespace Component {

class PreviewVideoControl;

class PreviewVideoInput {
public:
    explicit PreviewVideoInput(PreviewVideoControl& control);
    ~PreviewVideoInput();
    PreviewVideoInput(const PreviewVideoInput&) = delete;
    PreviewVideoInput& operator=(const PreviewVideoInput&) = delete;

    PreviewVideoControl& control;
};

}  // namespace Component
