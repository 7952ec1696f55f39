#include "quellix/analysis/AnalysisDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include "quellix/host/NumberFormat.h"

namespace quellix::AnalysisDialog {

using HistoInt::THistographInt;

QString FunctionCaption(Integer Kind) {
  static const std::array<const char*, FunctionKindCount> Captions = {
      QT_TRANSLATE_NOOP("quellix::AnalysisDialog::TAnalysisDialog", "Sinus"), QT_TRANSLATE_NOOP("quellix::AnalysisDialog::TAnalysisDialog", "Rechteck"), QT_TRANSLATE_NOOP("quellix::AnalysisDialog::TAnalysisDialog", "Sägezahn"),
      QT_TRANSLATE_NOOP("quellix::AnalysisDialog::TAnalysisDialog", "Rauschen"), QT_TRANSLATE_NOOP("quellix::AnalysisDialog::TAnalysisDialog", "Verr. Sinus")};
  return Kind >= 0 && Kind < FunctionKindCount ? TAnalysisDialog::tr(Captions[Kind]) : QString();
}

const std::array<TWindowButton, 4> WindowButtons = {{
    {QT_TRANSLATE_NOOP("quellix::AnalysisDialog::TAnalysisDialog", "Rechteck"), FFT::wnRectangle},
    {"Hamming", FFT::wnHamming},
    {"Hanning", FFT::wnHanning},
    {"Blackman", FFT::wnBlackman},
}};

void FillSignal(Integer Kind, Single W, Single* Out, Integer Count) {
  const auto Sine = [W](Integer I) { return std::sin(double(I) * double(W)); };
  switch (Kind) {
    case fkSinus:
      for (Integer I = 0; I < Count; ++I) Out[I] = Single(Sine(I));
      break;
    case fkRechteck:
      for (Integer I = 0; I < Count; ++I) Out[I] = Sine(I) > 0 ? 1.0f : -1.0f;
      break;
    case fkSaegezahn: {
      const Single Increment = Single(W / std::numbers::pi);
      Single V = -1;
      for (Integer I = 0; I < Count; ++I) {
        V = V + Increment;
        Out[I] = V;
        if (V > 1) V = V - 2;
      }
      break;
    }
    case fkRauschen:
      for (Integer I = 0; I < Count; ++I) Out[I] = Single(Random() - 0.5);
      break;
    case fkVerrSinus:
      for (Integer I = 0; I < Count; ++I) Out[I] = Single(0.2 * Sine(I) + Random() - 0.5);
      break;
    default:
      break;
  }
}

bool TSweep::AtBound() const {
  const Extended V = W;
  return Inclusive ? (V >= Upper || V <= Lower) : (V > Upper || V < Lower);
}

void TSweep::Step() {
  if (AtBound()) Dw = -Dw;
  W = W + Dw;
}

QStringList HelpLines(bool TwoSignals, const QString& Operation) {
  return {TwoSignals ? TAnalysisDialog::tr("Wählen Sie zwei Eingangsfunktionen und einen Fenstertyp für die")
                     : TAnalysisDialog::tr("Wählen Sie eine Eingangsfunktion und einen Fenstertyp für die"),
          Operation + TAnalysisDialog::tr(" aus. Mit der Start/Stop Taste setzen"),
          TwoSignals ? TAnalysisDialog::tr("bwz. löschen Sie den Sweep-Mode für die Eingangsfunktion 2.")
                     : TAnalysisDialog::tr("bwz. löschen Sie den Sweep-Mode für die Eingangsfunktion.")};
}

// ---------------------------------------------------------------------------
// TAnalysisDialog

TAnalysisDialog::TAnalysisDialog(const TDialogSetup& Setup, TComponentCore* AOwner)
    : TForm(AOwner), FSweep(Setup.Sweep), FTwoSignals(Setup.TwoSignals) {
  SetName(Setup.ClassName.mid(1));
  SetCaption(Setup.Caption);
  setModal(true);

  FFT1 = new FFT::TFFT(this);
  FFT1->SetName(QStringLiteral("FFT1"));
  FFT1->SetExponent(Setup.Exponent);

  Timer1 = new TTimer(this);
  Timer1->SetName(QStringLiteral("Timer1"));
  Timer1->SetEnabled(false);
  Timer1->SetInterval(Setup.TimerInterval);
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };

  const QString SignalTitle = FTwoSignals ? tr("Funktion 1") : tr("Funktion");
  const THistoDesign SignalDesign{SignalTitle, tr("Spannung [V]"), tr("Zeit [s]"),
                                  -1.01f, 1, 0.5f, 0, 1, 0.1f};
  Histograph1 = NewHistograph(QStringLiteral("Histograph1"), SignalDesign, clBlue);
  Histograph2 = NewHistograph(QStringLiteral("Histograph2"), Setup.Result, clRed);
  if (FTwoSignals) {
    THistoDesign Signal2Design = SignalDesign;
    Signal2Design.TitleTop = tr("Funktion 2");
    Histograph3 = NewHistograph(QStringLiteral("Histograph3"), Signal2Design, clGreen);
  }

  QStringList Functions;
  for (Integer K = 0; K < Setup.FunctionCount; ++K) Functions << FunctionCaption(K);
  FunctionGroup = NewGroup(SignalTitle, Functions, FunctionButtons);
  for (std::size_t K = 0; K < FunctionButtons.size(); ++K)
    connect(FunctionButtons[K], &QRadioButton::clicked, this, [this, K] { FunctionClick(Integer(K)); });
  if (FTwoSignals) {
    QStringList Functions2;
    for (Integer K = 0; K < Function2KindCount; ++K) Functions2 << FunctionCaption(K);
    Function2Group = NewGroup(tr("Funktion 2"), Functions2, Function2Buttons);
    for (std::size_t K = 0; K < Function2Buttons.size(); ++K)
      connect(Function2Buttons[K], &QRadioButton::clicked, this, [this, K] { Function2Click(Integer(K)); });
  }
  QStringList Windows;
  for (const TWindowButton& B : WindowButtons) Windows << tr(B.Caption);
  WindowGroup = NewGroup(tr("Fenster"), Windows, WindowRadioButtons);
  for (std::size_t K = 0; K < WindowRadioButtons.size(); ++K) {
    const FFT::TLeakType Type = WindowButtons[K].Type;
    connect(WindowRadioButtons[K], &QRadioButton::clicked, this, [this, Type] { WindowClick(Type); });
  }

  StartStopButton = new QPushButton(tr("Start"), this);
  StartStopButton->setObjectName(QStringLiteral("StartStopButton"));
  connect(StartStopButton, &QPushButton::clicked, this, [this] { StartStopClick(); });
  CloseButton = new QPushButton(tr("Dieses Fenster schließen"), this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  connect(CloseButton, &QPushButton::clicked, this, [this] { CloseClick(); });

  BuildLayout(HelpLines(FTwoSignals, Setup.Operation));
}

TAnalysisDialog::~TAnalysisDialog() { Timer1->OnTimer = nullptr; }

THistographInt* TAnalysisDialog::NewHistograph(const QString& Name, const THistoDesign& Design, TColor CurveColor) {
  auto* H = new THistographInt(this, this);
  H->SetName(Name);
  H->SetTitleTop(Design.TitleTop);
  H->SetTitleLeft(Design.TitleLeft);
  H->SetTitleBottom(Design.TitleBottom);
  H->SetViewYMin(Design.YMin);
  H->SetViewYMax(Design.YMax);
  H->SetViewYGap(Design.YGap);
  H->SetViewXNominalMin(Design.XMin);
  H->SetViewXNominalMax(Design.XMax);
  H->SetViewXCurrentMin(Design.XMin);
  H->SetViewXCurrentMax(Design.XMax);
  H->SetViewXGap(Design.XGap);
  H->SetViewXDecimals(Design.XDecimals);
  // The logarithmic mapping is computed from the range, so the scale comes last.
  if (Design.LogY) H->SetGridScale(HistoInt::sclLinLog);
  H->SetBkColor(clWhite);
  H->SetGridVisible(HistoInt::grdBoth);
  H->SetGridLineStyle(psDot);
  H->SetGapLeft(64);
  H->SetGapRight(24);
  H->SetGapTop(32);
  H->SetGapBottom(48);
  H->SetSeriesColor(CurveColor);
  H->setMinimumSize(320, 200);
  return H;
}

QGroupBox* TAnalysisDialog::NewGroup(const QString& Title, const QStringList& Captions,
                                     std::vector<QRadioButton*>& Buttons) {
  auto* Group = new QGroupBox(Title, this);
  auto* Layout = new QVBoxLayout(Group);
  for (const QString& Caption : Captions) {
    auto* B = new QRadioButton(Caption, Group);
    Layout->addWidget(B);
    Buttons.push_back(B);
  }
  Buttons.front()->setChecked(true);  // Sinus, and the rectangle window
  return Group;
}

void TAnalysisDialog::BuildLayout(const QStringList& Help) {
  auto* Main = new QHBoxLayout(this);

  auto* Left = new QVBoxLayout();
  auto* Graphs = new QGridLayout();
  if (FTwoSignals) {
    // The two input signals side by side, their result full width below.
    Graphs->addWidget(Histograph1, 0, 0);
    Graphs->addWidget(Histograph3, 0, 1);
    Graphs->addWidget(Histograph2, 1, 0, 1, 2);
    Graphs->setRowStretch(0, 4);
    Graphs->setRowStretch(1, 5);
  } else {
    Graphs->addWidget(Histograph1, 0, 0);
    Graphs->addWidget(Histograph2, 1, 0);
    Graphs->setRowStretch(0, 4);
    Graphs->setRowStretch(1, 5);
  }
  Left->addLayout(Graphs, 1);
  for (std::size_t I = 0; I < HelpLabels.size(); ++I) {
    HelpLabels[I] = new QLabel(Help.value(qsizetype(I)), this);
    HelpLabels[I]->setObjectName(QStringLiteral("Label%1").arg(I + 1));
    Left->addWidget(HelpLabels[I]);
  }
  Main->addLayout(Left, 1);

  auto* Side = new QVBoxLayout();
  Side->addWidget(FunctionGroup);
  if (Function2Group) Side->addWidget(Function2Group);
  Side->addWidget(WindowGroup);
  Side->addStretch(1);
  Side->addWidget(StartStopButton);
  Side->addWidget(CloseButton);
  Main->addLayout(Side);

  resize(980, FTwoSignals ? 760 : 720);
}

TAnalysisDialog::TTwoSignalVectors TAnalysisDialog::MakeTwoSignalVectors() {
  const Integer N = FFT1->Size();
  TTwoSignalVectors V{FFT1->NewComplexVector(N), FFT1->NewComplexVector(N), FFT1->NewComplexVector(N),
                      FFT1->NewComplexVector(N), FFT1->NewComplexVector(N)};
  SetSignals(V.F1->Re()->Data(), V.F1->Count(), V.F2->Re()->Data(), V.F2->Count());
  return V;
}

void TAnalysisDialog::SetSignals(Single* Signal1, Integer Count1, Single* Signal2, Integer Count2) {
  FSignal1 = Signal1;
  FCount1 = Count1;
  FSignal2 = Signal2;
  FCount2 = Count2;
}

void TAnalysisDialog::GenerationStep() {
  FSweep.Step();
  if (FTwoSignals) {
    FillSignal(FFunctionKind, FixedStep1, FSignal1, FCount1);
    FillSignal(FFunctionKind2, FSweep.W, FSignal2, FCount2);
  } else {
    FillSignal(FFunctionKind, FSweep.W, FSignal1, FCount1);
  }
  ComputeAndShow();
}

void TAnalysisDialog::FunctionClick(Integer Kind) {
  if (Kind < 0 || Kind >= Integer(FunctionButtons.size())) return;
  FFunctionKind = Kind;
  FunctionButtons[std::size_t(Kind)]->setChecked(true);
  GenerationStep();
}

void TAnalysisDialog::Function2Click(Integer Kind) {
  if (Kind < 0 || Kind >= Integer(Function2Buttons.size())) return;
  FFunctionKind2 = Kind;
  Function2Buttons[std::size_t(Kind)]->setChecked(true);
  GenerationStep();
}

void TAnalysisDialog::WindowClick(FFT::TLeakType Type) {
  for (std::size_t K = 0; K < WindowButtons.size(); ++K) {
    if (WindowButtons[K].Type != Type) continue;
    FFT1->SetLeakFunction(Type);
    WindowRadioButtons[K]->setChecked(true);
    GenerationStep();
    return;
  }
}

void TAnalysisDialog::StartStopClick() {
  Timer1->SetEnabled(!Timer1->Enabled());
  StartStopButton->setText(Timer1->Enabled() ? tr("Stop") : tr("Start"));
}

void TAnalysisDialog::CloseClick() {
  StopSweep();
  Close();
}

void TAnalysisDialog::StopSweep() {
  StartStopButton->setText(tr("Start"));
  Timer1->SetEnabled(false);
}

void TAnalysisDialog::hideEvent(QHideEvent* Event) {
  StopSweep();
  TForm::hideEvent(Event);
}

void TAnalysisDialog::SetCorrelationRange(Integer Kind) {
  const bool FullScale = Kind == fkSinus || Kind == fkRechteck || Kind == fkSaegezahn;
  const Single Limit = FullScale ? 1.0f : 0.1f;
  Histograph2->SetViewYMin(-Limit);
  Histograph2->SetViewYMax(Limit);
  Histograph2->SetViewYGap(FullScale ? 0.5f : 0.05f);
}

}  // namespace quellix::AnalysisDialog
