// Building elements from the groups of a DXF ENTITIES section: POINT, LINE, CIRCLE, ARC, TEXT,
// POLYLINE with its VERTEX and SEQEND entities, and LWPOLYLINE; everything else is passed over.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/dxf_group_reader.h"
#include "exchange/dxf_text.h"
#include "model/entity_list.h"

namespace plenwick {

class DxfEntityReader {
 public:
  DxfEntityReader(EntityList& list, DxfTextEncoding encoding) : list_(list), encoding_(encoding) {}

  // One group of the section; (0, name) ends the entity before it and starts the next.
  void Take(const DxfGroup& group);
  // The section has ended: adds what is still pending.
  void Finish();

  int64_t added() const { return added_; }
  // Entities left out for values that are no numbers, not finite, beyond the coordinate range,
  // or a radius <= 0.
  int64_t skipped() const { return skipped_; }

 private:
  enum class Type { kIgnored, kPoint, kLine, kCircle, kArc, kText, kPolyline, kVertex, kLwPolyline };
  // The values an entity may carry, by group code.
  enum Slot { k10, k20, k11, k21, k40, k41, k50, k51, kSlots };
  struct Vertex {
    double x = 0;
    double y = 0;
    int lineType = 0;
  };

  void Start(std::string_view name);
  void EndEntity();
  void EndPolyline();
  void AddPending();
  // Adds the element when usable, else counts it skipped.
  void Add(int16_t kind, int16_t subKind, int lineType, const int16_t* codes, std::span<const double> values,
           bool usable, const char* text = nullptr);
  double Value(Slot slot) const { return values_[slot]; }

  EntityList& list_;
  DxfTextEncoding encoding_;
  int64_t added_ = 0;
  int64_t skipped_ = 0;

  // The entity being read.
  Type type_ = Type::kIgnored;
  double values_[kSlots] = {};
  int flags_ = 0;
  int lineType_ = -1;  // -1: none given
  bool bad_ = false;   // a value that is no number, or not finite
  std::string text_;

  // The polyline being read: POLYLINE until its SEQEND, or LWPOLYLINE.
  bool inPolyline_ = false;
  bool polylineClosed_ = false;
  bool polylineSkipped_ = false;  // a mesh: not a figure of lines
  bool polylineBad_ = false;
  int polylineLineType_ = 0;
  std::vector<Vertex> vertices_;
};

}  // namespace plenwick
