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

#ifndef GetRValue
inline int GetRValue(TColor c) { return static_cast<int>(c & 0xFF); }
inline int GetGValue(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int GetBValue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
#endif

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

// System constants by their usual names. The system side includes the system headers
// first and then gets the same values from there.
#ifndef _WINUSER_
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_SETCURSOR = 0x0020;
constexpr unsigned WM_NCHITTEST = 0x0084;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;

constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;

constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;

constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;

constexpr std::uint32_t WS_POPUP = 0x80000000u;
constexpr std::uint32_t WS_CAPTION = 0x00C00000u;
constexpr std::uint32_t WS_BORDER = 0x00800000u;
constexpr std::uint32_t WS_DLGFRAME = 0x00400000u;
constexpr std::uint32_t WS_SYSMENU = 0x00080000u;
constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000u;
#endif

// Registry roots, as numbers; the system side turns them into its own handles.
using TRegRoot = std::uint32_t;
#ifndef HKEY_CLASSES_ROOT
constexpr TRegRoot HKEY_CLASSES_ROOT = 0x80000000u;
constexpr TRegRoot HKEY_CURRENT_USER = 0x80000001u;
constexpr TRegRoot HKEY_LOCAL_MACHINE = 0x80000002u;
#endif

// Lower and upper 16 bits of a message parameter, signed as the system's coordinates are.
inline int LParamX(std::intptr_t lp) { return static_cast<std::int16_t>(lp & 0xFFFF); }
inline int LParamY(std::intptr_t lp) { return static_cast<std::int16_t>((lp >> 16) & 0xFFFF); }
inline std::intptr_t PointToLParam(int x, int y) {
  return static_cast<std::intptr_t>(static_cast<std::uint32_t>((static_cast<std::uint16_t>(x)) |
                                                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16)));
}

std::string IntToStr(int value);
