// The main window's hit test over the squares: hit rectangles, the click lock-out, Shift
// ranges, the context menu and its rule, the colour hints.
#include "Fixture.h"

#include <cstdio>

namespace {

bool SentUp(const FakeSystem& fake, WindowId window, unsigned msg) {
  for (const FakeSystem::SentMessage& m : fake.Sent()) {
    if (m.Window == window && m.Msg == msg && m.WParam == 0 && m.LParam == 0) return true;
  }
  return false;
}

}  // namespace

TEST_F(ProgramTest, OnlyTheInnerFourteenPixelsOfASquareAreHit) {
  Start();
  struct Case {
    int dx, dy;
    bool hit;
  };
  const Case cases[] = {{1, 1, true},   {14, 14, true}, {1, 14, true},   {14, 1, true},  {7, 7, true},
                        {0, 7, false},  {7, 0, false},  {0, 0, false},   {15, 7, false}, {7, 15, false},
                        {-1, 7, false}, {7, -1, false}, {15, 15, false}};
  int square = 20;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    fake.ClearSent();
    const std::string before = Sq(square)->Hint;
    fake.Click(*main, At(square, c.dx, c.dy));
    fake.Fire(*main->Timer1);
    EXPECT_EQ(Selected(), c.hit ? std::vector<int>{square} : std::vector<int>{});
    EXPECT_EQ(SentUp(fake, main->Handle(), WM_LBUTTONUP), c.hit);
    if (!c.hit) {
      EXPECT_EQ(Sq(square)->Hint, before);
    }
    // Right button: a menu only over the hit rectangle.
    const std::size_t popups = fake.Popups().size();
    fake.Click(*main, At(square, c.dx, c.dy), mbRight);
    fake.Fire(*main->Timer1);
    EXPECT_EQ(fake.Popups().size(), popups + (c.hit ? 1 : 0));
    Sq(square)->Pen->Color = clBlack;
    ++square;
  }
  // Off the grid altogether.
  fake.Click(*main, OnMain(20, 200), mbRight);
  fake.Click(*main, OnMain(20, 200));
  EXPECT_TRUE(Selected().empty());
}

TEST_F(ProgramTest, AnswersHitTestsWithCaptionOnlyInsideTheStrictBand) {
  Start();
  struct Case {
    int dx, dy;
    std::intptr_t answer;
  };
  const Case cases[] = {{35, 0, HTCAPTION},   {302, 39, HTCAPTION}, {150, 20, HTCAPTION}, {34, 10, HTCLIENT},
                        {303, 10, HTCLIENT},  {150, 40, HTCLIENT},  {20, 28, HTCLIENT},   {313, 26, HTCLIENT}};
  for (const Case& c : cases) {
    fake.SetCursorPos(main->Left + c.dx, main->Top + c.dy);
    // The coordinates carried by the message are not what counts: the pointer is.
    EXPECT_EQ(fake.Deliver(*main, WM_NCHITTEST, 0, PointToLParam(0, 0)), c.answer) << c.dx << "," << c.dy;
  }
  // No part of the window answers as a sizing border.
  for (int k = 0; k < 409; ++k) {
    for (TPoint q : {TPoint{0, k}, TPoint{339, k}, TPoint{k % 340, 0}, TPoint{k % 340, 408}}) {
      fake.SetCursorPos(main->Left + q.x, main->Top + q.y);
      const std::intptr_t answer = fake.HitTest(*main);
      ASSERT_TRUE(answer == HTCLIENT || answer == HTCAPTION) << q.x << "," << q.y << ": " << answer;
    }
  }
  // A press in the band drags the window, and the band moves with it.
  const TPoint from = OnMain(100, 20);
  ASSERT_TRUE(fake.DragCaption(*main, from, TPoint{from.x + 50, from.y + 30}));
  EXPECT_EQ(main->Left, 342 + 50);
  EXPECT_EQ(main->Top, 179 + 30);
  for (const Case& c : cases) {
    fake.SetCursorPos(main->Left + c.dx, main->Top + c.dy);
    EXPECT_EQ(fake.HitTest(*main), c.answer) << "after the drag, " << c.dx << "," << c.dy;
  }
  // The squares are found where the window now is.
  ClickSquare(5);
  EXPECT_EQ(Selected(), std::vector<int>{5});
  // The title text lies in the band and never sees a press.
  EXPECT_FALSE(main->Label1->WantsMouse());
}

TEST_F(ProgramTest, APressActsOnceAndALockOutOf200MsIgnoresTheNext) {
  Start();
  fake.Click(*main, At(5));
  EXPECT_EQ(Selected(), std::vector<int>{5});
  EXPECT_TRUE(fake.IsRunning(*main->Timer1));
  EXPECT_EQ(fake.IntervalOf(main->Timer1->Id()), 200u);

  // Inside the lock-out: neither a left nor a right press acts.
  fake.Click(*main, At(6));
  fake.Click(*main, At(5));
  fake.Click(*main, At(7), mbRight);
  EXPECT_EQ(Selected(), std::vector<int>{5});
  EXPECT_TRUE(fake.Popups().empty());

  fake.PassTime(199);
  fake.Click(*main, At(6));
  EXPECT_EQ(Selected(), std::vector<int>{5});
  fake.PassTime(1);
  EXPECT_FALSE(main->Timer1->Enabled);
  fake.Click(*main, At(6));
  EXPECT_EQ(Selected(), (std::vector<int>{5, 6}));

  // A right press locks out a left one too.
  fake.PassTime(200);
  fake.Click(*main, At(8), mbRight);
  fake.Click(*main, At(9));
  EXPECT_EQ(Selected(), (std::vector<int>{5, 6}));
  EXPECT_EQ(fake.Popups().size(), 1u);

  // The handler does not track transitions: a button held down over the squares acts
  // again at the first hit test after each lock-out period.
  fake.PassTime(200);
  fake.Press(*main, At(10));
  fake.MovePointer(*main, At(11));
  fake.PassTime(200);
  fake.MovePointer(*main, At(12));
  fake.MovePointer(*main, At(13));
  fake.Release(*main, At(13));
  EXPECT_EQ(Selected(), (std::vector<int>{5, 6, 10, 12}));
}

TEST_F(ProgramTest, WithBothButtonsDownOnlyTheLeftActs) {
  Start();
  fake.SetKey(VK_RBUTTON, true);
  fake.Press(*main, At(3));
  EXPECT_EQ(Selected(), std::vector<int>{3});
  EXPECT_TRUE(fake.Popups().empty());
  EXPECT_TRUE(SentUp(fake, main->Handle(), WM_LBUTTONUP));
  EXPECT_FALSE(SentUp(fake, main->Handle(), WM_RBUTTONUP));
}

TEST_F(ProgramTest, ButtonReleasesAreSentToTheWindowBeforeTheirActions) {
  Start();
  fake.Click(*main, At(3));
  ASSERT_EQ(fake.Sent().size(), 1u);
  EXPECT_EQ(fake.Sent()[0].Window, main->Handle());
  EXPECT_EQ(fake.Sent()[0].Msg, WM_LBUTTONUP);
  fake.PassTime(200);
  fake.ClearSent();
  RightClickSquare(3);
  ASSERT_EQ(fake.Sent().size(), 1u);
  EXPECT_EQ(fake.Sent()[0].Msg, WM_RBUTTONUP);
  EXPECT_EQ(fake.Sent()[0].WParam, 0u);
  EXPECT_EQ(fake.Sent()[0].LParam, 0);
}

struct ShiftCase {
  const char* name;
  int anchor;            // square clicked before, -1 for none
  bool anchorSelected;   // false: clicked a second time, so unselected again
  std::vector<int> selectedBefore;
  std::vector<int> redBefore;
  int target;            // Shift-clicked
  std::vector<int> after;
};

void PrintTo(const ShiftCase& c, std::ostream* os) { *os << c.name; }

class ShiftRangeTest : public ProgramTest, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(ShiftRangeTest, FillsForwardFromTheAnchorThenTogglesTheTarget) {
  const ShiftCase& c = GetParam();
  Start();
  if (c.anchor >= 0) {
    ClickSquare(c.anchor);
    if (!c.anchorSelected) ClickSquare(c.anchor);
  }
  for (int i : c.selectedBefore) Sq(i)->Pen->Color = clFuchsia;
  for (int i : c.redBefore) Sq(i)->Pen->Color = clRed;
  ClickSquare(c.target, true);
  EXPECT_EQ(Selected(), c.after);
  EXPECT_TRUE(WithPen(clRed).empty());
  EXPECT_EQ(main->GetAnchorIndex(), c.target);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ShiftRangeTest,
    ::testing::Values(
        // Before any plain click the anchor is square 0.
        ShiftCase{"no click yet, square 0 unselected", -1, false, {}, {}, 10, {10}},
        ShiftCase{"no click yet, square 0 selected", -1, false, {0}, {}, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        ShiftCase{"selected anchor", 20, true, {}, {}, 24, {20, 21, 22, 23, 24}},
        ShiftCase{"selected anchor and target", 20, true, {24}, {}, 24, {20, 21, 22, 23}},
        ShiftCase{"unselected anchor clears between", 20, false, {21, 22, 23}, {}, 24, {24}},
        ShiftCase{"unselected anchor clears red pens", 20, false, {}, {22}, 24, {24}},
        ShiftCase{"ranges run forward only", 30, true, {}, {}, 25, {25, 30}},
        ShiftCase{"the next square is no range", 30, true, {}, {}, 31, {30, 31}},
        ShiftCase{"the anchor itself", 30, true, {}, {}, 30, {}}),
    [](const ::testing::TestParamInfo<ShiftCase>& info) { return CaseName(info.param.name); });

TEST_F(ProgramTest, SelectionCommandsLeaveTheAnchorAlone) {
  Start();
  ClickSquare(40);
  RightClickSquare(40, "Clear All Selections");
  EXPECT_TRUE(Selected().empty());
  RightClickSquare(90, "Select All");
  EXPECT_EQ(Selected().size(), 256u);
  EXPECT_EQ(main->GetAnchorIndex(), 40);
  // Clear All also removes red marks.
  Sq(7)->Pen->Color = clRed;
  main->ClearAllSelections1Click(main);
  EXPECT_EQ(WithPen(clBlack).size(), 256u);
  // A Shift-click still fills from the anchor, now unselected.
  main->SelectAll1Click(main);
  Sq(40)->Pen->Color = clBlack;
  ClickSquare(45, true);
  for (int i = 41; i <= 45; ++i) EXPECT_EQ(Sq(i)->Pen->Color, clBlack) << i;
  EXPECT_EQ(Sq(39)->Pen->Color, clFuchsia);
  EXPECT_EQ(Sq(46)->Pen->Color, clFuchsia);
}

TEST_F(ProgramTest, TheMenuOpensBesideThePointerWithItsItems) {
  Start();
  RightClickSquare(100);
  ASSERT_EQ(fake.Popups().size(), 1u);
  const FakeSystem::PopupRecord& popup = fake.Popups()[0];
  EXPECT_EQ(popup.X, At(100).x + 1);
  EXPECT_EQ(popup.Y, At(100).y + 1);
  EXPECT_EQ(popup.Owner, main->Handle());
  std::vector<std::string> captions;
  for (const MenuEntry& e : popup.Items) captions.push_back(e.Caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Import Palette", "Save Palette", "-", "Select All",
                                                "Clear All Selections", "-", "Edit", "Sort", "Choose Color",
                                                "Show Duplicates"}));
  const MenuEntry* edit = Entry(popup.Items, "Edit");
  ASSERT_NE(edit, nullptr);
  ASSERT_EQ(edit->Children.size(), 3u);
  EXPECT_EQ(edit->Children[0].Caption, "Cut");
  EXPECT_EQ(edit->Children[1].Caption, "Copy");
  EXPECT_EQ(edit->Children[2].Caption, "Paste");
}

struct MenuRuleCase {
  const char* name;
  bool modeOn;
  std::vector<std::pair<int, TColor>> colours;  // over a palette of distinct colours
  std::vector<int> selected;
  std::vector<int> hovered;  // squares the pointer rests on before the right click
  int square;                // right-clicked
  // Import, Save, Select All, Clear All, Edit, Sort, Choose Color, the duplicates item
  std::vector<bool> offered;
  int menuIndex;
};

constexpr int MenuIndexBefore = 77;  // MenuIndex as each case finds it

void PrintTo(const MenuRuleCase& c, std::ostream* os) { *os << c.name; }

class MenuRuleTest : public ProgramTest, public ::testing::WithParamInterface<MenuRuleCase> {};

TEST_P(MenuRuleTest, EnablesTheItemsOfItsOutcomeTable) {
  const MenuRuleCase& c = GetParam();
  Start();
  // Give MenuIndex a known value first: the mode on a white grid, a right click on a square.
  main->CheckforDuplicates1Click(main);
  RightClickSquare(MenuIndexBefore);
  main->CheckforDuplicates1Click(main);
  ASSERT_EQ(main->GetMenuIndex(), MenuIndexBefore);

  PaintDistinctColours();
  for (auto& [i, colour] : c.colours) Sq(i)->Brush->Color = colour;
  if (c.modeOn) main->CheckforDuplicates1Click(main);
  for (int i : c.selected) Sq(i)->Pen->Color = clFuchsia;
  for (int i : c.hovered) Hover(i);
  RightClickSquare(c.square);

  const char* const items[] = {"Import Palette", "Save Palette", "Select All", "Clear All Selections",
                               "Edit",           "Sort",         "Choose Color"};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(Offered(items[k]), c.offered[k]) << items[k];
  EXPECT_EQ(Offered(c.modeOn ? "Don't Show Duplicates" : "Show Duplicates"), c.offered[7]);
  // Cut, Copy and Paste are offered exactly when Edit is, Paste whatever the clipboard holds.
  for (const char* sub : {"Edit/Cut", "Edit/Copy", "Edit/Paste"}) EXPECT_EQ(Offered(sub), c.offered[4]) << sub;
  EXPECT_EQ(main->GetMenuIndex(), c.menuIndex);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, MenuRuleTest,
    ::testing::Values(
        MenuRuleCase{"mode off, a square selected", false, {}, {3}, {}, 10, {1, 1, 1, 1, 1, 1, 1, 1},
                     MenuIndexBefore},
        MenuRuleCase{"mode off, nothing selected", false, {}, {}, {}, 10, {0, 1, 1, 0, 0, 0, 0, 1}, MenuIndexBefore},
        MenuRuleCase{"mode on, over a red square", true, {{5, 0x111111}, {6, 0x111111}}, {}, {5}, 5,
                     {0, 0, 0, 0, 0, 0, 1, 1}, 5},
        MenuRuleCase{"mode on, not red, a magenta pen somewhere", true, {{5, 0x111111}, {6, 0x111111}}, {}, {}, 100,
                     {0, 0, 0, 0, 0, 0, 0, 1}, 100},
        MenuRuleCase{"mode on, no magenta pen anywhere", true, {}, {}, {}, 100, {0, 1, 1, 0, 0, 0, 0, 1},
                     MenuIndexBefore}),
    [](const ::testing::TestParamInfo<MenuRuleCase>& info) { return CaseName(info.param.name); });

TEST_F(ProgramTest, EveryPassOverASquareSetsItsColourHint) {
  Start();
  SetColours({{3, 0xFF0000}, {4, 0x0080FF}, {5, 0x000000}, {6, 0x0A0B0C}});
  struct Case {
    int square;
    const char* hint;
  };
  for (const Case& c : {Case{3, "0,0,255"}, Case{4, "255,128,0"}, Case{5, "0,0,0"}, Case{6, "12,11,10"}}) {
    Hover(c.square);
    EXPECT_EQ(Sq(c.square)->Hint, c.hint);
  }
  // Under the lock-out too.
  fake.Click(*main, At(7));
  Sq(8)->Brush->Color = 0x00FF00;
  fake.Click(*main, At(8));
  EXPECT_EQ(Sq(8)->Hint, "0,255,0");
  EXPECT_EQ(Selected(), std::vector<int>{7});
}

TEST_F(ProgramTest, TheHintWindowShowsTheColourOnceThePointerRests) {
  Start();
  SetColours({{3, 0xFF0000}, {4, 0x0080FF}});
  Hover(3);
  fake.PassTime(Application->HintPauseMs - 50);
  EXPECT_FALSE(fake.HintVisible());
  fake.PassTime(100);
  EXPECT_TRUE(fake.HintVisible());
  EXPECT_EQ(fake.HintText(), "0,0,255");
  Hover(4);
  EXPECT_FALSE(fake.HintVisible());
  fake.PassTime(Application->HintPauseMs + 50);
  EXPECT_TRUE(fake.HintVisible());
  EXPECT_EQ(fake.HintText(), "255,128,0");
  // The close mark has a hint of its own.
  fake.MovePointer(*main, Centre(main->Label8));
  fake.PassTime(Application->HintPauseMs + 50);
  EXPECT_EQ(fake.HintText(), "Click to Exit the program.");
}

TEST_F(ProgramTest, HitTestsWithoutSquaresOnlyAnswer) {
  CreateTintmeshWindows();
  main = SDIAppForm;
  fake.SetKey(VK_LBUTTON, true);
  fake.SetCursorPos(main->Left + 50, main->Top + 115);
  EXPECT_EQ(fake.HitTest(*main), HTCLIENT);
  EXPECT_TRUE(fake.Sent().empty());
  fake.SetKey(VK_LBUTTON, false);
  app->Run();
  main->Close();
  fake.SetKey(VK_RBUTTON, true);
  fake.SetCursorPos(main->Left + 50, main->Top + 115);
  EXPECT_EQ(fake.HitTest(*main), HTCLIENT);
  EXPECT_TRUE(fake.Popups().empty());
}

TEST_F(ProgramTest, WhileAChosenCommandRunsTheGridTakesNoInput) {
  Start();
  const std::string file = ::testing::TempDir() + "tintmesh_input_while_modal.pal";
  ClickSquare(2);
  fake.QueueFileDialog(file);
  bool ran = false;
  fake.QueueModal([&](TForm& form) {  // the About box the save ends with
    ran = true;
    fake.ClearSent();
    fake.SetKey(VK_LBUTTON, true);
    fake.SetCursorPos(At(9).x, At(9).y);
    EXPECT_EQ(fake.HitTest(*main), HTCLIENT);
    fake.SetKey(VK_LBUTTON, false);
    fake.SetKey(VK_RBUTTON, true);
    EXPECT_EQ(fake.HitTest(*main), HTCLIENT);
    fake.SetKey(VK_RBUTTON, false);
    EXPECT_TRUE(Selected().empty());
    EXPECT_TRUE(fake.Sent().empty());
    form.ModalResult = mrOk;
  });
  RightClickSquare(2, "Save Palette");
  std::remove(file.c_str());
  EXPECT_TRUE(ran);
  EXPECT_EQ(fake.Popups().size(), 1u);
  // Once it is over, the grid answers again.
  ClickSquare(9);
  EXPECT_EQ(Selected(), std::vector<int>{9});
}
