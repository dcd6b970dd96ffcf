#pragma once
// The sound side shared by the AVI and WAV files: choosing what the file
// delivers (PCM and float as stored, anything else through the decoder as
// 16-bit PCM) and feeding compressed bytes through the decoder.
#include "core/file/File.h"
#include "media/audio/AudioBlockBuffer.h"
#include "media/codec/AudioDecompressor.h"

#include <cstdint>

namespace Plugin {

class InputFile;

namespace AudioStreamOutput {

// Sets the file's audio format, bits, channels and rate from the source
// format held in the decoder (opening the decoder for compressed tags);
// false when the sound cannot be delivered. decoding tells whether reads go
// through the decoder.
bool setup(InputFile& file, Media::AudioDecompressor& decoder, bool& decoding);
// The block format of the file's delivered sound.
Media::AudioFormat blockFormat(const InputFile& file);
// Appends size bytes read at a file position to the decoder's pending
// source; raises "not enough source buffer." when they do not fit.
void feed(System::File& file, std::uint64_t position, std::uint64_t size, Media::AudioDecompressor& decoder);
// Moves up to room undelivered decoded bytes to out; returns the count.
std::uint32_t take(Media::AudioDecompressor& decoder, std::uint8_t* out, std::uint32_t room);

}  // namespace AudioStreamOutput
}  // namespace Plugin
