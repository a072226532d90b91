// The real side of the system seam, over Win32.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "toolkit/Forms.h"
#include "toolkit/SystemPort.h"

class Win32System : public SystemPort {
 public:
  explicit Win32System(HINSTANCE instance);
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  WindowId CreateFormWindow(TForm& form, const TCreateParams& params) override;
  void DestroyFormWindow(WindowId window) override;
  void ShowFormWindow(WindowId window, bool visible) override;
  void SetWindowBounds(WindowId window, int x, int y, int width, int height) override;
  void SetWindowCaption(WindowId window, const std::string& caption) override;
  TSize FrameExtent(std::uint32_t style, std::uint32_t exStyle) override;
  TSize ScreenSize() override;
  void EnableWindow(WindowId window, bool enabled) override;
  void SetMouseCapture(WindowId window) override;
  void ReleaseMouseCapture() override;
  WindowId CreateButton(WindowId parent, int id, const std::string& caption, const TRect& bounds, bool isDefault,
                        const TFont& font) override;
  void SetChildBounds(WindowId child, const TRect& bounds) override;
  std::unique_ptr<Surface> CreateSurface(int width, int height) override;
  void InvalidateRect(WindowId window, const TRect& rect) override;
  TRect BeginPaint(WindowId window) override;
  void EndPaint(WindowId window, Surface& surface, const TRect& rect) override;
  void DrawText(Surface& surface, const TRect& clip, const TRect& box, const std::string& text, const TFont& font,
                const TextLayout& layout) override;
  void RunMessageLoop() override;
  void QuitMessageLoop() override;
  void RunModalLoop(TForm& form) override;
  TPoint GetCursorPos() override;
  short GetKeyState(int virtualKey) override;
  std::intptr_t SendMessage(WindowId window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::intptr_t DefaultWindowProc(WindowId window, unsigned msg, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
  std::uint32_t TickCount() override { return GetTickCount(); }
  unsigned DoubleClickTime() override { return GetDoubleClickTime(); }
  TimerId StartTimer(unsigned intervalMs, std::function<void()> onTick) override;
  void StopTimer(TimerId timer) override;
  int TrackPopupMenu(const std::vector<MenuEntry>& items, int x, int y, WindowId owner) override;
  bool RunFileDialog(const FileDialogRequest& request, WindowId owner, std::string& fileName) override;
  bool RunColorDialog(WindowId owner, TColor& color, std::uint32_t (&customColors)[16]) override;
  RegKeyId RegOpenKey(TRegRoot root, const std::string& path, bool create) override;
  RegKeyId RegOpenKeyReadOnly(TRegRoot root, const std::string& path) override;
  void RegCloseKey(RegKeyId key) override;
  RegStatus RegReadString(RegKeyId key, const std::string& name, std::string& value) override;
  RegStatus RegReadInteger(RegKeyId key, const std::string& name, std::int32_t& value) override;
  bool RegWriteString(RegKeyId key, const std::string& name, const std::string& value) override;
  int PlatformId() override;
  CursorId LoadCursorResource(const std::string& name) override;
  CursorId StandardCursor(TCursor cursor) override;
  void SetCursor(CursorId cursor) override;
  bool ShellOpen(const ShellExecuteRequest& request) override;
  std::vector<std::uint8_t> LoadBitmapResource(const std::string& name) override;
  ReplaceStatus ReplaceFile(const std::string& from, const std::string& to) override;
  void ShowHintWindow(const TPoint& screenPos, const std::string& text, const TFont& font) override;
  void HideHintWindow() override;

 private:
  static LRESULT CALLBACK FormProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK HintProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static void CALLBACK TimerProc(HWND window, UINT msg, UINT_PTR id, DWORD time);
  HFONT FontFor(const TFont& font);

  HINSTANCE instance_;
  std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts_;
  std::map<HWND, PAINTSTRUCT> painting_;
  std::map<UINT_PTR, std::function<void()>> timers_;
  HWND hint_ = nullptr;
  std::string hintText_;
  HFONT hintFont_ = nullptr;
  int platformId_ = -1;
};
