// The text tool's steps: the insertion point or leader, the box, and the record Enter adds.
#include "tools/draw/text_tool.h"

#include <string>

#include "platform/sjis.h"
#include "tools/draw/element_adding.h"
#include "tools/draw/text_layout.h"
#include "tools/draw/text_input.h"
#include "view/pick.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kTypeThenEnter = "文字を入力後、[Enter]キーで作図します。";
constexpr std::string_view kLeaderBend = "指示線の終端を指示して下さい。";
constexpr int16_t kTextCodes[5] = {10, 20, 30, 40, 50};
constexpr int16_t kLeaderCodes[11] = {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81};
// The steps of 指示線付き: the bend awaited, and the box open for the leader's text.
constexpr int kBendStep = 1;
constexpr int kTypingStep = 2;

}  // namespace

CTextTool::CTextTool(InteractionState& state) : CFeedbackTool(kTextToolCode, state) {}

double CTextTool::Height(ToolView& view) const {
  const ProgramSettings& s = view.settings();
  return s.TextSizeMode == 1 ? s.TextHeight * view.view().mapping().scale : s.TextHeight;
}

double CTextTool::Width(ToolView& view) const {
  const ProgramSettings& s = view.settings();
  return s.TextSizeMode == 1 ? s.TextWidth * view.view().mapping().scale : s.TextWidth;
}

void CTextTool::OpenBox(ToolView& view, ModelPoint at) {
  at_ = at;
  view.window().ShowTextBox(at);
  view.view().textBoxShown = true;
  state().textBoxOpen = 1;
  view.ShowPrompt(0, kTypeThenEnter);
}

void CTextTool::CloseBox(ToolView& view) {
  if (BoxOpen() || view.view().textBoxShown) {
    view.window().HideTextBox();
    view.view().textBoxShown = false;
    state().textBoxOpen = 0;
  }
  feedback().Erase(view, kOwnSlot);
  at_.reset();
  leaderStart_.reset();
}

void CTextTool::OnLButtonDown(ToolView&, unsigned, PixelPoint point) { pressPoint = point; }

void CTextTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  EraseRubber(view);
  const int mode = state().ToolMode;
  if (mode != kPlainTextMode && mode != kLeaderTextMode) return;
  const bool bend = mode == kLeaderTextMode && state().InputStep == kBendStep;
  if (!bend) {
    // A click beside an open box abandons its text and starts afresh; a protected drawing is
    // refused before anything is typed.
    if (state().InputStep != 0) EndOperation(view, std::nullopt);
    if (view.doc().RefuseIfProtected()) return;
  }
  if (mode == kPlainTextMode) {
    // The magnet's point when one is shown, else the very click.
    const ModelPoint at = view.settings().Magnet && snapHit ? snapModel : view.view().ScreenToModel(point.x, point.y);
    OpenBox(view, at);
    state().InputStep = 1;
    return;
  }
  if (!bend) {
    const ModelPoint a = ClickedPoint(*this, view, point, kPickAll);
    start_.Start(a, point, view.view().mapping());
    ShowCross(view, a);
    view.ShowPrompt(0, kLeaderBend);
    state().InputStep = kBendStep;
    return;
  }
  if (start_.SamePixel(point, view.view().mapping())) return;
  const ModelPoint b = ClickedPoint(*this, view, point, kPickAll);
  leaderStart_ = start_.anchor();
  OpenBox(view, b);
  ShowLeader(view);
  state().InputStep = kTypingStep;
}

void CTextTool::OnReturnKey(ToolView& view) {
  Attach(view);
  if (!BoxOpen() || !at_) return;
  std::string text;
  // A character a drawing cannot keep leaves the box open with the text.
  if (const std::optional<std::string> refused = TextForDrawing(view.window().TextBoxText(), &text)) {
    view.ui().ShowMessage(UnkeepableCharacterMessage(*refused));
    return;
  }
  text.resize(SjisPrefixLength(text, kMaxTextBytes));
  const ModelPoint at = *at_;
  const std::optional<ModelPoint> leader = leaderStart_;
  EndOperation(view, std::nullopt);
  // An empty text would be an invisible record.
  if (text.empty()) return;
  const ProgramSettings& s = view.settings();
  const double h = Height(view), w = Width(view);
  const std::string font(s.TextFont.view());
  if (!leader) {
    const double values[5] = {at.x, at.y, h, w, s.TextAngle};
    AddToolElement(*this, view, {kText, s.TextVariant, kTextCodes, values, font.c_str(), text.c_str()});
    return;
  }
  const LeaderTextPlace place = PlaceLeaderText(*leader, at, s.LeaderStyle, h, text);
  // The placement assumes a horizontal string: a leader text is not turned.
  std::vector<double> values = {place.text.x, place.text.y, h, w, 0, leader->x, leader->y, at.x, at.y};
  if (place.end) values.insert(values.end(), {place.end->x, place.end->y});
  const auto subKind = static_cast<int16_t>(s.LeaderArrow + 10 * s.LeaderStyle);
  AddToolElement(*this, view,
                 {kLeaderText, subKind, std::span<const int16_t>(kLeaderCodes, values.size()), values, font.c_str(),
                  text.c_str()});
}

void CTextTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  if (state().InputStep != 0 || BoxOpen()) EndOperation(view, std::nullopt);
}

void CTextTool::OnCancel(ToolView& view) {
  Attach(view);
  // Esc closes the box as a right click does.
  if (BoxOpen()) EndOperation(view, std::nullopt);
  CFeedbackTool::OnCancel(view);
}

void CTextTool::ClearFeedback(ToolView& view) {
  if (attachedView() == &view) CloseBox(view);
  CFeedbackTool::ClearFeedback(view);
}

void CTextTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  if (state().ToolMode != kLeaderTextMode || state().InputStep != kBendStep) return;
  const ModelPoint m = CursorPoint(*this, view, cursor);
  shape->segments.push_back({start_.anchor(), m});
  shape->measured = LineEnds{start_.anchor(), m};
}

void CTextTool::ShowLeader(ToolView& view) {
  if (!leaderStart_ || !at_) return;
  XorFigure leader;
  leader.pen = {PenKind::kCosmetic, PenStyle::kSolid, 1, indicatorColour};
  leader.AddSegment(view.view().mapping(), *leaderStart_, *at_);
  feedback().Show(view, kOwnSlot, std::move(leader));
}

void CTextTool::DropOwnOperation(ToolView& view) { CloseBox(view); }

void CTextTool::ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) {
  if (wholeClient) ShowLeader(view);
}

}  // namespace plenwick
