#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <sstream>
#include <vector>

#include "tests/palettefiles/PaletteTestSupport.h"

namespace {

using namespace std::string_literals;

const fs::path kFixtures = PALETTE_FIXTURE_DIR;
const fs::path kWild = WILD_PALETTE_DIR;

const PaletteEntry kBlack = Rgb(0, 0, 0);

void ExpectBlackFrom(const Entries& entries, int first) {
    for (int i = first; i < 256; ++i) EXPECT_EQ(entries[i], kBlack) << "entry " << i;
}

std::string Little32(std::uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

// A RIFF palette file whose entry i is (i, 255 - i, i ^ 0x5A) with flags 0x77.
std::string RiffFile(std::int32_t dataSize, int entries, int trailingBytes = 0) {
    std::string bytes = "RIFF" + Little32(1040) + "PAL data" + Little32(std::uint32_t(dataSize));
    bytes += std::string("\x00\x03\x00\x01", 4);
    for (int i = 0; i < entries; ++i) bytes += {char(i), char(255 - i), char(i ^ 0x5A), char(0x77)};
    return bytes + std::string(trailingBytes, '\x42');
}

PaletteEntry RiffEntry(int i) { return Rgb(i, 255 - i, i ^ 0x5A); }

std::string Jasc(const std::string& count, const std::vector<std::string>& lines,
                 const std::string& lineBreak = "\r\n") {
    std::string text = "JASC-PAL" + lineBreak + "0100" + lineBreak + count;
    for (const auto& line : lines) text += lineBreak + line;
    return text;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class PaletteRead : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST(PaletteColor, ConvertsBetweenEntryAndColor) {
    EXPECT_EQ(EntryToColor(PaletteEntry{0x12, 0x34, 0x56, 0x99}), 0x563412u);
    EXPECT_EQ(ColorToEntry(0x563412u), Rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(ColorToEntry(0xFF563412u), Rgb(0x12, 0x34, 0x56));
}

// The format check and the reader judge the same first bytes; the tiny supported files here
// hold no colours, so they read as black.
TEST_F(PaletteRead, FirstBytesDecideTheFormat) {
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        std::string bytes;
        PaletteFormat format;
    } cases[] = {
        {"RIFF", PaletteFormat::Riff},
        {"RIFF\x10\x04\x00\x00PAL "s, PaletteFormat::Riff},
        {"JASC", PaletteFormat::Jasc},
        {"JASC-PAL\r\n0100\r\n", PaletteFormat::Jasc},
        {bom + "JASC-PAL\r\n", PaletteFormat::Jasc},
        {"jasc-pal\n0100\n1\n1 2 3\n", PaletteFormat::Unsupported},
        {"Jasc", PaletteFormat::Unsupported},
        {"riff", PaletteFormat::Unsupported},
        {" JASC", PaletteFormat::Unsupported},
        {bom + "RIFF", PaletteFormat::Unsupported},
        {bom + "JAS", PaletteFormat::Unsupported},
        {bom, PaletteFormat::Unsupported},
        {"JAS", PaletteFormat::Unsupported},
        {"RI", PaletteFormat::Unsupported},
        {"", PaletteFormat::Unsupported},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("file bytes: \"" + c.bytes + "\"");
        const fs::path file = folder.Write("check.pal", c.bytes);
        EXPECT_EQ(CheckPaletteFormat(file.string()), c.format);
        const ReadOutcome read = Read(file);
        if (c.format == PaletteFormat::Unsupported) {
            EXPECT_EQ(read.result, FileResult::ReadFailed);
            for (const auto& e : read.entries) ASSERT_EQ(e, kStale);
        } else {
            EXPECT_EQ(read.result, FileResult::Ok);
            ExpectBlackFrom(read.entries, 0);
        }
    }
}

TEST_F(PaletteRead, FileThatCannotBeOpenedOrReadFailsAndKeepsTheEntries) {
    const fs::path missing = folder.Path() / "vanished.pal";
    EXPECT_EQ(CheckPaletteFormat(missing.string()), PaletteFormat::CannotOpen);
    ReadOutcome read = Read(missing);
    EXPECT_EQ(read.result, FileResult::OpenFailed);
    for (const auto& e : read.entries) ASSERT_EQ(e, kStale);

    // A folder opens on some systems and then fails to read; either way it is no palette.
    EXPECT_EQ(CheckPaletteFormat(folder.Path().string()), PaletteFormat::CannotOpen);
    read = Read(folder.Path());
    EXPECT_NE(read.result, FileResult::Ok);
    for (const auto& e : read.entries) ASSERT_EQ(e, kStale);
}

TEST_F(PaletteRead, RiffDataSizeDecidesHowManyEntriesComeFromTheFile) {
    const struct {
        const char* name;
        std::int32_t dataSize;
        int entriesInFile;
        int trailingBytes;
        int fromFile;
    } cases[] = {
        {"size 68", 68, 256, 0, 16},
        {"size 1027", 1027, 256, 0, 255},
        {"size 1028", 1028, 256, 0, 256},
        {"size 2000, more data after the entries", 2000, 256, 300, 256},
        {"largest size", std::numeric_limits<std::int32_t>::max(), 256, 0, 256},
        {"size 8", 8, 256, 0, 1},
        {"size 7", 7, 256, 0, 0},
        {"size 4", 4, 256, 0, 0},
        {"size 0", 0, 256, 0, 0},
        {"size -1", -1, 256, 0, 0},
        {"smallest size", std::numeric_limits<std::int32_t>::min(), 256, 0, 0},
        {"file ends after 100 entries", 1028, 100, 0, 100},
        {"file ends after the header", 1028, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadOutcome read = Read(folder.Write("riff.pal", RiffFile(c.dataSize, c.entriesInFile, c.trailingBytes)));
        ASSERT_EQ(read.result, FileResult::Ok);
        for (int i = 0; i < c.fromFile; ++i) ASSERT_EQ(read.entries[i], RiffEntry(i)) << "entry " << i;
        ExpectBlackFrom(read.entries, c.fromFile);
    }
}

TEST_F(PaletteRead, RiffFileOfAnotherFormIsReadByTheSameLayout) {
    // The wave file's format chunk size, 16, stands where the data size would: three entries,
    // taken from the sample rate, the byte rate and the block alignment with sample size.
    const ReadOutcome read = Read(kFixtures / "tone.wav");
    ASSERT_EQ(read.result, FileResult::Ok);
    EXPECT_EQ(read.entries[0], Rgb(0x22, 0x56, 0x00));
    EXPECT_EQ(read.entries[1], Rgb(0x22, 0x56, 0x00));
    EXPECT_EQ(read.entries[2], Rgb(0x01, 0x00, 0x08));
    ExpectBlackFrom(read.entries, 3);
}

TEST_F(PaletteRead, JascCountDecidesHowManyLinesAreRead) {
    {
        SCOPED_TRACE("N = 16, more lines after the last entry");
        const ReadOutcome read = Read(kFixtures / "jasc-16.pal");
        ASSERT_EQ(read.result, FileResult::Ok);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(read.entries[i], Rgb(17 * i, 255 - 17 * i, i));
        ExpectBlackFrom(read.entries, 16);
    }
    {
        SCOPED_TRACE("N = 300: lines 4 to 259 only");
        const ReadOutcome read = Read(kFixtures / "jasc-300.pal");
        ASSERT_EQ(read.result, FileResult::Ok);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(read.entries[i], Rgb(i, i, i)) << "entry " << i;
    }
    for (const char* name : {"jasc-0.pal", "jasc-nocount.pal"}) {
        SCOPED_TRACE(name);
        const ReadOutcome read = Read(kFixtures / name);
        ASSERT_EQ(read.result, FileResult::Ok);
        ExpectBlackFrom(read.entries, 0);
    }
    {
        SCOPED_TRACE("N = 10 with four entry lines");
        const ReadOutcome read = Read(kFixtures / "jasc-fewer.pal");
        ASSERT_EQ(read.result, FileResult::Ok);
        EXPECT_EQ(read.entries[0], Rgb(1, 2, 3));
        EXPECT_EQ(read.entries[3], Rgb(10, 11, 12));
        ExpectBlackFrom(read.entries, 4);
    }
}

TEST_F(PaletteRead, JascCountLineIsReadAsANumber) {
    const struct {
        const char* line;
        int count;
    } cases[] = {
        {"16", 16},          {" \t+16 colours", 16}, {"0016", 16},        {"", 0},
        {"-5", 0},           {"2147483648", 0},      {"4294967298", 2},   {"4294967552", 256},
        {"999", 256},        {"1e3", 1},
    };
    const std::vector<std::string> lines(300, "9 9 9");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("count line \"") + c.line + "\"");
        const ReadOutcome read = Read(folder.Write("count.pal", Jasc(c.line, lines)));
        ASSERT_EQ(read.result, FileResult::Ok);
        for (int i = 0; i < c.count; ++i) ASSERT_EQ(read.entries[i], Rgb(9, 9, 9)) << "entry " << i;
        ExpectBlackFrom(read.entries, c.count);
    }
}

TEST_F(PaletteRead, JascEntryLinesAreReadAsFields) {
    const struct {
        std::string line;
        PaletteEntry entry;
    } cases[] = {
        {"256 257 511", Rgb(0, 1, 255)},
        {"37 37 37 ", Rgb(37, 37, 37)},
        {"10 20 30 255", Rgb(10, 20, 30)},
        {" 92  92 108", Rgb(92, 92, 108)},
        {"7", Rgb(7, 0, 0)},
        {"1 2", Rgb(1, 2, 0)},
        {"", Rgb(0, 0, 0)},
        {"10  20 30", Rgb(10, 20, 30)},
        {"1\t2\t3", Rgb(1, 2, 3)},
        {" \t 5 \t 6 \t 7 \t ", Rgb(5, 6, 7)},
        {"300 -1 +5", Rgb(44, 255, 5)},
        {"4294967297 -4294967295 0", Rgb(1, 1, 0)},
        {"12abc 3x 9", Rgb(12, 3, 9)},
        {"- + 6", Rgb(0, 0, 6)},
        {"+-1 2 3", Rgb(0, 2, 3)},
        {"\v8 9\f 10", Rgb(8, 9, 10)},
        {"red green blue", Rgb(0, 0, 0)},
    };
    std::vector<std::string> lines;
    for (const auto& c : cases) lines.push_back(c.line);
    const ReadOutcome read = Read(folder.Write("fields.pal", Jasc(std::to_string(lines.size()), lines)));
    ASSERT_EQ(read.result, FileResult::Ok);
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(read.entries[i], cases[i].entry) << "line \"" << cases[i].line << "\"";
    ExpectBlackFrom(read.entries, int(lines.size()));
}

TEST_F(PaletteRead, JascLineBreaks) {
    const std::string lf = ReadBytes(kFixtures / "jasc-16.pal");
    const ReadOutcome expected = Read(kFixtures / "jasc-16.pal");
    for (const char* lineBreak : {"\r\n", "\r"}) {
        SCOPED_TRACE(lineBreak[1] ? "CR LF" : "CR");
        const ReadOutcome read = Read(folder.Write("breaks.pal", Replace(lf, "\n", lineBreak)));
        ASSERT_EQ(read.result, FileResult::Ok);
        EXPECT_EQ(read.entries, expected.entries);
    }

    // Anything but CR LF is a break of its own, so LF CR and CR CR leave an empty line between.
    const struct {
        const char* name;
        std::string text;
        PaletteEntry second;
        PaletteEntry third;
    } cases[] = {
        {"LF CR", "JASC-PAL\n0100\n3\n1 1 1\n\r2 2 2", kBlack, Rgb(2, 2, 2)},
        {"CR CR", "JASC-PAL\r0100\r3\r1 1 1\r\r2 2 2", kBlack, Rgb(2, 2, 2)},
        {"mixed", "JASC-PAL\r0100\n3\r\n1 1 1\n2 2 2\r3 3 3\r\n", Rgb(2, 2, 2), Rgb(3, 3, 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadOutcome read = Read(folder.Write("breaks.pal", c.text));
        ASSERT_EQ(read.result, FileResult::Ok);
        EXPECT_EQ(read.entries[0], Rgb(1, 1, 1));
        EXPECT_EQ(read.entries[1], c.second);
        EXPECT_EQ(read.entries[2], c.third);
        ExpectBlackFrom(read.entries, 3);
    }
}

TEST_F(PaletteRead, JascLinesLongerThanAnyBuffer) {
    const std::string blanks(100000, ' ');
    const std::string zeros(100000, '0');
    const std::vector<std::string> lines = {
        blanks + "1" + blanks + "2" + blanks + "3" + blanks + "4",
        zeros + "7 " + zeros + "8 -" + zeros + "1",
        std::string(300000, '5'),  // one huge number that wraps; only its low eight bits matter
        "9 9 9",
    };
    std::uint32_t wrapped = 0;
    for (int i = 0; i < 300000; ++i) wrapped = wrapped * 10 + 5;
    const ReadOutcome read = Read(folder.Write("long.pal", Jasc("4", lines, "\r\n")));
    ASSERT_EQ(read.result, FileResult::Ok);
    EXPECT_EQ(read.entries[0], Rgb(1, 2, 3));
    EXPECT_EQ(read.entries[1], Rgb(7, 8, 255));
    EXPECT_EQ(read.entries[2], Rgb(wrapped & 0xFF, 0, 0));
    EXPECT_EQ(read.entries[3], Rgb(9, 9, 9));
    ExpectBlackFrom(read.entries, 4);
}

// The readers never look past the data they can use, whatever follows it.
TEST_F(PaletteRead, ReadingStopsAfterTheLastUsableData) {
    const std::string junk(8 << 20, '1');
    const struct {
        const char* name;
        std::string bytes;
        long lastByte;
    } cases[] = {
        {"RIFF", RiffFile(1028, 256, int(junk.size())), 1048},
        {"JASC", "JASC-PAL\n0100\n2\n1 2 3\n4 5 6\n" + junk, 1 << 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::FILE* stream = std::fopen(folder.Write("big.pal", c.bytes).c_str(), "rb");
        ASSERT_NE(stream, nullptr);
        PaletteEntry entries[256];
        EXPECT_EQ(ReadPaletteStream(stream, entries), FileResult::Ok);
        EXPECT_LE(std::ftell(stream), c.lastByte);
        std::fclose(stream);
    }
}

// A stream that gives `bytes` and then fails, like a drive that goes away halfway through.
std::FILE* StreamFailingAfter(const std::string& bytes) {
    struct Source {
        std::string bytes;
        std::size_t at = 0;
    };
    cookie_io_functions_t io{};
    io.read = [](void* cookie, char* out, std::size_t size) -> ssize_t {
        auto& source = *static_cast<Source*>(cookie);
        if (source.at == source.bytes.size()) {
            errno = EIO;
            return -1;
        }
        const std::size_t n = std::min(size, source.bytes.size() - source.at);
        std::memcpy(out, source.bytes.data() + source.at, n);
        source.at += n;
        return ssize_t(n);
    };
    io.close = [](void* cookie) {
        delete static_cast<Source*>(cookie);
        return 0;
    };
    return fopencookie(new Source{bytes}, "rb", io);
}

TEST(PaletteReadStream, ReadErrorBeforeTheLastUsableDataFailsAndKeepsTheEntries) {
    const struct {
        const char* name;
        std::string bytes;
        FileResult result;
    } cases[] = {
        {"nothing readable", "", FileResult::ReadFailed},
        {"inside the first bytes", "JAS", FileResult::ReadFailed},
        {"RIFF after 50 entries", RiffFile(1028, 50), FileResult::ReadFailed},
        {"JASC after 2 of 5 lines", "JASC-PAL\n0100\n5\n1 2 3\n4 5 6\n", FileResult::ReadFailed},
        {"JASC after its last line", "JASC-PAL\n0100\n2\n1 2 3\n4 5 6\n", FileResult::Ok},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PaletteEntry entries[256];
        std::fill(std::begin(entries), std::end(entries), kStale);
        std::FILE* stream = StreamFailingAfter(c.bytes);
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(ReadPaletteStream(stream, entries), c.result);
        std::fclose(stream);
        if (c.result == FileResult::Ok) {
            EXPECT_EQ(entries[1], Rgb(4, 5, 6));
        } else {
            for (const auto& e : entries) ASSERT_EQ(e, kStale);
        }
    }
    std::FILE* stream = StreamFailingAfter("");
    EXPECT_EQ(CheckPaletteStream(stream), PaletteFormat::CannotOpen);
    std::fclose(stream);
}

// What each colour line of a text palette says, read independently of the reader.
Entries ColoursWrittenInTextPalette(const fs::path& file) {
    std::istringstream text(ReadBytes(file));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    Entries entries{};
    const int count = std::stoi(lines.at(2));
    for (int k = 0; k < count && k < 256 && 3 + k < int(lines.size()); ++k) {
        int r = 0, g = 0, b = 0;
        std::istringstream(lines[3 + k]) >> r >> g >> b;
        entries[k] = Rgb(r, g, b);
    }
    return entries;
}

Entries ColoursStoredInRiffPalette(const fs::path& file, int count) {
    const std::string bytes = ReadBytes(file);
    Entries entries{};
    for (int i = 0; i < count; ++i)
        entries[i] = Rgb(std::uint8_t(bytes.at(24 + 4 * i)), std::uint8_t(bytes.at(25 + 4 * i)),
                         std::uint8_t(bytes.at(26 + 4 * i)));
    return entries;
}

TEST(PaletteFilesFromTheWild, GiveTheColoursWrittenInThem) {
    const struct {
        const char* name;
        PaletteFormat format;
        int riffEntries;
    } cases[] = {
        {"arne-v20-16.pal", PaletteFormat::Riff, 16},
        {"sample.pal", PaletteFormat::Riff, 256},
        {"atari-800xl-palette.pal", PaletteFormat::Jasc, 0},
        {"jasc256.pal", PaletteFormat::Jasc, 0},
        {"DB16.pal", PaletteFormat::Jasc, 0},
        {"paintnet-palette.pal", PaletteFormat::Jasc, 0},
        {"empty.pal", PaletteFormat::Jasc, 0},
        {"atari-7800-palette.pal", PaletteFormat::Unsupported, 0},
        {"DB32-CDR.PAL", PaletteFormat::Unsupported, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = kWild / c.name;
        ASSERT_TRUE(fs::exists(file));
        EXPECT_EQ(CheckPaletteFormat(file.string()), c.format);
        const ReadOutcome read = Read(file);
        if (c.format == PaletteFormat::Unsupported) {
            EXPECT_EQ(read.result, FileResult::ReadFailed);
            continue;
        }
        ASSERT_EQ(read.result, FileResult::Ok);
        const Entries expected = c.format == PaletteFormat::Riff ? ColoursStoredInRiffPalette(file, c.riffEntries)
                                                                 : ColoursWrittenInTextPalette(file);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(read.entries[i], expected[i]) << "entry " << i;
    }

    const ReadOutcome arne = Read(kWild / "arne-v20-16.pal");
    EXPECT_EQ(arne.entries[0], kBlack);
    EXPECT_EQ(arne.entries[1], Rgb(157, 157, 157));
    const ReadOutcome atari = Read(kWild / "atari-800xl-palette.pal");
    EXPECT_EQ(atari.entries[1], Rgb(37, 37, 37));
    EXPECT_NE(atari.entries[255], kBlack);
}

}  // namespace
