#include "toolkit/Forms.h"

#include <algorithm>

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

int dispatchDepth = 0;  // calls from the system into the toolkit now on the stack
std::vector<TComponent*> doomed;

void DeleteDoomed() {
  while (!doomed.empty()) {
    std::vector<TComponent*> now;
    now.swap(doomed);
    for (TComponent* component : now) delete component;
  }
}

// Counts one call from the system; the last one to return deletes what waited for it.
class FromSystem {
 public:
  FromSystem() { ++dispatchDepth; }
  ~FromSystem() {
    if (--dispatchDepth == 0) DeleteDoomed();
  }
};

}  // namespace

void DeleteAfterDispatch(TComponent* component) {
  if (!component) return;
  if (dispatchDepth == 0) {
    delete component;
    return;
  }
  if (auto* control = dynamic_cast<TControl*>(component)) control->SetParent(nullptr);
  doomed.push_back(component);
}

TForm::TForm(TComponent* owner)
    : TComponent(owner),
      Caption("", [this] {
        if (window_) Sys().SetWindowCaption(window_, Caption);
      }),
      Left(0, [this] { OuterChanged(); }),
      Top(0, [this] { OuterChanged(); }),
      Width(320, [this] { OuterChanged(); }),
      Height(240, [this] { OuterChanged(); }),
      ClientWidth(320, [this] { ClientChanged(); }),
      ClientHeight(240, [this] { ClientChanged(); }),
      Visible(false, [this] {
        if (inVisibleChange_) return;
        const bool wanted = Visible;
        Visible.Assign(!wanted);
        if (wanted) Show(); else Hide();
      }),
      Font(&font_),
      font_(nullptr) {}

TForm::~TForm() {
  if (Application) Application->ForgetForm(this);
  // The controls are owned components; they must not reach back into a half-gone form.
  for (TControl* control : controls_) control->SetParentUnchecked(nullptr);
  controls_.clear();
  if (window_) Sys().DestroyFormWindow(window_);
}

void TForm::CreateHandle() {
  if (window_) return;
  TCreateParams params;
  CreateParams(params);
  window_ = Sys().CreateFormWindow(*this, params);
  for (TControl* control : controls_) {
    if (control->IsWindowed()) control->CreateWindowFor(window_);
  }
  ApplyBounds();
}

void TForm::CreateParams(TCreateParams& params) {
  params.Caption = Caption;
  params.Style = BorderStyle == bsNone ? WS_POPUP : (WS_CAPTION | WS_SYSMENU);
  params.Style |= WS_CLIPCHILDREN;
  params.X = Left;
  params.Y = Top;
  params.Width = Width;
  params.Height = Height;
  if (Application && Application->MainForm && Application->MainForm != this) {
    params.Owner = Application->MainForm->Handle();
  } else {
    params.AppWindow = true;
  }
}

TSize TForm::FrameSize() {
  TCreateParams params;
  CreateParams(params);
  return Sys().FrameExtent(params.Style, params.ExStyle);
}

void TForm::OuterChanged() {
  const TSize frame = FrameSize();
  ClientWidth.Assign(Width - frame.cx);
  ClientHeight.Assign(Height - frame.cy);
  ApplyBounds();
}

void TForm::ClientChanged() {
  const TSize frame = FrameSize();
  Width.Assign(ClientWidth + frame.cx);
  Height.Assign(ClientHeight + frame.cy);
  ApplyBounds();
}

void TForm::ApplyBounds() {
  if (!window_) return;
  Sys().SetWindowBounds(window_, Left, Top, Width, Height);
  if (!buffer_ || buffer_->Width != ClientWidth || buffer_->Height != ClientHeight) {
    buffer_.reset();
    if (ClientWidth > 0 && ClientHeight > 0) buffer_ = Sys().CreateSurface(ClientWidth, ClientHeight);
    InvalidateRect(TRect{0, 0, ClientWidth, ClientHeight});
  }
}

void TForm::SystemMoved(int left, int top, int width, int height, int clientLeft, int clientTop) {
  Left.Assign(left);
  Top.Assign(top);
  Width.Assign(width);
  Height.Assign(height);
  const TSize frame = FrameSize();
  ClientWidth.Assign(width - frame.cx);
  ClientHeight.Assign(height - frame.cy);
  clientOrigin_ = TPoint{clientLeft, clientTop};
}

void TForm::Show() {
  if (Visible) return;
  inVisibleChange_ = true;
  Visible = true;
  inVisibleChange_ = false;
  if (OnShow) OnShow(this);
  if (!Visible) return;  // the show handler may have hidden the form again
  if (Position == poScreenCenter && !shownOnce_) {
    const TSize screen = Sys().ScreenSize();
    Left.Assign((screen.cx - Width) / 2);
    Top.Assign((screen.cy - Height) / 2);
    ApplyBounds();
  }
  shownOnce_ = true;
  InvalidateRect(TRect{0, 0, ClientWidth, ClientHeight});
  Sys().ShowFormWindow(window_, true);
}

void TForm::Hide() {
  if (!Visible) return;
  inVisibleChange_ = true;
  Visible = false;
  inVisibleChange_ = false;
  if (captured_) {
    captured_ = nullptr;
    pressed_ = 0;
    Sys().ReleaseMouseCapture();
  }
  if (Application) Application->ForgetForm(this);
  Sys().ShowFormWindow(window_, false);
}

TModalResult TForm::ShowModal() {
  if (modal_ || Visible) return mrCancel;
  std::vector<TForm*> disabled;
  if (Application) {
    for (TForm* form : Application->Forms()) {
      if (form != this && form->Visible) {
        Sys().EnableWindow(form->Handle(), false);
        disabled.push_back(form);
      }
    }
  }
  ModalResult = mrNone;
  modal_ = true;
  Show();
  if (ModalResult == mrNone) Sys().RunModalLoop(*this);
  if (ModalResult == mrNone) ModalResult = mrCancel;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  // The owners take input again before this window goes, so that the system gives the
  // activation back to them rather than to another program's window.
  for (TForm* form : disabled) Sys().EnableWindow(form->Handle(), true);
  Hide();
  modal_ = false;
  return ModalResult;
}

void TForm::Close() {
  if (modal_) {
    // Ends the modal loop; the loop's end runs the close handler.
    ModalResult = mrCancel;
    return;
  }
  DoClose();
}

void TForm::DoClose() {
  const bool isMain = Application && Application->MainForm == this;
  if (isMain && Application->Terminated) return;
  TCloseAction action = isMain ? caFree : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  Hide();
  if (isMain) Application->Terminate();
}

void TForm::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      Paint();
      break;
    case WM_CLOSE:
      Close();
      break;
    case WM_SETCURSOR:
      SetCursorForPointer(message);
      break;
    case WM_COMMAND:
      CommandFromChild(message);
      break;
    case WM_CAPTURECHANGED:
      CaptureLost(message);
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      RouteMouse(message);
      break;
    case WM_KEYDOWN:
      KeyDown(message);
      break;
    default:
      DefaultHandler(message);
      break;
  }
}

void TForm::DispatchFromSystem(TMessage& message) {
  FromSystem call;
  try {
    Dispatch(message);
  } catch (...) {
    ReportEscapedException();
  }
}

void TForm::DefaultHandler(TMessage& message) {
  message.Result = Sys().DefaultWindowProc(window_, message.Msg, message.WParam, message.LParam);
}

void TForm::InvalidateRect(const TRect& rect) {
  const TRect r = rect.Intersect(TRect{0, 0, ClientWidth, ClientHeight});
  if (window_ && !r.IsEmpty()) Sys().InvalidateRect(window_, r);
}

void TForm::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (window_ && control->IsWindowed()) control->CreateWindowFor(window_);
}

void TForm::RemoveControl(TControl* control) {
  if (captured_ == control) {
    captured_ = nullptr;
    pressed_ = 0;
    Sys().ReleaseMouseCapture();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

TControl* TForm::ControlAt(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (control->Visible && !control->IsWindowed() && control->BoundsRect().Contains(x, y)) return control;
  }
  return nullptr;
}

void TForm::Paint() {
  const TRect dirty = Sys().BeginPaint(window_);
  if (!buffer_ && ClientWidth > 0 && ClientHeight > 0) buffer_ = Sys().CreateSurface(ClientWidth, ClientHeight);
  if (!buffer_) {
    Sys().EndPaint(window_, *Sys().CreateSurface(1, 1), TRect{});
    return;
  }
  const TRect r = dirty.Intersect(TRect{0, 0, buffer_->Width, buffer_->Height});
  if (!r.IsEmpty()) {
    TCanvas background(*buffer_, r, TPoint{0, 0});
    background.FillRect(r, Color);
    for (TControl* control : controls_) {
      if (!control->Visible || control->IsWindowed()) continue;
      const TRect area = control->BoundsRect().Intersect(r);
      if (area.IsEmpty()) continue;
      TCanvas canvas(*buffer_, area, TPoint{control->Left, control->Top});
      control->Paint(canvas);
    }
  }
  Sys().EndPaint(window_, *buffer_, r);
}

namespace {

TMouseButton ButtonOf(unsigned msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

unsigned ButtonFlag(TMouseButton button) {
  return button == mbLeft ? MK_LBUTTON : button == mbRight ? MK_RBUTTON : MK_MBUTTON;
}

TShiftState ShiftOf(std::uintptr_t keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (Sys().GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

}  // namespace

void TForm::RouteMouse(TMessage& message) {
  const int x = LParamX(message.LParam);
  const int y = LParamY(message.LParam);
  const TShiftState shift = ShiftOf(message.WParam);
  const TMouseButton button = ButtonOf(message.Msg);
  message.Result = 0;
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      if (Application) Application->HintMouseMove(*this, ControlAt(x, y));
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      if (Application) Application->CancelHint();
      const bool doubleClick =
          message.Msg == WM_LBUTTONDBLCLK || message.Msg == WM_RBUTTONDBLCLK || message.Msg == WM_MBUTTONDBLCLK;
      TControl* control = captured_ ? captured_ : ControlAt(x, y);
      if (!control || !control->WantsMouse()) break;
      if (!captured_) {
        captured_ = control;
        Sys().SetMouseCapture(window_);
      }
      pressed_ |= ButtonFlag(button);
      if (button == mbLeft) suppressClick_ = doubleClick;
      if (doubleClick && button == mbLeft) control->DblClick();
      // The double click may have closed or hidden things; the control itself stays.
      control->MouseDown(button, shift | (doubleClick ? ssDouble : 0), x - control->Left, y - control->Top);
      break;
    }
    default: {  // a button went up
      TControl* control = captured_;
      if (!control) break;
      const std::uintptr_t stillDown = message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
      pressed_ &= ~static_cast<std::uintptr_t>(ButtonFlag(button));
      if (!stillDown) {
        captured_ = nullptr;
        pressed_ = 0;
        Sys().ReleaseMouseCapture();
      }
      const bool inside = control->BoundsRect().Contains(x, y);
      if (button == mbLeft) {
        const bool click = inside && !suppressClick_;
        suppressClick_ = false;
        if (click) control->Click();
      }
      control->MouseUp(button, shift, x - control->Left, y - control->Top);
      break;
    }
  }
}

void TForm::KeyDown(TMessage& message) {
  unsigned short key = static_cast<unsigned short>(message.WParam);
  TShiftState shift = 0;
  if (Sys().GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (Sys().GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (Sys().GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (OnKeyDown) OnKeyDown(this, key, shift);
  if (key) {
    DefaultHandler(message);
  } else {
    message.Result = 0;
  }
}

void TForm::CaptureLost(TMessage& message) {
  message.Result = 0;
  // Another window (a menu, a task switch) took the pointer in the middle of a press: the
  // press ends there, with a release for each button still down and no click.
  TControl* control = captured_;
  if (!control || static_cast<WindowId>(message.LParam) == window_) return;
  const std::uintptr_t pressed = pressed_;
  captured_ = nullptr;
  pressed_ = 0;
  suppressClick_ = false;
  const TPoint p = ScreenToClient(Sys().GetCursorPos());
  for (TMouseButton button : {mbLeft, mbRight, mbMiddle}) {
    if (!(pressed & ButtonFlag(button))) continue;
    control->MouseUp(button, 0, p.x - control->Left, p.y - control->Top);
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) break;
  }
}

void TForm::SetCursorForPointer(TMessage& message) {
  if ((message.LParam & 0xFFFF) != HTCLIENT || !Screen) {
    DefaultHandler(message);
    return;
  }
  TCursor cursor = Screen->Cursor;
  if (cursor == crDefault) {
    const TPoint p = ScreenToClient(Sys().GetCursorPos());
    TControl* control = ControlAt(p.x, p.y);
    cursor = control ? control->Cursor : crDefault;
  }
  if (cursor == crDefault) cursor = crArrow;
  Sys().SetCursor(Screen->CursorHandle(cursor));
  message.Result = 1;
}

void TForm::CommandFromChild(TMessage& message) {
  const int id = static_cast<int>(message.WParam & 0xFFFF);
  for (TControl* control : controls_) {
    auto* button = dynamic_cast<TButton*>(control);
    if (button && button->CommandId() == id) {
      button->Click();
      return;
    }
  }
  DefaultHandler(message);
}

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
  Screen = new TScreen();
}

TApplication::~TApplication() {
  CancelHint();
  DeleteDoomed();
  // Forms are owned components; they go with the application, newest first.
  while (!forms_.empty()) {
    TForm* form = forms_.back();
    forms_.pop_back();
    delete form;
  }
  delete Screen;
  Screen = nullptr;
  if (Application == this) Application = nullptr;
}

void TApplication::AddForm(TForm* form) {
  forms_.push_back(form);
  if (!MainForm) MainForm = form;
  form->CreateHandle();
}

void TApplication::Run() {
  if (!MainForm) return;
  MainForm->Show();
  if (!Terminated) Sys().RunMessageLoop();
}

void TApplication::Terminate() {
  if (Terminated) return;
  Terminated = true;
  Sys().QuitMessageLoop();
}

void TApplication::ShowException(const std::string& message) {
  Sys().ShowSystemMessageBox(Sys().ActiveWindow(), Title, message);
}

void ReportEscapedException() {
  std::string text;
  try {
    throw;
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "An unknown error occurred.";
  }
  if (!text.empty() && text.back() != '.') text += '.';
  if (Application) {
    Application->ShowException(text);
  } else {
    Sys().ShowSystemMessageBox(Sys().ActiveWindow(), "", text);
  }
}

void RunGuarded(const std::function<void()>& handler) {
  FromSystem call;
  try {
    handler();
  } catch (...) {
    ReportEscapedException();
  }
}

void TApplication::HintMouseMove(TForm& form, TControl* control) {
  TControl* wanted = (control && control->ShowHint && !control->Hint.empty()) ? control : nullptr;
  if (wanted == hintControl_) return;
  CancelHint();
  if (!wanted) return;
  hintForm_ = &form;
  hintControl_ = wanted;
  hintElapsed_ = 0;
  hintTimer_ = Sys().StartTimer(HintPollMs, [this] { RunGuarded([this] { HintTick(); }); });
}

void TApplication::HintTick() {
  if (!hintControl_ || !hintForm_) {
    CancelHint();
    return;
  }
  const TPoint pointer = Sys().GetCursorPos();
  const TPoint p = hintForm_->ScreenToClient(pointer);
  if (!hintForm_->Visible || hintForm_->ControlAt(p.x, p.y) != hintControl_) {
    CancelHint();
    return;
  }
  hintElapsed_ += HintPollMs;
  if (!hintShown_ && hintElapsed_ >= HintPauseMs && hintElapsed_ < HintPauseMs + HintHideMs) {
    TFont font;
    font.Height = 12;
    Sys().ShowHintWindow(TPoint{pointer.x, pointer.y + 20}, hintControl_->Hint, font);
    hintShown_ = true;
  } else if (hintShown_ && hintElapsed_ >= HintPauseMs + HintHideMs) {
    // Shown long enough: hide it, and show it again only after the pointer moves to another control.
    Sys().HideHintWindow();
    hintShown_ = false;
    Sys().StopTimer(hintTimer_);
    hintTimer_ = 0;
  }
}

void TApplication::CancelHint() {
  if (hintTimer_) Sys().StopTimer(hintTimer_);
  hintTimer_ = 0;
  if (hintShown_) Sys().HideHintWindow();
  hintShown_ = false;
  hintControl_ = nullptr;
  hintForm_ = nullptr;
  hintElapsed_ = 0;
}

void TApplication::ForgetControl(TControl* control) {
  if (hintControl_ == control) CancelHint();
}

void TApplication::ForgetForm(TForm* form) {
  if (hintForm_ == form) CancelHint();
}

TScreen::TScreen()
    : Cursor(crDefault, [this] { Sys().SetCursor(CursorHandle(Cursor)); }) {}

CursorId TScreen::CursorHandle(TCursor cursor) {
  auto it = Cursors.find(cursor);
  if (it != Cursors.end() && it->second) return it->second;
  return Sys().StandardCursor(cursor);
}
