// Synthesises the answer sounds (four cheerful "right" jingles and a gentle "wrong" boop)
// and writes them as 16-bit PCM mono WAV files.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;

struct Partial {
    double ratio; // frequency multiple of the note's pitch
    double amp;
    double decay; // exponential decay rate in 1/s
};

using Timbre = std::vector<Partial>;

struct Note {
    double start;  // seconds
    double freq;   // Hz
    double length; // seconds until the note is faded out
    double amp;
    double glide = 0.0; // relative pitch change over the note, e.g. -0.05
};

// Frequency of a note given as semitones above A4.
double pitch(int semitones) { return 440.0 * std::pow(2.0, semitones / 12.0); }

// Each note gets its own attack and release so it never starts or stops abruptly.
void addNote(std::vector<double> &buf, const Note &n, const Timbre &timbre, double attack) {
    const auto first = static_cast<std::size_t>(n.start * kRate);
    const auto count = static_cast<std::size_t>(n.length * kRate);
    const double release = std::min(0.1, n.length / 3.0);
    if (buf.size() < first + count)
        buf.resize(first + count, 0.0);
    for (const Partial &p : timbre) {
        double phase = 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double f = n.freq * p.ratio * (1.0 + n.glide * t / n.length);
            phase += 2.0 * std::numbers::pi * f / kRate;
            double env = std::exp(-p.decay * t);
            env *= std::min(1.0, t / attack);
            env *= std::min(1.0, (n.length - t) / release);
            buf[first + i] += n.amp * p.amp * env * std::sin(phase);
        }
    }
}

// Scales to the given peak and adds a global fade so the file edges are silent.
std::vector<std::int16_t> finish(std::vector<double> buf, double peak) {
    double maxAbs = 1e-9;
    for (double s : buf)
        maxAbs = std::max(maxAbs, std::abs(s));
    const std::size_t fadeIn = kRate / 200; // 5 ms
    const std::size_t fadeOut = kRate / 50; // 20 ms
    std::vector<std::int16_t> out(buf.size());
    for (std::size_t i = 0; i < buf.size(); ++i) {
        double g = peak / maxAbs;
        g *= std::min(1.0, static_cast<double>(i) / fadeIn);
        g *= std::min(1.0, static_cast<double>(buf.size() - 1 - i) / fadeOut);
        out[i] = static_cast<std::int16_t>(std::lround(buf[i] * g * 32767.0));
    }
    return out;
}

void put16(std::ofstream &f, std::uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    f.write(b, 2);
}

void put32(std::ofstream &f, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f.put(static_cast<char>((v >> (8 * i)) & 0xff));
}

// The RIFF header is written field by field, little-endian, so the host's layout doesn't matter.
bool writeWav(const std::string &path, const std::vector<std::int16_t> &samples) {
    std::ofstream f(path, std::ios::binary);
    if (!f)
        return false;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    f.write("RIFF", 4);
    put32(f, 36 + dataBytes);
    f.write("WAVEfmt ", 8);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, kRate);
    put32(f, kRate * 2);
    put16(f, 2);
    put16(f, 16);
    f.write("data", 4);
    put32(f, dataBytes);
    for (std::int16_t s : samples)
        put16(f, static_cast<std::uint16_t>(s));
    return static_cast<bool>(f);
}

// Bright bell: slightly inharmonic upper partials that die away quickly.
const Timbre kBell = {{1.0, 1.0, 5.0}, {2.0, 0.35, 9.0}, {3.01, 0.15, 14.0}, {4.2, 0.06, 20.0}};
// Wooden mallet: strong fundamental, a short click of the 4th partial.
const Timbre kMarimba = {{1.0, 1.0, 7.0}, {4.0, 0.25, 30.0}, {10.0, 0.04, 60.0}};
// Glockenspiel: pure, high and sparkling.
const Timbre kGlock = {{1.0, 1.0, 4.0}, {2.76, 0.3, 12.0}, {5.4, 0.1, 25.0}};
// Soft flute-like organ: sustained harmonics.
const Timbre kFlute = {{1.0, 1.0, 3.0}, {2.0, 0.2, 4.0}, {3.0, 0.08, 5.0}};
// Round, dull boop for the wrong answer: almost a pure sine.
const Timbre kBoop = {{1.0, 1.0, 2.5}, {2.0, 0.08, 6.0}};

// C major arpeggio C5 E5 G5 C6, bell.
std::vector<double> rightOne() {
    std::vector<double> b;
    const int notes[] = {3, 7, 10, 15};
    for (int i = 0; i < 4; ++i)
        addNote(b, {i * 0.09, pitch(notes[i]), 0.60 - i * 0.09 + (i == 3 ? 0.05 : 0.0), 0.7}, kBell,
                0.004);
    return b;
}

// "Ta-daa" on the marimba: G5 G5 then a C6/E6 pair.
std::vector<double> rightTwo() {
    std::vector<double> b;
    addNote(b, {0.00, pitch(10), 0.14, 0.8}, kMarimba, 0.003);
    addNote(b, {0.11, pitch(10), 0.14, 0.8}, kMarimba, 0.003);
    addNote(b, {0.22, pitch(15), 0.36, 0.8}, kMarimba, 0.003);
    addNote(b, {0.22, pitch(19), 0.36, 0.5}, kMarimba, 0.003);
    return b;
}

// Fast glockenspiel sparkle up an E major chord, E5 to E6.
std::vector<double> rightThree() {
    std::vector<double> b;
    const int notes[] = {7, 11, 14, 19, 23};
    for (int i = 0; i < 5; ++i)
        addNote(b, {i * 0.06, pitch(notes[i]), 0.55 - i * 0.06, 0.6}, kGlock, 0.002);
    return b;
}

// Gentle flute rising F5 A5 C6 and holding an F major chord.
std::vector<double> rightFour() {
    std::vector<double> b;
    const int notes[] = {8, 12, 15, 20};
    for (int i = 0; i < 4; ++i)
        addNote(b, {i * 0.1, pitch(notes[i]), 0.62 - i * 0.1, 0.6}, kFlute, 0.025);
    return b;
}

// Two soft descending boops (A4 then E4), each sagging a little in pitch.
std::vector<double> wrong() {
    std::vector<double> b;
    addNote(b, {0.00, pitch(0), 0.22, 0.8, -0.04}, kBoop, 0.015);
    addNote(b, {0.22, pitch(-5), 0.36, 0.8, -0.06}, kBoop, 0.015);
    return b;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: synth OUTPUT_DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    struct Sound {
        const char *name;
        std::vector<double> (*make)();
        double peak; // the wrong sound is kept quieter on purpose
    };
    const Sound sounds[] = {{"si1.wav", rightOne, 0.7},
                            {"si2.wav", rightTwo, 0.7},
                            {"si3.wav", rightThree, 0.6},
                            {"si4.wav", rightFour, 0.7},
                            {"no.wav", wrong, 0.45}};
    for (const Sound &s : sounds) {
        if (!writeWav(dir + "/" + s.name, finish(s.make(), s.peak))) {
            std::cerr << "synth: cannot write " << dir << "/" << s.name << "\n";
            return 1;
        }
    }
    return 0;
}
