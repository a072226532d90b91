// A fresh program on the fake system side for each test: the five windows created as
// start-up creates them, and helpers to point at squares and drive the menus.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "editor/SDIMain.h"
#include "help/About.h"
#include "help/Help.h"
#include "palettefiles/OpenPal.h"
#include "shell/Tintmesh.h"
#include "shell/Unit2.h"
#include "toolkit/fake/FakeSystem.h"

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.SetResourceDir(TINTMESH_RESOURCE_DIR);
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

  TPaletteShape* Sq(int i) const { return main->GetSquares()[i]; }
  // A screen point inside square i of the main window, at offset (dx, dy) from its corner.
  TPoint At(int i, int dx = 7, int dy = 7) const {
    return TPoint{main->Left + Sq(i)->Left + dx, main->Top + Sq(i)->Top + dy};
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
  std::vector<int> Selected() const {
    std::vector<int> out;
    for (int i = 0; i < 256; ++i) {
      if (Sq(i)->Pen->Color == clFuchsia) out.push_back(i);
    }
    return out;
  }
  void SetColours(std::initializer_list<std::pair<int, TColor>> colours) {
    for (auto& [i, c] : colours) Sq(i)->Brush->Color = c;
  }

  FakeSystem fake;
  std::unique_ptr<TApplication> app;
  TSDIAppForm* main = nullptr;
};
