// The Import Palette window: its layout, its own hit test with the click lock-out and Shift
// ranges, its context menu, the ways it closes, and what it keeps from one show to the next.
#include "ImportFixture.h"
#include "shell/Chrome.h"

namespace {

class ImportLayout : public ImportTest, public ::testing::WithParamInterface<int> {};

}  // namespace

TEST_P(ImportLayout, ShowPlacesTheWindowAndItsControlsForTheMainWindowsDpiMode) {
  const int dpi = GetParam();
  StartIn(dpi);
  Import(WriteRiff("layout.pal"), [&] {
    EXPECT_EQ(Form1->Width, 340);
    EXPECT_EQ(Form1->Height, 409);
    EXPECT_EQ(Form1->ClientWidth, 340);
    EXPECT_EQ(Form1->ClientHeight, 409);
    EXPECT_EQ(Form1->Label5->BoundsRect(), Bounds(110, 371, 31, 15));
    EXPECT_EQ(Form1->Label3->BoundsRect(), Bounds(190, 371, 51, 15));
    EXPECT_EQ(Form1->Label2->BoundsRect(), dpi == 2 ? Bounds(25, 52, 285, 47) : Bounds(36, 52, 264, 47));
    EXPECT_EQ(Form1->Label8->BoundsRect(), dpi == 2 ? Bounds(305, 12, 13, 29) : Bounds(307, 12, 13, 29));
    EXPECT_EQ(Form1->Label1->BoundsRect(), dpi == 2 ? Bounds(36, 18, 251, 22) : Bounds(36, 18, 261, 19));
    EXPECT_EQ(Form1->Image1->BoundsRect(), Bounds(0, 0, 340, 409));
    EXPECT_EQ(Form1->Image6->BoundsRect(), Bounds(16, 20, 16, 16));
    EXPECT_EQ(Form1->Shape261->BoundsRect(), Bounds(16, 41, 286, 1));
    ASSERT_FALSE(main->BackgroundPicture().Empty());
    EXPECT_EQ(Form1->Image1->Picture().Bitmap, main->BackgroundPicture().Bitmap);
    EXPECT_EQ(Form1->Label2->Caption(),
              "Select the palette squares you want to merge with your main palette then click OK.");
    EXPECT_EQ(Form1->Label5->Caption(), "OK");
    EXPECT_EQ(Form1->Label3->Caption(), "Cancel");
    EXPECT_EQ(Screen->Cursors[1], FakeSystem::HandCursorId);
    for (TControl* c : {static_cast<TControl*>(Form1->Label5), static_cast<TControl*>(Form1->Label3),
                        static_cast<TControl*>(Form1->Label8), static_cast<TControl*>(Form1->Image6)}) {
      EXPECT_EQ(c->Cursor, 1) << c->Name;
    }
    ClickCancel();
  });
}

INSTANTIATE_TEST_SUITE_P(DpiModes, ImportLayout, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) { return "DpiMode" + std::to_string(info.param); });

TEST_F(ImportTest, PressesDoNothingForTheFirst200MsOfEveryShow) {
  StartWithColours();
  Select({0});
  const std::string file = WriteRiff("lockout.pal");
  for (int show = 0; show < 2; ++show) {
    SCOPED_TRACE("show " + std::to_string(show + 1));
    fake.ClearSent();
    Import(file, [&] {
      ASSERT_FALSE(fake.Sent().empty());
      EXPECT_EQ(fake.Sent().back().Window, Form1->Handle());
      EXPECT_EQ(fake.Sent().back().Msg, WM_LBUTTONUP);
      EXPECT_EQ(fake.Sent().back().WParam, 0u);
      EXPECT_EQ(fake.Sent().back().LParam, 0);
      ASSERT_TRUE(fake.IsRunning(*Form1->Timer1));
      EXPECT_EQ(fake.IntervalOf(Form1->Timer1->Id()), 200u);

      const std::size_t popups = fake.Popups().size();
      fake.Click(*Form1, ImpAt(3));
      fake.Click(*Form1, ImpAt(4), mbRight);
      fake.PassTime(199);
      fake.Click(*Form1, ImpAt(3));
      EXPECT_TRUE(ImportedSelected().empty());
      EXPECT_EQ(fake.Popups().size(), popups);

      EXPECT_TRUE(Form1->Timer1->Enabled);
      fake.PassTime(1);
      EXPECT_FALSE(Form1->Timer1->Enabled);
      fake.Click(*Form1, ImpAt(3));
      EXPECT_EQ(ImportedSelected(), std::vector<int>{3});
      // Each handled press starts the lock-out again.
      fake.Click(*Form1, ImpAt(5));
      EXPECT_EQ(ImportedSelected(), std::vector<int>{3});
      ClickCancel();
    });
  }
}

TEST_F(ImportTest, OnlyTheInnerPixelsOfAnImportedSquareAreHit) {
  StartWithColours();
  Import(WriteRiff("edges.pal"), [&] {
    EndImportLockOut();
    const struct {
      int dx, dy;
      bool hit;
    } points[] = {{0, 7, false}, {7, 0, false}, {15, 7, false}, {7, 15, false}, {1, 1, true}, {14, 14, true}};
    for (const auto& p : points) {
      fake.Click(*Form1, ImpAt(20, p.dx, p.dy));
      EXPECT_EQ(ImportedSelected() == std::vector<int>{20}, p.hit) << "offset " << p.dx << "," << p.dy;
      EndImportLockOut();
      if (p.hit) RightClickImported(0, "Clear All Selections");
    }
    ClickCancel();
  });
}

TEST_F(ImportTest, ShiftClicksFillForwardFromTheAnchorWhichCarriesOverToTheNextShow) {
  StartWithColours();
  const std::string file = WriteRiff("ranges.pal");
  Import(file, [&] {
    EndImportLockOut();
    EXPECT_EQ(Form1->GetAnchorIndex(), 0);
    // The first click since start, with Shift: 1 to 9 take square 0's state, unselected.
    ClickImported(10, true);
    EXPECT_EQ(ImportedSelected(), (std::vector<int>{10}));
    ClickImported(20);
    ClickImported(25, true);
    EXPECT_EQ(ImportedSelected(), (std::vector<int>{10, 20, 21, 22, 23, 24, 25}));
    // Backwards from the anchor: only the clicked square toggles.
    ClickImported(22, true);
    EXPECT_EQ(ImportedSelected(), (std::vector<int>{10, 20, 21, 23, 24, 25}));
    // The anchor 22 is now unselected, so the range up to 26 is cleared.
    ClickImported(26, true);
    EXPECT_EQ(ImportedSelected(), (std::vector<int>{10, 20, 21, 26}));
    ClickCancel();
  });
  Import(file, [&] {
    EXPECT_EQ(Form1->GetAnchorIndex(), 26);
    EXPECT_TRUE(ImportedSelected().empty());
    EndImportLockOut();
    RightClickImported(0, "Select All");
    ClickImported(30, true);
    EXPECT_EQ(ImportedSelected().size(), 255u);
    EXPECT_EQ(Imp(30)->Pen->Color, clBlack);
    EXPECT_EQ(Form1->GetAnchorIndex(), 30);
    ClickCancel();
  });
}

TEST_F(ImportTest, ItsOwnMenuOpensOverASquareAtThePointerPlusOne) {
  StartWithColours();
  Import(WriteRiff("menu.pal"), [&] {
    EndImportLockOut();
    const TPoint p = ImpAt(50, 3, 9);
    fake.QueueMenuChoice("Select All");
    fake.Click(*Form1, p, mbRight);
    ASSERT_FALSE(fake.Popups().empty());
    const FakeSystem::PopupRecord& menu = fake.Popups().back();
    EXPECT_EQ(menu.X, p.x + 1);
    EXPECT_EQ(menu.Y, p.y + 1);
    EXPECT_EQ(menu.Owner, Form1->Handle());
    ASSERT_EQ(menu.Items.size(), 2u);
    EXPECT_EQ(menu.Items[0].Caption, "Select All");
    EXPECT_EQ(menu.Items[1].Caption, "Clear All Selections");
    EXPECT_TRUE(menu.Items[0].Enabled);
    EXPECT_TRUE(menu.Items[1].Enabled);
    EXPECT_EQ(ImportedSelected().size(), 256u);
    EXPECT_EQ(Imp(50)->Brush->Color, FileColour(50)) << "the menu changes pens only";
    EndImportLockOut();

    RightClickImported(255, "Clear All Selections");
    EXPECT_TRUE(ImportedSelected().empty());

    // Off the squares, and in the gap between two, no menu opens.
    const std::size_t popups = fake.Popups().size();
    fake.Click(*Form1, TPoint{Form1->Left + 20, Form1->Top + 200}, mbRight);
    EndImportLockOut();
    fake.Click(*Form1, ImpAt(5, 15, 7), mbRight);
    EndImportLockOut();
    EXPECT_EQ(fake.Popups().size(), popups);
    ClickCancel();
  });
}

namespace {

enum class CloseWay { Cancel, CloseMark, IconDoubleClick, IconMenuClose };

struct CloseCase {
  const char* Name;
  CloseWay Way;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.Name; }

class ImportClose : public ImportTest, public ::testing::WithParamInterface<CloseCase> {};

}  // namespace

TEST_P(ImportClose, ClosingWithoutOkChangesNothingInTheWorkingPalette) {
  StartWithColours();
  Select({3, 7, 170});
  const Snapshot before = Working();
  Import(WriteRiff("close.pal"), [&] {
    EndImportLockOut();
    ClickImported(0);
    ClickImported(1);
    switch (GetParam().Way) {
      case CloseWay::Cancel:
        ClickCancel();
        break;
      case CloseWay::CloseMark:
        fake.Click(*Form1, CentreOf(*Form1, *Form1->Label8));
        break;
      case CloseWay::IconDoubleClick:
        fake.DoubleClick(*Form1, CentreOf(*Form1, *Form1->Image6));
        break;
      case CloseWay::IconMenuClose: {
        fake.QueueMenuChoice("Close");
        fake.Click(*Form1, CentreOf(*Form1, *Form1->Image6));
        ASSERT_FALSE(fake.Popups().empty());
        EXPECT_EQ(fake.Popups().back().X, Form1->Left + 17);
        EXPECT_EQ(fake.Popups().back().Y, Form1->Top + 36);
        break;
      }
    }
    EXPECT_NE(Form1->ModalResult, mrNone) << "the window did not close";
  });
  EXPECT_TRUE(ImportWindowGone());
  EXPECT_TRUE(Working() == before);
}

INSTANTIATE_TEST_SUITE_P(Ways, ImportClose,
                         ::testing::Values(CloseCase{"Cancel", CloseWay::Cancel},
                                           CloseCase{"CloseMark", CloseWay::CloseMark},
                                           CloseCase{"IconDoubleClick", CloseWay::IconDoubleClick},
                                           CloseCase{"IconMenuClose", CloseWay::IconMenuClose}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.Name); });

TEST_F(ImportTest, ReopeningKeepsTheWindowsPlaceAndShowsTheSameColoursUnselected) {
  StartWithColours();
  const std::string file = WriteRiff("again.pal");
  const TSize screen = fake.ScreenSize();
  Import(file, [&] {
    EXPECT_EQ(Form1->Left, (screen.cx - 340) / 2);
    EXPECT_EQ(Form1->Top, (screen.cy - 409) / 2);
    EndImportLockOut();
    ClickImported(9);
    const TPoint from{Form1->Left + 100, Form1->Top + 10};
    ASSERT_TRUE(fake.DragCaption(*Form1, from, TPoint{from.x - 251, from.y + 123}));
    EXPECT_EQ(Form1->Left, (screen.cx - 340) / 2 - 251);
    EXPECT_EQ(Form1->Top, (screen.cy - 409) / 2 + 123);
    // The squares are hit where the window now is.
    ClickImported(77);
    EXPECT_EQ(ImportedSelected(), (std::vector<int>{9, 77}));
    ClickCancel();
  });
  Import(file, [&] {
    EXPECT_EQ(Form1->Left, (screen.cx - 340) / 2 - 251);
    EXPECT_EQ(Form1->Top, (screen.cy - 409) / 2 + 123);
    for (int i = 0; i < 256; ++i) {
      EXPECT_EQ(Imp(i)->Brush->Color, FileColour(i)) << i;
      EXPECT_EQ(Imp(i)->Pen->Color, clBlack) << i;
    }
    ClickCancel();
  });
}

TEST_F(ImportTest, LinksAreGreyWhilePressedAndActOnlyOnAReleaseOverThem) {
  StartWithColours();
  Select({3});
  const Snapshot before = Working();
  Import(WriteRiff("links.pal"), [&] {
    const TPoint away{Form1->Left + 20, Form1->Top + 395};
    for (TLabel* link : {Form1->Label5, Form1->Label3, Form1->Label8}) {
      ASSERT_EQ(link->Font->Color, LinkColor) << link->Name;
      fake.Press(*Form1, CentreOf(*Form1, *link));
      EXPECT_EQ(link->Font->Color, clGray) << link->Name;
      fake.Release(*Form1, away);
      EXPECT_EQ(link->Font->Color, LinkColor) << link->Name;
      EXPECT_EQ(Form1->ModalResult, mrNone) << link->Name << " acted on a release elsewhere";
    }
    EXPECT_TRUE(Form1->Visible);
    ClickCancel();
  });
  EXPECT_TRUE(Working() == before);
}
