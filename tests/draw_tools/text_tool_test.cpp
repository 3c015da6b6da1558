// Guards the text tool through pixel events on a headless view with a scripted edit box: both
// modes' records (point, variant, font, points-mode height), the leader placement by shape and
// side for ASCII, double-byte and half-width katakana, the 126-byte cut, the box closed by a right
// click, Esc, command 107 and another tool, Enter without a box, empty texts and protected
// drawings adding nothing, one undo per text, and no exclusive-or figure left behind.
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "support/draw_tool_fixture.h"
#include "view/snap_registration.h"

namespace plenwick {
namespace {

class TextToolTest : public testing::DrawToolTest {
 protected:
  TextToolTest() {
    s().TextHeight = 10;
    s().TextWidth = 10;
    s().TextAngle = 0;
    s().TextFont.assign(kDefaultFontSjis);
  }
  void Select(int mode) { ASSERT_TRUE(t.router->OnCommand(32832 + mode)); }
  // Types `utf8` into the box and presses Enter.
  void Type(const std::string& utf8) {
    t.window.textBoxText = utf8;
    Command(kCmdReturnKey);
  }
  std::vector<const DrawEntity*> Texts() const {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : t.doc->entities) {
      if ((e.kind == kText || e.kind == kLeaderText) && e.mark != kMarkDeleted) out.push_back(&e);
    }
    return out;
  }
  static std::vector<double> Values(const DrawEntity* e) { return {e->values.get(), e->values.get() + e->valueCount}; }
};

TEST_F(TextToolTest, APlainTextGoesWhereTheClickOrTheMagnetIs) {
  Select(0);
  EXPECT_EQ(prompt(), "文字列を作図します。作図位置を指示して下さい。");
  Click(100, 200);
  EXPECT_TRUE(t.window.textBoxShown);
  EXPECT_EQ(t.window.textBoxAt.x, 100);
  EXPECT_EQ(t.window.textBoxAt.y, 200);
  EXPECT_EQ(prompt(), "文字を入力後、[Enter]キーで作図します。");
  s().TextVariant = 2;
  s().TextAngle = 30;
  Type("寸法 AB");
  ASSERT_EQ(Texts().size(), 1u);
  const DrawEntity* e = Texts()[0];
  EXPECT_EQ(e->kind, kText);
  EXPECT_EQ(e->subKind, 2);
  EXPECT_EQ(Values(e), (std::vector<double>{100, 200, 10, 10, 30}));
  EXPECT_EQ(e->text.view(), Utf8ToSjis("寸法 AB"));
  EXPECT_EQ(e->font.view(), kDefaultFontSjis);
  EXPECT_FALSE(t.window.textBoxShown);
  EXPECT_EQ(prompt(), "文字列を作図します。作図位置を指示して下さい。");

  // Points mode scales the size by the drawing's scale; the magnet's point is taken.
  s().TextSizeMode = 1;
  t.view->mapping().scale = 50;
  t.view->mapping().PixelsPerMm = 50;  // still one pixel per model mm
  testing::AddLine(t.doc->entities, 300, 300, 400, 300);
  RebuildSnapPoints(t.doc->snapPoints, t.doc->entities);
  s().Magnet = 1;
  Click(303, 302);
  Type("X");
  ASSERT_EQ(Texts().size(), 2u);
  EXPECT_EQ(Values(Texts()[1]), (std::vector<double>{300, 300, 500, 500, 30}));
  Command(kCmdEscape);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(TextToolTest, LeaderTextsByShapeAndSide) {
  // Height 10: g = 5. Text "AB" is 2 characters, 2 units; "寸法" 2 characters, 4 units; "ｱｲｳ" 3
  // characters, 3 units (half-width katakana).
  struct Case {
    int style;
    double bendX;  // the start is at x 200; a bend left of it puts the text on the left
    const char* text;
    std::vector<double> expected;  // values after height, width and angle: none of the first five
  } cases[] = {
      {0, 250, "AB", {255, 245}},
      {0, 150, "AB", {125, 245}},
      {0, 150, "ｱｲｳ", {115, 245}},
      {1, 250, "寸法", {265, 245, 260, 250}},
      {1, 150, "寸法", {115, 245, 140, 250}},
      {2, 250, "寸法", {255, 255, 275, 250}},
      {2, 150, "ｱｲｳ", {130, 255, 130, 250}},
  };
  Select(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.style) + " " + c.text + " " + std::to_string(c.bendX));
    s().LeaderStyle = static_cast<int16_t>(c.style);
    s().LeaderArrow = 3;
    const std::size_t before = Texts().size();
    Click(200, 300);
    EXPECT_EQ(prompt(), "指示線の終端を指示して下さい。");
    Move(c.bendX, 270);
    Click(c.bendX, 250);
    ASSERT_TRUE(t.window.textBoxShown);
    Type(c.text);
    ASSERT_EQ(Texts().size(), before + 1);
    const DrawEntity* e = Texts().back();
    EXPECT_EQ(e->kind, kLeaderText);
    EXPECT_EQ(e->subKind, 3 + 10 * c.style);
    const std::vector<double> v = Values(e);
    ASSERT_EQ(v.size(), c.style == 0 ? 9u : 11u);
    EXPECT_EQ(v[0], c.expected[0]);
    EXPECT_EQ(v[1], c.expected[1]);
    EXPECT_EQ(v[4], 0) << "a leader text is not turned";
    EXPECT_EQ((std::vector<double>{v[5], v[6], v[7], v[8]}), (std::vector<double>{200, 300, c.bendX, 250}));
    if (c.style != 0) {
      EXPECT_EQ(v[9], c.expected[2]);
      EXPECT_EQ(v[10], c.expected[3]);
    }
  }
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(TextToolTest, TheBoxClosesWithoutAddingAndEachTextIsOneUndoStep) {
  Select(0);
  const auto closers = std::vector<std::function<void()>>{
      [&] { RightClick(150, 150); },
      [&] { Command(kCmdEscape); },
      [&] { Command(kCmdCloseTextBox); },
      [&] { Select(1); },  // another mode
      [&] { ASSERT_TRUE(t.router->OnCommand(32811)); },  // another tool
  };
  for (std::size_t i = 0; i < closers.size(); ++i) {
    SCOPED_TRACE(i);
    Select(0);
    Click(100, 100);
    ASSERT_TRUE(t.window.textBoxShown);
    closers[i]();
    EXPECT_FALSE(t.window.textBoxShown);
    EXPECT_EQ(t.state().textBoxOpen, 0);
    t.window.textBoxText = "lost";
    Command(kCmdReturnKey);  // Enter without a box
  }
  // An empty box and a character the drawing cannot keep add nothing (the latter keeps the box,
  // naming the character); a pasted line break becomes a space; the wave dash input methods
  // type is CP932's own.
  Select(0);
  Click(100, 100);
  Type("");
  Click(100, 100);
  for (const char* refused : {"\U0001F600", "\U00020BB7", "\u00A9", "\t"}) {
    Type(std::string("a") + refused + "b");
    EXPECT_TRUE(t.window.textBoxShown);
    EXPECT_EQ(t.ui.messages.back(), std::string("「") + refused + "」は図面に保存できない文字です。");
  }
  Type("1\n2\u301C3");
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(SjisToUtf8(Texts()[0]->text.view()), "1 2\uFF5E3");
  Command(kCmdUndo);
  Click(100, 100);
  // A text longer than 126 bytes is cut at a character boundary.
  std::string longText = "A";
  for (int i = 0; i < 70; ++i) longText += "字";
  Type(longText);
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0]->text.view().size(), 125u);
  Command(kCmdUndo);
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(TextToolTest, AProtectedDrawingRefusesAtThePlacingClick) {
  t.doc->protection = kWriteProtected;
  Select(0);
  Click(100, 100);
  EXPECT_FALSE(t.window.textBoxShown) << "nothing is typed in vain";
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>{std::string(kWriteProtectedMessage)});
  EXPECT_TRUE(Texts().empty());
}

}  // namespace
}  // namespace plenwick
