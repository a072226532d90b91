#include <cstdio>
#include <functional>

#include "tests/palettefiles/PaletteTestSupport.h"

namespace {

const std::string kHeader("\x52\x49\x46\x46\x10\x04\x00\x00\x50\x41\x4C\x20\x64\x61\x74\x61"
                          "\x04\x04\x00\x00\x00\x03\x00\x01", 24);

class PaletteWrite : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 256; ++i) colors[i] = (std::uint32_t(i) * 0x9E3779B1u) & 0xFFFFFFu;
    }

    void ExpectHoldsColors(const fs::path& file) {
        const ReadOutcome read = Read(file);
        ASSERT_EQ(read.result, FileResult::Ok);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(EntryToColor(read.entries[i]), colors[i]) << "entry " << i;
    }

    TempFolder folder;
    PaletteColor colors[256];
};

ReplaceOutcome FailToReplace(const std::string&, const std::string&) { return ReplaceOutcome::Failed; }
ReplaceOutcome NoAtomicReplace(const std::string&, const std::string&) { return ReplaceOutcome::Unsupported; }

TEST_F(PaletteWrite, WritesThe1048BytesAndReadsThemBack) {
    const fs::path target = folder.Path() / "out.pal";
    ASSERT_EQ(WritePaletteFile(target.string(), colors), FileResult::Ok);

    const std::string bytes = ReadBytes(target);
    ASSERT_EQ(bytes.size(), 1048u);
    EXPECT_EQ(bytes.substr(0, 24), kHeader);
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry e = ColorToEntry(colors[i]);
        ASSERT_EQ(bytes.substr(24 + 4 * i, 4), std::string({char(e.Red), char(e.Green), char(e.Blue), '\0'}))
            << "entry " << i;
    }
    ExpectHoldsColors(target);

    // Saving again replaces the earlier file.
    for (auto& c : colors) c ^= 0x00FF00FFu;
    ASSERT_EQ(WritePaletteFile(target.string(), colors), FileResult::Ok);
    ExpectHoldsColors(target);
    EXPECT_EQ(folder.Listing(), std::set<std::string>{"out.pal 1048"});
}

TEST_F(PaletteWrite, FailedSaveKeepsTheOldFileAndLeavesNoStrayFile) {
    const std::string old = "the palette saved before";
    const struct {
        const char* name;
        const char* target;
        std::function<void(const TempFolder&)> setUp;
        ReplaceFileFn replace;
    } cases[] = {
        {"missing folder", "missing/out.pal", [](const TempFolder&) {}, ReplaceByRename},
        {"target is a folder", "out.pal",
         [](const TempFolder& f) {
             fs::create_directory(f.Path() / "out.pal");
             f.Write("out.pal/inside.pal", "inside");
         },
         ReplaceByRename},
        {"replace fails", "out.pal", [&](const TempFolder& f) { f.Write("out.pal", old); }, FailToReplace},
        {"no atomic replace, target is a folder", "out.pal",
         [](const TempFolder& f) { fs::create_directory(f.Path() / "out.pal"); }, NoAtomicReplace},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder f;
        f.Write("neighbour.pal", "neighbour");
        c.setUp(f);
        const fs::path target = f.Path() / c.target;
        const auto before = f.Listing();
        const std::string oldBytes = fs::is_regular_file(target) ? ReadBytes(target) : "";

        EXPECT_EQ(WritePaletteFile(target.string(), colors, c.replace), FileResult::WriteFailed);
        EXPECT_EQ(f.Listing(), before);
        if (fs::is_regular_file(target)) {
            EXPECT_EQ(ReadBytes(target), oldBytes);
        }
    }
}

// The finished temporary file that replaces the target: its path and size at that moment.
struct ReplaceCall {
    std::string from, to;
    std::uintmax_t size = 0;
};
ReplaceCall lastReplace;

ReplaceOutcome RecordAndRename(const std::string& from, const std::string& to) {
    lastReplace = {from, to, fs::file_size(from)};
    return ReplaceByRename(from, to);
}

TEST_F(PaletteWrite, TemporaryFileIsCompleteNewAndBesideTheTarget) {
    const fs::path target = folder.Write("out.pal", "old");
    folder.Write("out.pal.tmp", "someone else's file");
    ASSERT_EQ(WritePaletteFile(target.string(), colors, RecordAndRename), FileResult::Ok);

    EXPECT_EQ(lastReplace.to, target.string());
    EXPECT_EQ(fs::path(lastReplace.from).parent_path(), folder.Path());
    EXPECT_EQ(lastReplace.size, 1048u);
    EXPECT_EQ(ReadBytes(folder.Path() / "out.pal.tmp"), "someone else's file");
    ExpectHoldsColors(target);
    EXPECT_EQ(folder.Listing(), (std::set<std::string>{"out.pal 1048", "out.pal.tmp 19"}));
}

TEST_F(PaletteWrite, WithoutAtomicReplaceTheTargetIsWrittenDirectly) {
    const fs::path target = folder.Write("out.pal", "old palette");
    ASSERT_EQ(WritePaletteFile(target.string(), colors, NoAtomicReplace), FileResult::Ok);
    ExpectHoldsColors(target);
    EXPECT_EQ(folder.Listing(), std::set<std::string>{"out.pal 1048"});
}

TEST(PaletteWriteStream, FullDiskIsAFailure) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (!full) GTEST_SKIP() << "no /dev/full on this system";
    PaletteColor colors[256] = {};
    EXPECT_FALSE(WritePaletteStream(full, colors));
    std::fclose(full);
}

}  // namespace
