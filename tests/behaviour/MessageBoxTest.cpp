// The program's message box: how ShowMessageBox sizes, fills and places it for each notice.
#include "ImportFixture.h"

namespace {

struct BoxCase {
  const char* Name;
  int BoxWidth, LabelWidth, LabelHeight, LabelTop;
  int OverWidth, OverHeight;  // size of the window it is centred over
  int OffsetX, OffsetY;       // expected place from that window's corner
  int LabelLeft, ButtonLeft;
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.Name; }

class MessageBoxGeometry : public ImportTest, public ::testing::WithParamInterface<BoxCase> {};

}  // namespace

TEST_P(MessageBoxGeometry, CentringAndTheLabelAndButtonPlacesTruncateTheirHalves) {
  const BoxCase& c = GetParam();
  StartIn(1);
  // The box is centred over the About box, given the size of the case and an odd place.
  AboutBox->Left = 123;
  AboutBox->Top = 77;
  AboutBox->Width = c.OverWidth;
  AboutBox->Height = c.OverHeight;
  ShownBox box;
  QueueMessageBox(box);
  ShowMessageBox("Some notice.", c.BoxWidth, c.LabelWidth, c.LabelHeight, c.LabelTop, AboutBox);

  ASSERT_TRUE(box.Shown);
  EXPECT_EQ(box.Text, "Some notice.");
  EXPECT_EQ(box.Width, c.BoxWidth);
  EXPECT_EQ(box.Height, 125);
  EXPECT_EQ(box.Left, 123 + c.OffsetX);
  EXPECT_EQ(box.Top, 77 + c.OffsetY);
  EXPECT_EQ(box.Label, Bounds(c.LabelLeft, c.LabelTop, c.LabelWidth, c.LabelHeight));
  EXPECT_EQ(box.Button, Bounds(c.ButtonLeft, 60, 75, 25));
  EXPECT_FALSE(Form2->Visible);
}

INSTANTIATE_TEST_SUITE_P(
    Uses, MessageBoxGeometry,
    ::testing::Values(
        // 105 / 2 and 284 / 2 lose their halves: 52, not 53.
        BoxCase{"UnsupportedOverTheMainWindow", 235, 135, 15, 17, 340, 409, 52, 142, 50, 80},
        BoxCase{"UnsupportedLargeFonts", 264, 140, 15, 17, 340, 409, 38, 142, 62, 94},
        BoxCase{"BrowserNotStartedLargeFonts", 279, 195, 15, 17, 340, 409, 30, 142, 42, 102},
        // Over a smaller window the differences are negative and still truncate toward zero.
        BoxCase{"WiderThanTheWindowBelow", 287, 242, 32, 9, 250, 100, -18, -12, 22, 106}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.Name); });

TEST_F(ImportTest, AnUncentredBoxStaysWhereItLastWasAndTheCloseBoxActsAsOk) {
  StartIn(1);
  const std::string warning = "Increase Desktop Color Mode above\n 256 colors or this will look really ugly.";
  EXPECT_EQ(Form2->Caption(), "Tintmesh");
  EXPECT_EQ(Form2->Label1->Caption(), "Error Message");

  ShownBox first;
  QueueMessageBox(first);  // dismissed with OK
  ShowMessageBox(warning, 245, 205, 32, 9, nullptr);
  EXPECT_EQ(first.Text, warning);
  EXPECT_EQ(first.Left, 626);
  EXPECT_EQ(first.Top, 608);
  EXPECT_EQ(first.Width, 245);
  EXPECT_EQ(first.Label, Bounds(20, 9, 205, 32));
  EXPECT_EQ(first.Button, Bounds(85, 60, 75, 25));
  EXPECT_EQ(Form2->ModalResult, mrOk);

  ShownBox centred;
  QueueMessageBox(centred, false);  // dismissed with the close box
  ShowMessageBox("Unsupported Palette.", 235, 135, 15, 17, main);
  EXPECT_EQ(centred.Left, main->Left + 52);
  EXPECT_FALSE(Form2->Visible);

  ShownBox after;
  QueueMessageBox(after);
  ShowMessageBox(warning, 287, 242, 32, 9, nullptr);
  EXPECT_EQ(after.Left, main->Left + 52);
  EXPECT_EQ(after.Top, main->Top + 142);
  EXPECT_EQ(after.Width, 287);
  EXPECT_EQ(after.Label, Bounds(22, 9, 242, 32));
  EXPECT_EQ(after.Button, Bounds(106, 60, 75, 25));
}
