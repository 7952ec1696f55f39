// Saving what a chart shows: its picture as PNG or SVG and its data as
// CSV, from code and from the chart's context menu.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

class QMenu;
class QWidget;

namespace quellix {

// Writes Picture to FileName as SVG when the name ends in ".svg" (the
// picture as drawn, at its pixel size), otherwise as PNG. False when the
// file cannot be written.
bool SavePictureFile(const QImage& Picture, const QString& FileName);

// Asks for the name of a file to save; an empty text cancels. Tests and
// headless programs replace the file dialog; an empty query restores it.
using TSaveFileQuery = std::function<QString(QWidget* Parent, const QString& Caption, const QString& Filter)>;
void SetSaveFileQuery(TSaveFileQuery Query);

// The chart's export menu: "Bild speichern …" (PNG or SVG) and
// "Daten speichern (CSV) …"; each asks for a file name and calls the
// matching function with it. The caller owns the menu.
QMenu* NewExportMenu(QWidget* Chart, const std::function<bool(const QString&)>& SavePicture,
                     const std::function<bool(const QString&)>& SaveCsv);

}  // namespace quellix
