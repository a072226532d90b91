// Forms, the application object and the screen.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Controls.h"

struct TMessage {
  unsigned Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
// A key went down: its virtual-key code, which the handler sets to 0 when it has used the key.
using TKeyEvent = std::function<void(TObject* sender, unsigned short& key, TShiftState shift)>;

class TForm : public TComponent {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  Property<std::string> Caption;
  Property<int> Left;
  Property<int> Top;
  Property<int> Width;   // outer size
  Property<int> Height;
  Property<int> ClientWidth;
  Property<int> ClientHeight;
  Property<bool> Visible;  // setting it shows or hides the form
  TFormBorderStyle BorderStyle = bsSingle;
  TPosition Position = poDesigned;
  TColor Color = clBtnFace;
  TFont* Font;
  TModalResult ModalResult = mrNone;
  TNotifyEvent OnShow;
  TCloseEvent OnClose;
  TKeyEvent OnKeyDown;

  void Show();
  void Hide();
  TModalResult ShowModal();
  void Close();
  bool IsModal() const { return modal_; }
  WindowId Handle() const { return window_; }

  // Creates the system window; the application calls it once the form object is complete.
  void CreateHandle();
  virtual void CreateParams(TCreateParams& params);
  // Every message to the form arrives here; the default passes it to DefaultHandler.
  virtual void Dispatch(TMessage& message);
  void DefaultHandler(TMessage& message);
  // Where the system hands the form a message: an exception that escapes a handler is
  // reported and the program goes on.
  void DispatchFromSystem(TMessage& message);

  void InvalidateRect(const TRect& rect);
  const std::vector<TControl*>& Controls() const { return controls_; }
  // The topmost visible control at a client point, or none.
  TControl* ControlAt(int x, int y) const;
  TPoint ScreenToClient(const TPoint& p) const { return TPoint{p.x - clientOrigin_.x, p.y - clientOrigin_.y}; }
  // The system reports where the window now is (dragged by the user, for instance).
  void SystemMoved(int left, int top, int width, int height, int clientLeft, int clientTop);
  // The system names the form's window as soon as it exists, before its first message.
  void SystemAttached(WindowId window) { window_ = window; }
  const Surface* Buffer() const { return buffer_.get(); }

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void OuterChanged();
  void ClientChanged();
  void ApplyBounds();
  TSize FrameSize();
  void Paint();
  void RouteMouse(TMessage& message);
  void KeyDown(TMessage& message);
  void SetCursorForPointer(TMessage& message);
  void DoClose();
  void CommandFromChild(TMessage& message);
  void CaptureLost(TMessage& message);

  WindowId window_ = 0;
  std::vector<TControl*> controls_;
  std::unique_ptr<Surface> buffer_;
  TControl* captured_ = nullptr;
  std::uintptr_t pressed_ = 0;  // the buttons (MK_ bits) pressed on the captured control
  bool suppressClick_ = false;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool inVisibleChange_ = false;
  TPoint clientOrigin_;
  TFont font_;
};

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  void Initialize() {}
  std::string Title;
  TForm* MainForm = nullptr;
  bool Terminated = false;

  template <class T>
  void CreateForm(T*& reference) {
    reference = new T(this);
    AddForm(reference);
  }
  // Shows the main form and runs the message loop until it closes.
  void Run();
  void Terminate();
  // Reports an exception that escaped an event handler in a system message box owned by the
  // active window; the program goes on.
  void ShowException(const std::string& message);
  const std::vector<TForm*>& Forms() const { return forms_; }

  // The hint window: the form reports which control the pointer moves over.
  void HintMouseMove(TForm& form, TControl* control);
  void CancelHint();
  TControl* HintControl() const { return hintControl_; }
  void ForgetControl(TControl* control);
  void ForgetForm(TForm* form);

  static constexpr unsigned HintPollMs = 50;
  static constexpr unsigned HintPauseMs = 500;
  static constexpr unsigned HintHideMs = 5000;

 private:
  void AddForm(TForm* form);
  void HintTick();
  std::vector<TForm*> forms_;
  TForm* hintForm_ = nullptr;
  TControl* hintControl_ = nullptr;
  TimerId hintTimer_ = 0;
  unsigned hintElapsed_ = 0;
  bool hintShown_ = false;
};

class TScreen {
 public:
  TScreen();
  std::map<int, CursorId> Cursors;  // the program's own cursors by index
  Property<TCursor> Cursor;         // overrides every control's cursor while not crDefault
  CursorId CursorHandle(TCursor cursor);
  int Width() { return Sys().ScreenSize().cx; }
  int Height() { return Sys().ScreenSize().cy; }
};

extern TApplication* Application;

// For a catch block where the system called the toolkit: reports the exception being handled.
void ReportEscapedException();
// Deletes a component once the message being dispatched has been handled, so that a handler
// still on the stack (its own, or a caller's further up) never uses it freed; a control leaves
// its form at once. With no dispatch under way it is deleted at once.
void DeleteAfterDispatch(TComponent* component);
// Runs a handler the system calls into (a timer, a callback), reporting what escapes it.
void RunGuarded(const std::function<void()>& handler);
extern TScreen* Screen;
