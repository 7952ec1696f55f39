// Gallery page of the strip chart at work: a logged run with the measuring
// cross and remark marks, the calculate mode's two crosses, the three tool
// windows and the four dialogs.
#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <vector>

#include "Gallery.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/StripChartEngine.h"
#include "quellix/stripchart/ValueBar.h"
#include "quellix/stripchart/AxisDialog.h"
#include "quellix/stripchart/GridDialog.h"
#include "quellix/stripchart/TitleDialog.h"
#include "quellix/stripchart/JogShuttleBar.h"
#include "quellix/stripchart/ToolBar.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

// Three channels: a slow sine, a damped square wave and a ramp.
void FeedChart(TStripChartInt& C, Integer Samples, Integer& Next) {
  std::vector<Single> A(Samples), B(Samples), R(Samples);
  for (Integer j = 0; j < Samples; ++j, ++Next) {
    const double t = Next * 0.1;
    A[j] = Single(5 + 3 * std::sin(t * 0.3));
    B[j] = Single(2 + (std::sin(t * 0.11) > 0 ? 1.5 : -1.0) * std::exp(-0.002 * Next));
    R[j] = Single(0.8 + std::fmod(Next * 0.01, 7.0));
  }
  C.AddValues({A.data(), B.data(), R.data()}, 3, Samples);
}

void SetUp(TStripChartInt& C) {
  C.SetBounds(0, 0, 560, 340);
  C.SetTitleTop(QStringLiteral("Ofen 3"));
  C.SetTitleBottom(QStringLiteral("Zeit"));
  C.SetTitleLeft(QStringLiteral("Temperatur [V]"));
  C.SetBkColor(clWhite);
  C.SetGridVisible(grdBoth);
  C.SetGridLineStyle(psDot);
  C.SetLogTimeIncrement(0.1);
  C.SetViewXGap(5);
  C.SetSeriesNumber(3);
  const TColor Colors[3] = {clRed, clBlue, clGreen};
  for (Integer k = 1; k <= 3; ++k) {
    C.SetSeriesCurrent(k);
    C.SetSeriesColor(Colors[k - 1]);
  }
  C.SetMarkerWidth(12);
}

}  // namespace

QUELLIX_GALLERY_PAGE(StripTools) {
  QTemporaryDir Dir;
  TStripChartInt C;
  SetUp(C);
  C.StartLogging(QDir(Dir.path()).filePath(QStringLiteral("ofen.qlx")), QStringLiteral("Aufheizen"));
  Integer Next = 0;
  FeedChart(C, 400, Next);
  // Remarks: one for all series and one on series 1, typed in the remark mode.
  C.AddRemark(C.DisplayRunNumber(), -1, dfAutomatic, static_cast<Double>(C.BufferIndexTime(C.SampleCount() - 300)),
              QStringLiteral("Tür geöffnet"));
  FeedChart(C, 100, Next);
  C.Repaint();
  C.SetStripMode(modeRemark);
  Remedit::SetModalRunner([](TForm& F) {
    auto& D = static_cast<Remedit::TEditRemark&>(F);
    D.FormShow();
    D.EditText->setText(QStringLiteral("Brenner an"));
    D.ButtonOKClick();
    return D.result();
  });
  const Integer I = C.SampleCount() - 120;
  const Integer Y = C.ValueToRow(C.SeriesValues(1)[I]);
  C.MouseDown(mbLeft, 0, C.XPosition(I), Y);
  C.MouseUp(mbLeft, 0, C.XPosition(I), Y);
  Remedit::SetModalRunner({});
  C.SetStripMode(modeMeasure);
  C.Repaint();
  // The first move after a remark click belongs to the closed dialog.
  C.MouseMove(0, 0, 0);
  C.MouseMove(0, C.XPosition(C.SampleCount() - 60), C.ValueToRow(C.SeriesValues(2)[C.SampleCount() - 60]));
  quellix::gallery::SaveWidget(&C, OutDir, "strip-tools-measure.png");

  // The tool windows, with the value bar showing both crosses of the
  // calculate mode.
  C.SetShowToolBar(true);
  C.SetShowValueBar(true);
  C.SetShowJogShuttleBar(true);
  C.SetStripMode(modeCalculate);
  C.Repaint();
  const Integer I1 = C.SampleCount() - 200, I2 = C.SampleCount() - 40;
  C.MouseDown(mbLeft, 0, C.XPosition(I1), C.ValueToRow(C.SeriesValues(1)[I1]));
  C.MouseUp(mbLeft, 0, 0, 0);
  C.MouseDown(mbRight, 0, C.XPosition(I2), C.ValueToRow(C.SeriesValues(3)[I2]));
  C.MouseUp(mbRight, 0, 0, 0);
  quellix::gallery::SaveWidget(&C, OutDir, "strip-tools-calculate.png");
  C.ToolBar()->SyncFromChart();
  C.JogShuttleBar()->Timer1Timer();
  quellix::gallery::SaveWidget(C.ToolBar(), OutDir, "strip-tools-toolbar.png");
  quellix::gallery::SaveWidget(C.ValueBar(), OutDir, "strip-tools-valuebar.png");
  quellix::gallery::SaveWidget(C.JogShuttleBar(), OutDir, "strip-tools-jogshuttle.png");

  // The dialogs, as the tool bar and the remark mode open them.
  quellix::gallery::SaveWidget(C.ToolBar()->FormTitleStrip(), OutDir, "strip-tools-title.png");
  quellix::gallery::SaveWidget(C.ToolBar()->FormGridStrip(), OutDir, "strip-tools-grid.png");
  quellix::gallery::SaveWidget(C.ToolBar()->FormAxisStrip(), OutDir, "strip-tools-axis.png");
  Remedit::TEditRemark& R = *C.RemarkDialog();
  R.RunNumber = C.DisplayRunNumber();
  R.Time = C.Remarks().front().Time;
  R.Series = -1;
  R.Flag = dfAutomatic;
  R.Text = QStringLiteral("Tür geöffnet");
  quellix::gallery::SaveWidget(&R, OutDir, "strip-tools-remark.png");
  C.StopLogging();
}
