/// What the five analysis dialogs have in common: the generated test
/// signals, the frequency sweep, the FFT component, the timer, the
/// histographs with their design-time titles and ranges, the function and
/// window button groups, Start/Stop, the close button and the help text.
/// Each dialog adds its vectors and its computation (AutocorrelationDialog, CrossCorrelationDialog,
/// FFTDialog, PowerSpectrumDialog, CrossPowerDialog). \file
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "quellix/analysis/FFT.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/Controls.h"

namespace quellix::AnalysisDialog {

/// Function kinds of a generated signal; the codes are the dialogs' own.
enum : Integer { fkSinus = 0, fkRechteck = 1, fkSaegezahn = 2, fkRauschen = 3, fkVerrSinus = 4 };
constexpr Integer FunctionKindCount = 5;
/// Signal 2 of the two-signal dialogs offers only "Sinus" and "Rechteck".
constexpr Integer Function2KindCount = 2;

/// The fixed angular step of signal 1 in the two-signal dialogs: five
/// periods in 256 samples.
constexpr Single FixedStep1 = 0.122718f;

/// Captions of the function buttons (by kind) and of the window buttons.
QString FunctionCaption(Integer Kind);
struct TWindowButton {
  const char* Caption;
  FFT::TLeakType Type;
};
extern const std::array<TWindowButton, 4> WindowButtons;

/// Fills Out[0 … Count−1] with the function Kind at W radians per sample: <pre>
///   Sinus        sin(i·w)
///   Rechteck     +1 where sin(i·w) > 0, otherwise −1 (so sample 0 is −1)
///   Sägezahn     v := −1; per sample v := v + w/π, store v, wrap by −2
///                once v > 1 (the wrapping sample itself may exceed 1)
///   Rauschen     r − 0.5
///   Verr. Sinus  0.2·sin(i·w) + r − 0.5 </pre>
/// with r uniform in [0, 1) from the host's generator, drawn per sample.
/// An unknown kind leaves Out unchanged.
void FillSignal(Integer Kind, Single W, Single* Out, Integer Count);

/// The frequency sweep: before each step the current w is tested against
/// the two bounds, and if it has reached one, dw changes sign; then
/// w := w + dw. So w passes a bound by one step before it turns back.
struct TSweep {
  Single W = 0;
  Single Dw = 0;
  Extended Lower = 0;
  Extended Upper = 0;
  bool Inclusive = false;  ///< bounds reached at ≤ / ≥ instead of < / >

  bool AtBound() const;
  void Step();
};

/// Design-time look of one histograph.
struct THistoDesign {
  QString TitleTop;
  QString TitleLeft;
  QString TitleBottom;
  Single YMin, YMax, YGap;
  Single XMin, XMax, XGap;
  Integer XDecimals = 1;
  /// Spectra span several decades above a small positive minimum: they get
  /// a logarithmic Y axis.
  bool LogY = false;
};

/// Everything that differs between the five dialogs before computing.
struct TDialogSetup {
  QString ClassName;  ///< "TAutokorrDialog"; the form's Name drops the T
  QString Caption;
  int Exponent;
  TSweep Sweep;
  bool TwoSignals;
  Integer FunctionCount;  ///< buttons in "Funktion" / "Funktion 1"
  Integer TimerInterval;  ///< ms
  THistoDesign Result;    ///< Histograph2
  QString Operation;      ///< completes the help text: "… für die <Operation> aus."
};

/// The three help lines under the graphs.
QStringList HelpLines(bool TwoSignals, const QString& Operation);

class TAnalysisDialog : public TForm {
  Q_OBJECT
public:
  ~TAnalysisDialog() override;

  /// Components, owned by the form.
  FFT::TFFT* FFT1;
  TTimer* Timer1;
  HistoInt::THistographInt* Histograph1;
  HistoInt::THistographInt* Histograph2;
  HistoInt::THistographInt* Histograph3 = nullptr;  ///< signal 2 (two-signal dialogs)
  QGroupBox* FunctionGroup;
  QGroupBox* Function2Group = nullptr;
  QGroupBox* WindowGroup;
  std::vector<QRadioButton*> FunctionButtons;
  std::vector<QRadioButton*> Function2Buttons;
  std::vector<QRadioButton*> WindowRadioButtons;
  QPushButton* StartStopButton;
  QPushButton* CloseButton;
  std::array<QLabel*, 3> HelpLabels;

  Integer FunctionKind() const { return FFunctionKind; }
  Integer FunctionKind2() const { return FFunctionKind2; }
  Single W() const { return FSweep.W; }
  Single Dw() const { return FSweep.Dw; }
  bool TwoSignals() const { return FTwoSignals; }

  /// Button handlers. An out-of-range kind is ignored.
  /// "Funktion" / "Funktion 1": kind of signal 1, then one generation step.
  virtual void FunctionClick(Integer Kind);
  /// "Funktion 2": kind of signal 2, then one generation step.
  void Function2Click(Integer Kind);
  /// "Fenster": FFT1's window, then one generation step.
  void WindowClick(FFT::TLeakType Type);
  /// Start/Stop: toggles the sweep timer and the caption with it.
  void StartStopClick();
  /// "Dieses Fenster schließen".
  void CloseClick();
  /// Timer tick: one generation step.
  void Timer1Timer() { GenerationStep(); }

  /// Sweep, fill the signal(s), compute and show.
  void GenerationStep();

protected:
  TAnalysisDialog(const TDialogSetup& Setup, TComponentCore* AOwner);

  /// The arrays the generation step fills; the descendant's creation
  /// handler points them at its vectors.
  void SetSignals(Single* Signal1, Integer Count1, Single* Signal2 = nullptr, Integer Count2 = 0);
  /// The vectors of a two-signal dialog, all of Size elements and made
  /// through FFT1: the two signals (their real parts are generated), two work
  /// copies and the result. Making them also points the generation at them.
  struct TTwoSignalVectors {
    FFT::TComplexVector* F1;
    FFT::TComplexVector* F2;
    FFT::TComplexVector* A;
    FFT::TComplexVector* B;
    FFT::TComplexVector* Result;
  };
  TTwoSignalVectors MakeTwoSignalVectors();
  /// Runs the dialog's operation on the fresh signals and shows the result.
  virtual void ComputeAndShow() = 0;
  /// Shows Count values as series 1 of H.
  static void Show(HistoInt::THistographInt* H, const Single* Data, Integer Count) { H->SetData(Data, Count, 1); }
  /// The correlation dialogs' Y range of the result for a function kind:
  /// −1 … 1 (gap 0.5) for the full-scale signals, −0.1 … 0.1 (gap 0.05)
  /// for noise and the noisy sine.
  void SetCorrelationRange(Integer Kind);

  /// Closing in any way stops the sweep, and the Start/Stop button says so.
  void hideEvent(QHideEvent* Event) override;

private:
  HistoInt::THistographInt* NewHistograph(const QString& Name, const THistoDesign& Design, TColor CurveColor);
  QGroupBox* NewGroup(const QString& Title, const QStringList& Captions, std::vector<QRadioButton*>& Buttons);
  void StopSweep();
  void BuildLayout(const QStringList& Help);

  TSweep FSweep;
  bool FTwoSignals;
  Integer FFunctionKind = fkSinus;
  Integer FFunctionKind2 = fkSinus;
  Single* FSignal1 = nullptr;
  Integer FCount1 = 0;
  Single* FSignal2 = nullptr;
  Integer FCount2 = 0;
};

}  ///< namespace quellix::AnalysisDialog
