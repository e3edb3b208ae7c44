// The two sound effects, synthesised: a dice rattle (two dice knocking on a board and each
// other, settling) and a short wooden button click.

#include "art/pictures.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kroda::art {

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// A small fixed generator so every build makes the same sounds.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {  // uniform in [-1, 1)
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return double(state_) / 2147483648.0 - 1.0;
    }

  private:
    std::uint32_t state_;
};

// One knock of a die: a burst of band-limited noise plus two short resonances of the wood.
void addKnock(std::vector<float>& out, double at, double loudness, double pitch, Noise& noise) {
    const int start = int(at * kRate);
    const int length = int(0.045 * kRate);
    double low = 0, band = 0;
    for (int i = 0; i < length && start + i < int(out.size()); ++i) {
        const double t = double(i) / kRate;
        const double envelope = std::exp(-t * 140.0) * std::min(1.0, t * 4000.0);
        // A simple state-variable filter shapes the noise into a clack.
        // Kept well below the filter's limit of stability.
        const double f = 2 * std::sin(kPi * std::min(pitch * 1.4, 3200.0) / kRate);
        const double input = noise.next();
        low += f * band;
        const double high = input - low - 0.6 * band;
        band += f * high;
        const double tone = 0.5 * std::sin(2 * kPi * pitch * t) +
                            0.3 * std::sin(2 * kPi * pitch * 2.7 * t) * std::exp(-t * 90);
        out[size_t(start + i)] += float(loudness * envelope * (0.7 * band + tone));
    }
}

void normalise(std::vector<float>& samples, double peak) {
    float most = 0;
    for (float s : samples) {
        most = std::max(most, std::fabs(s));
    }
    if (most > 0) {
        for (float& s : samples) {
            s = float(s / most * peak);
        }
    }
}

}  // namespace

QByteArray pcmWav(const std::vector<float>& samples, int sampleRate) {
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    QByteArray wav;
    auto put32 = [&](std::uint32_t v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto put16 = [&](std::uint16_t v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF", 4);
    put32(36 + dataBytes);
    wav.append("WAVEfmt ", 8);
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(std::uint32_t(sampleRate));
    put32(std::uint32_t(sampleRate * 2));
    put16(2);
    put16(16);
    wav.append("data", 4);
    put32(dataBytes);
    for (float s : samples) {
        const long v = std::lround(std::clamp(s, -1.f, 1.f) * 32767.0f);
        put16(std::uint16_t(std::int16_t(v)));
    }
    return wav;
}

QByteArray diceRattleWav() {
    std::vector<float> samples(size_t(0.42 * kRate), 0.f);
    Noise noise(0x5eed503u);
    // The knocks come ever closer and softer as the dice settle.
    double at = 0.004;
    double gap = 0.055;
    double loudness = 1.0;
    int knock = 0;
    // A bounded number of knocks: the gaps shrink, so time alone would never end the rattle.
    while (at < 0.36 && knock < 24) {
        const double pitch = (knock % 2 == 0 ? 1900.0 : 2500.0) + 300.0 * noise.next();
        addKnock(samples, at, loudness, pitch, noise);
        if (knock % 3 == 1) {  // the second die answers the first a moment later
            addKnock(samples, at + 0.011, loudness * 0.6, pitch * 1.2, noise);
        }
        at += gap * (0.75 + 0.25 * noise.next());
        gap *= 0.86;
        loudness *= 0.84;
        ++knock;
    }
    normalise(samples, 0.8);
    // A short fade keeps the last sample from clicking.
    const size_t fade = size_t(0.01 * kRate);
    for (size_t i = 0; i < fade; ++i) {
        samples[samples.size() - 1 - i] *= float(i) / float(fade);
    }
    return pcmWav(samples, kRate);
}

QByteArray buttonClickWav() {
    std::vector<float> samples(size_t(0.07 * kRate), 0.f);
    Noise noise(0xc11c505u);
    addKnock(samples, 0.0, 1.0, 1500.0, noise);
    addKnock(samples, 0.018, 0.35, 2600.0, noise);
    normalise(samples, 0.7);
    const size_t fade = size_t(0.008 * kRate);
    for (size_t i = 0; i < fade; ++i) {
        samples[samples.size() - 1 - i] *= float(i) / float(fade);
    }
    return pcmWav(samples, kRate);
}

}  // namespace kroda::art
