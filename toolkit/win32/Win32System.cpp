// The real side of the system seam, over Win32. The class lives in this file alone; the
// program reaches it through CreateWin32System.
#include "toolkit/win32/Win32Side.h"

#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "toolkit/Forms.h"
#include "toolkit/SystemPort.h"

// The toolkit's value of each system constant, taken before the system headers turn the
// same names into macros; they are checked against the headers below.
#define SYSTEM_CONSTANT(type, name, value) constexpr type Toolkit_##name = name;
#include "toolkit/SystemConstants.def"
#undef SYSTEM_CONSTANT
constexpr TRegRoot Toolkit_HKEY_CLASSES_ROOT = HKEY_CLASSES_ROOT;
constexpr TRegRoot Toolkit_HKEY_CURRENT_USER = HKEY_CURRENT_USER;
constexpr TRegRoot Toolkit_HKEY_LOCAL_MACHINE = HKEY_LOCAL_MACHINE;

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#define SYSTEM_CONSTANT(type, name, value)                                                   \
  static_assert(static_cast<long long>(Toolkit_##name) == static_cast<long long>(name), \
                "the toolkit's " #name " differs from the system's");
#include "toolkit/SystemConstants.def"
#undef SYSTEM_CONSTANT

namespace {

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
  WindowId ActiveWindow() override;
  void SetMouseCapture(WindowId window) override;
  void ReleaseMouseCapture() override;
  WindowId CreateButton(WindowId parent, int id, const std::string& caption, const TRect& bounds, bool isDefault,
                        const TFont& font) override;
  void SetChildBounds(WindowId child, const TRect& bounds) override;
  std::unique_ptr<Surface> CreateSurface(int width, int height) override;
  void InvalidateRect(WindowId window, const TRect& rect) override;
  TRect BeginPaint(WindowId window) override;
  void EndPaint(WindowId window, Surface& surface, const TRect& rect) override;
  void PaintText(Surface& surface, const TRect& clip, const TRect& box, const std::string& text, const TFont& font,
                const TextLayout& layout) override;
  void RunMessageLoop() override;
  void QuitMessageLoop() override;
  void RunModalLoop(TForm& form) override;
  TPoint GetCursorPos() override;
  short GetKeyState(int virtualKey) override;
  std::intptr_t SendWindowMessage(WindowId window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::intptr_t DefaultWindowProc(WindowId window, unsigned msg, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
  std::uint32_t TickCount() override { return GetTickCount(); }
  unsigned DoubleClickTime() override { return GetDoubleClickTime(); }
  TimerId StartTimer(unsigned intervalMs, std::function<void()> onTick) override;
  void StopTimer(TimerId timer) override;
  int TrackPopupMenu(const std::vector<MenuEntry>& items, int x, int y, WindowId owner) override;
  bool RunFileDialog(const FileDialogRequest& request, WindowId owner, std::string& fileName) override;
  bool RunColorDialog(WindowId owner, TColor& color, std::uint32_t (&customColors)[16]) override;
  RegKeyId OpenRegistryKey(TRegRoot root, const std::string& path, bool create) override;
  RegKeyId OpenRegistryKeyReadOnly(TRegRoot root, const std::string& path) override;
  void CloseRegistryKey(RegKeyId key) override;
  RegStatus RegReadString(RegKeyId key, const std::string& name, std::string& value) override;
  RegStatus RegReadInteger(RegKeyId key, const std::string& name, std::int32_t& value) override;
  bool RegWriteString(RegKeyId key, const std::string& name, const std::string& value) override;
  int PlatformId() override;
  CursorId LoadCursorResource(const std::string& name) override;
  CursorId StandardCursor(TCursor cursor) override;
  void SetCursor(CursorId cursor) override;
  bool ShellOpen(const ShellExecuteRequest& request) override;
  std::vector<std::uint8_t> LoadBitmapResource(const std::string& name) override;
  ReplaceStatus ReplaceFileWith(const std::string& from, const std::string& to) override;
  void ShowSystemMessageBox(WindowId owner, const std::string& caption, const std::string& text) override;
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


const char* const FormClassName = "TintmeshForm";
const char* const HintClassName = "TintmeshHint";

Win32System* self = nullptr;
TForm* creating = nullptr;  // the form whose window is being created, until WM_NCCREATE links it

HWND H(WindowId w) { return reinterpret_cast<HWND>(w); }
WindowId W(HWND h) { return reinterpret_cast<WindowId>(h); }
RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

TForm* FormOf(HWND window) { return reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

class Win32Surface : public Surface {
 public:
  Win32Surface(int width, int height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ && bits) {
      old_ = SelectObject(dc_, bitmap_);
      Pixels = static_cast<std::uint32_t*>(bits);
      Width = width;
      Height = height;
    }
  }
  ~Win32Surface() override {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

HMENU BuildMenu(const std::vector<MenuEntry>& items) {
  HMENU menu = CreatePopupMenu();
  for (const MenuEntry& entry : items) {
    if (entry.Separator) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = entry.Enabled ? MF_ENABLED : MF_GRAYED;
    if (!entry.Children.empty()) {
      AppendMenuA(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(BuildMenu(entry.Children)),
                  entry.Caption.c_str());
    } else {
      AppendMenuA(menu, MF_STRING | state, static_cast<UINT_PTR>(entry.Id), entry.Caption.c_str());
    }
  }
  return menu;
}

// Under Wine the pointer is grabbed for a popup menu and for the press on a window. When that
// window goes away before the button is released (a press outside an open menu ends the menu, a
// double click in a file list ends the file dialog), Wine drops the release that follows: the
// system then reports the button down, to GetKeyState and GetAsyncKeyState alike, until that
// button is next released, and every hit test over a square would take it for a fresh press.
// Windows delivers that release. Under Wine only, a button the system still reports down once a
// menu or a system dialog has returned is released here, as the user's hand has released it or
// is about to: the press that ended the menu still reaches its window and is followed by this
// release, so it acts as the one click it was. A real release that arrives later as well finds
// the button already up and changes nothing.
bool RunningOnWine() {
  static const bool wine = [] {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

void ReleaseButtonsLeftDown() {
  if (!RunningOnWine()) return;
  const struct {
    int key;
    DWORD release;
  } buttons[] = {{VK_LBUTTON, MOUSEEVENTF_LEFTUP}, {VK_RBUTTON, MOUSEEVENTF_RIGHTUP}, {VK_MBUTTON, MOUSEEVENTF_MIDDLEUP}};
  for (const auto& button : buttons) {
    if (GetAsyncKeyState(button.key) >= 0) continue;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = button.release;
    SendInput(1, &input, sizeof(input));
  }
}

}  // namespace

Win32System::Win32System(HINSTANCE instance) : instance_(instance) {
  self = this;
  WNDCLASSA formClass{};
  formClass.style = CS_DBLCLKS;
  formClass.lpfnWndProc = FormProc;
  formClass.hInstance = instance_;
  formClass.hIcon = LoadIconA(instance_, "MAINICON");
  formClass.lpszClassName = FormClassName;
  RegisterClassA(&formClass);

  WNDCLASSA hintClass{};
  hintClass.style = CS_SAVEBITS;
  hintClass.lpfnWndProc = HintProc;
  hintClass.hInstance = instance_;
  hintClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  hintClass.lpszClassName = HintClassName;
  RegisterClassA(&hintClass);
}

Win32System::~Win32System() {
  for (auto& [id, callback] : timers_) KillTimer(nullptr, id);
  if (hint_) DestroyWindow(hint_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  if (hintFont_) DeleteObject(hintFont_);
  self = nullptr;
}

LRESULT CALLBACK Win32System::FormProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (creating && !FormOf(window)) {
    // The first message of a new window (which may come before WM_NCCREATE) links it to its form.
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    creating->SystemAttached(W(window));
    creating = nullptr;
  }
  TForm* form = FormOf(window);
  if (!form) return DefWindowProcA(window, msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      return DefWindowProcA(window, msg, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;  // every paint covers its whole area from the off-screen picture
    case WM_WINDOWPOSCHANGED: {
      RECT r;
      GetWindowRect(window, &r);
      POINT origin{0, 0};
      ClientToScreen(window, &origin);
      form->SystemMoved(r.left, r.top, r.right - r.left, r.bottom - r.top, origin.x, origin.y);
      break;
    }
    default:
      break;
  }
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  form->DispatchFromSystem(message);
  return message.Result;
}

WindowId Win32System::CreateFormWindow(TForm& form, const TCreateParams& params) {
  creating = &form;
  DWORD exStyle = params.ExStyle;
  if (params.AppWindow) exStyle |= WS_EX_APPWINDOW;
  HWND window = CreateWindowExA(exStyle, FormClassName, params.Caption.c_str(), params.Style & ~WS_VISIBLE, params.X,
                                params.Y, params.Width, params.Height, H(params.Owner), nullptr, instance_, nullptr);
  creating = nullptr;
  return W(window);
}

void Win32System::DestroyFormWindow(WindowId window) {
  if (!window) return;
  SetWindowLongPtrA(H(window), GWLP_USERDATA, 0);
  DestroyWindow(H(window));
}

void Win32System::ShowFormWindow(WindowId window, bool visible) {
  if (!window) return;
  if (visible) {
    ShowWindow(H(window), SW_SHOW);
    SetForegroundWindow(H(window));
    if (HWND child = GetWindow(H(window), GW_CHILD)) SetFocus(child);
    UpdateWindow(H(window));
  } else {
    ShowWindow(H(window), SW_HIDE);
  }
}

void Win32System::SetWindowBounds(WindowId window, int x, int y, int width, int height) {
  SetWindowPos(H(window), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32System::SetWindowCaption(WindowId window, const std::string& caption) {
  SetWindowTextA(H(window), caption.c_str());
}

TSize Win32System::FrameExtent(std::uint32_t style, std::uint32_t exStyle) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return TSize{r.right - r.left, r.bottom - r.top};
}

TSize Win32System::ScreenSize() { return TSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void Win32System::EnableWindow(WindowId window, bool enabled) { ::EnableWindow(H(window), enabled ? TRUE : FALSE); }

WindowId Win32System::ActiveWindow() { return W(GetActiveWindow()); }

void Win32System::SetMouseCapture(WindowId window) { SetCapture(H(window)); }

void Win32System::ReleaseMouseCapture() { ReleaseCapture(); }

HFONT Win32System::FontFor(const TFont& font) {
  const auto key = std::make_tuple(font.Name(), font.Height(), font.Bold(), font.Underline());
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  HFONT handle = CreateFontA(-font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, font.Underline ? TRUE : FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, font.Name().c_str());
  fonts_[key] = handle;
  return handle;
}

WindowId Win32System::CreateButton(WindowId parent, int id, const std::string& caption, const TRect& bounds,
                                   bool isDefault, const TFont& font) {
  HWND button = CreateWindowExA(0, "BUTTON", caption.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                                bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), H(parent),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(font)), FALSE);
  return W(button);
}

void Win32System::SetChildBounds(WindowId child, const TRect& bounds) {
  MoveWindow(H(child), bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), TRUE);
}

std::unique_ptr<Surface> Win32System::CreateSurface(int width, int height) {
  return std::make_unique<Win32Surface>(width, height);
}

void Win32System::InvalidateRect(WindowId window, const TRect& rect) {
  // A hidden window is painted whole when it is shown, so marking parts of it changes
  // nothing; and under Wine each mark is a round trip to the server, which building the
  // main window's 256 squares before its first show would make some 1300 times.
  if (!IsWindowVisible(H(window))) return;
  const RECT r = ToRECT(rect);
  ::InvalidateRect(H(window), &r, FALSE);
}

TRect Win32System::BeginPaint(WindowId window) {
  PAINTSTRUCT& ps = painting_[H(window)];
  ::BeginPaint(H(window), &ps);
  return TRect{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom};
}

void Win32System::EndPaint(WindowId window, Surface& surface, const TRect& rect) {
  auto it = painting_.find(H(window));
  if (it == painting_.end()) return;
  if (!rect.IsEmpty() && surface.Pixels) {
    BitBlt(it->second.hdc, rect.Left, rect.Top, rect.Width(), rect.Height(), static_cast<Win32Surface&>(surface).Dc(),
           rect.Left, rect.Top, SRCCOPY);
  }
  ::EndPaint(H(window), &it->second);
  painting_.erase(it);
}

void Win32System::PaintText(Surface& surface, const TRect& clip, const TRect& box, const std::string& text,
                           const TFont& font, const TextLayout& layout) {
  HDC dc = static_cast<Win32Surface&>(surface).Dc();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
  SelectObject(dc, FontFor(font));
  SetTextColor(dc, static_cast<COLORREF>(font.Color()));
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_NOPREFIX | DT_EXPANDTABS;
  if (layout.WordWrap) format |= DT_WORDBREAK;
  if (layout.Alignment == taCenter) format |= DT_CENTER;
  if (layout.Alignment == taRightJustify) format |= DT_RIGHT;
  RECT r = ToRECT(box);
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  RestoreDC(dc, saved);
  GdiFlush();  // the toolkit writes into the same pixels directly
}

void Win32System::RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Win32System::QuitMessageLoop() { PostQuitMessage(0); }

void Win32System::RunModalLoop(TForm& form) {
  HWND window = H(form.Handle());
  MSG msg;
  while (form.ModalResult == mrNone) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for the outer loop
      break;
    }
    // Enter presses the default button, Tab moves between buttons.
    if (window && IsDialogMessageA(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

TPoint Win32System::GetCursorPos() {
  POINT p{0, 0};
  ::GetCursorPos(&p);
  return TPoint{p.x, p.y};
}

short Win32System::GetKeyState(int virtualKey) { return ::GetKeyState(virtualKey); }

std::intptr_t Win32System::SendWindowMessage(WindowId window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
  return ::SendMessageA(H(window), msg, wParam, lParam);
}

std::intptr_t Win32System::DefaultWindowProc(WindowId window, unsigned msg, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
  if (msg == WM_COMMAND && (wParam & 0xFFFF) == IDOK && lParam == 0) {
    // Enter in a window with a default button: the dialog manager asks for IDOK.
    HWND child = GetWindow(H(window), GW_CHILD);
    for (; child; child = GetWindow(child, GW_HWNDNEXT)) {
      if ((GetWindowLongA(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) {
        return ::SendMessageA(H(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                              reinterpret_cast<LPARAM>(child));
      }
    }
    return 0;
  }
  return DefWindowProcA(H(window), msg, wParam, lParam);
}

void CALLBACK Win32System::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (!self) return;
  auto it = self->timers_.find(id);
  if (it == self->timers_.end()) return;
  std::function<void()> tick = it->second;  // the tick may stop its own timer
  RunGuarded(tick);
}

TimerId Win32System::StartTimer(unsigned intervalMs, std::function<void()> onTick) {
  const UINT_PTR id = SetTimer(nullptr, 0, intervalMs, TimerProc);
  if (id) timers_[id] = std::move(onTick);
  return id;
}

void Win32System::StopTimer(TimerId timer) {
  if (!timer) return;
  KillTimer(nullptr, timer);
  timers_.erase(timer);
}

int Win32System::TrackPopupMenu(const std::vector<MenuEntry>& items, int x, int y, WindowId owner) {
  HMENU menu = BuildMenu(items);
  HWND ownerWindow = H(owner);
  SetForegroundWindow(ownerWindow);
  const int chosen = static_cast<int>(::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD |
                                                                 TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         x, y, 0, ownerWindow, nullptr));
  PostMessageA(ownerWindow, WM_NULL, 0, 0);
  DestroyMenu(menu);
  ReleaseButtonsLeftDown();
  return chosen;
}

bool Win32System::RunFileDialog(const FileDialogRequest& request, WindowId owner, std::string& fileName) {
  std::string filter = request.Filter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  filter.push_back('\0');
  std::vector<char> buffer(4096, '\0');
  std::strncpy(buffer.data(), request.FileName.c_str(), buffer.size() - 1);

  // The structure as Windows 95/98 and NT 4.0 know it: they refuse the longer one of
  // later systems, which every later system still accepts.
  OPENFILENAMEA ofn{};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // 76 bytes in the 32-bit program
  ofn.hwndOwner = H(owner);
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = request.InitialDir.empty() ? nullptr : request.InitialDir.c_str();
  ofn.lpstrTitle = request.Title.empty() ? nullptr : request.Title.c_str();
  ofn.lpstrDefExt = request.DefaultExt.empty() ? nullptr : request.DefaultExt.c_str();
  ofn.Flags = OFN_EXPLORER;
  if (request.OverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (request.HideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (request.PathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (request.FileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  const BOOL ok = request.Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  ReleaseButtonsLeftDown();
  if (!ok) return false;
  fileName = buffer.data();
  return true;
}

bool Win32System::RunColorDialog(WindowId owner, TColor& color, std::uint32_t (&customColors)[16]) {
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) custom[i] = customColors[i];
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = H(owner);
  cc.rgbResult = color;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  const BOOL ok = ChooseColorA(&cc);
  ReleaseButtonsLeftDown();
  for (int i = 0; i < 16; ++i) customColors[i] = custom[i];
  if (!ok) return false;
  color = cc.rgbResult & 0xFFFFFF;
  return true;
}

// The system's handle of one of the toolkit's registry roots; null for any other number.
static HKEY RootHandle(TRegRoot root) {
  switch (root) {
    case Toolkit_HKEY_CLASSES_ROOT: return HKEY_CLASSES_ROOT;
    case Toolkit_HKEY_CURRENT_USER: return HKEY_CURRENT_USER;
    case Toolkit_HKEY_LOCAL_MACHINE: return HKEY_LOCAL_MACHINE;
    default: return nullptr;
  }
}

RegKeyId Win32System::OpenRegistryKey(TRegRoot root, const std::string& path, bool create) {
  const HKEY base = RootHandle(root);
  if (!base) return 0;
  HKEY key = nullptr;
  LONG result;
  if (create) {
    result = RegCreateKeyExA(base, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  } else {
    result = RegOpenKeyExA(base, path.c_str(), 0, KEY_ALL_ACCESS, &key);
  }
  return result == ERROR_SUCCESS ? reinterpret_cast<RegKeyId>(key) : 0;
}

RegKeyId Win32System::OpenRegistryKeyReadOnly(TRegRoot root, const std::string& path) {
  const HKEY base = RootHandle(root);
  if (!base) return 0;
  HKEY key = nullptr;
  const LONG result = RegOpenKeyExA(base, path.c_str(), 0, KEY_READ, &key);
  return result == ERROR_SUCCESS ? reinterpret_cast<RegKeyId>(key) : 0;
}

void Win32System::CloseRegistryKey(RegKeyId key) {
  if (key) ::RegCloseKey(reinterpret_cast<HKEY>(key));
}

RegStatus Win32System::RegReadString(RegKeyId key, const std::string& name, std::string& value) {
  DWORD type = 0;
  DWORD size = 0;
  LONG result = RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &type, nullptr, &size);
  if (result == ERROR_FILE_NOT_FOUND) return RegStatus::Missing;
  if (result != ERROR_SUCCESS) return RegStatus::Failed;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return RegStatus::WrongType;
  std::vector<char> data(size + 1, '\0');
  result = RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(data.data()), &size);
  if (result != ERROR_SUCCESS) return RegStatus::Failed;
  value.assign(data.data());
  return RegStatus::Ok;
}

RegStatus Win32System::RegReadInteger(RegKeyId key, const std::string& name, std::int32_t& value) {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  const LONG result = RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&data), &size);
  if (result == ERROR_FILE_NOT_FOUND) return RegStatus::Missing;
  if (result == ERROR_MORE_DATA) return RegStatus::WrongType;
  if (result != ERROR_SUCCESS) return RegStatus::Failed;
  if (type != REG_DWORD) return RegStatus::WrongType;
  value = static_cast<std::int32_t>(data);
  return RegStatus::Ok;
}

bool Win32System::RegWriteString(RegKeyId key, const std::string& name, const std::string& value) {
  return RegSetValueExA(reinterpret_cast<HKEY>(key), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1)) ==
         ERROR_SUCCESS;
}

int Win32System::PlatformId() {
  if (platformId_ < 0) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);  // 148 bytes
    platformId_ = GetVersionExA(&info) ? static_cast<int>(info.dwPlatformId) : 0;
  }
  return platformId_;
}

CursorId Win32System::LoadCursorResource(const std::string& name) {
  return reinterpret_cast<CursorId>(LoadCursorA(instance_, name.c_str()));
}

CursorId Win32System::StandardCursor(TCursor cursor) {
  LPCSTR id = IDC_ARROW;
  if (cursor == crHourGlass) id = IDC_WAIT;
  return reinterpret_cast<CursorId>(LoadCursorA(nullptr, id));
}

void Win32System::SetCursor(CursorId cursor) { ::SetCursor(reinterpret_cast<HCURSOR>(cursor)); }

bool Win32System::ShellOpen(const ShellExecuteRequest& request) {
  SHELLEXECUTEINFOA info;
  ZeroMemory(&info, sizeof(info));
  info.cbSize = sizeof(info);
  info.fMask = request.Mask;
  info.hwnd = H(request.Owner);
  info.lpVerb = request.Verb.c_str();
  info.lpFile = request.File.c_str();
  info.lpParameters = request.Parameters.c_str();
  info.lpDirectory = request.Directory.c_str();
  info.nShow = request.Show;
  return ShellExecuteExA(&info) != FALSE;
}

#ifndef _WIN64
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the 32-bit shell launch structure is 60 bytes");
#endif

std::vector<std::uint8_t> Win32System::LoadBitmapResource(const std::string& name) {
  HRSRC found = FindResourceA(instance_, name.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(instance_, found);
  const DWORD size = SizeofResource(instance_, found);
  const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (!data || size == 0) return {};
  return std::vector<std::uint8_t>(data, data + size);
}

ReplaceStatus Win32System::ReplaceFileWith(const std::string& from, const std::string& to) {
  // The Windows 9x family has no atomic replace.
  if (PlatformId() == VER_PLATFORM_WIN32_WINDOWS) return ReplaceStatus::Unsupported;
  // A read-only file is never replaced. Windows refuses the move itself; Wine run by an
  // administrator would replace the file, so the attribute is looked at first.
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return ReplaceStatus::Failed;
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return ReplaceStatus::Replaced;
  }
  return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? ReplaceStatus::Unsupported : ReplaceStatus::Failed;
}

void Win32System::ShowSystemMessageBox(WindowId owner, const std::string& caption, const std::string& text) {
  MessageBoxA(H(owner), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK Win32System::HintProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT && self) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    HBRUSH back = CreateSolidBrush(GetSysColor(COLOR_INFOBK));
    FillRect(dc, &r, back);
    DeleteObject(back);
    HGDIOBJ old = SelectObject(dc, self->hintFont_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&r, -3, -1);
    ::DrawTextA(dc, self->hintText_.c_str(), -1, &r, DT_NOPREFIX | DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    ::EndPaint(window, &ps);
    return 0;
  }
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcA(window, msg, wParam, lParam);
}

void Win32System::ShowHintWindow(const TPoint& screenPos, const std::string& text, const TFont&) {
  if (!hintFont_) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
      hintFont_ = CreateFontIndirectA(&metrics.lfStatusFont);
    } else {
      hintFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
  }
  if (!hint_) {
    hint_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, HintClassName, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                            nullptr, nullptr, instance_, nullptr);
  }
  hintText_ = text;
  // The hint window's text is its hint, as for any window, so tools that read window texts see it.
  SetWindowTextA(hint_, text.c_str());
  HDC dc = GetDC(hint_);
  HGDIOBJ old = SelectObject(dc, hintFont_);
  RECT r{0, 0, 0, 0};
  ::DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(hint_, dc);
  SetWindowPos(hint_, HWND_TOPMOST, screenPos.x, screenPos.y, r.right + 8, r.bottom + 4,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(hint_, nullptr, TRUE);
}

void Win32System::HideHintWindow() {
  if (hint_) ShowWindow(hint_, SW_HIDE);
}

std::unique_ptr<SystemPort> CreateWin32System(void* instance) {
  return std::make_unique<Win32System>(static_cast<HINSTANCE>(instance));
}
