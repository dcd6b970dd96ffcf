#pragma once
// The CPU side of a read-back: a block that takes a GPU texture's rows,
// top row first, rowPitch bytes apart (the byte width rounded up to 32, as
// images lay out their rows). Short-lived; one per read-back.
#include "core/base/AlignedBuffer.h"
#include "platform/WinTypes.h"

#include <cstdint>

namespace Platform::Gl {
class Texture;
}

namespace Media {

class ImageBuffer;

class CpuAccessBuffer {
public:
    // Fails as the device does for a format the GPU layer cannot keep.
    CpuAccessBuffer(UINT width, UINT height, int format);

    // The texture's contents (same size and format) into the block.
    void copyFrom(Platform::Gl::Texture& texture);
    // A block of the texture's size in that format, filled from it; a
    // missing texture fails as an empty staging texture does.
    static CpuAccessBuffer readBack(Platform::Gl::Texture* texture, int format);
    // The rows into the image (its format kept), sized to the block with
    // the block's row pitch.
    void copyTo(ImageBuffer& image) const;
    // Hands the rows to the image without copying them (its format kept);
    // the block is empty afterwards.
    void moveTo(ImageBuffer& image) &&;

    const std::uint8_t* data() const { return block_.data; }
    UINT getRowPitch() const { return rowPitch_; }
    UINT getWidth() const { return width_; }
    UINT getHeight() const { return height_; }

private:
    UINT width_;
    UINT height_;
    int format_;
    UINT rowPitch_;
    System::AlignedBuffer block_;
};

}  // namespace Media
