// The cat's cry: synthesis and its RIFF WAVE container.
#pragma once

#include "ByteBuffer.h"

namespace mediagen {

constexpr int kVoiceRate = 22050;
constexpr int kVoiceSamples = 11483;

// Unsigned 8-bit mono samples, 128 = silence.
Bytes SynthesiseMeow();
// RIFF WAVE file with "fmt ", "fact" and "data" chunks and the pad byte.
Bytes WaveFile(const Bytes& samples);

}  // namespace mediagen
