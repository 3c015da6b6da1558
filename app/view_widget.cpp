// The view's window: back-buffer painting, mouse and scroll-bar routing, status coordinates.
#include "view_widget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QValidator>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "output_commands.h"
#include "qt_canvas.h"
#include "qt_user_interface.h"
#include "tools/draw/text_input.h"
#include "tools/draw/text_tool.h"
#include "view/tool_framework/draw_tool.h"
#include "view/tool_framework/view_tool_router.h"

namespace plenwick {

// "plenwick.paint" debug messages count the whole renders (QT_LOGGING_RULES=plenwick.paint.debug=true).
Q_LOGGING_CATEGORY(lcViewPaint, "plenwick.paint", QtWarningMsg)

namespace {

PixelPoint PointOf(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
}

// MK_LBUTTON, MK_RBUTTON, MK_SHIFT, MK_CONTROL, MK_MBUTTON as the button events carry them.
unsigned FlagsOf(const QMouseEvent* event) {
  unsigned flags = 0;
  if (event->buttons() & Qt::LeftButton) flags |= kMkLButton;
  if (event->buttons() & Qt::RightButton) flags |= kMkRButton;
  if (event->buttons() & Qt::MiddleButton) flags |= kMkMButton;
  if (event->modifiers() & Qt::ShiftModifier) flags |= kMkShift;
  if (event->modifiers() & Qt::ControlModifier) flags |= kMkControl;
  return flags;
}

PixelRect PixelRectOf(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

}  // namespace

CViewWidget::CViewWidget(ViewDocument document, QWidget* parent) : QAbstractScrollArea(parent), view_(document, *this) {
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
}

CViewWidget::~CViewWidget() = default;

Canvas& CViewWidget::Buffer() {
  const QSize size = viewport()->size().expandedTo(QSize(1, 1));
  if (!buffer_ || buffer_->image().size() != size) {
    buffer_ = std::make_unique<QtImageCanvas>(size.width(), size.height(), view_.renderSettings().colour(kColourBackground));
    dirty_ = QRegion(QRect(QPoint(0, 0), size));
  }
  return *buffer_;
}

QImage CViewWidget::Picture() {
  PaintDirty();
  return buffer_->image().copy();
}

bool CViewWidget::PaintWholeLater() {
  // Whole paints wait for the paint event: the view changes that come before it (a held key, a
  // window that settles) are rendered once.
  InvalidateAll();
  return true;
}

void CViewWidget::PaintDirty() {
  Canvas& canvas = Buffer();
  if (!initialized_ || dirty_.isEmpty()) return;
  const PixelRect box = PixelRectOf(dirty_.boundingRect());
  dirty_ = QRegion();
  canvas.SetClip(&box);
  const int before = view_.wholeRenders();
  view_.OnPaint(canvas, box);
  LogWholeRender(before);
  canvas.SetClip(nullptr);
}

void CViewWidget::InitialUpdate() {
  if (initialized_) return;
  initialized_ = true;
  Buffer();
  view_.OnInitialUpdate();
  // The view starts on the drawing's extent; fit it to the window as it is now shown.
  view_.OnSize(viewport()->width(), viewport()->height());
  view_.ShowBaseScreen();
  UpdateScrollBars();
  InvalidateAll();
  emit initialUpdateDone();
}

void CViewWidget::Remap() {
  if (!initialized_) return;
  view_.OnInitialUpdate();
  view_.OnSize(viewport()->width(), viewport()->height());
  view_.ShowBaseScreen();
  InvalidateAll();
}

bool CViewWidget::RunCommand(int id) {
  if (!initialized_) return false;
  const bool handled = router_ ? router_->OnCommand(id) : view_.OnCommand(id);
  FollowViewMode();
  return handled;
}

void CViewWidget::FollowViewMode() {
  if (view_.ViewMode != kViewHandMove) viewport()->unsetCursor();
}

void CViewWidget::DrawOnClient(const std::function<void(Canvas&)>& draw) {
  Canvas& canvas = Buffer();
  canvas.SetClip(nullptr);
  const int before = view_.wholeRenders();
  draw(canvas);
  LogWholeRender(before);
  viewport()->update();
}

void CViewWidget::LogWholeRender(int before) const {
  if (view_.wholeRenders() != before) qCDebug(lcViewPaint) << "whole render" << view_.wholeRenders();
}

void CViewWidget::Invalidate(const PixelRect* rect) {
  // Clipped to the client before any width is taken, so that huge rectangles cannot overflow.
  const int w = viewport()->width(), h = viewport()->height();
  const int left = rect ? std::max(rect->left, 0) : 0, top = rect ? std::max(rect->top, 0) : 0;
  const int right = rect ? std::min(rect->right, w) : w, bottom = rect ? std::min(rect->bottom, h) : h;
  if (right <= left || bottom <= top) return;
  const QRect area(left, top, right - left, bottom - top);
  dirty_ += area;
  viewport()->update(area);
}

void CViewWidget::SetStatusText(int pane, std::string_view text) { emit statusText(pane, FromUtf8(text)); }

void CViewWidget::SetScrollSizes(int width, int height) {
  extentWidth_ = width;
  extentHeight_ = height;
  UpdateScrollBars();
}

void CViewWidget::UpdateScrollBars() {
  settingBars_ = true;
  const QSize client = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, extentWidth_ - client.width()));
  horizontalScrollBar()->setPageStep(std::max(1, client.width()));
  verticalScrollBar()->setRange(0, std::max(0, extentHeight_ - client.height()));
  verticalScrollBar()->setPageStep(std::max(1, client.height()));
  settingBars_ = false;
}

void CViewWidget::SetCursorShape(int resource) {
  switch (resource) {
    case kCursorClosedHand: viewport()->setCursor(Qt::ClosedHandCursor); break;
    case kCursorOpenHand: viewport()->setCursor(Qt::OpenHandCursor); break;
    default: viewport()->unsetCursor(); break;
  }
}

std::optional<PaperSize> CViewWidget::PrinterPaper() const { return ProgramPrinterPaper(); }

void CViewWidget::ShowPrompt(std::string_view text) {
  if (router_) router_->ShowPrompt(text);
}

void CViewWidget::SaveRegionImage(const PixelRect& rect) {
  // From the back-buffer, which holds the picture without anything over the window.
  Buffer();
  const QRect area = QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top)
                         .intersected(buffer_->image().rect());
  const QImage picture = area.isEmpty() ? QImage() : buffer_->image().copy(area);
  if (picture.isNull()) {
    QApplication::beep();
    ShowMessageBox(this, QString::fromUtf8("デバイスコンテキスト取得エラー"));
    return;
  }
  emit regionCaptured(picture);
}

namespace {

// Keeps the typed text within what a drawing's text holds; a key beyond it beeps.
class TextBoxValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return DrawingTextBytes(input.toStdString()) <= CTextTool::kMaxTextBytes ? Acceptable : Invalid;
  }
};

}  // namespace

void CViewWidget::ShowTextBox(ModelPoint at) {
  if (!textBox_) {
    textBox_ = new QLineEdit(viewport());
    textBox_->setObjectName("textBox");
    textBox_->setValidator(new TextBoxValidator(textBox_));
    connect(textBox_, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });
  }
  textBoxAt_ = at;
  textBox_->clear();
  textBox_->setEnabled(true);
  PlaceTextBox();
  textBox_->show();
  textBox_->setFocus();
}

std::string CViewWidget::TextBoxText() { return textBox_ ? textBox_->text().toStdString() : std::string(); }

void CViewWidget::HideTextBox() {
  textBoxAt_.reset();
  if (!textBox_) return;
  const bool hadFocus = textBox_->hasFocus();
  textBox_->hide();
  textBox_->setEnabled(false);
  textBox_->clear();
  if (hadFocus) viewport()->setFocus();
}

QLineEdit* CViewWidget::textBox() const { return textBoxAt_ ? textBox_ : nullptr; }

void CViewWidget::PlaceTextBox() {
  if (!textBox_ || !textBoxAt_) return;
  // The height of "gM" in the box's font, its frame twice and two pixels, and one more.
  const int frame = textBox_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, textBox_);
  const int h = textBox_->fontMetrics().boundingRect("gM").height() + 2 * frame + 2 + 1;
  const int w = std::min(300, viewport()->width());
  const PixelPoint corner = view_.mapping().ModelToScreen(*textBoxAt_);
  const int x = std::clamp(corner.x, 0, std::max(0, viewport()->width() - w));
  const int y = std::clamp(corner.y - h, 0, std::max(0, viewport()->height() - h));
  textBox_->setGeometry(x, y, w, h);
}

void CViewWidget::paintEvent(QPaintEvent* event) {
  PaintDirty();
  QPainter painter(viewport());
  painter.drawImage(event->rect(), buffer_->image(), event->rect());
  // A zoom or scroll moved the box's point.
  PlaceTextBox();
}

void CViewWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (initialized_) {
    view_.OnSize(viewport()->width(), viewport()->height());
    // The bars follow the extent the resize gave the drawing: they show only below 594 x 420.
    extentWidth_ = view_.document().extentWidth;
    extentHeight_ = view_.document().extentHeight;
  }
  UpdateScrollBars();
  InvalidateAll();
}

void CViewWidget::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  // After the window has its final size (the frame maximises it first).
  if (!initialized_) QTimer::singleShot(0, this, &CViewWidget::InitialUpdate);
}

void CViewWidget::mousePressEvent(QMouseEvent* event) {
  if (!initialized_) return;
  const PixelPoint p = PointOf(event);
  const unsigned flags = FlagsOf(event);
  if (event->button() == Qt::LeftButton) {
    if (router_) {
      router_->OnLButtonDown(flags, p);
    } else {
      view_.OnLButtonDown(p);
    }
  } else if (event->button() == Qt::RightButton) {
    if (router_) {
      router_->OnRButtonDown(flags, p);
    } else {
      view_.OnRButtonDown(p);
    }
  }
}

void CViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!initialized_) return;
  const PixelPoint p = PointOf(event);
  const unsigned flags = FlagsOf(event);
  if (event->button() == Qt::LeftButton) {
    if (router_) {
      router_->OnLButtonUp(flags, p);
    } else {
      view_.OnLButtonUp(p);
    }
  } else if (event->button() == Qt::RightButton) {
    if (router_) {
      router_->OnRButtonUp(flags, p);
    } else {
      view_.OnRButtonUp(p);
    }
    // The tool's menu comes after the release has reached the view and the tool, as the tools
    // expect: opened on the press, the menu would take the release and leave the view thinking
    // the right button is still down (the next left press would start a zoom range).
    FollowViewMode();
    if (router_) {
      const QPoint global = event->globalPosition().toPoint();
      router_->OnContextMenu({global.x(), global.y()});
    }
    return;
  }
  FollowViewMode();
}

void CViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!initialized_ || event->button() != Qt::LeftButton) return;
  // The second press of a double click reaches the tool as a double click only.
  if (router_) router_->OnLButtonDblClk(FlagsOf(event), PointOf(event));
}

void CViewWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!initialized_) return;
  if (router_) {
    router_->OnMouseMove(FlagsOf(event), PointOf(event));
  } else {
    view_.OnMouseMove(PointOf(event));
  }
}

void CViewWidget::contextMenuEvent(QContextMenuEvent* event) {
  // A right click opens the menu on its release (above); the menu key opens it at once.
  if (!initialized_ || !router_ || event->reason() == QContextMenuEvent::Mouse) return;
  router_->OnContextMenu({event->globalPos().x(), event->globalPos().y()});
}

void CViewWidget::scrollContentsBy(int dx, int dy) {
  if (settingBars_ || !initialized_) return;
  view_.ScrollBy(-dx, -dy);
}

void CViewWidget::wheelEvent(QWheelEvent* event) {
  event->accept();  // the view has no wheel commands; the MDI area must not scroll either
}

}  // namespace plenwick
