#include "help/About.h"

#include <memory>

#include "editor/SDIMain.h"
#include "shell/Chrome.h"
#include "shell/Maker.h"
#include "shell/Unit2.h"

TAboutBox* AboutBox = nullptr;

namespace {

constexpr int PictureWidth = 284;
constexpr int PictureHeight = 224;
constexpr const char* AuthorName = "Edda Marlow";
constexpr const char* OpenCommandKey = "\\shell\\open\\command";

// Gives an image the program's bitmap resource of this name.
void LoadPicture(TImage* image, const char* resource) {
  auto bitmap = std::make_shared<TBitmap>();
  bitmap->LoadFromResourceName(resource);
  TPicture picture;
  picture.Bitmap = bitmap;
  image->SetPicture(picture);
}

void SetupText(TLabel* label, const std::string& caption, const char* font, int height, bool bold) {
  label->Caption = caption;
  label->Font->Name = font;
  label->Font->Height = height;
  label->Font->Bold = bold;
  label->Font->Color = clWhite;
  label->Transparent = true;
  label->AutoSize = false;
}

// The default value of a key of the reader's root, opened for reading only. A key that does
// not open, a missing value and a value that is not text all read as empty text.
std::string ReadDefaultValue(TRegistry& registry, const std::string& key) {
  std::string value;
  if (registry.OpenKeyReadOnly(key)) {
    try {
      value = registry.ReadString("");
    } catch (const ERegistryException&) {
      value.clear();
    }
  }
  registry.CloseKey();
  return value;
}

struct BrowserLaunch {
  std::string Directory;
  std::string File;
};

// Takes an open command such as "C:\Program Files\Browser\browser.exe" -url "%1" apart at its
// last backslash: the folder before it and the program file after it, up to the first space
// and without a closing quote. The arguments are not used; the web address replaces them.
BrowserLaunch SplitBrowserCommand(const std::string& command) {
  BrowserLaunch launch;
  std::string tail = command;
  const std::size_t slash = command.rfind('\\');
  if (slash != std::string::npos) {
    launch.Directory = command.substr(0, slash);
    tail = command.substr(slash + 1);
  }
  launch.File = tail.substr(0, tail.find(' '));
  if (!launch.File.empty() && launch.File.back() == '"') launch.File.pop_back();
  // The folder of a quoted path loses its opening quote as the file loses its closing one:
  // the shell looks for the file in the folder as named, and a quote is no part of a name.
  if (!launch.Directory.empty() && launch.Directory.front() == '"') launch.Directory.erase(0, 1);
  return launch;
}

}  // namespace

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
  Name = "AboutBox";
  Caption = "About Tintmesh";
  BorderStyle = bsSingle;
  Position = poDesigned;
  Font->Name = "Arial";
  Font->Height = 11;
  Font->Color = clBlack;
  ClientWidth = PictureWidth;
  ClientHeight = PictureHeight;
  // Designed at the outer size the show gives it, so that the save command, which centres
  // the box by its size before the show, centres it exactly.
  Width = PictureWidth + 4;
  Height = PictureHeight + 25;

  OKButton = new TButton(this);
  OKButton->Name = "OKButton";
  OKButton->Caption = "OK";
  OKButton->Default = true;
  OKButton->ModalResult = mrOk;
  OKButton->Font->Name = "Arial";
  OKButton->Font->Height = 11;
  OKButton->SetBounds(110, 183, 65, 30);
  OKButton->SetParent(this);

  Image1 = new TImage(this);
  Image1->Name = "Image1";
  Image1->AutoSize = true;
  LoadPicture(Image1, "ABOUT");
  Image1->SetBounds(0, 0, PictureWidth, PictureHeight);
  Image1->SetParent(this);

  Shape1 = new TShape(this);
  Shape1->Name = "Shape1";
  Shape1->SetBounds(26, 55, 36, 36);
  Shape1->SetParent(this);

  Image2 = new TImage(this);
  Image2->Name = "Image2";
  Image2->Center = true;
  LoadPicture(Image2, "EMBLEM");
  Image2->SetBounds(28, 57, 32, 32);
  Image2->SetParent(this);

  Label1 = new TLabel(this);
  Label1->Name = "Label1";
  SetupText(Label1, "Brindlewick Tintmesh", "Arial", 15, true);
  Label1->SetBounds(73, 57, 200, 18);
  Label1->SetParent(this);

  Label2 = new TLabel(this);
  Label2->Name = "Label2";
  SetupText(Label2, "Version 1.0", "Arial", 15, true);
  Label2->SetBounds(103, 81, 78, 18);
  Label2->SetParent(this);

  Label3 = new TLabel(this);
  Label3->Name = "Label3";
  SetupText(Label3, AuthorName, "MS Sans Serif", 12, false);
  Label3->SetBounds(82, 122, 119, 13);
  Label3->SetParent(this);

  Label5 = new TLabel(this);
  Label5->Name = "Label5";
  SetupLinkLabel(Label5, MakerWebAddress, 12);
  Label5->AutoSize = false;
  Label5->WordWrap = true;
  Label5->Hint = MakerWebAddress;
  Label5->ShowHint = true;
  Label5->SetBounds(32, 150, 225, 15);
  Label5->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Label5MouseDown(s, b, sh, x, y);
  };
  Label5->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Label5MouseUp(s, b, sh, x, y);
  };
  Label5->OnClick = [this](TObject* s) { Label5Click(s); };
  Label5->SetParent(this);

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TAboutBox::FormShow(TObject*) {
  LoadHandCursor({Label5});
  // The box takes its size from its picture: the picture fills the client area exactly.
  const int width = Image1->Picture().Empty() ? PictureWidth : Image1->Picture().Width();
  const int height = Image1->Picture().Empty() ? PictureHeight : Image1->Picture().Height();
  ClientWidth = width;
  ClientHeight = height;
  Width = width + 4;
  Height = height + 25;
  DpiMode = SDIAppForm->GetDpiMode();
  Image1->SetBounds(0, 0, 284, 224);
  if (DpiMode == 2) {
    Shape1->SetBounds(13, 56, 36, 36);
    Image2->SetBounds(15, 58, 32, 32);
    Label1->SetBounds(60, 54, 245, 21);
    Label2->SetBounds(93, 84, 98, 21);
    Label3->SetBounds(67, 110, 151, 16);
    Label5->SetBounds(25, 137, 235, 17);
    OKButton->SetBounds(102, 169, 80, 37);
  } else {
    Shape1->SetBounds(26, 55, 36, 36);
    Image2->SetBounds(28, 57, 32, 32);
    Label1->SetBounds(73, 57, 200, 18);
    Label2->SetBounds(103, 81, 78, 18);
    Label3->SetBounds(82, 122, 119, 13);
    Label5->SetBounds(32, 150, 225, 15);
    OKButton->SetBounds(110, 183, 65, 30);
  }
}

void TAboutBox::Label5MouseDown(TObject* sender, TMouseButton, TShiftState, int, int) { LinkPressed(sender); }

void TAboutBox::Label5MouseUp(TObject* sender, TMouseButton, TShiftState, int, int) { LinkReleased(sender); }

std::string TAboutBox::BrowserCommand() {
  std::string className = ReadDefaultValue(*TypeRegistry, ".htm");
  if (className.empty()) className = ReadDefaultValue(*TypeRegistry, "\\.html");
  // With no class name this is the key shell\open\command right under the root.
  return ReadDefaultValue(*CommandRegistry, className + OpenCommandKey);
}

void TAboutBox::ShowBrowserNotice(const std::string& text, int boxWidthLarge, int labelWidthLarge) {
  if (DpiMode == 2) {
    ShowMessageBox(text, boxWidthLarge, labelWidthLarge, 15, 17, this);
  } else {
    ShowMessageBox(text, 235, 175, 15, 17, this);
  }
}

void TAboutBox::Label5Click(TObject*) {
  // The two readers live for this lookup only and go on every path out of it.
  std::unique_ptr<TRegistry> typeRegistry(new TRegistry);
  std::unique_ptr<TRegistry> commandRegistry(new TRegistry);
  TypeRegistry = typeRegistry.get();
  CommandRegistry = commandRegistry.get();
  TypeRegistry->RootKey = HKEY_CLASSES_ROOT;
  CommandRegistry->RootKey = HKEY_CLASSES_ROOT;

  const std::string command = BrowserCommand();
  if (command.empty()) {
    ShowBrowserNotice("Could not locate web browser.", 264, 180);
  } else {
    const BrowserLaunch launch = SplitBrowserCommand(command);
    ShellExecuteRequest request;
    request.Mask = SEE_MASK_FLAG_NO_UI;
    request.Owner = 0;
    request.Verb = "open";
    request.File = launch.File;
    request.Parameters = std::string(MakerWebAddress) + "/";
    request.Directory = launch.Directory;
    request.Show = SW_SHOWDEFAULT;
    if (!Sys().ShellOpen(request)) ShowBrowserNotice("Couldn't execute web browser.", 279, 195);
  }

  TypeRegistry = nullptr;
  CommandRegistry = nullptr;
}
