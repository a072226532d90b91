// The whole import and the merge rule: the j-th selected working square takes the colour of the
// j-th selected imported square, both in index order, and black once the imported ones run out.
#include <map>

#include "ImportFixture.h"

namespace {

struct FileCase {
  const char* Name;
  std::string Bytes;
  Colours Expected;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.Name; }

Colours AllBlack() { return Colours{}; }

std::vector<FileCase> FileCases() {
  return {
      {"Riff", RiffBytes(FileColours()), FileColours()},
      {"Jasc", JascText(FileColours()), FileColours()},
      // The first four bytes decide; what follows them is read by the JASC rules.
      {"JascHeaderOverAnythingElse", "JASC and then no palette at all\n", AllBlack()},
  };
}

class ImportEndToEnd : public ImportTest, public ::testing::WithParamInterface<FileCase> {};

}  // namespace

TEST_P(ImportEndToEnd, ChosenImportedColoursLandInTheSelectedSquaresInOrder) {
  const FileCase& c = GetParam();
  StartWithColours();
  const std::string file = Write("chosen.pal", c.Bytes);
  ClickSquare(2);
  ClickSquare(4, true);  // squares 2 to 4
  ClickSquare(161);
  ClickSquare(250);
  const Snapshot before = Working();

  ImportFromMenu(file, [&] {
    EXPECT_EQ(Form1->Caption(), "Import Palette");
    for (int i = 0; i < 256; ++i) {
      ASSERT_NE(Imp(i), nullptr);
      EXPECT_EQ(Imp(i)->PalPosition, i);
      EXPECT_EQ(Imp(i)->Left, 43 + 16 * (i % 16)) << i;
      EXPECT_EQ(Imp(i)->Top, 102 + 16 * (i / 16)) << i;
      EXPECT_EQ(Imp(i)->Brush->Color, c.Expected[i]) << "imported square " << i;
      EXPECT_EQ(Imp(i)->Pen->Color, clBlack) << "imported square " << i;
    }
    // The grid as painted: the fill shows the file's colour, the outline the black pen.
    fake.PaintAll();
    for (int i : {0, 17, 100, 255}) {
      EXPECT_EQ(fake.PixelAt(*Form1, Imp(i)->Left + 7, Imp(i)->Top + 7), c.Expected[i]) << i;
      EXPECT_EQ(fake.PixelAt(*Form1, Imp(i)->Left, Imp(i)->Top), clBlack) << i;
    }
    EXPECT_EQ(main->GetSquares()[0]->Brush->Color, WorkingColour(0)) << "nothing merges before OK";
    EndImportLockOut();
    ClickImported(200);
    ClickImported(7);
    ClickImported(31);
    ClickOk();
  });

  ASSERT_TRUE(ImportWindowGone());
  // Working squares 2, 3, 4, 161 and 250 take imported 7, 31, 200, then black, black.
  const std::map<int, TColor> merged = {
      {2, c.Expected[7]}, {3, c.Expected[31]}, {4, c.Expected[200]}, {161, clBlack}, {250, clBlack}};
  for (int i = 0; i < 256; ++i) {
    auto it = merged.find(i);
    const TColor want = it == merged.end() ? before.Brush[i] : it->second;
    EXPECT_EQ(Sq(i)->Brush->Color, want) << "working square " << i;
    EXPECT_EQ(Sq(i)->Pen->Color, clBlack) << "working square " << i;
  }
  for (auto [i, want] : merged) EXPECT_EQ(OnScreen(i), want) << "working square " << i << " on screen";
  EXPECT_EQ(OnScreen(5), WorkingColour(5));
}

INSTANTIATE_TEST_SUITE_P(Formats, ImportEndToEnd, ::testing::ValuesIn(FileCases()),
                         [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.Name); });

namespace {

struct MergeCase {
  const char* Name;
  std::vector<int> Working;   // selected working squares
  std::vector<int> Red;       // duplicate-marked working squares
  std::vector<int> Imported;  // imported squares, in the order they are clicked
  std::map<int, int> Result;  // working square -> imported index it receives, -1 for black
};

void PrintTo(const MergeCase& c, std::ostream* os) { *os << c.Name; }

std::vector<MergeCase> MergeCases() {
  return {
      {"WorkedCase", {5, 9, 200}, {}, {0, 1, 2, 3, 4}, {{5, 0}, {9, 1}, {200, 2}}},
      {"FewerImportedGoInIndexOrderThenBlack", {1, 2, 3, 4, 5}, {}, {7, 3}, {{1, 3}, {2, 7}, {3, -1}, {4, -1}, {5, -1}}},
      {"NoImportedSelectionMakesBlack", {10, 20}, {}, {}, {{10, -1}, {20, -1}}},
      {"NoWorkingSelectionChangesNothing", {}, {}, {0, 1}, {}},
      {"RedPensAreLeftAlone", {4, 8}, {6}, {0, 1}, {{4, 0}, {8, 1}}},
      {"AcrossTheAreasByOrderOnly", {150, 170, 250}, {}, {255, 100, 200}, {{150, 100}, {170, 200}, {250, 255}}},
  };
}

class MergeRule : public ImportTest, public ::testing::WithParamInterface<MergeCase> {};

}  // namespace

TEST_P(MergeRule, SelectedSquaresTakeTheSelectedColoursInOrder) {
  const MergeCase& c = GetParam();
  StartWithColours();
  for (int i : c.Working) Sq(i)->Pen->Color = clFuchsia;
  for (int i : c.Red) Sq(i)->Pen->Color = clRed;
  const Snapshot before = Working();

  Import(WriteRiff("merge.pal"), [&] {
    EndImportLockOut();
    for (int k : c.Imported) ClickImported(k);
    ClickOk();
  });

  ASSERT_TRUE(ImportWindowGone());
  EXPECT_EQ(Form1->GetMergeIndex(), 0);
  for (int i = 0; i < 256; ++i) {
    auto it = c.Result.find(i);
    if (it == c.Result.end()) {
      EXPECT_EQ(Sq(i)->Brush->Color, before.Brush[i]) << "working square " << i;
      EXPECT_EQ(Sq(i)->Pen->Color, before.Pen[i]) << "working square " << i;
    } else {
      EXPECT_EQ(Sq(i)->Brush->Color, it->second < 0 ? clBlack : FileColour(it->second)) << "working square " << i;
      EXPECT_EQ(Sq(i)->Pen->Color, clBlack) << "working square " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeRule, ::testing::ValuesIn(MergeCases()),
                         [](const ::testing::TestParamInfo<MergeCase>& info) { return std::string(info.param.Name); });

TEST_F(ImportTest, SelectAllThenOkGivesTheJthSelectedSquareImportedColourJMinusOne) {
  StartWithColours();
  Select({0, 1, 2, 3, 4, 250});
  Import(WriteRiff("all.pal"), [&] {
    EndImportLockOut();
    RightClickImported(40, "Select All");
    ClickOk();
  });
  const int order[] = {0, 1, 2, 3, 4, 250};
  for (int j = 0; j < 6; ++j) {
    EXPECT_EQ(Sq(order[j])->Brush->Color, FileColour(j)) << "working square " << order[j];
    EXPECT_EQ(Sq(order[j])->Pen->Color, clBlack);
  }
  EXPECT_EQ(Sq(5)->Brush->Color, WorkingColour(5));
  EXPECT_EQ(Sq(249)->Brush->Color, WorkingColour(249));
}
