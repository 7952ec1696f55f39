// The analysis dialogs, driven through their generation step and button
// handlers (never through real timer ticks).
#include <gtest/gtest.h>

#include <QApplication>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "quellix/analysis/AutocorrelationDialog.h"
#include "quellix/analysis/CrossPowerDialog.h"
#include "quellix/analysis/CrossCorrelationDialog.h"
#include "quellix/analysis/FFTDialog.h"
#include "quellix/analysis/PowerSpectrumDialog.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;
using namespace quellix::AnalysisDialog;

namespace {

constexpr double Pi = std::numbers::pi;

// What each dialog sweeps, as the user sees it.
struct TSweepRow {
  const char* Name;
  std::function<TAnalysisDialog*()> Make;
  Single W0, Dw0;
  Extended Lower, Upper;
  bool Inclusive;
};

const std::vector<TSweepRow>& SweepRows() {
  static const std::vector<TSweepRow> Rows = {
      {"Autokorrelation", [] { return new Uauto::TAutokorrDialog(); }, 0.1f, 0.002f, 0.005L, 0.5L, false},
      {"Kreuzkorrelation", [] { return new Ucross::TKreuzkorrelationDialog(); }, 0.031f, 0.001f, 0.01L, 0.15L, true},
      {"FFT", [] { return new Ufft::TfftDialog(); }, 0.1f, 0.002f, 0.005L, 0.5L, false},
      {"PowerSpectrum", [] { return new Upow::TPowerSpectrumDialog(); }, 0.1f, 0.002f, 0.005L, 0.5L, false},
      {"CrossPower", [] { return new Ucropow::TCrossPowerDialog(); }, 0.031f, 0.001f, 0.01L, 0.15L, true},
  };
  return Rows;
}

bool Above(const TSweepRow& R, Single W) { return R.Inclusive ? W >= R.Upper : W > R.Upper; }
bool Below(const TSweepRow& R, Single W) { return R.Inclusive ? W <= R.Lower : W < R.Lower; }

std::vector<Single> Values(const Single* Data, Integer Count) { return {Data, Data + Count}; }

}  // namespace

// Up from the start, the first w at or past the upper bound is still used;
// the step after it goes down by dw. Then the same at the lower bound.
TEST(AnalysisDialogSweep, TurnsOneStepPastEachBoundInEveryDialog) {
  for (const TSweepRow& R : SweepRows()) {
    SCOPED_TRACE(R.Name);
    std::unique_ptr<TAnalysisDialog> D(R.Make());
    EXPECT_EQ(D->W(), R.W0);
    EXPECT_EQ(D->Dw(), R.Dw0);
    std::vector<Single> Ws{D->W()};
    for (int I = 0; I < 800; ++I) {
      D->GenerationStep();
      Ws.push_back(D->W());
    }
    std::size_t Top = 0;
    while (Top + 1 < Ws.size() && Ws[Top + 1] > Ws[Top]) ++Top;
    ASSERT_GT(Top, 0u);
    ASSERT_LT(Top + 1, Ws.size());
    EXPECT_TRUE(Above(R, Ws[Top]));
    EXPECT_FALSE(Above(R, Ws[Top - 1]));
    EXPECT_LE(Ws[Top] - R.Upper, R.Dw0 + 1e-6);
    EXPECT_FLOAT_EQ(Ws[Top + 1], Ws[Top] - R.Dw0);

    std::size_t Bottom = Top + 1;
    while (Bottom + 1 < Ws.size() && Ws[Bottom + 1] < Ws[Bottom]) ++Bottom;
    ASSERT_LT(Bottom + 1, Ws.size());
    EXPECT_TRUE(Below(R, Ws[Bottom]));
    EXPECT_FALSE(Below(R, Ws[Bottom - 1]));
    EXPECT_GT(Ws[Bottom], 0.0f);
    EXPECT_FLOAT_EQ(Ws[Bottom + 1], Ws[Bottom] + R.Dw0);
  }
}

// The sweep advances once per generation, whoever triggers it.
TEST(AnalysisDialogSweep, EveryButtonAndTickAdvancesOneStep) {
  Upow::TPowerSpectrumDialog D;
  D.StartStopClick();
  const Single W0 = D.W();
  D.FunctionClick(fkRechteck);
  EXPECT_FLOAT_EQ(D.W(), W0 + 0.002f);
  D.WindowClick(FFT::wnHanning);
  D.Timer1->Tick();
  EXPECT_FLOAT_EQ(D.W(), W0 + 3 * 0.002f);
  // Kinds the dialog does not offer change nothing and generate nothing.
  Ufft::TfftDialog F;
  F.FunctionClick(fkRauschen);
  F.FunctionClick(-1);
  F.WindowClick(FFT::wnOwn);
  EXPECT_EQ(F.FunctionKind(), fkSinus);
  EXPECT_EQ(F.FFT1->LeakFunction(), FFT::wnRectangle);
  EXPECT_EQ(F.W(), 0.1f);
}

TEST(AnalysisDialogSignals, SquareStartsLowAndFollowsTheSineSign) {
  Uauto::TAutokorrDialog D;
  D.FunctionClick(fkRechteck);
  const Single* S = D.Signal()->Re()->Data();
  EXPECT_EQ(S[0], -1.0f);  // sin 0 = 0 counts as not positive
  for (Integer I = 1; I < D.Signal()->Count(); ++I)
    ASSERT_EQ(S[I], std::sin(I * double(D.W())) > 0 ? 1.0f : -1.0f) << I;
  for (Integer I = 0; I < D.Signal()->Count(); ++I) ASSERT_EQ(D.Signal()->Im()->Data()[I], 0.0f);
}

// Rises by w/π per sample from −1, stores the value that passes 1 and
// then drops by 2.
TEST(AnalysisDialogSignals, SawtoothWrapsAfterPassingOne) {
  Ufft::TfftDialog D;
  D.FunctionClick(fkSaegezahn);
  const Single Inc = Single(D.W() / Pi);
  const std::vector<Single> S = Values(D.Signal()->Data(), D.Signal()->Count());
  EXPECT_FLOAT_EQ(S[0], -1 + Inc);
  int Wraps = 0;
  for (std::size_t I = 1; I < S.size(); ++I) {
    if (S[I - 1] > 1) {
      ++Wraps;
      EXPECT_FLOAT_EQ(S[I], S[I - 1] - 2 + Inc) << I;
    } else {
      EXPECT_FLOAT_EQ(S[I], S[I - 1] + Inc) << I;
    }
    EXPECT_GT(S[I], -1.0f);
    EXPECT_LE(S[I], 1 + Inc);
  }
  // The 511 samples before the last rise by 511·w/π, 2 per period.
  EXPECT_EQ(Wraps, int(511 * Inc / 2));
  EXPECT_GE(Wraps, 8);
}

TEST(AnalysisDialogSignals, NoiseStaysInItsBand) {
  SetRandSeed(3);
  Uauto::TAutokorrDialog D;
  for (Integer Kind : {fkRauschen, fkVerrSinus}) {
    D.FunctionClick(Kind);
    const std::vector<Single> S = Values(D.Signal()->Re()->Data(), D.Signal()->Count());
    const Single Limit = Kind == fkRauschen ? 0.5f : 0.7f;
    Single Lo = 1, Hi = -1;
    for (Single V : S) {
      Lo = std::min(Lo, V);
      Hi = std::max(Hi, V);
    }
    EXPECT_GE(Lo, -Limit);
    EXPECT_LT(Hi, Limit);
    EXPECT_GT(Hi - Lo, 0.8f);  // really noisy, not a constant
  }
}

// Signal 1 of the two-signal dialogs keeps its five periods in 256
// samples while signal 2 follows the sweep.
TEST(AnalysisDialogSignals, TwoSignalDialogsHoldSignalOneFixed) {
  Ucross::TKreuzkorrelationDialog D;
  D.GenerationStep();
  const std::vector<Single> First = Values(D.F1()->Re()->Data(), 256);
  const std::vector<Single> Second2 = Values(D.F2()->Re()->Data(), 256);
  for (Integer I = 0; I < 256; ++I) ASSERT_NEAR(First[I], std::sin(2 * Pi * 5 * I / 256), 2e-4) << I;
  D.GenerationStep();
  EXPECT_EQ(Values(D.F1()->Re()->Data(), 256), First);
  EXPECT_NE(Values(D.F2()->Re()->Data(), 256), Second2);
  EXPECT_NEAR(D.F2()->Re()->Data()[10], std::sin(10 * double(D.W())), 1e-6);
  // Signal 2 offers only Sinus and Rechteck.
  D.Function2Click(fkSaegezahn);
  EXPECT_EQ(D.FunctionKind2(), fkSinus);
  D.Function2Click(fkRechteck);
  EXPECT_EQ(D.F2()->Re()->Data()[0], -1.0f);
}

// A sine of amplitude 1 with k cycles in the 512 samples shows a peak near
// 1 on bin k = w·512/(2π).
TEST(AnalysisDialogResults, FftPeakSitsAtTheSineFrequency) {
  Ufft::TfftDialog D;
  for (int Run = 0; Run < 4; ++Run) {
    for (int I = 0; I < 40; ++I) D.GenerationStep();
    const Single* Bins = D.Display()->Re()->Data();
    Integer Peak = 1;
    for (Integer K = 2; K < 256; ++K)
      if (Bins[K] > Bins[Peak]) Peak = K;
    const double Expected = D.W() * 512 / (2 * Pi);
    SCOPED_TRACE(Expected);
    EXPECT_LE(std::fabs(Peak - Expected), 1.0);
    EXPECT_GT(Bins[Peak], 0.6f);  // worst case half-way between two bins
    EXPECT_LT(Bins[Peak], 1.01f);
    // What the histograph shows is the display vector, 256 values.
    EXPECT_EQ(D.Histograph2->Series(1).Data, Bins);
    EXPECT_EQ(D.Histograph2->Series(1).Count, 256);
  }
}

// r[0] is the mean power of the windowed sine: 0.5 times the mean square
// of the window weights; no lag correlates more.
TEST(AnalysisDialogResults, AutocorrelationOfSineAtLagZero) {
  struct Row {
    FFT::TLeakType Type;
    double Energy;  // mean of w² over the window
  };
  const Row Rows[] = {{FFT::wnRectangle, 1.0},
                      {FFT::wnHamming, 0.54 * 0.54 + 0.46 * 0.46 / 2},
                      {FFT::wnHanning, 0.375},
                      {FFT::wnBlackman, 0.42 * 0.42 + 0.5 * 0.5 / 2 + 0.08 * 0.08 / 2}};
  Uauto::TAutokorrDialog D;
  for (const Row& R : Rows) {
    D.WindowClick(R.Type);
    SCOPED_TRACE(R.Energy);
    const Single* Rk = D.Work()->Re()->Data();
    EXPECT_NEAR(Rk[0], 0.5 * R.Energy, 0.04 * 0.5 * R.Energy);
    for (Integer K = 1; K < 512; ++K) ASSERT_LE(std::fabs(Rk[K]), Rk[0] + 1e-6f) << K;
    EXPECT_EQ(D.Histograph2->Series(1).Count, 512);
  }
}

// Only where the two frequencies meet does the product of the spectra
// reach |A|·|B| = 0.5·0.5.
TEST(AnalysisDialogResults, CrossPowerPeaksWhereTheBinsCoincide) {
  Ucropow::TCrossPowerDialog D;
  D.GenerationStep();
  const Single* M = D.Result()->Re()->Data();
  EXPECT_LT(M[5], 0.05f);  // signal 2 near bin 1.3
  for (int I = 0; I < 200 && std::fabs(D.W() * 256 / (2 * Pi) - 5) > 0.03; ++I) D.GenerationStep();
  ASSERT_NEAR(D.W() * 256 / (2 * Pi), 5, 0.03);
  EXPECT_NEAR(M[5], 0.25f, 0.01f);
  for (Integer K = 0; K < Ucropow::TCrossPowerDialog::ShownBins; ++K)
    if (K != 5) {
      ASSERT_LT(M[K], 1e-3f) << K;
    }
  EXPECT_EQ(D.Histograph2->Series(1).Count, 128);
}

TEST(AnalysisDialogResults, CorrelationDialogsScaleTheResultToTheFunction) {
  Uauto::TAutokorrDialog A;
  Ucross::TKreuzkorrelationDialog C;
  for (TAnalysisDialog* D : std::initializer_list<TAnalysisDialog*>{&A, &C}) {
    for (Integer Kind : {fkRauschen, fkSinus, fkVerrSinus, fkSaegezahn, fkRechteck}) {
      D->FunctionClick(Kind);
      const bool Small = Kind == fkRauschen || Kind == fkVerrSinus;
      EXPECT_EQ(D->Histograph2->ViewYMin(), Small ? -0.1f : -1.0f);
      EXPECT_EQ(D->Histograph2->ViewYMax(), Small ? 0.1f : 1.0f);
      EXPECT_EQ(D->Histograph2->ViewYGap(), Small ? 0.05f : 0.5f);
      EXPECT_TRUE(D->Histograph2->EnableUpdate());
    }
  }
  // Signal 2's buttons and the other dialogs leave the range alone.
  C.FunctionClick(fkRauschen);
  C.Function2Click(fkSinus);
  EXPECT_EQ(C.Histograph2->ViewYMax(), 0.1f);
  Upow::TPowerSpectrumDialog P;
  P.FunctionClick(fkRauschen);
  EXPECT_EQ(P.Histograph2->ViewYMin(), 1e-8f);
  EXPECT_EQ(P.Histograph2->ViewYMax(), 1.0f);
}

TEST(AnalysisDialogButtons, StartStopAndCloseDriveTheTimer) {
  Ucropow::TCrossPowerDialog D;
  EXPECT_FALSE(D.Timer1->Enabled());
  EXPECT_EQ(D.Timer1->Interval(), 10);
  EXPECT_EQ(D.StartStopButton->text(), "Start");
  D.StartStopButton->click();
  EXPECT_TRUE(D.Timer1->Enabled());
  EXPECT_EQ(D.StartStopButton->text(), "Stop");
  D.StartStopButton->click();
  EXPECT_FALSE(D.Timer1->Enabled());
  EXPECT_EQ(D.StartStopButton->text(), "Start");

  D.show();
  D.StartStopClick();
  D.CloseButton->click();
  EXPECT_FALSE(D.isVisible());
  EXPECT_FALSE(D.Timer1->Enabled());
  EXPECT_EQ(D.StartStopButton->text(), "Start");

  // Escape or the window's close box stop the sweep too, and the button
  // does not keep claiming it runs.
  D.show();
  D.StartStopClick();
  D.reject();
  EXPECT_FALSE(D.isVisible());
  EXPECT_FALSE(D.Timer1->Enabled());
  EXPECT_EQ(D.StartStopButton->text(), "Start");
  D.StartStopClick();
  EXPECT_TRUE(D.Timer1->Enabled());
  D.StartStopClick();
}

TEST(AnalysisDialogButtons, DialogKeepsItsStateBetweenOpenings) {
  for (const TSweepRow& R : SweepRows()) {
    SCOPED_TRACE(R.Name);
    std::unique_ptr<TAnalysisDialog> D(R.Make());
    D->show();
    D->FunctionClick(fkSaegezahn);
    if (D->TwoSignals()) D->Function2Click(fkRechteck);
    D->WindowClick(FFT::wnBlackman);
    for (int I = 0; I < 7; ++I) D->Timer1->Tick();
    const Single W = D->W(), Dw = D->Dw();
    D->CloseClick();
    D->show();
    EXPECT_EQ(D->FunctionKind(), fkSaegezahn);
    EXPECT_EQ(D->FunctionKind2(), D->TwoSignals() ? fkRechteck : fkSinus);
    EXPECT_EQ(D->FFT1->LeakFunction(), FFT::wnBlackman);
    EXPECT_TRUE(D->FunctionButtons[fkSaegezahn]->isChecked());
    EXPECT_TRUE(D->WindowRadioButtons[3]->isChecked());
    EXPECT_EQ(D->W(), W);
    EXPECT_EQ(D->Dw(), Dw);
    D->Timer1->Tick();
    EXPECT_FLOAT_EQ(D->W(), W + Dw);
    D->hide();
  }
}

TEST(AnalysisDialogLook, CaptionsGroupsAndTitles) {
  struct Row {
    const char* ClassName;
    const char* Caption;
    int Exponent;
    QStringList Functions;
    const char* ResultTitle;
    Single YMin, YMax;
    Single XMax;
  };
  const QStringList Five = {"Sinus", "Rechteck", QString::fromUtf8("Sägezahn"), "Rauschen", "Verr. Sinus"};
  const std::vector<Row> Rows = {
      {"TAutokorrDialog", "Autokorrelation", 9, Five, "Autokorrelation", -1, 1, 1},
      {"TKreuzkorrelationDialog", "Kreuzkorrelation", 8, Five, "Kreuzkorrelation", -1, 1, 1},
      {"TfftDialog", "FFT Demo", 8, Five.mid(0, 3), "Fourier-Transformierte", 0.001f, 1, 256},
      {"TPowerSpectrumDialog", "Power Spectrum", 9, Five, "Power Spectrum", 1e-8f, 1, 255},
      {"TCrossPowerDialog", "Cross Power Spectrum", 8, Five, "Kreuzleistungsdichte (Betrag)", 1e-5f, 0.1f, 128},
  };
  for (std::size_t I = 0; I < Rows.size(); ++I) {
    const Row& R = Rows[I];
    SCOPED_TRACE(R.ClassName);
    std::unique_ptr<TAnalysisDialog> D(SweepRows()[I].Make());
    EXPECT_EQ(D->ClassName(), R.ClassName);
    EXPECT_EQ(D->Caption(), R.Caption);
    EXPECT_EQ(D->FFT1->Exponent(), R.Exponent);
    EXPECT_EQ(D->FFT1->Owner(), D.get());
    QStringList Functions;
    for (QRadioButton* B : D->FunctionButtons) Functions << B->text();
    EXPECT_EQ(Functions, R.Functions);
    EXPECT_EQ(D->FunctionGroup->title(), D->TwoSignals() ? "Funktion 1" : "Funktion");
    EXPECT_EQ(D->Histograph1->TitleTop(), D->TwoSignals() ? "Funktion 1" : "Funktion");
    if (D->TwoSignals()) {
      ASSERT_NE(D->Histograph3, nullptr);
      EXPECT_EQ(D->Histograph3->TitleTop(), "Funktion 2");
      EXPECT_EQ(D->Function2Group->title(), "Funktion 2");
      ASSERT_EQ(D->Function2Buttons.size(), 2u);
      EXPECT_EQ(D->Function2Buttons[1]->text(), "Rechteck");
    }
    QStringList Windows;
    for (QRadioButton* B : D->WindowRadioButtons) Windows << B->text();
    EXPECT_EQ(Windows, QStringList({"Rechteck", "Hamming", "Hanning", "Blackman"}));
    EXPECT_EQ(D->WindowGroup->title(), "Fenster");
    EXPECT_EQ(D->CloseButton->text(), QString::fromUtf8("Dieses Fenster schließen"));
    EXPECT_EQ(D->Histograph1->ViewYMin(), -1.01f);
    EXPECT_EQ(D->Histograph2->TitleTop(), R.ResultTitle);
    EXPECT_EQ(D->Histograph2->ViewYMin(), R.YMin);
    EXPECT_EQ(D->Histograph2->ViewYMax(), R.YMax);
    EXPECT_EQ(D->Histograph2->ViewXCurrentMax(), R.XMax);
    EXPECT_TRUE(D->Histograph2->RangeError().isEmpty());
    EXPECT_TRUE(D->HelpLabels[1]->text().endsWith("aus. Mit der Start/Stop Taste setzen"));
  }
}
