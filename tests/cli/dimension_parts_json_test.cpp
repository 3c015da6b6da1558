// Guards the dimension parts in plenwick-cli: "dump --json --parts" lists each dimension's parts
// under it (the e2e check reads "50.00" there), and a drawing rebuilt by from-json generates the
// very same parts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli_run.h"
#include "json_drawing.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "tools/standard_tools.h"
#include "view/dimension_record.h"

namespace plenwick {
namespace {

namespace fs = std::filesystem;

// A 30-40-50 triangle's hypotenuse measured by a distance dimension with two decimals.
void AddHypotenuseDimension(EntityList& list) {
  const int16_t gc[] = {10, 20, 30};
  const double gv[] = {0, 0, 20};
  AddEntity({kGrid, 0, 0, 0, 3}, nullptr, list, gc, 0, gv, nullptr);
  const int16_t codes[] = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51};
  const double values[] = {PackDimensionField(MakeDimensionPacked(0, "")), 0, 0, 50, 20, 53.13, 1120, 33304, 30, 30,
                           10, 10, 0, 0, -8, 6, 22, 46};
  AddEntity({kDimension, 0, 0, 0, 18}, nullptr, list, codes, 0, values, nullptr);
}

TEST(DimensionPartsJson, DumpListsThePartsAndFromJsonMakesTheSameOnes) {
  InstallToolExtensions();
  DrawingFileInfo info;
  info.layers.SetDefaults();
  EntityList list;
  AddHypotenuseDimension(list);

  const nlohmann::ordered_json dumped = cli::DrawingToJson(info, list, true);
  const auto& dimension = dumped["entities"][1];
  ASSERT_TRUE(dimension.contains("parts"));
  bool shown = false;
  for (const auto& part : dimension["parts"]) shown = shown || (part.contains("text") && part["text"] == "50.00");
  EXPECT_TRUE(shown) << dimension.dump();
  EXPECT_FALSE(cli::DrawingToJson(info, list)["entities"][1].contains("parts"));

  DrawingFileInfo againInfo;
  EntityList again;
  std::string error;
  int refused = 0;
  ASSERT_TRUE(cli::DrawingFromJson(nlohmann::json::parse(dumped.dump()), againInfo, again, &error, &refused)) << error;
  ASSERT_EQ(again.size(), list.size());
  for (auto a = list.begin(), b = again.begin(); a != list.end(); ++a, ++b) {
    EXPECT_EQ(a->kind, b->kind);
    EXPECT_EQ(IsDimensionPart(*a), IsDimensionPart(*b));
    EXPECT_EQ(0, std::memcmp(a->values.get(), b->values.get(), sizeof(double) * static_cast<std::size_t>(a->valueCount)));
    EXPECT_EQ(a->text.view(), b->text.view());
  }
}

TEST(DimensionPartsJson, TheProgramDumpsParts) {
  const fs::path dir = fs::temp_directory_path() / ("plenwick-dimparts-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path file = dir / "triangle.pwk";
  {
    EntityList list;
    AddHypotenuseDimension(list);
    DrawingFileInfo info;
    info.layers.SetDefaults();
    std::string error;
    ASSERT_EQ(SaveDrawingFile(file.string(), info, list, &error), 0) << error;
  }
  const testing::CliRun run = testing::RunCli("dump --json --parts '" + file.string() + "'", dir);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"parts\""), std::string::npos);
  EXPECT_NE(run.out.find("\"50.00\""), std::string::npos);
  EXPECT_NE(testing::RunCli("dump --json --partz '" + file.string() + "'", dir).status, 0);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace plenwick
