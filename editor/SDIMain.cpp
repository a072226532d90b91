#include "editor/SDIMain.h"

#include "help/Help.h"
#include "shell/Chrome.h"
#include "toolkit/HitTestPass.h"

TSDIAppForm* SDIAppForm = nullptr;

namespace {

const char* const ShowDuplicatesText = "Show Duplicates";
const char* const DontShowDuplicatesText = "Don't Show Duplicates";

// The three areas that Cut and Sort keep apart, each in its own order.
struct Areas {
  int main[192];
  int team1[32];
  int team2[32];
  Areas() {
    for (int k = 0; k < 192; ++k) main[k] = k < 160 ? k : k + 64;
    for (int k = 0; k < 32; ++k) team1[k] = 160 + k;
    for (int k = 0; k < 32; ++k) team2[k] = 192 + k;
  }
};
const Areas PaletteAreas;

template <class Form, class Handler>
TNotifyEvent Bind(Form* form, Handler handler) {
  return [form, handler](TObject* sender) { (form->*handler)(sender); };
}

template <class Form, class Handler>
TMouseEvent BindMouse(Form* form, Handler handler) {
  return [form, handler](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    (form->*handler)(sender, button, shift, x, y);
  };
}

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& name, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->Name = name;
  item->Caption = caption;
  parent->Add(item);
  return item;
}

TShape* NewFrameShape(TForm* form, const std::string& name) {
  auto* shape = new TShape(form);
  shape->Name = name;
  shape->Pen->Color = clAqua;
  shape->Brush->Color = clAqua;
  shape->SetParent(form);
  return shape;
}

// The main window's chrome: an icon one pixel wider than the other windows', and a close
// mark that says what it closes.
const ChromeTable MainChrome{"Brindlewick Tintmesh",
                             "PopupMenu501",
                             "Exit",
                             "Click to Exit the program.",
                             17,
                             40,
                             34,
                             303,
                             {17, 36},
                             {Bounds(36, 18, 261, 19), Bounds(36, 18, 251, 22)},
                             {Bounds(307, 12, 13, 29), Bounds(305, 12, 13, 29)}};

std::string ColorHint(TColor c) {
  return IntToStr(GetRValue(c)) + "," + IntToStr(GetGValue(c)) + "," + IntToStr(GetBValue(c));
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

TSDIAppForm::TSDIAppForm(TComponent* owner) : TBorderlessForm(owner, MainChrome) {
  Name = "SDIAppForm";
  Caption = "Tintmesh";

  const ChromeControls chrome = CreateChrome();
  Image1 = chrome.Background;
  {
    auto background = std::make_shared<TBitmap>();
    background->LoadFromResourceName("BACKGROUND");
    TPicture picture;
    picture.Bitmap = background;
    Image1->SetPicture(picture);
  }
  Shape261 = chrome.Separator;
  Label1 = chrome.Title;
  Image6 = chrome.Icon;
  Image6->OnClick = Bind(this, &TSDIAppForm::Image6Click);
  Image6->OnDblClick = Bind(this, &TSDIAppForm::Image6DblClick);
  Label8 = chrome.CloseMark;
  Label8->OnClick = Bind(this, &TSDIAppForm::Label8Click);
  Label8->OnMouseDown = BindMouse(this, &TSDIAppForm::Label8MouseDown);
  Label8->OnMouseUp = BindMouse(this, &TSDIAppForm::Label8MouseUp);
  PopupMenu501 = chrome.IconMenu;
  Exit1 = chrome.CloseItem;
  Exit1->OnClick = Bind(this, &TSDIAppForm::Exit1Click);

  Shape256 = NewFrameShape(this, "Shape256");
  Shape257 = NewFrameShape(this, "Shape257");
  Shape258 = NewFrameShape(this, "Shape258");
  Shape259 = NewFrameShape(this, "Shape259");
  Shape260 = NewFrameShape(this, "Shape260");

  Label2 = new TLabel(this);
  Label2->Name = "Label2";
  Label2->Caption =
      "Select the palette squares to edit, then right-click the mouse. Import squares from other palettes into "
      "these selected squares. If you need help, click";
  Label2->Font->Name = "Arial";
  Label2->Font->Height = 12;
  Label2->Font->Color = clWhite;
  Label2->Transparent = true;
  Label2->WordWrap = true;
  Label2->SetBounds(22, 52, 298, 47);
  Label2->SetParent(this);

  Label3 = new TLabel(this);
  Label3->Name = "Label3";
  SetupLinkLabel(Label3, "here.", 12);
  Label3->SetBounds(243, 82, 39, 14);
  Label3->OnClick = Bind(this, &TSDIAppForm::Label3Click);
  Label3->OnMouseDown = BindMouse(this, &TSDIAppForm::Label3MouseDown);
  Label3->OnMouseUp = BindMouse(this, &TSDIAppForm::Label3MouseUp);
  Label3->SetParent(this);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->Name = "OpenDialog1";
  OpenDialog1->Title = "Import Palette";
  OpenDialog1->DefaultExt = "pal";
  OpenDialog1->Filter = "Palette (*.pal)|*.pal";
  OpenDialog1->Options = ofHideReadOnly | ofPathMustExist | ofFileMustExist;
  OpenDialog1->FileEditStyle = fsEdit;

  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->Name = "SaveDialog1";
  SaveDialog1->Title = "Save Palette As...";
  SaveDialog1->DefaultExt = "pal";
  SaveDialog1->Filter = "Palette (*.pal)|*.pal";
  // Without ofFileMustExist: a save dialog holding to it would refuse every new file name.
  SaveDialog1->Options = ofOverwritePrompt | ofHideReadOnly | ofPathMustExist;
  SaveDialog1->FileEditStyle = fsEdit;

  ColorDialog1 = new TColorDialog(this);
  ColorDialog1->Name = "ColorDialog1";
  ColorDialog1->Ctl3D = true;

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->Enabled = false;
  Timer1->Interval = 200;
  Timer1->OnTimer = Bind(this, &TSDIAppForm::Timer1Timer);

  PopupMenu500 = new TPopupMenu(this);
  PopupMenu500->Name = "PopupMenu500";
  TMenuItem* menu = PopupMenu500->Items;
  OpenPalette1 = AddItem(this, menu, "OpenPalette1", "Import Palette");
  OpenPalette1->OnClick = Bind(this, &TSDIAppForm::OpenPalette1Click);
  SavePalette1 = AddItem(this, menu, "SavePalette1", "Save Palette");
  SavePalette1->OnClick = Bind(this, &TSDIAppForm::SavePalette1Click);
  N1 = AddItem(this, menu, "N1", "-");
  SelectAll1 = AddItem(this, menu, "SelectAll1", "Select All");
  SelectAll1->OnClick = Bind(this, &TSDIAppForm::SelectAll1Click);
  ClearAllSelections1 = AddItem(this, menu, "ClearAllSelections1", "Clear All Selections");
  ClearAllSelections1->OnClick = Bind(this, &TSDIAppForm::ClearAllSelections1Click);
  N3 = AddItem(this, menu, "N3", "-");
  Edit1 = AddItem(this, menu, "Edit1", "Edit");
  Cut1 = AddItem(this, Edit1, "Cut1", "Cut");
  Cut1->OnClick = Bind(this, &TSDIAppForm::Cut1Click);
  Copy1 = AddItem(this, Edit1, "Copy1", "Copy");
  Copy1->OnClick = Bind(this, &TSDIAppForm::Copy1Click);
  Paste1 = AddItem(this, Edit1, "Paste1", "Paste");
  Paste1->OnClick = Bind(this, &TSDIAppForm::Paste1Click);
  Sort1 = AddItem(this, menu, "Sort1", "Sort");
  Sort1->OnClick = Bind(this, &TSDIAppForm::Sort1Click);
  ChooseColor1 = AddItem(this, menu, "ChooseColor1", "Choose Color");
  ChooseColor1->OnClick = Bind(this, &TSDIAppForm::ChooseColor1Click);
  CheckforDuplicates1 = AddItem(this, menu, "CheckforDuplicates1", ShowDuplicatesText);
  CheckforDuplicates1->OnClick = Bind(this, &TSDIAppForm::CheckforDuplicates1Click);

  OnShow = Bind(this, &TSDIAppForm::FormShow);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
  OnKeyDown = [this](TObject* sender, unsigned short& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
}

bool TSDIAppForm::DuplicateModeOn() const { return CheckforDuplicates1->Caption == DontShowDuplicatesText; }

void TSDIAppForm::FormShow(TObject*) {
  LoadHandCursor({Label3, Label8, Image6});
  DetectPlatform();
  ProbeFontDpi();
  SizeWindow();
  Shape259->SetBounds(39, 270, 2, 75);
  Shape260->SetBounds(300, 270, 2, 75);
  Shape256->SetBounds(39, 270, 262, 2);
  Shape257->SetBounds(39, 307, 262, 2);
  Shape258->SetBounds(39, 344, 262, 2);
  PlaceChrome(nullptr);
  ApplyDpiLayout();
  ProbeColorDepth();
  LoadSettings();
  BuildSquareGrid();
}

void TSDIAppForm::FormClose(TObject*, TCloseAction&) {
  DestroySquareGrid();
  Timer1->Enabled = false;
  SaveSettings();
}

void TSDIAppForm::BuildSquareGrid() {
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) {
      const int i = 16 * r + c;
      auto* square = new TPaletteShape(this);
      Squares[i] = square;
      square->SetParent(this);
      square->Left = 43 + 16 * c;
      int top = 109 + 16 * r;
      if (r > 9) top += 5;
      if (r > 11) top += 5;
      if (r > 13) top += 5;
      square->Top = top;
      square->PalPosition = i;
      square->Pen->Color = PenUnselected;
      square->Brush->Color = clWhite;
      square->ShowHint = true;
    }
  }
}

void TSDIAppForm::DestroySquareGrid() {
  for (TPaletteShape*& square : Squares) {
    DeleteAfterDispatch(square);
    square = nullptr;
  }
}

void TSDIAppForm::Timer1Timer(TObject*) { Timer1->Enabled = false; }

void TSDIAppForm::Label3Click(TObject*) { Form3->Visible = true; }

void TSDIAppForm::Label8Click(TObject*) { Close(); }

// The press colours of the close mark and the "here." link, for any button.
void TSDIAppForm::Label8MouseDown(TObject*, TMouseButton, TShiftState, int, int) { LinkPressed(Label8); }

void TSDIAppForm::Label8MouseUp(TObject*, TMouseButton, TShiftState, int, int) { LinkReleased(Label8); }

void TSDIAppForm::Label3MouseDown(TObject*, TMouseButton, TShiftState, int, int) { LinkPressed(Label3); }

void TSDIAppForm::Label3MouseUp(TObject*, TMouseButton, TShiftState, int, int) { LinkReleased(Label3); }

void TSDIAppForm::Image6Click(TObject*) { PopupIconMenu(); }

void TSDIAppForm::Image6DblClick(TObject*) { Close(); }

void TSDIAppForm::Exit1Click(TObject*) { Close(); }

void TSDIAppForm::WMNCHitTest(TMessage& message) {
  const TPoint p = Sys().GetCursorPos();
  if (InCaptionBand(*this, p)) {
    message.Result = HTCAPTION;
    return;
  }
  message.Result = HTCLIENT;
  // Hit tests also arrive before the grid exists and after it is gone; those only get their answer.
  if (!Squares[0]) return;
  THitTestPass pass(inHitTest_);
  if (!pass.Entered()) return;
  const int left = Left;
  const int top = Top;
  for (int i = 0; i < 256; ++i) {
    TPaletteShape* s = Squares[i];
    if (!s) break;
    if (!SquareHit(*s, left, top, p)) continue;

    if (Sys().GetKeyState(VK_LBUTTON) < 0 && !Timer1->Enabled) {
      Sys().SendWindowMessage(Handle(), WM_LBUTTONUP, 0, 0);
      Timer1->Enabled = true;
      ClickSquare(Squares, AnchorIndex, s, Sys().GetKeyState(VK_SHIFT) < 0);
    }

    if (Sys().GetKeyState(VK_RBUTTON) < 0 && !Timer1->Enabled) {
      Sys().SendWindowMessage(Handle(), WM_RBUTTONUP, 0, 0);
      Timer1->Enabled = true;
      ApplyMenuRule(s);
      const TPoint q = Sys().GetCursorPos();
      pass.Popup(PopupMenu500, q.x + 1, q.y + 1);
    }

    s->Hint = ColorHint(s->Brush->Color);

    if (DuplicateModeOn()) HoverMarking(s);
  }
  // This pass's hint and hover marking saw the squares as they were when the menu opened;
  // the command's changes show at the next hit test.
  pass.RunChosen();
}

void TSDIAppForm::ApplyMenuRule(TPaletteShape* s) {
  const bool modeOn = DuplicateModeOn();
  bool anySelected = false;
  for (TPaletteShape* square : Squares) {
    if (square->Pen->Color == PenSelected) {
      anySelected = true;
      break;
    }
  }
  if (anySelected) {
    for (TMenuItem* item : {OpenPalette1, Edit1, Cut1, Copy1, Paste1, ChooseColor1, Sort1, SavePalette1, SelectAll1,
                            ClearAllSelections1}) {
      item->Enabled = true;
    }
    if (modeOn) {
      for (TMenuItem* item : {Edit1, ChooseColor1, OpenPalette1, SavePalette1, Sort1, SelectAll1, ClearAllSelections1}) {
        item->Enabled = false;
      }
      MenuIndex = s->PalPosition;
    }
  }
  const bool marked = s->Pen->Color == PenDuplicate;
  if (marked) {
    ChooseColor1->Enabled = true;
    for (TMenuItem* item : {Edit1, OpenPalette1, SavePalette1, Sort1, SelectAll1, ClearAllSelections1}) {
      item->Enabled = false;
    }
    MenuIndex = s->PalPosition;
  }
  if (!anySelected && !marked) {
    SavePalette1->Enabled = true;
    SelectAll1->Enabled = true;
    for (TMenuItem* item : {ClearAllSelections1, OpenPalette1, Edit1, ChooseColor1, Sort1}) item->Enabled = false;
  }
}

void TSDIAppForm::SelectAll1Click(TObject*) {
  for (TPaletteShape* square : Squares) square->Pen->Color = PenSelected;
}

void TSDIAppForm::ClearAllSelections1Click(TObject*) {
  for (TPaletteShape* square : Squares) square->Pen->Color = PenUnselected;
}

void TSDIAppForm::Copy1Click(TObject*) {
  int k = 0;
  for (TPaletteShape* square : Squares) {
    if (square->Pen->Color == PenSelected) {
      square->Pen->Color = PenUnselected;
      ClipColors[k++] = square->Brush->Color;
    }
  }
  for (; k < 256; ++k) ClipColors[k] = 0;
}

void TSDIAppForm::Cut1Click(TObject*) {
  const TPaletteState before = CurrentPalette();
  int k = 0;
  for (TPaletteShape* square : Squares) {
    if (square->Pen->Color == PenSelected) ClipColors[k++] = square->Brush->Color;
  }
  for (; k < 256; ++k) ClipColors[k] = 0;
  CloseCutGaps(PaletteAreas.main, 192);
  CloseCutGaps(PaletteAreas.team1, 32);
  CloseCutGaps(PaletteAreas.team2, 32);
  for (TPaletteShape* square : Squares) {
    if (square->Pen->Color == PenSelected) {
      square->Brush->Color = clBlack;
      square->Pen->Color = PenUnselected;
    }
  }
  PaletteChanged(before);
}

void TSDIAppForm::CloseCutGaps(const int* positions, int count) {
  for (int a = 0; a < count; ++a) {
    TPaletteShape* r = Squares[positions[a]];
    if (r->Pen->Color != PenSelected) continue;
    for (int b = a + 1; b < count; ++b) {
      TPaletteShape* s = Squares[positions[b]];
      if (s->Pen->Color == PenUnselected) {
        r->Brush->Color = s->Brush->Color;
        r->Pen->Color = PenUnselected;
        s->Pen->Color = PenSelected;
        break;
      }
    }
  }
}

void TSDIAppForm::Paste1Click(TObject*) {
  const TPaletteState before = CurrentPalette();
  int k = 0;
  for (TPaletteShape* square : Squares) {
    if (square->Pen->Color == PenSelected) {
      square->Pen->Color = PenUnselected;
      square->Brush->Color = ClipColors[k++];
    }
  }
  PaletteChanged(before);
}

void TSDIAppForm::Sort1Click(TObject*) {
  const TPaletteState before = CurrentPalette();
  Screen->Cursor = crHourGlass;
  SortArea(PaletteAreas.main, 192);
  SortArea(PaletteAreas.team1, 32);
  SortArea(PaletteAreas.team2, 32);
  Screen->Cursor = crArrow;
  Screen->Cursor = crDefault;
  PaletteChanged(before);
}

void TSDIAppForm::SortArea(const int* positions, int count) {
  auto exchange = [](TPaletteShape* a, TPaletteShape* b) {
    const TColor ca = a->Brush->Color;
    a->Brush->Color = b->Brush->Color;
    b->Brush->Color = ca;
  };
  for (int i = 0; i < count; ++i) {
    TPaletteShape* pi = Squares[positions[i]];
    if (pi->Pen->Color == PenSelected) {
      for (int j = i; j < count; ++j) {
        TPaletteShape* pj = Squares[positions[j]];
        if (pj->Pen->Color != PenSelected) continue;
        if (GetRValue(pj->Brush->Color) > GetRValue(pi->Brush->Color)) exchange(pi, pj);
        if (GetRValue(pj->Brush->Color) == GetRValue(pi->Brush->Color) &&
            GetGValue(pj->Brush->Color) > GetGValue(pi->Brush->Color)) {
          exchange(pi, pj);
        }
      }
    }
    pi->Pen->Color = PenUnselected;
  }
}

void TSDIAppForm::ChooseColor1Click(TObject*) {
  const TPaletteState before = CurrentPalette();
  if (CheckforDuplicates1->Caption == ShowDuplicatesText) {
    bool anySelected = false;
    for (TPaletteShape* square : Squares) {
      if (square->Pen->Color == PenSelected) {
        anySelected = true;
        break;
      }
    }
    if (!anySelected || !ColorDialog1->Execute()) return;
    for (TPaletteShape* square : Squares) {
      if (square->Pen->Color == PenSelected) {
        square->Brush->Color = ColorDialog1->Color;
        square->Pen->Color = PenUnselected;
      }
    }
    PaletteChanged(before);
  } else if (CheckforDuplicates1->Caption == DontShowDuplicatesText) {
    if (!ColorDialog1->Execute()) return;
    Squares[MenuIndex]->Brush->Color = ColorDialog1->Color;
    Squares[MenuIndex]->Pen->Color = PenUnselected;
    PaletteChanged(before);
  }
}

void TSDIAppForm::CheckforDuplicates1Click(TObject*) {
  if (CheckforDuplicates1->Caption == ShowDuplicatesText) {
    CheckforDuplicates1->Caption = DontShowDuplicatesText;
    MarkDuplicates();
  } else {
    CheckforDuplicates1->Caption = ShowDuplicatesText;
    for (TPaletteShape* square : Squares) square->Pen->Color = PenUnselected;
  }
}

void TSDIAppForm::MarkDuplicates() {
  for (int i = 0; i < 256; ++i) {
    Squares[i]->Pen->Color = PenUnselected;
    for (int j = 0; j < 256; ++j) {
      if (j != i && Squares[j]->Brush->Color == Squares[i]->Brush->Color) {
        Squares[i]->Pen->Color = PenSelected;
        break;
      }
    }
  }
}

TPaletteState TSDIAppForm::CurrentPalette() const {
  TPaletteState state;
  for (int i = 0; i < 256; ++i) {
    state.Colors[i] = Squares[i]->Brush->Color;
    state.Pens[i] = TPaletteState::PenCode(Squares[i]->Pen->Color);
  }
  state.Marks = DuplicateModeOn();
  return state;
}

// Commands that change no colour (a cancelled dialog, a merge into no square, a sort of colours
// already in order) leave no step: undo goes back to the last command that did.
void TSDIAppForm::PaletteChanged(const TPaletteState& before) {
  const TPaletteState after = CurrentPalette();
  if (after.Colors != before.Colors) History.Record(before, after);
}

// Brings back the colours of a state, and its selection. In duplicate display mode the pens
// are the mode's marks, worked out afresh from the colours as switching the mode on does; out
// of the mode, marks a state kept from the time the mode was on are no selection and go.
void TSDIAppForm::RestorePalette(const TPaletteState& state) {
  for (int i = 0; i < 256; ++i) Squares[i]->Brush->Color = state.Colors[i];
  if (DuplicateModeOn()) {
    MarkDuplicates();
    return;
  }
  for (int i = 0; i < 256; ++i) {
    Squares[i]->Pen->Color = state.Marks ? PenUnselected : TPaletteState::PenColor(state.Pens[i]);
  }
}

void TSDIAppForm::UndoPaletteChange() {
  if (const TPaletteState* state = History.Undo()) RestorePalette(*state);
}

void TSDIAppForm::RedoPaletteChange() {
  if (const TPaletteState* state = History.Redo()) RestorePalette(*state);
}

void TSDIAppForm::FormKeyDown(TObject*, unsigned short& key, TShiftState shift) {
  // Only the window itself at rest takes the keys: not before the grid exists or after it is
  // gone, nor while a menu, a dialog or another window runs its loop on top of it.
  if (!Squares[0] || inHitTest_) return;
  for (TForm* form : Application->Forms()) {
    if (form->IsModal()) return;
  }
  if (!(shift & ssCtrl) || (shift & ssAlt)) return;
  if (key == 'Z' && !(shift & ssShift)) {
    UndoPaletteChange();
    key = 0;
  } else if (key == 'Y' || key == 'Z') {
    RedoPaletteChange();
    key = 0;
  }
}

void TSDIAppForm::HoverMarking(TPaletteShape* s) {
  const TColor colour = s->Brush->Color;
  if (colour != LastHoverColor) {
    for (TPaletteShape* square : Squares) {
      if (square->Pen->Color == PenDuplicate) square->Pen->Color = PenSelected;
    }
  }
  if (s->Pen->Color != PenDuplicate) {
    for (TPaletteShape* m : Squares) {
      if (m != s && m->Brush->Color == colour) {
        s->Pen->Color = PenDuplicate;
        m->Pen->Color = PenDuplicate;
      }
    }
  }
  LastHoverColor = colour;
}
