#include "toolkit/Graphics.h"

#include <algorithm>
#include <cstring>
#include <vector>

TRect TRect::Intersect(const TRect& o) const {
  TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
  if (r.IsEmpty()) return TRect{};
  return r;
}

TRect TRect::Union(const TRect& o) const {
  if (IsEmpty()) return o;
  if (o.IsEmpty()) return *this;
  return TRect{std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right), std::max(Bottom, o.Bottom)};
}

std::string IntToStr(int value) { return std::to_string(value); }

TFont::TFont(std::function<void()> changed)
    : Name("Arial", changed), Height(11, changed), Bold(false, changed), Underline(false, changed),
      Color(clBlack, changed) {}

void TFont::Assign(const TFont& other) {
  Name = other.Name();
  Height = other.Height();
  Bold = other.Bold();
  Underline = other.Underline();
  Color = other.Color();
}

namespace {

std::uint32_t ReadLE(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;

// Expands BI_RLE8 pixels into plain rows of `width` indices, bottom row first. Pixels that
// a delta or an early end of line skips stay 0. False when the data is cut short or runs
// past a row or past the bitmap.
bool ExpandRle8(const std::uint8_t* p, std::size_t size, int width, int height, std::vector<std::uint8_t>& out) {
  out.assign(static_cast<std::size_t>(width) * height, 0);
  std::size_t at = 0;
  int x = 0, y = 0;
  while (at + 2 <= size) {
    const int count = p[at], value = p[at + 1];
    at += 2;
    if (count > 0) {  // a run of one index
      if (y >= height || x + count > width) return false;
      std::memset(&out[static_cast<std::size_t>(y) * width + x], value, count);
      x += count;
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // delta: move right and up
      if (at + 2 > size) return false;
      x += p[at];
      y += p[at + 1];
      at += 2;
      if (x > width || y > height) return false;
    } else {  // an absolute run of `value` indices, padded to an even length
      if (at + value > size || y >= height || x + value > width) return false;
      std::memcpy(&out[static_cast<std::size_t>(y) * width + x], p + at, value);
      x += value;
      at += value + (value & 1);
    }
  }
  return false;  // no end-of-bitmap mark
}

}  // namespace

bool TBitmap::LoadFromDib(const std::uint8_t* data, std::size_t size) {
  if (size < 40) return false;
  const std::uint32_t headerSize = ReadLE(data, 4);
  if (headerSize < 40 || headerSize > size) return false;
  const std::int32_t width = static_cast<std::int32_t>(ReadLE(data + 4, 4));
  const std::int32_t rawHeight = static_cast<std::int32_t>(ReadLE(data + 8, 4));
  const int bpp = static_cast<int>(ReadLE(data + 14, 2));
  const std::uint32_t compression = ReadLE(data + 16, 4);
  std::uint32_t colorsUsed = ReadLE(data + 32, 4);
  if (width <= 0 || rawHeight == 0 || width > 16384 || rawHeight > 16384 || rawHeight < -16384) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  const bool rle8 = compression == kBiRle8 && bpp == 8 && rawHeight > 0;
  if (compression != kBiRgb && !rle8) return false;
  const bool bottomUp = rawHeight > 0;
  const int height = bottomUp ? rawHeight : -rawHeight;

  std::size_t offset = headerSize;
  std::vector<std::uint32_t> table;
  if (bpp <= 8) {
    if (colorsUsed == 0 || colorsUsed > (1u << bpp)) colorsUsed = 1u << bpp;
    if (offset + colorsUsed * 4 > size) return false;
    for (std::uint32_t i = 0; i < colorsUsed; ++i) {
      const std::uint8_t* q = data + offset + i * 4;  // blue, green, red, reserved
      table.push_back((static_cast<std::uint32_t>(q[2]) << 16) | (q[1] << 8) | q[0]);
    }
    offset += colorsUsed * 4;
  }
  std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  const std::uint8_t* bits = data + offset;
  std::vector<std::uint8_t> expanded;
  if (rle8) {
    if (!ExpandRle8(bits, size - offset, width, height, expanded)) return false;
    bits = expanded.data();
    stride = static_cast<std::size_t>(width);
  } else if (offset + stride * height > size) {
    return false;
  }

  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* src = bits + stride * (bottomUp ? height - 1 - row : row);
    std::uint32_t* dst = &pixels[static_cast<std::size_t>(row) * width];
    for (int x = 0; x < width; ++x) {
      std::uint32_t index = 0;
      switch (bpp) {
        case 1: index = (src[x / 8] >> (7 - x % 8)) & 1; break;
        case 4: index = (src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF; break;
        case 8: index = src[x]; break;
        case 24: dst[x] = (static_cast<std::uint32_t>(src[x * 3 + 2]) << 16) | (src[x * 3 + 1] << 8) | src[x * 3]; continue;
        case 32: dst[x] = (static_cast<std::uint32_t>(src[x * 4 + 2]) << 16) | (src[x * 4 + 1] << 8) | src[x * 4]; continue;
      }
      dst[x] = index < table.size() ? table[index] : 0;
    }
  }
  Width = width;
  Height = height;
  BitsPerPixel = bpp;
  Pixels = std::move(pixels);
  return true;
}

bool TBitmap::LoadFromResourceName(const std::string& name) {
  const std::vector<std::uint8_t> dib = Sys().LoadBitmapResource(name);
  return !dib.empty() && LoadFromDib(dib.data(), dib.size());
}

void TCanvas::FillRect(const TRect& rect, TColor color) {
  const TRect r = ToSurface(rect).Intersect(clip_).Intersect(TRect{0, 0, surface_.Width, surface_.Height});
  if (r.IsEmpty()) return;
  const std::uint32_t pixel = ColorToPixel(color);
  for (int y = r.Top; y < r.Bottom; ++y) {
    std::uint32_t* row = surface_.Pixels + static_cast<std::size_t>(y) * surface_.Width;
    std::fill(row + r.Left, row + r.Right, pixel);
  }
}

void TCanvas::FrameRect(const TRect& rect, TColor color) {
  FillRect(TRect{rect.Left, rect.Top, rect.Right, rect.Top + 1}, color);
  FillRect(TRect{rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, color);
  FillRect(TRect{rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, color);
  FillRect(TRect{rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, color);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  const TRect target = ToSurface(Bounds(x, y, bitmap.Width, bitmap.Height));
  const TRect r = target.Intersect(clip_).Intersect(TRect{0, 0, surface_.Width, surface_.Height});
  if (r.IsEmpty()) return;
  for (int row = r.Top; row < r.Bottom; ++row) {
    const std::uint32_t* src = &bitmap.Pixels[static_cast<std::size_t>(row - target.Top) * bitmap.Width];
    std::uint32_t* dst = surface_.Pixels + static_cast<std::size_t>(row) * surface_.Width;
    std::memcpy(dst + r.Left, src + (r.Left - target.Left), sizeof(std::uint32_t) * (r.Right - r.Left));
  }
}

void TCanvas::TextRect(const TRect& rect, const std::string& text, const TFont& font, const TextLayout& layout) {
  if (text.empty()) return;
  const TRect box = ToSurface(rect);
  const TRect clip = box.Intersect(clip_);
  if (clip.IsEmpty()) return;
  Sys().PaintText(surface_, clip, box, text, font, layout);
}
