// A long session of every command, dialog and window leaves nothing behind: no off-screen
// surface, window, timer or registry key more than the program had before it, and nothing at
// all once the program has ended.
#include "ImportFixture.h"

namespace {

struct Live {
  int Surfaces, Windows, Timers, Keys;
  bool operator==(const Live& o) const {
    return Surfaces == o.Surfaces && Windows == o.Windows && Timers == o.Timers && Keys == o.Keys;
  }
};

void PrintTo(const Live& l, std::ostream* os) {
  *os << "surfaces " << l.Surfaces << ", windows " << l.Windows << ", timers " << l.Timers << ", keys " << l.Keys;
}

}  // namespace

TEST_F(ImportTest, ALongSessionLeavesNoSystemObjectBehind) {
  auto live = [&] {
    return Live{fake.LiveSurfaces(), fake.LiveWindows(), static_cast<int>(fake.RunningTimers()),
                fake.OpenRegistryKeys()};
  };
  StartWithColours();
  fake.PaintAll();
  const Live start = live();
  EXPECT_EQ(start.Timers, 0);
  EXPECT_EQ(start.Keys, 0);
  const std::string red = WriteRiff("red.pal");
  const std::string notes = Write("notes.pal", "not a palette");
  const std::string out = (dir / "out.pal").string();

  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    // Import and merge, then a cancelled import window, a cancelled dialog and a refused file.
    ClickSquare(0);
    ClickSquare(40, true);
    ImportFromMenu(red, [&] {
      fake.PaintAll();
      ClickImported(3);
      ClickImported(30, true);
      RightClickImported(50, "Select All");
      RightClickImported(50, "Clear All Selections");
      ClickImported(7);
      ClickOk();
    });
    ClickSquare(5);
    ImportFromMenu(red, [&] { ClickCancel(); });
    fake.QueueFileDialog(std::nullopt);
    RightClickSquare(5, "Import Palette");
    ShownBox refused;
    QueueMessageBox(refused);
    fake.QueueFileDialog(notes);
    RightClickSquare(5, "Import Palette");
    EXPECT_EQ(refused.Text, "Unsupported Palette.");
    ClickSquare(5);

    // Save with its About box, and a save that fails.
    fake.QueueFileDialog(out);
    fake.QueueModal([](TForm& about) { about.ModalResult = mrOk; });
    RightClickSquare(9, "Save Palette");
    fake.SetReplaceStatus(ReplaceStatus::Failed);
    ShownBox failed;
    QueueMessageBox(failed);
    fake.QueueFileDialog(out);
    RightClickSquare(9, "Save Palette");
    EXPECT_TRUE(failed.Shown);
    fake.SetReplaceStatus(std::nullopt);

    // The clipboard, sort and the colour dialog.
    ClickSquare(10);
    ClickSquare(20, true);
    RightClickSquare(12, "Edit/Copy");
    ClickSquare(100);
    ClickSquare(110, true);
    RightClickSquare(100, "Edit/Paste");
    ClickSquare(30);
    ClickSquare(35, true);
    RightClickSquare(30, "Edit/Cut");
    ClickSquare(60);
    ClickSquare(90, true);
    RightClickSquare(60, "Sort");
    ClickSquare(61);
    fake.QueueColorDialog(TColor{0x123456});
    RightClickSquare(61, "Choose Color");

    // Duplicate mode: on, a hover over a duplicated colour, a colour chosen for it, off.
    SetColours({{70, 0x010203}, {71, 0x010203}});
    RightClickSquare(70, "Show Duplicates");
    Hover(70);
    fake.QueueColorDialog(std::nullopt);
    RightClickSquare(70, "Choose Color");
    RightClickSquare(70, "Don't Show Duplicates");

    // The help window, opened from the link, paged to its last page and back, and closed from
    // its icon menu; a hint shown.
    fake.Click(*main, Centre(main->Label3));
    ASSERT_TRUE(Form3->Visible);
    fake.PaintAll();
    for (int page = 0; page < 12; ++page) {
      fake.Click(*Form3, CentreOf(*Form3, *(page < 10 ? Form3->Image2 : Form3->Image3)));
      fake.PassTime(600);  // further apart than a double click
      fake.PaintAll();
    }
    EXPECT_EQ(Form3->GetPageIndex(), 8);
    fake.QueueMenuChoice("Close");
    fake.Click(*Form3, TPoint{Form3->Left + 24, Form3->Top + 28});
    EXPECT_FALSE(Form3->Visible);
    fake.MovePointer(*main, Centre(main->Label8));
    fake.PassTime(700);
    fake.MovePointer(*main, OnMain(5, 200));  // the background, which has no hint
    fake.PassTime(250);  // the lock-outs are over
    fake.PaintAll();

    EXPECT_EQ(live(), start);
  }
  EXPECT_TRUE(fake.Unscripted().empty());

  fake.Click(*main, Centre(main->Label8));
  ASSERT_TRUE(app->Terminated);
  EXPECT_EQ(fake.OpenRegistryKeys(), 0);
  EXPECT_EQ(fake.RunningTimers(), 0u);
  app.reset();
  EXPECT_EQ(live(), (Live{0, 0, 0, 0}));
}
