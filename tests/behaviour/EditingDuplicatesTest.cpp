// The duplicate display mode, its hover marking, and Choose Color inside it.
#include "Fixture.h"

namespace {

constexpr TColor Shared = 0x111111;

}  // namespace

TEST_F(ProgramTest, OnAFreshGridEverySquareIsADuplicate) {
  Start();
  RightClickSquare(30, "Show Duplicates");
  EXPECT_EQ(main->CheckforDuplicates1->Caption(), "Don't Show Duplicates");
  EXPECT_TRUE(main->DuplicateModeOn());
  EXPECT_EQ(Selected().size(), 256u);  // all magenta, nothing red yet
  Hover(30);
  EXPECT_EQ(WithPen(clRed).size(), 256u);
  EXPECT_EQ(main->GetLastHoverColor(), clWhite);

  // Switching off clears every pen.
  RightClickSquare(30, "Don't Show Duplicates");
  EXPECT_EQ(main->CheckforDuplicates1->Caption(), "Show Duplicates");
  EXPECT_EQ(WithPen(clBlack).size(), 256u);
}

TEST_F(ProgramTest, HoverMarksTheGroupUnderThePointerRed) {
  Start();
  PaintDistinctColours();
  SetColours({{5, Shared}, {6, Shared}, {200, Shared}, {7, 0x000203}, {8, 0x010203}});  // 7 and 8 differ in blue
  SelectSquares({1, 2});
  main->CheckforDuplicates1Click(main);
  EXPECT_EQ(Selected(), (std::vector<int>{5, 6, 200}));  // the selection is gone

  Hover(5);
  EXPECT_EQ(WithPen(clRed), (std::vector<int>{5, 6, 200}));
  EXPECT_EQ(main->GetLastHoverColor(), Shared);
  Hover(200);  // another square of the same colour changes nothing
  EXPECT_EQ(WithPen(clRed), (std::vector<int>{5, 6, 200}));
  EXPECT_TRUE(Selected().empty());

  // A colour that occurs once: the red group goes back to magenta, nothing is marked.
  Hover(7);
  EXPECT_TRUE(WithPen(clRed).empty());
  EXPECT_EQ(Selected(), (std::vector<int>{5, 6, 200}));
  EXPECT_EQ(Sq(7)->Pen->Color, clBlack);
  EXPECT_EQ(main->GetLastHoverColor(), static_cast<TColor>(0x000203));

  // A hit square's first pixel row is no hover.
  Hover(5);
  fake.MovePointer(*main, At(100, 7, 0));
  EXPECT_EQ(WithPen(clRed).size(), 3u);
}

TEST_F(ProgramTest, ClicksInTheModeToggleAndTheHoverMarksAgain) {
  Start();
  PaintDistinctColours();
  SetColours({{5, Shared}, {6, Shared}});
  main->CheckforDuplicates1Click(main);
  Hover(5);
  ASSERT_EQ(WithPen(clRed), (std::vector<int>{5, 6}));

  // A click on a red square whose colour occurs elsewhere leaves it red.
  ClickSquare(5);
  EXPECT_EQ(WithPen(clRed), (std::vector<int>{5, 6}));

  // A click on a colour that occurs once gives it magenta, the next click black again.
  ClickSquare(50);
  EXPECT_EQ(Sq(50)->Pen->Color, clFuchsia);
  EXPECT_EQ(WithPen(clRed), std::vector<int>{});  // 5 and 6 back to magenta
  ClickSquare(50);
  EXPECT_EQ(Sq(50)->Pen->Color, clBlack);

  // Switching on again recomputes every mark from the colours.
  main->CheckforDuplicates1Click(main);
  EXPECT_EQ(WithPen(clBlack).size(), 256u);
  Sq(6)->Brush->Color = Distinct(6);
  main->CheckforDuplicates1Click(main);
  EXPECT_EQ(WithPen(clBlack).size(), 256u);
}

TEST_F(ProgramTest, ChooseColorInTheModePaintsOnlyTheSquareUnderTheMenu) {
  Start();
  PaintDistinctColours();
  SetColours({{5, Shared}, {6, Shared}});
  main->CheckforDuplicates1Click(main);
  Hover(5);

  // Cancelled: nothing changes.
  fake.QueueColorDialog(std::nullopt);
  RightClickSquare(5, "Choose Color");
  ASSERT_EQ(fake.ColorDialogs().size(), 1u);
  EXPECT_EQ(WithPen(clRed), (std::vector<int>{5, 6}));
  EXPECT_EQ(Sq(5)->Brush->Color, Shared);

  // A colour that occurs nowhere else: only square 5 changes, and the other square of its
  // old group stays red until a hit test over a square of another colour than the last hovered.
  const TColor fresh = 0x00FE00;
  fake.QueueColorDialog(fresh);
  RightClickSquare(5, "Choose Color");
  EXPECT_EQ(main->GetMenuIndex(), 5);
  EXPECT_EQ(Sq(5)->Brush->Color, fresh);
  EXPECT_EQ(Sq(5)->Pen->Color, clBlack);
  EXPECT_EQ(Sq(6)->Brush->Color, Shared);
  EXPECT_EQ(WithPen(clRed), std::vector<int>{6});
  std::vector<TColor> expected(256);
  for (int i = 0; i < 256; ++i) expected[i] = Distinct(i);
  expected[5] = fresh;
  expected[6] = Shared;
  EXPECT_EQ(Brushes(), expected);
  Hover(5);  // the repainted square has another colour than the last hovered
  EXPECT_TRUE(WithPen(clRed).empty());
  EXPECT_EQ(Sq(6)->Pen->Color, clFuchsia);  // although its colour now occurs once
  EXPECT_EQ(Sq(5)->Pen->Color, clBlack);
}

TEST_F(ProgramTest, ChooseColorInTheModeWithAColourThatOccursElsewhere) {
  Start();
  PaintDistinctColours();
  SetColours({{5, Shared}, {6, Shared}});
  main->CheckforDuplicates1Click(main);
  Hover(6);
  fake.QueueColorDialog(Distinct(90));
  RightClickSquare(6, "Choose Color");
  EXPECT_EQ(Sq(6)->Brush->Color, Distinct(90));
  // The painted square keeps its black pen until the next hit test over it.
  EXPECT_EQ(Sq(6)->Pen->Color, clBlack);
  EXPECT_EQ(Sq(90)->Pen->Color, clBlack);
  EXPECT_EQ(Sq(5)->Pen->Color, clRed);
  Hover(6);
  EXPECT_EQ(WithPen(clRed), (std::vector<int>{6, 90}));
  EXPECT_EQ(Sq(5)->Pen->Color, clFuchsia);
}

TEST_F(ProgramTest, TheModeOffersChooseColorOnlyOverARedSquare) {
  Start();
  PaintDistinctColours();
  SetColours({{5, Shared}, {6, Shared}});
  main->CheckforDuplicates1Click(main);
  fake.QueueColorDialog(0x0000AA);
  RightClickSquare(5, "Choose Color");  // magenta, not red yet: not offered
  EXPECT_TRUE(fake.ColorDialogs().empty());
  EXPECT_EQ(Sq(5)->Brush->Color, Shared);
  EXPECT_EQ(fake.Popups().back().Chosen, "");
}
