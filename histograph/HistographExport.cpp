// The histograph's export: picture, series as CSV, context menu.
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QTextStream>
#include <algorithm>
#include <memory>

#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/ChartExport.h"

namespace quellix::HistoInt {

namespace {

const char* KindName(TDataKind Kind) {
  switch (Kind) {
    case dtData:
      return "data";
    case dtDataXY:
      return "xy";
    case dtUpperRef:
      return "upper";
    case dtLowerRef:
      return "lower";
  }
  return "data";
}

}  // namespace

bool THistographInt::SavePicture(const QString& FileName) {
  Repaint();
  return SavePictureFile(Surface(), FileName);
}

// A Yt point i of n stands at ViewXNominalMin + (i - 1) * span / (n - 1),
// as the plot draws it; a single value at ViewXNominalMin.
void THistographInt::WriteSeriesCsv(QTextStream& Out) const {
  Out << "series,kind,index,x,y\n";
  const Extended Span = Extended(FViewXNominalMax) - FViewXNominalMin;
  for (Integer Serie = 1; Serie <= std::min(SeriesNumber(), MaxSeries); ++Serie) {
    const THistoSeries& S = Series(Serie);
    if (!S.HasData()) continue;
    for (Integer i = 1; i <= S.Count; ++i) {
      Extended X;
      Single Y;
      if (S.Style == dtDataXY) {
        X = S.Data[2 * qsizetype(i - 1)];
        Y = S.Data[2 * qsizetype(i - 1) + 1];
      } else {
        X = S.Count > 1 ? FViewXNominalMin + (i - 1) * Span / (S.Count - 1) : Extended(FViewXNominalMin);
        Y = S.Data[i - 1];
      }
      Out << Serie << ',' << KindName(S.Style) << ',' << i << ',' << QString::number(double(X), 'g', 9) << ','
          << QString::number(Y, 'g', 9) << '\n';
    }
  }
}

bool THistographInt::SaveSeriesCsv(const QString& FileName) const {
  QFile F(FileName);
  if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream Out(&F);
  WriteSeriesCsv(Out);
  Out.flush();
  return Out.status() == QTextStream::Ok;
}

QMenu* THistographInt::NewExportMenu() {
  return quellix::NewExportMenu(
      this, [this](const QString& Name) { return SavePicture(Name); },
      [this](const QString& Name) { return SaveSeriesCsv(Name); });
}

void THistographInt::contextMenuEvent(QContextMenuEvent* Event) {
  if (Event->reason() == QContextMenuEvent::Mouse && Mode() != modeMeasure) return;
  std::unique_ptr<QMenu> Menu(NewExportMenu());
  Menu->exec(Event->globalPos());
}

}  // namespace quellix::HistoInt
