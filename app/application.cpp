// The program's start-up sequence.
#include "application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "command_line.h"
#include "logo.h"
#include "main_frame.h"
#include "platform/installation.h"
#include "qt_user_interface.h"
#include "splash_window.h"

namespace plenwick {

namespace {

// Whether Qt can open a window at all: a display, or a platform chosen explicitly.
bool HasDisplay(int argc, char** argv) {
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (const char* value = std::getenv(v); value && *value) return true;
  }
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "-platform") return true;
  }
  return false;
}

}  // namespace

int CPlenwickApp::Run(int argc, char** argv) {
  if (AsksForHelpOrVersion(argc, argv)) {
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    std::fputs(line.help ? HelpText().c_str() : VersionText().c_str(), stdout);
    return 0;
  }
  if (!HasDisplay(argc, argv)) {
    std::fputs("plenwick: no display ($DISPLAY and $WAYLAND_DISPLAY are unset); run it under Xvfb: xvfb-run -a plenwick\n",
               stderr);
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(kProgramTitle);
  QApplication::setApplicationVersion(PLENWICK_VERSION);
  QApplication::setWindowIcon(ProgramIcon());
  QGuiApplication::setDesktopFileName("plenwick");
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  std::vector<std::string> args;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
  const CommandLine line = ParseCommandLine(args);
  if (!line.error.empty()) {
    std::fprintf(stderr, "plenwick: %s\n%s", line.error.c_str(), HelpText().c_str());
    return 2;
  }

  const std::optional<InstalledFolders> folders = PrepareInstallation();
  if (!folders) {
    ShowMessageBox(nullptr, FromUtf8(kInstallationMessage));
    return 1;
  }

  CMainFrame frame(*folders);
  // Without a window manager "maximised" means nothing: start with the whole screen anyway.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) frame.setGeometry(screen->availableGeometry());
  frame.showMaximized();
  if (line.splash) CSplashWnd::ShowSplashScreen(&frame);
  // Drawings a crash left behind come first: a file named on the command line that is among
  // them then shows the restored drawing, not the older file.
  frame.OfferRecovery();
  // Started without a file, the program opens no drawing.
  for (const std::string& file : line.files) frame.OpenDrawing(QString::fromStdString(file));
  return QApplication::exec();
}

}  // namespace plenwick
