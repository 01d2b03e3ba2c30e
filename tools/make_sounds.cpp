// Makes the sounds the program ships: a door chime and a bell as mono 16-bit WAVE files, and a
// short tune as a standard MIDI file for the General MIDI sound font. Each sound is a sum of
// decaying sine partials, so the files come out the same on every build.
//   make_sounds OUTPUT_FOLDER
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Partial
{
    double ratio;     // of the note's frequency
    double amplitude; // relative
    double decay;     // seconds for the partial to fall to 1/e
};

// One struck note: its partials from `start` on, with a short rise so it does not click.
void strike(std::vector<double>& samples, double start, double frequency,
            const std::vector<Partial>& partials)
{
    const auto first = static_cast<size_t>(start * kRate);
    for (size_t i = first; i < samples.size(); ++i) {
        const double t = double(i - first) / kRate;
        const double rise = std::min(1.0, t / 0.004);
        double v = 0;
        for (const Partial& p : partials)
            v += p.amplitude * std::exp(-t / p.decay) * std::sin(2 * kPi * frequency * p.ratio * t);
        samples[i] += rise * v;
    }
}

void put16(std::string& out, unsigned v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// The samples scaled to 90 % of full scale, faded out over the last 50 ms.
std::string wave(std::vector<double> samples)
{
    double peak = 1e-9;
    for (double s : samples)
        peak = std::max(peak, std::abs(s));
    const size_t fade = kRate / 20;
    std::string data;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double tail = i + fade > samples.size() ? double(samples.size() - i) / double(fade) : 1.0;
        const auto v = static_cast<std::int16_t>(std::lround(samples[i] / peak * 0.9 * 32767 * tail));
        put16(data, static_cast<std::uint16_t>(v));
    }
    std::string out = "RIFF";
    put32(out, std::uint32_t(36 + data.size()));
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, std::uint32_t(data.size()));
    return out + data;
}

// Ding-dong: a high note, then a lower one, each with two soft overtones.
std::string chime()
{
    std::vector<double> s(size_t(kRate * 1.5));
    const std::vector<Partial> bar = {{1, 1.0, 0.55}, {2, 0.25, 0.25}, {3, 0.08, 0.12}};
    strike(s, 0.0, 659.25, bar);  // E5
    strike(s, 0.45, 523.25, bar); // C5
    return wave(std::move(s));
}

// A small hand bell: the inharmonic partials of a bell (hum, prime, minor third, fifth, nominal)
// dying away at their own rates.
std::string bell()
{
    std::vector<double> s(size_t(kRate * 1.8));
    const std::vector<Partial> partials = {{0.5, 0.35, 0.9},  {1.0, 1.0, 0.7},  {1.19, 0.45, 0.5},
                                           {1.5, 0.3, 0.4},   {2.0, 0.6, 0.35}, {2.66, 0.2, 0.2},
                                           {3.01, 0.12, 0.15}};
    strike(s, 0.0, 880.0, partials);
    return wave(std::move(s));
}

void putVariable(std::string& out, std::uint32_t v)
{
    std::string bytes(1, char(v & 0x7F));
    while (v >>= 7)
        bytes.insert(bytes.begin(), char((v & 0x7F) | 0x80));
    out += bytes;
}

void put32BigEndian(std::string& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((v >> shift) & 0xFF);
}

// A rising and falling phrase on the music box, one track, 120 beats a minute.
std::string tune()
{
    constexpr int quarter = 480;
    struct Note
    {
        int key;
        int length; // ticks
    };
    const Note notes[] = {{72, quarter / 2}, {76, quarter / 2}, {79, quarter / 2}, {84, quarter / 2},
                          {83, quarter / 2}, {79, quarter / 2}, {81, quarter},     {77, quarter / 2},
                          {74, quarter / 2}, {79, quarter / 2}, {76, quarter / 2}, {72, quarter * 2}};
    std::string track;
    putVariable(track, 0);
    track += "\xFF\x51\x03\x07\xA1\x20"; // tempo: 500000 microseconds a beat
    putVariable(track, 0);
    track += "\xC0\x0A"; // program 11, Music Box
    for (const Note& n : notes) {
        putVariable(track, 0);
        track += char(0x90);
        track += char(n.key);
        track += char(96);
        putVariable(track, std::uint32_t(n.length));
        track += char(0x80);
        track += char(n.key);
        track += char(64);
    }
    putVariable(track, quarter); // let the last note ring
    track += std::string("\xFF\x2F\x00", 3);

    std::string out = "MThd";
    put32BigEndian(out, 6);
    out += std::string("\x00\x00\x00\x01", 4); // format 0, one track
    out += char(quarter >> 8);
    out += char(quarter & 0xFF);
    out += "MTrk";
    put32BigEndian(out, std::uint32_t(track.size()));
    return out + track;
}

bool save(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    if (!save(folder + "chime.wav", chime()) || !save(folder + "bell.wav", bell()) ||
        !save(folder + "tune.mid", tune())) {
        std::fprintf(stderr, "make_sounds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
