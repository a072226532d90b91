// The fake side of the system seam: everything in memory, driven by the tests.
// It holds the pointer and the button and Shift state, timers, scripted dialogs, menus and
// modal windows, an in-memory registry, and what was drawn.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "toolkit/Forms.h"
#include "toolkit/SystemPort.h"

class FakeSystem : public SystemPort {
 public:
  FakeSystem();
  ~FakeSystem() override;

  // ---- What the tests drive and inspect ----

  struct Window {
    TForm* Form = nullptr;
    TCreateParams Params;
    std::string Caption;
    bool Shown = false;
    bool Enabled = true;
    TRect Bounds;
    TRect Dirty;
  };
  struct Button {
    WindowId Parent = 0;
    int Id = 0;
    std::string Caption;
    TRect Bounds;
    bool Default = false;
  };
  struct SentMessage {
    WindowId Window = 0;
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
  };
  struct FontSpec {
    std::string Name;
    int Height = 0;
    bool Bold = false;
    bool Underline = false;
    TColor Color = 0;
  };
  struct DrawnText {
    const Surface* Target = nullptr;
    TRect Clip;
    TRect Box;
    std::string Text;
    FontSpec Font;
    TextLayout Layout;
  };
  struct PopupRecord {
    int X = 0;
    int Y = 0;
    WindowId Owner = 0;
    std::vector<MenuEntry> Items;
    std::string Chosen;  // the caption path chosen, empty when dismissed
  };
  struct Timer {
    unsigned Interval = 0;
    std::function<void()> OnTick;
    unsigned Elapsed = 0;  // time passed since it started or last fired
  };
  struct RegValue {
    enum Kind { String, Integer, Binary } Type = String;
    std::string Text;
    std::int32_t Number = 0;
  };

  const Window* WindowOf(const TForm& form) const;
  // The window that has the activation; 0 when the system gave it to another program.
  WindowId Active() const { return active_; }
  const std::map<WindowId, Button>& Buttons() const { return buttons_; }

  // Pointer, buttons and keys.
  void SetCursorPos(int x, int y) { cursor_ = TPoint{x, y}; }
  void SetKey(int virtualKey, bool down);
  void SetScreenSize(int width, int height) { screen_ = TSize{width, height}; }

  // The pointer sequences below (Press, Release, Click, DoubleClick, MovePointer,
  // DragCaption) are input: a disabled window takes none, as on the system, and each
  // refusal is counted. Deliver and HitTest hand over one message regardless.
  int RefusedInputs() const { return refusedInputs_; }
  // Delivers a message to the form the way the system would, through its Dispatch.
  std::intptr_t Deliver(TForm& form, unsigned msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  // WM_NCHITTEST at the current pointer position; returns the form's answer.
  std::intptr_t HitTest(TForm& form);
  // The system's sequence for a press and a release at a screen point: the hit test, then
  // the client button message when the answer was HTCLIENT (a press in the caption starts a drag).
  std::intptr_t Press(TForm& form, TPoint screen, TMouseButton button = mbLeft);
  void Release(TForm& form, TPoint screen, TMouseButton button = mbLeft);
  void Click(TForm& form, TPoint screen, TMouseButton button = mbLeft);
  // A double click as the system delivers it: when the first click opens a modal menu, the
  // second press only closes the menu and the window sees the button go up.
  void DoubleClick(TForm& form, TPoint screen);
  void MovePointer(TForm& form, TPoint screen);
  // Presses in the caption band and drags the window by the distance moved.
  bool DragCaption(TForm& form, TPoint from, TPoint to);
  void PressButton(const TButton& button);
  // A key typed into the form's window with Shift and Ctrl held as given: the key's
  // WM_KEYDOWN and WM_KEYUP, as the system sends them to the window with the keyboard. A window
  // that is hidden or disabled (under a modal window or dialog) gets nothing; returns whether
  // the form got the key.
  bool TypeKey(TForm& form, int virtualKey, TShiftState modifiers = 0);

  // Painting: sends WM_PAINT to every window with something to repaint.
  void PaintAll();
  // A client pixel of the form as last painted, as a TColor.
  TColor PixelAt(const TForm& form, int x, int y) const;
  const std::vector<DrawnText>& Texts() const { return texts_; }
  void ClearTexts() { texts_.clear(); }
  // Every rectangle invalidated since the last ClearInvalidations, per window.
  const std::vector<std::pair<WindowId, TRect>>& Invalidations() const { return invalidations_; }
  void ClearInvalidations() { invalidations_.clear(); }

  // Messages sent through SendWindowMessage, in order.
  const std::vector<SentMessage>& Sent() const { return sent_; }
  void ClearSent() { sent_.clear(); }

  // Timers.
  bool IsRunning(const TTimer& timer) const;
  unsigned IntervalOf(TimerId timer) const;
  // Fires a running timer once; false when it is not running.
  bool Fire(const TTimer& timer);
  bool FireTimer(TimerId timer);
  std::size_t RunningTimers() const { return timers_.size(); }
  // Lets every running timer run for the given time, one millisecond at a time; time
  // passed in several calls adds up.
  void PassTime(unsigned ms);

  // Menus: the next popup picks the item at this caption path ("Edit/Cut"), or is dismissed ("").
  void QueueMenuChoice(const std::string& captionPath) { menuChoices_.push_back(captionPath); }
  const std::vector<PopupRecord>& Popups() const { return popups_; }

  // Dialogs: the next file dialog confirms this name, or is cancelled (nullopt).
  void QueueFileDialog(std::optional<std::string> answer) { fileAnswers_.push_back(std::move(answer)); }
  const std::vector<FileDialogRequest>& FileDialogs() const { return fileRequests_; }
  void QueueColorDialog(std::optional<TColor> answer) { colorAnswers_.push_back(answer); }
  // The colour each colour dialog opened on.
  const std::vector<TColor>& ColorDialogs() const { return colorRequests_; }

  // Modal windows: the next modal loop runs this script instead of waiting for the user.
  // A script that leaves ModalResult at 0 ends the loop as the system close box does.
  void QueueModal(std::function<void(TForm&)> script) { modalScripts_.push_back(std::move(script)); }
  const std::vector<TForm*>& ModalForms() const { return modalForms_; }

  // Registry.
  void SeedString(TRegRoot root, const std::string& path, const std::string& name, const std::string& value);
  void SeedInteger(TRegRoot root, const std::string& path, const std::string& name, std::int32_t value);
  void SeedBinary(TRegRoot root, const std::string& path, const std::string& name);
  void SeedKey(TRegRoot root, const std::string& path);
  // Keys at and below this path cannot be opened for full access; an empty path denies the whole root.
  void DenyAccess(TRegRoot root, const std::string& path);
  // Keys at and below this path cannot be opened at all, not even for reading.
  void DenyReading(TRegRoot root, const std::string& path);
  bool HasKey(TRegRoot root, const std::string& path) const;
  std::optional<RegValue> ValueOf(TRegRoot root, const std::string& path, const std::string& name) const;
  int OpenRegistryKeys() const { return static_cast<int>(openKeys_.size()); }
  int RegistryWrites() const { return registryWrites_; }
  // Called at each successful value write, as it happens, with the value's name and text.
  void OnRegistryWrite(std::function<void(const std::string& name, const std::string& value)> observer) {
    registryObserver_ = std::move(observer);
  }

  // System.
  void SetPlatformId(int id) { platformId_ = id; }
  void SetResourceDir(const std::string& dir) { resourceDir_ = dir; }
  const std::vector<CursorId>& CursorsSet() const { return cursorsSet_; }
  const std::vector<std::string>& CursorResourcesLoaded() const { return cursorLoads_; }
  void SetShellResult(bool ok) { shellResult_ = ok; }
  // Every shell launch asked for, in order.
  const std::vector<ShellExecuteRequest>& ShellCalls() const { return shellCalls_; }
  void SetReplaceStatus(std::optional<ReplaceStatus> forced) { forcedReplace_ = forced; }
  bool HintVisible() const { return hintVisible_; }
  const std::string& HintText() const { return hintText_; }
  TPoint HintPos() const { return hintPos_; }
  bool QuitRequested() const { return quit_; }
  bool CaptureHeld() const { return capture_ != 0; }
  // The system takes the mouse capture away (another window, a menu, a task switch).
  void LoseCapture();

  // What a test did not script: a modal window, a file or colour dialog, a system message
  // box. Each one is reported to the observer (the test fixture fails the test) and answered
  // as its close box would.
  void OnUnscripted(std::function<void(const std::string& what)> observer) { unscriptedObserver_ = std::move(observer); }
  const std::vector<std::string>& Unscripted() const { return unscripted_; }
  // System message boxes shown (owner, caption, text); the next ones a test expects.
  struct MessageBoxRecord {
    WindowId Owner = 0;
    std::string Caption, Text;
  };
  const std::vector<MessageBoxRecord>& SystemMessageBoxes() const { return messageBoxes_; }
  void ExpectSystemMessageBox(int count = 1) { expectedMessageBoxes_ += count; }

  // What is alive now: off-screen surfaces (the system's bitmaps and device contexts),
  // windows (forms and buttons), running timers and open registry keys.
  int LiveSurfaces() const { return *liveSurfaces_; }
  int LiveWindows() const { return static_cast<int>(windows_.size() + buttons_.size()); }

  // ---- SystemPort ----
  WindowId CreateFormWindow(TForm& form, const TCreateParams& params) override;
  void DestroyFormWindow(WindowId window) override;
  void ShowFormWindow(WindowId window, bool visible) override;
  void SetWindowBounds(WindowId window, int x, int y, int width, int height) override;
  void SetWindowCaption(WindowId window, const std::string& caption) override;
  TSize FrameExtent(std::uint32_t style, std::uint32_t exStyle) override;
  TSize ScreenSize() override { return screen_; }
  void EnableWindow(WindowId window, bool enabled) override;
  WindowId ActiveWindow() override { return active_; }
  void SetMouseCapture(WindowId window) override;
  void ReleaseMouseCapture() override;
  WindowId CreateButton(WindowId parent, int id, const std::string& caption, const TRect& bounds, bool isDefault,
                        const TFont& font) override;
  void SetChildBounds(WindowId child, const TRect& bounds) override;
  std::unique_ptr<Surface> CreateSurface(int width, int height) override;
  void InvalidateRect(WindowId window, const TRect& rect) override;
  TRect BeginPaint(WindowId window) override;
  void EndPaint(WindowId window, Surface& surface, const TRect& rect) override {}
  void PaintText(Surface& surface, const TRect& clip, const TRect& box, const std::string& text, const TFont& font,
                const TextLayout& layout) override;
  void RunMessageLoop() override {}
  void QuitMessageLoop() override { quit_ = true; }
  void RunModalLoop(TForm& form) override;
  TPoint GetCursorPos() override { return cursor_; }
  short GetKeyState(int virtualKey) override;
  std::intptr_t SendWindowMessage(WindowId window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::intptr_t DefaultWindowProc(WindowId window, unsigned msg, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
  std::uint32_t TickCount() override { return now_; }
  unsigned DoubleClickTime() override { return 500; }
  TimerId StartTimer(unsigned intervalMs, std::function<void()> onTick) override;
  void StopTimer(TimerId timer) override { timers_.erase(timer); }
  int TrackPopupMenu(const std::vector<MenuEntry>& items, int x, int y, WindowId owner) override;
  bool RunFileDialog(const FileDialogRequest& request, WindowId owner, std::string& fileName) override;
  bool RunColorDialog(WindowId owner, TColor& color, std::uint32_t (&customColors)[16]) override;
  RegKeyId OpenRegistryKey(TRegRoot root, const std::string& path, bool create) override;
  RegKeyId OpenRegistryKeyReadOnly(TRegRoot root, const std::string& path) override;
  void CloseRegistryKey(RegKeyId key) override {
    openKeys_.erase(key);
    readOnlyKeys_.erase(key);
  }
  RegStatus RegReadString(RegKeyId key, const std::string& name, std::string& value) override;
  RegStatus RegReadInteger(RegKeyId key, const std::string& name, std::int32_t& value) override;
  bool RegWriteString(RegKeyId key, const std::string& name, const std::string& value) override;
  int PlatformId() override { return platformId_; }
  CursorId LoadCursorResource(const std::string& name) override;
  CursorId StandardCursor(TCursor cursor) override { return 0x1000 + static_cast<CursorId>(cursor + 100); }
  void SetCursor(CursorId cursor) override { cursorsSet_.push_back(cursor); }
  bool ShellOpen(const ShellExecuteRequest& request) override;
  std::vector<std::uint8_t> LoadBitmapResource(const std::string& name) override;
  ReplaceStatus ReplaceFileWith(const std::string& from, const std::string& to) override;
  void ShowSystemMessageBox(WindowId owner, const std::string& caption, const std::string& text) override;
  void ShowHintWindow(const TPoint& screenPos, const std::string& text, const TFont& font) override;
  void HideHintWindow() override { hintVisible_ = false; }

  static constexpr CursorId HandCursorId = 0x5001;
  static constexpr unsigned SecondClickGapMs = 120;  // between the two clicks of DoubleClick

 private:
  Window* Find(WindowId window);
  bool TakesInput(const TForm& form);
  std::intptr_t DeliverAnyway(TForm& form, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);
  void Unscripted(const std::string& what);
  void CaptureChanged(WindowId loser, WindowId gainer);
  static std::string KeyName(TRegRoot root, const std::string& path);
  static bool Denied(const std::set<std::string>& denied, const std::string& key);

  std::map<WindowId, Window> windows_;
  std::map<WindowId, Button> buttons_;
  WindowId nextWindow_ = 0x100;
  TPoint cursor_;
  std::uint32_t now_ = 1000;
  std::set<int> keysDown_;
  TSize screen_{1024, 768};
  WindowId capture_ = 0;
  TPoint secondPress_;
  bool secondPressPending_ = false;
  bool secondPressTaken_ = false;
  WindowId active_ = 0;
  int refusedInputs_ = 0;
  std::vector<std::string> unscripted_;
  std::function<void(const std::string&)> unscriptedObserver_;
  std::vector<MessageBoxRecord> messageBoxes_;
  int expectedMessageBoxes_ = 0;
  std::shared_ptr<int> liveSurfaces_ = std::make_shared<int>(0);
  bool quit_ = false;

  std::vector<DrawnText> texts_;
  std::vector<std::pair<WindowId, TRect>> invalidations_;
  std::vector<SentMessage> sent_;

  std::map<TimerId, Timer> timers_;
  TimerId nextTimer_ = 1;

  std::deque<std::string> menuChoices_;
  std::vector<PopupRecord> popups_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::vector<FileDialogRequest> fileRequests_;
  std::deque<std::optional<TColor>> colorAnswers_;
  std::vector<TColor> colorRequests_;
  std::deque<std::function<void(TForm&)>> modalScripts_;
  std::vector<TForm*> modalForms_;

  std::map<std::string, std::map<std::string, RegValue>> registry_;  // lower-case key name -> values
  std::set<std::string> denied_;
  std::set<std::string> unreadable_;
  std::map<RegKeyId, std::string> openKeys_;
  std::set<RegKeyId> readOnlyKeys_;
  RegKeyId nextKey_ = 1;
  int registryWrites_ = 0;
  std::function<void(const std::string&, const std::string&)> registryObserver_;

  int platformId_ = 2;
  std::string resourceDir_;
  std::vector<CursorId> cursorsSet_;
  std::vector<std::string> cursorLoads_;
  bool shellResult_ = true;
  std::vector<ShellExecuteRequest> shellCalls_;
  std::optional<ReplaceStatus> forcedReplace_;
  bool hintVisible_ = false;
  std::string hintText_;
  TPoint hintPos_;
};
