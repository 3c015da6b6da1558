// The harness of the drawing tools' fuzz targets: event sequences on a headless view (mode
// choices, moves, clicks, drags, double and right clicks, typed values, cancels and undos, zooms,
// pans and repaints of all or part of the view) over hostile settings and elements. Nothing may
// fault or hang, every element a tool stores must be one a drawing file keeps, and once the
// operation is cancelled and another tool chosen no exclusive-or figure may be left on the view.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/entity_core.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "tools/draw/develop_dlg.h"
#include "tools/draw/element_adding.h"
#include "tools/draw/tolerance_dlg.h"
#include "tools/edit/attribute_dialog.h"
#include "tools/edit/delete_group_dlg.h"
#include "tools/edit/enty_list_dlg.h"
#include "tools/edit/idou_zahyo_dlg.h"
#include "tools/standard_tools.h"
#include "view/dimension_record.h"
#include "view/entity_index.h"
#include "view/plenwick_view.h"
#include "view/recording_canvas.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/command_table.h"
#include "view/tool_framework/line_input.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/silent_tool_ui.h"
#include "view/tool_framework/view_tool_router.h"
#include "view/view_document.h"

#include "fuzz_bytes.h"

namespace plenwick::fuzzing {

class Bytes : public FuzzBytes {
 public:
  using FuzzBytes::FuzzBytes;
  PixelPoint Pixel() { return {Byte() * 800 / 256, Byte() * 600 / 256}; }
  std::string Text() {
    std::string text;
    const int n = Byte() % 12;
    for (int i = 0; i < n; ++i) text += "0123456789.+-*/ "[Byte() % 16];
    return text;
  }
};

// The window of the view: the text box holds whatever bytes the input gives (any UTF-8 or none).
class Window final : public ToolViewHost {
 public:
  explicit Window(Bytes& in) : in_(in) {}
  std::string TextBoxText() override {
    std::string text;
    const int n = in_.Byte() % 40;
    for (int i = 0; i < n; ++i) text += static_cast<char>(in_.Byte());
    return text;
  }

 private:
  Bytes& in_;
};

class Host final : public ViewHost {
 public:
  void DrawOnClient(const std::function<void(Canvas&)>& draw) override { draw(canvas); }
  void Invalidate(const PixelRect*) override { invalidated = true; }
  void SetStatusText(int, std::string_view) override {}
  RecordingCanvas canvas;
  bool invalidated = false;  // a paint is due
};

// Answers menus and dialogs from the input.
class Ui final : public SilentToolUi {
 public:
  explicit Ui(Bytes& in) : in_(in) {}
  // The menu's own command, the numeric input or キャンセル.
  int TrackContextMenu(int menuId, PixelPoint) override {
    switch (in_.Byte() % 3) {
      case 0: return kCmdCancel;
      case 1: return kCmdNumericInput;
      default: {
        const ContextMenuInfo* menu = FindContextMenu(menuId);
        return menu ? menu->command : kCmdCancel;
      }
    }
  }
  bool RunNumericInput(CInputNumDlg& dialog) override { return dialog.OnExecute(in_.Text(), *this); }
  bool RunDeleteGroup(CDeleteGroupDlg& dialog) override {
    const uint8_t how = in_.Byte();
    dialog.SetAllKinds(how & 1);
    dialog.SetOutside(how & 2);
    const uint16_t boxes = static_cast<uint16_t>(in_.Byte() | in_.Byte() << 8);
    for (int i = 0; i < kDeleteKindBoxCount; ++i) dialog.SetKind(static_cast<DeleteKindBox>(i), (boxes >> i) & 1);
    return how % 8 != 0;
  }
  bool RunToleranceSettings(CSunpouKousaDlg& dialog) override {
    const std::string first = in_.Text();
    const std::string second = in_.Text();
    dialog.SelectIndex(in_.Byte() % 9 - 1, first, second);
    const std::string third = in_.Text();
    const std::string fourth = in_.Text();
    return dialog.OnSet(third, fourth, *this);
  }
  bool RunIdouZahyo(IdouZahyoDlg& dialog) override {
    const std::string x = in_.Text();
    const std::string y = in_.Text();
    return dialog.OnExecute(x, y, *this);
  }
  // Any choices (the edits rewritten as the window rewrites them), line type and pen, any texts
  // or the ones shown, and a file chosen with a browse button.
  bool RunAttributeDialog(AttributeDialogModel& dialog) override {
    const uint8_t how = in_.Byte();
    std::vector<std::string> texts;
    for (int field = 0; field < dialog.fieldCount(); ++field) texts.push_back(how & 1 ? dialog.initialText(field) : in_.Text());
    for (int group = 0; group < static_cast<int>(dialog.choices().size()); ++group) {
      const int previous = dialog.choice(group);
      dialog.SetChoice(group, in_.Byte() % 9);
      dialog.RewriteTexts(group, previous, texts);
    }
    dialog.look().lineType = in_.Byte() % 9;
    dialog.look().SelectPen(in_.Byte() % 9);
    for (int field = 0; field < dialog.fieldCount(); ++field) {
      if (dialog.BrowseCaption(field).empty() || in_.Byte() % 2) continue;
      if (std::optional<std::string> chosen = dialog.Browse(field)) texts[static_cast<std::size_t>(field)] = *chosen;
    }
    (void)dialog.Facts();
    return dialog.OnExecute(texts, *this);
  }
  std::vector<std::string> FontFamilies() override { return {"Noto Sans", in_.Text()}; }
  std::optional<ImageFacts> ReadImageFacts(const std::string&) override {
    if (in_.Byte() % 2) return std::nullopt;
    return ImageFacts{in_.Byte(), in_.Byte(), in_.Byte()};
  }
  DialogResult RunLineInput(CLineInputDlg& dialog) override {
    const uint8_t how = in_.Byte();
    if (how % 3 == 2) return DialogResult::kNotAvailable;
    dialog.SetMode(how % 2);
    const std::string first = in_.Text();
    const std::string second = in_.Text();
    return dialog.OnExecute(first, second, *this) ? DialogResult::kOk : DialogResult::kCancel;
  }
  // Any path, cancelled or not, and a check that says what the input says.
  std::string AskImageFile() override {
    switch (in_.Byte() % 3) {
      case 0: return {};
      case 1: return in_.Text();
      default: {
        std::string bytes(static_cast<std::size_t>(in_.Byte()) * 2, '\0');
        for (char& c : bytes) c = static_cast<char>(in_.Byte());
        return bytes;
      }
    }
  }
  bool ImageLoads(const std::string&) override { return in_.Byte() % 2 == 0; }
  // Up to a dozen of the list's actions with any texts, then データ反映 or ｷｬﾝｾﾙ.
  bool RunEntityList(CEntyListDlg& dialog) override {
    for (int action = in_.Byte() % 13; action > 0; --action) {
      const uint8_t which = in_.Byte();
      const std::size_t count = dialog.count();
      switch (which % 9) {
        case 0:
          if (count > 0) dialog.Select(in_.Byte() % count);
          break;
        case 1: dialog.SetPage(in_.Byte() % 4); break;
        case 2: dialog.SetFieldText(in_.Byte() % 6, in_.Text()); break;
        case 3: dialog.OnAdd(*this); break;
        case 4: dialog.OnChange(*this); break;
        case 5: dialog.OnDelete(); break;
        case 6: dialog.OnClear(); break;
        case 7: dialog.Quantize(in_.Byte() % 7 - 1, which & 16 ? DecimalRounding::kTruncate : DecimalRounding::kHalfUp); break;
        default:
          for (int column = 0; column < CEntyListDlg::kColumnCount; ++column) (void)dialog.CellText(in_.Byte(), column);
          break;
      }
    }
    return in_.Byte() % 4 != 0 && dialog.OnApply(*this);
  }
  // Seven texts a time, up to three times.
  bool RunDevelop(CDevelopDlg& dialog) override {
    for (int attempt = in_.Byte() % 4; attempt > 0; --attempt) {
      std::vector<std::string> texts;
      for (int field = 0; field < CDevelopDlg::kFieldCount; ++field) texts.push_back(in_.Text());
      if (dialog.OnExecute(texts, *this)) return true;
    }
    return false;
  }

 private:
  Bytes& in_;
};

// Elements the input adds itself sit on this layer (their values may be anything).
constexpr int16_t kInputLayer = 127;

inline void AddElement(Bytes& in, CPlenwickDoc& doc) {
  const double v[6] = {in.Float(), in.Float(), in.Float(), in.Float(), in.Float(), in.Float()};
  const int16_t codes[4] = {10, 20, 11, 22};
  const int16_t arcCodes[5] = {10, 20, 40, 50, 51};
  switch (in.Byte() % 12) {
    case 8:
    case 9: {
      // A text or leader text of any string, font and values (a leader of 9 or 11 values, or
      // fewer than its leader needs).
      static constexpr int16_t kTextCodes[11] = {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81};
      const double t[11] = {v[0], v[1], in.Byte() % 4 ? 10.0 : v[2], v[3], v[4], v[5], in.Float(), in.Float(),
                            in.Float(), in.Float(), in.Float()};
      const bool leader = in.Byte() % 2;
      const auto count = static_cast<int16_t>(leader ? 5 + in.Byte() % 7 : 5);
      const std::string text = in.Text(), font = in.Text();
      AddEntity({leader ? kLeaderText : kText, static_cast<int16_t>(in.Byte() % 40), 0, kInputLayer, count},
                font.c_str(), doc.entities, kTextCodes, 0, t, text.c_str());
      break;
    }
    case 10: {
      // A distance dimension on the current layer; one with a hostile value stands on the input
      // layer, like the other hostile records, since no tool could have stored it.
      const int16_t dimCodes[18] = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51};
      double d[18] = {0, 0.0015, 0.0025, 100, 20, 0, 1100, 11112, 30, 30, 10, 10, in.Byte() * 2.0, in.Byte() * 2.0,
                      in.Byte() * 2.0, in.Byte() * 2.0, in.Byte() * 2.0, in.Byte() * 2.0};
      d[0] = PackDimensionField(MakeDimensionPacked(in.Byte() % 9, in.Text()));
      const bool hostile = in.Byte() % 4 == 0;
      if (hostile) d[in.Byte() % 18] = in.Float();
      const auto layer = static_cast<int16_t>(hostile ? kInputLayer : CurrentSettings().CurrentLayer);
      AddEntity({kDimension, static_cast<int16_t>(in.Byte() % 9), 0, layer, 18},
                nullptr, doc.entities, dimCodes, 0, d, nullptr);
      break;
    }
    case 11: {
      const std::string path = in.Text();
      AddEntity({kImage, 0, 0, kInputLayer, 4}, nullptr, doc.entities, codes, 0, v, path.c_str());
      break;
    }
    case 5:
    case 6: {
      // A group of two lines on the current layer, as the selection tool registers one: sane
      // values, snap points registered, so that the editing tools meet groups.
      const int16_t headerCodes[4] = {10, 20, 10, 20};
      const double header[4] = {0, 0, 1, 0};
      const auto layer = static_cast<int16_t>(CurrentSettings().CurrentLayer);
      DrawEntity* h = nullptr;
      if (doc.AddDocumentEntity({kGroupHeader, 0, 0, layer, 4}, nullptr, headerCodes, 0, header, nullptr, &h) != 0) break;
      for (int i = 0; i < 2; ++i) {
        const double line[4] = {in.Byte() * 3.0, in.Byte() * 2.0, in.Byte() * 3.0, in.Byte() * 2.0};
        DrawEntity* e = nullptr;
        if (doc.AddDocumentEntity({kLine, 0, 0, layer, 4}, nullptr, codes, 0, line, nullptr, &e) != 0) break;
        e->owner = h;
        e->groupNo = h->groupNo;
      }
      break;
    }
    case 0: AddEntity({kLine, 0, 0, kInputLayer, 4}, nullptr, doc.entities, codes, 0, v, nullptr); break;
    case 1: AddEntity({kCircle, 0, 0, kInputLayer, 3}, nullptr, doc.entities, codes, 0, v, nullptr); break;
    case 2: AddEntity({kPolygon, 0, 0, kInputLayer, 6}, nullptr, doc.entities, nullptr, 0, v, nullptr); break;
    case 7: {
      const double arc[5] = {v[0], v[1], v[2], std::fmod(std::fabs(v[3]), 360.0), std::fmod(std::fabs(v[4]), 360.0)};
      AddEntity({kArc, static_cast<int16_t>(in.Byte() % 2 ? 1 : -1), 0, kInputLayer, 5}, nullptr, doc.entities, arcCodes,
                0, arc, nullptr);
      break;
    }
    case 3: AddEntity({kHorizontalInfiniteLine, 0, 0, kInputLayer, 4}, nullptr, doc.entities, codes, 0, v, nullptr); break;
    default: AddEntity({kAngledInfiniteLine, 0, 0, kInputLayer, 4}, nullptr, doc.entities, codes, 0, v, nullptr); break;
  }
}

// A paint or hatching of arbitrary codes and values (piece counts, codes, NaN and huge values).
inline void AddHostileFill(Bytes& in, CPlenwickDoc& doc) {
  const int count = 2 + in.Byte() % 40;
  std::vector<int16_t> codes(static_cast<std::size_t>(count));
  std::vector<double> values(static_cast<std::size_t>(count));
  static constexpr int16_t kCodes[] = {10, 20, 0, 1, 2, 3, 4, 5, 50, 51, 52, 60, -1};
  for (int i = 0; i < count; ++i) {
    const uint8_t c = in.Byte();
    codes[static_cast<std::size_t>(i)] = c < 128 ? (i % 2 ? int16_t{20} : int16_t{10}) : kCodes[c % std::size(kCodes)];
    values[static_cast<std::size_t>(i)] = in.Byte() % 8 ? in.Byte() * 3.0 : in.Float();
  }
  codes[0] = static_cast<int16_t>(static_cast<int>(in.Byte()) - 8);
  const bool hatch = in.Byte() % 2;
  const auto subKind = static_cast<int16_t>(static_cast<int>(in.Byte() % 6) - 1);
  const auto lineAttr = static_cast<int16_t>(in.Byte() % 9 * 100 + in.Byte() % 9);
  AddEntity({static_cast<int16_t>(hatch ? kHatch : kPaint), subKind, lineAttr, kInputLayer, static_cast<int16_t>(count)},
            nullptr, doc.entities, codes.data(), 0, values.data(), nullptr);
}

// The window's paint of the whole client, or of a part the input gives.
inline void Paint(Bytes& in, CPlenwickView& view, Host& host) {
  const ViewMapping& m = view.mapping();
  PixelRect box{0, 0, m.clientWidth, m.clientHeight};
  if (in.Byte() % 2) {
    const PixelPoint a = in.Pixel(), b = in.Pixel();
    box = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
  }
  host.invalidated = false;
  host.canvas.SetClip(&box);
  view.OnPaint(host.canvas, box);
  host.canvas.SetClip(nullptr);
}

// Every exclusive-or primitive drawn since the client was last filled whole, an even number of
// times.
inline bool NothingLeft(const RecordingCanvas& canvas, const ViewMapping& m) {
  std::map<std::tuple<int, int, ColourRef, std::string>, int> counts;
  for (const RecordedPrimitive& p : canvas.primitives()) {
    const PixelRect& r = p.rect;
    if (p.op == CanvasOp::kFillRect && p.drawMode == DrawMode::kCopy && r.left <= 0 && r.top <= 0 &&
        r.right >= m.clientWidth && r.bottom >= m.clientHeight) {
      counts.clear();
    }
    if (p.drawMode == DrawMode::kCopy) continue;
    std::string where = p.text;
    for (const PixelPoint& q : p.points) where += "," + std::to_string(q.x) + ":" + std::to_string(q.y);
    where += "|" + std::to_string(p.rect.left) + ":" + std::to_string(p.rect.top) + ":" +
             std::to_string(p.rect.right) + ":" + std::to_string(p.rect.bottom);
    ++counts[{static_cast<int>(p.op), static_cast<int>(p.pen.style), p.pen.colour, where}];
  }
  for (const auto& entry : counts) {
    if (entry.second % 2 != 0) return false;
  }
  return true;
}

// What one target fuzzes: its tools by palette family and number of modes, and the settings
// they read.
struct ToolFuzzSpec {
  const char* folderName;                             // a temporary program folder of its own
  std::vector<std::pair<int, int>> families;          // palette family, sub-modes
  void (*setSetting)(Bytes& in, ProgramSettings& s);  // one hostile setting from the input
  bool hostileFills = false;                          // the input adds paints and hatchings too
  void (*documentAction)(Bytes& in, CPlenwickDoc& doc) = nullptr;  // with the settings, now and then
};

inline int RunToolFuzz(const uint8_t* data, std::size_t size, const ToolFuzzSpec& spec) {
  static const std::string folder = [&] {
    const std::filesystem::path p = std::filesystem::temp_directory_path() / spec.folderName;
    std::filesystem::create_directories(p);
    return p.string();
  }();
  Bytes in(data, size);
  ResetCurrentSettings();
  SilentUserInterface docUi;
  CPlenwickDoc doc(folder, docUi, DocumentEnvironment{{2025, 1, 1}, "fuzz"});
  Host host;
  CPlenwickView view(ViewDocumentOf(doc), host);
  view.OnInitialUpdate();
  view.OnSize(800, 600);
  view.ShowBaseScreen();
  Ui ui(in);
  ToolFramework tools(ui);
  RegisterStandardTools(tools);
  Window window(in);
  {
    ViewToolRouter router(tools, doc, view, host, window);
    router.Activate();
    tools.OpenPalette();
    tools.SelectTool(0, spec.families[0].first);
    for (int events = 0; !in.empty() && events < 200; ++events) {
      const PixelPoint p = in.Pixel();
      switch (in.Byte() % 14) {
        case 0: {
          const auto& [family, modes] = spec.families[in.Byte() % spec.families.size()];
          tools.SelectTool(in.Byte() % (modes + 1), family);
          break;
        }
        case 1:
        case 2: router.OnMouseMove(0, p); break;
        case 3:
        case 4:
          router.OnMouseMove(0, p);
          router.OnLButtonDown(kMkLButton, p);
          router.OnLButtonUp(0, p);
          break;
        case 5:
          router.OnLButtonDblClk(kMkLButton, p);
          router.OnLButtonUp(0, p);
          break;
        case 6:
          router.OnRButtonDown(kMkRButton, p);
          router.OnRButtonUp(0, p);
          router.OnContextMenu(p);
          break;
        case 7: {
          static constexpr int kCommands[] = {
              kCmdCancel, kCmdEscape, kCmdSpace, kCmdNumericInput, kCmdUndo, kCmdDistanceDisplay, kCmdReturnKey,
              kCmdCloseTextBox, kCmdToleranceSettings,
              kCmdFocusOperationBar, kCmdSelectAllKey, kCmdEndSelection, kCmdGroupRegister, kCmdGroupRelease,
              kCmdPartsRegistration, kCmdListEdit, kCmdEntityList, 1493, 1494, 1495, 1496,
              1497, 1498};
          router.OnCommand(kCommands[in.Byte() % std::size(kCommands)]);
          break;
        }
        case 8:
          spec.setSetting(in, CurrentSettings());
          if (spec.documentAction && in.Byte() % 4 == 0) spec.documentAction(in, doc);
          // The moving bar's "マウス指定" / "座標指定".
          tools.state().MovePlacementMode = static_cast<int16_t>(in.Byte() % 2);
          break;
        case 9:
          if (spec.hostileFills && in.Byte() % 2) {
            AddHostileFill(in, doc);
          } else {
            AddElement(in, doc);
          }
          break;
        case 10: doc.protection = in.Byte() % 3; break;
        case 11: {
          static constexpr int kViewCommands[] = {kCmdGridDisplay, kCmdPageUp, kCmdPageDown, kCmdPanUp,
                                                  kCmdPanLeft, kCmdRedraw, kCmdAreaFrame, kCmdOriginMark};
          router.OnCommand(kViewCommands[in.Byte() % 8]);
          break;
        }
        case 12: {
          // A drag: the press, moves with the button down, the release.
          router.OnLButtonDown(kMkLButton, p);
          const int moves = in.Byte() % 16;
          for (int i = 0; i < moves; ++i) router.OnMouseMove(kMkLButton, in.Pixel());
          router.OnLButtonUp(0, in.Pixel());
          break;
        }
        default: Paint(in, view, host); break;
      }
    }
    if (host.invalidated) Paint(in, view, host);
    router.OnCommand(kCmdEscape);
    tools.SelectTool(0, 0);
    if (!NothingLeft(host.canvas, view.mapping())) std::abort();
  }
  // The element index still follows the list, and no record belongs to one that is gone (the
  // sanitizers meet a freed owner here).
  if (EntityIndex* index = EntityIndex::For(doc.entities, doc.snapPoints); index && !index->MatchesList()) std::abort();
  for (const DrawEntity& e : doc.entities) {
    if (e.owner && e.owner->kind != kGroupHeader && e.owner->kind != kDimension) std::abort();
    if (e.layer == kInputLayer || e.mark == kMarkDeleted) continue;
    if (!e.values || !ToolElementStorable(e.kind, {e.values.get(), static_cast<std::size_t>(e.valueCount)})) {
      std::abort();
    }
  }
  ResetCurrentSettings();
  return 0;
}

}  // namespace plenwick::fuzzing
