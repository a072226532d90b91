// Basic value types shared by the toolkit and the program: colours, points, rectangles,
// message numbers and the other system constants the windows' code uses by name.
#pragma once

#include <cstdint>
#include <string>

using TColor = std::uint32_t;  // 0x00BBGGRR: red in the lowest byte

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = 0xF0F0F0;
constexpr TColor clInfoBk = 0xE1FFFF;
constexpr TColor clWindowText = 0x000000;

inline int GetRValue(TColor c) { return static_cast<int>(c & 0xFF); }
inline int GetGValue(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int GetBValue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint& a, const TPoint& b) { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(const TPoint& a, const TPoint& b) { return !(a == b); }
};

struct TSize {
  int cx = 0;
  int cy = 0;
};

// Left/top inclusive, right/bottom exclusive, as the system's rectangles.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  TRect Intersect(const TRect& o) const;
  TRect Union(const TRect& o) const;
  friend bool operator==(const TRect& a, const TRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
  friend bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }
};

inline TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state of a mouse or key event, as a set of bits.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHourGlass = -11;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;

enum TFormBorderStyle { bsNone, bsSingle };
enum TPosition { poDesigned, poScreenCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// System constants by their usual names, one definition each. The system headers define the
// same names as macros, so no toolkit header may come after them in a source file.
#if defined(_WINDOWS_) || defined(_WINUSER_)
#error "include the toolkit's headers before the system's"
#endif
#define SYSTEM_CONSTANT(type, name, value) constexpr type name = value;
#include "toolkit/SystemConstants.def"
#undef SYSTEM_CONSTANT

// Registry roots, as the toolkit's own numbers; the system side maps them to its handles.
using TRegRoot = std::uint32_t;
constexpr TRegRoot HKEY_CLASSES_ROOT = 0x80000000u;
constexpr TRegRoot HKEY_CURRENT_USER = 0x80000001u;
constexpr TRegRoot HKEY_LOCAL_MACHINE = 0x80000002u;

// Lower and upper 16 bits of a message parameter, signed as the system's coordinates are.
inline int LParamX(std::intptr_t lp) { return static_cast<std::int16_t>(lp & 0xFFFF); }
inline int LParamY(std::intptr_t lp) { return static_cast<std::int16_t>((lp >> 16) & 0xFFFF); }
inline std::intptr_t PointToLParam(int x, int y) {
  return static_cast<std::intptr_t>(static_cast<std::uint32_t>((static_cast<std::uint16_t>(x)) |
                                                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16)));
}

std::string IntToStr(int value);
