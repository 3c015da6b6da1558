// Guards opening and saving whole documents: the document takes over what the file holds
// (protection included, so a password-protected drawing refuses new elements after reopening),
// and a failed save tells the user and keeps the previous file.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/document_file.h"
#include "model/entity_core.h"
#include "model/program_settings.h"
#include "platform/file_io.h"
#include "support/entity_builders.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::RecordingUserInterface;
using testing::ScopedEnv;
using testing::ScopedTempFolder;

const DocumentEnvironment kEnv{{2026, 12, 7}, "hanako"};

class DocumentFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetCurrentSettings(); }
  void TearDown() override {
    SetWriteFaultInjector(nullptr);
    ResetCurrentSettings();
  }
  std::unique_ptr<CPlenwickDoc> NewDoc() { return std::make_unique<CPlenwickDoc>(tmp.path(), ui, kEnv); }
  std::string Path(const char* name) const { return tmp.path() + "/" + name; }

  ScopedTempFolder tmp;
  ScopedEnv dataHome{"XDG_DATA_HOME", tmp.path() + "/data"};
  RecordingUserInterface ui;
};

TEST_F(DocumentFileTest, ReopenedDrawingKeepsEverythingTheFileHolds) {
  {
    auto doc = NewDoc();
    testing::AddGrid(doc->entities);
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {1, 2, 3, 4};
    ASSERT_EQ(doc->AddDocumentEntity({kLine, 0, 102, 5, 4}, nullptr, codes, 0xFF, values, nullptr), 0);
    doc->layers.layerCount = 12;
    doc->layers.currentLayer = 5;
    doc->layers.states[3] = kLayerNormal;
    doc->layers.setName(3, "walls");
    doc->drawingValues.setDisplayColour(0, 0x123456);
    doc->areaMax = {841, 594, 0};
    doc->header.setScale(100.0f);
    doc->header.setProtection(kPasswordProtected);
    doc->header.setPassword("secret");
    ASSERT_EQ(SaveDocumentFile(*doc, Path("a.pwk")), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->protection, kNotProtected) << "a new drawing's protection waits for the next opening";
  }
  auto doc = NewDoc();
  ASSERT_EQ(OpenDocumentFile(*doc, Path("a.pwk")), 0);
  EXPECT_EQ(doc->entities.size(), 2u);
  EXPECT_EQ(doc->layers.layerCount, 12);
  EXPECT_EQ(doc->layers.currentLayer, 5);
  EXPECT_EQ(doc->layers.name(3), "walls");
  EXPECT_EQ(doc->layers.states[3], kLayerNormal);
  EXPECT_EQ(doc->layers.states[20], kLayerHidden) << "slots beyond the stored layers are empty";
  EXPECT_EQ(doc->layers.name(20), "");
  EXPECT_EQ(doc->drawingValues.displayColour(0), 0x123456);
  EXPECT_EQ(doc->areaMax[0], 841);
  EXPECT_EQ(doc->areaSet, 1);
  EXPECT_EQ(CurrentSettings().DrawingScale, 100.0f);
  EXPECT_EQ(doc->protection, kPasswordProtected);
  const int16_t codes[] = {10, 20};
  const double values[] = {0, 0};
  EXPECT_EQ(doc->AddDocumentEntity({kPoint, 0, 0, 0, 2}, nullptr, codes, 0, values, nullptr), 1);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"この図面は、パスワードによって保護されています。"});
}

TEST_F(DocumentFileTest, UnreadableFileLeavesAnEmptyDocument) {
  std::vector<uint8_t> junk(300, 'x');
  ASSERT_TRUE(WriteFileAtomically(Path("junk.pwk"), junk));
  auto doc = NewDoc();
  std::string error;
  EXPECT_EQ(OpenDocumentFile(*doc, Path("junk.pwk"), &error), 1);
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(doc->entities.empty());
  EXPECT_EQ(doc->extentWidth, 594);
  EXPECT_TRUE(ui.messages.empty()) << "opening a broken file shows no message of its own";
}

TEST_F(DocumentFileTest, FailedSaveTellsTheUserAndKeepsTheOldFile) {
  auto doc = NewDoc();
  testing::AddGrid(doc->entities);
  testing::AddLine(doc->entities, 0, 0, 1, 1);
  ASSERT_EQ(SaveDocumentFile(*doc, Path("a.pwk")), 0);
  std::vector<uint8_t> before;
  ASSERT_TRUE(ReadWholeFile(Path("a.pwk"), before));
  testing::AddLine(doc->entities, 0, 0, 2, 2);
  doc->SetModifiedFlag();

  // Fails even for root: the disk "fills up" midway.
  SetWriteFaultInjector([](std::size_t) { return false; });
  EXPECT_EQ(SaveDocumentFile(*doc, Path("a.pwk")), 1);
  SetWriteFaultInjector(nullptr);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"ファイルの書き込みに失敗しました。"});
  EXPECT_TRUE(doc->IsModified());
  std::vector<uint8_t> after;
  ASSERT_TRUE(ReadWholeFile(Path("a.pwk"), after));
  EXPECT_EQ(before, after);

  // An empty drawing writes nothing and says so.
  ui.messages.clear();
  ClearEntityList(doc->entities);
  EXPECT_EQ(SaveDocumentFile(*doc, Path("b.pwk")), 1);
  EXPECT_FALSE(std::filesystem::exists(Path("b.pwk")));
  EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace plenwick
