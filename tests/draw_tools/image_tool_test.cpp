// Guards the picture tool through pixel events on a headless view: two corners in either order
// make one kind-80 element of the picture chosen, one undo step, kept through saving; every
// answer that must place nothing (cancel, a picture that does not load, a path the drawing cannot
// keep, a rectangle without area, a protected drawing) places nothing, and no ending leaves
// exclusive-or figures on the screen.
#include <gtest/gtest.h>

#include "model/document_file.h"
#include "support/draw_tool_fixture.h"

namespace plenwick {
namespace {

constexpr int kCmdImage = 32864;

class ImageToolTest : public testing::DrawToolTest {
 protected:
  ImageToolTest() { EXPECT_TRUE(t.router->OnCommand(kCmdImage)); }
  std::vector<const DrawEntity*> Images() const {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind == kImage && e.mark != kMarkDeleted) out.push_back(&e);
    }
    return out;
  }
};

TEST_F(ImageToolTest, TwoCornersAndAPicturePlaceItAsOneUndoStep) {
  EXPECT_EQ(prompt(), "画像を作図します。開始位置を指示して下さい。");
  t.ui.imageAnswer = "/home/user/図面/写真.png";
  Click(200, 150);
  EXPECT_EQ(prompt(), "終了位置を指示して下さい。");
  Move(150, 170);
  Click(120, 190);  // the opposite corner up and to the left
  ASSERT_EQ(Images().size(), 1u);
  const DrawEntity& image = *Images()[0];
  EXPECT_EQ(std::vector<double>(image.values.get(), image.values.get() + 4), (std::vector<double>{120, 150, 200, 190}));
  EXPECT_EQ(image.text.view(), "/home/user/\x90\x7d\x96\xca/\x8e\xca\x90\x5e.png");
  EXPECT_EQ(t.ui.imageChecks, std::vector<std::string>{t.ui.imageAnswer});
  EXPECT_EQ(t.ui.rememberedImages, std::vector<std::string>{t.ui.imageAnswer});
  EXPECT_EQ(prompt(), "画像を作図します。開始位置を指示して下さい。");
  EXPECT_TRUE(XorLeftOnScreen().empty());

  const std::string path = ::testing::TempDir() + "image_tool.pwk";
  ASSERT_EQ(SaveDocumentFile(*t.doc, path), 0);
  Command(kCmdUndo);
  EXPECT_TRUE(Images().empty());
  CPlenwickDoc reopened(t.doc->programFolder(), t.ui);
  ASSERT_EQ(OpenDocumentFile(reopened, path), 0);
  int kept = 0;
  for (const DrawEntity& e : reopened.entities) kept += e.kind == kImage && e.text.view() == image.text.view();
  EXPECT_EQ(kept, 1);
}

TEST_F(ImageToolTest, EveryAnswerThatMustPlaceNothingPlacesNothing) {
  const std::string tooLong = "/" + std::string(300, 'a') + ".png";
  struct Case {
    const char* what;
    std::string answer;
    bool loads;
    ModelPoint second;
    std::string message;  // empty: none
    int asks;
  } cases[] = {
      {"cancelled", "", true, {200, 200}, "", 1},
      {"does not load", "/tmp/broken.png", false, {200, 200}, "画像ファイルを読み込めません。\n/tmp/broken.png", 1},
      {"not Shift-JIS", "/tmp/\xF0\x9F\x98\x80.png", true, {200, 200}, "この画像ファイルのパスは図面に保存できません（Shift-JIS で 255 バイトまで）。\n/tmp/\xF0\x9F\x98\x80.png", 1},
      {"longer than 255 bytes", tooLong, true, {200, 200}, "この画像ファイルのパスは図面に保存できません（Shift-JIS で 255 バイトまで）。\n" + tooLong, 1},
      {"no height", "/tmp/a.png", true, {200, 100.0}, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    t.ui.messages.clear();
    t.ui.imageAsks = 0;
    t.ui.imageAnswer = c.answer;
    t.ui.imageLoads = c.loads;
    Click(100, 100);
    Click(c.second.x, c.second.y);
    EXPECT_TRUE(Images().empty());
    EXPECT_EQ(t.ui.imageAsks, c.asks);
    EXPECT_EQ(t.ui.messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    EXPECT_TRUE(t.ui.rememberedImages.empty());
    EXPECT_EQ(step(), 0);
    EXPECT_TRUE(XorLeftOnScreen().empty());
  }
  // A right click, and Esc, abandon the rectangle.
  Click(100, 100);
  RightClick(150, 150);
  EXPECT_EQ(step(), 0);
  Click(100, 100);
  Command(kCmdCancel);
  EXPECT_EQ(step(), 0);
  EXPECT_TRUE(XorLeftOnScreen().empty());
  EXPECT_EQ(t.ui.imageAsks, 0);

  // A protected drawing is told once, before any picture is asked for, and keeps nothing.
  t.doc->protection = kWriteProtected;
  t.ui.imageAnswer = "/tmp/a.png";
  Click(100, 100);
  Click(200, 200);
  EXPECT_TRUE(Images().empty());
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>{std::string(kWriteProtectedMessage)});
  EXPECT_EQ(t.ui.imageAsks, 0);
}

}  // namespace
}  // namespace plenwick
