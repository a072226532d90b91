// The program on the fake system side with a scratch folder for palette files, and helpers
// that drive the two file commands, the Import Palette window and the message box.
#pragma once

#include <stdlib.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "Fixture.h"

namespace fs = std::filesystem;

// The colours the tests' palette files hold, and the colours they give the working palette
// first: every one distinct, none black and none white.
inline TColor FileColour(int i) { return static_cast<TColor>((255 - i) | (i << 8) | (0x33 << 16)); }
inline TColor WorkingColour(int i) { return static_cast<TColor>(i | (0x40 << 8) | (0x80 << 16)); }

using Colours = std::array<TColor, 256>;

inline Colours FileColours() {
  Colours c{};
  for (int i = 0; i < 256; ++i) c[i] = FileColour(i);
  return c;
}

// The 1048 bytes of a RIFF palette holding these colours.
inline std::string RiffBytes(const Colours& colours) {
  static const unsigned char header[24] = {0x52, 0x49, 0x46, 0x46, 0x10, 0x04, 0x00, 0x00, 0x50, 0x41, 0x4C, 0x20,
                                           0x64, 0x61, 0x74, 0x61, 0x04, 0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01};
  std::string bytes(reinterpret_cast<const char*>(header), sizeof header);
  for (TColor c : colours) {
    bytes.push_back(static_cast<char>(GetRValue(c)));
    bytes.push_back(static_cast<char>(GetGValue(c)));
    bytes.push_back(static_cast<char>(GetBValue(c)));
    bytes.push_back('\0');
  }
  return bytes;
}

// A JASC text palette of these colours, its lines ended by CR LF.
inline std::string JascText(const Colours& colours) {
  std::string text = "JASC-PAL\r\n0100\r\n256\r\n";
  for (TColor c : colours) {
    text += std::to_string(GetRValue(c)) + " " + std::to_string(GetGValue(c)) + " " + std::to_string(GetBValue(c)) +
            "\r\n";
  }
  return text;
}

class ImportTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    std::string name = (fs::temp_directory_path() / "tintmesh-import-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::runtime_error("cannot create a scratch folder");
    dir = name;
  }
  void TearDown() override {
    ProgramTest::TearDown();
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }

  // Starts the program and gives every working square its own colour.
  void StartWithColours(int dpiMode = 1) {
    StartIn(dpiMode);
    for (int i = 0; i < 256; ++i) Sq(i)->Brush->Color = WorkingColour(i);
  }

  // Files in the scratch folder. A name may hold backslashes, which on this system are part of
  // the file's name: "pal\\skins\\red.pal" is one file whose Windows-style folder is "...\\pal\\skins".
  std::string Write(const std::string& name, const std::string& bytes) const {
    const fs::path file = dir / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }
  std::string WriteRiff(const std::string& name, const Colours& colours = FileColours()) const {
    return Write(name, RiffBytes(colours));
  }
  static std::string ReadFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& item : fs::directory_iterator(dir)) names.insert(item.path().filename().string());
    return names;
  }

  // The import command as the user reaches it: a right click on a working square and
  // "Import Palette"; the dialog answers `file` and `script` drives the Import Palette window.
  void ImportFromMenu(const std::string& file, std::function<void()> script, int onSquare = 0) {
    QueueImport(file, std::move(script));
    RightClickSquare(onSquare, "Import Palette");
  }
  // The same command run directly, for selections the menu would not offer it with.
  void Import(const std::string& file, std::function<void()> script) {
    QueueImport(file, std::move(script));
    main->OpenPalette1Click(main);
  }
  void QueueImport(const std::string& file, std::function<void()> script) {
    fake.QueueFileDialog(file);
    fake.QueueModal([script](TForm& form) {
      ASSERT_EQ(&form, Form1) << "the Import Palette window was expected";
      ASSERT_TRUE(Form1->Visible);
      script();
    });
  }

  // The Import Palette window's squares, at the window's current place on the screen.
  TPaletteShape* Imp(int i) const { return Form1->GetSquares()[i]; }
  TPoint ImpAt(int i, int dx = 7, int dy = 7) const {
    return TPoint{Form1->Left + Imp(i)->Left + dx, Form1->Top + Imp(i)->Top + dy};
  }
  TPoint CentreOf(const TForm& form, const TControl& control) const {
    return TPoint{form.Left + control.Left + control.Width / 2, form.Top + control.Top + control.Height / 2};
  }
  void EndImportLockOut() { fake.Fire(*Form1->Timer1); }
  // A click on an imported square, then the end of the lock-out it starts.
  void ClickImported(int i, bool shift = false) {
    fake.SetKey(VK_SHIFT, shift);
    fake.Click(*Form1, ImpAt(i));
    fake.SetKey(VK_SHIFT, false);
    EndImportLockOut();
  }
  void RightClickImported(int i, const std::string& choice) {
    fake.QueueMenuChoice(choice);
    fake.Click(*Form1, ImpAt(i), mbRight);
    EndImportLockOut();
  }
  void ClickOk() { fake.Click(*Form1, CentreOf(*Form1, *Form1->Label5)); }
  void ClickCancel() { fake.Click(*Form1, CentreOf(*Form1, *Form1->Label3)); }
  std::vector<int> ImportedSelected() const {
    std::vector<int> out;
    for (int i = 0; i < 256; ++i) {
      if (Imp(i)->Pen->Color == clFuchsia) out.push_back(i);
    }
    return out;
  }
  bool ImportWindowGone() const {
    for (TPaletteShape* s : Form1->GetSquares()) {
      if (s) return false;
    }
    return !Form1->Visible && !Form1->Timer1->Enabled && !fake.IsRunning(*Form1->Timer1);
  }

  // What the working palette holds: colour and pen of every square.
  struct Snapshot {
    std::array<TColor, 256> Brush{};
    std::array<TColor, 256> Pen{};
    bool operator==(const Snapshot& o) const { return Brush == o.Brush && Pen == o.Pen; }
  };
  Snapshot Working() const {
    Snapshot s;
    for (int i = 0; i < 256; ++i) {
      s.Brush[i] = Sq(i)->Brush->Color;
      s.Pen[i] = Sq(i)->Pen->Color;
    }
    return s;
  }
  void Select(std::initializer_list<int> squares) {
    for (int i : squares) Sq(i)->Pen->Color = clFuchsia;
  }
  // The colour painted in the middle of a working square.
  TColor OnScreen(int i) {
    fake.PaintAll();
    return fake.PixelAt(*main, Sq(i)->Left + 7, Sq(i)->Top + 7);
  }

  // The message box as it stood while it was shown.
  struct ShownBox {
    bool Shown = false;
    std::string Text;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    TRect Label, Button;
  };
  void QueueMessageBox(ShownBox& out, bool pressOk = true) {
    fake.QueueModal([this, &out, pressOk](TForm& form) {
      ASSERT_EQ(&form, Form2) << "the message box was expected";
      out.Shown = Form2->Visible;
      out.Text = Form2->Label1->Caption;
      out.Left = Form2->Left;
      out.Top = Form2->Top;
      out.Width = Form2->Width;
      out.Height = Form2->Height;
      out.Label = Form2->Label1->BoundsRect();
      out.Button = Form2->Button1->BoundsRect();
      if (pressOk) fake.PressButton(*Form2->Button1);
    });
  }
  bool WasShown(const TForm* form) const {
    for (TForm* f : fake.ModalForms()) {
      if (f == form) return true;
    }
    return false;
  }

  fs::path dir;
};
