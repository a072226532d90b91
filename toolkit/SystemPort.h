// The one seam between the toolkit and the operating system. Everything the windows
// need from the system goes through this interface: the real side talks to Win32,
// the fake side keeps it all in memory for the behaviour tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Types.h"

class TForm;
class TFont;

using WindowId = std::uintptr_t;  // 0: no window
using TimerId = std::uintptr_t;   // 0: no timer
using CursorId = std::uintptr_t;  // 0: no cursor
using RegKeyId = std::uintptr_t;  // 0: no key

// An off-screen picture of a window's client area: 32-bit pixels 0x00RRGGBB, rows top-down.
class Surface {
 public:
  virtual ~Surface() = default;
  std::uint32_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
};

struct TCreateParams {
  std::string Caption;
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;
  WindowId Owner = 0;   // the window this one stays above; 0 for the main window
  bool AppWindow = false;  // has the program's task-bar button
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

struct TextLayout {
  TAlignment Alignment = taLeftJustify;
  bool WordWrap = false;
};

// One entry of a menu as the system is asked to show it.
struct MenuEntry {
  int Id = 0;  // the command reported when chosen; 0 for separators and submenus
  std::string Caption;
  bool Enabled = true;
  bool Separator = false;
  std::vector<MenuEntry> Children;  // a submenu when not empty
};

struct FileDialogRequest {
  bool Save = false;
  std::string Title;
  std::string Filter;  // "Description|mask|Description|mask"
  std::string DefaultExt;
  std::string InitialDir;
  std::string FileName;
  bool OverwritePrompt = false;
  bool HideReadOnly = false;
  bool PathMustExist = false;
  bool FileMustExist = false;
};

enum class RegStatus { Ok, Missing, WrongType, Failed };

// A shell launch, field for field as the system's SHELLEXECUTEINFO takes it; every other
// field of that structure is zero. Empty strings are passed as empty strings, never as null.
struct ShellExecuteRequest {
  std::uint32_t Mask = 0;
  WindowId Owner = 0;
  std::string Verb;
  std::string File;
  std::string Parameters;
  std::string Directory;
  int Show = 0;
};

enum class ReplaceStatus { Replaced, Failed, Unsupported };

class SystemPort {
 public:
  virtual ~SystemPort() = default;

  // Windows.
  virtual WindowId CreateFormWindow(TForm& form, const TCreateParams& params) = 0;
  virtual void DestroyFormWindow(WindowId window) = 0;
  virtual void ShowFormWindow(WindowId window, bool visible) = 0;
  virtual void SetWindowBounds(WindowId window, int x, int y, int width, int height) = 0;
  virtual void SetWindowCaption(WindowId window, const std::string& caption) = 0;
  // How much larger the outer window is than its client area, for a given style.
  virtual TSize FrameExtent(std::uint32_t style, std::uint32_t exStyle) = 0;
  virtual TSize ScreenSize() = 0;
  virtual void EnableWindow(WindowId window, bool enabled) = 0;
  // The window that has the keyboard focus's activation, 0 when another program has it.
  virtual WindowId ActiveWindow() = 0;
  virtual void SetMouseCapture(WindowId window) = 0;
  virtual void ReleaseMouseCapture() = 0;

  // A push button, the only control that is a window of its own.
  virtual WindowId CreateButton(WindowId parent, int id, const std::string& caption, const TRect& bounds,
                                bool isDefault, const TFont& font) = 0;
  virtual void SetChildBounds(WindowId child, const TRect& bounds) = 0;

  // Painting: the toolkit draws into an off-screen surface and the system copies it out.
  virtual std::unique_ptr<Surface> CreateSurface(int width, int height) = 0;
  virtual void InvalidateRect(WindowId window, const TRect& rect) = 0;
  virtual TRect BeginPaint(WindowId window) = 0;
  virtual void EndPaint(WindowId window, Surface& surface, const TRect& rect) = 0;
  virtual void PaintText(Surface& surface, const TRect& clip, const TRect& box, const std::string& text,
                        const TFont& font, const TextLayout& layout) = 0;

  // Message loops. RunModalLoop returns once the form's ModalResult is set.
  virtual void RunMessageLoop() = 0;
  virtual void QuitMessageLoop() = 0;
  virtual void RunModalLoop(TForm& form) = 0;

  // Input.
  virtual TPoint GetCursorPos() = 0;
  virtual short GetKeyState(int virtualKey) = 0;
  virtual std::intptr_t SendWindowMessage(WindowId window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // The system's own handling of a message the form leaves alone.
  virtual std::intptr_t DefaultWindowProc(WindowId window, unsigned msg, std::uintptr_t wParam,
                                          std::intptr_t lParam) = 0;

  // Time.
  virtual std::uint32_t TickCount() = 0;     // milliseconds, wrapping
  virtual unsigned DoubleClickTime() = 0;    // the longest gap between the clicks of a double click
  virtual TimerId StartTimer(unsigned intervalMs, std::function<void()> onTick) = 0;
  virtual void StopTimer(TimerId timer) = 0;

  // Menus: shows a popup at a screen point and returns the chosen entry's id, 0 when dismissed.
  virtual int TrackPopupMenu(const std::vector<MenuEntry>& items, int x, int y, WindowId owner) = 0;

  // Dialogs: true when confirmed, with the result written back.
  virtual bool RunFileDialog(const FileDialogRequest& request, WindowId owner, std::string& fileName) = 0;
  virtual bool RunColorDialog(WindowId owner, TColor& color, std::uint32_t (&customColors)[16]) = 0;

  // Registry: keys are opened for full access.
  virtual RegKeyId OpenRegistryKey(TRegRoot root, const std::string& path, bool create) = 0;
  // Opens an existing key for reading only, for lookups in keys the program never writes.
  virtual RegKeyId OpenRegistryKeyReadOnly(TRegRoot root, const std::string& path) = 0;
  virtual void CloseRegistryKey(RegKeyId key) = 0;
  virtual RegStatus RegReadString(RegKeyId key, const std::string& name, std::string& value) = 0;
  virtual RegStatus RegReadInteger(RegKeyId key, const std::string& name, std::int32_t& value) = 0;
  virtual bool RegWriteString(RegKeyId key, const std::string& name, const std::string& value) = 0;

  // System.
  virtual int PlatformId() = 0;  // 1: Windows 9x family, 2: NT family
  virtual CursorId LoadCursorResource(const std::string& name) = 0;
  virtual CursorId StandardCursor(TCursor cursor) = 0;
  virtual void SetCursor(CursorId cursor) = 0;
  // Starts a program or opens a document through the shell; false when the shell reports failure.
  virtual bool ShellOpen(const ShellExecuteRequest& request) = 0;
  // A bitmap resource of the program, as the bytes of a device-independent bitmap
  // (its info header, colour table and pixels); empty when there is none.
  virtual std::vector<std::uint8_t> LoadBitmapResource(const std::string& name) = 0;
  // Moves a finished file over its target in one step.
  virtual ReplaceStatus ReplaceFileWith(const std::string& from, const std::string& to) = 0;

  // The system's own message box with an OK button, modal over its owner.
  virtual void ShowSystemMessageBox(WindowId owner, const std::string& caption, const std::string& text) = 0;

  // The small hint window that appears when the pointer rests on a control.
  virtual void ShowHintWindow(const TPoint& screenPos, const std::string& text, const TFont& font) = 0;
  virtual void HideHintWindow() = 0;
};

SystemPort& Sys();
void InstallSystemPort(SystemPort* port);
