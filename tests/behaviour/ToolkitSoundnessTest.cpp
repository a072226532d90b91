// The toolkit under every window: nested loops give the activation back, a press ends when
// the system takes the capture away, an exception that escapes a handler is reported and
// the program goes on, and the fake side refuses what the system would.
#include <algorithm>
#include <stdexcept>

#include "ImportFixture.h"

namespace {

enum class Modal { ImportWindow, MessageBox, AboutBox };

struct ModalCase {
  const char* name;
  Modal window;
};

void PrintTo(const ModalCase& c, std::ostream* os) { *os << c.name; }

class ModalActivationTest : public ImportTest, public ::testing::WithParamInterface<ModalCase> {};

}  // namespace

// When a modal window closes, the system activates its owner only if the owner already takes
// input again; otherwise another program's window comes to the front.
TEST_P(ModalActivationTest, GivesTheActivationBackToTheMainWindow) {
  StartWithColours();
  ASSERT_EQ(fake.Active(), main->Handle());
  const std::string red = WriteRiff("red.pal");
  const std::string unsupported = Write("notes.pal", "hello");
  TForm* expected = nullptr;
  bool ranInside = false;
  auto inside = [&](TForm& form) {
    ranInside = true;
    EXPECT_EQ(&form, expected);
    EXPECT_EQ(fake.Active(), form.Handle());
    EXPECT_FALSE(fake.WindowOf(*main)->Enabled);
  };
  switch (GetParam().window) {
    case Modal::ImportWindow:
      expected = Form1;
      Import(red, [&] {
        inside(*Form1);
        ClickCancel();
      });
      break;
    case Modal::MessageBox:
      expected = Form2;
      fake.QueueFileDialog(unsupported);
      fake.QueueModal([&](TForm& form) {
        inside(form);
        fake.PressButton(*Form2->Button1);
      });
      main->OpenPalette1Click(main);
      break;
    case Modal::AboutBox:
      expected = AboutBox;
      Select({1});
      fake.QueueFileDialog((dir / "out.pal").string());
      fake.QueueModal([&](TForm& form) {
        inside(form);
        form.ModalResult = mrOk;
      });
      main->SavePalette1Click(main);
      break;
  }
  EXPECT_TRUE(ranInside);
  EXPECT_FALSE(expected->Visible);
  EXPECT_TRUE(fake.WindowOf(*main)->Enabled);
  EXPECT_EQ(fake.Active(), main->Handle());
}

INSTANTIATE_TEST_SUITE_P(Toolkit, ModalActivationTest,
                         ::testing::Values(ModalCase{"Import Palette window", Modal::ImportWindow},
                                           ModalCase{"message box", Modal::MessageBox},
                                           ModalCase{"About box", Modal::AboutBox}),
                         [](const ::testing::TestParamInfo<ModalCase>& info) { return CaseName(info.param.name); });

TEST_F(ProgramTest, LosingTheCaptureEndsThePressWithoutAClick) {
  Start();
  fake.Press(*main, Centre(main->Label8));
  ASSERT_EQ(main->Label8->Font->Color, clGray);
  ASSERT_TRUE(fake.CaptureHeld());

  // Alt+Tab, say: the close mark is released, orange again, and nothing closes.
  fake.LoseCapture();
  EXPECT_EQ(main->Label8->Font->Color, LinkColor);
  fake.Release(*main, Centre(main->Label8));
  EXPECT_TRUE(main->Visible);
  EXPECT_FALSE(app->Terminated);

  // The next press goes to the control under the pointer, not to the one pressed before.
  fake.Press(*main, Centre(main->Label3));
  EXPECT_EQ(main->Label3->Font->Color, clGray);
  EXPECT_EQ(main->Label8->Font->Color, LinkColor);
  fake.Release(*main, Centre(main->Label3));
  EXPECT_EQ(main->Label3->Font->Color, LinkColor);
  EXPECT_TRUE(Form3->Visible);
}

TEST_F(ProgramTest, LosingTheCaptureReleasesEveryButtonStillDown) {
  Start();
  std::vector<TMouseButton> released;
  main->Label3->OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) { released.push_back(button); };
  fake.Press(*main, Centre(main->Label3));
  fake.Press(*main, Centre(main->Label3), mbRight);
  fake.LoseCapture();
  EXPECT_EQ(released, (std::vector<TMouseButton>{mbLeft, mbRight}));
  EXPECT_FALSE(Form3->Visible);
}

namespace {

// A bare form of the toolkit with one clickable label, for what no window of the program shows.
class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {
    Name = "TestForm";
    BorderStyle = bsNone;
    ClientWidth = 100;
    ClientHeight = 100;
    Button = new TLabel(this);
    Button->SetBounds(10, 10, 30, 20);
    Button->SetParent(this);
  }
  TLabel* Button;
};

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.OnUnscripted([this](const std::string& what) { unscripted.push_back(what); });
    InstallSystemPort(&fake);
    app = std::make_unique<TApplication>();
    app->Title = "Tintmesh";
    app->CreateForm(form);
    app->CreateForm(other);
    app->Run();
  }
  void TearDown() override {
    app.reset();
    InstallSystemPort(nullptr);
  }
  TPoint OnButton() const { return TPoint{form->Left + 20, form->Top + 20}; }

  FakeSystem fake;
  std::unique_ptr<TApplication> app;
  TTestForm* form = nullptr;
  TTestForm* other = nullptr;
  std::vector<std::string> unscripted;
};

}  // namespace

TEST_F(ToolkitTest, AnExceptionFromAHandlerIsReportedAndTheProgramGoesOn) {
  int clicks = 0;
  form->Button->OnClick = [&](TObject*) {
    if (++clicks == 1) throw std::runtime_error("The palette could not be read");
  };
  fake.ExpectSystemMessageBox();
  fake.Click(*form, OnButton());
  ASSERT_EQ(fake.SystemMessageBoxes().size(), 1u);
  EXPECT_EQ(fake.SystemMessageBoxes()[0].Owner, form->Handle());
  EXPECT_EQ(fake.SystemMessageBoxes()[0].Caption, "Tintmesh");
  EXPECT_EQ(fake.SystemMessageBoxes()[0].Text, "The palette could not be read.");
  EXPECT_FALSE(fake.CaptureHeld());

  fake.Click(*form, OnButton());
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(form->Visible);
  EXPECT_TRUE(unscripted.empty());
}

TEST_F(ToolkitTest, AnExceptionFromATimerIsReportedAndTheTimerGoesOn) {
  TTimer timer(form);
  timer.Enabled = false;
  int ticks = 0;
  timer.Interval = 10;
  timer.OnTimer = [&](TObject*) {
    ++ticks;
    throw 42;  // not even a standard exception
  };
  timer.Enabled = true;
  fake.ExpectSystemMessageBox(2);
  fake.PassTime(20);
  EXPECT_EQ(ticks, 2);
  ASSERT_EQ(fake.SystemMessageBoxes().size(), 2u);
  EXPECT_EQ(fake.SystemMessageBoxes()[0].Text, "An unknown error occurred.");
  EXPECT_TRUE(fake.IsRunning(timer));
}

TEST_F(ToolkitTest, WhatATestDidNotScriptIsReported) {
  other->ShowModal();
  TOpenDialog open(form);
  open.Title = "Import Palette";
  EXPECT_FALSE(open.Execute());
  TColorDialog colour(form);
  EXPECT_FALSE(colour.Execute());
  fake.ShowSystemMessageBox(0, "Tintmesh", "Surprise");
  EXPECT_EQ(unscripted, (std::vector<std::string>{"modal window TestForm", "open dialog \"Import Palette\"",
                                                  "colour dialog", "system message box \"Surprise\""}));
}

TEST_F(ToolkitTest, ADisabledWindowTakesNoInput) {
  int clicks = 0;
  form->Button->OnClick = [&](TObject*) { ++clicks; };
  fake.QueueModal([&](TForm& modal) {
    EXPECT_EQ(&modal, other);
    fake.Click(*form, OnButton());
    fake.MovePointer(*form, OnButton());
    modal.ModalResult = mrOk;
  });
  EXPECT_EQ(other->ShowModal(), mrOk);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(fake.RefusedInputs(), 3);  // the press, the release and the move
  fake.Click(*form, OnButton());
  EXPECT_EQ(clicks, 1);
}

// The squares take no capture, so while the left button is held the system goes on asking the
// window's hit test at every move: the square under the pointer toggles once per lock-out.
TEST_F(ProgramTest, AHeldLeftButtonTogglesEachSquareItRestsOnOncePerLockOut) {
  Start();
  fake.Press(*main, At(0));
  EXPECT_FALSE(fake.CaptureHeld());
  EXPECT_EQ(Selected(), std::vector<int>{0});
  fake.MovePointer(*main, At(1));  // still in the lock-out
  EXPECT_EQ(Selected(), std::vector<int>{0});
  fake.PassTime(200);
  fake.MovePointer(*main, At(1, 8, 8));
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  fake.MovePointer(*main, At(2));
  fake.MovePointer(*main, At(1, 9, 9));
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  fake.PassTime(200);
  fake.MovePointer(*main, At(1, 10, 10));  // resting on it, after the lock-out, toggles it back
  EXPECT_EQ(Selected(), std::vector<int>{0});
  fake.Release(*main, At(1, 10, 10));
  fake.PassTime(200);
  fake.MovePointer(*main, At(2));  // with the button up, moving selects nothing
  EXPECT_EQ(Selected(), std::vector<int>{0});
}

// A press that a control captured keeps the pointer's moves to itself: dragged across the
// squares, it toggles none of them.
TEST_F(ProgramTest, APressCapturedByALinkTogglesNoSquareItIsDraggedAcross) {
  Start();
  fake.Press(*main, Centre(main->Label3));
  ASSERT_TRUE(fake.CaptureHeld());
  for (int i : {0, 1, 2, 3}) {
    fake.PassTime(200);
    fake.MovePointer(*main, At(i));
  }
  EXPECT_TRUE(Selected().empty());
  fake.Release(*main, At(3));
  EXPECT_FALSE(Form3->Visible);
  EXPECT_EQ(main->Label3->Font->Color, LinkColor);
}

// A command chosen from a grid's menu that fails is reported, and the grid still answers
// the pointer afterwards, in both windows.
TEST_F(ImportTest, AFailedMenuCommandLeavesBothGridsWorking) {
  StartWithColours();
  main->SelectAll1->OnClick = [](TObject*) { throw std::runtime_error("Select All failed"); };
  fake.ExpectSystemMessageBox();
  RightClickSquare(4, "Select All");
  ASSERT_EQ(fake.SystemMessageBoxes().size(), 1u);
  ClickSquare(4);
  EXPECT_EQ(Selected(), std::vector<int>{4});

  const std::string red = WriteRiff("red.pal");
  Import(red, [&] {
    Form1->SelectAll1->OnClick = [](TObject*) { throw std::runtime_error("Select All failed"); };
    EndImportLockOut();  // the one the window's show starts
    fake.ExpectSystemMessageBox();
    RightClickImported(8, "Select All");
    ClickImported(8);
    EXPECT_EQ(ImportedSelected(), std::vector<int>{8});
    ClickCancel();
  });
  EXPECT_EQ(fake.SystemMessageBoxes().size(), 2u);
}

namespace {

class TWatchedLabel : public TLabel {
 public:
  TWatchedLabel(TComponent* owner, bool& gone) : TLabel(owner), gone_(gone) {}
  ~TWatchedLabel() override { gone_ = true; }

 private:
  bool& gone_;
};

}  // namespace

// A control whose own click handler deletes it still gets the rest of its press (the release
// after the click) and is deleted once the message has been handled.
TEST_F(ToolkitTest, AControlDeletedByItsOwnHandlerGoesAfterTheDispatch) {
  bool gone = false;
  auto* label = new TWatchedLabel(form, gone);
  label->SetBounds(50, 50, 30, 20);
  label->SetParent(form);
  bool releasedAlive = false;
  label->OnClick = [&](TObject* sender) { DeleteAfterDispatch(static_cast<TLabel*>(sender)); };
  label->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { releasedAlive = !gone; };
  fake.Press(*form, TPoint{form->Left + 60, form->Top + 60});
  fake.Release(*form, TPoint{form->Left + 60, form->Top + 60});
  EXPECT_TRUE(releasedAlive);
  EXPECT_TRUE(gone);
  EXPECT_EQ(std::count(form->Controls().begin(), form->Controls().end(), label), 0);
  EXPECT_FALSE(fake.CaptureHeld());
}
