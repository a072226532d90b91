// libFuzzer target: the format check and both palette readers over arbitrary file contents.
// Besides the sanitizers' findings it stops on a broken promise of the readers: a file judged
// RIFF or JASC always reads (memory never fails to read), and anything else is refused with
// the caller's entries untouched.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "palettefiles/PaletteFile.h"

namespace {

constexpr PaletteEntry kUntouched{0x5A, 0xA5, 0x3C, 0xC3};

bool Same(const PaletteEntry& a, const PaletteEntry& b) {
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue && a.Flags == b.Flags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<char> bytes(data, data + size);
    bytes.push_back(0);  // a buffer even for an empty input; not part of the stream
    std::FILE* stream = fmemopen(bytes.data(), size, "rb");
    if (!stream) return 0;

    const PaletteFormat format = CheckPaletteStream(stream);
    std::rewind(stream);
    PaletteEntry entries[256];
    for (auto& e : entries) e = kUntouched;
    const FileResult result = ReadPaletteStream(stream, entries);
    std::fclose(stream);

    if (format == PaletteFormat::Riff || format == PaletteFormat::Jasc) {
        if (result != FileResult::Ok) __builtin_trap();
        for (const auto& e : entries)
            if (e.Flags != 0) __builtin_trap();
    } else {
        if (format != PaletteFormat::Unsupported || result != FileResult::ReadFailed) __builtin_trap();
        for (const auto& e : entries)
            if (!Same(e, kUntouched)) __builtin_trap();
    }
    return 0;
}
