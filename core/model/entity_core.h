// The entity core: creating, linking, freeing, reordering and translating elements.
// All operations return 0 on success and 1 on refusal unless said otherwise.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "model/draw_entity.h"
#include "model/entity_list.h"

namespace plenwick {

struct EntityAttr {
  int16_t kind = 0;
  int16_t subKind = 0;
  int16_t lineAttr = 0;
  int16_t layer = 0;
  int16_t valueCount = 0;
};

// Smallest and largest first coordinate (model mm) an element may have, and every value of a
// line; the range is asymmetric on purpose and files rely on it. NaN is outside it.
inline constexpr double kMinCoordinate = -9999999999.9;
inline constexpr double kMaxCoordinate = 99999999999.9;
inline bool InCoordinateRange(double v) { return v >= kMinCoordinate && v <= kMaxCoordinate; }
// Whether every value is in that range: a line (kinds 20..23) with any other value is dropped
// when a drawing file is read, so one must never be added.
inline bool AllInCoordinateRange(std::span<const double> values) {
  return std::all_of(values.begin(), values.end(), InCoordinateRange);
}

// Default text face, Shift-JIS "ＭＳゴシック".
inline constexpr std::string_view kDefaultFontSjis = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";
// Face reported for a dimension without a text part.
inline constexpr std::string_view kSystemFont = "System";
// Longest free curve and control-point curve.
inline constexpr int kMaxFreeCurvePoints = 3000;
inline constexpr int kMaxBezierPoints = 40;

// Appends a new element built from copies of codes, values, font and text (text and font may be
// null; a null font on a text becomes the default face). A dimension gets its parts generated.
// `added`, when given, receives the new element (not its parts). A group header takes the next
// group number; when all 32767 are held, the header is refused.
int AddEntity(const EntityAttr& attr, const char* font, EntityList& list, const int16_t* codes,
              int32_t colour, const double* values, const char* text, DrawEntity** added = nullptr);

// As AddEntity for an element read from a file: it keeps its stored group number (a header
// draws none from the list's counter); generated dimension parts keep theirs.
int AddStoredEntity(const EntityAttr& attr, const char* font, EntityList& list, const int16_t* codes,
                    int32_t colour, const double* values, const char* text, int16_t groupNo,
                    DrawEntity** added = nullptr);

// As AddEntity, with `owner` set and the owner's group number taken when non-zero.
int AddChildEntity(const EntityAttr& attr, const char* font, EntityList& list, const int16_t* codes,
                   int32_t colour, const double* values, const char* text, DrawEntity* owner,
                   DrawEntity** added = nullptr);

struct CurvePoint {
  double x = 0;
  double y = 0;
  CurvePoint* next = nullptr;
};
// Appends a free curve (kind 26) whose values are the x, y pairs of the linked points in order;
// attr.valueCount is the number of points.
int AddCurveFromPoints(const EntityAttr& attr, EntityList& list, int32_t colour, const CurvePoint* points);

// Frees one element record that is linked nowhere any more.
void FreeEntity(DrawEntity* entity);
// Frees a detached chain linked by next, starting at first.
void FreeChain(DrawEntity* first);

// Frees every element from the head on; head and tail null, nextGroupNo 1.
void ClearEntityList(EntityList& list);

// The element at 0-based position index, or null.
DrawEntity* EntityAt(const EntityList& list, int index);

// Adds (dx, dy) model mm to the coordinates of first and every later element.
void TranslateEntities(DrawEntity* first, double dx, double dy);

// Moves every element with mark 3 to just after the head, in list order, clearing its mark.
void BringMarkedToFront(EntityList& list);
// Moves every element with mark 3 to the tail, in list order, clearing its mark.
void SendMarkedToBack(EntityList& list);

// The font of the first text part (kind 40) owned by the dimension, or "System".
std::string_view FindDimensionFont(const EntityList& list, const DrawEntity* dimension);

// Restores owner = header on every member sharing a non-zero group number with a kind-60 header
// (the last such header when several share the number). Linear in the list's length.
void LinkGroupMembers(EntityList& list);

// Clears the group number of every element without owner (group headers keep theirs, or every
// save would dissolve the groups). Done before a document is saved.
void ClearOrphanGroupNumbers(EntityList& list);

// Highest group number stored on any element (0 when none).
int HighestGroupNumber(const EntityList& list);

// Appends an already built element at the tail (links it; the list takes ownership).
void AppendEntity(EntityList& list, std::unique_ptr<DrawEntity> entity);
// Unlinks one element from the list, fixing head and tail; the caller takes the record.
void UnlinkEntity(EntityList& list, DrawEntity* entity);
// The same without telling the snap points: for elements that only move inside the list.
void UnlinkQuietly(EntityList& list, DrawEntity* entity);

// ---- Dimension parts ----------------------------------------------------------------------
// The dimension tools provide the generators that draw a dimension as child elements (lines,
// arcs, texts), installed with the program's start-up (InstallToolExtensions). A generator
// appends the parts with AddChildEntity(owner = dimension).
// `mode` is the dimension kind for the horizontal/vertical generator (1 or 2) and 0 otherwise.
using DimensionPartsGenerator = std::function<void(EntityList& list, DrawEntity& dimension, int mode)>;
struct DimensionPartsGenerators {
  DimensionPartsGenerator linear;     // kinds 1 and 2 (mode = kind), and 0, 4, 5 and unknown kinds (mode 0)
  DimensionPartsGenerator perimeter;  // kind 3
  DimensionPartsGenerator angle;      // kinds 6 and 7
  DimensionPartsGenerator area;       // kind 8
};
// Installs the generators used by every later AddEntity of a dimension; returns the previous set.
DimensionPartsGenerators InstallDimensionPartsGenerators(DimensionPartsGenerators generators);
// Appends the parts of one dimension by its kind (nothing when no generator is installed).
void GenerateDimensionParts(EntityList& list, DrawEntity& dimension);

}  // namespace plenwick
