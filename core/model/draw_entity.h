// One drawing element: the single record shape every kind shares, linked into an EntityList.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

namespace plenwick {

// Element kinds as stored in files and records.
enum EntityKind : int16_t {
  kPoint = 10,
  kGrid = 11,
  kLine = 20,
  kHorizontalInfiniteLine = 21,
  kVerticalInfiniteLine = 22,
  kAngledInfiniteLine = 23,
  kBezierCurve = 24,
  kFreeCurve = 26,
  kCircle = 30,
  kArc = 31,
  kText = 40,
  kLeaderText = 41,
  kDimension = 50,
  kGroupHeader = 60,
  kPaint = 70,
  kHatch = 71,
  kImage = 80,
  kPolygon = 90,
};

// Transient element states; never stored in files.
enum EntityMark : int16_t {
  kMarkDeleted = -1,
  kMarkNone = 0,
  kMarkTemporary = 1,
  kMarkCleanup = 2,
  kMarkPicked = 3,
  kMarkSelected = 4,
};

// Owned NUL-terminated byte string (Shift-JIS in the model). Null and empty are distinct:
// kinds without a text keep it null. One pointer wide, which keeps line records small.
class OwnedCString {
 public:
  OwnedCString() = default;
  explicit OwnedCString(std::string_view bytes) { Assign(bytes); }
  void Assign(std::string_view bytes);
  void Reset() { data_.reset(); }
  bool IsNull() const { return !data_; }
  const char* c_str() const { return data_ ? data_.get() : ""; }
  std::string_view view() const { return data_ ? std::string_view(data_.get()) : std::string_view(); }

 private:
  std::unique_ptr<char[]> data_;
};

// An element's code or value array, one pointer wide. It either owns memory from new[] (reset,
// or assigning a std::unique_ptr<T[]>) or lies inside the element's own record, which the
// entity core allocates together with its arrays: one allocation per element, and a line
// record small enough for the allocator's fastest size classes. An array inside a record cannot
// outlive it, so arrays are not moved; give a record a new array with reset or assignment.
template <typename T>
class EntityArray {
  static_assert(alignof(T) >= 2, "the low bit of the address marks an array inside the record");

 public:
  EntityArray() = default;
  EntityArray(const EntityArray&) = delete;
  EntityArray& operator=(const EntityArray&) = delete;
  EntityArray& operator=(std::unique_ptr<T[]> owned) {
    reset(owned.release());
    return *this;
  }
  EntityArray& operator=(std::nullptr_t) {
    reset();
    return *this;
  }
  ~EntityArray() { reset(); }

  // Takes memory allocated with new[] (or null).
  void reset(T* owned = nullptr) {
    if ((bits_ & kEmbedded) == 0) delete[] get();
    bits_ = reinterpret_cast<std::uintptr_t>(owned);
  }
  T* get() const { return reinterpret_cast<T*>(bits_ & ~kEmbedded); }
  explicit operator bool() const { return bits_ != 0; }
  T& operator[](std::size_t i) const { return get()[i]; }
  bool operator==(std::nullptr_t) const { return bits_ == 0; }

  // For the entity core: storage inside the record that holds this array, freed with it.
  void UseEmbedded(T* storage) {
    reset();
    bits_ = reinterpret_cast<std::uintptr_t>(storage) | kEmbedded;
  }

 private:
  static constexpr std::uintptr_t kEmbedded = 1;
  std::uintptr_t bits_ = 0;
};

struct DrawEntity {
  DrawEntity* prev = nullptr;   // previous element of the list or chain that holds it
  DrawEntity* next = nullptr;   // next element
  DrawEntity* owner = nullptr;  // group header (60) or dimension (50) this element belongs to
  int16_t kind = 0;
  int16_t subKind = 0;
  int16_t lineAttr = 0;  // line type * 100 + pen
  int16_t mark = kMarkNone;
  int16_t layer = 0;
  int16_t valueCount = 0;
  int16_t groupNo = 0;

 private:
  // Bookkeeping in what would otherwise be padding. blockUnits_: the 16-byte units taken in a
  // record block together with the arrays (a block holds less than 2^16 of them); 0: memory of
  // its own. number_: the element's number in the snap-point list that numbered it while it had
  // none, so that the list finds it without a lookup (SnapPointList::EntityNumber).
  friend std::unique_ptr<DrawEntity> NewEntityRecord(int valueCount, bool withCodes);
  friend class SnapPointList;
  uint16_t blockUnits_ = 0;

 public:
  int32_t colour = 0;                 // COLORREF 0x00BBGGRR

 private:
  mutable uint32_t number_ = UINT32_MAX;

 public:
  EntityArray<int16_t> codes;        // valueCount group codes; null for kinds 26 and 90
  EntityArray<double> values;        // valueCount values: model mm, angles in degrees
  OwnedCString text;                 // kinds 40, 41: the text; kind 80: the image path
  OwnedCString font;                 // kinds 40, 41: the font face

  DrawEntity() = default;
  DrawEntity(const DrawEntity&) = delete;
  DrawEntity& operator=(const DrawEntity&) = delete;
  ~DrawEntity();

  // A record lives in memory of its own or in a record block (NewEntityRecord); `delete`
  // releases either. The allocation functions hand on to the global ones; they are declared so
  // that compilers see them pair up with this operator delete.
  static void* operator new(std::size_t bytes);
  static void* operator new(std::size_t bytes, const std::nothrow_t& tag) noexcept;
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void* memory) noexcept;
  static void operator delete(void* memory, const std::nothrow_t& tag) noexcept;
  static void operator delete(void*, void*) noexcept {}

  int Pen() const { return lineAttr % 100; }
  int LineType() const { return lineAttr / 100; }
  bool HasCodes() const { return static_cast<bool>(codes); }
  double Value(int i) const { return values[i]; }
  int16_t Code(int i) const { return codes ? codes[i] : int16_t{0}; }
};
static_assert(sizeof(void*) != 8 || sizeof(DrawEntity) == 80, "a line with its arrays fills a 128-byte block");

// A new, empty record with room for valueCount values (and codes): inside it as far as they fit
// (see draw_entity.cpp), elsewhere owned by its arrays. Null when memory is exhausted.
std::unique_ptr<DrawEntity> NewEntityRecord(int valueCount, bool withCodes);

// Kinds whose value array carries a code array (all but the free curve and the polygon).
bool KindHasCodes(int kind);
// Kinds that carry a text (40, 41) or an image path (80).
bool KindHasText(int kind);
// Kinds that carry a font face (40, 41).
bool KindHasFont(int kind);
// Kinds 21..23.
inline bool IsInfiniteLine(int kind) { return kind >= kHorizontalInfiniteLine && kind <= kAngledInfiniteLine; }
// A part generated for a dimension: made again from the dimension, never stored on its own.
inline bool IsDimensionPart(const DrawEntity& e) { return e.owner && e.owner->kind == kDimension; }

}  // namespace plenwick
