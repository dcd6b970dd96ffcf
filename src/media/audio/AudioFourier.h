#pragma once
// The 2048-point transform behind the sound analyses: real input, no
// window, unnormalised; only the power of bins 0..1023 is used.
namespace Media::AudioFourier {

inline constexpr int length = 2048;
inline constexpr int bins = length / 2;

// power[k] = re^2 + im^2 of bin k (0..1023) of the 2048 input samples.
void power(const float* input, float* power);

}  // namespace Media::AudioFourier
