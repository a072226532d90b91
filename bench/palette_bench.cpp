// Times ReadPaletteFile on four palette files and reports the peak memory of each case.
// Each case runs in a child process of its own, so its peak resident size is its own; the
// first row shows what a child that reads nothing uses. The files are written to the folder
// given as the only argument and removed at the end.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "palettefiles/PaletteFile.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr long long kMiB = 1024 * 1024;

struct Case {
    const char* name;
    std::string file;  // empty: the baseline, which reads nothing
    double minSeconds;
    int minReads;
    bool holdsPalette;  // the 256 colours of Expected, checked after every read
};

PaletteEntry Expected(int i) { return PaletteEntry{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0}; }

std::string JascText() {
    std::string text = "JASC-PAL\r\n0100\r\n256\r\n";
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry e = Expected(i);
        text += std::to_string(e.Red) + " " + std::to_string(e.Green) + " " + std::to_string(e.Blue) + "\r\n";
    }
    return text;
}

// Writes `head`, then `block` until at least `fillBytes` more bytes are written.
bool WriteFile(const std::string& file, const std::string& head, const std::string& block, long long fillBytes) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(head.data(), 1, head.size(), out) == head.size();
    for (long long written = 0; ok && written < fillBytes; written += block.size())
        ok = std::fwrite(block.data(), 1, block.size(), out) == block.size();
    return std::fclose(out) == 0 && ok;
}

long long FileSize(const std::string& file) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) return 0;
    std::fseek(in, 0, SEEK_END);
    const long long size = std::ftell(in);
    std::fclose(in);
    return size;
}

std::string Size(long long bytes) {
    char text[32];
    if (bytes < 10 * 1024) std::snprintf(text, sizeof text, "%lld B", bytes);
    else std::snprintf(text, sizeof text, "%.1f MiB", double(bytes) / kMiB);
    return text;
}

std::string Duration(double seconds) {
    char text[32];
    if (seconds < 1e-3) std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
    else if (seconds < 1) std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

// Reads the case's file repeatedly in a child process and prints one row; false on failure.
bool Run(const Case& c) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        PaletteEntry entries[256];
        int reads = 0;
        double elapsed = 0;
        const auto start = Clock::now();
        while (!c.file.empty() && (elapsed < c.minSeconds || reads < c.minReads)) {
            if (ReadPaletteFile(c.file, entries) != FileResult::Ok) _exit(2);
            const PaletteEntry e = entries[255], x = Expected(255);
            if (c.holdsPalette && (e.Red != x.Red || e.Green != x.Green || e.Blue != x.Blue)) _exit(3);
            ++reads;
            elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%-44s %12s %7d %14s %12s\n", c.name, c.file.empty() ? "-" : Size(FileSize(c.file)).c_str(),
                    reads, reads ? Duration(elapsed / reads).c_str() : "-",
                    Size(usage.ru_maxrss * 1024LL).c_str());
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: the read failed\n", c.name);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER   (the benchmark's files are written there and removed)\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::string riff = folder + "/riff-256.pal", jasc = folder + "/jasc-256.pal",
                      jascLong = folder + "/jasc-256-then-1GiB.pal", longLine = folder + "/jasc-256MiB-line.pal";

    PaletteColor colors[256];
    for (int i = 0; i < 256; ++i) colors[i] = EntryToColor(Expected(i));
    const std::string text = JascText();
    std::string lines;
    while (lines.size() < kMiB) lines += "255 255 255\r\n";
    const std::string digits(kMiB, '7');

    std::printf("writing the benchmark files to %s\n", folder.c_str());
    bool ok = WritePaletteFile(riff, colors) == FileResult::Ok && WriteFile(jasc, text, "", 0) &&
              WriteFile(jascLong, text, lines, 1024 * kMiB) &&
              WriteFile(longLine, "JASC-PAL\r\n0100\r\n256\r\n", digits, 256 * kMiB);

    if (ok) {
        const Case cases[] = {
            {"baseline: a child that reads nothing", "", 0, 0, false},
            {"RIFF, 256 entries", riff, 0.5, 100, true},
            {"JASC, 256 entries", jasc, 0.5, 100, true},
            {"JASC, 256 entries, then 1 GiB of lines", jascLong, 0.5, 100, true},
            {"JASC, 4th line 256 MiB without a break", longLine, 0, 3, false},
        };
        std::printf("%-44s %12s %7s %14s %12s\n", "case", "file size", "reads", "time per read", "peak RSS");
        for (const Case& c : cases) ok = Run(c) && ok;
    } else {
        std::fprintf(stderr, "cannot write the benchmark files\n");
    }
    for (const std::string& file : {riff, jasc, jascLong, longLine}) std::remove(file.c_str());
    return ok ? 0 : 1;
}
