// The meow is additive synthesis: a falling harmonic series shaped by moving mouth
// resonances (formants), plus a little breath noise, under a swell-hold-fade envelope.
// Only + - * /, sqrt and floor are used, all exactly rounded in IEEE arithmetic, so the
// samples are bit-identical on every machine and compiler.
#include "Voice.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace mediagen {
namespace {

constexpr double kRate = kVoiceRate;
constexpr double kStart = 0.016;  // seconds of silence before the cry
constexpr double kSwellEnd = 0.110;
constexpr double kHoldEnd = 0.190;
constexpr double kEnd = 0.470;     // the fade reaches zero here
constexpr double kHoldEdge = 0.9;  // level at both ends of the hold, relative to its crest
constexpr double kPitchStart = 712.0, kPitchEnd = 598.0;
constexpr int kLowPeak = 45, kHighPeak = 38;  // below / above 128

// sin(2*pi*turns) by reduction to a quarter turn and a Taylor series.
double SinTurns(double turns) {
    double t = turns - std::floor(turns);
    if (t > 0.5) t -= 1.0;
    if (t > 0.25) t = 0.5 - t;
    if (t < -0.25) t = -0.5 - t;
    const double x = t * 6.283185307179586, x2 = x * x;
    return x * (1 - x2 / 6 * (1 - x2 / 20 * (1 - x2 / 42 * (1 - x2 / 72 * (1 - x2 / 110)))));
}

double SmoothStep(double s) { return s <= 0 ? 0 : s >= 1 ? 1 : s * s * (3 - 2 * s); }

double Envelope(double t) {
    if (t < kStart || t >= kEnd) return 0;
    // A 3 ms onset to a soft start, then the swell; no click, no late start.
    const double onset = SmoothStep((t - kStart) / 0.003);
    if (t < kSwellEnd)
        return onset * (0.2 + (kHoldEdge - 0.2) * SmoothStep((t - kStart) / (kSwellEnd - kStart)));
    // The hold crests at its middle, so the loudest moment falls well inside it.
    const double mid = (kSwellEnd + kHoldEnd) / 2, half = (kHoldEnd - kSwellEnd) / 2;
    if (t < kHoldEnd) return 1 - (1 - kHoldEdge) * (t - mid) * (t - mid) / (half * half);
    const double s = 1 - (t - kHoldEnd) / (kEnd - kHoldEnd);
    return kHoldEdge * s * (0.3 + 0.7 * s);
}

struct Formant {
    double freq, width, gain;
};

// Mouth shapes of "m-i-a-o-u" across the cry, u = 0..1, eased between keyframes. A cat's
// short vocal tract puts its resonances well above a person's.
struct Vowel {
    double u;
    Formant f[4];
};
const Vowel kVowels[] = {
    {0.00, {{600, 160, 0.6}, {2400, 240, 0.30}, {4000, 320, 0.15}, {5500, 400, 0.05}}},
    {0.15, {{1000, 170, 1.0}, {2800, 240, 0.80}, {4200, 320, 0.40}, {5600, 400, 0.15}}},
    {0.40, {{1400, 180, 1.0}, {2400, 220, 0.90}, {3900, 300, 0.45}, {5300, 380, 0.20}}},
    {0.70, {{1100, 170, 1.0}, {1900, 200, 0.70}, {3600, 300, 0.30}, {5000, 380, 0.12}}},
    {1.00, {{800, 150, 0.9}, {1500, 190, 0.50}, {3400, 300, 0.20}, {4800, 380, 0.08}}},
};

Formant Mix(const Formant& a, const Formant& b, double w) {
    return {a.freq + (b.freq - a.freq) * w, a.width + (b.width - a.width) * w,
            a.gain + (b.gain - a.gain) * w};
}

// Gain of the vocal tract at frequency f for mouth position u.
double TractGain(double f, double u) {
    std::size_t k = 0;
    while (k + 2 < std::size(kVowels) && u > kVowels[k + 1].u) ++k;
    const Vowel& a = kVowels[k];
    const Vowel& b = kVowels[k + 1];
    const double w = SmoothStep((u - a.u) / (b.u - a.u));
    double g = 0.02;
    for (int i = 0; i < 4; ++i) {
        const Formant m = Mix(a.f[i], b.f[i], w);
        const double d = (f - m.freq) / m.width;
        g += m.gain / (1 + d * d);
    }
    return g;
}

// xorshift32: a fixed-seed generator so the breath noise never changes between runs.
struct Noise {
    std::uint32_t state = 0x2545F491u;
    double Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
};

std::vector<double> Synthesise() {
    std::vector<double> wave(kVoiceSamples, 0.0);
    Noise noise;
    double phase = 0, breath = 0;
    for (int n = 0; n < kVoiceSamples; ++n) {
        const double t = n / kRate, env = Envelope(t);
        if (env == 0) continue;
        const double u = (t - kStart) / (kEnd - kStart);
        // A slow 9 Hz wobble of a few hertz keeps the pitch from sounding electronic.
        const double f0 = kPitchStart + (kPitchEnd - kPitchStart) * u + 3.0 * SinTurns(9.0 * t);
        phase += f0 / kRate;
        phase -= std::floor(phase);
        double voiced = 0, power = 0;
        for (int k = 1; k * f0 < 9500.0; ++k) {
            // A bright glottal-like source: harmonics falling off as 1/sqrt(k), spread in phase.
            const double a = TractGain(k * f0, u) / std::sqrt(static_cast<double>(k));
            voiced += a * SinTurns(k * phase + 0.13 * k * k);
            power += a * a;
        }
        // Loudness follows the envelope alone, not the resonances sweeping past harmonics.
        voiced /= std::sqrt(power);
        breath = 0.75 * breath + 0.25 * noise.Next();
        wave[n] = env * (voiced + 0.10 * breath * (0.5 + 0.5 * TractGain(2000, u)));
    }
    return wave;
}

int RoundToInt(double v) { return static_cast<int>(std::floor(v + 0.5)); }

}  // namespace

Bytes SynthesiseMeow() {
    const std::vector<double> wave = Synthesise();
    double low = 0, high = 0;
    for (double v : wave) {
        if (v < low) low = v;
        if (v > high) high = v;
    }
    // The two half-waves are scaled apart so the loudest samples land exactly on the
    // intended peaks below and above the silence level.
    Bytes samples;
    samples.reserve(wave.size());
    for (double v : wave) {
        const double scaled = v < 0 ? v * kLowPeak / -low : v * kHighPeak / high;
        samples.push_back(static_cast<std::uint8_t>(128 + RoundToInt(scaled)));
    }
    return samples;
}

Bytes WaveFile(const Bytes& samples) {
    if (samples.size() != kVoiceSamples) throw std::logic_error("unexpected clip length");
    const auto count = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t padded = count + (count & 1);
    ByteBuffer out;
    out.Text("RIFF");
    out.U32(4 + (8 + 16) + (8 + 4) + (8 + padded));
    out.Text("WAVE");
    out.Text("fmt ");
    out.U32(16);
    out.U16(1);  // PCM
    out.U16(1);  // mono
    out.U32(kVoiceRate);
    out.U32(kVoiceRate);  // bytes per second at one byte per sample
    out.U16(1);           // block alignment
    out.U16(8);
    out.Text("fact");
    out.U32(4);
    out.U32(count);
    out.Text("data");
    out.U32(count);
    out.Append(samples);
    out.Zeros(padded - count);  // chunks are padded to an even length
    return out.Take();
}

}  // namespace mediagen
