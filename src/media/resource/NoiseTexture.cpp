#include "media/resource/NoiseTexture.h"

#include "core/base/AlignedBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "platform/gl/DxgiFormat.h"

#include <algorithm>
#include <utility>

namespace Resource {

std::uint64_t NoiseTexture::Random::next() {
    const std::uint64_t s = state_;
    const std::uint64_t t = 97555u * s - 135829u * (s / 135829u);
    std::uint64_t x = t ^ (t << 17) ^ 0x137bd137bd137bd1ull;
    x = x ^ (x >> 19) ^ 0x37bd137bd137bd13ull;
    x = x ^ (x << 41) ^ 0x7bd137bd137bd137ull;
    x = x ^ (x >> 47) ^ 0xbd137bd137bd137bull;
    state_ = x;
    return x;
}

void NoiseTexture::fillRandomThreshold(float* cells) {
    for (int i = 0; i < cellCount; ++i) cells[i] = static_cast<float>(i / 65535.0);
    Random random;
    for (int i = 0; i < cellCount; ++i)
        for (int k = 0; k < 4; ++k) std::swap(cells[i], cells[random.next() & 0xffff]);
}

void NoiseTexture::fillSmoothNoise(float* cells) {
    std::vector<double> q(cellCount);
    Random random;
    for (double& value : q) value = static_cast<double>(random.next() % 4294967297ull) * 0x1p-32;
    auto at = [&](int x, int y) { return q[static_cast<std::size_t>(((y + side) % side) * side + (x + side) % side)]; };
    std::vector<double> n(cellCount);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            n[static_cast<std::size_t>(y * side + x)] =
                4 * at(x, y) + 2 * (at(x - 1, y) + at(x + 1, y) + at(x, y - 1) + at(x, y + 1)) +
                at(x - 1, y - 1) + at(x + 1, y - 1) + at(x - 1, y + 1) + at(x + 1, y + 1);
    const auto [low, high] = std::minmax_element(n.begin(), n.end());
    const double min = *low, range = *high - *low;
    for (int i = 0; i < cellCount; ++i) cells[i] = static_cast<float>((n[static_cast<std::size_t>(i)] - min) / range - 0.5);
}

std::shared_ptr<Media::ResourceBuffer> NoiseTexture::get() {
    std::lock_guard lock(mutex_);
    if (texture_) return texture_;
    System::AlignedBuffer cells;
    cells.allocMemory(cellCount * sizeof(float));
    generator_(cells.as<float>());
    auto texture = std::make_shared<Media::ResourceBuffer>(side, side, DXGI_FORMAT_R32_FLOAT);
    texture->createTexture2D(cells.data);
    texture_ = std::move(texture);
    return texture_;
}

}  // namespace Resource
