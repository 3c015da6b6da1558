// The development dialog's fields, checks and profile.
#include "tools/draw/develop_dlg.h"

#include <limits>
#include <optional>

#include "model/number_text.h"
#include "view/tool_framework/tool_ui.h"

namespace plenwick {

namespace {

// What a field holds.
enum class Role : uint8_t { kUnused, kRadius, kHeight1, kHeight2, kLength1, kLength2, kAngle, kDivisions };

constexpr std::array<std::array<Role, CDevelopDlg::kFieldCount>, 3> kRoles{{
    {Role::kRadius, Role::kHeight1, Role::kHeight2, Role::kDivisions, Role::kUnused, Role::kUnused, Role::kUnused},
    {Role::kLength1, Role::kLength2, Role::kHeight1, Role::kHeight2, Role::kRadius, Role::kDivisions, Role::kUnused},
    {Role::kRadius, Role::kHeight1, Role::kHeight2, Role::kAngle, Role::kDivisions, Role::kUnused, Role::kUnused},
}};

std::string_view LabelOf(Role role) {
  switch (role) {
    case Role::kRadius: return "半\u3000径 [mm]";
    case Role::kHeight1: return "高さ１ [mm]";
    case Role::kHeight2: return "高さ２ [mm]";
    case Role::kLength1: return "長さ１ [mm]";
    case Role::kLength2: return "長さ２ [mm]";
    case Role::kAngle: return "角\u3000度";
    case Role::kDivisions: return "曲線点列数";
    case Role::kUnused: break;
  }
  return {};
}

// A field's value: only "-", "." and digits making one decimal number, not negative, and held by
// a float.
std::optional<float> FieldValue(std::string_view text) {
  if (text.find_first_not_of("-.0123456789") != std::string_view::npos) return std::nullopt;
  const std::optional<double> value = ParseDecimalText(text);
  if (!value || *value < 0 || *value > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*value);
}

}  // namespace

CDevelopDlg::CDevelopDlg(int body, ToolUi& ui) {
  input_.body = body == 1 ? DevelopBody::kSquarePrism : body == 2 ? DevelopBody::kCone : DevelopBody::kCylinder;
  for (int field = 0; field < kFieldCount; ++field) {
    initial_[static_cast<std::size_t>(field)] = ui.ProfileText(kProfileSection, ProfileKey(field));
  }
}

std::string CDevelopDlg::ProfileKey(int field) { return "Edit0" + std::to_string(field + 1); }

std::string_view CDevelopDlg::label(int field) const {
  if (field < 0 || field >= kFieldCount) return {};
  return LabelOf(kRoles[static_cast<std::size_t>(input_.body)][static_cast<std::size_t>(field)]);
}

bool CDevelopDlg::OnExecute(std::span<const std::string> texts, ToolUi& ui) {
  const auto& roles = kRoles[static_cast<std::size_t>(input_.body)];
  const bool cone = input_.body == DevelopBody::kCone, prism = input_.body == DevelopBody::kSquarePrism;
  DevelopInput in;
  in.body = input_.body;
  for (int field = 0; field < kFieldCount; ++field) {
    const Role role = roles[static_cast<std::size_t>(field)];
    if (role == Role::kUnused) continue;
    focusField_ = field;
    const std::optional<float> value =
        static_cast<std::size_t>(field) < texts.size() ? FieldValue(texts[static_cast<std::size_t>(field)]) : std::nullopt;
    if (!value) return false;
    const float v = *value;
    switch (role) {
      case Role::kRadius: in.radius = v; break;
      case Role::kHeight1:
        // The cone's heights are shares of its apex height.
        if (cone && v == 0) return false;
        in.height1 = v;
        break;
      case Role::kHeight2: in.height2 = v; break;
      case Role::kLength1:
      case Role::kLength2:
        // The slope of the cut and the corners are shares of the sides.
        if (v == 0) return false;
        (role == Role::kLength1 ? in.length1 : in.length2) = v;
        break;
      case Role::kAngle: in.angle = v; break;
      case Role::kDivisions:
        if (!(v < kMaxDivisions + 1)) return false;
        in.divisions = static_cast<int>(v);
        break;
      case Role::kUnused: break;
    }
    ui.WriteProfileText(kProfileSection, ProfileKey(field), texts[static_cast<std::size_t>(field)]);
  }
  if (cone && in.height1 < in.height2) {
    ui.ShowMessage(kConeHeightsMessage);
    focusField_ = 1;
    return false;
  }
  if (prism && (in.radius > in.length1 / 2 || in.radius > in.length2 / 2)) {
    ui.ShowMessage(kCornerRadiusMessage);
    focusField_ = 4;
    return false;
  }
  input_ = in;
  return true;
}

}  // namespace plenwick
