// Guards the drawing's ways out of the program: a clipboard without one of its three formats or
// with a metafile unlike the file's, a region image that is not the window's picture or is saved
// from a sliver, image names in capitals written as nothing, and printouts off true scale or on
// the wrong paper or orientation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImageWriter>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <cmath>

#include "model/program_settings.h"
#include "output_commands.h"
#include "support/entity_builders.h"
#include "support/scoped_temp_folder.h"
#include "view/standalone_drawing.h"
#include "view/tool_framework/command_ids.h"
#include "view_widget.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

class OutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCurrentSettings();
    CurrentSettings().OriginMarkDisplay = 1;
    testing::AddGrid(drawing.entities, 10);
    testing::AddLine(drawing.entities, 10, 10, 287, 200);
    testing::AddCircle(drawing.entities, 148, 105, 50);
    drawing.areaSet = 1;
    drawing.areaMax = {297, 210, 0};
  }
  void TearDown() override { ResetCurrentSettings(); }

  std::unique_ptr<CViewWidget> Shown(int w, int h) { return testing::ShownViewWidget(drawing.view(), w, h); }
  static void Click(CViewWidget& w, int x, int y) {
    const QPointF at(x, y), global = w.viewport()->mapToGlobal(at);
    QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.viewport(), &move);
    QApplication::sendEvent(w.viewport(), &press);
    QApplication::sendEvent(w.viewport(), &release);
  }
  QString Path(const char* name) const { return QString::fromStdString(tmp.path() + "/" + name); }

  StandaloneDrawing drawing;
  testing::ScopedTempFolder tmp;
};

TEST_F(OutputTest, ClipboardHoldsTheFilesMetafileSvgAndAPicture) {
  auto w = Shown(500, 400);
  CopyDrawingToClipboard(w->view());
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  for (const char* type : {"image/x-emf", "image/emf", "image/svg+xml"}) EXPECT_TRUE(data->hasFormat(type)) << type;
  EXPECT_TRUE(data->hasImage());
  // 297 x 210 mm at the picture's 4 pixels a mm.
  EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(1188, 840));
  const QString file = Path("plan.EMF");
  QString error;
  ASSERT_TRUE(WriteDrawingFile(w->view(), file, &error)) << error.toStdString();
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray written = f.readAll();
  EXPECT_EQ(data->data("image/x-emf"), written);
  EXPECT_EQ(data->data("image/emf"), written);
  EXPECT_EQ(written.left(4), QByteArray("\x01\0\0\0", 4));
  EXPECT_FALSE(WriteDrawingFile(w->view(), Path("no-such-folder/plan.emf"), &error));
}

TEST_F(OutputTest, RegionImageIsTheWindowsPictureOneToOneInEveryFormat) {
  auto w = Shown(500, 400);
  std::vector<QImage> captured;
  QObject::connect(w.get(), &CViewWidget::regionCaptured, w.get(), [&](const QImage& p) { captured.push_back(p); });
  struct Case {
    QPoint a, b;
    bool saved;
  } cases[] = {{{100, 100}, {110, 110}, true},
               {{100, 100}, {109, 150}, false},
               // Past the client's corner: clipped to 20 x 12.
               {{w->viewport()->width() - 20, w->viewport()->height() - 12}, {900, 900}, true}};
  for (const Case& c : cases) {
    captured.clear();
    const QImage before = w->Picture();
    ASSERT_TRUE(w->RunCommand(kCmdSaveImage));
    Click(*w, c.a.x(), c.a.y());
    Click(*w, c.b.x(), c.b.y());
    ASSERT_EQ(captured.size(), c.saved ? 1u : 0u);
    EXPECT_EQ(w->Picture(), before);  // the rubber is gone
    if (!c.saved) continue;
    const QRect area = QRect(c.a, c.b - QPoint(1, 1)).intersected(before.rect());
    EXPECT_EQ(captured[0], before.copy(area));
  }
  ASSERT_TRUE(!captured.empty());
  const QImage picture = captured[0].convertToFormat(QImage::Format_RGB32);
  for (const char* name : {"r.bmp", "r.PNG", "r.tiff", "r.TIF", "r.gif", "r.jpg"}) {
    QString error;
    const QString path = Path(name);
    const bool canWrite = QString(name).endsWith("gif", Qt::CaseInsensitive)
                              ? QImageWriter::supportedMimeTypes().contains("image/gif")
                              : true;
    ASSERT_EQ(WritePicture(picture, path, &error), canWrite) << name << error.toStdString();
    if (!canWrite) {
      EXPECT_FALSE(QFile::exists(path));
      EXPECT_FALSE(error.isEmpty());
      continue;
    }
    const QImage back = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), picture.size()) << name;
    if (QString(name).endsWith("jpg")) continue;  // lossy
    EXPECT_EQ(back, picture) << name;
  }
  QString error;
  EXPECT_FALSE(WritePicture(picture, Path("r.xyz"), &error));
  EXPECT_FALSE(WritePicture(picture, Path("noextension"), &error));
}

// The longest run of dark pixels along any row of a gray picture.
int LongestDarkRun(const QImage& image) {
  int best = 0;
  for (int y = 0; y < image.height(); ++y) {
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
      run = qGray(image.pixel(x, y)) < 128 ? run + 1 : 0;
      best = std::max(best, run);
    }
  }
  return best;
}

TEST_F(OutputTest, PrintsA100MmLineAtTrueScaleOnTheDrawingsPaper) {
  const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo"), pdftoppm = QStandardPaths::findExecutable("pdftoppm");
  if (pdfinfo.isEmpty() || pdftoppm.isEmpty()) GTEST_SKIP() << "poppler-utils are not installed";
  struct Case {
    float scale;
    int paperIndex;
    int orientation;
    const char* pageSize;
  } cases[] = {{1, 3, 0, "1191 x 842 pts (A3)"}, {50, 4, 1, "595 x 842 pts (A4)"}};
  for (const Case& c : cases) {
    StandaloneDrawing d;
    d.header.setScale(c.scale);
    d.header.setPaperSize(c.paperIndex);
    d.header.setOrientation(static_cast<uint8_t>(c.orientation));
    testing::AddLine(d.entities, 50 * c.scale, 100 * c.scale, 150 * c.scale, 100 * c.scale);
    class Host final : public ViewHost {
      void DrawOnClient(const std::function<void(Canvas&)>&) override {}
      void Invalidate(const PixelRect*) override {}
      void SetStatusText(int, std::string_view) override {}
    } host;
    CPlenwickView view(d.view(), host);
    view.OnInitialUpdate();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("print.pdf"));
    printer.setPageSize(QPageSize(c.paperIndex == 3 ? QPageSize::A3 : QPageSize::A4));
    PrintDrawing(printer, view, c.orientation);

    QProcess info;
    info.start(pdfinfo, {Path("print.pdf")});
    ASSERT_TRUE(info.waitForFinished(20000));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QString("Page size:       ") + c.pageSize)) << out.toStdString();
    QProcess raster;
    raster.start(pdftoppm, {"-r", "254", "-gray", "-png", "-singlefile", Path("print.pdf"), Path("page")});
    ASSERT_TRUE(raster.waitForFinished(60000));
    const QImage page(Path("page.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.width() > page.height(), c.orientation != 1);
    // 254 dpi is 10 pixels a mm: the line is 1000 pixels, give or take its ends.
    EXPECT_NEAR(LongestDarkRun(page), 1000, 4) << "scale 1:" << c.scale;
  }
}

}  // namespace
}  // namespace plenwick
