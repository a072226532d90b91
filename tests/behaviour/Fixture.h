// A fresh program on the fake system side for each test: the five windows created as
// start-up creates them, and helpers to point at squares and drive the menus.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "editor/SDIMain.h"
#include "help/About.h"
#include "help/Help.h"
#include "palettefiles/OpenPal.h"
#include "shell/Chrome.h"
#include "shell/Tintmesh.h"
#include "shell/Unit2.h"
#include "toolkit/fake/FakeSystem.h"

// A test name made of a case's description, for tables of cases.
inline std::string CaseName(const std::string& description) {
  std::string name;
  for (char c : description) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.SetResourceDir(TINTMESH_RESOURCE_DIR);
    // A modal window, dialog or message box the test did not script fails it.
    fake.OnUnscripted([](const std::string& what) { ADD_FAILURE() << "not scripted: " << what; });
    InstallSystemPort(&fake);
    app = std::make_unique<TApplication>();
    app->Title = "Tintmesh";
  }
  void TearDown() override {
    app.reset();
    InstallSystemPort(nullptr);
  }

  // Start-up up to the message loop: the windows are created, the main window shown.
  void Start() {
    CreateTintmeshWindows();
    app->Run();
    main = SDIAppForm;
  }
  // Starts the program, in the large-font layout when asked: the main window takes DpiMode 2
  // from a font setting of 120 pixels per inch on the NT family.
  void StartIn(int dpiMode) {
    if (dpiMode == 2) {
      fake.SetPlatformId(2);
      fake.SeedInteger(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts",
                       "LogPixels", 120);
    }
    Start();
    ASSERT_EQ(main->GetDpiMode(), dpiMode);
  }

  TPaletteShape* Sq(int i) const { return main->GetSquares()[i]; }
  // A screen point of the main window's client area.
  TPoint OnMain(int x, int y) const { return TPoint{main->Left + x, main->Top + y}; }
  // A screen point inside square i of the main window, at offset (dx, dy) from its corner.
  TPoint At(int i, int dx = 7, int dy = 7) const { return OnMain(Sq(i)->Left + dx, Sq(i)->Top + dy); }
  // The middle of a control of the main window, on the screen.
  TPoint Centre(const TControl* control) const {
    return OnMain(control->Left + control->Width / 2, control->Top + control->Height / 2);
  }
  // A click as the system delivers it, then the end of the lock-out.
  void ClickSquare(int i, bool shift = false) {
    fake.SetKey(VK_SHIFT, shift);
    fake.Click(*main, At(i));
    fake.SetKey(VK_SHIFT, false);
    fake.Fire(*main->Timer1);
  }
  void RightClickSquare(int i, const std::string& choice = "") {
    fake.QueueMenuChoice(choice);
    fake.Click(*main, At(i), mbRight);
    fake.Fire(*main->Timer1);
  }
  // The pointer comes to rest over square i with no button down.
  void Hover(int i) { fake.MovePointer(*main, At(i)); }
  void SelectSquares(std::initializer_list<int> squares) {
    for (int i : squares) Sq(i)->Pen->Color = clFuchsia;
  }
  std::vector<int> Selected() const { return WithPen(clFuchsia); }
  std::vector<int> WithPen(TColor pen) const {
    std::vector<int> out;
    for (int i = 0; i < 256; ++i) {
      if (Sq(i)->Pen->Color == pen) out.push_back(i);
    }
    return out;
  }
  void SetColours(std::initializer_list<std::pair<int, TColor>> colours) {
    for (auto& [i, c] : colours) Sq(i)->Brush->Color = c;
  }
  // A palette in which every square has a colour of its own, none of them black.
  static TColor Distinct(int i) { return static_cast<TColor>(0x400000 | ((i + 1) << 8) | (255 - i)); }
  void PaintDistinctColours() {
    for (int i = 0; i < 256; ++i) Sq(i)->Brush->Color = Distinct(i);
  }
  std::vector<TColor> Brushes() const {
    std::vector<TColor> out;
    for (int i = 0; i < 256; ++i) out.push_back(Sq(i)->Brush->Color);
    return out;
  }

  // The entry at a caption path ("Edit/Cut") of a popup as it was shown, or none.
  static const MenuEntry* Entry(const std::vector<MenuEntry>& items, const std::string& path) {
    const std::size_t slash = path.find('/');
    const std::string head = path.substr(0, slash);
    for (const MenuEntry& entry : items) {
      if (entry.Caption != head) continue;
      return slash == std::string::npos ? &entry : Entry(entry.Children, path.substr(slash + 1));
    }
    return nullptr;
  }
  // Whether the last popup offered the entry at a caption path: it and every submenu on the way enabled.
  bool Offered(const std::string& path) const {
    if (fake.Popups().empty()) return false;
    const std::vector<MenuEntry>* items = &fake.Popups().back().Items;
    std::size_t start = 0;
    while (true) {
      const std::size_t slash = path.find('/', start);
      const MenuEntry* entry = Entry(*items, path.substr(start, slash - start));
      if (!entry || !entry->Enabled) return false;
      if (slash == std::string::npos) return true;
      items = &entry->Children;
      start = slash + 1;
    }
  }

  // The colours in which a text was drawn into the main window since the last ClearTexts.
  std::vector<TColor> TextsOnMain(const std::string& text) const {
    std::vector<TColor> out;
    for (const FakeSystem::DrawnText& t : fake.Texts()) {
      if (t.Target == main->Buffer() && t.Text == text) out.push_back(t.Font.Color);
    }
    return out;
  }

  FakeSystem fake;
  std::unique_ptr<TApplication> app;
  TSDIAppForm* main = nullptr;
};
