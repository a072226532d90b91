#include "help/Help.h"

#include "editor/SDIMain.h"

TForm3* Form3 = nullptr;

namespace {

const ChromeTable HelpChrome{"Tintmesh Help",
                             "PopupMenu1",
                             "Close",
                             "",
                             16,
                             40,
                             34,
                             303,
                             {17, 36},
                             {Bounds(36, 18, 261, 19), Bounds(36, 18, 251, 22)},
                             {Bounds(307, 12, 13, 29), Bounds(305, 12, 13, 29)}};

const char* const PageTexts[TForm3::PageCount] = {
    "Introduction\n"
    "\n"
    "For team colors to work in Half-Life, a special palette needs to be created for the DM_Base.bmp file. Team "
    "colors need to be in specific rows of the palette, highlighted by cyan lines.",

    "Preparation\n"
    "\n"
    "Create three different palettes with a paint program. Separate out the areas of the skin with one team color "
    "and create a 32-color palette for it. Separate out the areas for the other team color and create a 32-color "
    "palette for it also. Then create a 192-color palette for the rest of the skin.",

    "Step 1\n"
    "\n"
    "Run Tintmesh.\n"
    "Select the palette squares for the main area and right-click the mouse button. Choose Import Palette.\n"
    "\n"
    "To select squares, click the first one then shift-click the last one. If you're deselecting the first one, "
    "you'll deselect all squares to the last one you click.",

    "Step 2\n"
    "\n"
    "The Import Palette Box comes up. Select the palette squares you want to merge with the main palette. You can "
    "select specific squares or choose Select All from the menu. Then click OK.",

    "Step 3\n"
    "\n"
    "The colors are merged into the main palette, skipping over areas that were not selected.\n"
    "\n"
    "Now select the first set of rows for team colors and right-click the mouse. Choose Import Palette from the "
    "menu.",

    "Step 4\n"
    "\n"
    "The Import Palette Box comes up again. Select the squares of team colors then click OK.",

    "Step 5\n"
    "\n"
    "The team colors are merged into the selected areas of the palette.\n"
    "\n"
    "Now select the second set of rows for team colors and right-click the mouse. Choose Import Palette again.",

    "Step 6\n"
    "\n"
    "The Import Palette Box comes up. Select the squares of team colors then click OK.",

    "Step 7\n"
    "\n"
    "The team colors are merged into the palette.\n"
    "\n"
    "The basics are done now. Right-click the mouse and choose Save Palette. This .pal file can be opened by "
    "Photoshop or Paint Shop Pro.",

    "Other features include:\n"
    "\n"
    "Cut, Copy and Paste: Cut or Copy selected color squares to it's clipboard then Paste them to replace other "
    "selected squares.\n"
    "\n"
    "Choose Color: A Color Box comes up to choose a color for selected squares.\n"
    "\n"
    "Sort: Tintmesh sorts selected squares by color value, or it can sort the entire palette, keeping the team "
    "colors in their proper rows.\n"
    "\n"
    "\n"
    ">> Continued on next page. >>",

    "Show Duplicates Mode:\n"
    "\n"
    "It's important that there are no team colors duplicated in the rest of the palette. This mode allows you to "
    "find and change the color of duplicate entries.\n"
    "\n"
    "Select 'Show Duplicates' from the menu. While this mode is active, all colors that have duplicates are "
    "highlighted with pink. To find which belong together, hover the cursor over one and it's duplicates will "
    "highlight with red. Right-click the mouse over one and pick 'Choose Color' from the menu, select a slightly "
    "different color, and that one will be changed. To deactivate this mode, select 'Don't Show Duplicates' from "
    "the menu.",
};

TImage* NewImage(TForm* form, const std::string& name, const char* resource) {
  auto* image = new TImage(form);
  image->Name = name;
  image->AutoSize = true;
  auto bitmap = std::make_shared<TBitmap>();
  bitmap->LoadFromResourceName(resource);
  TPicture picture;
  picture.Bitmap = bitmap;
  image->SetPicture(picture);
  return image;
}

// A hidden holder of a page picture; it is never shown itself.
TImage* NewHolder(TForm* form, const std::string& name, const char* resource) {
  TImage* holder = NewImage(form, name, resource);
  holder->Visible = false;
  return holder;
}

TLabel* NewText(TForm* form, const std::string& name) {
  auto* label = new TLabel(form);
  label->Name = name;
  label->Font->Name = "Arial";
  label->Font->Height = 12;
  label->Font->Color = clWhite;
  label->Transparent = true;
  label->WordWrap = true;
  label->AutoSize = false;
  return label;
}

TShape* NewRule(TForm* form, const std::string& name, int left) {
  auto* rule = new TShape(form);
  rule->Name = name;
  rule->Brush->Color = clGray;
  rule->Pen->Color = clGray;
  rule->SetBounds(left, 111, 90, 1);
  rule->SetParent(form);
  return rule;
}

template <class Handler>
TMouseEvent BindMouse(TForm3* form, Handler handler) {
  return [form, handler](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    (form->*handler)(sender, button, shift, x, y);
  };
}

}  // namespace

const char* const TForm3::FirstPageExtraText =
    "To access palettes in Photoshop, choose 'Image' from the menu, then 'Mode', 'Indexed Color'. Then choose "
    "'Custom' for Palette then 'Load' or 'Save'. In Paint Shop Pro, choose 'Colors' from the menu, then either "
    "'Load Palette' or 'Save Palette'.";

const char* TForm3::PageText(int page) { return page >= 0 && page < PageCount ? PageTexts[page] : ""; }

TForm3::TForm3(TComponent* owner) : TBorderlessForm(owner, HelpChrome) {
  Name = "Form3";
  Caption = "Tintmesh Help";

  const ChromeControls chrome = CreateChrome();
  Image1 = chrome.Background;
  Image1->AutoSize = true;
  Shape261 = chrome.Separator;
  Label1 = chrome.Title;
  Image6 = chrome.Icon;
  Image6->OnClick = [this](TObject* s) { Image6Click(s); };
  Image6->OnDblClick = [this](TObject* s) { Image6DblClick(s); };
  Label8 = chrome.CloseMark;
  Label8->OnClick = [this](TObject* s) { Label8Click(s); };
  PopupMenu1 = chrome.IconMenu;
  Exit1 = chrome.CloseItem;
  Exit1->OnClick = [this](TObject* s) { Exit1Click(s); };

  Label2 = NewText(this, "Label2");
  Label2->Caption =
      "Welcome to Tintmesh Help. This is a tutorial to teach you how to use this program. Click the forward and "
      "back arrows to navigate through the pages.";
  Label2->SetBounds(16, 52, 313, 53);
  Label2->SetParent(this);

  Shape1 = NewRule(this, "Shape1", 16);
  Shape2 = NewRule(this, "Shape2", 212);

  Image2 = NewImage(this, "Image2", "ARROWNEXT");
  Image2->SetBounds(175, 102, 19, 19);
  Image2->OnClick = [this](TObject* s) { Image2Click(s); };
  Image2->OnMouseDown = BindMouse(this, &TForm3::Image2MouseDown);
  Image2->OnMouseUp = BindMouse(this, &TForm3::Image2MouseUp);
  Image2->SetParent(this);

  Image3 = NewImage(this, "Image3", "ARROWBACK");
  Image3->SetBounds(124, 102, 19, 19);
  Image3->OnClick = [this](TObject* s) { Image3Click(s); };
  Image3->OnMouseDown = BindMouse(this, &TForm3::Image3MouseDown);
  Image3->OnMouseUp = BindMouse(this, &TForm3::Image3MouseUp);
  Image3->SetParent(this);

  // The pressed arrows lie over the arrows and take no input: while one is shown, the press
  // and its release still belong to the arrow under it.
  Image4 = NewImage(this, "Image4", "ARROWNEXTDOWN");
  Image4->SetBounds(175, 102, 19, 19);
  Image4->Visible = false;
  Image4->SetParent(this);

  Image5 = NewImage(this, "Image5", "ARROWBACKDOWN");
  Image5->SetBounds(124, 102, 19, 19);
  Image5->Visible = false;
  Image5->SetParent(this);

  Image7 = new TImage(this);
  Image7->Name = "Image7";
  Image7->AutoSize = true;
  Image7->SetBounds(158, 132, 166, 200);
  Image7->SetParent(this);

  Label3 = NewText(this, "Label3");
  Label3->SetBounds(16, 132, 137, 269);
  Label3->SetParent(this);

  Image8 = NewHolder(this, "Image8", "HELPPAGE3");
  Image9 = NewHolder(this, "Image9", "HELPPAGE4");
  Image10 = NewHolder(this, "Image10", "HELPPAGE5");
  Image11 = NewHolder(this, "Image11", "HELPPAGE6");
  Image12 = NewHolder(this, "Image12", "HELPPAGE7");
  Image13 = NewHolder(this, "Image13", "HELPPAGE2");
  Image14 = NewHolder(this, "Image14", "HELPPAGE8");

  Label4 = NewText(this, "Label4");
  Label4->SetBounds(16, 312, 309, 97);
  Label4->Visible = false;
  Label4->SetParent(this);

  Image15 = NewHolder(this, "Image15", "HELPPAGE1");
  Image16 = NewHolder(this, "Image16", "HELPPAGE0");

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TForm3::FormShow(TObject*) {
  LoadHandCursor({Label8, Image2, Image3, Image6});
  DpiMode = SDIAppForm->GetDpiMode();
  SizeWindow();
  PlaceChrome(&SDIAppForm->BackgroundPicture());
  Label2->SetBounds(16, 52, 313, 53);
  Label3->SetBounds(16, 132, 137, 269);
  Label4->SetBounds(16, 312, 309, 97);
  PlaceTitleRow(DpiMode);
  const int arrows = DpiMode == 2 ? 104 : 102;
  const int rules = DpiMode == 2 ? 113 : 111;
  Shape1->SetBounds(16, rules, 90, 1);
  Shape2->SetBounds(212, rules, 90, 1);
  Image2->SetBounds(175, arrows, 19, 19);
  Image4->SetBounds(175, arrows, 19, 19);
  Image3->SetBounds(124, arrows, 19, 19);
  Image5->SetBounds(124, arrows, 19, 19);
  PageIndex = 0;
  ShowPage();
}

void TForm3::ShowPage() {
  struct Page {
    TImage* holder;  // none: the picture is left as it was, and not shown
    int left;
    int width;
    int height;
    int textWidth;
  };
  const Page pages[PageCount] = {
      {Image16, 158, 166, 166, 137}, {Image15, 170, 154, 200, 149}, {Image13, 158, 166, 200, 137},
      {Image8, 158, 166, 200, 137},  {Image9, 158, 166, 200, 137},  {Image10, 158, 166, 200, 137},
      {Image11, 158, 166, 200, 137}, {Image12, 158, 166, 200, 137}, {Image14, 158, 166, 200, 137},
      {nullptr, 158, 166, 200, 309}, {nullptr, 158, 166, 200, 309},
  };
  const Page& page = pages[PageIndex];
  if (page.holder) Image7->SetPicture(page.holder->Picture());
  Image7->SetBounds(page.left, 132, page.width, page.height);
  Image7->Visible = page.holder != nullptr;
  Label3->Width = page.textWidth;
  Label3->Caption = PageTexts[PageIndex];
  if (PageIndex == 0) {
    Label4->Caption = FirstPageExtraText;
    Label4->Visible = true;
  } else {
    Label4->Visible = false;
  }
}

void TForm3::Image2Click(TObject*) {
  ++PageIndex;
  if (PageIndex > PageCount - 1) {
    PageIndex = PageCount - 1;
    return;
  }
  ShowPage();
}

void TForm3::Image3Click(TObject*) {
  --PageIndex;
  if (PageIndex < 0) {
    PageIndex = 0;
    return;
  }
  ShowPage();
}

// Any button shows the pressed arrow; the release, wherever it happens, brings the arrow back.
void TForm3::Image2MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Image2->Visible = false;
  Image4->Visible = true;
}

void TForm3::Image2MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  Image2->Visible = true;
  Image4->Visible = false;
}

void TForm3::Image3MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Image3->Visible = false;
  Image5->Visible = true;
}

void TForm3::Image3MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  Image3->Visible = true;
  Image5->Visible = false;
}

void TForm3::Label8Click(TObject*) { Close(); }

void TForm3::Image6Click(TObject*) { PopupIconMenu(); }

void TForm3::Image6DblClick(TObject*) { Close(); }

void TForm3::Exit1Click(TObject*) { Close(); }
