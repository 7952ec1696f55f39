// The strip chart's export: its visible window as CSV in the form of
// qlxm export, byte for byte, and its picture as PNG and SVG, from code and
// from the context menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "StripTestUtil.h"
#include "quellix/host/ChartExport.h"
#include "quellix/stripchart/QlxmCommands.h"

using namespace striptest;

namespace {

QString QlxmExport(const QString& File, int Run) {
  QString Out, Err;
  QTextStream O(&Out), E(&Err);
  EXPECT_EQ(RunQlxm({"export", File, "--run", QString::number(Run)}, O, E), 0) << Err.toStdString();
  O.flush();
  return Out;
}

QString WindowCsv(TStripChartInt& Chart) {
  QString Out;
  QTextStream O(&Out);
  Chart.WriteWindowCsv(O);
  O.flush();
  return Out;
}

// Samples with fractions, so that the number formats are put to work.
void FeedWaves(TStripChartInt& Chart, Integer Count, Integer Series) {
  std::vector<std::vector<Single>> Data(Series, std::vector<Single>(Count));
  TSeriesValues Values{};
  for (Integer k = 0; k < Series; ++k) {
    for (Integer j = 0; j < Count; ++j) Data[k][j] = static_cast<Single>(std::sin(0.01 * j * (k + 1)) * 3.3 - k);
    Values[k] = Data[k].data();
  }
  for (Integer Done = 0; Done < Count; Done += 10) {
    TSeriesValues Piece{};
    for (Integer k = 0; k < Series; ++k) Piece[k] = Values[k] + Done;
    Chart.AddValues(Piece, Series, std::min<Integer>(10, Count - Done));
  }
}

void Log(TStripChartInt& Chart, const QString& File, Integer Samples, Integer Series = 3) {
  Chart.SetSeriesNumber(Series);
  Chart.SetLogStartTime(1234.25);
  Chart.SetLogTimeIncrement(0.005);
  Chart.StartLogging(File, "Export");
  FeedWaves(Chart, Samples, Series);
}

class StripExport : public ::testing::Test {
protected:
  QTemporaryDir Dir;
  TStripChartInt Chart;
};

}  // namespace

struct TWindowRow {
  const char* Name;
  Integer Samples;
  bool PlayBack;  // shown from the file rather than live
};

TEST_F(StripExport, WindowCsvIsWhatQlxmExportWritesForTheSameSamples) {
  const TWindowRow Rows[] = {
      {"live run inside one window", 300, false},
      {"played back run inside one window", 300, true},
      {"live run longer than the window", 2000, false},
      {"played back run longer than the window", 2000, true},
  };
  for (const TWindowRow& R : Rows) {
    TStripChartInt C;
    const QString File = Dir.filePath(QStringLiteral("%1.qlx").arg(R.Name));
    Log(C, File, R.Samples);
    QString Window;
    if (R.PlayBack) {
      C.StopLogging();
      C.StartPlaying(File);
      // Playback opens at the run's start; the user moves to its end.
      C.MoveWindowTo(false, C.DisplayTimeLast());
      Window = WindowCsv(C);
    } else {
      Window = WindowCsv(C);
      C.StopLogging();
    }
    const QString Full = QlxmExport(File, 1);
    if (R.Samples <= C.SamplesPerWindow()) {
      EXPECT_EQ(Window, Full) << R.Name;
      continue;
    }
    // The window's lines are the run's last-shown samples: the header and
    // a run of consecutive lines of the whole export.
    QStringList W = Window.split('\n'), F = Full.split('\n');
    ASSERT_EQ(W.size(), C.SamplesPerWindow() + 2) << R.Name;  // header, lines, empty end
    EXPECT_EQ(W.front(), F.front()) << R.Name;
    const qsizetype At = F.indexOf(W[1]);
    ASSERT_GT(At, 0) << R.Name;
    EXPECT_EQ(W.mid(1), F.mid(At, W.size() - 1)) << R.Name;
  }
}

TEST_F(StripExport, PictureSavedAsPngIsWhatTheChartShowsAndSvgHoldsIt) {
  Log(Chart, Dir.filePath("p.qlx"), 200);
  Chart.SetBounds(0, 0, 417, 233);
  const QString Png = Dir.filePath("c.png"), Svg = Dir.filePath("c.svg");
  ASSERT_TRUE(Chart.SavePicture(Png));
  EXPECT_EQ(QImage(Png).convertToFormat(QImage::Format_RGB32), Chart.Surface().convertToFormat(QImage::Format_RGB32));
  ASSERT_TRUE(Chart.SavePicture(Svg));
  QFile F(Svg);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  const QByteArray Text = F.readAll();
  EXPECT_TRUE(Text.contains("<svg")) << Text.left(200).toStdString();
  EXPECT_TRUE(Text.contains("width=\"417")) << Text.left(400).toStdString();
  EXPECT_TRUE(Text.contains("<image"));
  EXPECT_FALSE(Chart.SavePicture(Dir.filePath("missing/c.png")));
}

TEST_F(StripExport, ContextMenuEntriesSaveThePictureAndTheWindow) {
  Log(Chart, Dir.filePath("m.qlx"), 100);
  Chart.SetBounds(0, 0, 417, 233);
  QStringList Asked;
  const QStringList Names = {Dir.filePath("m.png"), Dir.filePath("m.csv")};
  SetSaveFileQuery([&](QWidget*, const QString& Caption, const QString&) {
    Asked << Caption;
    return Names[Asked.size() - 1];
  });
  std::unique_ptr<QMenu> Menu(Chart.NewExportMenu());
  ASSERT_EQ(Menu->actions().size(), 2);
  EXPECT_EQ(Menu->actions()[0]->text(), QStringLiteral("Bild speichern …"));
  Menu->actions()[0]->trigger();
  Menu->actions()[1]->trigger();
  SetSaveFileQuery(nullptr);
  EXPECT_EQ(Asked, (QStringList{"Bild speichern", "Daten speichern"}));
  EXPECT_FALSE(QImage(Names[0]).isNull());
  QFile Csv(Names[1]);
  ASSERT_TRUE(Csv.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(Csv.readAll()), WindowCsv(Chart));
}
