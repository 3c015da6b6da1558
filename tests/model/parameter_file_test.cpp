// Guards the parameter file: a first start must write exactly the documented defaults, only a
// 728-byte file counts, and writing must never destroy a file it may not or could not replace.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/parameter_block.h"
#include "model/parameter_file.h"
#include "platform/file_io.h"
#include "platform/folders.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using P = ParameterBlock;
using testing::ReadBytes;
using testing::ScopedTempFolder;
using testing::WriteBytes;

std::string Text(const P& p, std::size_t offset, std::size_t width) { return std::string(p.Text(offset, width)); }

TEST(DefaultParameterBlock, NumbersAtTheirOffsets) {
  const P p = DefaultParameterBlock("/data/部品データ");
  struct I32Case { std::size_t offset; int32_t value; } ints[] = {
      {P::kPlotterOption1, 0}, {P::kPlotterBaudRate, 2}, {P::kPlotterDataBits, 4}, {P::kPlotterStopBits, 2},
      {P::kDefaultScale, 1}, {P::kDefaultPaperSize, 4},
      {P::kDisplayColours, 0xFFFFFF}, {P::kDisplayColours + 4, 0xD2D2D2}, {P::kDisplayColours + 8, 0x0000FF},
      {P::kDisplayColours + 28, 0x9A9A9A},
      {P::kPenColours, 0}, {P::kPenColours + 4, 0xFF0000}, {P::kPenColours + 12, 0xFFFF00},
      {P::kPenColours + 28, 0x408040}, {P::kZero228, 0},
  };
  for (const auto& c : ints) EXPECT_EQ(p.I32(c.offset), c.value) << c.offset;
  struct I16Case { std::size_t offset; int16_t value; } shorts[] = {
      {P::kPaletteX, 94}, {P::kPaletteY, 115}, {P::kLayerListLeft, 94}, {P::kLayerListTop, 384},
      {P::kLayerListWidth, 122}, {P::kLayerListHeight, 225}, {P::kTextSizeMode, 0}, {P::kGridSensitivity, 2},
      {P::kNewPaperMode, 1}, {P::kPaperFrameDisplay, 1}, {P::kOriginMarkDisplay, 1}, {P::kMagnet, 1},
      {P::kDistanceDisplay, 0}, {P::kGridDisplay, 1}, {P::kParallelCount, 1}, {P::kPolyVertexCount, 3},
      {P::kCornerTrimLine1, 1}, {P::kCornerTrimLine2, 1}, {P::kCornerStyle, 0}, {P::kHatchPattern, 1},
      {P::kStretchMode, 2}, {P::kDimTolType, 0},
  };
  for (const auto& c : shorts) EXPECT_EQ(p.I16(c.offset), c.value) << c.offset;
  struct F32Case { std::size_t offset; float value; } floats[] = {
      {P::kGridPitch, 20.0f}, {P::kTextHeight, 20.0f}, {P::kDimTextSize, 20.0f}, {P::kDimExtUpper, 30.0f},
      {P::kDimExtLower, 10.0f}, {P::kPenWidths, 0.13f}, {P::kPenWidths + 4, 0.25f}, {P::kPenWidths + 8, 0.35f},
      {P::kPenWidths + 12, 0.5f}, {P::kPenWidths + 16, 0.7f}, {P::kPenWidths + 20, 0.9f},
      {P::kPenWidths + 24, 1.2f}, {P::kPenWidths + 28, 1.5f}, {P::kThickLineWidths, 0.1f},
      {P::kThickLineWidths + 4, 0.2f}, {P::kThickLineWidths + 8, 0.5f}, {P::kPointOffsetX, 50.0f},
      {P::kAngleMoveAngle, 90.0f}, {P::kLineLength, 50.0f}, {P::kWidthLeft, 20.0f}, {P::kCircleRadius, 20.0f},
      {P::kCornerDistance, 10.0f}, {P::kBoxWidth, 10.0f}, {P::kPolyRadius, 50.0f}, {P::kMoveScale, 1.0f},
      {P::kOffsetDistance, 10.0f},
  };
  for (const auto& c : floats) EXPECT_EQ(p.F32(c.offset), c.value) << c.offset;
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(p.F64(P::kDimTolUpper + 8 * i), i < 4 ? 0.0015 : 0.0) << i;
    EXPECT_EQ(p.F64(P::kDimTolLower + 8 * i), i < 4 ? 0.0025 : 0.0) << i;
  }
}

TEST(DefaultParameterBlock, TextsAreShiftJis) {
  const P p = DefaultParameterBlock("/data/部品データ");
  const std::string gothic = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳゴシック
  EXPECT_EQ(Text(p, P::kTextFont, P::kFontWidth), gothic);
  EXPECT_EQ(Text(p, P::kDimFont, P::kFontWidth), gothic);
  const char* prefixes[] = {"", "", "", "", "R", "\x83\xd3" /* φ */, "", ""};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(Text(p, P::kDimPrefix + 5 * i, 5), prefixes[i]) << i;
  EXPECT_EQ(Text(p, P::kPartsFolder, P::kPartsFolderWidth), "/data/\x95\x94\x95\x69\x83\x66\x81\x5b\x83\x5e");
  // Nothing else may be set: the unused bytes are zero.
  EXPECT_EQ(p.I16(P::kPadding90), 0);
  EXPECT_EQ(p.I16(P::kZero226), 0);
}

TEST(DefaultParameterBlock, LongPartsFolderIsCutAtACharacterBoundary) {
  // Two-byte characters behind an 8-byte ASCII start: the 87 bytes the field can hold would end
  // in the middle of the 40th character, so only 39 of them are kept.
  std::string folder = "/a/b/cd/";
  for (int i = 0; i < 45; ++i) folder += "部";
  const P p = DefaultParameterBlock(folder);
  const std::string_view stored = p.Text(P::kPartsFolder, P::kPartsFolderWidth);
  EXPECT_EQ(stored.size(), 8u + 2 * 39);
  EXPECT_EQ(p.bytes[P::kPartsFolder + stored.size()], 0);
  EXPECT_EQ(p.bytes[P::kPartsFolder + P::kPartsFolderWidth - 1], 0);
}

TEST(ParameterFile, TheFirst728BytesCount) {
  // A short file is no parameter block; a longer one still holds the user's settings in front,
  // which must not be replaced by the defaults.
  struct Case { std::size_t size; bool ok; } cases[] = {{0, false}, {727, false}, {728, true}, {729, true}, {4096, true}};
  for (const Case& c : cases) {
    P block = DefaultParameterBlock("/p");
    const P before = block;
    std::vector<uint8_t> bytes(c.size, 0xAB);
    EXPECT_EQ(ParseParameterFile(bytes, block), c.ok) << c.size;
    if (c.ok) {
      EXPECT_EQ(block.bytes[0], 0xAB);
    } else {
      EXPECT_EQ(block, before) << "a refused file must not change the block";
    }
    ScopedTempFolder tmp;
    WriteBytes(tmp / "PWKPRM.DAT", bytes);
    P fromFile = before;
    EXPECT_EQ(ReadParameterFile(tmp / "PWKPRM.DAT", fromFile), c.ok) << c.size;
    EXPECT_EQ(fromFile, c.ok ? block : before) << c.size;
  }
}

TEST(ParameterFile, UnreadablePathsFail) {
  ScopedTempFolder tmp;
  P block;
  EXPECT_FALSE(ReadParameterFile(tmp / "missing.DAT", block));
  EXPECT_FALSE(ReadParameterFile(tmp.path(), block));  // a folder
  ASSERT_EQ(::mkfifo((tmp / "fifo").c_str(), 0600), 0);
  EXPECT_FALSE(ReadParameterFile(tmp / "fifo", block));  // must not wait for a writer
}

TEST(ParameterFile, WriteCreatesFileAndFolder) {
  ScopedTempFolder tmp;
  const P block = DefaultParameterBlock("/p");
  const std::string path = ParameterFilePath(tmp / "new/home");
  EXPECT_EQ(path, tmp / "new/home/PWKPRM.DAT");
  ASSERT_TRUE(WriteParameterFile(path, block));
  const std::vector<uint8_t> bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 728u);
  EXPECT_EQ(std::memcmp(bytes.data(), block.bytes.data(), 728), 0);
  P back;
  ASSERT_TRUE(ReadParameterFile(path, back));
  EXPECT_EQ(back, block);
}

TEST(ParameterFile, UnwritableTargetsAreLeftUntouched) {
  // Chmod does not stop root, so the cases use paths that nobody can write a file to.
  ScopedTempFolder tmp;
  const P block = DefaultParameterBlock("/p");

  ASSERT_TRUE(CreateFolders(tmp / "asfolder/PWKPRM.DAT"));
  WriteBytes(tmp / "asfolder/PWKPRM.DAT/keep", {7});
  EXPECT_FALSE(WriteParameterFile(tmp / "asfolder/PWKPRM.DAT", block));
  EXPECT_EQ(ReadBytes(tmp / "asfolder/PWKPRM.DAT/keep"), std::vector<uint8_t>{7});

  WriteBytes(tmp / "plainfile", {1, 2, 3});
  EXPECT_FALSE(WriteParameterFile(tmp / "plainfile/PWKPRM.DAT", block));
  EXPECT_EQ(ReadBytes(tmp / "plainfile"), (std::vector<uint8_t>{1, 2, 3}));

  ASSERT_EQ(::mkfifo((tmp / "fifo").c_str(), 0600), 0);
  EXPECT_FALSE(WriteParameterFile(tmp / "fifo", block));
  struct stat st {};
  ASSERT_EQ(::lstat((tmp / "fifo").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(ParameterFile, ReadOnlyFileIsLeftUntouched) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write read-only files";
  ScopedTempFolder tmp;
  const std::vector<uint8_t> old(728, 0x11);
  WriteBytes(tmp / "PWKPRM.DAT", old);
  ASSERT_EQ(::chmod((tmp / "PWKPRM.DAT").c_str(), 0444), 0);
  EXPECT_FALSE(WriteParameterFile(tmp / "PWKPRM.DAT", DefaultParameterBlock("/p")));
  EXPECT_EQ(ReadBytes(tmp / "PWKPRM.DAT"), old);
}

TEST(ParameterFile, FailedWriteKeepsThePreviousFile) {
  ScopedTempFolder tmp;
  const std::vector<uint8_t> old(728, 0x22);
  WriteBytes(tmp / "PWKPRM.DAT", old);
  SetWriteFaultInjector([](std::size_t) { return false; });
  const bool written = WriteParameterFile(tmp / "PWKPRM.DAT", DefaultParameterBlock("/p"));
  SetWriteFaultInjector(nullptr);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadBytes(tmp / "PWKPRM.DAT"), old);
}

TEST(ParameterFile, SymbolicLinkKeepsPointingAtTheFile) {
  ScopedTempFolder tmp;
  WriteBytes(tmp / "real.DAT", std::vector<uint8_t>(728, 0x33));
  ASSERT_EQ(::symlink((tmp / "real.DAT").c_str(), (tmp / "PWKPRM.DAT").c_str()), 0);
  const P block = DefaultParameterBlock("/p");
  ASSERT_TRUE(WriteParameterFile(tmp / "PWKPRM.DAT", block));
  struct stat st {};
  ASSERT_EQ(::lstat((tmp / "PWKPRM.DAT").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  const std::vector<uint8_t> bytes = ReadBytes(tmp / "real.DAT");
  ASSERT_EQ(bytes.size(), 728u);
  EXPECT_EQ(std::memcmp(bytes.data(), block.bytes.data(), 728), 0);
}

}  // namespace
}  // namespace plenwick
