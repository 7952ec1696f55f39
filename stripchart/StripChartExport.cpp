// The strip chart's export: picture, visible window as CSV, context menu.
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <memory>

#include "quellix/host/ChartExport.h"
#include "quellix/stripchart/QlxmCommands.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::StrpChrtInt {

bool TStripChartInt::SavePicture(const QString& FileName) {
  Repaint();
  return SavePictureFile(Surface(), FileName);
}

// The window is buffer indices max(1, WindowStartOffset + 1) .. SampleCount;
// the series are those of the run shown (of the live run while none is
// shown from a file).
void TStripChartInt::WriteWindowCsv(QTextStream& Out) {
  const Integer Series = DisplayRunSeries() > 0 ? DisplayRunSeries() : SeriesNumber();
  TCsvWriter Csv(Out);
  WriteSampleCsvHeader(Csv, Series);
  for (Integer i = std::max(1, WindowStartOffset() + 1); i <= SampleCount(); ++i)
    WriteSampleCsvLine(Csv, static_cast<double>(BufferIndexTime(i)), Series, [&](Integer k) {
      const Single* V = SeriesValues(k + 1);
      return V ? V[i] : 0.0f;
    });
}

bool TStripChartInt::SaveWindowCsv(const QString& FileName) {
  QFile F(FileName);
  if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream Out(&F);
  WriteWindowCsv(Out);
  Out.flush();
  F.close();  // the CSV writer writes to the file itself: its errors show here
  return Out.status() == QTextStream::Ok && F.error() == QFileDevice::NoError;
}

QMenu* TStripChartInt::NewExportMenu() {
  return quellix::NewExportMenu(
      this, [this](const QString& Name) { return SavePicture(Name); },
      [this](const QString& Name) { return SaveWindowCsv(Name); });
}

void TStripChartInt::contextMenuEvent(QContextMenuEvent* Event) {
  if (Event->reason() == QContextMenuEvent::Mouse && FStripMode != modeMeasure) return;
  std::unique_ptr<QMenu> Menu(NewExportMenu());
  Menu->exec(Event->globalPos());
}

}  // namespace quellix::StrpChrtInt
