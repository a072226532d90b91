#include "shell/Chrome.h"

namespace {
constexpr int CaptionBandHeight = 40;
constexpr int CaptionBandLeft = 34;
constexpr int CaptionBandRight = 303;
constexpr int IconMenuX = 17;
constexpr int IconMenuY = 36;
}  // namespace

bool InCaptionBand(const TForm& form, const TPoint& p) {
  return p.y < form.Top + CaptionBandHeight && p.x < form.Left + CaptionBandRight &&
         p.x > form.Left + CaptionBandLeft;
}

void LoadHandCursor(std::initializer_list<TControl*> controls) {
  Screen->Cursors[HandCursorIndex] = Sys().LoadCursorResource("HAND");
  for (TControl* control : controls) control->Cursor = HandCursorIndex;
}

void SetupBackground(TImage* image) {
  image->SetBounds(0, 0, 340, 409);
}

void SetupSeparator(TShape* separator) {
  separator->Pen->Color = clGray;
  separator->Brush->Color = clSilver;
  separator->SetBounds(16, 41, 286, 1);
}

void SetupTitle(TLabel* title, const std::string& text) {
  title->Caption = text;
  title->Font->Name = "Arial";
  title->Font->Height = 16;
  title->Font->Bold = true;
  title->Font->Color = LinkColor;
  title->Transparent = true;
  title->WordWrap = true;
  title->AutoSize = false;
  title->SetBounds(36, 18, 261, 19);
}

void SetupCloseMark(TLabel* mark) {
  mark->Caption = "x";
  mark->Font->Name = "Arial";
  mark->Font->Height = 21;
  mark->Font->Bold = true;
  mark->Font->Color = LinkColor;
  mark->Transparent = true;
  mark->SetBounds(307, 12, 13, 29);
}

void SetupIcon(TImage* icon) {
  static const auto picture = [] {
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->LoadFromResourceName("ICON16");
    return bitmap;
  }();
  TPicture p;
  p.Bitmap = picture;
  icon->Center = true;
  icon->SetPicture(p);
  icon->SetBounds(16, 20, 16, 16);
}

void SetupLinkLabel(TLabel* label, const std::string& text, int fontHeight) {
  label->Caption = text;
  label->Font->Name = "Arial";
  label->Font->Height = fontHeight;
  label->Font->Underline = true;
  label->Font->Color = LinkColor;
  label->Transparent = true;
}

void PlaceChrome(TShape* separator, TImage* background, TImage* icon, int iconWidth) {
  separator->SetBounds(16, 41, 286, 1);
  background->SetBounds(0, 0, 340, 409);
  icon->SetBounds(16, 20, iconWidth, 16);
}

void PlaceTitleRow(TLabel* title, TLabel* closeMark, int dpiMode) {
  if (dpiMode == 2) {
    closeMark->SetBounds(305, 12, 13, 29);
    title->SetBounds(36, 18, 251, 22);
  } else {
    closeMark->SetBounds(307, 12, 13, 29);
    title->SetBounds(36, 18, 261, 19);
  }
}

void PopupIconMenu(const TForm& form, TPopupMenu* menu, TImage* icon) {
  const std::uint32_t opened = Sys().TickCount();
  if (TMenuItem* chosen = menu->Track(form.Left + IconMenuX, form.Top + IconMenuY)) {
    chosen->Click();
    return;
  }
  // The menu is modal, so the second press of a double click only dismisses it: when that
  // press was on the icon, soon enough, it is the double click.
  const TPoint p = form.ScreenToClient(Sys().GetCursorPos());
  if (Sys().TickCount() - opened <= Sys().DoubleClickTime() && Sys().GetKeyState(VK_LBUTTON) < 0 &&
      icon->BoundsRect().Contains(p.x, p.y)) {
    icon->DblClick();
  }
}

void LinkPressed(TObject* label) {
  if (auto* l = dynamic_cast<TLabel*>(label)) l->Font->Color = LinkPressedColor;
}

void LinkReleased(TObject* label) {
  if (auto* l = dynamic_cast<TLabel*>(label)) l->Font->Color = LinkColor;
}
