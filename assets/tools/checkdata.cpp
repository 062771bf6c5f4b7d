// Build-time check of the generated program data: fails the build when a sound, picture or the
// catalogue is malformed, so a bad edit is caught before the program ever loads it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

int failures = 0;

void fail(const std::string& file, const std::string& why) {
    std::cerr << "checkdata: " << file << ": " << why << "\n";
    ++failures;
}

std::optional<Bytes> readAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f)
        return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

std::uint32_t le(const Bytes& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | b[at + i];
    return v;
}

bool tagAt(const Bytes& b, std::size_t at, const char* tag) {
    return b.size() >= at + 4 && std::string(b.begin() + at, b.begin() + at + 4) == tag;
}

// Expects the exact 44-byte header the synthesiser writes.
void checkWav(const std::string& path, Bytes& content) {
    const auto data = readAll(path);
    if (!data)
        return fail(path, "missing");
    const Bytes& b = *data;
    if (b.size() < 44 || !tagAt(b, 0, "RIFF") || !tagAt(b, 8, "WAVE") || !tagAt(b, 12, "fmt ") ||
        !tagAt(b, 36, "data"))
        return fail(path, "not a canonical RIFF/WAVE file");
    const std::uint32_t rate = le(b, 24, 4);
    if (le(b, 20, 2) != 1 || le(b, 22, 2) != 1 || le(b, 34, 2) != 16)
        return fail(path, "not 16-bit PCM mono");
    if (rate != 22050 && rate != 44100)
        return fail(path, "unexpected sample rate " + std::to_string(rate));
    const std::uint32_t bytes = le(b, 40, 4);
    if (bytes + 44 != b.size() || le(b, 4, 4) != b.size() - 8)
        return fail(path, "chunk sizes disagree with the file size");
    const double seconds = bytes / 2.0 / rate;
    if (seconds < 0.2 || seconds >= 1.0)
        return fail(path, "duration " + std::to_string(seconds) + " s out of 0.2..1 s");
    int peak = 0;
    for (std::size_t i = 44; i + 1 < b.size(); i += 2)
        peak = std::max(peak, std::abs(static_cast<std::int16_t>(le(b, i, 2))));
    const auto edge = [&](std::size_t i) {
        return std::abs(static_cast<std::int16_t>(le(b, i, 2)));
    };
    if (peak < 3000)
        fail(path, "nearly silent");
    if (edge(44) > 200 || edge(b.size() - 2) > 200)
        fail(path, "starts or ends abruptly (click)");
    content = b;
}

// Reads the frame size from the first SOF marker.
void checkJpeg(const std::string& path, bool square) {
    const auto data = readAll(path);
    if (!data)
        return fail(path, "missing");
    const Bytes& b = *data;
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return fail(path, "not a JPEG");
    std::size_t at = 2;
    while (at + 9 < b.size() && b[at] == 0xFF) {
        const unsigned marker = b[at + 1];
        const std::size_t len = (b[at + 2] << 8) | b[at + 3];
        if (marker >= 0xC0 && marker <= 0xC2) {
            const int h = (b[at + 5] << 8) | b[at + 6];
            const int w = (b[at + 7] << 8) | b[at + 8];
            if (square ? w != h : w <= h)
                fail(path, square ? "coin picture is not square" : "banknote is not landscape");
            return;
        }
        at += 2 + len;
    }
    fail(path, "no frame header");
}

// Splits one record on commas outside double quotes.
std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

bool wholeNumber(const std::string& s) {
    return !s.empty() && s.size() < 10 && s.find_first_not_of("0123456789") == std::string::npos;
}

// Euros with exactly two decimals, as the shipped euro catalogue writes them.
bool euroAmount(const std::string& s) {
    const std::size_t point = s.find('.');
    return point != std::string::npos && s.size() - point == 3 && wholeNumber(s.substr(0, point)) &&
           wholeNumber(s.substr(point + 1));
}

long minorUnits(const std::string& s) {
    std::string digits;
    for (char c : s)
        if (c != '.')
            digits += c;
    return std::stol(digits);
}

// Windows-1252 text with CR LF endings, "name,buy,sell" records, sell above buy;
// after a first line "valuta: euro", prices in euros with two decimals.
void checkCatalogue(const std::string& path, bool euro) {
    const auto data = readAll(path);
    if (!data)
        return fail(path, "missing");
    const std::string text(data->begin(), data->end());
    if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n")
        return fail(path, "must end with CR LF");
    int records = 0;
    std::size_t start = 0;
    const std::string header = "valuta: euro\r\n";
    if (euro) {
        if (text.compare(0, header.size(), header) != 0)
            return fail(path, "must start with the line valuta: euro");
        start = header.size();
    }
    const auto price = euro ? euroAmount : wholeNumber;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        const std::string where = "line " + std::to_string(++records);
        start = end + 2;
        if (line.find_first_of("\r\n") != std::string::npos)
            fail(path, where + ": bare CR or LF");
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            // A UTF-8 lead byte followed by a continuation byte: the file was saved as UTF-8.
            const auto c = static_cast<unsigned char>(line[i]);
            const auto d = static_cast<unsigned char>(line[i + 1]);
            if (c >= 0xC2 && c <= 0xF4 && d >= 0x80 && d <= 0xBF)
                fail(path, where + ": looks like UTF-8, not Windows-1252");
        }
        const auto f = fields(line);
        if (f.size() != 3 || f[0].empty() || !price(f[1]) || !price(f[2])) {
            fail(path, where + ": not name,buy,sell");
            continue;
        }
        if (minorUnits(f[2]) <= minorUnits(f[1]))
            fail(path, where + ": selling price not above buying price");
    }
    if (records < 1 || records > 500)
        fail(path, "needs 1..500 records, has " + std::to_string(records));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: checkdata PROGRAM_DIR STAMP_FILE\n";
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<Bytes> rights;
    for (const char* name : {"si1", "si2", "si3", "si4", "no"}) {
        Bytes content;
        checkWav(dir + "/suoni/" + name + ".wav", content);
        rights.push_back(content);
    }
    for (std::size_t i = 0; i < rights.size(); ++i)
        for (std::size_t j = i + 1; j < rights.size(); ++j)
            if (!rights[i].empty() && rights[i] == rights[j])
                fail(dir + "/suoni", "two sounds are identical");
    for (const char* name : {"diecimila", "cinquemila", "duemila"})
        checkJpeg(dir + "/immagini/" + std::string(name) + ".jpg", false);
    for (const char* name : {"mille", "cinquecento", "duecento", "cento"})
        checkJpeg(dir + "/immagini/" + std::string(name) + ".jpg", true);
    for (const char* name : {"dieci", "cinque"})
        checkJpeg(dir + "/immagini/euro/" + std::string(name) + ".jpg", false);
    for (const char* name :
         {"dueeuro", "uneuro", "cinquantacentesimi", "venticentesimi", "diecicentesimi"})
        checkJpeg(dir + "/immagini/euro/" + std::string(name) + ".jpg", true);
    checkCatalogue(dir + "/lista.txt", false);
    checkCatalogue(dir + "/lista-euro.txt", true);
    if (failures > 0)
        return 1;
    std::ofstream(argv[2]) << "ok\n";
    return 0;
}
