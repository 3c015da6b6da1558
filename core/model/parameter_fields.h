// The fields of the parameter block as offset and width, for comparing and copying the block
// field by field rather than byte by byte (a byte-wise merge could mix two numbers).
#pragma once

#include <cstddef>
#include <functional>

#include "model/parameter_block.h"

namespace plenwick {

struct ParameterField {
  std::size_t offset;
  std::size_t width;
};

// Calls `visit` for every field of the block in order; together they cover all 728 bytes.
void ForEachParameterField(const std::function<void(ParameterField)>& visit);

// Copies into `into` every field in which `after` differs from `before`.
void TakeChangedFields(const ParameterBlock& before, const ParameterBlock& after, ParameterBlock& into);

}  // namespace plenwick
