// The main window's own chrome: the close mark, the icon and its menu, the "here." link.
#include "Fixture.h"

namespace {

enum class CloseControl { CloseMark, IconDoubleClick, IconMenuExit };

struct CloseCase {
  const char* name;
  CloseControl control;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseControlTest : public ProgramTest, public ::testing::WithParamInterface<CloseCase> {};

}  // namespace

TEST_P(CloseControlTest, ClosesTheProgramAndStoresTheSettingsOnce) {
  Start();
  main->OpenDialog1->FileName = "C:\\Skins\\red.pal";
  main->SaveDialog1->FileName = "D:\\Out\\team.pal";
  std::vector<std::string> written;
  fake.OnRegistryWrite([&](const std::string& name, const std::string&) { written.push_back(name); });
  ClickSquare(3);
  fake.Click(*main, At(4));  // leaves the lock-out on

  switch (GetParam().control) {
    case CloseControl::CloseMark:
      fake.Click(*main, Centre(main->Label8));
      break;
    case CloseControl::IconDoubleClick:
      fake.DoubleClick(*main, Centre(main->Image6));
      break;
    case CloseControl::IconMenuExit:
      fake.QueueMenuChoice("Exit");
      fake.Click(*main, Centre(main->Image6));
      break;
  }
  EXPECT_TRUE(app->Terminated);
  EXPECT_TRUE(fake.QuitRequested());
  EXPECT_FALSE(main->Visible);
  EXPECT_EQ(written, (std::vector<std::string>{"LastOpened", "LastSaved"}));
  EXPECT_EQ(fake.ValueOf(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brindlewick\\Palette", "LastOpened")->Text, "C:\\Skins");
  EXPECT_EQ(fake.ValueOf(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brindlewick\\Palette", "LastSaved")->Text, "D:\\Out");
  EXPECT_EQ(main->GetSquares()[0], nullptr);
  EXPECT_FALSE(fake.IsRunning(*main->Timer1));

  // Nothing closes it a second time.
  main->Close();
  fake.DoubleClick(*main, Centre(main->Image6));
  EXPECT_EQ(written.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, CloseControlTest,
                         ::testing::Values(CloseCase{"close mark", CloseControl::CloseMark},
                                           CloseCase{"icon double click", CloseControl::IconDoubleClick},
                                           CloseCase{"icon menu Exit", CloseControl::IconMenuExit}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return CaseName(info.param.name); });

TEST_F(ProgramTest, TheCloseMarkGreysWhilePressedAndClosesOnlyOnARelease) {
  Start();
  TLabel* mark = main->Label8;
  EXPECT_EQ(mark->Font->Color, LinkColor);
  EXPECT_EQ(mark->Caption(), "x");

  // Released elsewhere: orange again, still open.
  fake.Press(*main, Centre(mark));
  EXPECT_EQ(mark->Font->Color, clGray);
  fake.ClearTexts();
  fake.PaintAll();
  EXPECT_EQ(TextsOnMain("x"), std::vector<TColor>{clGray});
  fake.Release(*main, At(100));
  EXPECT_EQ(mark->Font->Color, LinkColor);
  fake.ClearTexts();
  fake.PaintAll();
  EXPECT_EQ(TextsOnMain("x"), std::vector<TColor>{LinkColor});
  EXPECT_TRUE(main->Visible);
  EXPECT_FALSE(app->Terminated);
  EXPECT_FALSE(fake.CaptureHeld());
  EXPECT_TRUE(Selected().empty());  // the release over a square is no click on it

  // The right button gives the same feedback and no click.
  fake.Press(*main, Centre(mark), mbRight);
  EXPECT_EQ(mark->Font->Color, clGray);
  fake.Release(*main, Centre(mark), mbRight);
  EXPECT_EQ(mark->Font->Color, LinkColor);
  EXPECT_FALSE(app->Terminated);

  // Pressed elsewhere and released over it: no click either.
  fake.Press(*main, OnMain(200, 395));
  fake.Release(*main, Centre(mark));
  EXPECT_FALSE(app->Terminated);

  fake.Press(*main, Centre(mark));
  fake.Release(*main, Centre(mark));
  EXPECT_EQ(mark->Font->Color, LinkColor);
  EXPECT_TRUE(app->Terminated);
}

TEST_F(ProgramTest, TheIconOpensItsMenuJustBelowIt) {
  Start();
  fake.Click(*main, Centre(main->Image6));
  ASSERT_EQ(fake.Popups().size(), 1u);
  EXPECT_EQ(fake.Popups()[0].X, main->Left + 17);
  EXPECT_EQ(fake.Popups()[0].Y, main->Top + 36);
  ASSERT_EQ(fake.Popups()[0].Items.size(), 1u);
  EXPECT_EQ(fake.Popups()[0].Items[0].Caption, "Exit");
  EXPECT_FALSE(app->Terminated);  // dismissed

  const TPoint from = OnMain(100, 20);
  ASSERT_TRUE(fake.DragCaption(*main, from, TPoint{from.x - 30, from.y + 12}));
  fake.Click(*main, Centre(main->Image6));
  ASSERT_EQ(fake.Popups().size(), 2u);
  EXPECT_EQ(fake.Popups()[1].X, 342 - 30 + 17);
  EXPECT_EQ(fake.Popups()[1].Y, 179 + 12 + 36);
}

TEST_F(ProgramTest, TheHereLinkShowsTheHelpWindowOnce) {
  Start();
  TLabel* link = main->Label3;
  EXPECT_EQ(link->Caption(), "here.");
  EXPECT_FALSE(Form3->Visible);
  fake.Press(*main, Centre(link));
  EXPECT_EQ(link->Font->Color, clGray);
  fake.Release(*main, Centre(link));
  EXPECT_EQ(link->Font->Color, LinkColor);
  EXPECT_TRUE(Form3->Visible);
  EXPECT_TRUE(fake.WindowOf(*Form3)->Shown);
  EXPECT_TRUE(fake.ModalForms().empty());  // modeless

  // A second click while it is open changes nothing: its show handler does not run again.
  const std::size_t loads = fake.CursorResourcesLoaded().size();
  const int left = Form3->Left;
  fake.Click(*main, Centre(link));
  EXPECT_TRUE(Form3->Visible);
  EXPECT_EQ(fake.CursorResourcesLoaded().size(), loads);
  EXPECT_EQ(Form3->Left, left);
  EXPECT_TRUE(main->Visible);
}

TEST_F(ProgramTest, ClickableControlsGetTheHandPointer) {
  Start();
  EXPECT_EQ(fake.CursorResourcesLoaded().front(), "HAND");
  EXPECT_EQ(Screen->Cursors[HandCursorIndex], FakeSystem::HandCursorId);
  for (const TControl* control : {static_cast<TControl*>(main->Label3), static_cast<TControl*>(main->Label8),
                                  static_cast<TControl*>(main->Image6)}) {
    EXPECT_EQ(control->Cursor, HandCursorIndex) << control->Name;
    fake.MovePointer(*main, Centre(control));
    EXPECT_EQ(fake.CursorsSet().back(), FakeSystem::HandCursorId) << control->Name;
  }
  Hover(0);
  EXPECT_EQ(fake.CursorsSet().back(), fake.StandardCursor(crArrow));
}
