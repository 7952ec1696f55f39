// The "Quellix Pro" window: a measurement chain shown as three stages, a
// data-acquisition board, a compressor and an FFT stage, each a panel with
// a lamp, feeding a histograph. Each tick of the histograph's timer lights
// the lamps in turn, board, compressor, FFT, while a new curve
// |10 sin(i / p)| is computed and shown; p counts down from 32 to 2 and
// starts again, so the curve's lobes narrow tick by tick.
#pragma once

#include <QFrame>
#include <QLabel>
#include <array>

#include "quellix/app/DemoWindow.h"
#include "quellix/histograph/HistographSink.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/instruments/RotateLabel.h"

namespace quellix::Pro_Unit {

class TPro_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  static constexpr Integer kPointCount = 256;
  static constexpr Integer kPStart = 32;  // widest lobes
  static constexpr Integer kPLast = 2;    // narrowest lobes

  explicit TPro_Demo(TComponentCore* AOwner = nullptr);

  Histo::THistograph* Histograph1;
  QFrame* Panel1;  // data-acquisition board
  QFrame* Panel2;  // compressor stage
  QFrame* Panel3;  // FFT stage
  MLSingleSinks::TLed* Led1;
  MLSingleSinks::TLed* Led2;
  MLSingleSinks::TLed* Led3;
  RLabel::TRotateLabel* RotateLabel1;  // "Measure Source"
  RLabel::TRotateLabel* RotateLabel2;  // "Prinzip"

  // Showing starts the histograph's timer, hiding stops it.
  void FormShow();
  void FormHide();
  // One tick: the lamps pass the block along while the curve for the
  // current p is computed and shown; then p steps down (32 after 2).
  void Histograph1Timer(TObject* Sender);

  // The divisor the next tick uses.
  Integer P() const { return FP; }
  // The curve shown last.
  const std::array<Single, kPointCount>& Curve() const { return FCurve; }

private:
  // A raised panel standing for one stage of the chain, with its lamp.
  QFrame* NewStage(const QString& Name, const QString& Heading, const QString& Detail, Integer X, Integer Y,
                   MLSingleSinks::TLed*& Led);
  // Switches one lamp and puts it on the screen at once, so that the
  // lamps are seen lighting in turn within the tick.
  static void Switch(MLSingleSinks::TLed* Led, bool On);
  void ComputeCurve(Double Divisor);

  std::array<Single, kPointCount> FCurve{};
  Integer FP = kPStart;
};

}  // namespace quellix::Pro_Unit
