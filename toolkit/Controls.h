// Components and the windowless controls a form draws itself.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Graphics.h"
#include "toolkit/Property.h"
#include "toolkit/SystemPort.h"
#include "toolkit/Types.h"

class TForm;

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// A component belongs to its owner, which deletes it; deleting it earlier unhooks it.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  std::string Name;

 private:
  TComponent* owner_;
  std::vector<TComponent*> owned_;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Places the control on a form, above every control placed there before.
  void SetParent(TForm* form);
  TForm* Parent() const { return parent_; }

  Property<int> Left;
  Property<int> Top;
  Property<int> Width;
  Property<int> Height;
  Property<bool> Visible;
  std::string Hint;
  bool ShowHint = false;
  TCursor Cursor = crDefault;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(Left, Top, Width, Height); }
  void Invalidate();

  // Called by the form's mouse routing.
  bool WantsMouse() const { return OnClick || OnDblClick || OnMouseDown || OnMouseUp; }
  virtual void Click();
  virtual void DblClick();
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

  virtual void Paint(TCanvas& canvas) {}
  virtual bool IsWindowed() const { return false; }
  virtual void CreateWindowFor(WindowId parent) {}

 protected:
  virtual void BoundsChanged();

 private:
  friend class TForm;
  void SetParentUnchecked(TForm* form) { parent_ = form; }
  TForm* parent_ = nullptr;
  TRect shownBounds_;
};

class TShape : public TControl {
 public:
  explicit TShape(TComponent* owner);
  TPen* Pen;
  TBrush* Brush;
  void Paint(TCanvas& canvas) override;

 private:
  TPen pen_;
  TBrush brush_;
};

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);
  Property<std::string> Caption;
  TFont* Font;
  bool Transparent = true;
  bool WordWrap = false;
  bool AutoSize = false;
  TAlignment Alignment = taLeftJustify;
  TColor Color = clBtnFace;
  void Paint(TCanvas& canvas) override;

 private:
  TFont font_;
};

class TImage : public TControl {
 public:
  explicit TImage(TComponent* owner);
  // Assigning a picture through this repaints the control (and sizes it when AutoSize is on).
  void SetPicture(const TPicture& picture);
  const TPicture& Picture() const { return picture_; }
  bool Center = false;
  bool AutoSize = false;
  void Paint(TCanvas& canvas) override;

 private:
  TPicture picture_;
};

class TButton : public TControl {
 public:
  explicit TButton(TComponent* owner);
  Property<std::string> Caption;
  TModalResult ModalResult = mrNone;
  bool Default = false;
  TFont* Font;
  int CommandId() const { return commandId_; }
  WindowId Handle() const { return window_; }
  void Click() override;
  bool IsWindowed() const override { return true; }
  void CreateWindowFor(WindowId parent) override;

 protected:
  void BoundsChanged() override;

 private:
  TFont font_;
  int commandId_;
  WindowId window_ = 0;
};

// A store of text lines; never drawn.
class TMemo : public TControl {
 public:
  explicit TMemo(TComponent* owner) : TControl(owner) {}
  std::vector<std::string> Lines;
};

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  Property<bool> Enabled;
  Property<unsigned> Interval;
  TNotifyEvent OnTimer;
  bool Running() const { return timer_ != 0; }
  TimerId Id() const { return timer_; }

 private:
  void Update();
  TimerId timer_ = 0;
};
