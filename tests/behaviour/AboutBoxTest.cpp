// The About box: its layout in both modes, its picture and texts, the link's press colours,
// and the browser lookup through the file association with the launch or the two messages.
#include <functional>

#include "ImportFixture.h"

namespace {

const char* const Address = "http://www.brindlewick.com";
const char* const Htm = ".htm";
const char* const Html = ".html";

std::string CommandKey(const std::string& className) { return className + "\\shell\\open\\command"; }

class AboutTest : public ImportTest {
 protected:
  // Shows the About box modally the way the save does, runs `whileShown` in it and then
  // closes it with OK if it is still open.
  void ShowAbout(std::function<void()> whileShown) {
    fake.QueueModal([this, whileShown](TForm& form) {
      ASSERT_EQ(&form, AboutBox) << "the About box was expected";
      whileShown();
      if (AboutBox->ModalResult == mrNone) fake.PressButton(*AboutBox->OKButton);
    });
    AboutBox->ShowModal();
  }
  // A point of the About box's client area on the screen.
  TPoint OnAbout(int x, int y) const {
    const TPoint origin = AboutBox->ScreenToClient(TPoint{0, 0});
    return TPoint{x - origin.x, y - origin.y};
  }
  TPoint LinkPoint() const {
    const TLabel* link = AboutBox->Label5;
    return OnAbout(link->Left + link->Width / 2, link->Top + link->Height / 2);
  }
  void ClickLink() { fake.Click(*AboutBox, LinkPoint()); }

  void SeedClass(const std::string& extension, const std::string& className) {
    fake.SeedString(HKEY_CLASSES_ROOT, extension, "", className);
  }
  void SeedCommand(const std::string& className, const std::string& command) {
    fake.SeedString(HKEY_CLASSES_ROOT, CommandKey(className), "", command);
  }

  // The one launch the last click asked for, checked field by field against what every
  // launch sets; its folder and file name are returned for the case at hand.
  const ShellExecuteRequest& OnlyLaunch() {
    EXPECT_EQ(fake.ShellCalls().size(), 1u);
    static const ShellExecuteRequest none;
    if (fake.ShellCalls().empty()) return none;
    const ShellExecuteRequest& r = fake.ShellCalls().back();
    EXPECT_EQ(r.Mask, 0x400u);
    EXPECT_EQ(r.Owner, 0u);
    EXPECT_EQ(r.Verb, "open");
    EXPECT_EQ(r.Parameters, std::string(Address) + "/");
    EXPECT_EQ(r.Show, 10);
    return r;
  }
};

// ---------------------------------------------------------------------------------------------
// Layout

struct LayoutCase {
  const char* Name;
  int Dpi;
  TRect Shape1, Image2, Label1, Label2, Label3, Label5, OKButton;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.Name; }

class AboutLayoutTest : public AboutTest, public ::testing::WithParamInterface<LayoutCase> {};

}  // namespace

TEST_P(AboutLayoutTest, EachShowSizesTheBoxByItsPictureAndPlacesTheControlsForTheMode) {
  const LayoutCase& c = GetParam();
  StartIn(c.Dpi);
  // Whatever size the box was left at, the show gives it the picture's.
  AboutBox->Width = 500;
  AboutBox->Height = 90;
  ShowAbout([&] {
    EXPECT_EQ(AboutBox->GetDpiMode(), c.Dpi);
    EXPECT_EQ(AboutBox->Width, 288);
    EXPECT_EQ(AboutBox->Height, 249);
    EXPECT_EQ(AboutBox->Image1->BoundsRect(), Bounds(0, 0, 284, 224));
    EXPECT_EQ(AboutBox->Shape1->BoundsRect(), c.Shape1);
    EXPECT_EQ(AboutBox->Image2->BoundsRect(), c.Image2);
    EXPECT_EQ(AboutBox->Label1->BoundsRect(), c.Label1);
    EXPECT_EQ(AboutBox->Label2->BoundsRect(), c.Label2);
    EXPECT_EQ(AboutBox->Label3->BoundsRect(), c.Label3);
    EXPECT_EQ(AboutBox->Label5->BoundsRect(), c.Label5);
    EXPECT_EQ(AboutBox->OKButton->BoundsRect(), c.OKButton);
    // The hand pointer is loaded at the show and given to the link.
    EXPECT_EQ(fake.CursorResourcesLoaded().back(), "HAND");
    EXPECT_EQ(Screen->Cursors[HandCursorIndex], FakeSystem::HandCursorId);
    EXPECT_EQ(AboutBox->Label5->Cursor, HandCursorIndex);
  });
  EXPECT_EQ(AboutBox->ModalResult, mrOk);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, AboutLayoutTest,
    ::testing::Values(LayoutCase{"Normal", 1, Bounds(26, 55, 36, 36), Bounds(28, 57, 32, 32), Bounds(73, 57, 200, 18),
                                 Bounds(103, 81, 78, 18), Bounds(82, 122, 119, 13), Bounds(32, 150, 225, 15),
                                 Bounds(110, 183, 65, 30)},
                      LayoutCase{"LargeFonts", 2, Bounds(13, 56, 36, 36), Bounds(15, 58, 32, 32),
                                 Bounds(60, 54, 245, 21), Bounds(93, 84, 98, 21), Bounds(67, 110, 151, 16),
                                 Bounds(25, 137, 235, 17), Bounds(102, 169, 80, 37)}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.Name); });

TEST_F(AboutTest, ShowsItsPictureTheEmblemInItsWhiteFrameAndItsTextsInTheirFonts) {
  StartIn(1);
  TBitmap background, emblem;
  ASSERT_TRUE(background.LoadFromResourceName("ABOUT"));
  ASSERT_TRUE(emblem.LoadFromResourceName("EMBLEM"));
  ASSERT_EQ(background.Width, 284);
  ASSERT_EQ(background.Height, 224);
  EXPECT_EQ(background.BitsPerPixel, 8);
  ASSERT_EQ(emblem.Width, 32);
  ASSERT_EQ(emblem.Height, 32);
  EXPECT_EQ(emblem.BitsPerPixel, 8);

  ShowAbout([&] {
    fake.ClearTexts();
    fake.PaintAll();
    // The picture where no control covers it: the banner at the top, the body below.
    for (TPoint p : {TPoint{0, 0}, TPoint{140, 20}, TPoint{5, 200}, TPoint{270, 120}}) {
      EXPECT_EQ(fake.PixelAt(*AboutBox, p.x, p.y), PixelToColor(background.PixelAt(p.x, p.y))) << p.x << "," << p.y;
    }
    // The frame: a black outline, white inside, two pixels wider than the emblem on every side.
    EXPECT_EQ(fake.PixelAt(*AboutBox, 26, 55), clBlack);
    EXPECT_EQ(fake.PixelAt(*AboutBox, 61, 90), clBlack);
    EXPECT_EQ(fake.PixelAt(*AboutBox, 27, 56), clWhite);
    EXPECT_EQ(fake.PixelAt(*AboutBox, 60, 89), clWhite);
    for (int y = 0; y < 32; y += 5) {
      for (int x = 0; x < 32; x += 5) {
        EXPECT_EQ(fake.PixelAt(*AboutBox, 28 + x, 57 + y), PixelToColor(emblem.PixelAt(x, y))) << x << "," << y;
      }
    }

    struct Expected {
      const TLabel* Label;
      std::string Text;
      std::string Font;
      int Height;
      bool Bold, Underline;
      TColor Color;
    };
    const Expected texts[] = {
        {AboutBox->Label1, "Brindlewick Tintmesh", "Arial", 15, true, false, clWhite},
        {AboutBox->Label2, "Version 1.0", "Arial", 15, true, false, clWhite},
        {AboutBox->Label3, "Edda Marlow", "MS Sans Serif", 12, false, false, clWhite},
        {AboutBox->Label5, Address, "Arial", 12, false, true, 0x0080FF},
    };
    for (const Expected& e : texts) {
      bool drawn = false;
      for (const FakeSystem::DrawnText& t : fake.Texts()) {
        if (t.Target != AboutBox->Buffer() || t.Text != e.Text) continue;
        drawn = true;
        EXPECT_EQ(t.Box, e.Label->BoundsRect()) << e.Text;
        EXPECT_EQ(t.Font.Name, e.Font) << e.Text;
        EXPECT_EQ(t.Font.Height, e.Height) << e.Text;
        EXPECT_EQ(t.Font.Bold, e.Bold) << e.Text;
        EXPECT_EQ(t.Font.Underline, e.Underline) << e.Text;
        EXPECT_EQ(t.Font.Color, e.Color) << e.Text;
      }
      EXPECT_TRUE(drawn) << e.Text;
      EXPECT_TRUE(e.Label->Transparent) << e.Text;
      EXPECT_FALSE(e.Label->AutoSize) << e.Text;
    }
    EXPECT_TRUE(AboutBox->Label5->WordWrap);
    EXPECT_EQ(AboutBox->Label5->Hint, Address);
    EXPECT_TRUE(AboutBox->Label5->ShowHint);
  });
}

TEST_F(AboutTest, OkIsTheOnlyButtonAndTheDefaultAndEscapeLeavesTheBoxOpen) {
  StartIn(1);
  ShowAbout([&] {
    int buttons = 0;
    for (const auto& [id, button] : fake.Buttons()) {
      if (button.Parent != AboutBox->Handle()) continue;
      ++buttons;
      EXPECT_EQ(button.Caption, "OK");
      EXPECT_TRUE(button.Default) << "Enter presses it";
    }
    EXPECT_EQ(buttons, 1);
    // Escape reaches a window with buttons as the cancel command; with no cancel button it does nothing.
    fake.Deliver(*AboutBox, WM_COMMAND, 2, 0);
    EXPECT_EQ(AboutBox->ModalResult, mrNone);
    EXPECT_TRUE(AboutBox->Visible);
    fake.PressButton(*AboutBox->OKButton);
    EXPECT_EQ(AboutBox->ModalResult, mrOk);
  });
  EXPECT_FALSE(AboutBox->Visible);
}

// ---------------------------------------------------------------------------------------------
// The link's press colours

TEST_F(AboutTest, APressOnTheLinkTurnsItGreyAndAReleaseAnywhereTurnsItOrangeStartingNothing) {
  StartIn(1);
  SeedClass(Htm, "htmlfile");
  SeedCommand("htmlfile", "C:\\Web\\browser.exe \"%1\"");
  ShowAbout([&] {
    TLabel* link = AboutBox->Label5;
    EXPECT_EQ(link->Font->Color, 0x0080FFu);
    for (TMouseButton button : {mbLeft, mbRight, mbMiddle}) {
      fake.Press(*AboutBox, LinkPoint(), button);
      EXPECT_EQ(link->Font->Color, clGray) << button;
      // Released outside the link, over the background picture.
      fake.Release(*AboutBox, OnAbout(140, 210), button);
      EXPECT_EQ(link->Font->Color, 0x0080FFu) << button;
    }
    // A right or middle click on the link itself is not a click either.
    fake.Click(*AboutBox, LinkPoint(), mbRight);
    fake.Click(*AboutBox, LinkPoint(), mbMiddle);
    EXPECT_EQ(link->Font->Color, 0x0080FFu);
    EXPECT_TRUE(fake.ShellCalls().empty());
    EXPECT_EQ(fake.ModalForms().size(), 1u) << "no message box";
    EXPECT_EQ(AboutBox->ModalResult, mrNone);
  });
}

// ---------------------------------------------------------------------------------------------
// The browser lookup

namespace {

struct LookupCase {
  const char* Name;
  std::function<void(FakeSystem&)> Seed;
  const char* File;  // the program launched, or nullptr when the browser is not found
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.Name; }

class BrowserLookupTest : public AboutTest, public ::testing::WithParamInterface<LookupCase> {};

void Class(FakeSystem& f, const char* extension, const std::string& className) {
  f.SeedString(HKEY_CLASSES_ROOT, extension, "", className);
}
void Command(FakeSystem& f, const std::string& className, const std::string& program) {
  f.SeedString(HKEY_CLASSES_ROOT, CommandKey(className), "", "C:\\Web\\" + program + " \"%1\"");
}

}  // namespace

TEST_P(BrowserLookupTest, TheHtmClassThenTheHtmlClassNamesTheOpenCommand) {
  const LookupCase& c = GetParam();
  StartIn(1);
  c.Seed(fake);
  const bool hadKeys[] = {fake.HasKey(HKEY_CLASSES_ROOT, Htm), fake.HasKey(HKEY_CLASSES_ROOT, Html),
                          fake.HasKey(HKEY_CLASSES_ROOT, "shell\\open\\command")};
  const int writesAtStart = fake.RegistryWrites();  // start-up writes the maker's key
  ShownBox box;
  ShowAbout([&] {
    if (!c.File) QueueMessageBox(box);
    ClickLink();
    EXPECT_EQ(AboutBox->ModalResult, mrNone) << "the About box stays open";
    EXPECT_TRUE(AboutBox->Visible);
  });
  if (c.File) {
    EXPECT_EQ(OnlyLaunch().File, c.File);
    EXPECT_EQ(OnlyLaunch().Directory, "C:\\Web");
    EXPECT_FALSE(box.Shown);
  } else {
    EXPECT_TRUE(fake.ShellCalls().empty());
    EXPECT_TRUE(box.Shown);
    EXPECT_EQ(box.Text, "Could not locate web browser.");
  }
  // The lookup only reads: both readers are gone, nothing was written, no key was created.
  EXPECT_EQ(fake.OpenRegistryKeys(), 0);
  EXPECT_EQ(fake.RegistryWrites(), writesAtStart);
  EXPECT_EQ(fake.HasKey(HKEY_CLASSES_ROOT, Htm), hadKeys[0]);
  EXPECT_EQ(fake.HasKey(HKEY_CLASSES_ROOT, Html), hadKeys[1]);
  EXPECT_EQ(fake.HasKey(HKEY_CLASSES_ROOT, "shell\\open\\command"), hadKeys[2]);
}

INSTANTIATE_TEST_SUITE_P(
    Association, BrowserLookupTest,
    ::testing::Values(
        LookupCase{"htm class is used and html is not read",
                   [](FakeSystem& f) {
                     Class(f, Htm, "pagefile");
                     Command(f, "pagefile", "page.exe");
                     Class(f, Html, "otherfile");
                     Command(f, "otherfile", "other.exe");
                   },
                   "page.exe"},
        LookupCase{"htm class without a command does not fall back to html",
                   [](FakeSystem& f) {
                     Class(f, Htm, "pagefile");
                     Class(f, Html, "otherfile");
                     Command(f, "otherfile", "other.exe");
                   },
                   nullptr},
        LookupCase{"htm missing, html class is used",
                   [](FakeSystem& f) {
                     Class(f, Html, "otherfile");
                     Command(f, "otherfile", "other.exe");
                   },
                   "other.exe"},
        LookupCase{"htm class empty, html class is used",
                   [](FakeSystem& f) {
                     Class(f, Htm, "");
                     Class(f, Html, "otherfile");
                     Command(f, "otherfile", "other.exe");
                   },
                   "other.exe"},
        LookupCase{"htm key without a default value, html class is used",
                   [](FakeSystem& f) {
                     f.SeedKey(HKEY_CLASSES_ROOT, Htm);
                     Class(f, Html, "otherfile");
                     Command(f, "otherfile", "other.exe");
                   },
                   "other.exe"},
        LookupCase{"htm class not a string reads as empty",
                   [](FakeSystem& f) {
                     f.SeedInteger(HKEY_CLASSES_ROOT, Htm, "", 7);
                     Class(f, Html, "otherfile");
                     Command(f, "otherfile", "other.exe");
                   },
                   "other.exe"},
        LookupCase{"htm key that cannot be opened reads as empty",
                   [](FakeSystem& f) {
                     Class(f, Htm, "pagefile");
                     Command(f, "pagefile", "page.exe");
                     f.DenyReading(HKEY_CLASSES_ROOT, Htm);
                     Class(f, Html, "otherfile");
                     Command(f, "otherfile", "other.exe");
                   },
                   "other.exe"},
        LookupCase{"no class reads the command key right under the root",
                   [](FakeSystem& f) { f.SeedString(HKEY_CLASSES_ROOT, "shell\\open\\command", "", "C:\\Web\\root.exe"); },
                   "root.exe"},
        LookupCase{"no class and no command under the root", [](FakeSystem&) {}, nullptr},
        LookupCase{"command key without a default value",
                   [](FakeSystem& f) {
                     Class(f, Htm, "pagefile");
                     f.SeedKey(HKEY_CLASSES_ROOT, CommandKey("pagefile"));
                   },
                   nullptr},
        LookupCase{"command not a string",
                   [](FakeSystem& f) {
                     Class(f, Htm, "pagefile");
                     f.SeedBinary(HKEY_CLASSES_ROOT, CommandKey("pagefile"), "");
                   },
                   nullptr},
        LookupCase{"command empty",
                   [](FakeSystem& f) {
                     Class(f, Htm, "pagefile");
                     f.SeedString(HKEY_CLASSES_ROOT, CommandKey("pagefile"), "", "");
                   },
                   nullptr},
        LookupCase{"command key that cannot be opened",
                   [](FakeSystem& f) {
                     Class(f, Htm, "pagefile");
                     Command(f, "pagefile", "page.exe");
                     f.DenyReading(HKEY_CLASSES_ROOT, CommandKey("pagefile"));
                   },
                   nullptr},
        // An account that may not change the classes (the usual one) still reads them.
        LookupCase{"classes that may not be written are still read",
                   [](FakeSystem& f) {
                     Class(f, Htm, "pagefile");
                     Command(f, "pagefile", "page.exe");
                     f.DenyAccess(HKEY_CLASSES_ROOT, "");
                   },
                   "page.exe"}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return CaseName(info.param.Name); });

// ---------------------------------------------------------------------------------------------
// Splitting the command

namespace {

struct SplitCase {
  const char* Name;
  const char* Command;
  const char* Directory;
  const char* File;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.Name; }

class CommandSplitTest : public AboutTest, public ::testing::WithParamInterface<SplitCase> {};

}  // namespace

TEST_P(CommandSplitTest, TheLaunchTakesTheFolderAndFileFromTheCommandAndTheAddressForArguments) {
  const SplitCase& c = GetParam();
  StartIn(1);
  SeedClass(Htm, "htmlfile");
  SeedCommand("htmlfile", c.Command);
  ShowAbout([&] {
    ClickLink();
    // A launch shows nothing and leaves the box open, the link orange again.
    EXPECT_EQ(fake.ModalForms().size(), 1u) << "no message box";
    EXPECT_EQ(AboutBox->ModalResult, mrNone);
    EXPECT_TRUE(AboutBox->Visible);
    EXPECT_EQ(AboutBox->Label5->Font->Color, 0x0080FFu);
  });
  const ShellExecuteRequest& launch = OnlyLaunch();
  EXPECT_EQ(launch.Directory, c.Directory);
  EXPECT_EQ(launch.File, c.File);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandSplitTest,
    ::testing::Values(
        // The opening quote leaves the folder as the closing one leaves the file name.
        SplitCase{"quoted path with arguments", "\"C:\\Program Files\\Web Browser\\browser.exe\" -url \"%1\"",
                  "C:\\Program Files\\Web Browser", "browser.exe"},
        SplitCase{"quoted path alone", "\"C:\\Web\\browser.exe\"", "C:\\Web", "browser.exe"},
        SplitCase{"only one opening quote is dropped", "\"\"C:\\Web\\browser.exe\"", "\"C:\\Web", "browser.exe"},
        SplitCase{"plain path with arguments", "C:\\Web\\browser.exe \"%1\"", "C:\\Web", "browser.exe"},
        SplitCase{"plain path alone", "C:\\Web\\browser.exe", "C:\\Web", "browser.exe"},
        SplitCase{"no backslash with arguments", "browser.exe -new %1", "", "browser.exe"},
        SplitCase{"no backslash alone", "browser.exe", "", "browser.exe"},
        // The split is at the last backslash of the whole command, inside the arguments.
        SplitCase{"backslash in the arguments", "\"C:\\Web\\browser.exe\" -profile C:\\Profiles\\me \"%1\"",
                  "C:\\Web\\browser.exe\" -profile C:\\Profiles", "me"},
        SplitCase{"space in an unquoted file name", "C:\\Web\\My Browser.exe %1", "C:\\Web", "My"},
        SplitCase{"nothing after the last backslash", "C:\\Web\\", "C:\\Web", ""}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return CaseName(info.param.Name); });

// ---------------------------------------------------------------------------------------------
// The two messages

namespace {

struct NoticeCase {
  const char* Name;
  int Dpi;
  bool Found;  // a command was found and its launch failed
  const char* Text;
  int BoxWidth;
  int LabelWidth;
};

void PrintTo(const NoticeCase& c, std::ostream* os) { *os << c.Name; }

class BrowserNoticeTest : public AboutTest, public ::testing::WithParamInterface<NoticeCase> {};

}  // namespace

TEST_P(BrowserNoticeTest, TheNoticeIsCentredOverTheAboutBoxWhileTheLinkStaysGrey) {
  const NoticeCase& c = GetParam();
  StartIn(c.Dpi);
  if (c.Found) {
    SeedClass(Htm, "htmlfile");
    SeedCommand("htmlfile", "C:\\Gone\\browser.exe \"%1\"");
    fake.SetShellResult(false);
  }
  AboutBox->Left = 201;
  AboutBox->Top = 150;
  bool shown = false;
  TColor linkWhileShown = 0;
  ShowAbout([&] {
    fake.QueueModal([&](TForm& form) {
      ASSERT_EQ(&form, Form2) << "the message box was expected";
      shown = Form2->Visible;
      linkWhileShown = AboutBox->Label5->Font->Color;
      EXPECT_FALSE(fake.WindowOf(*AboutBox)->Enabled) << "the message is modal over the About box";
      fake.PressButton(*Form2->Button1);
    });
    ClickLink();
    EXPECT_EQ(AboutBox->Label5->Font->Color, 0x0080FFu);
    EXPECT_EQ(AboutBox->ModalResult, mrNone) << "the About box stays open";
    EXPECT_TRUE(AboutBox->Visible);
    EXPECT_TRUE(fake.WindowOf(*AboutBox)->Enabled);
  });
  // The message box keeps the size, place and text it was shown with.
  EXPECT_TRUE(shown);
  EXPECT_EQ(linkWhileShown, clGray);
  EXPECT_EQ(fake.ShellCalls().size(), c.Found ? 1u : 0u);
  EXPECT_EQ(Form2->Label1->Caption(), c.Text);
  EXPECT_EQ(Form2->Width, c.BoxWidth);
  EXPECT_EQ(Form2->Height, 125);
  // Centred over the 288 x 249 About box, the odd halves dropped.
  EXPECT_EQ(Form2->Left, 201 + (288 - c.BoxWidth) / 2);
  EXPECT_EQ(Form2->Top, 150 + 62);
  EXPECT_EQ(Form2->Label1->BoundsRect(), Bounds((c.BoxWidth - c.LabelWidth) / 2, 17, c.LabelWidth, 15));
  EXPECT_EQ(Form2->Button1->BoundsRect(), Bounds((c.BoxWidth - 75) / 2, 60, 75, 25));
  EXPECT_EQ(fake.OpenRegistryKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Notices, BrowserNoticeTest,
    ::testing::Values(NoticeCase{"NotFoundNormal", 1, false, "Could not locate web browser.", 235, 175},
                      NoticeCase{"NotFoundLargeFonts", 2, false, "Could not locate web browser.", 264, 180},
                      NoticeCase{"NotStartedNormal", 1, true, "Couldn't execute web browser.", 235, 175},
                      NoticeCase{"NotStartedLargeFonts", 2, true, "Couldn't execute web browser.", 279, 195}),
    [](const ::testing::TestParamInfo<NoticeCase>& info) { return std::string(info.param.Name); });
