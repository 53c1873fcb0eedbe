// Measurements of the cat's cry: timing, level, loudness over time, pitch and timbre.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "MediaBytes.h"

namespace media_test {
namespace {

constexpr double kRate = 22050;
constexpr std::size_t kData = 56, kCount = 11483;

class Clip {
public:
    Clip() {
        const Bytes b = LoadMedia("NekoVoice.wav");
        for (std::size_t i = kData; i < kData + kCount && i < b.size(); ++i)
            s_.push_back(b[i] - 128);
    }

    std::size_t Size() const { return s_.size(); }
    int operator[](std::size_t i) const { return s_[i]; }
    static std::size_t At(double seconds) {
        return static_cast<std::size_t>(seconds * kRate + 0.5);
    }

    int MaxLevel(double from, double to) const {
        int m = 0;
        for (std::size_t i = At(from); i < At(to) && i < s_.size(); ++i)
            m = std::max(m, std::abs(s_[i]));
        return m;
    }

    double Rms(double from, double to) const {
        double sum = 0;
        const std::size_t a = At(from), b = std::min(At(to), s_.size());
        for (std::size_t i = a; i < b; ++i) sum += double(s_[i]) * s_[i];
        return std::sqrt(sum / double(b - a));
    }

    // Fundamental of a 30 ms window from `from`: the lag of the strongest normalised
    // autocorrelation between 450 and 900 Hz, refined by a parabola through its neighbours.
    double Pitch(double from) const {
        const std::size_t a = At(from), n = At(0.030);
        auto r = [&](int lag) {
            double xy = 0, xx = 0, yy = 0;
            for (std::size_t i = a; i < a + n; ++i) {
                const double x = s_[i], y = s_[i + static_cast<std::size_t>(lag)];
                xy += x * y, xx += x * x, yy += y * y;
            }
            return xy / std::sqrt(xx * yy + 1e-9);
        };
        const int lo = static_cast<int>(kRate / 900), hi = static_cast<int>(kRate / 450);
        int best = lo;
        for (int lag = lo; lag <= hi; ++lag)
            if (r(lag) > r(best)) best = lag;
        const double l = r(best - 1), c = r(best), rr = r(best + 1);
        const double shift = (l - rr) / (2 * (l - 2 * c + rr));
        return kRate / (best + shift);
    }

    // Power of the frequency f in a window (Goertzel).
    double Power(double from, double to, double f) const {
        const double w = 2 * std::acos(-1.0) * f / kRate, k = 2 * std::cos(w);
        double s1 = 0, s2 = 0;
        for (std::size_t i = At(from); i < At(to); ++i) {
            const double s0 = s_[i] + k * s1 - s2;
            s2 = s1, s1 = s0;
        }
        return s1 * s1 + s2 * s2 - k * s1 * s2;
    }

private:
    std::vector<int> s_;
};

TEST(VoiceClip, StartsAfterAboutSixteenMillisecondsOfSilence) {
    const Clip clip;
    ASSERT_EQ(clip.Size(), kCount);
    EXPECT_EQ(clip.MaxLevel(0, 0.015), 0);
    EXPECT_GE(clip.MaxLevel(0.015, 0.020), 2);
}

TEST(VoiceClip, PeaksLie45BelowAnd38AboveSilence) {
    const Clip clip;
    int low = 0, high = 0;
    for (std::size_t i = 0; i < clip.Size(); ++i)
        low = std::min(low, clip[i]), high = std::max(high, clip[i]);
    EXPECT_EQ(low, -45);
    EXPECT_EQ(high, 38);
}

TEST(VoiceClip, SwellsOverTheFirstTenthAndIsLoudestBetween100And200Ms) {
    const Clip clip;
    EXPECT_LT(clip.Rms(0.02, 0.03), clip.Rms(0.05, 0.06));
    EXPECT_LT(clip.Rms(0.05, 0.06), clip.Rms(0.09, 0.10));
    double loudest = 0, at = 0;
    for (double t = 0; t + 0.010 <= kCount / kRate; t += 0.010)
        if (clip.Rms(t, t + 0.010) > loudest) loudest = clip.Rms(t, t + 0.010), at = t;
    EXPECT_GE(at, 0.100);
    EXPECT_LT(at, 0.200);
    EXPECT_GT(clip.Rms(0.1, 0.2), 1.2 * clip.Rms(0.016, 0.1));
    EXPECT_GT(clip.Rms(0.1, 0.2), 1.2 * clip.Rms(0.2, 0.3));
}

TEST(VoiceClip, SoundsForAboutFortySixHundredthsThenFadesToNearSilence) {
    const Clip clip;
    EXPECT_GE(clip.MaxLevel(0.42, 0.44), 2) << "still sounding shortly before the end";
    EXPECT_LE(clip.MaxLevel(0.470, 1.0), 1) << "faded out by 0.47 s";
    EXPECT_LE(clip.MaxLevel(kCount / kRate - 0.045, 1.0), 1) << "last 45 ms";
}

TEST(VoiceClip, PitchFallsSteadilyFromAbout710ToAbout600Hz) {
    const Clip clip;
    const double first = clip.Pitch(0.025), last = clip.Pitch(0.425);
    EXPECT_NEAR(first, 710, 15);
    EXPECT_NEAR(last, 600, 15);
    double previous = first;
    for (double t = 0.105; t <= 0.43; t += 0.08) {
        const double f = clip.Pitch(t);
        EXPECT_LT(f, previous) << "at " << t << " s";
        EXPECT_GT(f, last - 5);
        previous = f;
    }
}

TEST(VoiceClip, IsRichInOvertones) {
    const Clip clip;
    for (double t : {0.12, 0.25, 0.35}) {
        const double f0 = clip.Pitch(t), fundamental = clip.Power(t, t + 0.03, f0);
        double overtones = 0;
        int strong = 0;
        for (int k = 2; k <= 8; ++k) {
            const double p = clip.Power(t, t + 0.03, k * f0);
            overtones += p;
            strong += p > 0.05 * fundamental;
        }
        EXPECT_GT(overtones, fundamental) << "at " << t << " s";
        EXPECT_GE(strong, 3) << "at " << t << " s";
    }
}

}  // namespace
}  // namespace media_test
