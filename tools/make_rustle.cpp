// Writes the card rustle (assets/carta.wav): a short burst of filtered noise, 16-bit mono PCM.
// The seed is fixed so that every run writes the same bytes.
// Usage: make_rustle <output.wav>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 0.17;
constexpr double kPi = 3.14159265358979323846;

// A small generator of our own, so the noise is the same with every standard library.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {  // uniform in [-1, 1)
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// Second-order band-pass (the usual biquad), to give the noise the dry papery colour of a card.
class BandPass {
public:
    BandPass(double centre_hz, double q) {
        const double w = 2 * kPi * centre_hz / kRate;
        const double alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        b0_ = alpha / a0;
        b2_ = -alpha / a0;
        a1_ = -2 * std::cos(w) / a0;
        a2_ = (1 - alpha) / a0;
    }
    double step(double x) {
        const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double b0_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

void put16(std::ofstream& out, std::uint16_t v) {
    out.put(static_cast<char>(v & 0xff)).put(static_cast<char>(v >> 8));
}
void put32(std::ofstream& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_rustle <output.wav>\n";
        return 2;
    }
    const int n = static_cast<int>(kSeconds * kRate);
    Noise noise(0x5eed1234u);
    BandPass hiss(4200, 0.9), body(1500, 1.4);
    std::vector<double> s(n);
    double grain = 0;  // the flutter of the card's edge: a rough, quickly varying gain
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        if (i % 40 == 0) grain = 0.55 + 0.45 * std::abs(noise.next());
        const double attack = std::min(1.0, t / 0.006);
        // A first slap, then the slide along the cloth dying away.
        const double decay = 0.75 * std::exp(-t / 0.018) + 0.35 * std::exp(-t / 0.06);
        const double fade = std::min(1.0, (kSeconds - t) / 0.02);  // no click at the end
        const double x = noise.next();
        s[i] = (hiss.step(x) + 0.6 * body.step(x)) * grain * attack * decay * fade;
    }
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? 0.7 / peak : 0;

    std::ofstream out(argv[1], std::ios::binary);
    if (!out) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    const std::uint32_t data_bytes = static_cast<std::uint32_t>(n) * 2;
    out.write("RIFF", 4);
    put32(out, 36 + data_bytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, data_bytes);
    for (double v : s) put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * gain * 32767))));
    return out ? 0 : 1;
}
