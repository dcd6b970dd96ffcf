#include "media/audio/AudioFourier.h"

#include <array>
#include <cmath>
#include <complex>
#include <vector>

namespace Media::AudioFourier {

namespace {

constexpr int kBits = 11;

struct Tables {
    std::array<std::uint16_t, length> reversed;
    std::array<std::complex<float>, length / 2> twiddle;
    Tables() {
        for (int i = 0; i < length; ++i) {
            int r = 0;
            for (int b = 0; b < kBits; ++b)
                if (i & (1 << b)) r |= 1 << (kBits - 1 - b);
            reversed[i] = static_cast<std::uint16_t>(r);
        }
        const double step = -2.0 * M_PI / length;
        for (int k = 0; k < length / 2; ++k)
            twiddle[k] = {static_cast<float>(std::cos(step * k)), static_cast<float>(std::sin(step * k))};
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

void power(const float* input, float* out) {
    const Tables& t = tables();
    std::vector<std::complex<float>> x(length);
    for (int i = 0; i < length; ++i) x[t.reversed[i]] = {input[i], 0.0f};
    // Decimation in time: stages of half-size 1, 2, 4 ... 1024.
    for (int half = 1; half < length; half *= 2) {
        const int stride = length / (2 * half);
        for (int start = 0; start < length; start += 2 * half) {
            for (int k = 0; k < half; ++k) {
                const std::complex<float> b = x[start + k + half] * t.twiddle[k * stride];
                const std::complex<float> a = x[start + k];
                x[start + k] = a + b;
                x[start + k + half] = a - b;
            }
        }
    }
    for (int k = 0; k < bins; ++k) out[k] = x[k].real() * x[k].real() + x[k].imag() * x[k].imag();
}

}  // namespace Media::AudioFourier
