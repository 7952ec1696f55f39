#include "quellix/stripchart/JogShuttleBar.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

#include "quellix/host/NumberFormat.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEjs {

using StrpChrtInt::TStripChartInt;

TFormJogShuttleBarStrip::TFormJogShuttleBarStrip(TStripChartInt* Chart, QWidget* AParent)
    : TForm(nullptr, AParent), FChart(Chart) {
  SetCaption(QStringLiteral("Jog Shuttle:"));
  SetToolWindow(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  auto* Col = new QVBoxLayout(this);
  auto* Top = new QHBoxLayout;
  BStart = new QPushButton(QStringLiteral("|<"), this);
  BStart->setToolTip(tr("An den Anfang spulen"));
  JogShuttle = new QSlider(Qt::Horizontal, this);
  JogShuttle->setRange(-50, 50);
  JogShuttle->setSingleStep(1);
  JogShuttle->setMinimumWidth(200);
  JogShuttle->setToolTip(tr("Spulen"));
  BEnd = new QPushButton(QStringLiteral(">|"), this);
  BEnd->setToolTip(tr("An das Ende spulen"));
  Top->addWidget(BStart);
  Top->addWidget(JogShuttle, 1);
  Top->addWidget(BEnd);
  Col->addLayout(Top);
  auto* Info = new QHBoxLayout;
  LNumber = new QLabel(QStringLiteral("0"), this);
  LComment = new QLabel(this);
  Info->addWidget(new QLabel(QStringLiteral("Run:"), this));
  Info->addWidget(LNumber);
  Info->addWidget(LComment, 1);
  Col->addLayout(Info);
  CComments = new QComboBox(this);
  CComments->setToolTip(tr("Ereignis"));
  Col->addWidget(CComments);
  Timer1 = new TTimer(this);
  Timer1->SetInterval(500);
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };
  // The slider springs back when released.
  connect(JogShuttle, &QSlider::sliderReleased, this, [this] { JogShuttle->setValue(0); });
  connect(BStart, &QPushButton::clicked, this, [this] { BStartClick(); });
  connect(BEnd, &QPushButton::clicked, this, [this] { BEndClick(); });
  connect(CComments, &QComboBox::activated, this, [this](int I) { CCommentsChange(I); });
  UpdateFileState();
}

void TFormJogShuttleBarStrip::UpdateFileState() {
  const bool Active = FChart && (FChart->Logging() || FChart->Playing());
  JogShuttle->setEnabled(Active);
  if (!Active) JogShuttle->setValue(0);
  Timer1->SetInterval(Active ? 20 : 500);
  Timer1->SetEnabled(isVisible());
}

// |v| above 9 winds quadratically: v := 0.1 v^2 with the sign of v.
Double TFormJogShuttleBarStrip::WindSamples(Integer V) {
  if (std::abs(V) > 9) return (V < 0 ? -0.1 : 0.1) * V * V;
  return V;
}

void TFormJogShuttleBarStrip::Timer1Timer() {
  if (!FChart) return;
  if (FChart->RemarkListChanged()) {
    FFilling = true;
    CComments->clear();
    for (const StrpChrtInt::TRemarkIndexEntry& E : FChart->Remarks())
      CComments->addItem(FChart->RemarkRecord(E).Text);
    FFilling = false;
  }
  if (FChart->NearestRemarkChanged()) {
    const auto& R = FChart->Remarks();
    for (size_t i = 0; i < R.size(); ++i)
      if (R[i].FilePos == FChart->CurrentRemarkPos()) CComments->setCurrentIndex(static_cast<int>(i));
  }
  FChart->ClearRemarkFlags();
  if (FShownRun != FChart->DisplayRunNumber()) {
    FShownRun = FChart->DisplayRunNumber();
    LNumber->setText(IntToStr(FShownRun));
  }
  if (FShownComment != FChart->RunComment()) {
    FShownComment = FChart->RunComment();
    LComment->setText(FShownComment);
  }
  const Integer V = JogShuttle->value();
  if (V != 0 && (FChart->Logging() || FChart->Playing()))
    FChart->Guarded(
        [&] { FChart->MoveWindowTo(true, static_cast<Double>(WindSamples(V) * FChart->DisplayTimeIncrement())); });
}

void TFormJogShuttleBarStrip::BStartClick() {
  if (!FChart) return;
  // The window of the run shown that begins with its first sample.
  const Extended W = FChart->SamplesPerWindow();
  FChart->Guarded([&] {
    FChart->MoveWindowTo(false,
                         static_cast<Double>(FChart->DisplayStartTime() + (W - 1) * FChart->DisplayTimeIncrement()));
  });
}

void TFormJogShuttleBarStrip::BEndClick() {
  if (!FChart) return;
  FChart->Guarded([&] {
    if (FChart->Logging() && FChart->DisplayRunNumber() == FChart->RunCount())
      FChart->MoveWindowTo(false, static_cast<Double>(FChart->LogTimeLast() + FChart->LogTimeIncrement()));
    else
      FChart->MoveWindowTo(false, static_cast<Double>(FChart->DisplayTimeLast()));
  });
}

// The chosen remark lands in the middle of the window.
void TFormJogShuttleBarStrip::CCommentsChange(int Index) {
  if (!FChart || FFilling) return;
  const auto& R = FChart->Remarks();
  if (Index < 0 || Index >= static_cast<int>(R.size())) return;
  const auto End = static_cast<Double>(R[Index].Time + FChart->SamplesPerWindow() * FChart->DisplayTimeIncrement() / 2);
  FChart->Guarded([&] { FChart->MoveWindowTo(false, End); });
}

void TFormJogShuttleBarStrip::hideEvent(QHideEvent* Event) {
  TForm::hideEvent(Event);
  Timer1->SetEnabled(false);
  if (FChart) FChart->SetShowJogShuttleBar(false);
}

}  // namespace quellix::_sEjs
