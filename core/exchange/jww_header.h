// The header of a JWW file: the settings it starts with, field by field in the order each format
// version holds them. One walk over the fields serves reading and writing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/jww_archive.h"

namespace plenwick {

// The format version this program writes, and the oldest it reads.
inline constexpr uint32_t kJwwWrittenVersion = 230;
inline constexpr uint32_t kJwwOldestVersion = 230;
inline constexpr int kJwwGroups = 16;
inline constexpr int kJwwLayersPerGroup = 16;
inline constexpr int kJwwPens = 10;
// Line colours beyond the ten pens, from version 4.20 on (numbered from 100).
inline constexpr int kJwwExtendedColours = 257;
inline constexpr int kJwwFirstExtendedColour = 100;

struct JwwLayerGroup {
  uint32_t state = 2;       // 0 hidden, 1 shown only, 2 editable, 3 written to
  uint32_t writeLayer = 0;
  double scale = 1;         // the group's scale denominator
  uint32_t protection = 0;
  std::array<uint32_t, kJwwLayersPerGroup> layerState{};
  std::array<uint32_t, kJwwLayersPerGroup> layerProtection{};
};

// The header fields this program uses; the others are read past and written as the format's
// defaults.
struct JwwHeader {
  uint32_t version = kJwwWrittenVersion;
  std::string memo;
  uint32_t paper = 3;  // 0..4 A0..A4, 8..11 2A..5A, 12..14 10 m, 50 m, 100 m
  uint32_t writeGroup = 0;
  std::array<JwwLayerGroup, kJwwGroups> groups{};
  // Screen colours (COLORREF) of pens 0..9; pen 0 is the background.
  std::array<uint32_t, kJwwPens> penColours{};
  std::vector<uint32_t> extendedColours;  // version 420 on: colours 100..356
};

// A header with the format's default settings: pens of the usual colours, every group at scale 1.
JwwHeader DefaultJwwHeader();

// Reads the header after the 8-byte magic and the version, which the caller has read into
// header.version. False when the file is cut off within it.
bool ReadJwwHeaderFields(JwwArchiveReader& in, JwwHeader& header);

// Writes the magic, the version and the header.
void WriteJwwHeader(JwwArchiveWriter& out, const JwwHeader& header);

}  // namespace plenwick
