// Sort and Choose Color.
#include "Fixture.h"

#include <algorithm>

namespace {

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

struct SortCase {
  const char* name;
  std::vector<std::pair<int, TColor>> selected;  // square and its colour, in area order
  std::vector<std::pair<int, TColor>> after;
};

void PrintTo(const SortCase& c, std::ostream* os) { *os << c.name; }

class SortTest : public ProgramTest, public ::testing::WithParamInterface<SortCase> {};

}  // namespace

TEST_P(SortTest, OrdersTheSelectedColoursByRedThenGreen) {
  const SortCase& c = GetParam();
  Start();
  PaintDistinctColours();
  for (auto& [i, colour] : c.selected) {
    Sq(i)->Brush->Color = colour;
    Sq(i)->Pen->Color = clFuchsia;
  }
  std::vector<TColor> expected = Brushes();
  for (auto& [i, colour] : c.after) expected[i] = colour;
  RightClickSquare(c.selected.front().first, "Sort");
  EXPECT_EQ(Brushes(), expected);
  EXPECT_EQ(WithPen(clBlack).size(), 256u);
}

INSTANTIATE_TEST_SUITE_P(
    Editing, SortTest,
    ::testing::Values(
        SortCase{"red first then green",
                 {{0, Rgb(10, 0, 0)}, {1, Rgb(20, 5, 0)}, {2, Rgb(20, 9, 0)}},
                 {{0, Rgb(20, 9, 0)}, {1, Rgb(20, 5, 0)}, {2, Rgb(10, 0, 0)}}},
        // A and B compare equal, as blue takes no part; the exchanges still reverse them.
        SortCase{"equal keys are not kept in order",
                 {{0, Rgb(5, 0, 1)}, {1, Rgb(5, 0, 2)}, {2, Rgb(9, 0, 0)}},
                 {{0, Rgb(9, 0, 0)}, {1, Rgb(5, 0, 2)}, {2, Rgb(5, 0, 1)}}},
        SortCase{"colours differing only in blue stay put",
                 {{30, Rgb(5, 0, 1)}, {31, Rgb(5, 0, 2)}},
                 {{30, Rgb(5, 0, 1)}, {31, Rgb(5, 0, 2)}}},
        // 159 and 224 are neighbours in the main area; 160 is sorted with its own rows.
        SortCase{"the main area runs from 159 to 224",
                 {{159, Rgb(1, 0, 0)}, {160, Rgb(250, 0, 0)}, {224, Rgb(200, 0, 0)}},
                 {{159, Rgb(200, 0, 0)}, {160, Rgb(250, 0, 0)}, {224, Rgb(1, 0, 0)}}},
        SortCase{"unselected squares between keep their colours",
                 {{40, Rgb(1, 1, 1)}, {45, Rgb(3, 3, 3)}, {50, Rgb(2, 2, 2)}},
                 {{40, Rgb(3, 3, 3)}, {45, Rgb(2, 2, 2)}, {50, Rgb(1, 1, 1)}}},
        SortCase{"a single square keeps its colour", {{70, Rgb(1, 2, 3)}}, {{70, Rgb(1, 2, 3)}}}),
    [](const ::testing::TestParamInfo<SortCase>& info) { return CaseName(info.param.name); });

TEST_F(ProgramTest, SortWithEverythingSelectedSortsEachAreaWhole) {
  Start();
  for (int i = 0; i < 256; ++i) Sq(i)->Brush->Color = Rgb((i * 37) % 256, (i * 11) % 256, i % 7);
  const std::vector<TColor> before = Brushes();
  RightClickSquare(0, "Select All");
  RightClickSquare(0, "Sort");
  const std::vector<TColor> after = Brushes();
  auto key = [](TColor c) { return GetRValue(c) * 256 + GetGValue(c); };
  auto check = [&](std::vector<int> area, const char* name) {
    std::vector<TColor> was, now;
    for (int i : area) {
      was.push_back(before[i]);
      now.push_back(after[i]);
    }
    for (std::size_t k = 1; k < now.size(); ++k) EXPECT_GE(key(now[k - 1]), key(now[k])) << name << " at " << k;
    std::sort(was.begin(), was.end());
    std::sort(now.begin(), now.end());
    EXPECT_EQ(was, now) << name << " keeps its own colours";
  };
  std::vector<int> mainArea, team1, team2;
  for (int k = 0; k < 192; ++k) mainArea.push_back(k < 160 ? k : k + 64);
  for (int k = 0; k < 32; ++k) {
    team1.push_back(160 + k);
    team2.push_back(192 + k);
  }
  check(mainArea, "main area");
  check(team1, "first team-colour rows");
  check(team2, "second team-colour rows");
  EXPECT_TRUE(Selected().empty());
}

TEST_F(ProgramTest, SortShowsTheHourglassWhileItRuns) {
  Start();
  SelectSquares({1, 2});
  const std::size_t before = fake.CursorsSet().size();
  RightClickSquare(1, "Sort");
  const std::vector<CursorId> set(fake.CursorsSet().begin() + static_cast<std::ptrdiff_t>(before),
                                  fake.CursorsSet().end());
  EXPECT_EQ(set, (std::vector<CursorId>{fake.StandardCursor(crHourGlass), fake.StandardCursor(crArrow),
                                        fake.StandardCursor(crDefault)}));
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(ProgramTest, ChooseColorOutsideTheModePaintsTheSelection) {
  Start();
  PaintDistinctColours();
  const std::vector<TColor> before = Brushes();
  SelectSquares({2, 9, 40});

  // Cancelled: nothing changes.
  fake.QueueColorDialog(std::nullopt);
  RightClickSquare(9, "Choose Color");
  ASSERT_EQ(fake.ColorDialogs().size(), 1u);
  EXPECT_EQ(fake.ColorDialogs()[0], clBlack);  // the first time it opens on black
  EXPECT_EQ(Brushes(), before);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 9, 40}));

  // Confirmed: the selection takes the colour and ends.
  fake.QueueColorDialog(0x123456);
  RightClickSquare(9, "Choose Color");
  std::vector<TColor> expected = before;
  for (int i : {2, 9, 40}) expected[i] = 0x123456;
  EXPECT_EQ(Brushes(), expected);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(WithPen(clBlack).size(), 256u);

  // The next time the dialog opens on the colour confirmed last, a cancel in between or not.
  SelectSquares({5});
  fake.QueueColorDialog(std::nullopt);
  main->ChooseColor1Click(main);
  fake.QueueColorDialog(0x00AA00);
  main->ChooseColor1Click(main);
  ASSERT_EQ(fake.ColorDialogs().size(), 4u);
  EXPECT_EQ(fake.ColorDialogs()[2], static_cast<TColor>(0x123456));
  EXPECT_EQ(fake.ColorDialogs()[3], static_cast<TColor>(0x123456));
  EXPECT_EQ(Sq(5)->Brush->Color, static_cast<TColor>(0x00AA00));

  // With nothing selected no dialog opens at all.
  main->ChooseColor1Click(main);
  EXPECT_EQ(fake.ColorDialogs().size(), 4u);
}
