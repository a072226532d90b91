// Pictures stored as 8-bit run-length encoded bitmaps (BI_RLE8), as the artwork script
// writes them when that is smaller: what they decode to, and what is refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "toolkit/Graphics.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A BITMAPINFOHEADER DIB of `width` x `height` (negative: top-down) with the colour
// table index i -> 0x0000ii and the given pixel bytes.
Bytes Dib(int width, int height, std::uint32_t compression, const Bytes& pixels) {
  Bytes d;
  auto le = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) d.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  le(40, 4), le(static_cast<std::uint32_t>(width), 4), le(static_cast<std::uint32_t>(height), 4);
  le(1, 2), le(8, 2), le(compression, 4), le(static_cast<std::uint32_t>(pixels.size()), 4);
  le(0, 4), le(0, 4), le(256, 4), le(0, 4);
  for (int i = 0; i < 256; ++i) le(static_cast<std::uint32_t>(i), 4);  // blue = i
  d.insert(d.end(), pixels.begin(), pixels.end());
  return d;
}

std::vector<std::uint32_t> Pixels(const TBitmap& b) { return b.Pixels; }

TEST(Rle8Bitmap, DecodesRunsAbsoluteRunsDeltasAndLineEnds) {
  // 5 x 3, bottom-up. Bottom row: a run of 3 x 7, then the absolute run 1, 2 (a pair
  // each, too short for an absolute run). Middle row: the absolute run 4 5 6 (padded to
  // an even length) and an early end of line. Top row: a delta of 2 to the right, a run.
  const Bytes rle = {3, 7, 1, 1, 1, 2, 0, 0,
                     0, 3, 4, 5, 6, 0, 0, 0,
                     0, 2, 2, 0, 3, 9, 0, 1};
  const Bytes d = Dib(5, 3, 1, rle);
  TBitmap b;
  ASSERT_TRUE(b.LoadFromDib(d.data(), d.size()));
  ASSERT_EQ(b.Width, 5);
  ASSERT_EQ(b.Height, 3);
  const std::vector<std::uint32_t> expected = {0, 0, 9, 9, 9,   // top row
                                               4, 5, 6, 0, 0,   // middle row, its end skipped
                                               7, 7, 7, 1, 2};  // bottom row
  EXPECT_EQ(Pixels(b), expected);
}

TEST(Rle8Bitmap, GivesTheSamePixelsAsThePlainForm) {
  const Bytes plain = {1, 2, 3, 3, 3, 3, 0, 0,   // bottom row, padded to 8 bytes
                       8, 8, 8, 8, 8, 8, 0, 0};
  const Bytes rle = {0, 3, 1, 2, 3, 0, 3, 3, 0, 0, 6, 8, 0, 1};
  TBitmap a, b;
  const Bytes da = Dib(6, 2, 0, plain), db = Dib(6, 2, 1, rle);
  ASSERT_TRUE(a.LoadFromDib(da.data(), da.size()));
  ASSERT_TRUE(b.LoadFromDib(db.data(), db.size()));
  EXPECT_EQ(Pixels(a), Pixels(b));
}

TEST(Rle8Bitmap, RefusesDataThatIsCutShortOrRunsPastTheBitmap) {
  const struct {
    const char* name;
    int height;
    Bytes rle;
  } cases[] = {
      {"a run past the row's end", 2, {5, 1, 0, 0, 4, 1, 0, 1}},
      {"an absolute run past the row's end", 2, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}},
      {"an absolute run cut short", 2, {0, 4, 1, 2}},
      {"rows past the top", 1, {4, 1, 0, 0, 4, 1, 0, 1}},
      {"a delta past the top", 2, {0, 2, 0, 3, 0, 1}},
      {"no end-of-bitmap mark", 2, {4, 1, 0, 0, 4, 1, 0, 0}},
      {"a top-down bitmap, which cannot be run-length encoded", -2, {4, 1, 0, 0, 4, 1, 0, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes d = Dib(4, c.height, 1, c.rle);
    TBitmap b;
    EXPECT_FALSE(b.LoadFromDib(d.data(), d.size()));
  }
}

}  // namespace
