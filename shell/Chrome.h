// The chrome shared by the borderless windows: background, title row, icon menu, close
// mark and the caption band they are dragged by; and the hand pointer and link colours.
#pragma once

#include <initializer_list>
#include <string>

#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

constexpr TColor LinkColor = 0x0080FF;  // orange
constexpr TColor LinkPressedColor = clGray;
constexpr int HandCursorIndex = 1;

// The band a borderless window is dragged by, measured from where the window is now.
bool InCaptionBand(const TForm& form, const TPoint& screen);

// Loads the hand pointer into the screen's cursor table and gives it to the controls.
void LoadHandCursor(std::initializer_list<TControl*> controls);

// Design-time settings of the chrome controls.
void SetupBackground(TImage* image);
void SetupSeparator(TShape* separator);
void SetupTitle(TLabel* title, const std::string& text);
void SetupCloseMark(TLabel* mark);
void SetupIcon(TImage* icon);
void SetupLinkLabel(TLabel* label, const std::string& text, int fontHeight);

// Show-time geometry.
void PlaceChrome(TShape* separator, TImage* background, TImage* icon, int iconWidth);
void PlaceTitleRow(TLabel* title, TLabel* closeMark, int dpiMode);

// Opens a window's icon menu just below its icon. As with the system's own window icons, a
// second click on the icon within the double-click time closes the menu and counts as the
// icon's double click.
void PopupIconMenu(const TForm& form, TPopupMenu* menu, TImage* icon);

// The press colours of link-style labels.
void LinkPressed(TObject* label);
void LinkReleased(TObject* label);
