// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// Writes the sound of the marks: a soft two-note chime of 0.25 seconds as a
// 16-bit mono WAV file at 44,100 samples per second. Built and run by the
// build, so the file that is installed is always the one this code makes;
// the same code gives the same bytes on every machine that rounds sine
// values alike.
//
//   make_mark_sound OUTPUT.wav

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int SampleRate = 44100;
constexpr double Seconds = 0.25;
// A5 and the E6 a fifth above it, the upper note softer: round, not shrill.
constexpr double Fundamental = 880.0;
constexpr double Fifth = 1318.5;
constexpr double FifthShare = 0.35;
// Half of full scale at the loudest: a gentle sound next to the desktop's own.
constexpr double Peak = 0.5;
constexpr double AttackSeconds = 0.006;  // a click-free start
constexpr double DecaySeconds = 0.06;    // the ring dies away like a small bell
constexpr double FadeSeconds = 0.02;     // reaches exact silence at the end

std::vector<std::int16_t> chime()
{
    const int count = int(SampleRate * Seconds);
    std::vector<std::int16_t> samples(std::size_t(count), 0);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / SampleRate;
        const double attack = std::min(1.0, t / AttackSeconds);
        const double fade = std::min(1.0, (Seconds - t) / FadeSeconds);
        const double envelope = attack * std::exp(-t / DecaySeconds) * std::max(0.0, fade);
        const double wave = (std::sin(2 * std::numbers::pi * Fundamental * t)
                             + FifthShare * std::sin(2 * std::numbers::pi * Fifth * t))
            / (1 + FifthShare);
        samples[std::size_t(i)] = std::int16_t(std::lround(32767 * Peak * envelope * wave));
    }
    return samples;
}

void put(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));  // little-endian
}

void putTag(std::vector<unsigned char>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

std::vector<unsigned char> wav(const std::vector<std::int16_t>& samples)
{
    const auto dataBytes = std::uint32_t(samples.size() * 2);
    std::vector<unsigned char> out;
    putTag(out, "RIFF");
    put(out, 36 + dataBytes, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put(out, 16, 4);              // size of the format chunk
    put(out, 1, 2);               // PCM
    put(out, 1, 2);               // one channel
    put(out, SampleRate, 4);
    put(out, SampleRate * 2, 4);  // bytes per second
    put(out, 2, 2);               // bytes per frame
    put(out, 16, 2);              // bits per sample
    putTag(out, "data");
    put(out, dataBytes, 4);
    for (const std::int16_t sample : samples)
        put(out, std::uint16_t(sample), 2);
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: make_mark_sound OUTPUT.wav\n", stderr);
        return 2;
    }
    const std::vector<unsigned char> bytes = wav(chime());
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
