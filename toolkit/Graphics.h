// Fonts, pens, brushes, bitmaps and the canvas that paints into a window's surface.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Property.h"
#include "toolkit/SystemPort.h"
#include "toolkit/Types.h"

class TFont {
 public:
  explicit TFont(std::function<void()> changed = nullptr);
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  void Assign(const TFont& other);

  Property<std::string> Name;
  Property<int> Height;  // character height in pixels
  Property<bool> Bold;
  Property<bool> Underline;
  Property<TColor> Color;
};

class TPen {
 public:
  explicit TPen(std::function<void()> changed = nullptr) : Color(clBlack, changed), Width(1, changed) {}
  Property<TColor> Color;
  Property<int> Width;
};

class TBrush {
 public:
  explicit TBrush(std::function<void()> changed = nullptr) : Color(clWhite, changed) {}
  Property<TColor> Color;
};

// A picture held as 32-bit pixels (0x00RRGGBB, rows top-down), with the bit depth it was stored in.
class TBitmap {
 public:
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;
  std::vector<std::uint32_t> Pixels;

  bool Empty() const { return Width == 0 || Height == 0; }
  // Reads a device-independent bitmap: its info header, colour table and pixels.
  bool LoadFromDib(const std::uint8_t* data, std::size_t size);
  bool LoadFromResourceName(const std::string& name);
  std::uint32_t PixelAt(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

class TPicture {
 public:
  std::shared_ptr<const TBitmap> Bitmap;
  bool Empty() const { return !Bitmap || Bitmap->Empty(); }
  int Width() const { return Bitmap ? Bitmap->Width : 0; }
  int Height() const { return Bitmap ? Bitmap->Height : 0; }
  void Assign(const TPicture& other) { Bitmap = other.Bitmap; }
};

// Paints into part of a surface: coordinates are relative to `Origin`, and nothing
// outside `Clip` (in surface coordinates) is touched.
class TCanvas {
 public:
  TCanvas(Surface& surface, const TRect& clip, TPoint origin) : surface_(surface), clip_(clip), origin_(origin) {}
  void FillRect(const TRect& rect, TColor color);
  void FrameRect(const TRect& rect, TColor color);
  void Draw(int x, int y, const TBitmap& bitmap);
  void TextRect(const TRect& rect, const std::string& text, const TFont& font, const TextLayout& layout);

 private:
  TRect ToSurface(const TRect& r) const {
    return TRect{r.Left + origin_.x, r.Top + origin_.y, r.Right + origin_.x, r.Bottom + origin_.y};
  }
  Surface& surface_;
  TRect clip_;
  TPoint origin_;
};

// Pixel layout conversions between a TColor and a surface pixel.
inline std::uint32_t ColorToPixel(TColor c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline TColor PixelToColor(std::uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}
