#include "quellix/host/ChartExport.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMenu>
#include <QPainter>
#include <QSvgGenerator>

namespace quellix {

namespace {

TSaveFileQuery& Query() {
  static TSaveFileQuery Q;
  return Q;
}

QString AskFileName(QWidget* Parent, const QString& Caption, const QString& Filter) {
  if (Query()) return Query()(Parent, Caption, Filter);
  return QFileDialog::getSaveFileName(Parent, Caption, QString(), Filter);
}

}  // namespace

bool SavePictureFile(const QImage& Picture, const QString& FileName) {
  if (Picture.isNull() || FileName.isEmpty()) return false;
  if (!FileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) return Picture.save(FileName, "PNG");
  QSvgGenerator Svg;
  Svg.setFileName(FileName);
  Svg.setSize(Picture.size());
  Svg.setViewBox(QRect(QPoint(0, 0), Picture.size()));
  Svg.setTitle(QStringLiteral("Quellix"));
  QPainter P;
  if (!P.begin(&Svg)) return false;
  P.drawImage(0, 0, Picture);
  return P.end();
}

void SetSaveFileQuery(TSaveFileQuery Q) { Query() = std::move(Q); }

QMenu* NewExportMenu(QWidget* Chart, const std::function<bool(const QString&)>& SavePicture,
                     const std::function<bool(const QString&)>& SaveCsv) {
  auto* Menu = new QMenu(Chart);
  Menu->addAction(QCoreApplication::translate("quellix::ExportMenu", "Bild speichern …"), Chart, [Chart, SavePicture] {
    const QString Name = AskFileName(Chart, QCoreApplication::translate("quellix::ExportMenu", "Bild speichern"),
                                     QCoreApplication::translate("quellix::ExportMenu", "PNG-Bild (*.png);;SVG-Bild (*.svg)"));
    if (!Name.isEmpty()) SavePicture(Name);
  });
  Menu->addAction(QCoreApplication::translate("quellix::ExportMenu", "Daten speichern (CSV) …"), Chart, [Chart, SaveCsv] {
    const QString Name = AskFileName(Chart, QCoreApplication::translate("quellix::ExportMenu", "Daten speichern"),
                                     QCoreApplication::translate("quellix::ExportMenu", "CSV-Datei (*.csv)"));
    if (!Name.isEmpty()) SaveCsv(Name);
  });
  return Menu;
}

}  // namespace quellix
