// Strip chart dialogs: live apply and Cancel restoring everything, the
// remark dialog's fields, and remarks added from the remark mode.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "StripTestUtil.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/ValueBar.h"
#include "quellix/stripchart/AxisDialog.h"
#include "quellix/stripchart/GridDialog.h"
#include "quellix/stripchart/TitleDialog.h"
#include "quellix/stripchart/ToolBar.h"

using namespace striptest;

TEST(StripDialogs, AxisCancelRestoresAllFiveExactly) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  Chart.SetViewXGap(0.001);
  Chart.SetViewYDecimals(3);
  _sEfa::TFormAxisStrip D;
  D.Chart = &Chart;
  D.FormShow();
  EXPECT_EQ(D.EXGap->text(), FloatToStrGeneral(0.001, 7));
  const auto Set = [](QLineEdit* E, const char* T) { E->setText(QString::fromLatin1(T)); };
  Set(D.EXGap, "5");
  D.EXGapExit();
  Set(D.EYMin, "-3");
  D.EYMinExit();
  Set(D.EYMax, "7");
  D.EYMaxExit();
  Set(D.EYGap, "0.5");
  D.EYGapExit();
  D.EYDecimals->setValue(1);
  EXPECT_EQ(Chart.ViewXGap(), 5.0);
  EXPECT_EQ(Chart.ViewYMin(), -3.0f);
  EXPECT_EQ(Chart.ViewYMax(), 7.0f);
  EXPECT_EQ(Chart.ViewYGap(), 0.5f);
  EXPECT_EQ(Chart.ViewYDecimals(), 1);
  // Not a number: the conversion error, nothing changes; a gap of 0 is ignored.
  Set(D.EYMax, "abc");
  EXPECT_THROW(D.EYMaxExit(), EConvertError);
  EXPECT_EQ(Chart.ViewYMax(), 7.0f);
  Set(D.EXGap, "0");
  D.EXGapExit();
  EXPECT_EQ(Chart.ViewXGap(), 5.0);
  D.ButtonCancelClick();
  EXPECT_EQ(Chart.ViewXGap(), 0.001);
  EXPECT_EQ(Chart.ViewYMin(), 0.0f);
  EXPECT_EQ(Chart.ViewYMax(), 10.0f);
  EXPECT_EQ(Chart.ViewYGap(), 2.0f);
  EXPECT_EQ(Chart.ViewYDecimals(), 3);
}

TEST(StripDialogs, TitleTypingRenamesToolWindowsAndCancelRestoresTitlesAndFonts) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  Chart.SetTitleTop(QStringLiteral("Alt"));
  Chart.SetShowToolBar(true);
  Chart.SetShowValueBar(true);
  _sEft::TFormTitleStrip& D = *Chart.ToolBar()->FormTitleStrip();
  ASSERT_EQ(D.Chart, &Chart);
  D.FormShow();
  D.ETop->setText(QStringLiteral("Neu"));
  EXPECT_EQ(Chart.TitleTop(), QStringLiteral("Neu"));
  EXPECT_EQ(Chart.ToolBar()->Caption(), QStringLiteral("Werkzeuge: Neu"));
  EXPECT_EQ(Chart.ValueBar()->Caption(), QStringLiteral("Anzeige: Neu"));
  D.ELeft->setText(QStringLiteral("Volt"));
  const TColor OldColor = Chart.FontXAxis().Color();
  D.FontDialog = [](const TFont& Current, bool) {
    TFont F = Current;
    F.SetColor(clRed);
    F.SetSize(20);
    return F;
  };
  D.FontButtonClick(_sEft::TFormTitleStrip::fsXAxis);
  EXPECT_EQ(Chart.FontXAxis().Color(), clRed);
  // The left title asks for outline fonts.
  bool TrueType = false;
  D.FontDialog = [&](const TFont& Current, bool T) {
    TrueType = T;
    return Current;
  };
  D.FontButtonClick(_sEft::TFormTitleStrip::fsLeft);
  EXPECT_TRUE(TrueType);
  D.ButtonCancelClick();
  EXPECT_EQ(Chart.TitleTop(), QStringLiteral("Alt"));
  EXPECT_EQ(Chart.TitleLeft(), QString());
  EXPECT_EQ(Chart.FontXAxis().Color(), OldColor);
  EXPECT_EQ(Chart.ToolBar()->Caption(), QStringLiteral("Werkzeuge: Alt"));
}

TEST(StripDialogs, GridAppliesAtOnceAndCancelRestores) {
  TStripChartInt Chart;
  _sEfg::TFormGridStrip D;
  D.Chart = &Chart;
  D.FormShow();
  EXPECT_FALSE(D.CBGridVisible->isChecked());
  D.CBGridVisible->setChecked(true);
  D.CBGridVisibleClick();
  EXPECT_EQ(Chart.GridVisible(), grdBoth);
  D.CBScaleChange(1);
  EXPECT_EQ(Chart.GridScale(), strpLog);
  D.CBScaleChange(2);   // logarithmic time, linear values
  EXPECT_EQ(Chart.GridScale(), strpLin);
  D.CBLineStyleChange(psDot);
  EXPECT_EQ(Chart.GridLineStyle(), psDot);
  D.CBLineStyleChange(7);   // no such entry
  EXPECT_EQ(Chart.GridLineStyle(), psDot);
  D.ButtonCancelClick();
  EXPECT_EQ(Chart.GridVisible(), grdNone);
  EXPECT_EQ(Chart.GridScale(), strpLin);
  EXPECT_EQ(Chart.GridLineStyle(), psSolid);
  // OK keeps the changes.
  D.FormShow();
  D.CBLineStyleChange(psDash);
  D.ButtonOKClick();
  EXPECT_EQ(Chart.GridLineStyle(), psDash);
}

TEST(StripDialogs, RemarkDialogFields) {
  Remedit::TEditRemark D;
  D.RunNumber = 3;
  D.Time = 12.5;
  D.Series = -1;
  D.Flag = dfAutomatic;
  D.Text = QStringLiteral("Start");
  D.FormShow();
  EXPECT_EQ(D.LabRunNumber->text(), QStringLiteral("3"));
  EXPECT_EQ(D.EditSeries->value(), 0);
  EXPECT_EQ(D.Edit1->text(), QStringLiteral("Alle"));
  EXPECT_TRUE(D.RBAutomatic->isChecked());
  D.EditSeries->setValue(9);   // beyond the up-down's range, no wrap
  EXPECT_EQ(D.EditSeries->value(), 8);
  EXPECT_EQ(D.Edit1->text(), QStringLiteral("8"));
  D.RBManual->setChecked(true);
  D.EditText->setText(QString(250, QLatin1Char('x')));
  D.ButtonOKClick();
  EXPECT_EQ(D.Series, 8);
  EXPECT_EQ(D.Flag, dfManual);
  EXPECT_EQ(D.Text.size(), 200);
  D.EditSeries->setValue(0);
  D.ButtonCancelClick();
  EXPECT_EQ(D.Series, -1);
}

TEST(StripDialogs, RemarkModeAddsAndEditsRemarksOnlyWithAFile) {
  QTemporaryDir Dir;
  TStripChartInt Chart;
  Chart.SetBounds(0, 0, 410, 233);
  Chart.SetSeriesNumber(2);
  Chart.SetViewYMax(300000);
  std::int64_t Next = 0;
  Feed(Chart, Next, 100, 100, 2);
  Chart.Repaint();
  Chart.SetStripMode(modeRemark);
  int Shown = 0;
  Remedit::SetModalRunner([&](TForm& F) {
    auto& D = static_cast<Remedit::TEditRemark&>(F);
    ++Shown;
    D.FormShow();
    D.EditText->setText(QStringLiteral("Ventil %1").arg(Shown));
    D.ButtonOKClick();
    return D.result();
  });
  const Integer X = Chart.XPosition(Chart.SampleCount() - 10);
  // Without a file a click does nothing.
  Chart.MouseDown(mbLeft, 0, X, 60);
  Chart.MouseUp(mbLeft, 0, X, 60);
  EXPECT_EQ(Shown, 0);
  Chart.StartLogging(QDir(Dir.path()).filePath(QStringLiteral("r.qlx")), QStringLiteral("Lauf"));
  Feed(Chart, Next, 100, 100, 2);
  Chart.Repaint();
  const Integer I = Chart.SampleCount() - 10;
  const Integer Y = Chart.ValueToRow(Chart.SeriesValues(2)[I]);
  Chart.MouseDown(mbLeft, 0, Chart.XPosition(I), Y);
  Chart.MouseUp(mbLeft, 0, Chart.XPosition(I), Y);
  ASSERT_EQ(Shown, 1);
  ASSERT_EQ(Chart.Remarks().size(), 1u);
  EXPECT_EQ(Chart.Remarks()[0].Series, 2);
  EXPECT_EQ(Chart.Remarks()[0].Flag, dfManual);
  EXPECT_EQ(Chart.Remarks()[0].Time, static_cast<Double>(Chart.BufferIndexTime(I)));
  EXPECT_EQ(Chart.Remarks()[0].RunNumber, Chart.DisplayRunNumber());
  // The right button edits the nearest remark.
  Chart.MouseDown(mbRight, 0, Chart.XPosition(I - 20), 60);
  Chart.MouseUp(mbRight, 0, Chart.XPosition(I - 20), 60);
  EXPECT_EQ(Shown, 2);
  EXPECT_EQ(Chart.Remarks().size(), 1u);
  EXPECT_EQ(Chart.CurrentRemark().Text, QStringLiteral("Ventil 2"));
  // Its mark is drawn in the highlight colour on series 2.
  Chart.SetMarkerWidth(10);
  Chart.Repaint();
  const Integer MX = Chart.XPosition(I);
  bool Found = false;
  for (Integer y = Y - 6; y <= Y + 6 && !Found; ++y)
    for (Integer x = MX - 6; x <= MX + 6 && !Found; ++x)
      Found = Chart.Surface().pixel(x, y) == ToQColor(clGreen).rgb();
  EXPECT_TRUE(Found);
  Remedit::SetModalRunner({});
  Chart.StopLogging();
}
