#include "toolkit/Controls.h"

#include <algorithm>

#include "toolkit/Forms.h"

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->owned_.push_back(this);
}

TComponent::~TComponent() {
  // Owned components go first, newest first, each unhooking itself from this list.
  while (!owned_.empty()) delete owned_.back();
  if (owner_) {
    auto& siblings = owner_->owned_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      Left(0, [this] { BoundsChanged(); }),
      Top(0, [this] { BoundsChanged(); }),
      Width(0, [this] { BoundsChanged(); }),
      Height(0, [this] { BoundsChanged(); }),
      Visible(true, [this] { BoundsChanged(); }) {}

TControl::~TControl() {
  if (Application) Application->ForgetControl(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TForm* form) {
  if (parent_ == form) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = form;
  if (parent_) parent_->InsertControl(this);
  shownBounds_ = TRect{};
  BoundsChanged();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  Left.Assign(left);
  Top.Assign(top);
  Width.Assign(width);
  Height.Assign(height);
  BoundsChanged();
}

void TControl::BoundsChanged() {
  if (!parent_) return;
  const TRect now = Visible ? BoundsRect() : TRect{};
  if (now == shownBounds_) return;
  parent_->InvalidateRect(shownBounds_);
  parent_->InvalidateRect(now);
  shownBounds_ = now;
}

void TControl::Invalidate() {
  if (parent_ && Visible) parent_->InvalidateRect(BoundsRect());
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

TShape::TShape(TComponent* owner)
    : TControl(owner), Pen(&pen_), Brush(&brush_), pen_([this] { Invalidate(); }), brush_([this] { Invalidate(); }) {
  Width.Assign(65);
  Height.Assign(65);
}

void TShape::Paint(TCanvas& canvas) {
  // A rectangle outlined in the pen colour (one pixel wide) and filled with the brush colour.
  const TRect all{0, 0, Width, Height};
  canvas.FillRect(all, Pen->Color);
  if (Width > 2 && Height > 2) canvas.FillRect(TRect{1, 1, Width - 1, Height - 1}, Brush->Color);
}

TLabel::TLabel(TComponent* owner)
    : TControl(owner), Caption("", [this] { Invalidate(); }), Font(&font_), font_([this] { Invalidate(); }) {}

void TLabel::Paint(TCanvas& canvas) {
  if (!Transparent) canvas.FillRect(TRect{0, 0, Width, Height}, Color);
  TextLayout layout;
  layout.Alignment = Alignment;
  layout.WordWrap = WordWrap;
  canvas.TextRect(TRect{0, 0, Width, Height}, Caption, *Font, layout);
}

TImage::TImage(TComponent* owner) : TControl(owner) {
  Width.Assign(105);
  Height.Assign(105);
}

void TImage::SetPicture(const TPicture& picture) {
  picture_.Assign(picture);
  if (AutoSize && !picture_.Empty()) {
    SetBounds(Left, Top, picture_.Width(), picture_.Height());
  }
  Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
  if (picture_.Empty()) return;
  int x = 0;
  int y = 0;
  if (Center) {
    x = (Width - picture_.Width()) / 2;
    y = (Height - picture_.Height()) / 2;
  }
  canvas.Draw(x, y, *picture_.Bitmap);
}

namespace {
int NextCommandId() {
  static int next = 100;
  return next++;
}
}  // namespace

TButton::TButton(TComponent* owner)
    : TControl(owner), Caption("", nullptr), Font(&font_), commandId_(NextCommandId()) {
  Width.Assign(75);
  Height.Assign(25);
}

void TButton::Click() {
  if (ModalResult != mrNone && Parent()) Parent()->ModalResult = ModalResult;
  TControl::Click();
}

void TButton::CreateWindowFor(WindowId parent) {
  window_ = Sys().CreateButton(parent, commandId_, Caption, BoundsRect(), Default, *Font);
}

void TButton::BoundsChanged() {
  if (window_) Sys().SetChildBounds(window_, BoundsRect());
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), Enabled(true, [this] { Update(); }), Interval(1000, [this] { Update(); }) {}

TTimer::~TTimer() {
  if (timer_) Sys().StopTimer(timer_);
}

void TTimer::Update() {
  if (timer_) {
    Sys().StopTimer(timer_);
    timer_ = 0;
  }
  if (Enabled && Interval > 0 && OnTimer) {
    timer_ = Sys().StartTimer(Interval, [this] {
      RunGuarded([this] {
        if (OnTimer) OnTimer(this);
      });
    });
  }
}
