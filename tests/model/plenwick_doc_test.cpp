// Guards the drawing document: what a new drawing starts with, how the parameter file is
// created, read and saved around it (one fill of the program-wide settings per run), and that
// a protected drawing refuses new elements with the right message and changes nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/parameter_file.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "platform/folders.h"
#include "platform/sjis.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using P = ParameterBlock;
using testing::ReadBytes;
using testing::RecordingUserInterface;
using testing::ScopedEnv;
using testing::ScopedTempFolder;
using testing::WriteBytes;

const DocumentEnvironment kEnv{{2025, 3, 14}, "taro"};

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetCurrentSettings(); }
  void TearDown() override { ResetCurrentSettings(); }

  std::unique_ptr<CPlenwickDoc> NewDoc(const DocumentEnvironment& env = kEnv) {
    return std::make_unique<CPlenwickDoc>(tmp.path(), ui, env);
  }
  std::string ParamPath() const { return ParameterFilePath(tmp.path()); }
  P FileBlock() const {
    P p;
    EXPECT_TRUE(ReadParameterFile(ParamPath(), p));
    return p;
  }
  void WriteFile(const P& p) { WriteBytes(ParamPath(), std::vector<uint8_t>(p.bytes.begin(), p.bytes.end())); }

  ScopedTempFolder tmp;
  // The default parts folder lies under the data folder; pin it so the defaults are known.
  ScopedEnv dataHome{"XDG_DATA_HOME", tmp.path() + "/data"};
  RecordingUserInterface ui;
};

TEST_F(DocumentTest, FirstStartWritesExactlyTheDefaults) {
  auto doc = NewDoc();
  const std::vector<uint8_t> bytes = ReadBytes(ParamPath());
  ASSERT_EQ(bytes.size(), 728u);
  const P expected = DefaultParameterBlock(tmp.path() + "/data/BRENTA/Plenwick/部品データ");
  EXPECT_EQ(std::memcmp(bytes.data(), expected.bytes.data(), 728), 0);
  EXPECT_EQ(doc->params, expected);

  // A few values straight from the bytes, so that a wrong table cannot agree with itself.
  const P file = FileBlock();
  EXPECT_EQ(file.F32(164), 0.13f);
  EXPECT_EQ(file.F32(192), 1.5f);
  EXPECT_EQ(file.I32(100), 0xFFFFFF);
  EXPECT_EQ(file.I32(132 + 4), 0xFF0000);
  EXPECT_EQ(file.Text(504, 48), "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e");
  EXPECT_EQ(file.Text(600 + 20, 5), "R");
  EXPECT_EQ(file.Text(600 + 25, 5), "\x83\xd3");
  EXPECT_EQ(SjisToUtf8(file.Text(640, 88)), tmp.path() + "/data/BRENTA/Plenwick/部品データ");

  EXPECT_TRUE(CurrentSettings().filled);
  EXPECT_EQ(CurrentSettings().PenWidths[0], 0.13f);
}

TEST_F(DocumentTest, MissingProgramFolderIsCreated) {
  const std::string home = tmp / "not/yet/there";
  CPlenwickDoc doc(home, ui, kEnv);
  EXPECT_EQ(ReadBytes(ParameterFilePath(home)).size(), 728u);
}

TEST_F(DocumentTest, SecondDocumentKeepsTheCurrentSettings) {
  auto first = NewDoc();
  // Another process edits the file while the first drawing is open.
  P edited = FileBlock();
  edited.SetF32(P::kPenWidths, 2.0f);
  WriteFile(edited);
  auto second = NewDoc();
  EXPECT_EQ(CurrentSettings().PenWidths[0], 0.13f);
  EXPECT_EQ(second->params.F32(P::kPenWidths), 2.0f);
}

TEST_F(DocumentTest, ClosingSavesTheCurrentSettings) {
  auto doc = NewDoc();
  CurrentSettings().PenWidths[3] = 0.77f;
  CurrentSettings().LineLength = 12.5f;
  doc.reset();
  const P file = FileBlock();
  EXPECT_EQ(file.F32(P::kPenWidths + 12), 0.77f);
  EXPECT_EQ(file.F32(P::kLineLength), 12.5f);
}

TEST_F(DocumentTest, ToleranceTypeSurvivesARun) {
  P stored = DefaultParameterBlock("/p");
  stored.SetI16(P::kDimTolType, 3);
  WriteFile(stored);
  auto doc = NewDoc();
  EXPECT_EQ(CurrentSettings().DimTolType, 7);
  doc.reset();
  EXPECT_EQ(FileBlock().I16(P::kDimTolType), 3);
}

TEST_F(DocumentTest, BrokenFileIsReplacedByTheDefaults) {
  WriteBytes(ParamPath(), std::vector<uint8_t>(100, 0x55));
  auto doc = NewDoc();
  EXPECT_EQ(doc->params.F32(P::kPenWidths), 0.13f);
  EXPECT_EQ(ReadBytes(ParamPath()).size(), 728u);
}

TEST_F(DocumentTest, UnwritableParameterFileIsLeftAlone) {
  // A folder in the file's place, and a program "folder" that is a regular file: nobody, root
  // included, can write the file there. The document still starts with the defaults.
  struct Case { const char* what; bool folderInPlace; } cases[] = {{"folder in place", true}, {"file as folder", false}};
  for (const Case& c : cases) {
    ResetCurrentSettings();
    ScopedTempFolder place;
    std::string programFolder = place.path();
    if (c.folderInPlace) {
      ASSERT_TRUE(CreateFolders(ParameterFilePath(programFolder)));
      WriteBytes(ParameterFilePath(programFolder) + "/keep", {9});
    } else {
      programFolder = place / "regular";
      WriteBytes(programFolder, {1, 2, 3});
    }
    {
      CPlenwickDoc doc(programFolder, ui, kEnv);
      EXPECT_EQ(doc.params.F32(P::kPenWidths), 0.13f) << c.what;
      EXPECT_TRUE(CurrentSettings().filled) << c.what;
    }
    if (c.folderInPlace) {
      EXPECT_EQ(ReadBytes(ParameterFilePath(programFolder) + "/keep"), std::vector<uint8_t>{9}) << c.what;
    } else {
      EXPECT_EQ(ReadBytes(programFolder), (std::vector<uint8_t>{1, 2, 3})) << c.what;
    }
    EXPECT_TRUE(ui.messages.empty()) << "nothing is reported";
  }
}

TEST_F(DocumentTest, NewDrawingDefaults) {
  auto doc = NewDoc();
  EXPECT_TRUE(doc->entities.empty());
  EXPECT_EQ(doc->entities.nextGroupNo, 1);
  EXPECT_EQ(doc->entities.snapPoints, &doc->snapPoints);
  EXPECT_EQ(doc->snapPoints.size(), 0u);
  EXPECT_EQ(doc->originX, 0);
  EXPECT_EQ(doc->originY, 0);
  EXPECT_EQ(doc->updateHint, 0);
  EXPECT_EQ(doc->protection, kNotProtected);
  EXPECT_EQ(doc->areaSet, 0);
  EXPECT_EQ(doc->areaMin, (std::array<double, 3>{0, 0, 0}));
  EXPECT_EQ(doc->areaMax, (std::array<double, 3>{594, 420, 0}));
  EXPECT_EQ(doc->extentWidth, 594);
  EXPECT_EQ(doc->extentHeight, 420);
  EXPECT_EQ(doc->fileName.view(), kUntitledSjis);
  EXPECT_FALSE(doc->IsModified());

  EXPECT_EQ(doc->layers.layerCount, 8);
  EXPECT_EQ(doc->layers.currentLayer, 0);
  EXPECT_EQ(doc->layers.name(0), "Layer01");
  EXPECT_EQ(doc->layers.name(8), "Layer09");
  EXPECT_EQ(doc->layers.name(127), "Layer128");
  for (int i = 0; i < LayerTable::kLayers; ++i) EXPECT_EQ(doc->layers.states[static_cast<std::size_t>(i)], 1) << i;

  const DrawingHeader& h = doc->header;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.bytes.data()), 4), std::string("PWK\0", 4));
  EXPECT_EQ(h.drawingName(), kNoTitleSjis);
  EXPECT_EQ(h.author(), "taro");
  EXPECT_EQ(h.updater(), "taro");
  EXPECT_EQ(h.password(), "");
  EXPECT_EQ(h.protection(), 0);
  EXPECT_EQ(h.paperMode(), 1);
  EXPECT_EQ(h.formatVersion(), 3);
  EXPECT_EQ(h.paperSize(), 4);
  EXPECT_EQ(h.orientation(), 0);
  EXPECT_EQ(h.printType(), 0);
  EXPECT_EQ(h.creationDate(), 250314);
  EXPECT_EQ(h.updateDate(), 250314);
  EXPECT_EQ(h.scale(), 1.0f);
}

TEST_F(DocumentTest, HeaderAndDrawingValuesComeFromTheParameterFile) {
  P stored = DefaultParameterBlock("/p");
  stored.SetI32(P::kDefaultScale, 50);
  stored.SetI32(P::kDefaultPaperSize, 2);
  stored.SetI16(P::kNewPaperMode, 0);
  stored.SetI16(P::kDimDecimals, 3);
  stored.SetF32(P::kDimExtUpper, 31.9f);
  stored.SetF32(P::kDimExtLower, -4.5f);
  stored.SetF32(P::kDimTextSize, 7.5f);
  stored.SetF32(P::kHatchSpacingY, 1.25f);  // offset 76
  stored.SetF32(P::kHatchSpacingX, 2.5f);   // offset 80
  stored.SetF32(P::kTextHeight, 3.5f);
  stored.SetF32(P::kTextWidth, 4.5f);
  for (std::size_t i = 0; i < 8; ++i) stored.SetI32(P::kDisplayColours + 4 * i, static_cast<int32_t>(0x10101 * (i + 1)));
  WriteFile(stored);

  auto doc = NewDoc();
  EXPECT_EQ(doc->header.scale(), 50.0f);
  EXPECT_EQ(doc->header.paperSize(), 2);
  EXPECT_EQ(doc->header.paperMode(), 0);

  const uint8_t* v = doc->drawingValues.bytes.data();
  struct I16At { std::size_t at; int16_t value; } shorts[] = {
      {0, 0}, {2, 3}, {4, 0}, {6, 0}, {8, 1}, {10, 1}, {12, 1}, {14, 3}, {16, 3}, {18, 3}};
  for (const auto& c : shorts) EXPECT_EQ(GetI16(v + c.at), c.value) << c.at;
  struct I32At { std::size_t at; int32_t value; } ints[] = {{24, 31}, {28, 31}, {32, 31}, {36, -4}, {40, -4}, {44, -4}};
  for (const auto& c : ints) EXPECT_EQ(GetI32(v + c.at), c.value) << c.at;
  struct F32At { std::size_t at; float value; } floats[] = {
      {20, 0}, {48, 7.5f}, {52, 2.5f}, {56, 1.25f}, {60, 0}, {64, 3.5f}, {68, 4.5f}, {104, 0}, {108, 0}};
  for (const auto& c : floats) EXPECT_EQ(GetF32(v + c.at), c.value) << c.at;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(doc->drawingValues.displayColour(i), 0x10101 * (i + 1)) << i;
}

TEST_F(DocumentTest, HostileExtensionLengthsDoNotOverflow) {
  P stored = DefaultParameterBlock("/p");
  const uint8_t nan[] = {0x00, 0x00, 0xC0, 0x7F};
  std::copy(std::begin(nan), std::end(nan), &stored.bytes[P::kDimExtUpper]);
  stored.SetF32(P::kDimExtLower, 1e30f);
  WriteFile(stored);
  auto doc = NewDoc();
  EXPECT_EQ(GetI32(&doc->drawingValues.bytes[24]), 30);  // the NaN took its default
  EXPECT_EQ(GetI32(&doc->drawingValues.bytes[36]), 2147483647);
}

TEST_F(DocumentTest, NumbersThatAreNotFiniteInTheFileReadBackAsDefaults) {
  // A corrupt file's NaN or infinite line settings reached the line tools, which drew lines the
  // drawing file then dropped on reading; a new drawing's sizes came from the same block.
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const struct {
    std::size_t offset;
    float stored;
    float ProgramSettings::*field;
    float expected;
  } cases[] = {
      {P::kLineLength, kNaN, &ProgramSettings::LineLength, 50},
      {P::kLineAngle, kInf, &ProgramSettings::LineAngle, 0},
      {P::kAngleMoveAngle, -kInf, &ProgramSettings::AngleMoveAngle, 90},
      {P::kParallelDistance, kNaN, &ProgramSettings::ParallelDistance, 0},
      {P::kWidthLeft, kInf, &ProgramSettings::WidthLeft, 20},
      {P::kWidthRight, kNaN, &ProgramSettings::WidthRight, 20},
      {P::kInfiniteLineAngle, -kInf, &ProgramSettings::InfiniteLineAngle, 0},
      {P::kTextHeight, kNaN, &ProgramSettings::TextHeight, 20},
  };
  P stored = DefaultParameterBlock("/p");
  stored.SetF32(P::kPointMoveDistance, 75);  // a finite value keeps its own
  for (const auto& c : cases) stored.SetF32(c.offset, c.stored);
  WriteFile(stored);
  auto doc = NewDoc();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(CurrentSettings().*c.field, c.expected);
    EXPECT_EQ(doc->params.F32(c.offset), c.expected);
  }
  EXPECT_EQ(CurrentSettings().PointMoveDistance, 75.0f);
  EXPECT_EQ(GetF32(&doc->drawingValues.bytes[64]), 20.0f);  // the new drawing's text height
}

TEST_F(DocumentTest, UserNamesThatDoNotFitFallBack) {
  const std::string forty(40, 'a');
  std::string twentyKanji, twentyOneKanji;
  for (int i = 0; i < 20; ++i) twentyKanji += "山";
  twentyOneKanji = twentyKanji + "山";
  struct Case { std::string login; std::string expected; } cases[] = {
      {"taro", "taro"},
      {forty, forty},
      {forty + "b", std::string(kUntitledSjis)},
      {"山田太郎", "\x8e\x52\x93\x63\x91\xbe\x98\x59"},
      {twentyKanji, Utf8ToSjis(twentyKanji)},  // 40 bytes in Shift-JIS, though 60 in UTF-8
      {twentyOneKanji, std::string(kUntitledSjis)},
      {"", ""},
  };
  for (const Case& c : cases) {
    ResetCurrentSettings();
    auto doc = NewDoc({{2025, 3, 14}, c.login});
    EXPECT_EQ(doc->header.author(), c.expected) << c.login;
    EXPECT_EQ(doc->header.updater(), c.expected) << c.login;
  }
}

TEST_F(DocumentTest, DatesAreTwoDigitYears) {
  struct Case { CalendarDate today; int32_t stored; } cases[] = {
      {{2025, 3, 14}, 250314}, {{1999, 12, 31}, 991231}, {{2000, 1, 1}, 101}, {{2100, 7, 4}, 704}};
  for (const Case& c : cases) {
    auto doc = NewDoc({c.today, "u"});
    EXPECT_EQ(doc->header.creationDate(), c.stored);
    EXPECT_EQ(doc->header.updateDate(), c.stored);
  }
}

TEST_F(DocumentTest, ProtectedDrawingRefusesNewElements) {
  struct Case { int32_t protection; const char* message; } cases[] = {
      {kNotProtected, nullptr},
      {kWriteProtected, "この図面は、書きこみ禁止状態になっています。"},
      {kPasswordProtected, "この図面は、パスワードによって保護されています。"},
      {3, nullptr},  // no such protection state: nothing to refuse
  };
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {0, 0, 10, 10};
  for (const Case& c : cases) {
    RecordingUserInterface caseUi;
    CPlenwickDoc doc(tmp.path(), caseUi, kEnv);
    doc.protection = c.protection;
    DrawEntity stale;
    DrawEntity* added = &stale;  // must be overwritten either way
    const int rc = doc.AddDocumentEntity({kLine, 0, 0, 0, 4}, nullptr, codes, 0, values, nullptr, &added);
    if (c.message) {
      EXPECT_EQ(rc, 1);
      EXPECT_EQ(added, nullptr);
      EXPECT_TRUE(doc.entities.empty());
      EXPECT_FALSE(doc.IsModified());
      EXPECT_EQ(caseUi.messages, std::vector<std::string>{c.message});
    } else {
      EXPECT_EQ(rc, 0);
      ASSERT_NE(added, nullptr);
      EXPECT_EQ(added, doc.entities.tail);
      EXPECT_EQ(added->kind, kLine);
      EXPECT_TRUE(doc.IsModified());
      EXPECT_TRUE(caseUi.messages.empty());
    }
  }
}

TEST_F(DocumentTest, RefusedElementLeavesTheFlagAlone) {
  auto doc = NewDoc();
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {1e12, 0, 0, 0};  // out of range
  DrawEntity* added = nullptr;
  EXPECT_EQ(doc->AddDocumentEntity({kLine, 0, 0, 0, 4}, nullptr, codes, 0, values, nullptr, &added), 1);
  EXPECT_EQ(added, nullptr);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DocumentTest, AddedElementGetsItsSnapPoints) {
  std::vector<const DrawEntity*> registered;
  SnapPointRegistrar previous = InstallSnapPointRegistrar(
      [&](SnapPointList& points, EntityList&, DrawEntity& e) {
        registered.push_back(&e);
        points.Add(&e, kSnapLineStart, e.Value(0), e.Value(1));
      });
  {
    auto doc = NewDoc();
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {1, 2, 3, 4};
    DrawEntity* added = nullptr;
    ASSERT_EQ(doc->AddDocumentEntity({kLine, 0, 0, 0, 4}, nullptr, codes, 0, values, nullptr, &added), 0);
    EXPECT_EQ(registered, std::vector<const DrawEntity*>{added});
    EXPECT_EQ(doc->snapPoints.size(), 1u);

    doc->DeleteContents();
    EXPECT_TRUE(doc->entities.empty());
    EXPECT_EQ(doc->snapPoints.size(), 0u);
  }
  InstallSnapPointRegistrar(std::move(previous));
}

}  // namespace
}  // namespace plenwick
