// The attribute dialogs that change only the look (line type, pen, colour): CChangeSplineDlg of
// curves ("曲線作図属性変更"), changed where they stand without an undo step, and CChangePolyDlg
// of polygons ("多角形作図属性変更"), replaced in an undo step like the others.
#pragma once

#include "tools/edit/attribute_dialog.h"

namespace plenwick {

class CChangeLookDlg : public AttributeDialogModel {
 public:
  explicit CChangeLookDlg(const DrawEntity& record) : AttributeDialogModel(record, 0, 0, {}, {}) {}

 private:
  RecordGeometry Build(const std::vector<double>&, const std::vector<std::string>&) const override { return GeometryOf(record()); }
};

class CChangeSplineDlg final : public CChangeLookDlg {
 public:
  static constexpr std::string_view kCaption = "曲線作図属性変更";
  using CChangeLookDlg::CChangeLookDlg;
  std::string_view caption() const override { return kCaption; }
  bool InPlace() const override { return true; }
};

class CChangePolyDlg final : public CChangeLookDlg {
 public:
  static constexpr std::string_view kCaption = "多角形作図属性変更";
  using CChangeLookDlg::CChangeLookDlg;
  std::string_view caption() const override { return kCaption; }
};

}  // namespace plenwick
