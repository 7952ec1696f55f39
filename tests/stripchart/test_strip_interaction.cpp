// Strip chart interaction: crosses, modes, zoom, automatic scaling, colour
// drops and the tool windows.
#include <gtest/gtest.h>

#include "StripTestUtil.h"
#include <QDir>
#include <QTemporaryDir>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/host/Streaming.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/stripchart/ValueBar.h"
#include "quellix/stripchart/JogShuttleBar.h"
#include "quellix/stripchart/ToolBar.h"

using namespace striptest;

namespace {

// A chart with a 300-pixel-wide plot and two series: series 1 rises
// slowly around 2, series 2 stays at 8.
struct TChartFixture {
  TStripChartInt Chart;
  TChartFixture() {
    Chart.SetBounds(0, 0, 410, 233);   // plot 70..370, 40..173
    Chart.SetSeriesNumber(2);
    Chart.SetSeriesCurrent(1);
    Chart.SetSeriesColor(clRed);
    Chart.SetSeriesCurrent(2);
    Chart.SetSeriesColor(clBlue);
    std::vector<Single> A(1024), B(1024, 8.0f);
    for (int i = 0; i < 1024; ++i) A[i] = 2.0f + i * 0.001f;
    Chart.AddValues({A.data(), B.data()}, 2, 1024);
    Chart.Repaint();
  }
  void Drag(TMouseButton Button, TPoint From, TPoint To) {
    Chart.MouseDown(Button, 0, From.X, From.Y);
    Chart.MouseMove(Button == mbLeft ? ssLeft : ssRight, To.X, To.Y);
    Chart.MouseUp(Button, 0, To.X, To.Y);
  }
};

}  // namespace

TEST(StripInteraction, FindSampleTakesNearestSeriesAndLastColumnNotRightOfMouse) {
  TChartFixture F;
  const TRect P = F.Chart.PlotRect();
  const Integer I = F.Chart.SampleCount() - 100;
  const Integer X = F.Chart.XPosition(I);
  // Near the value 8 wins series 2, near 2 series 1.
  auto Hit = F.Chart.FindSample(X, F.Chart.ValueToRow(7.5f));
  EXPECT_EQ(Hit.Series, 2);
  EXPECT_EQ(Hit.X, X);
  Hit = F.Chart.FindSample(X, F.Chart.ValueToRow(1.0f));
  EXPECT_EQ(Hit.Series, 1);
  EXPECT_FLOAT_EQ(static_cast<float>(Hit.Value), F.Chart.SeriesValues(1)[Hit.Index]);
  EXPECT_EQ(F.Chart.XPosition(Hit.Index), X);
  // Left of the window: the first sample of the window.
  Hit = F.Chart.FindSample(P.Left - 30, P.Top + 5);
  EXPECT_EQ(Hit.Index, F.Chart.WindowStartOffset() + 1);
  // A hidden series is never taken.
  F.Chart.SetSeriesCurrent(2);
  F.Chart.SetSeriesVisible(false);
  EXPECT_EQ(F.Chart.FindSample(X, F.Chart.ValueToRow(8.0f)).Series, 1);
}

TEST(StripInteraction, MeasureCrossFollowsMouseInsidePlotOnly) {
  TChartFixture F;
  std::vector<std::tuple<Single, Single, Integer, Integer>> Moves;
  F.Chart.OnCrossMove = [&](TObject*, Single X, Single Y, Integer S, Integer I) { Moves.emplace_back(X, Y, S, I); };
  const TRect P = F.Chart.PlotRect();
  F.Chart.MouseMove(0, P.Left - 5, P.Top + 10);   // outside: nothing
  EXPECT_TRUE(Moves.empty());
  EXPECT_FALSE(F.Chart.MouseCapture());
  F.Chart.MouseMove(0, 200, F.Chart.ValueToRow(8.0f));
  ASSERT_EQ(Moves.size(), 1u);
  EXPECT_TRUE(F.Chart.MouseCapture());
  const auto& C = F.Chart.Cross(TStripChartInt::crMeasure);
  EXPECT_TRUE(C.Shown);
  EXPECT_EQ(C.Series, 2);
  EXPECT_EQ(C.Color, clBlue);
  EXPECT_EQ(std::get<2>(Moves[0]), 2);
  EXPECT_FLOAT_EQ(std::get<1>(Moves[0]), 8.0f);
  EXPECT_EQ(std::get<0>(Moves[0]), static_cast<Single>(C.X));
  EXPECT_EQ(C.Time, static_cast<Double>(F.Chart.BufferIndexTime(C.Index)));
  // Leaving the plot takes the cross away and releases the mouse.
  F.Chart.MouseMove(0, P.Right + 10, P.Top + 10);
  EXPECT_FALSE(C.Shown);
  EXPECT_FALSE(F.Chart.MouseCapture());
  // A size not painted yet is ignored.
  F.Chart.SetBounds(0, 0, 420, 233);
  F.Chart.MouseMove(0, 200, 100);
  EXPECT_EQ(Moves.size(), 1u);
}

TEST(StripInteraction, CrossDrawnTwiceRestoresThePicture) {
  TChartFixture F;
  const QImage Before = F.Chart.Surface().copy();
  F.Chart.MouseMove(0, 200, F.Chart.ValueToRow(8.0f));
  const auto& C = F.Chart.Cross(TStripChartInt::crMeasure);
  ASSERT_TRUE(C.Shown);
  EXPECT_NE(F.Chart.Surface(), Before);
  // A vertical line pixel away from the traces differs from the picture.
  const Integer Y = F.Chart.PlotRect().Top + 3;
  EXPECT_NE(F.Chart.Surface().pixel(C.X, Y), Before.pixel(C.X, Y));
  F.Chart.MouseMove(0, F.Chart.PlotRect().Right + 20, 100);   // erases
  EXPECT_EQ(F.Chart.Surface(), Before);
  // Switching the cross off takes it from the picture at the next paint.
  F.Chart.MouseMove(0, 200, F.Chart.ValueToRow(8.0f));
  F.Chart.SetShowCross(false);
  F.Chart.Repaint();
  EXPECT_EQ(F.Chart.Surface(), Before);
}

TEST(StripInteraction, ModeChangesHideTheOtherModesCrosses) {
  TChartFixture F;
  F.Chart.MouseMove(0, 200, 100);
  ASSERT_TRUE(F.Chart.Cross(TStripChartInt::crMeasure).Shown);
  F.Chart.SetStripMode(modeCalculate);
  EXPECT_FALSE(F.Chart.Cross(TStripChartInt::crMeasure).Shown);
  F.Chart.MouseDown(mbLeft, 0, 150, 100);
  F.Chart.MouseUp(mbLeft, 0, 150, 100);
  F.Chart.MouseDown(mbRight, 0, 250, 100);
  F.Chart.MouseUp(mbRight, 0, 250, 100);
  EXPECT_TRUE(F.Chart.Cross(TStripChartInt::crFirst).Shown);
  EXPECT_TRUE(F.Chart.Cross(TStripChartInt::crSecond).Shown);
  F.Chart.SetStripMode(modeZoom);
  EXPECT_FALSE(F.Chart.Cross(TStripChartInt::crFirst).Shown);
  EXPECT_FALSE(F.Chart.Cross(TStripChartInt::crSecond).Shown);
  EXPECT_EQ(F.Chart.Surface().copy(), (F.Chart.Repaint(), F.Chart.Surface().copy()));
}

TEST(StripInteraction, CalculateReportsBothCrossesAndValueBarShowsDashesForSameTime) {
  TChartFixture F;
  F.Chart.SetStripMode(modeCalculate);
  F.Chart.SetShowValueBar(true);
  ASSERT_NE(F.Chart.ValueBar(), nullptr);
  EXPECT_TRUE(F.Chart.ValueBar()->GroupCross2->isEnabled());
  Integer Calls = 0, S1 = 0, S2 = 0;
  F.Chart.OnCalculate = [&](TObject*, Integer A, Integer B, Double, Double, Double, Double) {
    ++Calls;
    S1 = A;
    S2 = B;
  };
  F.Chart.MouseDown(mbLeft, 0, 200, F.Chart.ValueToRow(2.5f));
  F.Chart.MouseUp(mbLeft, 0, 200, 0);
  F.Chart.MouseDown(mbRight, 0, 200, F.Chart.ValueToRow(8.0f));
  F.Chart.MouseUp(mbRight, 0, 200, 0);
  EXPECT_EQ(Calls, 2);
  EXPECT_EQ(S1, 1);
  EXPECT_EQ(S2, 2);
  EXPECT_EQ(F.Chart.ValueBar()->invdeltax->text(), QStringLiteral("----"));
  EXPECT_EQ(F.Chart.ValueBar()->Series2->text(), QStringLiteral("2"));
  // Ten samples apart with an increment of 1 s: 1/dT = 0.1.
  const Integer I = F.Chart.Cross(TStripChartInt::crFirst).Index;
  F.Chart.MouseDown(mbRight, 0, F.Chart.XPosition(I + 10), F.Chart.ValueToRow(8.0f));
  F.Chart.MouseUp(mbRight, 0, 0, 0);
  EXPECT_EQ(F.Chart.ValueBar()->deltax->text(), QStringLiteral("10"));
  EXPECT_EQ(F.Chart.ValueBar()->invdeltax->text(), FloatToStrGeneral(0.1, 5));
  F.Chart.SetStripMode(modeMeasure);
  EXPECT_FALSE(F.Chart.ValueBar()->GroupCalculate->isEnabled());
}

TEST(StripInteraction, ZoomKeepsAFullBufferBelow32760PixelsAndUnzoomsOnce) {
  TChartFixture F;
  F.Chart.SetStripMode(modeZoom);
  const Integer I = F.Chart.SampleCount() - 50;
  const Integer X1 = F.Chart.XPosition(I), X2 = F.Chart.XPosition(I + 4);
  const Integer YTop = F.Chart.ValueToRow(6.0f), YBottom = F.Chart.ValueToRow(1.0f);
  F.Drag(mbLeft, Point(X1, YTop), Point(X2, YBottom));
  EXPECT_TRUE(F.Chart.Zoomed());
  // Trunc(300 / 32760 x 1024) + 1 = 10 samples.
  EXPECT_EQ(F.Chart.SamplesPerWindow(), 10);
  EXPECT_NEAR(F.Chart.ViewYMax(), 6.0f, 0.08f);   // one pixel row
  EXPECT_NEAR(F.Chart.ViewYMin(), 1.0f, 0.08f);
  // The five value divisions stay.
  EXPECT_NEAR((F.Chart.ViewYMax() - F.Chart.ViewYMin()) / F.Chart.ViewYGap(), 5.0f, 1e-3f);
  F.Drag(mbRight, Point(200, 100), Point(200, 100));
  EXPECT_FALSE(F.Chart.Zoomed());
  EXPECT_EQ(F.Chart.SamplesPerWindow(), 512);
  EXPECT_EQ(F.Chart.ViewYMax(), 10.0f);
  EXPECT_EQ(F.Chart.ViewYMin(), 0.0f);
  EXPECT_EQ(F.Chart.ViewYGap(), 2.0f);
  EXPECT_EQ(F.Chart.ViewXGap(), 1.0);
  const Integer Count = F.Chart.SampleCount();
  F.Drag(mbRight, Point(200, 100), Point(200, 100));   // nothing to undo
  EXPECT_EQ(F.Chart.SamplesPerWindow(), 512);
  EXPECT_EQ(F.Chart.SampleCount(), Count);
}

TEST(StripInteraction, ZoomRectangleWithoutHeightIsIgnored) {
  TChartFixture F;
  F.Chart.SetStripMode(modeZoom);
  const QImage Before = F.Chart.Surface().copy();
  F.Drag(mbLeft, Point(150, 100), Point(250, 100));
  EXPECT_FALSE(F.Chart.Zoomed());
  EXPECT_EQ(F.Chart.SamplesPerWindow(), 512);
  EXPECT_EQ(F.Chart.Surface(), Before);   // the rubber band is gone
}

TEST(StripInteraction, AutoScaleNiceRanges) {
  TChartFixture F;   // samples 2.0 .. 3.0 and 8: span 6 fills more than 0.4 of 0..10
  EXPECT_FALSE(F.Chart.CaptureRange());
  // Values 0.5 and 0.62: span 0.12, e = -1, m = 2 (1.2 rounds to 1 and is
  // above it): a range of 0.2 around 0.56.
  TStripChartInt C;
  C.SetBounds(0, 0, 410, 233);
  std::vector<Single> A(600);
  for (int i = 0; i < 600; ++i) A[i] = i % 2 ? 0.62f : 0.5f;
  C.AddValues({A.data()}, 1, 600);
  EXPECT_TRUE(C.CaptureRange());
  EXPECT_NEAR(C.ViewYMin(), 0.46f, 1e-6f);
  EXPECT_NEAR(C.ViewYMax(), 0.66f, 1e-6f);
  EXPECT_NEAR(C.ViewYGap(), 0.05f, 1e-6f);
  EXPECT_FALSE(C.CaptureRange());
  // A value leaving the range rescales again: 0.5 .. 2.5, span 2 -> r 2.
  A.assign(600, 0.5f);
  A[599] = 2.5f;
  C.AddValues({A.data()}, 1, 600);
  EXPECT_TRUE(C.CaptureRange());
  EXPECT_NEAR(C.ViewYMin(), 0.5f, 1e-6f);
  EXPECT_NEAR(C.ViewYMax(), 2.5f, 1e-6f);
  // Logarithmic scale with ViewYMin <= 0 always gets a positive range.
  C.SetAutoScale(true);
  C.SetViewYMin(-1);
  C.SetGridScale(strpLog);
  EXPECT_GT(C.ViewYMin(), 0.0f);
  EXPECT_TRUE(C.ViewRangeValid());
}

TEST(StripInteraction, ColourDragPreviewsRestoresAndDrops) {
  TChartFixture F;
  F.Chart.SetTitleBottom(QStringLiteral("Zeit"));
  F.Chart.Repaint();
  Colorhis::TColorGridHisto Grid;
  Grid.SetSelection(4);
  const TColor New = Grid.SelectColor();
  const TRect T = F.Chart.TitleRect(TStripChartInt::tpBottom);
  const TColor Old = F.Chart.FontTitleBottom().Color();
  ASSERT_NE(New, Old);
  const TColor OldY = F.Chart.FontYAxis().Color();
  bool Accept = false;
  F.Chart.DragOver(&Grid, T.Left + 2, T.Top + 2, dsDragEnter, Accept);
  EXPECT_TRUE(Accept);
  EXPECT_EQ(F.Chart.FontTitleBottom().Color(), New);
  // Moving on to the y-axis strip gives the title its colour back.
  F.Chart.DragOver(&Grid, F.Chart.PlotRect().Left - 3, 100, dsDragMove, Accept);
  EXPECT_EQ(F.Chart.FontTitleBottom().Color(), Old);
  EXPECT_EQ(F.Chart.FontYAxis().Color(), New);
  F.Chart.DragOver(&Grid, 0, 0, dsDragLeave, Accept);
  EXPECT_EQ(F.Chart.FontYAxis().Color(), OldY);
  // Dropping keeps only the target's colour.
  F.Chart.DragDrop(&Grid, T.Left + 2, T.Top + 2);
  EXPECT_EQ(F.Chart.FontTitleBottom().Color(), New);
  EXPECT_EQ(F.Chart.FontYAxis().Color(), OldY);
  EXPECT_EQ(F.Chart.FontTitleTop().Color(), Old);
  // Other sources are refused.
  TStripChartInt Other;
  F.Chart.DragOver(&Other, T.Left + 2, T.Top + 2, dsDragEnter, Accept);
  EXPECT_FALSE(Accept);
}

TEST(StripInteraction, DropTargetsByArea) {
  TChartFixture F;
  F.Chart.SetViewXGap(100);
  F.Chart.SetGridVisible(grdBoth);
  F.Chart.Repaint();
  using T = TStripChartInt;
  const TRect P = F.Chart.PlotRect();
  const Integer X = F.Chart.XPosition(F.Chart.SampleCount() - 30);
  EXPECT_EQ(F.Chart.DropTargetAt(X, F.Chart.ValueToRow(8.0f)), (T::TDropTarget{T::dtSeries, 2}));
  EXPECT_EQ(F.Chart.DropTargetAt(X, F.Chart.ValueToRow(2.9f) + 2).Kind, T::dtSeries);
  const auto Grid = F.Chart.LayoutValueAxis().Grid;
  ASSERT_GE(Grid.size(), 3u);
  EXPECT_EQ(F.Chart.DropTargetAt(X, Grid[2].Row + 1).Kind, T::dtGrid);   // value 4
  EXPECT_EQ(F.Chart.DropTargetAt(X, F.Chart.ValueToRow(5.0f)).Kind, T::dtBackground);
  EXPECT_EQ(F.Chart.DropTargetAt(X, P.Bottom + 5).Kind, T::dtXAxis);
  EXPECT_EQ(F.Chart.DropTargetAt(P.Left - 5, 100).Kind, T::dtYAxis);
  EXPECT_EQ(F.Chart.DropTargetAt(P.Left - 20, 100).Kind, T::dtControl);
}

TEST(StripInteraction, ToolWindowsFollowFlagsAndTopTitle) {
  TChartFixture F;
  F.Chart.SetTitleTop(QStringLiteral("Ofen"));
  F.Chart.SetShowToolBar(true);
  ASSERT_NE(F.Chart.ToolBar(), nullptr);
  EXPECT_EQ(F.Chart.ToolBar()->Caption(), QStringLiteral("Werkzeuge: Ofen"));
  F.Chart.SetShowJogShuttleBar(true);
  F.Chart.SetTitleTop(QStringLiteral("Kessel"));
  EXPECT_EQ(F.Chart.JogShuttleBar()->Caption(), QStringLiteral("Jog Shuttle: Kessel"));
  // The tool bar's mode group drives the chart and follows it.
  F.Chart.ToolBar()->BModeZoom->click();
  EXPECT_EQ(F.Chart.StripMode(), modeZoom);
  F.Chart.SetStripMode(modeRemark);
  F.Chart.ToolBar()->SyncFromChart();
  EXPECT_TRUE(F.Chart.ToolBar()->BModeRemark->isChecked());
  F.Chart.ToolBar()->BValueBar->click();
  EXPECT_TRUE(F.Chart.ShowValueBar());
  // Closing the tool bar clears its flag.
  F.Chart.ToolBar()->close();
  EXPECT_FALSE(F.Chart.ShowToolBar());
}

TEST(StripInteraction, JogShuttleWindsQuadraticallyAboveNine) {
  using J = quellix::_sEjs::TFormJogShuttleBarStrip;
  EXPECT_EQ(J::WindSamples(30), 90.0);
  EXPECT_EQ(J::WindSamples(-30), -90.0);
  EXPECT_EQ(J::WindSamples(5), 5.0);
  EXPECT_EQ(J::WindSamples(9), 9.0);
  EXPECT_DOUBLE_EQ(J::WindSamples(10), 10.0);
  TChartFixture F;
  F.Chart.SetShowJogShuttleBar(true);
  EXPECT_FALSE(F.Chart.JogShuttleBar()->JogShuttle->isEnabled());   // no file
  EXPECT_EQ(F.Chart.JogShuttleBar()->Timer1->Interval(), 500);
}

TEST(StripInteraction, JogShuttleWindsThroughALoggedRun) {
  QTemporaryDir Dir;
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  Chart.SetShowJogShuttleBar(true);
  auto* J = Chart.JogShuttleBar();
  Chart.StartLogging(QDir(Dir.path()).filePath(QStringLiteral("j.qlx")), QStringLiteral("Lauf"));
  EXPECT_TRUE(J->JogShuttle->isEnabled());
  EXPECT_EQ(J->Timer1->Interval(), 20);
  std::int64_t Next = 0;
  Feed(Chart, Next, 3000, 100);
  Chart.MoveWindowTo(false, 1500);   // back in the run, off the live end
  ASSERT_FALSE(Chart.LiveView());
  const Double End = Chart.WindowEndTime();
  J->JogShuttle->setValue(5);
  J->Timer1Timer();
  EXPECT_EQ(Chart.WindowEndTime(), End + 5);
  J->JogShuttle->setValue(-30);
  J->Timer1Timer();
  EXPECT_EQ(Chart.WindowEndTime(), End + 5 - 90);
  // The labels follow the run shown.
  EXPECT_EQ(J->LNumber->text(), QString::number(Chart.DisplayRunNumber()));
  EXPECT_EQ(J->LComment->text(), QStringLiteral("Lauf"));
  // To the start: the first full window, from the run's first sample on;
  // to the end: live again.
  J->BStartClick();
  EXPECT_EQ(Chart.WindowEndTime(), Chart.SamplesPerWindow() - 1.0);
  EXPECT_EQ(Chart.WindowStartOffset(), Chart.SampleCount() - Chart.SamplesPerWindow());
  EXPECT_EQ(Chart.BufferIndexTime(Chart.WindowStartOffset() + 1), Chart.DisplayStartTime());
  EXPECT_EQ(Chart.SeriesValues(1)[Chart.WindowStartOffset() + 1], Expected(1, 0));
  J->BEndClick();
  EXPECT_TRUE(Chart.LiveView());
  EXPECT_EQ(Chart.WindowEndTime(), 2999.0);
  Chart.StopLogging();
  EXPECT_FALSE(J->JogShuttle->isEnabled());
  EXPECT_EQ(J->Timer1->Interval(), 500);
}

TEST(StripInteraction, CaptureButtonAndAutoScaleOnPaint) {
  TStripChartInt Chart;
  Chart.SetBounds(0, 0, 410, 233);
  std::vector<Single> A(600, 40.0f);
  A[10] = 99.0f;   // before the window: not counted
  A[590] = 47.0f;
  Chart.AddValues({A.data()}, 1, 600);
  Chart.SetShowToolBar(true);
  Chart.ToolBar()->BCapture->click();   // once: 40 .. 47, span 7 -> r 10
  EXPECT_FLOAT_EQ(Chart.ViewYMin(), 38.5f);
  EXPECT_FLOAT_EQ(Chart.ViewYMax(), 48.5f);
  EXPECT_FALSE(Chart.AutoScale());
  Chart.ToolBar()->BAutoScale->click();
  EXPECT_TRUE(Chart.AutoScale());
  // A flat line has no span to scale to: the range stays.
  std::vector<Single> B(600, -3.0f);
  Chart.AddValues({B.data()}, 1, 600);
  Chart.Repaint();
  EXPECT_FLOAT_EQ(Chart.ViewYMin(), 38.5f);
  // With some spread the paint rescales: -3 .. -1, span 2 -> r 2.
  B[599] = -1.0f;
  Chart.AddValues({B.data()}, 1, 600);
  Chart.Repaint();
  EXPECT_FLOAT_EQ(Chart.ViewYMin(), -3.0f);
  EXPECT_FLOAT_EQ(Chart.ViewYMax(), -1.0f);
  EXPECT_FLOAT_EQ(Chart.ViewYGap(), 0.5f);
}

TEST(StripInteraction, UnzoomWithoutDataFileKeepsTheBuffer) {
  TStripChartInt Chart;
  Chart.SetBounds(0, 0, 410, 233);
  Chart.SetViewYMin(100000);
  Chart.SetViewYMax(102000);
  std::int64_t Next = 0;
  Feed(Chart, Next, 1000, 100);
  Chart.MoveWindowTo(false, 700);
  ASSERT_FALSE(Chart.LiveView());
  Chart.Repaint();
  ZoomOnSamples(Chart, Chart.SampleCount() - 200, 40);
  ASSERT_TRUE(Chart.Zoomed());
  EXPECT_EQ(Chart.SamplesPerWindow(), 41);
  EXPECT_EQ(Chart.WindowEndTime(), static_cast<Double>(Chart.BufferIndexTime(Chart.SampleCount())));
  Unzoom(Chart);
  EXPECT_FALSE(Chart.Zoomed());
  EXPECT_EQ(Chart.SamplesPerWindow(), 512);
  // The samples are still there, each at its own time.
  ASSERT_GT(Chart.SampleCount(), 0);
  const auto Sample = static_cast<std::int64_t>(Chart.WindowEndTime());
  EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Expected(1, Sample));
  EXPECT_EQ(Chart.SeriesValues(1)[1], Expected(1, static_cast<std::int64_t>(Chart.SampleBase())));
}

TEST(StripInteraction, ColourDragThroughTheDragManagerFromTheToolBar) {
  TChartFixture F;
  F.Chart.SetShowToolBar(true);
  Colorhis::TColorGridHisto* Grid = F.Chart.ToolBar()->ColorGridHisto1;
  Grid->SetSelection(9);
  const TColor New = Grid->SelectColor();
  const Integer X = F.Chart.XPosition(F.Chart.SampleCount() - 30);
  TDragManager& M = TDragManager::Instance();
  M.Begin(Grid);
  M.MoveOver(&F.Chart, X, F.Chart.ValueToRow(8.0f));
  F.Chart.SetSeriesCurrent(2);
  EXPECT_EQ(F.Chart.SeriesColor(), New);
  M.DropOn(&F.Chart, X, F.Chart.ValueToRow(8.0f));
  EXPECT_EQ(F.Chart.SeriesColor(), New);
  F.Chart.SetSeriesCurrent(1);
  EXPECT_EQ(F.Chart.SeriesColor(), clRed);
  EXPECT_FALSE(M.Active());
}

TEST(StripInteraction, ValueBarShowsTheMeasureCross) {
  TChartFixture F;
  F.Chart.SetShowValueBar(true);
  EXPECT_FALSE(F.Chart.ValueBar()->GroupCross2->isEnabled());
  F.Chart.MouseMove(0, 200, F.Chart.ValueToRow(8.0f));
  const auto& C = F.Chart.Cross(TStripChartInt::crMeasure);
  EXPECT_EQ(F.Chart.ValueBar()->Series1->text(), QStringLiteral("2"));
  EXPECT_EQ(F.Chart.ValueBar()->X1->text(), FloatToStrGeneral(C.Time, 5));
  EXPECT_EQ(F.Chart.ValueBar()->Y1->text(), QStringLiteral("8"));
}

TEST(StripInteraction, ModesAndGridEnumsStreamByName) {
  TStripChartInt A;
  A.SetName(QStringLiteral("StripChart1"));
  A.SetStripMode(modeZoom);
  A.SetAutoScale(true);
  A.SetGridVisible(grdVer);
  A.SetGridScale(strpLog);
  A.SetBorderStyle(bsNone);
  A.SetShowToolBar(true);
  const QString Text = WriteComponentText(&A);
  for (const char* Line : {"StripMode = modeZoom", "AutoScale = True", "GridVisible = grdVer", "GridScale = strpLog",
                           "BorderStyle = bsNone", "ShowToolBar = True"})
    EXPECT_TRUE(Text.contains(QString::fromLatin1(Line))) << Line << "\n" << Text.toStdString();
  TStripChartInt B;
  B.SetDesigning(true);   // at design time only the flags change
  ReadComponentText(&B, Text);
  EXPECT_EQ(B.StripMode(), modeZoom);
  EXPECT_EQ(B.GridVisible(), grdVer);
  EXPECT_EQ(B.GridScale(), strpLog);
  EXPECT_EQ(B.BorderStyle(), bsNone);
  EXPECT_TRUE(B.ShowToolBar());
  EXPECT_EQ(B.ToolBar(), nullptr);
}
