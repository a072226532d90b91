// Undo and redo from the keyboard: Ctrl+Z brings back the colours and the selection from just
// before the last command that changed a colour, Ctrl+Y and Ctrl+Shift+Z those from just after
// it. Checked on the squares as painted: each square's fill and outline.
#include <functional>

#include "ImportFixture.h"

namespace {

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

class UndoTest : public ImportTest {
 public:
  // Public, for the steps of the table of commands.
  using ProgramTest::ClickSquare;
  using ProgramTest::RightClickSquare;

  // A square as painted: its outline (the pen) and its fill (the brush).
  struct Look {
    TColor Outline = 0;
    TColor Fill = 0;
    bool operator==(const Look& o) const { return Outline == o.Outline && Fill == o.Fill; }
  };
  using Looks = std::array<Look, 256>;

  Looks Painted() {
    fake.PaintAll();
    Looks looks;
    for (int i = 0; i < 256; ++i) {
      looks[i].Outline = fake.PixelAt(*main, Sq(i)->Left, Sq(i)->Top);
      looks[i].Fill = fake.PixelAt(*main, Sq(i)->Left + 7, Sq(i)->Top + 7);
    }
    return looks;
  }
  static Looks LooksOf(const Snapshot& s) {
    Looks looks;
    for (int i = 0; i < 256; ++i) looks[i] = Look{s.Pen[i], s.Brush[i]};
    return looks;
  }
  // The squares show exactly this state, and hold it.
  void ExpectShows(const Snapshot& expected, const std::string& what) {
    const Looks painted = Painted();
    const Looks wanted = LooksOf(expected);
    int wrong = 0;
    for (int i = 0; i < 256 && wrong < 5; ++i) {
      if (!(painted[i] == wanted[i])) {
        ++wrong;
        ADD_FAILURE() << what << ": square " << i << " shows outline " << std::hex << painted[i].Outline << " fill "
                      << painted[i].Fill << ", expected " << wanted[i].Outline << " / " << wanted[i].Fill;
      }
    }
    const Snapshot now = Working();
    for (int i = 0; i < 256; ++i) {
      EXPECT_EQ(now.Pen[i], expected.Pen[i]) << what << ": pen of square " << i;
      EXPECT_EQ(now.Brush[i], expected.Brush[i]) << what << ": colour of square " << i;
    }
  }

  void CtrlKey(int key, TShiftState more = 0) { ASSERT_TRUE(fake.TypeKey(*main, key, ssCtrl | more)); }
  void Undo() { CtrlKey('Z'); }
  void Redo() { CtrlKey('Y'); }

  void Choose(TColor colour, int over) {
    fake.QueueColorDialog(colour);
    RightClickSquare(over, "Choose Color");
  }
  // The whole import: the file's squares 0 to 4 go into the selected working squares.
  void MergeFirstFive() {
    const std::string file = WriteRiff("five.pal");
    ImportFromMenu(file, [&] {
      EndImportLockOut();
      ClickImported(0);
      ClickImported(4, true);
      ClickOk();
    });
  }
  // A save through the menu, the About box closed by its button.
  void Save() {
    fake.QueueFileDialog((dir / "saved.pal").string());
    fake.QueueModal([&](TForm& form) {
      ASSERT_EQ(&form, AboutBox);
      fake.PressButton(*AboutBox->OKButton);
    });
    RightClickSquare(0, "Save Palette");
  }
};

struct CommandCase {
  const char* Name;
  std::function<void(UndoTest&)> Prepare;  // whatever comes before the command; not undone
  int Over;                                 // the square the menu is opened over
  std::function<void(UndoTest&)> Run;
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.Name; }

class UndoCommandTest : public UndoTest, public ::testing::WithParamInterface<CommandCase> {};

}  // namespace

TEST_P(UndoCommandTest, UndoBringsBackTheStateBeforeAndRedoTheStateAfter) {
  const CommandCase& c = GetParam();
  StartWithColours();
  c.Prepare(*this);
  const Snapshot before = Working();
  c.Run(*this);
  const Snapshot after = Working();
  ASSERT_FALSE(before.Brush == after.Brush) << "the command changes colours";

  Undo();
  ExpectShows(before, "after Ctrl+Z");
  Redo();
  ExpectShows(after, "after Ctrl+Y");
  Undo();
  ExpectShows(before, "after a second Ctrl+Z");
  CtrlKey('Z', ssShift);
  ExpectShows(after, "after Ctrl+Shift+Z");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UndoCommandTest,
    ::testing::Values(
        CommandCase{"Cut",
                    [](UndoTest& t) {
                      t.ClickSquare(0);
                      t.ClickSquare(2);
                      t.ClickSquare(165);
                    },
                    2, [](UndoTest& t) { t.RightClickSquare(2, "Edit/Cut"); }},
        CommandCase{"Paste",
                    [](UndoTest& t) {
                      t.ClickSquare(3);
                      t.ClickSquare(7);
                      t.RightClickSquare(7, "Edit/Copy");
                      t.ClickSquare(10);
                      t.ClickSquare(13, true);
                    },
                    11, [](UndoTest& t) { t.RightClickSquare(11, "Edit/Paste"); }},
        CommandCase{"Sort",
                    [](UndoTest& t) {
                      t.ClickSquare(20);
                      t.ClickSquare(60, true);
                      t.ClickSquare(170);
                      t.ClickSquare(180, true);
                    },
                    30, [](UndoTest& t) { t.RightClickSquare(30, "Sort"); }},
        CommandCase{"ChooseColor",
                    [](UndoTest& t) {
                      t.ClickSquare(5);
                      t.ClickSquare(17);
                      t.ClickSquare(200);
                    },
                    17, [](UndoTest& t) { t.Choose(Rgb(12, 34, 56), 17); }},
        CommandCase{"Merge",
                    [](UndoTest& t) {
                      t.ClickSquare(5);
                      t.ClickSquare(9);
                      t.ClickSquare(200);
                      t.ClickSquare(201);
                    },
                    9, [](UndoTest& t) { t.MergeFirstFive(); }}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.Name); });

TEST_F(UndoTest, AChainOfCommandsIsUndoneAndRedoneInOrder) {
  StartWithColours();
  // The state just before and just after each command, each with its own selection.
  std::vector<Snapshot> before, after;
  auto run = [&](std::function<void()> command) {
    before.push_back(Working());
    command();
    after.push_back(Working());
  };
  ClickSquare(0);
  ClickSquare(2);
  run([&] { RightClickSquare(2, "Edit/Cut"); });
  ClickSquare(50);
  ClickSquare(52, true);
  run([&] { RightClickSquare(50, "Edit/Paste"); });
  RightClickSquare(0, "Select All");
  run([&] { RightClickSquare(0, "Sort"); });
  ClickSquare(7);
  run([&] { Choose(Rgb(1, 2, 3), 7); });
  ClickSquare(90);  // a selection made after the last command is not kept

  for (int k = 3; k >= 0; --k) {
    Undo();
    ExpectShows(before[k], "undo of command " + std::to_string(k));
  }
  Undo();
  ExpectShows(before[0], "Ctrl+Z with nothing left to undo");
  for (int k = 0; k <= 3; ++k) {
    if (k % 2) Redo(); else CtrlKey('Z', ssShift);
    ExpectShows(after[k], "redo of command " + std::to_string(k));
  }
  Redo();
  ExpectShows(after[3], "Ctrl+Y with nothing left to redo");
}

TEST_F(UndoTest, ANewChangeClearsWhatCouldBeRedone) {
  StartWithColours();
  ClickSquare(0);
  const Snapshot beforeCut = Working();
  RightClickSquare(0, "Edit/Cut");
  ClickSquare(40);
  ClickSquare(45, true);
  const Snapshot beforeSort = Working();
  RightClickSquare(40, "Sort");
  Undo();
  ExpectShows(beforeSort, "the sort undone");

  ClickSquare(100);
  const Snapshot beforeChoice = Working();
  Choose(Rgb(9, 9, 9), 100);
  const Snapshot afterChoice = Working();
  Redo();
  ExpectShows(afterChoice, "Ctrl+Y after a new change: the sort is gone for good");
  Undo();
  ExpectShows(beforeChoice, "the new change undone");
  Undo();
  ExpectShows(beforeCut, "the cut undone");
}

// Selections, Copy, Save, the duplicate display mode and commands that end without changing a
// colour are no steps: undo goes past them, and they leave what can be redone alone.
TEST_F(UndoTest, CommandsThatChangeNoColourAreNoSteps) {
  StartWithColours();
  ClickSquare(3);
  ClickSquare(9);
  const Snapshot beforeCut = Working();
  RightClickSquare(3, "Edit/Cut");
  const Snapshot afterCut = Working();

  RightClickSquare(0, "Select All");
  RightClickSquare(0, "Clear All Selections");
  ClickSquare(30);
  RightClickSquare(30, "Edit/Copy");
  RightClickSquare(111, "Show Duplicates");
  RightClickSquare(111, "Don't Show Duplicates");
  ClickSquare(31);
  fake.QueueColorDialog(std::nullopt);
  RightClickSquare(31, "Choose Color");  // cancelled
  ClickSquare(31);
  ClickSquare(32);
  RightClickSquare(32, "Sort");  // of one square, whose colour stays
  Save();
  ASSERT_EQ(Selected(), std::vector<int>{}) << "Save unselects";

  Undo();
  ExpectShows(beforeCut, "Ctrl+Z after the save: back past it to before the cut, with its selection");
  ClickSquare(60);
  RightClickSquare(60, "Edit/Copy");
  Save();
  Redo();
  ExpectShows(afterCut, "Ctrl+Y after a copy and a save still redoes the cut");
}

TEST_F(UndoTest, OnlyCtrlZCtrlYAndCtrlShiftZAct) {
  StartWithColours();
  ClickSquare(0);
  RightClickSquare(0, "Edit/Cut");
  const Snapshot afterCut = Working();
  for (auto [key, modifiers] : std::vector<std::pair<int, TShiftState>>{
           {'Z', 0}, {'Z', ssShift}, {'Y', 0}, {'X', ssCtrl}, {'U', ssCtrl}}) {
    ASSERT_TRUE(fake.TypeKey(*main, key, modifiers));
    ExpectShows(afterCut, "after key " + std::string(1, static_cast<char>(key)) + " with modifiers " +
                              std::to_string(modifiers));
  }
  // Ctrl+Alt+Z is another key (AltGr on many keyboards).
  fake.SetKey(VK_CONTROL, true);
  fake.SetKey(VK_MENU, true);
  fake.Deliver(*main, WM_KEYDOWN, 'Z', 1);
  fake.SetKey(VK_MENU, false);
  fake.SetKey(VK_CONTROL, false);
  ExpectShows(afterCut, "after Ctrl+Alt+Z");
}

TEST_F(UndoTest, AtLeast256StepsAreKeptAndTheOldestGoesBeyond) {
  StartWithColours();
  const int changes = 300;
  const int limit = 256;
  std::vector<Snapshot> before, after;
  for (int k = 0; k < changes; ++k) {
    Sq(k % 256)->Pen->Color = clFuchsia;
    before.push_back(Working());
    fake.QueueColorDialog(Rgb(k % 256, k / 256, 7));
    main->ChooseColor1Click(main);
    after.push_back(Working());
  }
  EXPECT_EQ(main->GetHistory().UndoSteps(), static_cast<std::size_t>(limit));
  for (int n = 1; n <= changes; ++n) {
    Undo();
    ASSERT_TRUE(Working() == before[changes - std::min(n, limit)]) << "after " << n << " undos";
  }
  ExpectShows(before[changes - limit], "every kept step undone; the oldest 44 are gone");
  EXPECT_EQ(main->GetHistory().RedoSteps(), static_cast<std::size_t>(limit));
  for (int n = 0; n < limit; ++n) Redo();
  ExpectShows(after[changes - 1], "every step redone");
}

TEST_F(UndoTest, InDuplicateDisplayModeUndoAndRedoWorkTheMarksOutAfresh) {
  StartWithColours();
  SetColours({{10, Rgb(1, 1, 1)}, {20, Rgb(1, 1, 1)}, {30, Rgb(2, 2, 2)}, {31, Rgb(2, 2, 2)}});
  ClickSquare(10);
  Choose(Rgb(3, 3, 3), 10);  // 10 and 20 no longer share a colour
  const Snapshot changed = Working();
  RightClickSquare(111, "Show Duplicates");
  Hover(30);
  ASSERT_EQ(WithPen(clRed), (std::vector<int>{30, 31}));

  // The marks a switch into the mode gives: magenta wherever a colour occurs twice; no red mark
  // of the hover before is left.
  auto marks = [&](std::initializer_list<int> duplicated) {
    Snapshot s = Working();
    for (int i = 0; i < 256; ++i) s.Pen[i] = clBlack;
    for (int i : duplicated) s.Pen[i] = clFuchsia;
    return s;
  };
  Undo();
  Snapshot expected = marks({10, 20, 30, 31});
  EXPECT_EQ(expected.Brush[10], Rgb(1, 1, 1));
  ExpectShows(expected, "undo in the mode");
  Hover(30);
  Redo();
  expected = marks({30, 31});
  EXPECT_EQ(expected.Brush[10], Rgb(3, 3, 3));
  ExpectShows(expected, "redo in the mode");

  // A step taken in the mode, undone after it: the marks it started from are no selection.
  Hover(30);
  fake.QueueColorDialog(Rgb(4, 4, 4));
  RightClickSquare(30, "Choose Color");
  ASSERT_EQ(Sq(30)->Brush->Color, Rgb(4, 4, 4));
  RightClickSquare(111, "Don't Show Duplicates");
  Undo();
  Snapshot unmarked = changed;
  for (TColor& pen : unmarked.Pen) pen = clBlack;
  ExpectShows(unmarked, "a step from the mode undone outside it");
}

// While a modal window is up the main window takes no keys: the system gives them to the window
// on top, and a key message that still reaches the main window (one queued before the window
// opened) is left alone too.
TEST_F(UndoTest, KeysInsideAModalWindowDoNothing) {
  StartWithColours();
  ClickSquare(0);
  ClickSquare(1);
  const Snapshot beforeCut = Working();
  RightClickSquare(0, "Edit/Cut");
  const Snapshot afterCut = Working();
  ClickSquare(40);
  const Snapshot selected = Working();

  auto tryKeys = [&](TForm& top) {
    const Snapshot shown = Working();
    EXPECT_FALSE(fake.TypeKey(*main, 'Z', ssCtrl)) << "the main window is disabled under the modal window";
    EXPECT_TRUE(fake.TypeKey(top, 'Z', ssCtrl));
    EXPECT_TRUE(fake.TypeKey(top, 'Y', ssCtrl));
    fake.SetKey(VK_CONTROL, true);
    fake.Deliver(*main, WM_KEYDOWN, 'Z', 1);
    fake.Deliver(*main, WM_KEYDOWN, 'Y', 1);
    fake.SetKey(VK_CONTROL, false);
    EXPECT_TRUE(Working() == shown) << top.Name;
  };
  ImportFromMenu(WriteRiff("any.pal"), [&] {
    tryKeys(*Form1);
    ClickCancel();
  });
  fake.QueueFileDialog((dir / "saved.pal").string());
  fake.QueueModal([&](TForm&) {
    tryKeys(*AboutBox);
    fake.PressButton(*AboutBox->OKButton);
  });
  RightClickSquare(40, "Save Palette");
  Snapshot saved = selected;
  for (TColor& pen : saved.Pen) pen = clBlack;
  ExpectShows(saved, "after the modal windows");

  Undo();
  ExpectShows(beforeCut, "the keys work again once the windows are gone");
  Redo();
  ExpectShows(afterCut, "and redo");
}
