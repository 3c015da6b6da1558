// Guards the memory of loaded drawings: the elements read from a file share record blocks, yet
// each must be freeable on its own, in any order and on any thread, must take new arrays from an
// edit, and must never be overwritten by a later drawing while it is still alive.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <random>
#include <thread>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "support/drawing_file_fixtures.h"
#include "support/entity_builders.h"

namespace plenwick {
namespace {

using testing::ExpectSameElement;
using testing::RandomDrawing;
using testing::TestFileInfo;
using testing::WriteOrFail;

std::vector<uint8_t> SampleFile(uint32_t seed, int elements) {
  EntityList list;
  RandomDrawing(seed).Fill(list, elements);
  ClearOrphanGroupNumbers(list);
  return WriteOrFail(list, TestFileInfo());
}

void Load(const std::vector<uint8_t>& bytes, EntityList& list) {
  DrawingFileInfo info;
  ASSERT_EQ(ReadDrawingFile(bytes, info, list, nullptr), 0);
}

// Takes every element out of the list (the caller frees them).
std::vector<DrawEntity*> Detach(EntityList& list) {
  std::vector<DrawEntity*> all;
  for (DrawEntity& e : list) all.push_back(&e);
  for (DrawEntity* e : all) UnlinkEntity(list, e);
  for (DrawEntity* e : all) e->owner = nullptr;
  return all;
}

TEST(RecordBlocks, LoadedElementsAreFreedOneByOneInAnyOrderOnAnyThread) {
  const std::vector<uint8_t> bytes = SampleFile(21, 6000);
  std::mt19937 rng(5);
  for (int round = 0; round < 3; ++round) {
    EntityList list;
    Load(bytes, list);
    std::vector<DrawEntity*> all = Detach(list);
    std::shuffle(all.begin(), all.end(), rng);
    const std::size_t half = all.size() / 2;
    std::thread other([&] {
      for (std::size_t i = 0; i < half; ++i) FreeEntity(all[i]);
    });
    for (std::size_t i = half; i < all.size(); ++i) FreeEntity(all[i]);
    other.join();
  }
}

TEST(RecordBlocks, ElementsLoadedOnAThreadThatEndedStayUsable) {
  const std::vector<uint8_t> bytes = SampleFile(22, 2000);
  EntityList list;
  std::thread loader([&] { Load(bytes, list); });
  loader.join();
  EntityList again;
  Load(bytes, again);
  testing::ExpectSameStoredElements(list, again);
}

TEST(RecordBlocks, AnElementLeftAliveKeepsItsBlockFromTheNextDrawing) {
  const std::vector<uint8_t> bytes = SampleFile(23, 4000);
  EntityList reference;
  Load(bytes, reference);
  for (DrawEntity& e : reference) e.owner = nullptr;  // as the detached elements below
  EntityList list;
  Load(bytes, list);
  // Keep every 997th element; free the rest, then load and free other drawings meanwhile.
  std::vector<DrawEntity*> all = Detach(list);
  std::vector<DrawEntity*> kept;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (i % 997 == 0) {
      kept.push_back(all[i]);
    } else {
      FreeEntity(all[i]);
    }
  }
  for (int round = 0; round < 3; ++round) {
    EntityList other;
    Load(SampleFile(30 + static_cast<uint32_t>(round), 4000), other);
  }
  std::vector<const DrawEntity*> expected;
  for (const DrawEntity& e : reference) expected.push_back(&e);
  for (std::size_t k = 0; k < kept.size(); ++k) {
    ExpectSameElement(*expected[k * 997], *kept[k], "kept element " + std::to_string(k));
    FreeEntity(kept[k]);
  }
}

TEST(RecordBlocks, EditsGiveLoadedElementsArraysOfTheirOwn) {
  const std::vector<uint8_t> bytes = SampleFile(24, 1500);
  EntityList list;
  Load(bytes, list);
  for (DrawEntity& e : list) {
    const auto n = static_cast<std::size_t>(e.valueCount);
    if (n == 0) continue;
    auto values = std::make_unique<double[]>(n);
    std::memcpy(values.get(), e.values.get(), n * sizeof(double));
    e.values = std::move(values);
    if (e.codes) {
      auto* codes = new int16_t[n];
      std::memcpy(codes, e.codes.get(), n * sizeof(int16_t));
      e.codes.reset(codes);
    }
  }
  // Same contents in new arrays: the file comes out the same.
  EXPECT_TRUE(WriteOrFail(list, TestFileInfo()) == bytes);
  for (DrawEntity& e : list) e.values = nullptr;
}

TEST(RecordBlocks, RecordsMadeAnyWayGoBackWhereTheyCameFrom) {
  const std::vector<uint8_t> bytes = SampleFile(25, 50);
  EntityList list;
  Load(bytes, list);
  // Records of their own, made as other code may make them, between loaded ones.
  AppendEntity(list, std::make_unique<DrawEntity>());
  AppendEntity(list, std::unique_ptr<DrawEntity>(new (std::nothrow) DrawEntity));
  testing::AddCircle(list, 1, 2, 3);
  Load(bytes, list);
  std::vector<DrawEntity*> all = Detach(list);
  std::reverse(all.begin(), all.end());
  for (DrawEntity* e : all) std::unique_ptr<DrawEntity> owned(e);
  DrawEntity onTheStack;
  EXPECT_FALSE(onTheStack.values);
}

}  // namespace
}  // namespace plenwick
