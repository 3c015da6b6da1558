// Guards the metafile writer against files other programs refuse or misdraw: records not
// 4-aligned, header counts or sizes that do not match, objects selected or deleted that were
// never made (or already gone), a missing end record, bounds that leave drawing out, coordinates
// wrapped past 32 bits, text not in UTF-16; and the export against screen aids (grid, origin
// mark) in the picture.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>

#include "model/program_settings.h"
#include "output/emf_canvas.h"
#include "support/entity_builders.h"
#include "support/view_test_drawing.h"

namespace plenwick {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, std::size_t at) {
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}
int32_t I32(const std::vector<uint8_t>& b, std::size_t at) { return static_cast<int32_t>(U32(b, at)); }

struct EmfRecord {
  uint32_t type = 0;
  std::size_t offset = 0;
  uint32_t size = 0;
};

// Reads a metafile as a reader must: fails the test at the first structural fault.
struct ParsedEmf {
  std::vector<EmfRecord> records;
  int32_t bounds[4] = {};
  std::map<uint32_t, int> counts;
};

ParsedEmf Parse(const std::vector<uint8_t>& b) {
  ParsedEmf out;
  EXPECT_GE(b.size(), 128u);
  if (b.size() < 128) return out;
  EXPECT_EQ(U32(b, 0), kEmrHeader);
  EXPECT_EQ(U32(b, 40), 0x464D4520u);          // signature
  EXPECT_EQ(U32(b, 48), b.size());             // bytes
  const uint32_t handles = U32(b, 56) & 0xFFFF;
  for (int i = 0; i < 4; ++i) out.bounds[i] = I32(b, 8 + 4 * static_cast<std::size_t>(i));
  std::set<uint32_t> live;
  std::map<uint32_t, uint32_t> kindOf;  // handle -> record type that made it
  std::map<uint32_t, uint32_t> selected;  // object kind -> handle selected
  std::size_t at = 0;
  while (at < b.size()) {
    EXPECT_LE(at + 8, b.size());
    if (at + 8 > b.size()) break;
    EmfRecord r{U32(b, at), at, U32(b, at + 4)};
    EXPECT_EQ(r.size % 4, 0u) << "record " << r.type;
    EXPECT_GE(r.size, 8u);
    EXPECT_LE(at + r.size, b.size());
    if (r.size < 8 || r.size % 4 || at + r.size > b.size()) break;
    const auto kindKey = [](uint32_t type) {
      return type == kEmrExtCreatePen ? uint32_t{kEmrCreatePen} : type;
    };
    switch (r.type) {
      case kEmrCreatePen:
      case kEmrExtCreatePen:
      case kEmrCreateBrushIndirect:
      case kEmrExtCreateFontIndirectW: {
        const uint32_t h = U32(b, at + 8);
        EXPECT_TRUE(h > 0 && h < handles) << h;
        EXPECT_FALSE(live.count(h)) << "handle " << h << " made twice";
        live.insert(h);
        kindOf[h] = kindKey(r.type);
        break;
      }
      case kEmrSelectObject: {
        const uint32_t h = U32(b, at + 8);
        if (h & kEmfStockFlag) {
          selected[h == kEmfNullPen ? uint32_t{kEmrCreatePen} : uint32_t{kEmrCreateBrushIndirect}] = 0;
        } else {
          EXPECT_TRUE(live.count(h)) << "selects handle " << h;
          selected[kindOf[h]] = h;
        }
        break;
      }
      case kEmrDeleteObject: {
        const uint32_t h = U32(b, at + 8);
        EXPECT_TRUE(live.count(h)) << "deletes handle " << h;
        EXPECT_NE(selected[kindOf[h]], h) << "deletes the selected handle " << h;
        live.erase(h);
        break;
      }
      case kEmrExtTextOutW: {
        const uint32_t chars = U32(b, at + 44), offString = U32(b, at + 48), offDx = U32(b, at + 72);
        EXPECT_LE(offString + 2 * chars, r.size);
        EXPECT_LE(offDx + 4 * chars, r.size);
        break;
      }
      default: break;
    }
    out.records.push_back(r);
    ++out.counts[r.type];
    at += r.size;
  }
  EXPECT_FALSE(out.records.empty());
  if (out.records.empty()) return out;
  EXPECT_EQ(out.records.back().type, kEmrEof);
  EXPECT_EQ(out.counts[kEmrEof], 1);
  EXPECT_EQ(out.counts[kEmrHeader], 1);
  EXPECT_EQ(U32(b, 52), out.records.size());  // records
  return out;
}

bool Inside(const ParsedEmf& e, int64_t x, int64_t y) {
  return x >= e.bounds[0] && x <= e.bounds[2] && y >= e.bounds[1] && y <= e.bounds[3];
}

// Random drawing states and primitives, near the ends of the 32-bit range too.
TEST(EmfCanvas, RandomPicturesAreWellFormedMetafiles) {
  std::mt19937 rng(24);
  const auto coord = [&rng]() {
    std::uniform_int_distribution<int> kind(0, 9), small(-5000, 5000);
    if (kind(rng) == 0) return std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(rng);
    return small(rng);
  };
  for (int picture = 0; picture < 300; ++picture) {
    EmfCanvas canvas(20, [](std::string_view, const ColourMatrix*) {
      return std::optional<EmfBitmap>(EmfBitmap{2, 1, {1, 2, 3, 255, 4, 5, 6, 255}});
    });
    std::vector<PixelPoint> drawn;
    const int steps = std::uniform_int_distribution<int>(0, 40)(rng);
    for (int s = 0; s < steps; ++s) {
      std::uniform_int_distribution<int> pick(0, 13), small(0, 5);
      canvas.SetPen({small(rng) % 2 ? PenKind::kGeometric : PenKind::kCosmetic, static_cast<PenStyle>(small(rng) % 5),
                     small(rng), static_cast<ColourRef>(rng() & 0xFFFFFF)});
      canvas.SetBrush({static_cast<BrushKind>(small(rng) % 3), static_cast<HatchStyle>(small(rng)), static_cast<ColourRef>(rng())});
      canvas.SetDrawMode(static_cast<DrawMode>(small(rng) % 3));
      canvas.SetBackgroundMode(small(rng) % 2 ? BackgroundMode::kOpaque : BackgroundMode::kTransparent);
      const PixelPoint a{coord(), coord()}, b{coord(), coord()};
      const PixelRect box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
      switch (pick(rng)) {
        case 0: canvas.Line(a, b), drawn.insert(drawn.end(), {a, b}); break;
        case 1: {
          const PixelPoint pts[] = {a, b, {a.x, b.y}};
          canvas.Polyline(pts);
          drawn.insert(drawn.end(), {a, b});
          break;
        }
        case 2: {
          const PixelPoint pts[] = {a, b, {b.x, a.y}};
          canvas.Polygon(pts);
          break;
        }
        case 3: canvas.Rectangle(box); break;
        case 4: canvas.Ellipse(box); break;
        case 5: canvas.Arc(box, small(rng) * 60.0, (small(rng) - 2) * 100.0); break;
        case 6: canvas.StrokePath(std::vector<PixelPolyline>{{a, b}, {b}, {b, a, b}}); break;
        case 7: canvas.Text(a, "\x90\xbb\x90\x7d A", {"\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e", small(rng) * 10, 0, small(rng) * 300, 128, false}); break;
        case 8: canvas.Image(box, "p.png", nullptr); break;
        case 9: canvas.FillRect(box, 0x123456); break;
        case 10: canvas.SetClip(&box); break;
        case 11: canvas.SetClip(nullptr); break;
        default: canvas.Text(a, "", {}); break;
      }
    }
    const std::vector<uint8_t> file = canvas.Finish({0, 0, 5940, 4200});
    const ParsedEmf parsed = Parse(file);
    if (::testing::Test::HasFailure()) FAIL() << "picture " << picture;
    for (PixelPoint p : drawn) EXPECT_TRUE(Inside(parsed, p.x, p.y)) << p.x << "," << p.y;
    // The frame is the page in 0.01 mm: 297 x 210 mm at 20 units a mm.
    EXPECT_EQ(I32(file, 32), 29700);
    EXPECT_EQ(I32(file, 36), 21000);
  }
}

TEST(EmfCanvas, TextIsUtf16FromShiftJis) {
  EmfCanvas canvas(20);
  canvas.Text({100, 200}, "\x90\xbb\x90\x7d" "A", {"", 40, 0, 0, 128, false});  // 製図A
  const std::vector<uint8_t> file = canvas.Finish({0, 0, 1000, 1000});
  const ParsedEmf parsed = Parse(file);
  ASSERT_EQ(parsed.counts.at(kEmrExtTextOutW), 1);
  for (const EmfRecord& r : parsed.records) {
    if (r.type != kEmrExtTextOutW) continue;
    EXPECT_EQ(I32(file, r.offset + 36), 100);
    EXPECT_EQ(I32(file, r.offset + 40), 200);
    ASSERT_EQ(U32(file, r.offset + 44), 3u);
    const std::size_t s = r.offset + U32(file, r.offset + 48);
    EXPECT_EQ(file[s] | file[s + 1] << 8, 0x88FD);  // 製
    EXPECT_EQ(file[s + 2] | file[s + 3] << 8, 0x56F3);  // 図
    EXPECT_EQ(file[s + 4] | file[s + 5] << 8, 'A');
  }
}

// Every line of the drawing at its true-scale place; nothing of the grid or the origin mark,
// whatever the display says.
TEST(EmfCanvas, ExportHasTheLinesAtTrueScaleAndNoScreenAids) {
  ResetCurrentSettings();
  ProgramSettings& s = CurrentSettings();
  s.OriginMarkDisplay = 1;
  s.PaperFrameDisplay = 0;
  testing::TestDrawing drawing;
  testing::RecordingViewHost host;
  testing::AddGrid(drawing.entities, 10);
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> x(0, 297), y(0, 210);
  std::vector<std::array<double, 4>> lines;
  for (int i = 0; i < 50; ++i) {
    lines.push_back({x(rng), y(rng), x(rng), y(rng)});
    testing::AddLine(drawing.entities, lines.back()[0], lines.back()[1], lines.back()[2], lines.back()[3]);
  }
  CPlenwickView view(drawing.view(), host);
  view.OnInitialUpdate();
  EmfCanvas canvas(20);
  const PixelRect page = view.DrawForExport(canvas, 20);
  EXPECT_EQ(page, (PixelRect{0, 0, 5940, 4200}));
  const std::vector<uint8_t> file = canvas.Finish(page);
  const ParsedEmf parsed = Parse(file);
  ASSERT_EQ(parsed.counts.count(kEmrLineTo) ? parsed.counts.at(kEmrLineTo) : 0, 50);
  std::size_t i = 0;
  for (const EmfRecord& r : parsed.records) {
    if (r.type != kEmrMoveToEx) continue;
    const auto& l = lines[i++];
    EXPECT_NEAR(I32(file, r.offset + 8), l[0] * 20, 1.01);
    EXPECT_NEAR(I32(file, r.offset + 12), (210 - l[1]) * 20, 1.01);
    EXPECT_NEAR(I32(file, r.offset + 16 + 8), l[2] * 20, 1.01);
    EXPECT_NEAR(I32(file, r.offset + 16 + 12), (210 - l[3]) * 20, 1.01);
  }
  // The view's own display state is untouched.
  EXPECT_EQ(s.OriginMarkDisplay, 1);
  EXPECT_EQ(drawing.entities.head->subKind, 1);
  ResetCurrentSettings();
}

}  // namespace
}  // namespace plenwick
