// The chrome shared by the borderless windows: background, title row, icon menu, close
// mark and the caption band they are dragged by; and the hand pointer and link colours.
// Each window gives its own numbers in one ChromeTable.
#pragma once

#include <initializer_list>
#include <string>

#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

constexpr TColor LinkColor = 0x0080FF;  // orange
constexpr TColor LinkPressedColor = clGray;
constexpr int HandCursorIndex = 1;

// One borderless window's chrome. Places are client coordinates; offsets are measured from
// the window's top-left corner on the screen.
struct ChromeTable {
  const char* Title;             // Label1's text
  const char* IconMenuName;      // the icon menu and its one item, which closes the window
  const char* CloseItemCaption;
  const char* CloseMarkHint;     // empty for none
  int IconWidth;
  // The caption band: y < top + BandHeight, BandLeft < x - left < BandRight.
  int BandHeight;
  int BandLeft;
  int BandRight;
  TPoint IconMenuOffset;
  // [0] the normal layout, [1] the large-font layout (DpiMode 2).
  TRect TitlePlace[2];
  TRect CloseMarkPlace[2];
};

// A window with no system title bar and no border that draws its own chrome from controls
// laid over a full-window background picture and is dragged by its caption band.
class TBorderlessForm : public TForm {
 public:
  // Clears the caption bits, so the window has neither title bar nor border.
  void CreateParams(TCreateParams& params) override;
  // The hit test goes to WMNCHitTest and never reaches the default handling.
  void Dispatch(TMessage& message) override;

  const ChromeTable& Chrome() const { return chrome_; }

 protected:
  TBorderlessForm(TComponent* owner, const ChromeTable& chrome);

  // Answers the caption band or the client area; windows that handle the pointer over
  // their squares go on from there.
  virtual void WMNCHitTest(TMessage& message);

  struct ChromeControls {
    TImage* Background;
    TShape* Separator;
    TLabel* Title;
    TImage* Icon;
    TLabel* CloseMark;
    TPopupMenu* IconMenu;
    TMenuItem* CloseItem;
  };
  // Makes the chrome's controls with their design-time settings, the background bottom-most.
  ChromeControls CreateChrome();
  // Show-time geometry: the window's client and outer size (equal, as it has no border);
  // then the separator, the background (given the main window's picture, unless this is the
  // main window's own) and the icon.
  void SizeWindow();
  void PlaceChrome(const TPicture* background);
  // The title row for a DpiMode.
  void PlaceTitleRow(int dpiMode);
  // Opens the icon menu just below the icon. As with the system's own window icons, a
  // second click on the icon within the double-click time closes the menu and counts as the
  // icon's double click.
  void PopupIconMenu();

 private:
  const ChromeTable& chrome_;
  ChromeControls parts_{};
};

// The band a borderless window is dragged by, measured from where the window is now.
bool InCaptionBand(const TBorderlessForm& form, const TPoint& screen);

// Loads the hand pointer into the screen's cursor table and gives it to the controls.
void LoadHandCursor(std::initializer_list<TControl*> controls);

void SetupLinkLabel(TLabel* label, const std::string& text, int fontHeight);

// The press colours of link-style labels.
void LinkPressed(TObject* label);
void LinkReleased(TObject* label);
