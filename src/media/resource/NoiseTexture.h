#pragma once
// A shared 256 x 256 single-channel float texture made on its first
// request by its generator, then handed to every later caller. The values
// come from one 64-bit generator with a fixed start, so every run and
// every machine gets the same pictures.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace Media {
class ResourceBuffer;
}

namespace Resource {

class NoiseTexture {
public:
    static constexpr int side = 256;
    static constexpr int cellCount = side * side;

    // Fills the cells, row-major (cell i at column i mod 256, row i / 256).
    using Generator = std::function<void(float* cells)>;

    explicit NoiseTexture(Generator generator) : generator_(std::move(generator)) {}

    // Made on the first call (any thread; concurrent first calls get the
    // same texture). A failure leaves the holder empty for the next call.
    std::shared_ptr<Media::ResourceBuffer> get();

    // The generator's steps, exposed for the two textures' fillers.
    class Random {
    public:
        static constexpr std::uint64_t start = 0xe6664c4f32c445c6ull;
        std::uint64_t next();

    private:
        std::uint64_t state_ = start;
    };

    // Each value i / 65535 once, shuffled by four swaps per cell.
    static void fillRandomThreshold(float* cells);
    // Neighbour-weighted random values scaled to span -0.5 to 0.5.
    static void fillSmoothNoise(float* cells);

private:
    Generator generator_;
    std::mutex mutex_;
    std::shared_ptr<Media::ResourceBuffer> texture_;
};

}  // namespace Resource
