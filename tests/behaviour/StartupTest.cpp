#include "Fixture.h"

TEST_F(ProgramTest, WindowsAreCreatedHiddenInOrderAndTheMainWindowIsShown) {
  CreateTintmeshWindows();
  ASSERT_EQ(app->Forms().size(), 5u);
  EXPECT_EQ(app->Forms()[0], SDIAppForm);
  EXPECT_EQ(app->Forms()[1], AboutBox);
  EXPECT_EQ(app->Forms()[2], Form1);
  EXPECT_EQ(app->Forms()[3], Form2);
  EXPECT_EQ(app->Forms()[4], Form3);
  EXPECT_EQ(app->MainForm, SDIAppForm);
  for (TForm* form : app->Forms()) EXPECT_FALSE(form->Visible) << form->Name;
  app->Run();
  EXPECT_TRUE(SDIAppForm->Visible);
  EXPECT_TRUE(fake.WindowOf(*SDIAppForm)->Shown);
}

TEST_F(ProgramTest, TheMainWindowOpensCentredAtItsSizeWithoutASystemFrame) {
  Start();
  EXPECT_EQ(main->Caption(), "Tintmesh");
  EXPECT_EQ(app->Title, "Tintmesh");
  EXPECT_EQ(main->Width, 340);
  EXPECT_EQ(main->Height, 409);
  EXPECT_EQ(main->ClientWidth, 340);
  EXPECT_EQ(main->ClientHeight, 409);
  EXPECT_EQ(main->Left, (1024 - 340) / 2);
  EXPECT_EQ(main->Top, (768 - 409) / 2);
  const FakeSystem::Window* window = fake.WindowOf(*main);
  EXPECT_EQ(window->Params.Style & WS_CAPTION, 0u);
  EXPECT_EQ(window->Bounds, Bounds(342, 179, 340, 409));
  EXPECT_EQ(main->Image1->BoundsRect(), Bounds(0, 0, 340, 409));
  EXPECT_EQ(main->Shape261->BoundsRect(), Bounds(16, 41, 286, 1));
  EXPECT_EQ(main->Image6->BoundsRect(), Bounds(16, 20, 17, 16));
  EXPECT_EQ(main->GetDpiMode(), 1);
  ASSERT_FALSE(main->BackgroundPicture().Empty());
  EXPECT_EQ(main->BackgroundPicture().Width(), 340);
  EXPECT_EQ(main->BackgroundPicture().Height(), 409);
  EXPECT_EQ(main->BackgroundPicture().Bitmap->BitsPerPixel, 8);
  for (TForm* form : {static_cast<TForm*>(AboutBox), static_cast<TForm*>(Form1), static_cast<TForm*>(Form2),
                      static_cast<TForm*>(Form3)}) {
    EXPECT_FALSE(form->Visible) << form->Name;
  }
}

// The colour-depth warning is modal, so the show waits inside it: what has happened by then
// and what has not yet shows the order of the show steps.
TEST_F(ProgramTest, TheShowStepsRunInTheirOrder) {
  fake.SetPlatformId(2);
  fake.SeedInteger(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts",
                   "LogPixels", 120);
  fake.SeedString(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0",
                  "\\Registry\\Machine\\System\\CurrentControlSet\\Services\\vga\\Device0");
  fake.SeedInteger(HKEY_LOCAL_MACHINE,
                   "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\System\\CurrentControlSet\\Services\\vga\\"
                   "Device0",
                   "DefaultSettings.BitsPerPel", 8);
  fake.SeedString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brindlewick\\Palette", "LastOpened", "C:\\Skins");
  bool warned = false;
  fake.QueueModal([&](TForm& form) {
    warned = true;
    EXPECT_EQ(&form, Form2);
    TSDIAppForm* m = SDIAppForm;
    EXPECT_EQ(fake.CursorResourcesLoaded(), std::vector<std::string>{"HAND"});  // step 1
    EXPECT_EQ(m->GetPlatform(), "NT");                                          // step 2
    EXPECT_EQ(m->GetDpiMode(), 2);                                              // steps 3 and 6
    EXPECT_EQ(m->Width, 340);                                                   // step 4
    EXPECT_EQ(m->Shape258->BoundsRect(), Bounds(39, 344, 262, 2));              // step 5
    EXPECT_EQ(m->Label3->BoundsRect(), Bounds(254, 81, 46, 17));                // step 6
    EXPECT_EQ(fake.RegistryWrites(), 0);                                        // step 8 to come
    EXPECT_EQ(m->GetLastOpenedDir(), "");
    EXPECT_EQ(m->GetSquares()[0], nullptr);                                     // step 9 to come
    EXPECT_EQ(Form2->Label1->Caption(),
              "Increase Desktop Color Mode above\n 256 colors or this will look really ugly.");
    EXPECT_EQ(Form2->Width, 287);  // the large-font widths, as the layout just chosen
    EXPECT_EQ(Form2->Label1->Width, 242);
    form.ModalResult = mrOk;
  });
  bool gridWhenStored = true;
  fake.OnRegistryWrite([&](const std::string&, const std::string&) {
    gridWhenStored = SDIAppForm->GetSquares()[0] != nullptr;
  });
  Start();
  EXPECT_TRUE(warned);
  EXPECT_FALSE(gridWhenStored);  // the settings load comes before the grid
  EXPECT_EQ(fake.ModalForms().size(), 1u);
  EXPECT_EQ(main->GetLastOpenedDir(), "C:\\Skins");
  ASSERT_NE(Sq(255), nullptr);
  EXPECT_TRUE(main->Visible);
}

TEST_F(ProgramTest, TheCloseStepsRunInTheirOrder) {
  Start();
  main->OpenDialog1->FileName = "C:\\Skins\\red.pal";
  main->SaveDialog1->FileName = "D:\\Out\\team.pal";
  fake.Click(*main, At(0));  // the lock-out is on
  std::vector<std::string> order;
  fake.OnRegistryWrite([&](const std::string& name, const std::string&) {
    order.push_back(name);
    EXPECT_EQ(SDIAppForm->GetSquares()[0], nullptr) << "squares destroyed first";
    EXPECT_FALSE(SDIAppForm->Timer1->Enabled) << "then the lock-out timer stopped";
  });
  main->Close();
  EXPECT_EQ(order, (std::vector<std::string>{"LastOpened", "LastSaved"}));
  EXPECT_EQ(main->GetLastOpenedDir(), "C:\\Skins");
  EXPECT_EQ(main->GetLastSavedDir(), "D:\\Out");
  EXPECT_TRUE(app->Terminated);
}

TEST_F(ProgramTest, TheTitleRowAndTheTextsAreDrawnInTheirFonts) {
  Start();
  fake.PaintAll();
  struct Expected {
    const char* text;
    int height;
    bool bold;
    bool underline;
    TColor colour;
  };
  for (const Expected& e : {Expected{"Brindlewick Tintmesh", 16, true, false, LinkColor},
                            Expected{"x", 21, true, false, LinkColor}, Expected{"here.", 12, false, true, LinkColor}}) {
    bool found = false;
    for (const FakeSystem::DrawnText& t : fake.Texts()) {
      if (t.Target != main->Buffer() || t.Text != e.text) continue;
      found = true;
      EXPECT_EQ(t.Font.Name, "Arial") << e.text;
      EXPECT_EQ(t.Font.Height, e.height) << e.text;
      EXPECT_EQ(t.Font.Bold, e.bold) << e.text;
      EXPECT_EQ(t.Font.Underline, e.underline) << e.text;
      EXPECT_EQ(t.Font.Color, e.colour) << e.text;
    }
    EXPECT_TRUE(found) << e.text;
  }
}
