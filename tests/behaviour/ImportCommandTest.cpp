// The main window's two file commands: their dialogs, the folder each remembers, the notices of
// an import that cannot go ahead, and the save with the About box that follows it.
#include "ImportFixture.h"

TEST_F(ImportTest, TheDialogsAskForPaletteFilesAndOnlyTheOpenOneInsistsTheFileExists) {
  StartWithColours();
  const Snapshot before = Working();
  fake.QueueFileDialog(std::nullopt);
  main->OpenPalette1Click(main);
  fake.QueueFileDialog(std::nullopt);
  main->SavePalette1Click(main);

  ASSERT_EQ(fake.FileDialogs().size(), 2u);
  const FileDialogRequest& open = fake.FileDialogs()[0];
  EXPECT_FALSE(open.Save);
  EXPECT_EQ(open.Title, "Import Palette");
  EXPECT_EQ(open.Filter, "Palette (*.pal)|*.pal");
  EXPECT_EQ(open.DefaultExt, "pal");
  EXPECT_EQ(open.FileName, "");
  EXPECT_TRUE(open.HideReadOnly);
  EXPECT_TRUE(open.PathMustExist);
  EXPECT_TRUE(open.FileMustExist);
  EXPECT_FALSE(open.OverwritePrompt);

  const FileDialogRequest& save = fake.FileDialogs()[1];
  EXPECT_TRUE(save.Save);
  EXPECT_EQ(save.Title, "Save Palette As...");
  EXPECT_EQ(save.Filter, "Palette (*.pal)|*.pal");
  EXPECT_EQ(save.DefaultExt, "pal");
  EXPECT_EQ(save.FileName, "");
  EXPECT_TRUE(save.OverwritePrompt);
  EXPECT_TRUE(save.HideReadOnly);
  EXPECT_TRUE(save.PathMustExist);
  EXPECT_FALSE(save.FileMustExist) << "a new palette could never be saved";

  // Cancelled, both commands end there.
  EXPECT_TRUE(fake.ModalForms().empty());
  EXPECT_TRUE(Working() == before);
}

TEST_F(ImportTest, EachDialogOpensInTheFolderOfItsOwnLastConfirmedFile) {
  const char* const key = "SOFTWARE\\Brindlewick\\Palette";
  fake.SeedString(HKEY_LOCAL_MACHINE, key, "LastOpened", "D:\\from\\registry");
  fake.SeedString(HKEY_LOCAL_MACHINE, key, "LastSaved", "E:\\saved");
  StartWithColours();
  const std::string here = dir.string() + "/";
  const std::string red = WriteRiff("pal\\skins\\red.pal");
  auto initialDir = [&](std::size_t k) { return fake.FileDialogs().at(k).InitialDir; };

  // 0: the first import opens where the registry says; the window is then cancelled.
  Import(red, [&] { ClickCancel(); });
  EXPECT_EQ(initialDir(0), "D:\\from\\registry");
  // 1: the next one opens in the folder of the file chosen, although nothing was merged.
  fake.QueueFileDialog(std::nullopt);
  main->OpenPalette1Click(main);
  EXPECT_EQ(initialDir(1), here + "pal\\skins");
  // 2: a cancelled dialog leaves the folder as it was. A file in a drive's root follows.
  ShownBox notice;
  QueueMessageBox(notice);
  fake.QueueFileDialog(std::string("C:\\red.pal"));
  main->OpenPalette1Click(main);
  EXPECT_EQ(initialDir(2), here + "pal\\skins");
  EXPECT_EQ(notice.Text, "Could not open palette file.");
  // 3: saving starts in its own folder; the About box it ends with is closed at once.
  fake.QueueFileDialog(here + "saves\\out.pal");
  fake.QueueModal([](TForm&) {});
  main->SavePalette1Click(main);
  EXPECT_EQ(initialDir(3), "E:\\saved");
  ASSERT_TRUE(fs::exists(dir / "saves\\out.pal"));
  // 4: the drive root gives the drive letter and colon; the save did not move the import folder.
  fake.QueueFileDialog(std::nullopt);
  main->OpenPalette1Click(main);
  EXPECT_EQ(initialDir(4), "C:");
  EXPECT_EQ(main->GetLastOpenedDir(), "C:");
  // 5, 6: the save folder follows the saved file and stays after a cancelled save dialog.
  fake.QueueFileDialog(std::nullopt);
  main->SavePalette1Click(main);
  fake.QueueFileDialog(std::nullopt);
  main->SavePalette1Click(main);
  EXPECT_EQ(initialDir(5), here + "saves");
  EXPECT_EQ(initialDir(6), here + "saves");
  EXPECT_EQ(main->GetLastSavedDir(), here + "saves");
  EXPECT_EQ(main->GetLastOpenedDir(), "C:");
}

namespace {

enum class Chosen { Bitmap, LowerCaseJasc, MissingFile, Folder };

struct NoticeCase {
  const char* Name;
  int Dpi;
  Chosen File;
  const char* Text;
  int BoxWidth, LabelWidth, LabelLeft, ButtonLeft, OffsetX;
};

void PrintTo(const NoticeCase& c, std::ostream* os) { *os << c.Name; }

class ImportNotice : public ImportTest, public ::testing::WithParamInterface<NoticeCase> {};

}  // namespace

TEST_P(ImportNotice, AFileThatCannotBeImportedGivesANoticeCentredOverTheMainWindow) {
  const NoticeCase& c = GetParam();
  StartWithColours(c.Dpi);
  Select({4, 5});
  // Centring follows the main window wherever it is.
  ASSERT_TRUE(fake.DragCaption(*main, TPoint{main->Left + 100, main->Top + 10},
                               TPoint{main->Left + 100 - 241, main->Top + 10 - 121}));
  std::string file;
  switch (c.File) {
    case Chosen::Bitmap: file = Write("picture.pal", std::string("BM\x36\x04\0\0\0\0\0\0", 10) + "pixels"); break;
    case Chosen::LowerCaseJasc: file = Write("lower.pal", "jasc-pal\r\n0100\r\n16\r\n"); break;
    case Chosen::MissingFile: file = (dir / "gone.pal").string(); break;
    case Chosen::Folder: fs::create_directory(dir / "folder.pal"); file = (dir / "folder.pal").string(); break;
  }
  const Snapshot before = Working();
  ShownBox box;
  QueueMessageBox(box);
  fake.QueueFileDialog(file);
  RightClickSquare(4, "Import Palette");

  ASSERT_TRUE(box.Shown);
  EXPECT_EQ(box.Text, c.Text);
  EXPECT_EQ(box.Width, c.BoxWidth);
  EXPECT_EQ(box.Height, 125);
  EXPECT_EQ(box.Left - main->Left, c.OffsetX);
  EXPECT_EQ(box.Top - main->Top, 142);
  EXPECT_EQ(box.Label, Bounds(c.LabelLeft, 17, c.LabelWidth, 15));
  EXPECT_EQ(box.Button, Bounds(c.ButtonLeft, 60, 75, 25));
  EXPECT_FALSE(Form2->Visible);
  EXPECT_FALSE(WasShown(Form1)) << "the Import Palette window must not open";
  EXPECT_TRUE(Working() == before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportNotice,
    ::testing::Values(NoticeCase{"Bitmap", 1, Chosen::Bitmap, "Unsupported Palette.", 235, 135, 50, 80, 52},
                      NoticeCase{"LowerCaseJascLargeFonts", 2, Chosen::LowerCaseJasc, "Unsupported Palette.", 264, 140,
                                 62, 94, 38},
                      NoticeCase{"MissingFile", 1, Chosen::MissingFile, "Could not open palette file.", 235, 175, 30,
                                 80, 52},
                      NoticeCase{"FolderLargeFonts", 2, Chosen::Folder, "Could not open palette file.", 264, 180, 42,
                                 94, 38}),
    [](const ::testing::TestParamInfo<NoticeCase>& info) { return std::string(info.param.Name); });

TEST_F(ImportTest, AFailedImportLeavesTheNextOneUnaffected) {
  StartWithColours();
  Select({8});
  const std::string file = WriteRiff("first.pal");
  Import(file, [&] { ClickCancel(); });
  fs::remove(file);
  ShownBox box;
  QueueMessageBox(box);
  fake.QueueFileDialog(file);
  main->OpenPalette1Click(main);
  EXPECT_EQ(box.Text, "Could not open palette file.");
  ASSERT_EQ(fake.ModalForms().size(), 2u);

  Colours other{};
  for (int i = 0; i < 256; ++i) other[i] = FileColour(255 - i);
  const std::string second = WriteRiff("second.pal", other);
  Import(second, [&] {
    for (int i = 0; i < 256; ++i) EXPECT_EQ(Imp(i)->Brush->Color, other[i]) << i;
    EndImportLockOut();
    ClickImported(3);
    ClickOk();
  });
  EXPECT_EQ(Sq(8)->Brush->Color, other[3]);
}

namespace {

struct SaveCase {
  const char* Name;
  int Dpi;
  std::optional<ReplaceStatus> Replace;  // forced answer of the system's replace, if any
  TRect OkButton;
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.Name; }

class SaveTest : public ImportTest, public ::testing::WithParamInterface<SaveCase> {};

}  // namespace

TEST_P(SaveTest, SaveWritesTheSquaresUnselectsThemAndShowsTheAboutBoxCentred) {
  const SaveCase& c = GetParam();
  StartWithColours(c.Dpi);
  fake.SetReplaceStatus(c.Replace);
  ASSERT_TRUE(fake.DragCaption(*main, TPoint{main->Left + 100, main->Top + 10},
                               TPoint{main->Left + 100 - 77, main->Top + 10 - 33}));
  Select({1, 2, 3, 200});
  Sq(9)->Pen->Color = clRed;
  const std::string target = Write("out.pal", "an older file in the way");
  Colours colours{};
  for (int i = 0; i < 256; ++i) colours[i] = Sq(i)->Brush->Color;
  const int aboutWidth = AboutBox->Width;
  const int aboutHeight = AboutBox->Height;
  // The box is designed at the size its show gives it, so the centring is exact.
  EXPECT_EQ(aboutWidth, 288);
  EXPECT_EQ(aboutHeight, 249);

  bool shown = false;
  fake.QueueFileDialog(target);
  fake.QueueModal([&](TForm& form) {
    ASSERT_EQ(&form, AboutBox);
    shown = AboutBox->Visible;
    // By the time the About box is up the file is written and the lock-out is over.
    EXPECT_EQ(ReadFile(target), RiffBytes(colours));
    EXPECT_FALSE(main->Timer1->Enabled);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(Sq(i)->Pen->Color, clBlack) << i;
    EXPECT_EQ(AboutBox->Left, main->Left + (main->Width - aboutWidth) / 2);
    EXPECT_EQ(AboutBox->Top, main->Top + (main->Height - aboutHeight) / 2);
    EXPECT_EQ(AboutBox->Caption(), "About Tintmesh");
    EXPECT_EQ(AboutBox->Width, 288);
    EXPECT_EQ(AboutBox->Height, 249);
    EXPECT_EQ(AboutBox->OKButton->Caption(), "OK");
    EXPECT_EQ(AboutBox->OKButton->BoundsRect(), c.OkButton);
    fake.PressButton(*AboutBox->OKButton);
  });
  RightClickSquare(20, "Save Palette");

  EXPECT_TRUE(shown);
  EXPECT_EQ(AboutBox->ModalResult, mrOk);
  EXPECT_FALSE(AboutBox->Visible);
  EXPECT_EQ(fs::file_size(target), 1048u);
  EXPECT_EQ(Listing(), std::set<std::string>{"out.pal"});
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(Sq(i)->Brush->Color, colours[i]) << i;
    EXPECT_EQ(Sq(i)->Pen->Color, clBlack) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SaveTest,
    ::testing::Values(SaveCase{"AtomicReplace", 1, std::nullopt, Bounds(110, 183, 65, 30)},
                      SaveCase{"NoAtomicReplaceLargeFonts", 2, ReplaceStatus::Unsupported, Bounds(102, 169, 80, 37)}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.Name); });

TEST_F(ImportTest, ACancelledSaveChangesNothingAndTheLockOutGoesOn) {
  StartWithColours();
  Select({1, 2});
  fake.Click(*main, At(30));  // a handled press: the lock-out is on
  ASSERT_TRUE(main->Timer1->Enabled);
  const Snapshot before = Working();
  fake.QueueFileDialog(std::nullopt);
  main->SavePalette1Click(main);
  EXPECT_TRUE(main->Timer1->Enabled);
  EXPECT_TRUE(Working() == before);
  EXPECT_FALSE(WasShown(AboutBox));
  EXPECT_TRUE(Listing().empty());
}

namespace {

struct SaveFailure {
  const char* Name;
  int Dpi;
  bool ExistingTarget;  // else the folder does not exist
  int BoxWidth, LabelWidth, LabelLeft, ButtonLeft, OffsetX;
};

void PrintTo(const SaveFailure& c, std::ostream* os) { *os << c.Name; }

class SaveFailureTest : public ImportTest, public ::testing::WithParamInterface<SaveFailure> {};

}  // namespace

TEST_P(SaveFailureTest, AFailedSaveSaysSoAndKeepsThePaletteAndTheOldFile) {
  const SaveFailure& c = GetParam();
  StartWithColours(c.Dpi);
  Select({1, 2, 3});
  Sq(9)->Pen->Color = clRed;
  std::string target;
  if (c.ExistingTarget) {
    target = Write("keep.pal", "the user's palette");
    fake.SetReplaceStatus(ReplaceStatus::Failed);
  } else {
    target = (dir / "missing" / "new.pal").string();
  }
  const std::set<std::string> files = Listing();
  const Snapshot before = Working();

  ShownBox box;
  QueueMessageBox(box);
  fake.QueueFileDialog(target);
  RightClickSquare(20, "Save Palette");

  ASSERT_TRUE(box.Shown);
  EXPECT_EQ(box.Text, "Could not save palette file.");
  EXPECT_EQ(box.Width, c.BoxWidth);
  EXPECT_EQ(box.Height, 125);
  EXPECT_EQ(box.Left - main->Left, c.OffsetX);
  EXPECT_EQ(box.Top - main->Top, 142);
  EXPECT_EQ(box.Label, Bounds(c.LabelLeft, 17, c.LabelWidth, 15));
  EXPECT_EQ(box.Button, Bounds(c.ButtonLeft, 60, 75, 25));
  EXPECT_FALSE(WasShown(AboutBox));
  EXPECT_TRUE(Working() == before) << "colours and selection stay";
  EXPECT_EQ(Listing(), files) << "no file added or removed";
  if (c.ExistingTarget) {
    EXPECT_EQ(ReadFile(target), "the user's palette");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SaveFailureTest,
    ::testing::Values(SaveFailure{"ReplaceRefused", 1, true, 235, 175, 30, 80, 52},
                      SaveFailure{"MissingFolderLargeFonts", 2, false, 264, 180, 42, 94, 38}),
    [](const ::testing::TestParamInfo<SaveFailure>& info) { return std::string(info.param.Name); });
