// The remembered folders in the registry, and the display probe of the main window's show.
#include "Fixture.h"
#include "shell/Maker.h"

namespace {

const char* const MakerPath = "SOFTWARE\\Brindlewick";
const char* const PalettePath = "SOFTWARE\\Brindlewick\\Palette";
const char* const FontsPath = "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts";
const char* const Display9xPath = "Config\\0001\\Display\\Settings";
const char* const VideoPath = "HARDWARE\\DEVICEMAP\\VIDEO";
const char* const ServicesPath =
    "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\System\\CurrentControlSet\\Services\\";
const char* const Device = "\\Registry\\Machine\\System\\CurrentControlSet\\Services\\vga\\Device0";

std::string StoredText(const FakeSystem& fake, const char* name) {
  const auto value = fake.ValueOf(HKEY_LOCAL_MACHINE, PalettePath, name);
  return value ? value->Text : std::string("(none)");
}

}  // namespace

TEST_F(ProgramTest, FirstRunCreatesTheKeysAndStartsWithNoFolders) {
  Start();
  EXPECT_TRUE(fake.HasKey(HKEY_LOCAL_MACHINE, PalettePath));
  const auto maker = fake.ValueOf(HKEY_LOCAL_MACHINE, MakerPath, MakerSlogan);
  ASSERT_TRUE(maker.has_value());
  EXPECT_EQ(maker->Text, MakerWebAddress);
  EXPECT_EQ(main->GetLastOpenedDir(), "");
  EXPECT_EQ(main->GetLastSavedDir(), "");
  EXPECT_EQ(fake.OpenRegistryKeys(), 0);  // every access frees its key

  // Closing without an import or a save writes neither folder.
  main->Close();
  EXPECT_EQ(StoredText(fake, "LastOpened"), "(none)");
  EXPECT_EQ(StoredText(fake, "LastSaved"), "(none)");
  EXPECT_EQ(fake.OpenRegistryKeys(), 0);
}

TEST_F(ProgramTest, StoredFoldersAreReadAtShowAndLeftAloneWithoutUse) {
  fake.SeedString(HKEY_LOCAL_MACHINE, PalettePath, "LastOpened", "C:\\Skins");
  fake.SeedString(HKEY_LOCAL_MACHINE, PalettePath, "LastSaved", "D:\\Out");
  Start();
  EXPECT_EQ(main->GetLastOpenedDir(), "C:\\Skins");
  EXPECT_EQ(main->GetLastSavedDir(), "D:\\Out");
  int writes = 0;
  fake.OnRegistryWrite([&](const std::string&, const std::string&) { ++writes; });
  main->Close();
  EXPECT_EQ(writes, 0);
  EXPECT_EQ(StoredText(fake, "LastOpened"), "C:\\Skins");
  EXPECT_EQ(StoredText(fake, "LastSaved"), "D:\\Out");
}

namespace {

struct ReadCase {
  const char* name;
  bool openedIsString;
  bool savedIsString;
  const char* opened;
  const char* saved;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class FailedReadTest : public ProgramTest, public ::testing::WithParamInterface<ReadCase> {};

}  // namespace

TEST_P(FailedReadTest, EndsThePairOfReads) {
  const ReadCase& c = GetParam();
  if (c.openedIsString) {
    fake.SeedString(HKEY_LOCAL_MACHINE, PalettePath, "LastOpened", "C:\\Skins");
  } else {
    fake.SeedBinary(HKEY_LOCAL_MACHINE, PalettePath, "LastOpened");
  }
  if (c.savedIsString) {
    fake.SeedString(HKEY_LOCAL_MACHINE, PalettePath, "LastSaved", "D:\\Out");
  } else {
    fake.SeedInteger(HKEY_LOCAL_MACHINE, PalettePath, "LastSaved", 5);
  }
  Start();
  EXPECT_EQ(main->GetLastOpenedDir(), c.opened);
  EXPECT_EQ(main->GetLastSavedDir(), c.saved);
  EXPECT_NE(Sq(0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, FailedReadTest,
                         ::testing::Values(ReadCase{"LastOpened not a string", false, true, "", ""},
                                           ReadCase{"LastSaved not a string", true, false, "C:\\Skins", ""}),
                         [](const ::testing::TestParamInfo<ReadCase>& info) { return CaseName(info.param.name); });

TEST_F(ProgramTest, AnAccountThatMayNotWriteTheMachineKeysRunsWithoutFolders) {
  fake.DenyAccess(HKEY_LOCAL_MACHINE, "");
  Start();
  EXPECT_EQ(main->GetLastOpenedDir(), "");
  EXPECT_EQ(main->GetDpiMode(), 1);
  EXPECT_TRUE(fake.ModalForms().empty());
  ASSERT_NE(Sq(0), nullptr);
  main->OpenDialog1->FileName = "C:\\Skins\\red.pal";
  main->Close();
  EXPECT_EQ(fake.RegistryWrites(), 0);
  EXPECT_TRUE(app->Terminated);
  EXPECT_EQ(fake.OpenRegistryKeys(), 0);
}

TEST_F(ProgramTest, ACancelledImportDialogLeavesTheStoredFolderUnchanged) {
  fake.SeedString(HKEY_LOCAL_MACHINE, PalettePath, "LastOpened", "C:\\Before");
  Start();
  main->OpenDialog1->FileName = "C:\\Skins\\red.pal";  // as a first import left it
  fake.QueueFileDialog(std::nullopt);
  main->OpenPalette1Click(main);
  ASSERT_EQ(fake.FileDialogs().size(), 1u);
  EXPECT_EQ(fake.FileDialogs()[0].InitialDir, "C:\\Skins");
  main->Close();
  EXPECT_EQ(StoredText(fake, "LastOpened"), "C:\\Before");
}

TEST_F(ProgramTest, FolderOfIsTheTextBeforeTheLastBackslash) {
  EXPECT_EQ(FolderOf("C:\\Skins\\red.pal"), "C:\\Skins");
  EXPECT_EQ(FolderOf("C:\\red.pal"), "C:");
  EXPECT_EQ(FolderOf("\\\\server\\share\\x\\"), "\\\\server\\share\\x");
  EXPECT_EQ(FolderOf("red.pal"), "");
  EXPECT_EQ(FolderOf(""), "");
}

namespace {

struct ProbeCase {
  const char* name;
  int platformId;
  std::function<void(FakeSystem&)> seed;
  const char* platform;
  int dpiMode;
  bool warned;
};

void PrintTo(const ProbeCase& c, std::ostream* os) { *os << c.name; }

class DisplayProbeTest : public ProgramTest, public ::testing::WithParamInterface<ProbeCase> {};

void NtDepth(FakeSystem& fake, const std::string& device, const std::string& tail, std::int32_t bits) {
  fake.SeedString(HKEY_LOCAL_MACHINE, VideoPath, "\\Device\\Video0", device);
  fake.SeedInteger(HKEY_LOCAL_MACHINE, std::string(ServicesPath) + tail, "DefaultSettings.BitsPerPel", bits);
}

}  // namespace

TEST_P(DisplayProbeTest, ChoosesTheLayoutAndWarnsOnlyOn256Colours) {
  const ProbeCase& c = GetParam();
  fake.SetPlatformId(c.platformId);
  c.seed(fake);
  bool gridDuringWarning = true;
  fake.QueueModal([&](TForm& form) {
    gridDuringWarning = SDIAppForm->GetSquares()[0] != nullptr;
    form.ModalResult = mrOk;
  });
  Start();
  EXPECT_EQ(main->GetPlatform(), c.platform);
  EXPECT_EQ(main->GetDpiMode(), c.dpiMode);
  const bool large = c.dpiMode == 2;
  EXPECT_EQ(main->Label8->BoundsRect(), large ? Bounds(305, 12, 13, 29) : Bounds(307, 12, 13, 29));
  EXPECT_EQ(main->Label1->BoundsRect(), large ? Bounds(36, 18, 251, 22) : Bounds(36, 18, 261, 19));
  EXPECT_EQ(main->Label2->BoundsRect(), large ? Bounds(17, 49, 313, 50) : Bounds(22, 52, 298, 47));
  EXPECT_EQ(main->Label3->BoundsRect(), large ? Bounds(254, 81, 46, 17) : Bounds(243, 82, 39, 14));
  if (c.warned) {
    ASSERT_EQ(fake.ModalForms().size(), 1u);
    EXPECT_EQ(fake.ModalForms()[0], Form2);
    EXPECT_FALSE(gridDuringWarning);
    EXPECT_EQ(Form2->Width, large ? 287 : 245);
  } else {
    EXPECT_TRUE(fake.ModalForms().empty());
  }
  // Whatever the probe found, the show went on to the settings and the grid.
  EXPECT_TRUE(fake.ValueOf(HKEY_LOCAL_MACHINE, MakerPath, MakerSlogan).has_value());
  ASSERT_NE(Sq(255), nullptr);
  EXPECT_EQ(fake.OpenRegistryKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, DisplayProbeTest,
    ::testing::Values(
        ProbeCase{"NT nothing stored", 2, [](FakeSystem&) {}, "NT", 1, false},
        ProbeCase{"NT 120 dpi", 2, [](FakeSystem& f) { f.SeedInteger(HKEY_LOCAL_MACHINE, FontsPath, "LogPixels", 120); },
                  "NT", 2, false},
        ProbeCase{"NT 96 dpi", 2, [](FakeSystem& f) { f.SeedInteger(HKEY_LOCAL_MACHINE, FontsPath, "LogPixels", 96); },
                  "NT", 1, false},
        ProbeCase{"NT 144 dpi", 2,
                  [](FakeSystem& f) { f.SeedInteger(HKEY_LOCAL_MACHINE, FontsPath, "LogPixels", 144); }, "NT", 1,
                  false},
        ProbeCase{"NT dpi stored as text", 2,
                  [](FakeSystem& f) { f.SeedString(HKEY_LOCAL_MACHINE, FontsPath, "LogPixels", "120"); }, "NT", 1,
                  false},
        ProbeCase{"NT 8 bits", 2, [](FakeSystem& f) { NtDepth(f, Device, "vga\\Device0", 8); }, "NT", 1, true},
        ProbeCase{"NT 8 bits at 120 dpi", 2,
                  [](FakeSystem& f) {
                    f.SeedInteger(HKEY_LOCAL_MACHINE, FontsPath, "LogPixels", 120);
                    NtDepth(f, Device, "vga\\Device0", 8);
                  },
                  "NT", 2, true},
        ProbeCase{"NT 16 bits", 2, [](FakeSystem& f) { NtDepth(f, Device, "vga\\Device0", 16); }, "NT", 1, false},
        ProbeCase{"NT 24 bits", 2, [](FakeSystem& f) { NtDepth(f, Device, "vga\\Device0", 24); }, "NT", 1, false},
        ProbeCase{"NT 32 bits", 2, [](FakeSystem& f) { NtDepth(f, Device, "vga\\Device0", 32); }, "NT", 1, false},
        // The device key is what follows the first "Services\", matched case-sensitively;
        // a text without it is taken from its ninth character on.
        ProbeCase{"NT device text in lower case", 2,
                  [](FakeSystem& f) {
                    NtDepth(f, "\\Registry\\Machine\\System\\CurrentControlSet\\services\\vga\\Device0",
                            "vga\\Device0", 8);
                  },
                  "NT", 1, false},
        ProbeCase{"NT device text without Services", 2, [](FakeSystem& f) { NtDepth(f, "12345678vga\\Dev", "vga\\Dev", 8); },
                  "NT", 1, true},
        // Wine's device text names the device's video key, whose path holds no "Services\".
        ProbeCase{"NT device text as Wine writes it", 2,
                  [](FakeSystem& f) {
                    NtDepth(f, "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{89520dc5}\\0000",
                            "y\\Machine\\System\\CurrentControlSet\\Control\\Video\\{89520dc5}\\0000", 8);
                  },
                  "NT", 1, true},
        ProbeCase{"NT device of another type", 2,
                  [](FakeSystem& f) { f.SeedBinary(HKEY_LOCAL_MACHINE, VideoPath, "\\Device\\Video0"); }, "NT", 1,
                  false},
        ProbeCase{"NT keys denied", 2,
                  [](FakeSystem& f) {
                    f.SeedInteger(HKEY_LOCAL_MACHINE, FontsPath, "LogPixels", 120);
                    NtDepth(f, Device, "vga\\Device0", 8);
                    f.DenyAccess(HKEY_LOCAL_MACHINE, "SYSTEM");
                    f.DenyAccess(HKEY_LOCAL_MACHINE, "HARDWARE");
                  },
                  "NT", 1, false},
        ProbeCase{"9x 120 dpi", 1,
                  [](FakeSystem& f) { f.SeedString(HKEY_LOCAL_MACHINE, Display9xPath, "DPILogicalX", "120"); }, "WIN",
                  2, false},
        ProbeCase{"9x 96 dpi", 1,
                  [](FakeSystem& f) { f.SeedString(HKEY_LOCAL_MACHINE, Display9xPath, "DPILogicalX", "96"); }, "WIN",
                  1, false},
        ProbeCase{"9x 120 dpi not exactly", 1,
                  [](FakeSystem& f) { f.SeedString(HKEY_LOCAL_MACHINE, Display9xPath, "DPILogicalX", "120 "); },
                  "WIN", 1, false},
        ProbeCase{"9x 8 bits", 1,
                  [](FakeSystem& f) { f.SeedString(HKEY_LOCAL_MACHINE, Display9xPath, "BitsPerPixel", "8"); }, "WIN",
                  1, true},
        ProbeCase{"9x 4 bits", 1,
                  [](FakeSystem& f) { f.SeedString(HKEY_LOCAL_MACHINE, Display9xPath, "BitsPerPixel", "4"); }, "WIN",
                  1, false},
        ProbeCase{"9x depth of another type", 1,
                  [](FakeSystem& f) { f.SeedInteger(HKEY_LOCAL_MACHINE, Display9xPath, "BitsPerPixel", 8); }, "WIN",
                  1, false},
        ProbeCase{"another platform reads nothing", 3,
                  [](FakeSystem& f) {
                    f.SeedInteger(HKEY_LOCAL_MACHINE, FontsPath, "LogPixels", 120);
                    f.SeedString(HKEY_LOCAL_MACHINE, Display9xPath, "DPILogicalX", "120");
                    f.SeedString(HKEY_LOCAL_MACHINE, Display9xPath, "BitsPerPixel", "8");
                    NtDepth(f, Device, "vga\\Device0", 8);
                  },
                  "", 1, false}),
    [](const ::testing::TestParamInfo<ProbeCase>& info) { return CaseName(info.param.name); });
