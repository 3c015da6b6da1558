// The render command: reads a drawing, shows it in a view without a window, and writes the
// picture (PNG, SVG) or the printed page (PDF) atomically.
#include "render_command.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QSvgGenerator>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "commands.h"
#include "drawing_export.h"
#include "model/entity_core.h"
#include "model/program_settings.h"
#include "platform/file_io.h"
#include "qt_canvas.h"
#include "view/plenwick_view.h"
#include "view/standalone_drawing.h"

namespace plenwick::cli {

namespace {

constexpr const char* kUsage = "usage: plenwick-cli render IN.pwk OUT.png|OUT.svg|OUT.pdf|OUT.emf [--width W --height H] [--grid]";
constexpr int kDefaultWidth = 1600;
constexpr int kDefaultHeight = 1000;
constexpr int kMaxSide = 16384;

enum class OutputKind { kPng, kSvg, kPdf, kEmf };

struct RenderOptions {
  std::string input;
  std::string output;
  OutputKind kind = OutputKind::kPng;
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  bool grid = false;
};

std::optional<OutputKind> KindOf(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos) return std::nullopt;
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "png") return OutputKind::kPng;
  if (ext == "svg") return OutputKind::kSvg;
  if (ext == "pdf") return OutputKind::kPdf;
  if (ext == "emf") return OutputKind::kEmf;
  return std::nullopt;
}

bool ParseSide(const char* text, int& out) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < 1 || v > kMaxSide) return false;
  out = static_cast<int>(v);
  return true;
}

// Fills options; an error message when the arguments are wrong.
std::optional<std::string> Parse(int argc, char** argv, RenderOptions& o) {
  std::vector<std::string> positional;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--grid") {
      o.grid = true;
    } else if (a == "--width" || a == "--height") {
      if (i + 1 >= argc || !ParseSide(argv[i + 1], a == "--width" ? o.width : o.height)) {
        return a + " needs a whole number of pixels from 1 to " + std::to_string(kMaxSide);
      }
      ++i;
    } else if (a.size() > 1 && a[0] == '-') {
      return "unknown option \"" + a + "\"";
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return std::string(kUsage);
  o.input = positional[0];
  o.output = positional[1];
  const auto kind = KindOf(o.output);
  if (!kind) return o.output + ": the output must end in .png, .svg, .pdf or .emf";
  o.kind = *kind;
  return std::nullopt;
}

// A window host that draws nothing while the view is being set up: the picture is painted once
// at the end.
class BatchHost final : public ViewHost {
 public:
  void DrawOnClient(const std::function<void(Canvas&)>&) override {}
  void Invalidate(const PixelRect*) override {}
  void SetStatusText(int, std::string_view) override {}
};

// Shows or hides the grid as asked (a drawing without a grid element gets one for the picture).
void SetGrid(EntityList& list, bool visible) {
  for (DrawEntity& e : list) {
    if (e.kind == kGrid) {
      e.subKind = visible ? 1 : 0;
      return;
    }
  }
  if (!visible) return;
  const ProgramSettings& s = CurrentSettings();
  const int16_t codes[] = {10, 20, 30};
  const double values[] = {0, 0, s.GridPitch};
  AddEntity({kGrid, 1, static_cast<int16_t>(s.GridLineType * 100 + s.GridKind), 0, 3}, nullptr, list, codes, 0,
            values, nullptr);
}

std::span<const uint8_t> BytesOf(const QByteArray& a) {
  return {reinterpret_cast<const uint8_t*>(a.constData()), static_cast<std::size_t>(a.size())};
}

// Paints the view's whole client on a canvas, background first.
void PaintView(CPlenwickView& view, Canvas& canvas) {
  view.ForceFullErase = 1;
  view.OnDraw(canvas, {0, 0, view.mapping().clientWidth, view.mapping().clientHeight});
}

QByteArray RenderPng(CPlenwickView& view, int width, int height) {
  QtImageCanvas canvas(width, height, view.renderSettings().colour(kColourBackground));
  PaintView(view, canvas);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  canvas.Finish().save(&buffer, "PNG");
  return bytes;
}

QByteArray RenderSvg(CPlenwickView& view, int width, int height) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setTitle(QStringLiteral("Plenwick drawing"));
  QPainter painter(&svg);
  QtPainterCanvas canvas(painter, false);
  PaintView(view, canvas);
  painter.end();
  return bytes;
}

}  // namespace

int RunRenderCommand(int argc, char** argv) {
  RenderOptions options;
  if (const auto error = Parse(argc, argv, options)) {
    Fail(*error);
    return 2;
  }
  StandaloneDrawing drawing;
  DrawingFileInfo info = drawing.FileInfoToRead();
  std::string error;
  if (LoadDrawingFile(options.input, info, drawing.entities, nullptr, &error) != 0) {
    return Fail(options.input + ": " + error);
  }
  drawing.TakeFileInfo(info);

  // The render needs a GUI application for fonts and images, on no screen at all.
  std::unique_ptr<QGuiApplication> app;
  if (!QGuiApplication::instance()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notes (run-time folders, fonts) are not for the user of a batch tool.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int appArgc = 1;
    static char appName[] = "plenwick-cli";
    static char* appArgv[] = {appName, nullptr};
    app = std::make_unique<QGuiApplication>(appArgc, appArgv);
  }

  // The frame and origin mark are aids of the screen, not part of the drawing.
  ProgramSettings& settings = CurrentSettings();
  settings.PaperFrameDisplay = 0;
  settings.OriginMarkDisplay = 0;
  SetGrid(drawing.entities, options.grid);

  BatchHost host;
  CPlenwickView view(drawing.view(), host);
  view.OnInitialUpdate();
  QByteArray bytes;
  if (options.kind == OutputKind::kPdf) {
    bytes = DrawingPdf(view);
  } else if (options.kind == OutputKind::kEmf) {
    bytes = DrawingInFormat(view, VectorFormat::kEmf);
  } else {
    view.OnSize(options.width, options.height);
    view.ShowBaseScreen();
    view.ShowWhole();
    bytes = options.kind == OutputKind::kPng ? RenderPng(view, options.width, options.height)
                                             : RenderSvg(view, options.width, options.height);
  }
  if (bytes.isEmpty()) return Fail(options.output + ": the picture could not be made");
  if (!WriteFileAtomically(options.output, BytesOf(bytes), &error)) return Fail(options.output + ": " + error);
  return 0;
}

}  // namespace plenwick::cli
