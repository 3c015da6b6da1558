// Guards the tolerance dialog's state: the combo's indexes against the stored types (2 and 6 are
// 7 and 3), the type it opens on, edits kept per type until "設　定", values that are not
// numbers or negative refused with the type and edit at fault shown, every type handed back, and
// the preview's texts per type as a dimension writes them.
#include <gtest/gtest.h>

#include "model/program_settings.h"
#include "support/recording_ui.h"
#include "tools/draw/tolerance_dlg.h"

namespace plenwick {
namespace {

using D = CSunpouKousaDlg;

ProgramSettings Settings(int16_t type) {
  ProgramSettings s;
  s.DimTolType = type;
  for (std::size_t i = 0; i < s.DimTolUpper.size(); ++i) {
    s.DimTolUpper[i] = 0.1 * static_cast<double>(i + 1);
    s.DimTolLower[i] = 0.01 * static_cast<double>(i + 1);
  }
  return s;
}

TEST(ToleranceDialog, IndexesAndTypesAndTheTypeItOpensOn) {
  // Fault: the combo's third and seventh rows editing the wrong type's values.
  const int types[] = {1, 2, 7, 4, 5, 6, 3};
  for (int index = 0; index < D::kTypeCount; ++index) {
    EXPECT_EQ(D::TypeOfIndex(index), types[index]);
    EXPECT_EQ(D::IndexOfType(types[index]), index);
  }
  for (const int16_t type : {0, 8, -1}) EXPECT_EQ(D(Settings(type)).type(), 1) << type;
  const D opened(Settings(7));
  EXPECT_EQ(opened.index(), 2);
  EXPECT_EQ(opened.text(0), "0.7");  // entry 7 − 1
  EXPECT_EQ(opened.text(1), "0.07");
}

TEST(ToleranceDialog, EditsAreKeptPerTypeUntilSet) {
  // Fault: values typed for one type lost when the combo moves on, or written before 設　定.
  ProgramSettings s = Settings(1);
  testing::RecordingUserInterface ui;
  D d(s);
  d.SelectIndex(6, "0.5", "0.25");  // typed for type 1, then type 3 chosen
  EXPECT_EQ(d.type(), 3);
  EXPECT_EQ(d.text(0), "0.3");
  d.SelectIndex(0, "1.5", "0");
  EXPECT_EQ(d.text(0), "0.5") << "type 1's typing kept";
  EXPECT_EQ(s.DimTolUpper[0], 0.1) << "nothing written before 設　定";
  ASSERT_TRUE(d.OnSet("0.5", "0.25", ui));
  d.ApplyTo(s);
  EXPECT_EQ(s.DimTolUpper[0], 0.5);
  EXPECT_EQ(s.DimTolLower[0], 0.25);
  EXPECT_EQ(s.DimTolUpper[2], 1.5);
  EXPECT_EQ(s.DimTolLower[2], 0);
  EXPECT_EQ(s.DimTolUpper[6], 0.7) << "untouched types keep their values";
  EXPECT_TRUE(ui.messages.empty());
}

TEST(ToleranceDialog, WrongValuesShowTheirTypeAndEdit) {
  // Fault: "-%f" of a negative value printing "--0.002", or a typing error accepted silently.
  struct Case {
    const char* text1;
    const char* text2;
    const char* message;
    int focus;
  } cases[] = {
      {"-0.002", "0.1", "0 から 1000 までの数値を入力してください。", 0},
      {"0.1", "abc", "数値を入力してください。", 1},
      {"0.1", "", "数値を入力してください。", 1},
      {"1e3", "0", "数値を入力してください。", 0},
      {"1000.5", "0", "0 から 1000 までの数値を入力してください。", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text1 + std::string(" / ") + c.text2);
    testing::RecordingUserInterface ui;
    D d(Settings(0));
    d.SelectIndex(4, c.text1, c.text2);  // the mistake is in type 1; type 5 is shown
    EXPECT_FALSE(d.OnSet("0.1", "0.1", ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(d.type(), 1) << "the type at fault is shown";
    EXPECT_EQ(d.focusField(), c.focus);
    EXPECT_EQ(d.text(c.focus), c.focus == 0 ? c.text1 : c.text2) << "the text stays for correcting";
  }
}

TEST(ToleranceDialog, ThePreviewShowsEachTypesSampleTexts) {
  // Fault: a preview showing another type's texts or places.
  const std::vector<std::vector<std::string>> texts = {
      {"123"},          {"123±0.2"},          {"123", "±0.2"},       {"123", "+0.2", "-0.2"},
      {"123", "+0.2", " 0"}, {"123", " 0", "-0.2"}, {"123", "-0.2", "-0.2"}, {"123", "+0.2", "+0.2"}};
  for (int type = 0; type <= 7; ++type) {
    const std::vector<PreviewText> preview = TolerancePreviewTexts(type);
    ASSERT_EQ(preview.size(), texts[static_cast<std::size_t>(type)].size()) << type;
    for (std::size_t i = 0; i < preview.size(); ++i) {
      EXPECT_EQ(preview[i].text, texts[static_cast<std::size_t>(type)][i]) << type;
      // After the value: the upper text half a height up, the lower on the baseline, both half high.
      if (i == 0) continue;
      EXPECT_EQ(preview[i].x, 1.5);
      EXPECT_EQ(preview[i].y, i == 1 ? 0.5 : 0);
      EXPECT_EQ(preview[i].height, 0.5);
    }
  }
}

}  // namespace
}  // namespace plenwick
