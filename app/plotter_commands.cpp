// Plotter settings, plotting and HP-GL files of the active drawing.
#include "plotter_commands.h"

#include <QFileInfo>

#include "file_dialogs.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "output/hpgl_file.h"
#include "output/plot_dlg.h"
#include "output/ploter_set_dlg.h"
#include "output/plotter_output.h"
#include "plot_progress_window.h"
#include "plot_window.h"
#include "plotter_ports.h"
#include "plotter_setup_window.h"
#include "qt_user_interface.h"

namespace plenwick {

namespace {

HpglDrawing PlotterViewOf(const CPlenwickDoc& doc) {
  return HpglDrawingOf(doc.areaMin, doc.areaMax, doc.header.scale(), doc.layers);
}

}  // namespace

void EditPlotterSettings(QWidget* parent, CPlenwickDoc& doc) {
  const QString folder = QString::fromStdString(doc.programFolder());
  PlotterPortDevices ports(folder);
  CPloterSetDlg model(PlotterInterface::From(CurrentSettings()), ports.devices());
  PloterSetDlg dialog(model, doc.ui(), parent);
  if (dialog.exec() != QDialog::Accepted) return;
  model.settings().ApplyTo(CurrentSettings());
  ports.Save(model.devices());
  doc.WriteParameterFile();
}

void PlotDrawing(QWidget* parent, CPlenwickDoc& doc) {
  ProgramSettings& settings = CurrentSettings();
  const HpglDrawing drawing = PlotterViewOf(doc);
  CPlotDlg model(PlotOptionsOf(settings, doc.header.paperSize()), drawing);
  PlotDlg dialog(model, doc.entities, doc.ui(), parent);
  if (dialog.exec() != QDialog::Accepted) return;
  StorePlotOptions(model.options(), settings);
  doc.WriteParameterFile();

  const PlotterInterface plotter = PlotterInterface::From(settings);
  const PlotterPortDevices ports(QString::fromStdString(doc.programFolder()));
  PlotStart start = StartPlot(model.options(), drawing, doc.entities, ports.device(plotter.port), LineSettingsOf(plotter));
  if (start.beep) doc.ui().Beep();
  for (std::string_view message : start.messages) doc.ui().ShowMessage(message);
  if (!start.output) return;
  CPlotOutGoDlg progress(parent);
  progress.RunPlot(std::move(start.output), doc.ui());
}

void SaveDrawingAsHpgl(QWidget* parent, CPlenwickDoc& doc, const QString& folder) {
  const QString path = AskHpglToSave(parent, folder);
  if (path.isEmpty()) return;
  const HpglOptions options = PlotOptionsOf(CurrentSettings(), doc.header.paperSize());
  HpglExportResult result = HpglExportResult::kFailed;
  std::string error;
  CPlotOutGoDlg progress(parent);
  progress.RunWork([&] {
    result = ExportHpgl(
        path.toStdString(), options, PlotterViewOf(doc), doc.entities,
        [&](std::size_t done, std::size_t total) {
          return progress.Progress(total ? static_cast<int>(done * 100 / total) : 100, done == total);
        },
        &error);
  });
  if (result == HpglExportResult::kNothingToPlot) doc.ui().ShowMessage(kNothingToPlotMessage);
  if (result == HpglExportResult::kFailed) {
    doc.ui().ShowMessage(QString::fromUtf8("%1 を書き込めませんでした。\n%2")
                             .arg(QFileInfo(path).fileName(), QString::fromStdString(error))
                             .toStdString());
  }
}

}  // namespace plenwick
