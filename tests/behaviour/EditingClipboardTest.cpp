// Cut, Copy and Paste of square colours through the main window's own clipboard.
#include "Fixture.h"

#include <functional>

namespace {

// The main area in its order: 0 to 159, then 224 to 255.
int MainArea(int k) { return k < 160 ? k : k + 64; }

struct CutCase {
  const char* name;
  std::vector<int> selected;
  // The colour square i holds afterwards, given the colours before.
  std::function<TColor(int i, const std::vector<TColor>& before)> after;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class CutTest : public ProgramTest, public ::testing::WithParamInterface<CutCase> {};

}  // namespace

TEST_P(CutTest, ClosesTheGapsWithinEachArea) {
  const CutCase& c = GetParam();
  Start();
  PaintDistinctColours();
  for (int i : c.selected) Sq(i)->Pen->Color = clFuchsia;
  const std::vector<TColor> before = Brushes();
  // As the user does it: a right click on one of the selected squares.
  RightClickSquare(c.selected.front(), "Edit/Cut");
  ASSERT_EQ(fake.Popups().back().Chosen, "Edit/Cut");
  for (int i = 0; i < 256; ++i) EXPECT_EQ(Sq(i)->Brush->Color, c.after(i, before)) << "square " << i;
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(WithPen(clBlack).size(), 256u);
  // The clipboard holds the cut colours in palette order, then zeros.
  for (std::size_t k = 0; k < 256; ++k) {
    const TColor expected = k < c.selected.size() ? before[c.selected[k]] : 0;
    EXPECT_EQ(main->GetClipColors()[k], expected) << "entry " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Editing, CutTest,
    ::testing::Values(
        CutCase{"square 0 alone", {0},
                [](int i, const std::vector<TColor>& b) -> TColor {
                  if (i < 159) return b[i + 1];
                  if (i == 159) return b[224];
                  if (i < 224) return b[i];  // the team-colour rows don't change
                  if (i < 255) return b[i + 1];
                  return clBlack;
                }},
        CutCase{"squares 0 and 2", {0, 2},
                [](int i, const std::vector<TColor>& b) -> TColor {
                  if (i >= 160 && i < 224) return b[i];
                  const int k = i < 160 ? i : i - 64;  // position in the main area
                  if (k == 0) return b[1];
                  if (k + 2 < 192) return b[MainArea(k + 2)];
                  return clBlack;  // 254 and 255
                }},
        CutCase{"all of the first team-colour rows",
                {160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 175,
                 176, 177, 178, 179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 189, 190, 191},
                [](int i, const std::vector<TColor>& b) -> TColor {
                  return i >= 160 && i < 192 ? clBlack : b[i];
                }},
        CutCase{"squares 254 and 255", {254, 255},
                [](int i, const std::vector<TColor>& b) -> TColor { return i >= 254 ? clBlack : b[i]; }},
        CutCase{"one square of each area", {100, 170, 200},
                [](int i, const std::vector<TColor>& b) -> TColor {
                  if (i >= 100 && i < 159) return b[i + 1];
                  if (i == 159) return b[224];
                  if (i >= 224 && i < 255) return b[i + 1];
                  if (i == 255) return clBlack;
                  if (i >= 170 && i < 191) return b[i + 1];
                  if (i == 191) return clBlack;
                  if (i >= 200 && i < 223) return b[i + 1];
                  if (i == 223) return clBlack;
                  return b[i];
                }}),
    [](const ::testing::TestParamInfo<CutCase>& info) { return CaseName(info.param.name); });

TEST_F(ProgramTest, CopyStoresTheSelectionInOrderAndPasteFillsTheNextSelection) {
  Start();
  PaintDistinctColours();
  const std::vector<TColor> before = Brushes();
  ClickSquare(200);
  ClickSquare(7);
  ClickSquare(3);
  RightClickSquare(3, "Edit/Copy");
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(Brushes(), before);
  EXPECT_EQ(main->GetClipColors()[0], before[3]);
  EXPECT_EQ(main->GetClipColors()[1], before[7]);
  EXPECT_EQ(main->GetClipColors()[2], before[200]);
  for (int k = 3; k < 256; ++k) EXPECT_EQ(main->GetClipColors()[k], 0u) << k;

  // More squares than colours: the last one becomes black.
  ClickSquare(10);
  ClickSquare(13, true);
  EXPECT_EQ(Selected(), (std::vector<int>{10, 11, 12, 13}));
  RightClickSquare(12, "Edit/Paste");
  EXPECT_EQ(Sq(10)->Brush->Color, before[3]);
  EXPECT_EQ(Sq(11)->Brush->Color, before[7]);
  EXPECT_EQ(Sq(12)->Brush->Color, before[200]);
  EXPECT_EQ(Sq(13)->Brush->Color, clBlack);
  EXPECT_TRUE(Selected().empty());

  // Fewer squares than colours: the first colours, and all stay for the next Paste.
  SelectSquares({50});
  main->Paste1Click(main);
  EXPECT_EQ(Sq(50)->Brush->Color, before[3]);
  SelectSquares({60, 61, 62});
  main->Paste1Click(main);
  EXPECT_EQ(Sq(60)->Brush->Color, before[3]);
  EXPECT_EQ(Sq(61)->Brush->Color, before[7]);
  EXPECT_EQ(Sq(62)->Brush->Color, before[200]);
  EXPECT_EQ(main->GetClipColors()[2], before[200]);
}

TEST_F(ProgramTest, PasteBeforeAnyCopyMakesTheSelectionBlack) {
  Start();
  PaintDistinctColours();
  ClickSquare(4);
  ClickSquare(170);
  RightClickSquare(4, "Edit/Paste");
  EXPECT_EQ(Sq(4)->Brush->Color, clBlack);
  EXPECT_EQ(Sq(170)->Brush->Color, clBlack);
  EXPECT_EQ(Sq(5)->Brush->Color, Distinct(5));
  EXPECT_TRUE(Selected().empty());
}

TEST_F(ProgramTest, CopyWithNothingSelectedEmptiesTheClipboard) {
  Start();
  PaintDistinctColours();
  SelectSquares({9});
  main->Copy1Click(main);
  ASSERT_EQ(main->GetClipColors()[0], Distinct(9));
  main->Copy1Click(main);
  for (TColor c : main->GetClipColors()) EXPECT_EQ(c, 0u);
}

TEST_F(ProgramTest, CutThenPastePutsTheCutColoursBackInPaletteOrder) {
  Start();
  PaintDistinctColours();
  SelectSquares({5, 40, 230});
  main->Cut1Click(main);
  SelectSquares({0, 1, 2});
  main->Paste1Click(main);
  EXPECT_EQ(Sq(0)->Brush->Color, Distinct(5));
  EXPECT_EQ(Sq(1)->Brush->Color, Distinct(40));
  EXPECT_EQ(Sq(2)->Brush->Color, Distinct(230));
}
