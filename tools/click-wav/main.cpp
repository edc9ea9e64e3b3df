// Writes a click sound: a short, soft tick as 16-bit mono PCM WAV at 22050 Hz. The calendar's s2.wav
// uses the default pitch; the new-case dialog's tap.wav a lower one. Regenerate the committed files:
//   click-wav data/sounds/s2.wav
//   click-wav data/sounds/tap.wav 1100
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 0.035;

void put16(std::ofstream& out, uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(b, 2);
}
void put32(std::ofstream& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

// Two detuned partials under a fast exponential decay, with a 1 ms rise so the start does not pop.
std::vector<int16_t> clickSamples(double pitch) {
    const int n = static_cast<int>(kRate * kSeconds);
    std::vector<int16_t> s(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double rise = std::min(1.0, t / 0.001);
        const double decay = std::exp(-t / 0.006);
        const double tone = 0.7 * std::sin(2 * std::numbers::pi * pitch * t) + 0.3 * std::sin(2 * std::numbers::pi * pitch * (3100.0 / 1900.0) * t);
        s[static_cast<size_t>(i)] = static_cast<int16_t>(std::lround(0.5 * 32767 * rise * decay * tone));
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: click-wav OUTPUT.wav [PITCH_HZ]\n");
        return 2;
    }
    const double pitch = argc == 3 ? std::atof(argv[2]) : 1900.0;
    if (pitch < 100 || pitch > 8000) {
        std::fprintf(stderr, "click-wav: pitch must lie between 100 and 8000 Hz\n");
        return 2;
    }
    const std::vector<int16_t> samples = clickSamples(pitch);
    const auto dataBytes = static_cast<uint32_t>(samples.size() * sizeof(int16_t));
    std::ofstream out(argv[1], std::ios::binary);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);        // format chunk size
    put16(out, 1);         // PCM
    put16(out, 1);         // mono
    put32(out, kRate);
    put32(out, kRate * 2); // bytes per second
    put16(out, 2);         // bytes per frame
    put16(out, 16);        // bits per sample
    out.write("data", 4);
    put32(out, dataBytes);
    for (int16_t v : samples) put16(out, static_cast<uint16_t>(v));
    if (!out) {
        std::fprintf(stderr, "click-wav: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
