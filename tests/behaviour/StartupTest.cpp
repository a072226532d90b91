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
