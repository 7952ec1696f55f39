#include "quellix/app/ProWindow.h"

#include <cmath>

namespace quellix::Pro_Unit {

using namespace HistoInt;

namespace {

enum TArrowDirection { adRight, adDown };

// A thick arrow from one stage of the chain to the next.
class TChainArrow : public TGraphicControl {
public:
  TChainArrow(TComponentCore* AOwner, QWidget* AParent, TArrowDirection Direction)
      : TGraphicControl(AOwner, AParent), FDirection(Direction) {}

  void Paint() override {
    TCanvas& Cv = Canvas();
    const Integer W = Width(), H = Height();
    Cv.Pen().Color = clNavy;
    Cv.Brush().Color = clNavy;
    Cv.Brush().Style = bsSolid;
    if (FDirection == adRight) {
      const Integer Mid = H / 2, Head = std::min(W / 2, H / 2);
      Cv.FillRect(TRect{0, Mid - 3, W - Head, Mid + 3});
      Cv.Polygon({TPoint{W - Head, Mid - Head}, TPoint{W - 1, Mid}, TPoint{W - Head, Mid + Head}});
    } else {
      const Integer Mid = W / 2, Head = std::min(W / 2, H / 2);
      Cv.FillRect(TRect{Mid - 3, 0, Mid + 3, H - Head});
      Cv.Polygon({TPoint{Mid - Head, H - Head}, TPoint{Mid, H - 1}, TPoint{Mid + Head, H - Head}});
    }
  }

private:
  TArrowDirection FDirection;
};

// Stage panels: 200 x 76, 34 pixels apart for the arrows, right of the
// "Prinzip" label.
constexpr Integer StageWidth = 200;
constexpr Integer StageHeight = 76;
constexpr Integer StageTop = 8;
constexpr Integer StageLeft = 120;
constexpr Integer StagePitch = StageWidth + 34;

}  // namespace

TPro_Demo::TPro_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TPro_Demo"), tr("Quellix Pro"), AOwner) {
  SetTitle(tr("Quellix Pro – Messkette"));
  SetExplanation(tr(
      "Mit Quellix Pro werden Messquellen und Senken zu einer Messkette verbunden: Die Erfassungskarte liefert "
      "Datenblöcke, der Kompressor verdichtet sie, die FFT-Stufe berechnet das Spektrum, und der Histograph zeigt "
      "es an.\n"
      "Bei jedem Schritt des Histographen-Timers (10 ms) leuchten die drei Lampen der Reihe nach auf, während die "
      "nächste Kurve |10·sin(i/p)| entsteht."));
  resize(840, 620);
  QWidget* Area = ClientArea();
  Area->setMinimumSize(780, 440);

  RotateLabel2 = new RLabel::TRotateLabel(this, Area);
  RotateLabel2->SetName(QStringLiteral("RotateLabel2"));
  RotateLabel2->SetLeft(4);
  RotateLabel2->SetTop(StageTop);
  RotateLabel2->Font().SetName(QStringLiteral("Arial"));
  RotateLabel2->Font().SetHeight(-24);
  RotateLabel2->Font().SetStyle(fsBold | fsItalic);
  RotateLabel2->Font().SetColor(clNavy);
  RotateLabel2->SetCaption(tr("Prinzip"));
  RotateLabel2->SetAngle(25);
  RotateLabel2->AdjustBounds();

  Panel1 = NewStage(QStringLiteral("Panel1"), QStringLiteral("Erfassungskarte"),
                    QString::fromUtf8("A/D-Wandler, 8 Kanäle"), StageLeft, StageTop, Led1);
  Panel2 = NewStage(QStringLiteral("Panel2"), QStringLiteral("Kompressor"),
                    QString::fromUtf8("verdichtet die Blöcke"), StageLeft + StagePitch, StageTop, Led2);
  Panel3 = NewStage(QStringLiteral("Panel3"), QStringLiteral("FFT"), QString::fromUtf8("Betragsspektrum"),
                    StageLeft + 2 * StagePitch, StageTop, Led3);
  Led1->SetName(QStringLiteral("Led1"));
  Led1->SetColorActive(clRed);
  Led2->SetName(QStringLiteral("Led2"));
  Led2->SetColorActive(clYellow);
  Led3->SetName(QStringLiteral("Led3"));
  Led3->SetColorActive(clLime);

  for (Integer k = 0; k < 2; ++k) {
    auto* Arrow = new TChainArrow(this, Area, adRight);
    Arrow->SetBounds(StageLeft + StageWidth + k * StagePitch + 4, StageTop + StageHeight / 2 - 12, 26, 24);
  }
  auto* Down = new TChainArrow(this, Area, adDown);
  Down->SetBounds(StageLeft + 2 * StagePitch + StageWidth / 2 - 12, StageTop + StageHeight + 2, 24, 28);

  Histograph1 = new Histo::THistograph(this, Area);
  Histograph1->SetName(QStringLiteral("Histograph1"));
  Histograph1->SetBounds(StageLeft - 80, StageTop + StageHeight + 30, 752, 320);
  Histograph1->SetAutoConfig(false);  // fed by the window, not by a source
  Histograph1->SetBkColor(clBlack);
  Histograph1->SetGridColor(clGray);
  Histograph1->SetGridVisible(grdBoth);
  Histograph1->SetGridLineStyle(psDot);
  Histograph1->SetGapLeft(60);
  Histograph1->SetGapRight(20);
  Histograph1->SetGapTop(34);
  Histograph1->SetGapBottom(46);
  Histograph1->SetViewYMin(0);
  Histograph1->SetViewYMax(10);
  Histograph1->SetViewYGap(2);
  Histograph1->SetViewYDecimals(0);
  Histograph1->SetViewXNominalMin(1);
  Histograph1->SetViewXNominalMax(kPointCount);
  Histograph1->SetViewXCurrentMin(1);
  Histograph1->SetViewXCurrentMax(kPointCount);
  Histograph1->SetViewXGap(32);
  Histograph1->SetViewXDecimals(0);
  Histograph1->SetTitleTop(tr("Ausgang der FFT-Stufe"));
  Histograph1->SetTitleBottom(tr("Frequenzlinie"));
  Histograph1->SetTitleLeft(tr("Betrag"));
  Histograph1->SetSeriesNumber(1);
  Histograph1->SetSeriesCurrent(1);
  Histograph1->SetSeriesColor(clLime);
  Histograph1->SetTimerInterval(10);
  Histograph1->OnTimer = [this](TObject* Sender) { Histograph1Timer(Sender); };

  RotateLabel1 = new RLabel::TRotateLabel(this, Area);
  RotateLabel1->SetName(QStringLiteral("RotateLabel1"));
  RotateLabel1->SetLeft(4);
  RotateLabel1->SetTop(StageTop + StageHeight + 60);
  RotateLabel1->Font().SetName(QStringLiteral("Arial"));
  RotateLabel1->Font().SetHeight(-22);
  RotateLabel1->Font().SetStyle(fsBold);
  RotateLabel1->Font().SetColor(clMaroon);
  RotateLabel1->SetCaption(QStringLiteral("Measure Source"));
  RotateLabel1->SetAngle(90);
  RotateLabel1->AdjustBounds();

  // |10 sin(i * 0.03125)|, the curve of p = 32, shown before the timer runs.
  ComputeCurve(kPStart);
  Histograph1->SetData(FCurve.data(), kPointCount, 1);

  OnShow = [this](TObject*) { FormShow(); };
  OnHide = [this](TObject*) { FormHide(); };
}

QFrame* TPro_Demo::NewStage(const QString& Name, const QString& Heading, const QString& Detail, Integer X,
                            Integer Y, MLSingleSinks::TLed*& Led) {
  auto* Panel = new QFrame(ClientArea());
  Panel->setObjectName(Name);
  Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel->setLineWidth(2);
  Panel->setGeometry(X, Y, StageWidth, StageHeight);

  Led = new MLSingleSinks::TLed(this, Panel);
  Led->SetBounds(10, (StageHeight - 28) / 2, 28, 28);

  auto* Title = new QLabel(Heading, Panel);
  QFont F = Title->font();
  F.setBold(true);
  F.setPixelSize(14);
  Title->setFont(F);
  Title->setGeometry(48, 14, StageWidth - 52, 20);
  auto* Text = new QLabel(Detail, Panel);
  Text->setGeometry(48, 38, StageWidth - 52, 20);
  return Panel;
}

void TPro_Demo::FormShow() { Histograph1->SetTimerEnabled(true); }

void TPro_Demo::FormHide() { Histograph1->SetTimerEnabled(false); }

void TPro_Demo::Switch(MLSingleSinks::TLed* Led, bool On) {
  Led->SetValue(On);
  Led->Update();
}

void TPro_Demo::ComputeCurve(Double Divisor) {
  for (Integer i = 1; i <= kPointCount; ++i) FCurve[i - 1] = Single(std::fabs(10 * std::sin(i / Divisor)));
}

void TPro_Demo::Histograph1Timer(TObject*) {
  // The board delivers a block ...
  Switch(Led3, false);
  Switch(Led1, true);
  ComputeCurve(FP);
  // ... the compressor passes it on ...
  Switch(Led1, false);
  Switch(Led2, true);
  Histograph1->SetData(FCurve.data(), kPointCount, 1);
  if (FP > kPLast)
    FP = FP - 1;
  else
    FP = kPStart;
  // ... and the FFT stage holds the result until the next tick.
  Switch(Led2, false);
  Switch(Led3, true);
}

}  // namespace quellix::Pro_Unit
