#include "shell/Chrome.h"

TBorderlessForm::TBorderlessForm(TComponent* owner, const ChromeTable& chrome) : TForm(owner), chrome_(chrome) {
  BorderStyle = bsNone;
  Position = poScreenCenter;
  Font->Name = "Arial";
  Font->Height = 11;
  ClientWidth = 340;
  ClientHeight = 409;
}

void TBorderlessForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.Style &= ~WS_CAPTION;
}

void TBorderlessForm::Dispatch(TMessage& message) {
  if (message.Msg == WM_NCHITTEST) {
    WMNCHitTest(message);
  } else {
    TForm::Dispatch(message);
  }
}

void TBorderlessForm::WMNCHitTest(TMessage& message) {
  message.Result = InCaptionBand(*this, Sys().GetCursorPos()) ? HTCAPTION : HTCLIENT;
}

bool InCaptionBand(const TBorderlessForm& form, const TPoint& p) {
  const ChromeTable& c = form.Chrome();
  return p.y < form.Top + c.BandHeight && p.x < form.Left + c.BandRight && p.x > form.Left + c.BandLeft;
}

TBorderlessForm::ChromeControls TBorderlessForm::CreateChrome() {
  ChromeControls& c = parts_;

  c.Background = new TImage(this);
  c.Background->Name = "Image1";
  c.Background->SetBounds(0, 0, 340, 409);
  c.Background->SetParent(this);

  c.Separator = new TShape(this);
  c.Separator->Name = "Shape261";
  c.Separator->Pen->Color = clGray;
  c.Separator->Brush->Color = clSilver;
  c.Separator->SetBounds(16, 41, 286, 1);
  c.Separator->SetParent(this);

  c.Title = new TLabel(this);
  c.Title->Name = "Label1";
  c.Title->Caption = chrome_.Title;
  c.Title->Font->Name = "Arial";
  c.Title->Font->Height = 16;
  c.Title->Font->Bold = true;
  c.Title->Font->Color = LinkColor;
  c.Title->Transparent = true;
  c.Title->WordWrap = true;
  c.Title->AutoSize = false;
  const TRect& title = chrome_.TitlePlace[0];
  c.Title->SetBounds(title.Left, title.Top, title.Width(), title.Height());
  c.Title->SetParent(this);

  static const auto iconPicture = [] {
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->LoadFromResourceName("ICON16");
    return bitmap;
  }();
  c.Icon = new TImage(this);
  c.Icon->Name = "Image6";
  TPicture picture;
  picture.Bitmap = iconPicture;
  c.Icon->Center = true;
  c.Icon->SetPicture(picture);
  c.Icon->SetBounds(16, 20, chrome_.IconWidth, 16);
  c.Icon->SetParent(this);

  c.CloseMark = new TLabel(this);
  c.CloseMark->Name = "Label8";
  c.CloseMark->Caption = "x";
  c.CloseMark->Font->Name = "Arial";
  c.CloseMark->Font->Height = 21;
  c.CloseMark->Font->Bold = true;
  c.CloseMark->Font->Color = LinkColor;
  c.CloseMark->Transparent = true;
  c.CloseMark->Hint = chrome_.CloseMarkHint;
  c.CloseMark->ShowHint = !c.CloseMark->Hint.empty();
  const TRect& mark = chrome_.CloseMarkPlace[0];
  c.CloseMark->SetBounds(mark.Left, mark.Top, mark.Width(), mark.Height());
  c.CloseMark->SetParent(this);

  c.IconMenu = new TPopupMenu(this);
  c.IconMenu->Name = chrome_.IconMenuName;
  c.CloseItem = new TMenuItem(this);
  c.CloseItem->Name = "Exit1";
  c.CloseItem->Caption = chrome_.CloseItemCaption;
  c.IconMenu->Items->Add(c.CloseItem);
  return c;
}

void TBorderlessForm::SizeWindow() {
  ClientHeight = 409;
  ClientWidth = 340;
  Height = 409;
  Width = 340;
}

void TBorderlessForm::PlaceChrome(const TPicture* background) {
  parts_.Separator->SetBounds(16, 41, 286, 1);
  if (background) parts_.Background->SetPicture(*background);
  parts_.Background->SetBounds(0, 0, 340, 409);
  parts_.Icon->SetBounds(16, 20, chrome_.IconWidth, 16);
}

void TBorderlessForm::PlaceTitleRow(int dpiMode) {
  const int layout = dpiMode == 2 ? 1 : 0;
  const TRect& mark = chrome_.CloseMarkPlace[layout];
  const TRect& title = chrome_.TitlePlace[layout];
  parts_.CloseMark->SetBounds(mark.Left, mark.Top, mark.Width(), mark.Height());
  parts_.Title->SetBounds(title.Left, title.Top, title.Width(), title.Height());
}

void TBorderlessForm::PopupIconMenu() {
  const std::uint32_t opened = Sys().TickCount();
  TImage* icon = parts_.Icon;
  if (TMenuItem* chosen = parts_.IconMenu->Track(Left + chrome_.IconMenuOffset.x, Top + chrome_.IconMenuOffset.y)) {
    chosen->Click();
    return;
  }
  // The menu is modal, so the second press of a double click only dismisses it: when that
  // press was on the icon, soon enough, it is the double click.
  const TPoint p = ScreenToClient(Sys().GetCursorPos());
  if (Sys().TickCount() - opened <= Sys().DoubleClickTime() && Sys().GetKeyState(VK_LBUTTON) < 0 &&
      icon->BoundsRect().Contains(p.x, p.y)) {
    icon->DblClick();
  }
}

void LoadHandCursor(std::initializer_list<TControl*> controls) {
  Screen->Cursors[HandCursorIndex] = Sys().LoadCursorResource("HAND");
  for (TControl* control : controls) control->Cursor = HandCursorIndex;
}

void SetupLinkLabel(TLabel* label, const std::string& text, int fontHeight) {
  label->Caption = text;
  label->Font->Name = "Arial";
  label->Font->Height = fontHeight;
  label->Font->Underline = true;
  label->Font->Color = LinkColor;
  label->Transparent = true;
}

void LinkPressed(TObject* label) {
  if (auto* l = dynamic_cast<TLabel*>(label)) l->Font->Color = LinkPressedColor;
}

void LinkReleased(TObject* label) {
  if (auto* l = dynamic_cast<TLabel*>(label)) l->Font->Color = LinkColor;
}
