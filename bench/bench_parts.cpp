// The parts browser over a parts folder of 1,000 generated parts (DXF, native and JWW drawings of
// 50 to 500 elements, in ten folders of ten sub-folders each), offscreen: the time from opening the
// browser to a usable tree, and the time until every part's thumbnail is drawn, scrolling page by
// page through the whole expanded tree.
#include <QApplication>
#include <QScrollBar>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "exchange/dxf_exchange.h"
#include "exchange/jww_exchange.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "part_thumbnails.h"
#include "parts_browser_window.h"
#include "platform/sjis.h"
#include "tools/draw/part_placement.h"
#include "tools/standard_tools.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

constexpr int kParts = 1000;

void WriteParts(const std::string& root) {
  std::mt19937 rng(31);
  for (int i = 0; i < kParts; ++i) {
    const std::string folder = root + "/group" + std::to_string(i / 100) + "/set" + std::to_string(i / 10 % 10);
    std::filesystem::create_directories(folder);
    EntityList list;
    GeneratePlanDrawing(list, {std::uniform_int_distribution<int64_t>(50, 500)(rng), static_cast<uint32_t>(i), true,
                               false, false, false});
    const std::string name = folder + "/part" + std::to_string(i);
    std::string error;
    bool written = false;
    switch (i % 3) {
      case 0: written = ExportDxf(DxfContext{}, name + ".dxf", list, &error) == 0; break;
      case 1: written = SaveDrawingFile(name + ".pwk", GeneratedDrawingInfo(), list, &error) == 0; break;
      default: written = ExportJww(JwwContext{}, name + ".JWW", list, &error) == 0; break;
    }
    if (!written) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
      std::exit(1);
    }
  }
}

void WaitForThumbnails(CPopInportDlg& browser) {
  while (browser.thumbnails().pending()) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  const std::string work = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
  const std::string root = work + "/parts";
  std::filesystem::remove_all(root);
  WriteParts(root);
  QApplication app(argc, argv);
  InstallToolExtensions();
  ProgramSettings settings;
  settings.PartsFolder.assign(Utf8ToSjis(root));

  CPopInportDlg browser(settings, {}, nullptr);
  browser.resize(260, 700);
  const double openMs = TimeMs([&] {
    browser.show();
    QApplication::processEvents();
  });
  Figure("parts.browser_open_ms", openMs, "ms");

  QTreeWidget* tree = browser.tree();
  const double thumbnailsMs = TimeMs([&] {
    tree->expandAll();
    WaitForThumbnails(browser);
    QScrollBar* bar = tree->verticalScrollBar();
    while (bar->value() < bar->maximum()) {
      bar->setValue(bar->value() + bar->pageStep());
      WaitForThumbnails(browser);
    }
  });
  if (browser.thumbnails().rendered() != kParts) {
    std::fprintf(stderr, "%d thumbnails drawn for %d parts\n", browser.thumbnails().rendered(), kParts);
    return 1;
  }
  Figure("parts.thumbnails_ms", thumbnailsMs, "ms");
  browser.close();
  std::filesystem::remove_all(root);
  return 0;
}
