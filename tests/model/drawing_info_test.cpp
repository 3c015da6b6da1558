// Guards the drawing information: the two date forms are split as documented (old YYMMDD dates
// show as 1997 in an existing drawing), values go back into the header within their fields,
// protection takes effect at once only for an existing drawing, and a wrong password keeps it.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <memory>
#include <string>

#include "model/drawing_info.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::RecordingUserInterface;
using testing::ScopedTempFolder;

TEST(DrawingInfo, NewDrawingSplitsTwoDigitYears) {
  struct Case { int32_t stored; CalendarDate shown; } cases[] = {
      {250314, {2025, 3, 14}}, {991231, {1999, 12, 31}}, {500101, {1950, 1, 1}},
      {491231, {2049, 12, 31}}, {101, {2000, 1, 1}},
  };
  for (const Case& c : cases) {
    DrawingHeader h;
    h.setCreationDate(c.stored);
    h.setUpdateDate(c.stored);
    const DrawingInfo info = DrawingInfoForNewDrawing(h);
    EXPECT_EQ(info.creationDate, c.shown) << c.stored;
    EXPECT_EQ(info.updateDate, c.shown) << c.stored;
    EXPECT_EQ(info.fileName, kUntitledSjis);
  }
}

TEST(DrawingInfo, ExistingDrawingShowsOddDatesAsDocumented) {
  struct Case { int32_t stored; CalendarDate shown; } cases[] = {
      {20250314, {2025, 3, 14}},
      {250314, {1997, 3, 14}},    // never given its information: still YYMMDD
      {20101231, {1997, 12, 31}},  // before 2011
      {20110101, {2011, 1, 1}},
      {21001231, {2100, 12, 31}},
      {21010101, {1997, 1, 1}},
      {20250300, {2025, 3, 1}},  // day 0
      {20250332, {2025, 3, 1}},  // day 32
      {-20250314, {1997, -3, 1}},
  };
  for (const Case& c : cases) {
    DrawingHeader h;
    h.setCreationDate(c.stored);
    h.setUpdateDate(c.stored);
    const DrawingInfo info = DrawingInfoForExistingDrawing(h, "a.pwk");
    EXPECT_EQ(info.creationDate, c.shown) << c.stored;
    EXPECT_EQ(info.updateDate, c.shown) << c.stored;
    EXPECT_EQ(info.fileName, "a.pwk");
  }
}

TEST(DrawingInfo, ScaleFromAnyFileFitsTheDialog) {
  struct Case { float stored; int32_t shown; } cases[] = {
      {50.0f, 50}, {0.0f, 1}, {-3.0f, 1}, {1e9f, 100000}, {std::nanf(""), 1}, {2.6f, 3}};
  for (const Case& c : cases) {
    DrawingHeader h;
    h.setScale(c.stored);
    EXPECT_EQ(DrawingInfoForExistingDrawing(h, "").scale, c.shown) << c.stored;
  }
}

TEST(DrawingInfo, WrongPasswordIsRefused) {
  struct Case { const char* stored; const char* entered; bool accepted; } cases[] = {
      {"abc", "abc", true}, {"abc", "ABC", false}, {"abc", "abc ", false}, {"abc", "", false}, {"", "", true},
  };
  for (const Case& c : cases) {
    const std::string_view message = CheckPasswordRemoval(c.stored, c.entered);
    if (c.accepted) {
      EXPECT_TRUE(message.empty()) << c.entered;
    } else {
      EXPECT_EQ(message, "パスワードが違っています。") << c.entered;
    }
  }
}

class DrawingInfoDocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCurrentSettings();
    doc = std::make_unique<CPlenwickDoc>(tmp.path(), ui, DocumentEnvironment{{2025, 3, 14}, "taro"});
  }
  void TearDown() override {
    doc.reset();
    ResetCurrentSettings();
  }
  DrawingInfo Filled() const {
    DrawingInfo info = DrawingInfoForNewDrawing(doc->header, doc->fileName.view());
    info.fileName = "plan";
    info.drawingName = "floor";
    info.author = "hanako";
    info.updater = "jiro";
    info.password = "secret";
    info.creationDate = {2024, 12, 1};
    info.updateDate = {2025, 1, 2};
    info.scale = 50;
    info.paperSize = 3;
    info.orientation = 1;
    info.printType = 1;
    info.paperMode = 0;
    info.protection = kPasswordProtected;
    return info;
  }

  ScopedTempFolder tmp;
  RecordingUserInterface ui;
  std::unique_ptr<CPlenwickDoc> doc;
};

TEST_F(DrawingInfoDocTest, NewDrawingTakesEveryValue) {
  doc->extentWidth = 1;
  ApplyNewDrawingInfo(*doc, Filled());
  const DrawingHeader& h = doc->header;
  EXPECT_EQ(doc->fileName.view(), "plan");
  EXPECT_EQ(h.drawingName(), "floor");
  EXPECT_EQ(h.author(), "hanako");
  EXPECT_EQ(h.updater(), "jiro");
  EXPECT_EQ(h.password(), "secret");
  EXPECT_EQ(h.creationDate(), 20241201);
  EXPECT_EQ(h.updateDate(), 20250102);
  EXPECT_EQ(h.scale(), 50.0f);
  EXPECT_EQ(h.paperSize(), 3);
  EXPECT_EQ(h.orientation(), 1);
  EXPECT_EQ(h.printType(), 1);
  EXPECT_EQ(h.paperMode(), 0);
  EXPECT_EQ(h.protection(), kPasswordProtected);
  // Stored for the next opening only: the new drawing itself can still be drawn on.
  EXPECT_EQ(doc->protection, kNotProtected);
  EXPECT_EQ(doc->extentWidth, 594);
  EXPECT_EQ(doc->extentHeight, 420);
  // From now on the dates read back as four-digit years.
  EXPECT_EQ(DrawingInfoForExistingDrawing(h, "").creationDate, (CalendarDate{2024, 12, 1}));
}

TEST_F(DrawingInfoDocTest, TextsAreCutToTheirFieldsAtCharacterBoundaries) {
  DrawingInfo info = Filled();
  std::string kanji;
  for (int i = 0; i < 40; ++i) kanji += "\x8e\x52";  // 山, 80 bytes
  info.fileName = "x" + kanji;  // 81 bytes: 60 would split a character, 59 remain
  info.drawingName = kanji;
  info.author = "x" + kanji;
  info.updater = kanji;
  info.password = "123456789";
  info.scale = 0;
  ApplyNewDrawingInfo(*doc, info);
  EXPECT_EQ(doc->fileName.view().size(), 59u);
  EXPECT_EQ(doc->header.drawingName().size(), 60u);
  EXPECT_EQ(doc->header.author().size(), 39u);
  EXPECT_EQ(doc->header.updater().size(), 40u);
  EXPECT_EQ(doc->header.password(), "12345678");
  // A file with no terminator after its password still asks for no more than can be typed.
  DrawingHeader filled = doc->header;
  std::fill_n(filled.bytes.begin() + DrawingHeader::kPassword, DrawingHeader::kPasswordWidth, 'A');
  EXPECT_EQ(filled.password(), "AAAAAAAA");
  EXPECT_EQ(doc->header.scale(), 1.0f);
  info.scale = 2000000;
  ApplyNewDrawingInfo(*doc, info);
  EXPECT_EQ(doc->header.scale(), 100000.0f);
}

TEST_F(DrawingInfoDocTest, ExistingDrawingProtectionTakesEffectAtOnce) {
  ApplyNewDrawingInfo(*doc, Filled());
  DrawingInfo info = DrawingInfoForExistingDrawing(doc->header, doc->fileName.view());
  info.protection = kWriteProtected;
  ApplyDrawingInfo(*doc, info);
  EXPECT_EQ(doc->protection, kWriteProtected);
  EXPECT_EQ(doc->header.protection(), kWriteProtected);

  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {0, 0, 1, 1};
  EXPECT_EQ(doc->AddDocumentEntity({kLine, 0, 0, 0, 4}, nullptr, codes, 0, values, nullptr), 1);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"この図面は、書きこみ禁止状態になっています。"});
}

TEST_F(DrawingInfoDocTest, ExistingDrawingKeepsTheDisabledFields) {
  ApplyNewDrawingInfo(*doc, Filled());
  doc->protection = kPasswordProtected;  // as loaded from the file
  DrawingInfo info = DrawingInfoForExistingDrawing(doc->header, doc->fileName.view());
  info.fileName = "other";
  info.author = "someone";
  info.creationDate = {2030, 1, 1};
  info.password = "changed";
  info.updater = "saburo";
  info.updateDate = {2026, 6, 7};
  info.protection = kNotProtected;  // after the password was checked
  ApplyDrawingInfo(*doc, info);
  EXPECT_EQ(doc->fileName.view(), "plan");
  EXPECT_EQ(doc->header.author(), "hanako");
  EXPECT_EQ(doc->header.creationDate(), 20241201);
  EXPECT_EQ(doc->header.password(), "secret");
  EXPECT_EQ(doc->header.updater(), "saburo");
  EXPECT_EQ(doc->header.updateDate(), 20260607);
  EXPECT_EQ(doc->protection, kNotProtected);
}

TEST_F(DrawingInfoDocTest, ViewsAreRemappedOnlyWhenPaperOrScaleChange) {
  ApplyNewDrawingInfo(*doc, Filled());
  struct Case { const char* what; int32_t scale; int16_t paperSize; int16_t paperMode; int16_t orientation; bool remap; } cases[] = {
      {"nothing", 50, 3, 0, 1, false},
      {"orientation only", 50, 3, 0, 0, false},
      {"scale", 100, 3, 0, 0, true},
      {"paper size", 100, 4, 0, 0, true},
      {"paper mode", 100, 4, 1, 0, true},
  };
  for (const Case& c : cases) {
    DrawingInfo info = DrawingInfoForExistingDrawing(doc->header, doc->fileName.view());
    info.scale = c.scale;
    info.paperSize = c.paperSize;
    info.paperMode = c.paperMode;
    info.orientation = c.orientation;
    EXPECT_EQ(ApplyDrawingInfo(*doc, info), c.remap) << c.what;
  }
}

}  // namespace
}  // namespace plenwick
