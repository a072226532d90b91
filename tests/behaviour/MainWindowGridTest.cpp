// The main window's grid of palette squares and the team-colour frame, as painted.
#include "Fixture.h"

namespace {

struct Placed {
  int index;
  int left;
  int top;
};

}  // namespace

TEST_F(ProgramTest, SquaresArePaintedWhiteWithBlackOutlinesInTheirPlaces) {
  Start();
  fake.PaintAll();
  for (const Placed& p : {Placed{0, 43, 109}, Placed{15, 283, 109}, Placed{160, 43, 274}, Placed{224, 43, 348},
                          Placed{255, 283, 364}}) {
    SCOPED_TRACE("square " + std::to_string(p.index));
    EXPECT_EQ(Sq(p.index)->BoundsRect(), Bounds(p.left, p.top, 15, 15));
    for (int d = 0; d < 15; ++d) {
      EXPECT_EQ(fake.PixelAt(*main, p.left + d, p.top), clBlack);
      EXPECT_EQ(fake.PixelAt(*main, p.left + d, p.top + 14), clBlack);
      EXPECT_EQ(fake.PixelAt(*main, p.left, p.top + d), clBlack);
      EXPECT_EQ(fake.PixelAt(*main, p.left + 14, p.top + d), clBlack);
    }
    EXPECT_EQ(fake.PixelAt(*main, p.left + 1, p.top + 1), clWhite);
    EXPECT_EQ(fake.PixelAt(*main, p.left + 13, p.top + 13), clWhite);
    EXPECT_EQ(fake.PixelAt(*main, p.left + 7, p.top + 7), clWhite);
    // Just outside: the gap between squares shows what lies below them.
    EXPECT_NE(fake.PixelAt(*main, p.left + 15, p.top + 7), clBlack);
    EXPECT_NE(fake.PixelAt(*main, p.left + 7, p.top + 15), clBlack);
  }
  for (int i = 0; i < 256; ++i) {
    SCOPED_TRACE("square " + std::to_string(i));
    EXPECT_EQ(Sq(i)->PalPosition, i);
    EXPECT_EQ(Sq(i)->Width, 15);
    EXPECT_EQ(Sq(i)->Height, 15);
    EXPECT_EQ(Sq(i)->Pen->Color, clBlack);
    EXPECT_EQ(Sq(i)->Brush->Color, clWhite);
    EXPECT_TRUE(Sq(i)->ShowHint);
    EXPECT_EQ(Sq(i)->Owner(), main);
    EXPECT_EQ(Sq(i)->Parent(), main);
  }
}

TEST_F(ProgramTest, RowTopsLeaveRoomForTheFrameLines) {
  Start();
  const int tops[16] = {109, 125, 141, 157, 173, 189, 205, 221, 237, 253, 274, 290, 311, 327, 348, 364};
  for (int r = 0; r < 16; ++r) {
    EXPECT_EQ(Sq(16 * r)->Top, tops[r]) << "row " << r;
    EXPECT_EQ(Sq(16 * r + 15)->Left, 283) << "row " << r;
  }
}

TEST_F(ProgramTest, TheTeamColourFrameIsFiveCyanRectsThatTouchNoSquare) {
  Start();
  fake.PaintAll();
  struct Part {
    const TShape* shape;
    TRect rect;
  };
  const Part parts[] = {{main->Shape259, Bounds(39, 270, 2, 75)},
                        {main->Shape260, Bounds(300, 270, 2, 75)},
                        {main->Shape256, Bounds(39, 270, 262, 2)},
                        {main->Shape257, Bounds(39, 307, 262, 2)},
                        {main->Shape258, Bounds(39, 344, 262, 2)}};
  for (const Part& part : parts) {
    SCOPED_TRACE(part.shape->Name);
    EXPECT_EQ(part.shape->BoundsRect(), part.rect);
    EXPECT_EQ(part.shape->Pen->Color, clAqua);
    EXPECT_EQ(part.shape->Brush->Color, clAqua);
    const TRect& r = part.rect;
    for (int x = r.Left; x < r.Right; ++x) {
      for (int y = r.Top; y < r.Bottom; ++y) ASSERT_EQ(fake.PixelAt(*main, x, y), clAqua) << x << "," << y;
    }
    for (int i = 0; i < 256; ++i) EXPECT_TRUE(Sq(i)->BoundsRect().Intersect(r).IsEmpty()) << "square " << i;
  }
  // Rows 14 and 15 lie below the frame, rows 10 to 13 inside it.
  EXPECT_GT(Sq(224)->Top, 345);
  EXPECT_GT(Sq(160)->Top, 271);
  EXPECT_LT(Sq(223)->Top + 15, 344);
}

TEST_F(ProgramTest, RecolouringASquareRepaintsOnlyThatSquare) {
  Start();
  fake.PaintAll();
  const WindowId window = main->Handle();
  const TRect square17 = Bounds(Sq(17)->Left, Sq(17)->Top, 15, 15);

  fake.ClearInvalidations();
  Sq(17)->Brush->Color = 0x123456;
  ASSERT_EQ(fake.Invalidations().size(), 1u);
  EXPECT_EQ(fake.Invalidations()[0].first, window);
  EXPECT_EQ(fake.Invalidations()[0].second, square17);

  fake.ClearInvalidations();
  ClickSquare(17);  // a click changes the pen
  ASSERT_EQ(fake.Invalidations().size(), 1u);
  EXPECT_EQ(fake.Invalidations()[0].second, square17);

  fake.PaintAll();
  EXPECT_EQ(fake.PixelAt(*main, Sq(17)->Left, Sq(17)->Top), clFuchsia);
  EXPECT_EQ(fake.PixelAt(*main, Sq(17)->Left + 5, Sq(17)->Top + 5), static_cast<TColor>(0x123456));
  EXPECT_EQ(fake.PixelAt(*main, Sq(18)->Left, Sq(18)->Top), clBlack);

  // Giving a square the colour it already has repaints nothing.
  fake.ClearInvalidations();
  Sq(17)->Brush->Color = 0x123456;
  EXPECT_TRUE(fake.Invalidations().empty());
}

TEST_F(ProgramTest, ChangingPalPositionNeitherMovesNorRepaintsASquare) {
  Start();
  fake.PaintAll();
  fake.ClearInvalidations();
  Sq(40)->PalPosition = 7;
  EXPECT_TRUE(fake.Invalidations().empty());
  EXPECT_EQ(Sq(40)->BoundsRect(), Bounds(43 + 16 * 8, 109 + 16 * 2, 15, 15));
}
