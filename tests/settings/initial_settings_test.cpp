// Guards "初期値設定": the parameter file changes exactly where the user changed something, a
// refused value never reaches it, and the open drawings and the run's settings follow the file
// without losing what the run set meanwhile.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/parameter_block.h"
#include "model/parameter_file.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "platform/folders.h"
#include "support/scoped_temp_folder.h"
#include "support/scripted_tool_ui.h"
#include "tools/settings/edit_initial_settings.h"
#include "tools/settings/initial_set_dlg.h"
#include "view/tool_framework/operation_bar.h"

namespace plenwick {
namespace {

using P = ParameterBlock;
using testing::ScopedTempFolder;
using testing::ScriptedToolUi;

constexpr const char* kFonts[] = {"IPAGothic", "ＭＳゴシック", "ＭＳ Ｐゴシック", "DejaVu Sans"};

// A block unlike the defaults in every field the dialog shows, with bytes after the texts' NULs.
P StoredBlock(uint32_t seed) {
  std::mt19937 random(seed);
  P p = DefaultParameterBlock("/data/部品データ");
  for (std::size_t offset : {P::kTextHeight, P::kGridPitch, P::kDimExtUpper, P::kPenWidths + 8, P::kThickLineWidths + 4}) {
    p.SetF32(offset, std::uniform_real_distribution<float>(0.01f, 90)(random));
  }
  p.SetI32(P::kDisplayColours + 12, static_cast<int32_t>(random() & 0xFFFFFF));
  p.SetI32(P::kDefaultScale, static_cast<int32_t>(random() % 100000 + 1));
  p.SetI16(P::kNewPaperMode, 0);  // the paper size combo enabled
  p.bytes[P::kPartsFolder + 60] = 0x7A;  // behind the NUL: must survive untouched fields
  p.bytes[P::kDimFont + 40] = 0x41;
  return p;
}

struct SettingsRun {
  ScopedTempFolder folder;
  ScriptedToolUi ui;
  ProgramSettings settings;
  std::vector<std::unique_ptr<CPlenwickDoc>> docs;

  explicit SettingsRun(const P& stored, int documents = 1) {
    ResetCurrentSettings();
    ui.fonts.assign(std::begin(kFonts), std::end(kFonts));
    EXPECT_TRUE(WriteParameterFile(path(), stored));
    settings.FillFrom(stored);
    settings.filled = true;
    for (int i = 0; i < documents; ++i) docs.push_back(std::make_unique<CPlenwickDoc>(folder.path(), ui));
  }
  std::string path() const { return ParameterFilePath(folder.path()); }
  P File() const {
    P p;
    EXPECT_TRUE(ReadParameterFile(path(), p));
    return p;
  }
  bool Run(std::function<bool(CInitialSetDlg&)> script) {
    ui.initialSettingsScript = std::move(script);
    std::vector<CPlenwickDoc*> open;
    for (auto& doc : docs) open.push_back(doc.get());
    return EditInitialSettings(ui, settings, folder.path(), open, docs.empty() ? DefaultParameterBlock() : docs[0]->params);
  }
};

int Control(CInitialSetDlg& d, std::string_view name) {
  const int i = d.page().Find(name);
  EXPECT_GE(i, 0) << name;
  return i;
}

// Every editable control with the offset the parameter file keeps it at.
struct FieldCase {
  int tab;
  const char* name;
  std::size_t offset;
  std::size_t width;
};
const FieldCase kFields[] = {
    {0, "paperMode", 208, 2},  {0, "paperSize", 52, 4},     {0, "scale", 48, 4},       {0, "sizeMode", 56, 2},
    {1, "pitch", 60, 4},       {1, "sensitivity", 58, 2},   {1, "gridKind", 64, 2},    {1, "gridLineType", 66, 2},
    {2, "dimTextSize", 84, 4}, {2, "extUpper", 92, 4},      {2, "extLower", 96, 4},    {2, "decimals", 88, 2},
    {2, "dimFont", 552, 48},   {2, "arrowSizeMode", 224, 2}, {3, "prefix1", 600, 5},   {3, "prefix2", 605, 5},
    {3, "prefix3", 610, 5},    {3, "prefix4", 615, 5},      {3, "prefix5", 620, 5},    {3, "prefix6", 625, 5},
    {3, "prefix7", 630, 5},    {3, "prefix8", 635, 5},      {4, "textHeight", 68, 4},  {4, "textWidth", 72, 4},
    {5, "hatchY", 76, 4},      {5, "hatchX", 80, 4},        {6, "colour1", 100, 4},    {6, "colour2", 104, 4},
    {6, "colour3", 108, 4},    {6, "colour4", 112, 4},      {6, "colour5", 116, 4},    {6, "colour6", 120, 4},
    {6, "colour7", 124, 4},    {6, "colour8", 128, 4},      {7, "penWidth1", 164, 4},  {7, "penColour1", 132, 4},
    {7, "penWidth2", 168, 4},  {7, "penColour2", 136, 4},   {7, "penWidth3", 172, 4},  {7, "penColour3", 140, 4},
    {7, "penWidth4", 176, 4},  {7, "penColour4", 144, 4},   {7, "penWidth5", 180, 4},  {7, "penColour5", 148, 4},
    {7, "penWidth6", 184, 4},  {7, "penColour6", 152, 4},   {7, "penWidth7", 188, 4},  {7, "penColour7", 156, 4},
    {7, "penWidth8", 192, 4},  {7, "penColour8", 160, 4},   {8, "thick1", 196, 4},     {8, "thick2", 200, 4},
    {8, "thick3", 204, 4},     {9, "partsFolder", 640, 88},
};

// Changes the control to a value it accepts and that differs from the one shown.
void ChangeControl(CInitialSetDlg& d, int index) {
  const InitControl& c = d.page().controls()[static_cast<std::size_t>(index)];
  switch (c.kind) {
    case InitControlKind::kNumber: d.SetText(index, c.text == "3" ? "4" : "3"); break;
    case InitControlKind::kText: d.SetText(index, c.name == "partsFolder" ? "/home/部品" : "ｶﾞ"); break;
    case InitControlKind::kColour: d.SetColour(index, c.colour ^ 0x102030); break;
    case InitControlKind::kLineTypes: d.Choose(index, (c.choice + 1) % 5); break;
    default: d.Choose(index, (c.choice + 1) % static_cast<int>(c.items.size())); break;
  }
}

TEST(EditInitialSettings, EachControlChangesOnlyItsFieldInFileDocumentAndSettings) {
  std::size_t editable = 0;
  for (int tab = 0; tab < kInitPageCount; ++tab) {
    const auto page = MakeInitPage(tab);
    for (const InitControl& c : page->controls()) {
      editable += c.kind != InitControlKind::kLabel && c.kind != InitControlKind::kBrowse;
    }
  }
  EXPECT_EQ(editable, std::size(kFields));
  for (const FieldCase& f : kFields) {
    SCOPED_TRACE(f.name);
    const P stored = StoredBlock(static_cast<uint32_t>(f.offset));
    SettingsRun s(stored);
    s.settings.LineLength = 77;  // set during the run, not in the file yet
    s.docs[0]->SetModifiedFlag(true);
    ASSERT_TRUE(s.Run([&](CInitialSetDlg& d) {
      // Walk through the tabs before and after the change: visiting changes nothing.
      for (int tab = 0; tab < kInitPageCount; ++tab) EXPECT_TRUE(d.SelectTab(tab, s.ui));
      EXPECT_TRUE(d.SelectTab(f.tab, s.ui));
      const int index = Control(d, f.name);
      EXPECT_EQ(d.page().controls()[static_cast<std::size_t>(index)].offset, f.offset);
      ChangeControl(d, index);
      EXPECT_TRUE(d.SelectTab((f.tab + 1) % kInitPageCount, s.ui));
      EXPECT_TRUE(d.SelectTab(f.tab, s.ui));
      return d.OnOk(s.ui);
    }));
    EXPECT_TRUE(s.ui.messages.empty());
    const P written = s.File();
    for (std::size_t i = 0; i < P::kSize; ++i) {
      const bool inField = i >= f.offset && i < f.offset + f.width;
      if (!inField) {
        ASSERT_EQ(written.bytes[i], stored.bytes[i]) << "offset " << i;
      }
    }
    EXPECT_NE(std::vector(written.bytes.begin() + f.offset, written.bytes.begin() + f.offset + f.width),
              std::vector(stored.bytes.begin() + f.offset, stored.bytes.begin() + f.offset + f.width));
    EXPECT_EQ(s.docs[0]->params, written);
    P fromSettings;
    s.settings.WriteTo(fromSettings);
    EXPECT_TRUE(std::equal(written.bytes.begin() + f.offset, written.bytes.begin() + f.offset + f.width,
                           fromSettings.bytes.begin() + f.offset));
    EXPECT_EQ(s.settings.LineLength, 77);
    EXPECT_TRUE(s.docs[0]->IsModified());
  }
}

TEST(EditInitialSettings, OkWithoutEditsWritesTheSameBytes) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    const P stored = StoredBlock(seed);
    SettingsRun s(stored, 0);
    ASSERT_TRUE(s.Run([&](CInitialSetDlg& d) {
      for (int tab = kInitPageCount - 1; tab >= 0; --tab) EXPECT_TRUE(d.SelectTab(tab, s.ui));
      return d.OnOk(s.ui);
    }));
    EXPECT_EQ(s.File(), stored) << seed;
  }
}

TEST(EditInitialSettings, FactorySettingsThenCancelWritesNothingAndOkKeepsTheExcludedFields) {
  P stored = StoredBlock(7);
  for (std::size_t i = 0; i < 8; ++i) {
    stored.SetF64(P::kDimTolUpper + 8 * i, 0.5 + static_cast<double>(i));
    stored.SetF64(P::kDimTolLower + 8 * i, 1.5 + static_cast<double>(i));
  }
  stored.SetI16(P::kPaletteX, 300);
  stored.SetI16(P::kGridDisplay, 0);
  stored.SetI16(P::kMagnet, 0);
  stored.SetF32(P::kLineLength, 3);
  {
    SettingsRun s(stored, 0);
    EXPECT_FALSE(s.Run([&](CInitialSetDlg& d) {
      d.SelectTab(7, s.ui);
      d.OnFactorySettings();
      std::vector<std::string> widths;
      for (int pen = 1; pen <= 8; ++pen) widths.push_back(d.page().controls()[static_cast<std::size_t>(Control(d, "penWidth" + std::to_string(pen)))].text);
      EXPECT_EQ(widths, (std::vector<std::string>{"0.13", "0.25", "0.35", "0.5", "0.7", "0.9", "1.2", "1.5"}));
      return false;
    }));
    EXPECT_EQ(s.File(), stored);
  }
  SettingsRun s(stored, 0);
  ASSERT_TRUE(s.Run([&](CInitialSetDlg& d) {
    d.OnFactorySettings();
    return d.OnOk(s.ui);
  }));
  P expected = DefaultParameterBlock(DefaultPartsFolder());
  const auto keep = [&](std::size_t from, std::size_t to) {
    std::copy(stored.bytes.begin() + from, stored.bytes.begin() + to, expected.bytes.begin() + from);
  };
  keep(36, 48);
  keep(210, 220);
  keep(P::kDimTolUpper + 32, P::kDimTolUpper + 64);
  keep(P::kDimTolLower + 32, P::kDimTolLower + 64);
  EXPECT_EQ(s.File(), expected);
  EXPECT_EQ(s.settings.LineLength, 50);  // a field the factory values changed is taken as well
}

struct Refusal {
  int tab;
  const char* name;
  const char* text;
  std::string message;
};

TEST(EditInitialSettings, RefusedValuesKeepThePageAndNeverReachTheFile) {
  const std::string folder81(81, 'a');
  const Refusal refusals[] = {
      {0, "scale", "0", "1 から 100000 までの整数を入力してください。"},
      {0, "scale", "100001", "1 から 100000 までの整数を入力してください。"},
      {0, "scale", "1.5", std::string(kBarNeedsInteger)},
      {1, "pitch", "0", std::string(kAboveZeroMessage)},
      {1, "pitch", "-2", std::string(kAboveZeroMessage)},
      {1, "pitch", "abc", std::string(kBarNeedsNumber)},
      {1, "sensitivity", "6", "1 から 5 までの整数を入力してください。"},
      {1, "sensitivity", "0", "1 から 5 までの整数を入力してください。"},
      {2, "dimTextSize", "0", std::string(kAboveZeroMessage)},
      {2, "decimals", "5", "0 から 4 までの整数を入力してください。"},
      {2, "decimals", "-1", "0 から 4 までの整数を入力してください。"},
      {2, "extUpper", "", std::string(kBarNeedsNumber)},
      {3, "prefix1", "😀", "「😀」は図面に保存できない文字です。"},
      {4, "textHeight", "0", std::string(kAboveZeroMessage)},
      {4, "textWidth", "-0.5", std::string(kAboveZeroMessage)},
      {5, "hatchY", "0", std::string(kAboveZeroMessage)},
      {5, "hatchX", "0", std::string(kAboveZeroMessage)},
      {7, "penWidth3", "99.5", "0 から 99 までの数値を入力してください。"},
      {7, "penWidth3", "-0.1", "0 から 99 までの数値を入力してください。"},
      {8, "thick2", "100", "0 から 99 までの数値を入力してください。"},
      {9, "partsFolder", folder81.c_str(), std::string(kFolderTooLongMessage)},
      {9, "partsFolder", "/部品\t", "「\t」は図面に保存できない文字です。"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(std::string(r.name) + " " + r.text);
    const P stored = StoredBlock(3);
    SettingsRun s(stored, 0);
    ASSERT_TRUE(s.Run([&](CInitialSetDlg& d) {
      d.SelectTab(r.tab, s.ui);
      const int index = Control(d, r.name);
      d.SetText(index, r.text);
      EXPECT_FALSE(d.SelectTab((r.tab + 1) % kInitPageCount, s.ui));
      EXPECT_EQ(d.tab(), r.tab);
      EXPECT_EQ(d.focusControl(), index);
      EXPECT_EQ(d.copy(), stored);
      EXPECT_FALSE(d.OnOk(s.ui));
      EXPECT_EQ(s.ui.messages, (std::vector<std::string>{r.message, r.message}));
      d.SetText(index, d.page().controls()[static_cast<std::size_t>(index)].filledText);
      return d.OnOk(s.ui);
    }));
    EXPECT_EQ(s.File(), stored);
  }
}

TEST(EditInitialSettings, LimitsThemselvesAreTakenAndPrefixesAreCutAtACharacterBoundary) {
  const struct {
    int tab;
    const char* name;
    const char* text;
    std::size_t offset;
    std::string expected;  // the field's bytes
  } cases[] = {
      {0, "scale", "100000", P::kDefaultScale, std::string("\xA0\x86\x01\x00", 4)},
      {1, "sensitivity", "5", P::kGridSensitivity, std::string("\x05\x00", 2)},
      {3, "prefix1", "ＡＢＣ", P::kDimPrefix, std::string("\x82\x60\x82\x61\x00", 5)},
      {3, "prefix2", "aＡＢ", P::kDimPrefix + 5, std::string("a\x82\x60\x00\x00", 5)},
      {3, "prefix3", "abcdef", P::kDimPrefix + 10, std::string("abcd\x00", 5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsRun s(StoredBlock(5), 0);
    ASSERT_TRUE(s.Run([&](CInitialSetDlg& d) {
      d.SelectTab(c.tab, s.ui);
      d.SetText(Control(d, c.name), c.text);
      return d.OnOk(s.ui);
    }));
    const P written = s.File();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&written.bytes[c.offset]), c.expected.size()), c.expected);
    EXPECT_TRUE(s.ui.messages.empty());
  }
}

TEST(EditInitialSettings, AnUnwritableFileIsReportedAndNothingChanges) {
  const P stored = StoredBlock(9);
  SettingsRun s(stored, 2);
  s.docs[1]->SetModifiedFlag(true);
  ::unlink(s.path().c_str());
  ASSERT_EQ(::mkdir(s.path().c_str(), 0755), 0);  // a folder where the file belongs
  const ProgramSettings before = s.settings;
  const DrawingValues values = s.docs[0]->drawingValues;
  EXPECT_FALSE(s.Run([&](CInitialSetDlg& d) {
    d.SelectTab(7, s.ui);
    d.SetText(Control(d, "penWidth1"), "2");
    d.SelectTab(6, s.ui);
    d.SetColour(Control(d, "colour2"), 0x123456);
    return d.OnOk(s.ui);
  }));
  EXPECT_EQ(s.ui.messages, std::vector<std::string>{std::string(kParameterFileNotWritten)});
  EXPECT_EQ(s.settings.PenWidths, before.PenWidths);
  EXPECT_EQ(s.docs[0]->params, stored);
  EXPECT_EQ(s.docs[0]->drawingValues.bytes, values.bytes);
  EXPECT_FALSE(s.docs[0]->IsModified());
  EXPECT_TRUE(s.docs[1]->IsModified());
  ::rmdir(s.path().c_str());
  WriteParameterFile(s.path(), stored);
}

TEST(EditInitialSettings, DrawingsTakeDisplayColoursTwoAndEightAndKeepTheirFlags) {
  SettingsRun s(StoredBlock(11), 2);
  s.docs[0]->SetModifiedFlag(true);
  const int32_t background = s.docs[1]->drawingValues.displayColour(0);
  ASSERT_TRUE(s.Run([&](CInitialSetDlg& d) {
    d.SelectTab(6, s.ui);
    for (int n = 1; n <= 8; ++n) d.SetColour(Control(d, "colour" + std::to_string(n)), 0x010101 * n);
    return d.OnOk(s.ui);
  }));
  for (const auto& doc : s.docs) {
    EXPECT_EQ(doc->drawingValues.displayColour(1), 0x020202);
    EXPECT_EQ(doc->drawingValues.displayColour(7), 0x080808);
    EXPECT_EQ(doc->drawingValues.displayColour(0), background);
    EXPECT_EQ(doc->params.I32(P::kDisplayColours + 16), 0x050505);
  }
  EXPECT_TRUE(s.docs[0]->IsModified());
  EXPECT_FALSE(s.docs[1]->IsModified());
}

TEST(CInitialSetDlg, UnitFlagFollowsTheScalePageAndGreyingFollowsTheRadios) {
  P stored = StoredBlock(13);
  stored.SetI16(P::kTextSizeMode, 0);
  stored.SetI16(P::kNewPaperMode, 0);
  stored.SetI16(P::kGridKind, 0);
  CInitialSetDlg d(stored, {}, "/data");
  ScriptedToolUi ui;
  EXPECT_EQ(d.unitText(), "㎜");
  const auto enabled = [&](std::string_view name) { return d.page().IsEnabled(d.page().controls()[static_cast<std::size_t>(d.page().Find(name))]); };
  EXPECT_TRUE(enabled("paperSize"));
  d.Choose(d.page().Find("paperMode"), 1);
  EXPECT_FALSE(enabled("paperSize"));
  d.Choose(d.page().Find("paperSize"), 2);  // disabled: ignored
  d.Choose(d.page().Find("paperMode"), 0);
  EXPECT_TRUE(enabled("paperSize"));
  d.Choose(d.page().Find("sizeMode"), 1);
  EXPECT_EQ(d.unitText(), "pt.");
  ASSERT_TRUE(d.SelectTab(4, ui));
  EXPECT_EQ(d.unitText(), "pt.");
  ASSERT_TRUE(d.SelectTab(1, ui));
  EXPECT_TRUE(enabled("gridLineType"));
  d.Choose(d.page().Find("gridKind"), 1);
  EXPECT_FALSE(enabled("gridLineType"));
  ASSERT_TRUE(d.OnOk(ui));
  EXPECT_EQ(d.copy().I32(P::kDefaultPaperSize), stored.I32(P::kDefaultPaperSize));
}

TEST(CInitialSetDlg, FontComboSelectsTheLastPrefixMatchAndKeepsAFaceNotInstalled) {
  P stored = DefaultParameterBlock("/data");
  stored.SetText(P::kDimFont, P::kFontWidth, "\x82\x6c\x82\x72");  // "ＭＳ"
  ScriptedToolUi ui;
  CInitialSetDlg d(stored, {"IPAGothic", "ＭＳゴシック", "ＭＳ Ｐゴシック", "Sans"}, "/data");
  ASSERT_TRUE(d.SelectTab(2, ui));
  const InitControl& font = d.page().controls()[static_cast<std::size_t>(d.page().Find("dimFont"))];
  EXPECT_EQ(font.choice, 2);

  stored = DefaultParameterBlock("/data");  // "ＭＳゴシック", not installed here
  CInitialSetDlg missing(stored, {"IPAGothic", "Sans"}, "/data");
  ASSERT_TRUE(missing.SelectTab(2, ui));
  const InitControl& kept = missing.page().controls()[static_cast<std::size_t>(missing.page().Find("dimFont"))];
  EXPECT_EQ(kept.items, (std::vector<std::string>{"IPAGothic", "Sans", "ＭＳゴシック"}));
  EXPECT_EQ(kept.choice, 2);
  ASSERT_TRUE(missing.OnOk(ui));
  EXPECT_EQ(missing.copy(), stored);
}

}  // namespace
}  // namespace plenwick
