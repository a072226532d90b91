#include "palettefiles/PaletteFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kRiffFileSize = kHeaderSize + 256 * 4;  // 1048
constexpr std::size_t kPrefixSize = 7;                         // byte-order mark and "JASC"

// Reads up to `size` bytes, fewer only at the end of the stream. False on a read error.
bool ReadUpTo(std::FILE* stream, unsigned char* out, std::size_t size, std::size_t& got) {
    got = std::fread(out, 1, size, stream);
    return !std::ferror(stream);
}

bool StartsWith(const unsigned char* bytes, std::size_t size, const char* text, std::size_t length) {
    return size >= length && std::memcmp(bytes, text, length) == 0;
}

bool HasByteOrderMark(const unsigned char* bytes, std::size_t size) {
    return StartsWith(bytes, size, "\xEF\xBB\xBF", 3);
}

PaletteFormat FormatOf(const unsigned char* prefix, std::size_t size) {
    if (StartsWith(prefix, size, "RIFF", 4)) return PaletteFormat::Riff;
    if (StartsWith(prefix, size, "JASC", 4)) return PaletteFormat::Jasc;
    if (HasByteOrderMark(prefix, size) && StartsWith(prefix + 3, size - 3, "JASC", 4))
        return PaletteFormat::Jasc;
    return PaletteFormat::Unsupported;
}

// The value of 32 bits read as a two's-complement signed integer.
std::int64_t Signed32(std::uint32_t bits) {
    return bits < 0x80000000u ? std::int64_t(bits) : std::int64_t(bits) - 0x100000000LL;
}

// The RIFF palette has a fixed layout: the data size at offset 16, the entries from offset 24.
// The entries taken are (size - 4) / 4, at most 256: a data size of 1028 or more takes all,
// one below 8 takes none; the rest stay black.
void ParseRiff(const unsigned char (&file)[kRiffFileSize], PaletteEntry (&entries)[256]) {
    const std::uint32_t bits = std::uint32_t(file[16]) | std::uint32_t(file[17]) << 8 |
                               std::uint32_t(file[18]) << 16 | std::uint32_t(file[19]) << 24;
    const std::int64_t count = std::clamp<std::int64_t>((Signed32(bits) - 4) / 4, 0, 256);
    for (std::int64_t i = 0; i < count; ++i) {
        const unsigned char* entry = file + kHeaderSize + 4 * i;
        entries[i] = PaletteEntry{entry[0], entry[1], entry[2], 0};
    }
}

// A number of a JASC palette, fed one character at a time: leading white space, an optional
// sign, then decimal digits up to the first other character. Without digits it is 0; it wraps
// like a 32-bit integer.
class Number {
public:
    void Put(unsigned char c) {
        switch (stage_) {
        case Stage::Leading:
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') return;
            stage_ = Stage::Digits;
            if (c == '+' || c == '-') {
                negative_ = c == '-';
                return;
            }
            [[fallthrough]];
        case Stage::Digits:
            if (c >= '0' && c <= '9') {
                value_ = value_ * 10u + std::uint32_t(c - '0');
                return;
            }
            stage_ = Stage::Done;
            return;
        case Stage::Done:
            return;
        }
    }

    // The 32 bits of the number, two's complement when negative.
    std::uint32_t Bits() const { return negative_ ? 0u - value_ : value_; }

private:
    enum class Stage { Leading, Digits, Done };
    Stage stage_ = Stage::Leading;
    std::uint32_t value_ = 0;
    bool negative_ = false;
};

// Reads a JASC text palette as its bytes arrive. Lines end at CR LF, at a lone CR or at a lone
// LF (so LF CR is two breaks). Line 3 holds the count N; line k + 4 holds entry k, whose red,
// green and blue are the first three fields of the line (a field is a run of characters other
// than blank and tab), each a Number cut to its low eight bits; a missing field is 0. Reading
// stops at the end of line N + 3 (at most 259), so memory and time never depend on what
// follows. The entries must start out black.
class JascReader {
public:
    explicit JascReader(PaletteEntry (&entries)[256]) : entries_(entries) {}

    bool WantsMore() const { return line_ <= lastLine_; }

    void Put(const unsigned char* bytes, std::size_t size) {
        for (std::size_t i = 0; i < size && WantsMore(); ++i) Put(bytes[i]);
    }

    // Feeds the rest of the stream; false on a read error before the last usable line ended.
    bool ReadRest(std::FILE* stream) {
        unsigned char buffer[4096];
        while (WantsMore()) {
            const std::size_t got = std::fread(buffer, 1, sizeof buffer, stream);
            Put(buffer, got);
            if (got < sizeof buffer && WantsMore()) {
                if (std::ferror(stream)) return false;
                EndLine();  // the file ends the line it ends in; later lines are empty
                break;
            }
        }
        return true;
    }

private:
    void Put(unsigned char c) {
        if (c == '\n' && afterCR_) {  // second half of a CR LF break
            afterCR_ = false;
            return;
        }
        afterCR_ = c == '\r';
        if (c == '\r' || c == '\n') {
            EndLine();
            return;
        }
        if (line_ < 3) return;
        if (line_ == 3) {
            numbers_[0].Put(c);
            return;
        }
        if (c == ' ' || c == '\t') {
            if (inField_) {
                inField_ = false;
                ++field_;
            }
            return;
        }
        if (field_ < 3) {
            inField_ = true;
            numbers_[field_].Put(c);
        }
    }

    void EndLine() {
        if (line_ == 3) {
            lastLine_ = 3 + std::uint32_t(std::clamp<std::int64_t>(Signed32(numbers_[0].Bits()), 0, 256));
        } else if (line_ > 3) {
            PaletteEntry& entry = entries_[line_ - 4];
            entry.Red = std::uint8_t(numbers_[0].Bits());
            entry.Green = std::uint8_t(numbers_[1].Bits());
            entry.Blue = std::uint8_t(numbers_[2].Bits());
        }
        ++line_;
        std::fill(std::begin(numbers_), std::end(numbers_), Number{});
        field_ = 0;
        inField_ = false;
    }

    PaletteEntry (&entries_)[256];
    std::uint32_t line_ = 1;      // the line being read, counted from 1
    std::uint32_t lastLine_ = 3;  // line N + 3 once line 3 is read
    bool afterCR_ = false;
    Number numbers_[3];  // the fields of an entry line; the count uses the first
    int field_ = 0;      // the field being read, or the next one to start
    bool inField_ = false;
};

// Opens, writes, flushes and closes; false when any step fails.
bool WriteWholeFile(const std::string& fileName, const PaletteColor (&colors)[256]) {
    std::FILE* stream = std::fopen(fileName.c_str(), "wb");
    if (!stream) return false;
    const bool written = WritePaletteStream(stream, colors);
    return std::fclose(stream) == 0 && written;
}

bool Exists(const std::string& fileName) {
    std::FILE* stream = std::fopen(fileName.c_str(), "rb");
    if (!stream) return false;
    std::fclose(stream);
    return true;
}

// A name in the target's folder that no file has yet; empty when none is found.
std::string UnusedNameBeside(const std::string& fileName) {
    for (int n = 0; n < 100; ++n) {
        std::string name = fileName + (n == 0 ? std::string() : "." + std::to_string(n)) + ".tmp";
        if (!Exists(name)) return name;
    }
    return {};
}

}  // namespace

PaletteColor EntryToColor(const PaletteEntry& e) {
    return PaletteColor(e.Red) | PaletteColor(e.Green) << 8 | PaletteColor(e.Blue) << 16;
}

PaletteEntry ColorToEntry(PaletteColor c) {
    return PaletteEntry{std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16), 0};
}

PaletteFormat CheckPaletteStream(std::FILE* stream) {
    unsigned char prefix[kPrefixSize];
    std::size_t got = 0;
    if (!ReadUpTo(stream, prefix, sizeof prefix, got)) return PaletteFormat::CannotOpen;
    return FormatOf(prefix, got);
}

PaletteFormat CheckPaletteFormat(const std::string& fileName) {
    std::FILE* stream = std::fopen(fileName.c_str(), "rb");
    if (!stream) return PaletteFormat::CannotOpen;
    const PaletteFormat format = CheckPaletteStream(stream);
    std::fclose(stream);
    return format;
}

FileResult ReadPaletteStream(std::FILE* stream, PaletteEntry (&entries)[256]) {
    unsigned char file[kRiffFileSize] = {};  // bytes past the end of the file read as 0
    std::size_t got = 0;
    if (!ReadUpTo(stream, file, kPrefixSize, got)) return FileResult::ReadFailed;

    PaletteEntry read[256] = {};
    switch (FormatOf(file, got)) {
    case PaletteFormat::Riff: {
        std::size_t rest = 0;
        if (!ReadUpTo(stream, file + got, sizeof file - got, rest)) return FileResult::ReadFailed;
        ParseRiff(file, read);
        break;
    }
    case PaletteFormat::Jasc: {
        JascReader jasc(read);
        const std::size_t mark = HasByteOrderMark(file, got) ? 3 : 0;  // not part of line 1
        jasc.Put(file + mark, got - mark);
        if (!jasc.ReadRest(stream)) return FileResult::ReadFailed;
        break;
    }
    default:
        return FileResult::ReadFailed;
    }
    std::copy(std::begin(read), std::end(read), std::begin(entries));
    return FileResult::Ok;
}

FileResult ReadPaletteFile(const std::string& fileName, PaletteEntry (&entries)[256]) {
    std::FILE* stream = std::fopen(fileName.c_str(), "rb");
    if (!stream) return FileResult::OpenFailed;
    const FileResult result = ReadPaletteStream(stream, entries);
    std::fclose(stream);
    return result;
}

bool WritePaletteStream(std::FILE* stream, const PaletteColor (&colors)[256]) {
    static const unsigned char header[kHeaderSize] = {
        'R', 'I', 'F', 'F', 0x10, 0x04, 0x00, 0x00,  // RIFF tag, size 1040 (file length less 8)
        'P', 'A', 'L', ' ', 'd',  'a',  't',  'a',   // form type, data chunk tag
        0x04, 0x04, 0x00, 0x00,                      // data chunk size 1028
        0x00, 0x03, 0x00, 0x01,                      // version 0x0300, 256 entries
    };
    unsigned char bytes[kRiffFileSize];
    std::memcpy(bytes, header, kHeaderSize);
    for (std::size_t i = 0; i < 256; ++i) {
        const PaletteEntry entry = ColorToEntry(colors[i]);
        unsigned char* out = bytes + kHeaderSize + 4 * i;
        out[0] = entry.Red;
        out[1] = entry.Green;
        out[2] = entry.Blue;
        out[3] = 0;
    }
    return std::fwrite(bytes, 1, sizeof bytes, stream) == sizeof bytes && std::fflush(stream) == 0;
}

ReplaceOutcome ReplaceByRename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? ReplaceOutcome::Replaced : ReplaceOutcome::Failed;
}

FileResult WritePaletteFile(const std::string& fileName, const PaletteColor (&colors)[256],
                            ReplaceFileFn replace) {
    const std::string temp = UnusedNameBeside(fileName);
    if (temp.empty()) return FileResult::WriteFailed;
    if (!WriteWholeFile(temp, colors)) {
        std::remove(temp.c_str());
        return FileResult::WriteFailed;
    }
    switch (replace(temp, fileName)) {
    case ReplaceOutcome::Replaced:
        return FileResult::Ok;
    case ReplaceOutcome::Unsupported:
        // No atomic replace on this system: write the target itself.
        std::remove(temp.c_str());
        return WriteWholeFile(fileName, colors) ? FileResult::Ok : FileResult::WriteFailed;
    case ReplaceOutcome::Failed:
        break;
    }
    std::remove(temp.c_str());
    return FileResult::WriteFailed;
}
