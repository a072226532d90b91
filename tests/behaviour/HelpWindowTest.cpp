// The help window: its layout at each show, the pages and their pictures, the arrows with
// their pressed pictures, the ways it closes, and the "here." link that shows it.
#include <sstream>

#include "Fixture.h"

namespace {

class HelpTest : public ProgramTest {
 protected:
  // "here." as the user clicks it.
  void OpenHelp() {
    fake.Click(*main, Centre(main->Label3));
    ASSERT_TRUE(Form3->Visible);
  }
  TPoint OnHelp(int x, int y) const { return TPoint{Form3->Left + x, Form3->Top + y}; }
  TPoint HelpCentre(const TControl* c) const { return OnHelp(c->Left + c->Width / 2, c->Top + c->Height / 2); }
  void Forward() { fake.Click(*Form3, HelpCentre(Form3->Image2)); }
  void Back() { fake.Click(*Form3, HelpCentre(Form3->Image3)); }
  // Whether the window's painted pixels over a control are the picture's.
  bool Shows(const TControl* c, const TPicture& picture) const {
    if (picture.Empty()) return false;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        if (fake.PixelAt(*Form3, c->Left + x, c->Top + y) != PixelToColor(picture.Bitmap->PixelAt(x, y))) return false;
      }
    }
    return true;
  }
  // Everything the window shows, as painted.
  std::vector<TColor> Painted() const {
    std::vector<TColor> out;
    for (int y = 0; y < 409; ++y) {
      for (int x = 0; x < 340; ++x) out.push_back(fake.PixelAt(*Form3, x, y));
    }
    return out;
  }
  std::vector<std::string> Lines(const std::string& text) const {
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line, '\n');) lines.push_back(line);
    if (!text.empty() && text.back() == '\n') lines.push_back("");
    return lines;
  }
};

class HelpLayout : public HelpTest, public ::testing::WithParamInterface<int> {};

}  // namespace

TEST_P(HelpLayout, EveryShowLaysTheWindowOutForTheMainWindowsDpiMode) {
  const int dpi = GetParam();
  StartIn(dpi);
  OpenHelp();
  const bool large = dpi == 2;
  EXPECT_EQ(Form3->Caption(), "Tintmesh Help");
  EXPECT_EQ(Form3->Width, 340);
  EXPECT_EQ(Form3->Height, 409);
  EXPECT_EQ(Form3->ClientWidth, 340);
  EXPECT_EQ(Form3->ClientHeight, 409);
  EXPECT_EQ(fake.WindowOf(*Form3)->Params.Style & WS_CAPTION, 0u);
  EXPECT_EQ(Form3->Shape261->BoundsRect(), Bounds(16, 41, 286, 1));
  EXPECT_EQ(Form3->Image1->BoundsRect(), Bounds(0, 0, 340, 409));
  EXPECT_EQ(Form3->Image1->Picture().Bitmap, main->BackgroundPicture().Bitmap);
  EXPECT_EQ(Form3->Image6->BoundsRect(), Bounds(16, 20, 16, 16));
  EXPECT_EQ(Form3->Label2->BoundsRect(), Bounds(16, 52, 313, 53));
  EXPECT_EQ(Form3->Label4->BoundsRect(), Bounds(16, 312, 309, 97));
  EXPECT_EQ(Form3->Label8->BoundsRect(), large ? Bounds(305, 12, 13, 29) : Bounds(307, 12, 13, 29));
  EXPECT_EQ(Form3->Label1->BoundsRect(), large ? Bounds(36, 18, 251, 22) : Bounds(36, 18, 261, 19));
  const int arrows = large ? 104 : 102;
  const int rules = large ? 113 : 111;
  EXPECT_EQ(Form3->Shape1->BoundsRect(), Bounds(16, rules, 90, 1));
  EXPECT_EQ(Form3->Shape2->BoundsRect(), Bounds(212, rules, 90, 1));
  EXPECT_EQ(Form3->Image2->BoundsRect(), Bounds(175, arrows, 19, 19));
  EXPECT_EQ(Form3->Image4->BoundsRect(), Bounds(175, arrows, 19, 19));
  EXPECT_EQ(Form3->Image3->BoundsRect(), Bounds(124, arrows, 19, 19));
  EXPECT_EQ(Form3->Image5->BoundsRect(), Bounds(124, arrows, 19, 19));
  EXPECT_EQ(Form3->Label1->Caption(), "Tintmesh Help");
  EXPECT_EQ(Form3->Label2->Caption(),
            "Welcome to Tintmesh Help. This is a tutorial to teach you how to use this program. Click the forward "
            "and back arrows to navigate through the pages.");
  EXPECT_EQ(Screen->Cursors[HandCursorIndex], FakeSystem::HandCursorId);
  for (const TControl* c : {static_cast<TControl*>(Form3->Label8), static_cast<TControl*>(Form3->Image2),
                            static_cast<TControl*>(Form3->Image3), static_cast<TControl*>(Form3->Image6)}) {
    EXPECT_EQ(c->Cursor, HandCursorIndex) << c->Name;
  }

  // What is painted: the arrows at rest over the background, the first page's picture.
  fake.PaintAll();
  EXPECT_TRUE(Shows(Form3->Image2, Form3->Image2->Picture()));
  EXPECT_TRUE(Shows(Form3->Image3, Form3->Image3->Picture()));
  EXPECT_TRUE(Shows(Form3->Image7, Form3->Image16->Picture()));
  EXPECT_EQ(fake.PixelAt(*Form3, 20, rules), clGray);
  EXPECT_EQ(fake.PixelAt(*Form3, 250, rules), clGray);
  EXPECT_EQ(Form3->GetPageIndex(), 0);
}

INSTANTIATE_TEST_SUITE_P(DpiModes, HelpLayout, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) { return "DpiMode" + std::to_string(info.param); });

TEST_F(HelpTest, TheArrowsWalkTheElevenPagesAndStopAtBothEnds) {
  Start();
  OpenHelp();
  struct Expected {
    TImage* holder;
    TRect picture;
    int textWidth;
  };
  const TRect wide = Bounds(158, 132, 166, 200);
  const Expected pages[] = {
      {Form3->Image16, Bounds(158, 132, 166, 166), 137}, {Form3->Image15, Bounds(170, 132, 154, 200), 149},
      {Form3->Image13, wide, 137}, {Form3->Image8, wide, 137},  {Form3->Image9, wide, 137},
      {Form3->Image10, wide, 137}, {Form3->Image11, wide, 137}, {Form3->Image12, wide, 137},
      {Form3->Image14, wide, 137}, {nullptr, wide, 309},        {nullptr, wide, 309},
  };
  auto check = [&](int page) {
    SCOPED_TRACE("page " + std::to_string(page));
    const Expected& e = pages[page];
    EXPECT_EQ(Form3->GetPageIndex(), page);
    EXPECT_EQ(Form3->Image7->BoundsRect(), e.picture);
    EXPECT_EQ(Form3->Image7->Visible, e.holder != nullptr);
    // After page 8 the picture area keeps page 8's picture while it is hidden.
    const TImage* shown = e.holder ? e.holder : Form3->Image14;
    EXPECT_EQ(Form3->Image7->Picture().Bitmap, shown->Picture().Bitmap);
    EXPECT_FALSE(Form3->Image7->Picture().Empty());
    EXPECT_EQ(Form3->Label3->BoundsRect(), Bounds(16, 132, e.textWidth, 269));
    EXPECT_EQ(Form3->Label3->Caption(), TForm3::PageText(page));
    EXPECT_EQ(Form3->Label4->Visible, page == 0);
    if (page == 0) {
      EXPECT_EQ(Form3->Label4->Caption(), TForm3::FirstPageExtraText);
    }
    fake.PaintAll();
    if (e.holder) {
      EXPECT_TRUE(Shows(Form3->Image7, e.holder->Picture()));
    }
    // The holders are never shown themselves.
    for (TImage* holder : {Form3->Image8, Form3->Image9, Form3->Image10, Form3->Image11, Form3->Image12,
                           Form3->Image13, Form3->Image14, Form3->Image15, Form3->Image16}) {
      EXPECT_FALSE(holder->Visible);
    }
  };
  check(0);

  // Back on the first page: nothing changes on screen.
  fake.PaintAll();
  std::vector<TColor> before = Painted();
  Back();
  fake.PaintAll();
  EXPECT_EQ(Form3->GetPageIndex(), 0);
  EXPECT_EQ(Painted(), before);
  check(0);

  for (int page = 1; page <= 10; ++page) {
    Forward();
    check(page);
  }
  fake.PaintAll();
  before = Painted();
  Forward();
  fake.PaintAll();
  EXPECT_EQ(Painted(), before);
  check(10);
  for (int page = 9; page >= 0; --page) {
    Back();
    check(page);
  }
}

TEST_F(HelpTest, ThePageTextsAreTheirLinesJoinedByLineFeeds) {
  // Line counts of each page, and the blank lines in them (counted from 1).
  struct Shape {
    const char* title;
    std::size_t lines;
    std::vector<std::size_t> blank;
    const char* last;
  };
  const Shape shapes[TForm3::PageCount] = {
      {"Introduction", 3, {2}, "highlighted by cyan lines."},
      {"Preparation", 3, {2}, "for the rest of the skin."},
      {"Step 1", 6, {2, 5}, "to the last one you click."},
      {"Step 2", 3, {2}, "Then click OK."},
      {"Step 3", 5, {2, 4}, "Choose Import Palette from the menu."},
      {"Step 4", 3, {2}, "Select the squares of team colors then click OK."},
      {"Step 5", 5, {2, 4}, "Choose Import Palette again."},
      {"Step 6", 3, {2}, "Select the squares of team colors then click OK."},
      {"Step 7", 5, {2, 4}, "opened by Photoshop or Paint Shop Pro."},
      {"Other features include:", 10, {2, 4, 6, 8, 9}, ">> Continued on next page. >>"},
      {"Show Duplicates Mode:", 5, {2, 4}, "select 'Don't Show Duplicates' from the menu."},
  };
  for (int page = 0; page < TForm3::PageCount; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    const std::string text = TForm3::PageText(page);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.back(), '\n');
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), shapes[page].lines);
    EXPECT_EQ(lines[0], shapes[page].title);
    for (std::size_t i = 1; i <= lines.size(); ++i) {
      const bool blank = std::find(shapes[page].blank.begin(), shapes[page].blank.end(), i) != shapes[page].blank.end();
      EXPECT_EQ(lines[i - 1].empty(), blank) << "line " << i;
    }
    const std::string last = shapes[page].last;
    EXPECT_EQ(lines.back().substr(lines.back().size() - std::min(last.size(), lines.back().size())), last);
  }
  EXPECT_EQ(Lines(TForm3::PageText(2))[2], "Run Tintmesh.");
  EXPECT_EQ(std::string(TForm3::FirstPageExtraText).find('\n'), std::string::npos);
  EXPECT_EQ(std::string(TForm3::FirstPageExtraText).substr(0, 34), "To access palettes in Photoshop, c");
}

namespace {

struct ArrowCase {
  const char* name;
  bool forward;
  TMouseButton button;
  bool releasedOver;
  bool turns;
};

void PrintTo(const ArrowCase& c, std::ostream* os) { *os << c.name; }

class ArrowPress : public HelpTest, public ::testing::WithParamInterface<ArrowCase> {};

}  // namespace

TEST_P(ArrowPress, ShowsThePressedArrowUntilTheReleaseAndTurnsOnlyOnALeftClick) {
  const ArrowCase& c = GetParam();
  Start();
  OpenHelp();
  Forward();
  Forward();
  ASSERT_EQ(Form3->GetPageIndex(), 2);
  TImage* arrow = c.forward ? Form3->Image2 : Form3->Image3;
  TImage* pressed = c.forward ? Form3->Image4 : Form3->Image5;
  EXPECT_FALSE(pressed->Visible);

  fake.Press(*Form3, HelpCentre(arrow), c.button);
  EXPECT_FALSE(arrow->Visible);
  EXPECT_TRUE(pressed->Visible);
  EXPECT_EQ(Form3->GetPageIndex(), 2);  // nothing turns on the press
  fake.PaintAll();
  EXPECT_TRUE(Shows(pressed, pressed->Picture()));

  // Off the arrow: over the page text, where the pointer may also wander while held.
  const TPoint release = c.releasedOver ? HelpCentre(arrow) : OnHelp(60, 200);
  fake.Release(*Form3, release, c.button);
  EXPECT_TRUE(arrow->Visible);
  EXPECT_FALSE(pressed->Visible);
  EXPECT_FALSE(fake.CaptureHeld());
  fake.PaintAll();
  EXPECT_TRUE(Shows(arrow, arrow->Picture()));
  EXPECT_EQ(Form3->GetPageIndex(), c.turns ? (c.forward ? 3 : 1) : 2);
}

INSTANTIATE_TEST_SUITE_P(
    HelpWindow, ArrowPress,
    ::testing::Values(ArrowCase{"forward left click", true, mbLeft, true, true},
                      ArrowCase{"back left click", false, mbLeft, true, true},
                      ArrowCase{"forward left released off it", true, mbLeft, false, false},
                      ArrowCase{"back left released off it", false, mbLeft, false, false},
                      ArrowCase{"forward right click", true, mbRight, true, false},
                      ArrowCase{"back right click", false, mbRight, true, false},
                      ArrowCase{"forward middle click", true, mbMiddle, true, false},
                      ArrowCase{"back right released off it", false, mbRight, false, false}),
    [](const ::testing::TestParamInfo<ArrowCase>& info) { return CaseName(info.param.name); });

TEST_F(HelpTest, ADoubleClickOnAnArrowTurnsOnePage) {
  Start();
  OpenHelp();
  fake.DoubleClick(*Form3, HelpCentre(Form3->Image2));
  EXPECT_EQ(Form3->GetPageIndex(), 1);
  EXPECT_TRUE(Form3->Image2->Visible);
  EXPECT_FALSE(Form3->Image4->Visible);
  fake.DoubleClick(*Form3, HelpCentre(Form3->Image3));
  EXPECT_EQ(Form3->GetPageIndex(), 0);
  EXPECT_TRUE(Form3->Image3->Visible);
  EXPECT_FALSE(Form3->Image5->Visible);
}

TEST_F(HelpTest, HereWhileTheWindowIsOpenChangesNothing) {
  Start();
  OpenHelp();
  const TPoint from = OnHelp(100, 20);
  ASSERT_TRUE(fake.DragCaption(*Form3, from, TPoint{from.x + 40, from.y + 25}));
  for (int i = 0; i < 4; ++i) Forward();
  const int left = Form3->Left;
  const int top = Form3->Top;
  const std::size_t loads = fake.CursorResourcesLoaded().size();
  fake.Click(*main, Centre(main->Label3));
  EXPECT_TRUE(Form3->Visible);
  EXPECT_EQ(Form3->GetPageIndex(), 4);
  EXPECT_EQ(Form3->Label3->Caption(), TForm3::PageText(4));
  EXPECT_EQ(Form3->Left, left);
  EXPECT_EQ(Form3->Top, top);
  EXPECT_EQ(fake.CursorResourcesLoaded().size(), loads);
}

TEST_F(HelpTest, ItIsDraggedByItsCaptionBand) {
  Start();
  OpenHelp();
  const int left = Form3->Left;
  const int top = Form3->Top;
  fake.SetCursorPos(left + 35, top);
  EXPECT_EQ(fake.HitTest(*Form3), HTCAPTION);
  fake.SetCursorPos(left + 302, top + 39);
  EXPECT_EQ(fake.HitTest(*Form3), HTCAPTION);
  for (TPoint p : {TPoint{left + 34, top + 10}, TPoint{left + 303, top + 10}, TPoint{left + 100, top + 40},
                   HelpCentre(Form3->Image2)}) {
    fake.SetCursorPos(p.x, p.y);
    EXPECT_EQ(fake.HitTest(*Form3), HTCLIENT) << p.x - left << "," << p.y - top;
  }
  ASSERT_TRUE(fake.DragCaption(*Form3, OnHelp(200, 20), TPoint{left + 200 - 50, top + 20 + 30}));
  EXPECT_EQ(Form3->Left, left - 50);
  EXPECT_EQ(Form3->Top, top + 30);
  fake.SetCursorPos(left - 50 + 35, top + 30);
  EXPECT_EQ(fake.HitTest(*Form3), HTCAPTION);
  // An arrow still works where the window now is.
  Forward();
  EXPECT_EQ(Form3->GetPageIndex(), 1);
}

namespace {

enum class HelpClose { CloseMark, IconDoubleClick, IconMenuClose };

struct HelpCloseCase {
  const char* name;
  HelpClose control;
};

void PrintTo(const HelpCloseCase& c, std::ostream* os) { *os << c.name; }

class HelpCloseTest : public HelpTest, public ::testing::WithParamInterface<HelpCloseCase> {};

}  // namespace

TEST_P(HelpCloseTest, HidesTheWindowAndTheNextShowStartsAtTheFirstPage) {
  Start();
  OpenHelp();
  for (int i = 0; i < 9; ++i) Forward();
  ASSERT_EQ(Form3->GetPageIndex(), 9);
  switch (GetParam().control) {
    case HelpClose::CloseMark: {
      // No press colour on this close mark.
      fake.Press(*Form3, HelpCentre(Form3->Label8));
      EXPECT_EQ(Form3->Label8->Font->Color, LinkColor);
      fake.Release(*Form3, HelpCentre(Form3->Label8));
      break;
    }
    case HelpClose::IconDoubleClick:
      fake.DoubleClick(*Form3, HelpCentre(Form3->Image6));
      break;
    case HelpClose::IconMenuClose:
      fake.QueueMenuChoice("Close");
      fake.Click(*Form3, HelpCentre(Form3->Image6));
      ASSERT_FALSE(fake.Popups().empty());
      EXPECT_EQ(fake.Popups().back().X, Form3->Left + 17);
      EXPECT_EQ(fake.Popups().back().Y, Form3->Top + 36);
      ASSERT_EQ(fake.Popups().back().Items.size(), 1u);
      EXPECT_EQ(fake.Popups().back().Items[0].Caption, "Close");
      break;
  }
  EXPECT_FALSE(Form3->Visible);
  EXPECT_FALSE(fake.WindowOf(*Form3)->Shown);
  EXPECT_FALSE(app->Terminated);
  EXPECT_FALSE(fake.QuitRequested());
  EXPECT_TRUE(main->Visible);
  ClickSquare(5);  // the editor goes on
  EXPECT_EQ(Selected(), std::vector<int>{5});

  OpenHelp();
  EXPECT_EQ(Form3->GetPageIndex(), 0);
  EXPECT_EQ(Form3->Label3->Caption(), TForm3::PageText(0));
  EXPECT_TRUE(Form3->Label4->Visible);
  EXPECT_TRUE(Form3->Image7->Visible);
  EXPECT_EQ(Form3->Image7->BoundsRect(), Bounds(158, 132, 166, 166));
}

INSTANTIATE_TEST_SUITE_P(HelpWindow, HelpCloseTest,
                         ::testing::Values(HelpCloseCase{"close mark", HelpClose::CloseMark},
                                           HelpCloseCase{"icon double click", HelpClose::IconDoubleClick},
                                           HelpCloseCase{"icon menu Close", HelpClose::IconMenuClose}),
                         [](const ::testing::TestParamInfo<HelpCloseCase>& info) { return CaseName(info.param.name); });
