// The plotter commands of a drawing: "プロッターの設定...", "プロッター出力..." and
// "HPGL形式で保存...".
#pragma once

#include <QString>
#include <QWidget>

namespace plenwick {

class CPlenwickDoc;

// "プロッター設定": "保　存" keeps the interface in the parameter file and the devices in the
// ini file.
void EditPlotterSettings(QWidget* parent, CPlenwickDoc& doc);
// "プロッター出力処理", then the plot on the chosen port with its progress window.
void PlotDrawing(QWidget* parent, CPlenwickDoc& doc);
// "HPGL形式で図面データの保存", then the file written with the progress window.
void SaveDrawingAsHpgl(QWidget* parent, CPlenwickDoc& doc, const QString& folder);

}  // namespace plenwick
